#include "tributes/period_total.h"

#include <map>
#include <memory>
#include <stdexcept>
#include <string>

#include "store/movements.h"
#include "store/numbers.h"
#include "store/record_file.h"
#include "store/tables.h"

namespace braxol::tributes {
namespace {

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
    for (const TMOVIMENTO& r : registerRecords) {
        if (!Counts(r, days)) continue;
        ++result.counted;
        TMOVIMENTO copy = r;
        copy.GRAPLA = RoundDecimals(copy.GRAPLA, 5);
        result.total += copy.ACCISA;
        if (const auto rate = rateAt(copy.DATMOV)) copy.ACCISA = *rate;
        bool merged = false;
        for (TMOVIMENTO& s : result.summary) {
            if (RoundDecimals(s.GRAPLA, 5) == RoundDecimals(copy.GRAPLA, 5) &&
                RoundDecimals(s.ACCISA, 2) == RoundDecimals(copy.ACCISA, 2)) {
                s.LITPRO += copy.LITPRO;
                merged = true;
                break;
            }
        }
        if (!merged) result.summary.push_back(copy);
    }
    return result;
}

PeriodTotal ComputePeriodTotal(const WorkFolders& folders, int year, std::string_view code) {
    const auto days = PeriodBounds(code, year);
    if (!days) throw std::invalid_argument("periodo non valido: " + std::string(code));
    const PeriodTotal total = TotalOfPeriod(ScanMovements(RegisterFile(folders, year)), *days,
                                            ExciseRates(folders.datiGen));
    RebuildWorkingFile<TMOVIMENTO>(SummaryFile(folders), total.summary);
    return total;
}

}  // namespace braxol::tributes
