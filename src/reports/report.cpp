#include "reports/report.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPageSize>
#include <QStringList>

namespace braxol::reports {
namespace {

// Text is measured at 72 dots per inch, so that one dot is one point of the page.
const QImage& MeasuringDevice() {
    static const QImage device = [] {
        QImage i(1, 1, QImage::Format_RGB32);
        i.setDotsPerMeterX(2835);  // 72 dpi
        i.setDotsPerMeterY(2835);
        return i;
    }();
    return device;
}

const QSizeF kA4 = QPageSize(QPageSize::A4).size(QPageSize::Point);

}  // namespace

QFont ToQFont(const FontSpec& wanted) {
    QFont f(wanted.family);
    f.setPointSizeF(wanted.size);
    f.setBold(wanted.bold);
    f.setStrikeOut(wanted.strikeOut);
    f.setHintingPreference(QFont::PreferNoHinting);  // the same widths on screen and paper
    return f;
}

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

void Report::setFont(const QString& family, double size, bool bold, bool strikeOut) {
    font_ = {family, size, bold, strikeOut};
}
void Report::setBold(bool bold) {
    font_.bold = bold;
}
void Report::setStrikeOut(bool strikeOut) {
    font_.strikeOut = strikeOut;
}

QFont Report::qfont() const {
    return ToQFont(font_);
}

double Report::textWidth(const QString& text) const {
    return QFontMetricsF(qfont(), &MeasuringDevice()).horizontalAdvance(text);
}

double Report::lineHeight() const {
    return QFontMetricsF(qfont(), &MeasuringDevice()).height();
}

void Report::addText(double left, const QString& text) {
    DrawCommand c{DrawCommand::Kind::Text,
                  QRectF(left, y_, textWidth(text), lineHeight()),
                  text,
                  font_,
                  pen_,
                  {}};
    pages_.back().commands.push_back(std::move(c));
}

void Report::textCentered(double x, const QString& text) {
    addText(x - textWidth(text) / 2, text);
}

void Report::textRight(double x, const QString& text) {
    addText(x - textWidth(text), text);
}

void Report::textLeft(double x, const QString& text, const std::vector<double>& tabStops) {
    const QStringList parts = text.split('\t');
    double at = x;
    for (int i = 0; i < parts.size(); ++i) {
        if (i > 0) {
            // The next stop after what is written so far; without one, one blank further.
            double next = at + textWidth(" ");
            for (double stop : tabStops)
                if (x + stop > at) {
                    next = x + stop;
                    break;
                }
            at = next;
        }
        if (!parts[i].isEmpty()) addText(at, parts[i]);
        at += textWidth(parts[i]);
    }
}

void Report::setPen(double width, const QColor& color) {
    pen_ = {width, color};
}

void Report::moveTo(double x, double y) {
    cursor_ = {x, y};
}

void Report::lineTo(double x, double y) {
    DrawCommand c{DrawCommand::Kind::Line, QRectF(cursor_, QPointF(x, y)), {}, font_, pen_, {}};
    pages_.back().commands.push_back(std::move(c));
    cursor_ = {x, y};
}

void Report::rectangle(const QRectF& box) {
    pages_.back().commands.push_back({DrawCommand::Kind::Rectangle, box, {}, font_, pen_, {}});
}

void Report::picture(const QRectF& box, const QImage& image) {
    pages_.back().commands.push_back({DrawCommand::Kind::Picture, box, {}, font_, pen_, image});
}

void Report::newPage() {
    pages_.push_back({orientation_, {}});
    y_ = 0;
}

QStringList Report::texts(int page) const {
    QStringList out;
    for (const auto& c : pages_.at(static_cast<std::size_t>(page)).commands)
        if (c.kind == DrawCommand::Kind::Text) out << c.text;
    return out;
}

}  // namespace braxol::reports
