#pragma once
// The summary of a period's production of bulk beer ("RIEPILOGO CARICHI"): litres,
// hectolitre-degrees and excise paid of the productions of a range of dates, on one page laid
// out as the register of finished bulk products. Only the start year's file is read.

#include <QString>
#include <string>
#include <vector>

#include "reports/report.h"
#include "store/date_range.h"
#include "store/decimal.h"
#include "store/records.h"
#include "store/work_folders.h"

namespace braxol::production {

struct PeriodTotals {
    Decimal litres;
    Decimal degrees;
    Decimal excise;
    std::string productCode;  // PRODDO of the last production counted, trimmed
};

// The productions of the range that are neither superseded nor cancellation records (each
// value rounded to 5, 5 and 2 decimals before adding, sums exact); washes are not counted.
// Throws DecimalOverflow for figures beyond any register.
PeriodTotals TotalsOfPeriod(const std::vector<TMOVIMENTO>& yearFile, const DateRange& range);

// The page. `company` trimmed.
reports::Report PeriodSummary(const PeriodTotals& totals, const DateRange& range,
                              const TUTENTE& company);

// Reads REGISTRI/<year of the start>.RGM (created empty when missing) and draws the page.
// Throws IoError (figures beyond any register included).
reports::Report RunPeriodSummary(const WorkFolders& folders, const DateRange& range,
                                 const TUTENTE& company);

}  // namespace braxol::production
