#pragma once
// The excise of a tax period over the production register REGISTRI/<year>.RGM, and its working
// file RIEP.DAT in the temporary folder: the litres of the period by degrees Plato and excise
// rate.
//
// A register record counts when it is an active insertion (STATO other than "C", TIPRIC "I")
// of excise code "001" dated within the period: washes, cancellation records and the records
// that a rectification superseded never count, while the replacing records of rectifications
// (STATO "R") do. The total is the sum of the excise stored in the counted productions; the
// rate is not applied again. Every stored figure is taken as its nearest 5-decimal value and
// summed exactly (store/decimal.h).

#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "store/decimal.h"
#include "store/records.h"
#include "store/work_folders.h"
#include "tributes/periods.h"

namespace braxol::tributes {

struct PeriodTotal {
    Decimal total;    // sum of ACCISA of the counted productions, exact, not rounded further
    int counted = 0;  // how many productions counted
    // RIEP.DAT: for each distinct pair (GRAPLA rounded to 5 decimals, rate), a copy of the
    // first production of the pair with ACCISA := the rate and LITPRO := the litres of all
    // the period's productions of that pair.
    std::vector<TMOVIMENTO> summary;
};

// The rate in force on a day, rounded to 2 decimals; nothing when no rate is in force.
using RateAt = std::function<std::optional<double>(double day)>;

// The rates of DATI_GEN/ACCISE.TAB, each day looked up once. Throws IoError.
RateAt ExciseRates(const fs::path& datiGen);

// The total over register records already read. A production whose day has no rate in force
// keeps its own excise amount in the ACCISA of its summary copy. Throws DecimalOverflow for
// figures beyond any register.
PeriodTotal TotalOfPeriod(const std::vector<TMOVIMENTO>& registerRecords, const PeriodDays& days,
                          const RateAt& rateAt);

// Reads REGISTRI/<year>.RGM (created empty when missing), computes the total of the period and
// rebuilds RIEP.DAT in the temporary folder, whatever it held. Throws IoError
// (DamagedFileError for a damaged register, which is then not written; an IoError naming the
// register when it holds figures beyond any register, which then cannot be totalled);
// std::invalid_argument for a code that is not a period.
PeriodTotal ComputePeriodTotal(const WorkFolders& folders, int year, std::string_view code);

// The working file of the period totals.
fs::path SummaryFile(const WorkFolders& folders);

}  // namespace braxol::tributes
