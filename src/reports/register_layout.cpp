#include "reports/register_layout.h"

#include <algorithm>
#include <utility>

#include "ui/text.h"

namespace braxol::reports {
namespace {

constexpr double kSmallestSize = 4;

}  // namespace

RegisterMetrics RegisterMetrics::Measure(Report& report, double leftInE, double rightInE,
                                         double bodySize) {
    RegisterMetrics m;
    const FontSpec size10{kRegisterFamily, 10};
    const FontSpec size14{kRegisterFamily, 14};
    m.e10 = TextWidth(size10, QStringLiteral("E"));
    m.lh10 = LineHeight(size10);
    m.lh14 = LineHeight(size14);
    report.setFont(kRegisterFamily, bodySize);
    m.e = report.textWidth(QStringLiteral("E"));
    m.lh = report.lineHeight();
    m.pageWidth = report.pageWidth();
    m.pageHeight = report.pageHeight();
    m.cx = m.pageWidth / 2;
    m.left = m.cx - leftInE * m.e;
    m.right = m.cx + rightInE * m.e;
    m.bottom = m.pageHeight - 8 * m.lh;
    return m;
}

PageNumbering::PageNumbering(int firstPage, QString suffix)
    : counter_(firstPage - 1), suffix_(std::move(suffix)) {}

std::optional<QString> PageNumbering::next() {
    if (counter_ < 0) return std::nullopt;
    ++counter_;
    return QStringLiteral("Pagina ") + QString::number(counter_) + suffix_;
}

QStringList CompanyLines(const TUTENTE& c) {
    return {ui::FromField(c.DENOM1), ui::FromField(c.INDIR1) + ", " + ui::FromField(c.NUMCI1),
            ui::FromField(c.C_A_P1) + " " + ui::FromField(c.CITTA1),
            QStringLiteral("CODICE ACCISA: ") + ui::FromField(c.CACCI1)};
}

void FittedText(Report& report, double x, double y, double width, const QString& text,
                Align align) {
    const FontSpec font = report.font();
    FontSpec fitting = font;
    while (fitting.size > kSmallestSize && TextWidth(fitting, text) > width) fitting.size -= 0.5;
    report.setFont(fitting);
    report.text(x, y, text, align);
    report.setFont(font);
}

void LinesInBox(Report& report, double x, double y, double width, const QStringList& lines) {
    const double lh = report.lineHeight();
    for (qsizetype i = 0; i < lines.size(); ++i)
        FittedText(report, x, y + static_cast<double>(i) * lh, width, lines[i]);
}

QStringList BoxLines(const Report& report, const QString& text, double width, int maxLines) {
    QStringList lines =
        WrapText(text, width, [&](const QString& t) { return report.textWidth(t); });
    while (!lines.isEmpty() && lines.back().trimmed().isEmpty()) lines.removeLast();
    if (lines.size() > maxLines) lines.resize(maxLines);
    return lines;
}

double DrawTitleBlock(Report& report, const RegisterMetrics& m, const TitleBlock& block,
                      PageNumbering& pages) {
    report.setFont(kRegisterFamily, 14, true);
    double lastTitle = 2 * m.lh14;
    for (qsizetype i = 0; i < block.titles.size(); ++i) {
        lastTitle = (2 + 1.5 * static_cast<double>(i)) * m.lh14;
        report.text(m.cx, lastTitle, block.titles[i], Align::Centre);
    }
    report.setFont(kRegisterFamily, 10);
    if (const auto label = pages.next())
        report.text(m.right - m.e10, (2 + 1.5 * block.pageLabelTitle) * m.lh14, *label,
                    Align::Right);
    double lastLine = lastTitle;
    if (!block.subtitle.isEmpty()) {
        const double subtitle = 2 * m.lh14 + 1.5 * m.lh10;
        report.setBold(true);
        report.text(m.cx, subtitle, block.subtitle, Align::Centre);
        report.setBold(false);
        lastLine = std::max(lastLine, subtitle);
    }
    const double y1 = lastLine + 2 * m.lh10;
    report.text(m.left + m.e10, y1, QStringLiteral("RILASCIATO DALL'UFFICIO:"));
    report.text(m.cx + 2 * m.e10, y1, QStringLiteral("ALLA DITTA:"));

    report.setBold(true);
    const double officeWidth = m.cx - m.left - m.e10;
    LinesInBox(report, m.left + 0.5 * m.e10, y1 + m.lh10, officeWidth,
               BoxLines(report, block.office, officeWidth, 4));
    report.rectangle(QRectF(QPointF(m.left, y1 + m.lh10 / 5), QPointF(m.cx, y1 + 4.3 * m.lh10)));
    const double companyWidth = m.right - (m.cx + 1.3 * m.e10) - 0.3 * m.e10;
    LinesInBox(report, m.cx + 1.3 * m.e10, y1 + m.lh10, companyWidth, block.company.mid(0, 4));
    report.rectangle(
        QRectF(QPointF(m.cx + m.e10, y1 + m.lh10 / 5), QPointF(m.right, y1 + 4.3 * m.lh10)));
    return y1;
}

void DrawHeadingGrid(Report& report, const RegisterMetrics& m, const HeadingGrid& grid, double top,
                     double rowsBottom) {
    auto yOf = [&](const GridY& g) {
        return (g.anchor == GridY::Top ? top : rowsBottom) + g.lines * m.lh;
    };
    const FontSpec font = report.font();
    for (const GridRule& r : grid.rules) report.line(m.at(r.x1), yOf(r.y), m.at(r.x2), yOf(r.y));
    for (const GridColumnRule& c : grid.columns)
        report.line(m.at(c.x), yOf(c.from), m.at(c.x), yOf(c.to));
    report.setFont(kRegisterFamily, grid.titleSize, grid.boldTitles);
    for (const GridTitle& t : grid.titles)
        report.text(m.at(t.x), top + t.line * m.lh, t.text, Align::Centre);
    report.setFont(font);
}

double DrawRow(Report& report, const RegisterMetrics& m, double y,
               const std::vector<RowCell>& cells, bool struckOut, double ruleBelow) {
    report.setStrikeOut(struckOut);
    for (const RowCell& c : cells) {
        // A blank cell draws nothing: struck out, a blank would leave a stray dash.
        if (c.text.trimmed().isEmpty()) continue;
        if (c.width > 0)
            FittedText(report, m.at(c.x), y, c.width * m.e, c.text, c.align);
        else
            report.text(m.at(c.x), y, c.text, c.align);
    }
    report.setStrikeOut(false);
    const double rule = y + ruleBelow * m.lh;
    report.line(m.left, rule, m.right, rule);
    return rule;
}

RegisterPages::RegisterPages(Report& report, Measure measure, double firstRow, Close closePage)
    : report_(report),
      measure_(std::move(measure)),
      firstRow_(firstRow),
      close_(std::move(closePage)) {
    measurePage();
}

void RegisterPages::measurePage() {
    metrics_ = measure_(report_);
    y = firstRow_ * metrics_.lh;
    y0 = y;
}

bool RegisterPages::makeRoom() {
    if (y <= metrics_.bottom) return false;
    closePage();
    newPage();
    return true;
}

void RegisterPages::closePage() {
    const FontSpec font = report_.font();
    close_(metrics_, y0);
    report_.setFont(font);
}

void RegisterPages::newPage() {
    report_.newPage();
    measurePage();
}

void RegisterPages::titleSheets(int sheets,
                                const std::function<void(const RegisterMetrics&)>& drawSheet) {
    for (int sheet = 0; sheet < std::max(1, sheets); ++sheet) {
        if (sheet > 0) newPage();
        drawSheet(metrics_);
    }
}

}  // namespace braxol::reports
