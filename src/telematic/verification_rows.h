#pragma once
// The rows of the verification window's list: the records of a year's files that carry a
// flow's date and number, as the user recognises them.

#include <QStringList>

#include "store/records.h"
#include "store/work_folders.h"

namespace braxol::telematic {

// " <CANCELLA> " for a cancellation, " <INS> " for an insertion.
QString FlowMarker(const TMOVIMENTO& trimmed);

// The records of REGISTRI/<year>.RGM, then of .DER, whose DATFLU lies within 0.1 day of the
// flow date (a time of day does not hide them) and whose NUMFLU is the flow number. Rows are
// numbered from 2. The files are created when missing. Throws IoError.
QStringList VerificationRows(const WorkFolders& folders, int year, double flowDate, int flowNumber);

}  // namespace braxol::telematic
