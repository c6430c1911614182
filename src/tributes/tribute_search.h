#pragma once
// The search of the tribute records of a reference year: the records E or R of a range of
// periods, as a printed list and as a semicolon-separated file RICERCA_E.CSV / RICERCA_R.CSV
// in the temporary folder (Windows-1252, CR LF, a header line, every field followed by ";").
// Superseded records and cancellation records are listed too, struck out in the report.

#include <QString>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "reports/report.h"
#include "store/records.h"
#include "store/work_folders.h"

namespace braxol::tributes {

namespace fs = std::filesystem;

enum class TributeKind { Excise, Correction };  // records E, records R

// "E" or "R".
std::string_view KindLetter(TributeKind kind);

struct SearchRange {
    int year = 0;        // the reference year whose tribute file is read
    int fromPeriod = 0;  // 1..12, the month of the start field
    int toPeriod = 0;    // 1..22
};

// What is wrong with the typed range, in the order the fields are checked.
enum class RangeError { None, Start, Year, End, EndBeforeStart };

struct RangeCheck {
    RangeError error = RangeError::None;
    SearchRange range;
};

// The start field "mm/yyyy" (a month 01..12 and a year 2000..2100) and the end period 1..22,
// not before the start.
RangeCheck CheckSearchRange(std::string_view start, std::string_view end);

// The records of the kind, in file order, whose period lies in the range; only the sent ones
// (NUMFLU > 0) when `sentOnly`.
std::vector<TMOVIMENTO> ListedTributes(const std::vector<TMOVIMENTO>& tributes, TributeKind kind,
                                       const SearchRange& range, bool sentOnly);

// Header line and record lines, without the line end.
std::string CsvHeader(TributeKind kind);
std::string CsvLine(const TMOVIMENTO& record, TributeKind kind);
// The whole file: the header and one line per record, each ended by CR LF.
std::string SearchCsv(const std::vector<TMOVIMENTO>& listed, TributeKind kind);

// The temporary folder's RICERCA_E.CSV or RICERCA_R.CSV.
fs::path SearchCsvPath(const WorkFolders& folders, TributeKind kind);

// The flow column: MMDD.Cnn for a record sent with a real flow date, a blank otherwise.
std::string FlowColumn(const TMOVIMENTO& record);

// The list, landscape, one ruled row per record; `heading` is centred on top of each page.
reports::Report SearchReport(const std::vector<TMOVIMENTO>& listed, TributeKind kind,
                             const QString& heading);

struct SearchOutcome {
    std::vector<TMOVIMENTO> listed;
    reports::Report report;
    fs::path csv;
};

// Reads REGISTRI/<year>.DER (created empty when missing), rewrites the CSV file and draws the
// report. Throws IoError; a damaged tribute file leaves the CSV file as it was.
SearchOutcome RunTributeSearch(const WorkFolders& folders, TributeKind kind,
                               const SearchRange& range, bool sentOnly, const QString& heading);

}  // namespace braxol::tributes
