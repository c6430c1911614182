#include "reports/output.h"

#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include "ui/seams.h"

namespace braxol::reports {
namespace {}  // namespace

QPageLayout LayoutOf(const Page& page) {
    return QPageLayout(QPageSize(QPageSize::A4), page.orientation, QMarginsF(0, 0, 0, 0),
                       QPageLayout::Point);
}

namespace {

// Sets the painter so that one unit is one point of the full page.
void ScaleToPoints(QPainter& painter, QPagedPaintDevice& device) {
    const double dotsPerPoint = device.logicalDpiX() / 72.0;
    painter.resetTransform();
    // The printable area may start inside the paper: undo that offset.
    const QRectF paper = device.pageLayout().fullRectPixels(device.logicalDpiX());
    const QRectF paint = device.pageLayout().paintRectPixels(device.logicalDpiX());
    painter.translate(paper.left() - paint.left(), paper.top() - paint.top());
    painter.scale(dotsPerPoint, dotsPerPoint);
}

bool PaintAll(const Report& report, QPagedPaintDevice& device) {
    const auto& pages = report.pages();
    // The preview hands over a device already painting, whose layout is fixed.
    // A printer keeps the layout it started with (the preview hands one over already
    // started); a PDF file takes each page's own orientation.
    auto* printer = dynamic_cast<QPrinter*>(&device);
    const bool started = printer && printer->printerState() == QPrinter::Active;
    if (!started) device.setPageLayout(LayoutOf(pages.front()));
    QPainter painter;
    if (!painter.begin(&device)) return false;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (i > 0) {
            if (!printer) device.setPageLayout(LayoutOf(pages[i]));
            device.newPage();
        }
        ScaleToPoints(painter, device);
        PaintPage(pages[i], painter, LayoutOf(pages[i]).fullRect(QPageLayout::Point));
    }
    return painter.end();
}

}  // namespace

void PaintPage(const Page& page, QPainter& painter, const QRectF&) {
    // The painter draws in points; a font's point size, though, is taken at the device's own
    // resolution, so it is brought back to one point per unit.
    const double fontScale = 72.0 / painter.device()->logicalDpiY();
    for (const DrawCommand& c : page.commands) {
        switch (c.kind) {
            case DrawCommand::Kind::Text: {
                QFont font = ToQFont(c.font);
                font.setPointSizeF(c.font.size * fontScale);
                painter.setFont(font);
                painter.setPen(Qt::black);
                painter.drawText(c.box, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, c.text);
                break;
            }
            case DrawCommand::Kind::Line:
                painter.setPen(QPen(c.pen.color, c.pen.width));
                painter.drawLine(c.box.topLeft(), c.box.bottomRight());
                break;
            case DrawCommand::Kind::Rectangle:
                painter.setPen(QPen(c.pen.color, c.pen.width));
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(c.box);
                break;
            case DrawCommand::Kind::Picture:
                painter.drawImage(c.box, c.picture);
                break;
        }
    }
}

bool PrintReport(const Report& report, QPrinter& printer) {
    if (printer.printerState() != QPrinter::Active) printer.setFullPage(true);
    return PaintAll(report, printer);
}

bool SaveReportPdf(const Report& report, const QString& path) {
    QPdfWriter writer(path);
    writer.setResolution(300);
    writer.setCreator("BRAXOL");
    return PaintAll(report, writer);
}

bool PrintWithDialog(const Report& report, QWidget* parent) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(LayoutOf(report.pages().front()));
    if (!ui::Seams::print().choosePrinter(parent, printer)) return false;
    return PrintReport(report, printer);
}

}  // namespace braxol::reports
