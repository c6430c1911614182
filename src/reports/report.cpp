#include "reports/report.h"

#include <QPageSize>

#include "reports/font_measures.h"

namespace braxol::reports {
namespace {

const QSizeF kA4 = QPageSize(QPageSize::A4).size(QPageSize::Point);

}  // namespace

Report::Report(QPageLayout::Orientation orientation) : orientation_(orientation) {
    pages_.push_back({orientation_, {}});
}

void Report::setOrientation(QPageLayout::Orientation orientation) {
    orientation_ = orientation;
    pages_.back().orientation = orientation;
}

double Report::pageWidth() const {
    return orientation_ == QPageLayout::Portrait ? kA4.width() : kA4.height();
}
double Report::pageHeight() const {
    return orientation_ == QPageLayout::Portrait ? kA4.height() : kA4.width();
}

void Report::newPage() {
    pages_.push_back({orientation_, {}});
}

void Report::setFont(const QString& family, double size, bool bold, bool strikeOut) {
    font_ = {family, size, bold, strikeOut};
}
void Report::setFont(const FontSpec& font) {
    font_ = font;
}
void Report::setBold(bool bold) {
    font_.bold = bold;
}
void Report::setStrikeOut(bool strikeOut) {
    font_.strikeOut = strikeOut;
}

double Report::textWidth(const QString& text) const {
    return TextWidth(font_, text);
}

double Report::lineHeight() const {
    return LineHeight(font_);
}

void Report::text(double x, double y, const QString& text, Align align) {
    const FontMeasures& measures = MeasuresOf(font_);
    QString line = OneLine(text);
    const double width = measures.width(line);
    const double left = align == Align::Left     ? x
                        : align == Align::Centre ? x - width / 2
                                                 : x - width;
    add({DrawCommand::Kind::Text,
         QRectF(left, y - measures.ascent(), width, measures.height()),
         y,
         std::move(line),
         font_,
         pen_,
         {}});
}

int Report::textWrapped(double x, double y, double width, const QString& text) {
    const FontMeasures& measures = MeasuresOf(font_);
    QStringList lines = WrapText(text, width, [&](const QString& t) { return measures.width(t); });
    while (!lines.isEmpty() && lines.back().trimmed().isEmpty()) lines.removeLast();
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (!lines[i].trimmed().isEmpty())
            this->text(x, y + static_cast<double>(i) * measures.height(), lines[i]);
    return static_cast<int>(lines.size());
}

void Report::setPen(double width, const QColor& color) {
    pen_ = {width, color};
}

void Report::line(double x1, double y1, double x2, double y2) {
    add({DrawCommand::Kind::Line,
         QRectF(QPointF(x1, y1), QPointF(x2, y2)),
         0,
         {},
         font_,
         pen_,
         {}});
    cursor_ = {x2, y2};
}

void Report::moveTo(double x, double y) {
    cursor_ = {x, y};
}

void Report::lineTo(double x, double y) {
    line(cursor_.x(), cursor_.y(), x, y);
}

void Report::rectangle(const QRectF& box) {
    add({DrawCommand::Kind::Rectangle, box.normalized(), 0, {}, font_, pen_, {}});
}

void Report::picture(const QRectF& box, const QImage& image) {
    add({DrawCommand::Kind::Picture, box, 0, {}, font_, pen_, image});
}

void Report::add(DrawCommand command) {
    pages_.back().commands.push_back(std::move(command));
}

QStringList Report::texts(int page) const {
    QStringList out;
    for (const auto& c : pages_.at(static_cast<std::size_t>(page)).commands)
        if (c.kind == DrawCommand::Kind::Text) out << c.text;
    return out;
}

}  // namespace braxol::reports
