#pragma once
// The search of the raw-material movements of a date range, for one material or all of them
// ("TUTTE"): a printed list with the totals of the loads and unloads, and the file
// RICERCA_MP.CSV in the temporary folder (Windows-1252, CR LF, a header line, every field
// followed by ";").

#include <QString>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "reports/report.h"
#include "store/records.h"
#include "store/work_folders.h"

namespace braxol::rawmaterials {

namespace fs = std::filesystem;

// The material field's word for every material.
inline constexpr std::string_view kAllMaterials = "TUTTE";
inline constexpr std::string_view kSearchCsvName = "RICERCA_MP.CSV";

// The movements dated from `from` to `to` (both included) of the material (Windows-1252,
// compared padded to 21 characters) or of every material for "TUTTE", over the yearly files of
// the years of the two dates (created empty when missing), each in file order. Throws IoError.
std::vector<TMOVIMENTO> SearchedMovements(const fs::path& registri, double from, double to,
                                          std::string_view material);

// Whether the date is valid and of a year from 2000 to 2100, as the search and totals windows
// accept it.
bool InReportYears(const std::optional<double>& date);

struct SearchTotals {
    double loads = 0;
    double unloads = 0;
    double difference = 0;  // loads less unloads
};
// The loads and unloads listed: the exact decimal sums of the quantities, each taken to 5
// decimals. Throws DecimalOverflow beyond the figures of any register.
SearchTotals TotalsOf(const std::vector<TMOVIMENTO>& listed);

std::string SearchCsvHeader();
// A movement's line, its texts trimmed, without the line end.
std::string SearchCsvLine(const TMOVIMENTO& movement);
std::string SearchCsv(const std::vector<TMOVIMENTO>& listed);
fs::path SearchCsvPath(const WorkFolders& folders);

// The list, landscape, one ruled row per movement, the totals and the difference at the end;
// `heading` is centred on top of each page.
reports::Report SearchReport(const std::vector<TMOVIMENTO>& listed, const QString& heading);

struct SearchOutcome {
    std::vector<TMOVIMENTO> listed;
    reports::Report report;
    fs::path csv;
};
// Reads the movements, rewrites the CSV file and draws the list. Throws IoError (quantities
// beyond any total included); a damaged yearly file leaves the CSV file as it was.
SearchOutcome RunMaterialSearch(const WorkFolders& folders, double from, double to,
                                std::string_view material, const QString& heading);

}  // namespace braxol::rawmaterials
