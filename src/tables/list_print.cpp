#include "tables/list_print.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <numeric>

namespace braxol::tables {
namespace {

constexpr int kPortraitBelow = 91;  // letters

QFont ListFont(int points) {
    QFont font("Courier New", points);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

}  // namespace

int PaintList(QPrinter& printer, const PrintedList& list) {
    const int letters = std::accumulate(list.widths.begin(), list.widths.end(), 0);
    printer.setPageOrientation(letters < kPortraitBelow ? QPageLayout::Portrait
                                                        : QPageLayout::Landscape);
    QPainter painter;
    if (!painter.begin(&printer)) return 0;

    const double pageWidth = printer.width();
    const double pageHeight = printer.height();
    auto widthIn = [&](const QFont& font, QChar letter) {
        return QFontMetricsF(font, &printer).horizontalAdvance(QString(letters, letter));
    };
    QFont font = ListFont(12);
    if (widthIn(font, 'W') > pageWidth) {
        for (int size = 13; size >= 3; --size) {
            font.setPointSize(size);
            if (widthIn(font, 'M') <= pageWidth) break;
        }
    }
    painter.setFont(font);
    const QFontMetricsF metrics(font, &printer);
    const double line = metrics.lineSpacing();
    const double letter = metrics.horizontalAdvance('W');
    const double left = std::max(0.0, (pageWidth - letters * letter) / 2);
    const double right = left + letters * letter;
    std::vector<double> edges{left};
    for (int w : list.widths) edges.push_back(edges.back() + w * letter);

    // Line n (from 1) is the band [(n - 1) * line, n * line).
    auto band = [&](int n, double x0, double x1) {
        return QRectF(x0, (n - 1) * line, std::max(0.0, x1 - x0), line);
    };
    auto rule = [&](int n) { return (n - 0.5) * line; };
    auto drawCells = [&](int n, const QStringList& texts) {
        for (std::size_t c = 0; c + 1 < edges.size(); ++c) {
            const QString text = c < static_cast<std::size_t>(texts.size()) ? texts[c] : QString();
            painter.drawText(band(n, edges[c] + letter, edges[c + 1]),
                             Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
        }
    };

    const int perPage = std::max(1, static_cast<int>(pageHeight / line) - 10);
    const int rows = static_cast<int>(list.rows.size());
    int pages = 0;
    for (int first = 0; pages == 0 || first < rows; first += perPage) {
        if (pages > 0) printer.newPage();
        ++pages;
        painter.drawText(band(1, 0, pageWidth - letter), Qt::AlignRight | Qt::AlignVCenter,
                         QString("Pagina %1").arg(pages));
        painter.drawText(band(3, 0, pageWidth), Qt::AlignHCenter | Qt::AlignVCenter, list.title);
        painter.drawLine(QPointF(left, rule(5)), QPointF(right, rule(5)));
        painter.drawLine(QPointF(left, rule(7)), QPointF(right, rule(7)));
        for (double x : edges) painter.drawLine(QPointF(x, rule(5)), QPointF(x, rule(7)));
        drawCells(6, list.captions);
        for (int r = first; r < std::min(rows, first + perPage); ++r)
            drawCells(8 + r - first, list.rows[r]);
    }
    painter.end();
    return pages;
}

}  // namespace braxol::tables
