#pragma once
// The searches of the register: the productions and washes of a range of dates, read from the
// yearly register files of every year of the range, as a printed list and as a semicolon-
// separated file in the temporary folder (Windows-1252, CR LF, a header line, every field
// followed by ";", fields holding ";", quotes or line breaks quoted).
//
// Five searches, each with its own export file:
//   productions and washes   RICERCA_PL.CSV   every record, superseded ones struck out
//   productions              RICERCA_P.CSV    productions; only the active ones exported
//   sent productions         RICERCA_p.CSV    productions sent with a flow
//   washes                   RICERCA_L.CSV    washes; no totals
//   sent washes              RICERCA_l.CSV    washes sent with a flow
// RICERCA_P.CSV and RICERCA_p.CSV (and the two of the washes) are different files: the names
// are used exactly as they are, never matched to a file of other letter case.

#include <QChar>
#include <QString>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "reports/report.h"
#include "store/date_range.h"
#include "store/decimal.h"
#include "store/records.h"
#include "store/work_folders.h"

namespace braxol::production {

namespace fs = std::filesystem;

enum class SearchKind { All, Productions, SentProductions, Washes, SentWashes };

// The search of a window's mode: none for the productions-and-washes window, "P" or "p" for
// the productions window, "L" or "l" for the washes window.
std::optional<SearchKind> SearchKindOfMode(QChar mode, bool washesWindow);

// "Ricerca Produzioni e Lavaggi ", "Ricerca Produzioni", "Ricerca Produzioni inviate",
// "Ricerca Lavaggi", "Ricerca Lavaggi inviati".
QString SearchCaption(SearchKind kind);

// The temporary folder's RICERCA_PL.CSV, RICERCA_P.CSV, RICERCA_p.CSV, RICERCA_L.CSV or
// RICERCA_l.CSV, by that exact name.
fs::path SearchCsvPath(const WorkFolders& folders, SearchKind kind);

// Whether the search takes the record (the date aside).
bool SearchTakes(SearchKind kind, const TMOVIMENTO& r);
// Neither superseded nor a cancellation record: printed plain and exported by every search.
bool IsActive(const TMOVIMENTO& r);

// The records of REGISTRI/<year>.RGM, year after year from the start's year to the end's,
// each file in file order, that the search takes within the range (missing files are created
// empty). Throws IoError.
std::vector<TMOVIMENTO> SearchRecords(const WorkFolders& folders, SearchKind kind,
                                      const DateRange& range);

struct SearchTotals {
    Decimal litres;
    Decimal degrees;
    Decimal excise;
};
// Over the productions that are neither superseded nor cancellation records: exact sums of the
// stored figures, the excise of each rounded to 2 decimals. Throws DecimalOverflow for figures
// beyond any register.
SearchTotals TotalsOf(SearchKind kind, const std::vector<TMOVIMENTO>& records);

// The export file: the header line and the lines of the exported records, each ended by CR LF.
std::string SearchCsv(SearchKind kind, const std::vector<TMOVIMENTO>& records);

// The printed list; `title` is centred on top of each page.
reports::Report SearchReport(SearchKind kind, const std::vector<TMOVIMENTO>& records,
                             const QString& title);

struct SearchOutcome {
    std::vector<TMOVIMENTO> records;
    reports::Report report;
    fs::path csv;
};

// Reads the records, rewrites the export file and draws the list. Throws IoError (figures beyond
// any register included); a register file that cannot be read leaves the export file as it was.
SearchOutcome RunRegisterSearch(const WorkFolders& folders, SearchKind kind, const DateRange& range,
                                const QString& title);

}  // namespace braxol::production
