#pragma once
// FMOSTRADETT: every field of one production or wash on a single landscape page, one label
// per line right-aligned at the same point and its value after it. The window itself is never
// shown: only the report, in the preview.

#include <QString>

#include "reports/report.h"
#include "store/records.h"

class QWidget;

namespace braxol::production {

// The note box of the report is this many points wide.
inline constexpr double kNoteWidth = 500;

// The report of the record. `userCode` is the company's CODUTE, which names the flow files.
reports::Report DetailsReport(const TMOVIMENTO& record, const QString& userCode);

// The report in the preview, zoomed to the whole page.
void ShowDetails(QWidget* parent, const TMOVIMENTO& record, const QString& userCode);

}  // namespace braxol::production
