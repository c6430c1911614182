#pragma once
// Where a report goes: the screen preview (from which the user prints it or saves a PDF), the
// printer, or straight to a PDF file. Every page goes out in its own orientation.

#include <QString>

#include "reports/report.h"

class QPagedPaintDevice;
class QPainter;
class QPrinter;
class QWidget;

namespace braxol::reports {

// A4 without margins, in the page's orientation.
QPageLayout LayoutOf(const Page& page);

// Draws one page on a painter whose coordinates are points of the page.
void PaintPage(const Page& page, QPainter& painter);

// Draws every page on a paged device (a printer, a PDF writer), each on a sheet of its own
// orientation. A device that keeps the orientation it started with gets the pages of the other
// orientation turned a quarter on its sheets. False when the device cannot be painted on.
bool PaintReport(const Report& report, QPagedPaintDevice& device);

// Prints every page on the printer; false when it cannot be started.
bool PrintReport(const Report& report, QPrinter& printer);
// Writes the report as a PDF file; false when the file cannot be written.
bool SaveReportPdf(const Report& report, const QString& path);
// Asks for a printer through the print seam and prints; false when cancelled or failed.
bool PrintWithDialog(const Report& report, QWidget* parent);

// How the preview shows a page: all of it, or as wide as the window with a scroll bar.
enum class Zoom { WholePage, PageWidth };

// The modal preview, with "Stampa" and "Salva PDF".
void ShowPreview(const Report& report, const QString& title, QWidget* parent,
                 Zoom zoom = Zoom::WholePage);

}  // namespace braxol::reports
