#pragma once
// The records of one flow in a year's registers, and the rows in which the verification and
// detach windows list them, as the user recognises them.

#include <QStringList>
#include <functional>
#include <vector>

#include "store/records.h"
#include "store/work_folders.h"

namespace braxol::telematic {

// The records of REGISTRI/<year>.RGM, then those of .DER that are records E or R, that
// `ofFlow` takes, as stored, in file order. The files are created when missing. Throws
// IoError.
std::vector<TMOVIMENTO> FlowRecordsOfYear(const WorkFolders& folders, int year,
                                          const std::function<bool(const TMOVIMENTO&)>& ofFlow);

// How a production reads: "Num.<document>" in the verification window, "doc.<document> del
// <date>" (as in the flow window) in the detach window. Washes and records E and R read alike.
enum class FlowRowStyle { Verification, Detach };

// The rows of records as FlowRecordsOfYear gives them, "<n> | ...", numbered from 2.
QStringList FlowRows(const std::vector<TMOVIMENTO>& records, FlowRowStyle style);

// The verification window's rows: the records whose DATFLU lies within 0.1 day of the flow
// date (a time of day does not hide them) and whose NUMFLU is the flow number.
QStringList VerificationRows(const WorkFolders& folders, int year, double flowDate, int flowNumber);

}  // namespace braxol::telematic
