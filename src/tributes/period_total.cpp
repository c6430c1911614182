#include "tributes/period_total.h"

#include <algorithm>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>

#include "store/io_error.h"
#include "store/movements.h"
#include "store/numbers.h"
#include "store/record_file.h"
#include "store/tables.h"

namespace braxol::tributes {
namespace {

// Why a register whose figures cannot be totalled is not used.
constexpr const char* kFiguresBeyondRange = "importi troppo grandi per il calcolo";

bool Counts(const TMOVIMENTO& r, const PeriodDays& days) {
    return !(r.STATO == "C") && r.TIPRIC == "I" && r.DATMOV >= days.first &&
           r.DATMOV <= days.last && r.CODACC == "001";
}

}  // namespace

fs::path SummaryFile(const WorkFolders& folders) {
    return folders.inTemp("RIEP.DAT");
}

RateAt ExciseRates(const fs::path& datiGen) {
    auto known = std::make_shared<std::map<double, std::optional<double>>>();
    return [datiGen, known](double day) -> std::optional<double> {
        const double key = RoundDecimals(day, 0);
        if (const auto it = known->find(key); it != known->end()) return it->second;
        const ExciseRate rate = ExciseRateAt(datiGen, RateMode::InForce, key);
        std::optional<double> result;
        if (rate.found) result = RoundDecimals(rate.record.num[kExciseRateSlot], 2);
        known->emplace(key, result);
        return result;
    };
}

PeriodTotal TotalOfPeriod(const std::vector<TMOVIMENTO>& registerRecords, const PeriodDays& days,
                          const RateAt& rateAt) {
    PeriodTotal result;
    // For each summary record: its Plato and rate, and the exact sum of its litres.
    struct Pair {
        Decimal plato;
        Decimal rate;
        Decimal litres;
    };
    std::vector<Pair> pairs;
    for (const TMOVIMENTO& r : registerRecords) {
        if (!Counts(r, days)) continue;
        ++result.counted;
        TMOVIMENTO copy = r;
        const Decimal plato = Decimal::FromDouble(r.GRAPLA);
        copy.GRAPLA = plato.ToDouble();
        result.total += Decimal::FromDouble(r.ACCISA);
        if (const auto rate = rateAt(copy.DATMOV)) copy.ACCISA = *rate;
        const Decimal rate = Decimal::FromDouble(copy.ACCISA).Rounded(2);
        const Decimal litres = Decimal::FromDouble(r.LITPRO);
        const auto same = std::find_if(pairs.begin(), pairs.end(), [&](const Pair& p) {
            return p.plato == plato && p.rate == rate;
        });
        if (same != pairs.end()) {
            same->litres += litres;
            result.summary[static_cast<std::size_t>(same - pairs.begin())].LITPRO =
                same->litres.ToDouble();
        } else {
            pairs.push_back({plato, rate, litres});
            result.summary.push_back(copy);
        }
    }
    return result;
}

PeriodTotal ComputePeriodTotal(const WorkFolders& folders, int year, std::string_view code) {
    const auto days = PeriodBounds(code, year);
    if (!days) throw std::invalid_argument("periodo non valido: " + std::string(code));
    const fs::path registerFile = RegisterFile(folders, year);
    PeriodTotal total;
    try {
        total = TotalOfPeriod(ScanMovements(registerFile), *days, ExciseRates(folders.datiGen));
    } catch (const DecimalOverflow&) {
        throw IoError(registerFile.string(), kFiguresBeyondRange);
    }
    RebuildWorkingFile<TMOVIMENTO>(SummaryFile(folders), total.summary);
    return total;
}

}  // namespace braxol::tributes
