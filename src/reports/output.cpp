#include "reports/output.h"

#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <optional>

#include "ui/seams.h"

namespace braxol::reports {

QPageLayout LayoutOf(const Page& page) {
    return QPageLayout(QPageSize(QPageSize::A4), page.orientation, QMarginsF(0, 0, 0, 0),
                       QPageLayout::Point);
}

namespace {

// Sets the painter so that one unit is one point of the page, on the device's current sheet:
// from the sheet's corner even where the printable area starts inside it, and turned a quarter
// clockwise when the sheet's orientation is not the page's.
void PlacePage(QPainter& painter, const QPagedPaintDevice& device, const Page& page) {
    const int dpi = device.logicalDpiX();
    const QPageLayout sheet = device.pageLayout();
    const QRectF paper = sheet.fullRectPixels(dpi);
    const QRectF paint = sheet.paintRectPixels(dpi);
    painter.resetTransform();
    painter.translate(paper.left() - paint.left(), paper.top() - paint.top());
    painter.scale(dpi / 72.0, dpi / 72.0);
    if (sheet.orientation() != page.orientation) {
        painter.translate(sheet.fullRect(QPageLayout::Point).width(), 0);
        painter.rotate(90);
    }
}

const PenSpec kTextPen{0, Qt::black};

}  // namespace

void PaintPage(const Page& page, QPainter& painter) {
    // The painter draws in points, but a font's point size is taken at the device's own
    // resolution: it is brought back to one point per unit, so that text is laid out at the
    // size at which it was measured.
    const double fontScale = 72.0 / painter.device()->logicalDpiY();
    painter.setBrush(Qt::NoBrush);
    // Font and pen are set only when they change: setting them costs more than the drawing.
    std::optional<FontSpec> font;
    std::optional<PenSpec> pen;
    auto usePen = [&](const PenSpec& wanted) {
        if (pen == wanted) return;
        painter.setPen(QPen(wanted.color, wanted.width));
        pen = wanted;
    };
    for (const DrawCommand& c : page.commands) {
        switch (c.kind) {
            case DrawCommand::Kind::Text:
                if (font != c.font) {
                    QFont f = ToQFont(c.font);
                    f.setPointSizeF(c.font.size * fontScale);
                    painter.setFont(f);
                    font = c.font;
                }
                usePen(kTextPen);
                painter.drawText(QPointF(c.box.left(), c.baseline), c.text);
                break;
            case DrawCommand::Kind::Line:
                usePen(c.pen);
                painter.drawLine(c.box.topLeft(), c.box.bottomRight());
                break;
            case DrawCommand::Kind::Rectangle:
                usePen(c.pen);
                painter.drawRect(c.box);
                break;
            case DrawCommand::Kind::Picture:
                painter.drawImage(c.box, c.picture);
                break;
        }
    }
}

bool PaintReport(const Report& report, QPagedPaintDevice& device) {
    const auto& pages = report.pages();
    device.setPageLayout(LayoutOf(pages.front()));
    QPainter painter;
    if (!painter.begin(&device)) return false;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (i > 0) {
            // A new layout applies from the next new page; a device may refuse it (PlacePage).
            device.setPageLayout(LayoutOf(pages[i]));
            if (!device.newPage()) return false;
        }
        PlacePage(painter, device, pages[i]);
        PaintPage(pages[i], painter);
    }
    return painter.end();
}

bool PrintReport(const Report& report, QPrinter& printer) {
    printer.setFullPage(true);
    return PaintReport(report, printer);
}

bool SaveReportPdf(const Report& report, const QString& path) {
    QPdfWriter writer(path);
    writer.setResolution(300);
    writer.setCreator("BRAXOL");
    return PaintReport(report, writer);
}

bool PrintWithDialog(const Report& report, QWidget* parent) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(LayoutOf(report.pages().front()));
    if (!ui::Seams::print().choosePrinter(parent, printer)) return false;
    return PrintReport(report, printer);
}

}  // namespace braxol::reports
