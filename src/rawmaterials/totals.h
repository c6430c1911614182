#pragma once
// The totals per raw material, kept in TOTALI.MP in the temporary folder for the balance and
// printed by the totals window: one movement record per material met (a copy of its first
// movement) whose ETTOGR holds the stock brought forward from the years before, COERES the
// loads of the year and LITPRO its unloads. The figures are computed here, without a window.

#include <QString>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "reports/report.h"
#include "store/records.h"
#include "store/work_folders.h"

namespace braxol::rawmaterials {

namespace fs = std::filesystem;

inline constexpr std::string_view kTotalsFileName = "TOTALI.MP";

// The totals of `year` over the files REGISTRI/<y>.MPR from 2014 to that year (created empty
// when missing), each read in file order. A load ("C") of the year adds to COERES, any other
// movement of the year to LITPRO; one of an earlier year adds to ETTOGR or takes from it.
// Quantities are rounded to 5 decimals. With `upTo`, movements dated after it are passed by.
// None for a year before 2014. Throws IoError.
std::vector<TMOVIMENTO> MaterialTotals(const fs::path& registri, int year,
                                       std::optional<double> upTo = std::nullopt);

// The stock at the end: brought forward, plus the loads, less the unloads.
double RemainingStock(const TMOVIMENTO& total);

// Rebuilds TOTALI.MP in the temporary folder with the totals. Throws IoError.
fs::path WriteTotals(const WorkFolders& folders, const std::vector<TMOVIMENTO>& totals);

// "Totali delle materie prime al <date>": a row per material, portrait, a page after another
// when the materials do not fit on one.
reports::Report TotalsReport(const std::vector<TMOVIMENTO>& totals, double date);

// The totals at a date (its year from 2014), written to TOTALI.MP and drawn. Throws IoError.
struct TotalsOutcome {
    std::vector<TMOVIMENTO> totals;
    reports::Report report;
};
TotalsOutcome RunMaterialTotals(const WorkFolders& folders, double date);

// A quantity as the raw-material lists print it: Italian format, as many decimals as it has.
QString QuantityText(double quantity);

}  // namespace braxol::rawmaterials
