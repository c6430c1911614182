// The totals of the tax periods and the amounts of the records R against an exact decimal
// reference, over a seeded stream of realistic entries: excise amounts with 2 decimals (and 5
// where typed by hand), litres with up to 5 decimals, amounts typed with more decimals than
// are kept, the halves at the 3rd and at the 6th decimal among them.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "store/numbers.h"
#include "support/decimal_reference.h"
#include "tributes/period_total.h"
#include "tributes/tribute_records.h"
#include "tributes_test_support.h"

namespace braxol {
namespace {

using namespace braxol::test;
using namespace braxol::tributes;

std::int64_t Pow10(int n) {
    std::int64_t p = 1;
    while (n-- > 0) p *= 10;
    return p;
}

constexpr int kYear = 2015;
constexpr const char* kPeriods[] = {"01", "02", "03", "04", "05", "06", "07",
                                    "08", "09", "10", "11", "21", "22"};
// The rate in force on a day: it changes on the 10th of each month (2 decimals, as the
// period totals take it).
std::optional<double> RateOn(double day) {
    const auto date = CivilFromDate(day);
    return date && date->day < 10 ? 2.99 : 3.04;
}
// The Plato values of the stream, so that productions share their (Plato, rate) pair.
constexpr std::int64_t kPlato[] = {1250, 1400, 1125, 1633, 1800};  // hundredths

// The total of each period over 100.000 productions, and the litres of each (Plato, rate)
// pair of its working file, as exact sums of the stored figures.
TEST(TributeFiguresProperty, PeriodTotalsAreExactSums) {
    Draws draw(19);
    int productions = 0;
    for (int round = 0; productions < 100'000 && !testing::Test::HasFailure(); ++round) {
        const char* code = kPeriods[round % std::size(kPeriods)];
        const PeriodDays days = *PeriodBounds(code, kYear);
        std::vector<TMOVIMENTO> records;
        Exact total = 0;
        std::vector<std::pair<std::pair<std::int64_t, double>, Exact>> litres;  // in order
        const int count = static_cast<int>(draw.between(0, 80));
        for (int i = 0; i < count; ++i) {
            const double day =
                days.first + static_cast<double>(draw.between(
                                 0, static_cast<std::int64_t>(days.last - days.first)));
            // The excise of a production: cents, or 5 decimals when typed by hand.
            const int exciseDecimals = draw.chance(10) ? 5 : 2;
            const Exact excise = ExactUnits(draw.between(0, 5'000'000) * Pow10(exciseDecimals - 2) +
                                                (exciseDecimals == 5 ? draw.between(0, 999) : 0),
                                            exciseDecimals);
            const int litreDecimals = static_cast<int>(draw.between(0, 5));
            const Exact litre =
                ExactUnits(draw.between(1, 50'000 * Pow10(litreDecimals)), litreDecimals);
            const std::int64_t plato = draw.oneOf(kPlato);
            records.push_back(ProductionWith(day, NearestDouble(excise),
                                             NearestDouble(ExactUnits(plato, 2)),
                                             NearestDouble(litre)));
            total += excise;
            const std::pair<std::int64_t, double> pair{plato, *RateOn(day)};
            auto same = std::find_if(litres.begin(), litres.end(),
                                     [&](const auto& p) { return p.first == pair; });
            if (same == litres.end())
                litres.push_back({pair, litre});
            else
                same->second += litre;
        }
        productions += count;

        const PeriodTotal computed = TotalOfPeriod(records, days, RateOn);
        const std::string what = std::string(code) + " round " + std::to_string(round);
        EXPECT_EQ(computed.counted, count) << what;
        EXPECT_EQ(computed.total.Plain(5), Fixed(total, 5)) << what;
        EXPECT_EQ(computed.total.Format(0, 2),
                  FormatAmount(NearestDouble(ProgramRound(total, 2)), 0, 2))
            << what;
        ASSERT_EQ(computed.summary.size(), litres.size()) << what;
        for (std::size_t k = 0; k < litres.size(); ++k) {
            EXPECT_EQ(computed.summary[k].LITPRO, NearestDouble(litres[k].second)) << what;
            EXPECT_EQ(computed.summary[k].ACCISA, litres[k].first.second) << what;
        }
    }
    EXPECT_GE(productions, 100'000);
}

// A typed amount of a record R: up to 6 decimals, a tenth of them negative; a fifth with a 5
// as their 3rd and last decimal, a tenth with 4995 as their 3rd to 6th decimals (which reduce
// to a half cent at 5 decimals, and so go up).
std::pair<std::string, Exact> TypedAmount(Draws& draw) {
    static constexpr int kDecimals[] = {0, 1, 2, 2, 3, 5, 6};
    int decimals = draw.oneOf(kDecimals);
    std::int64_t units =
        draw.between(0, 100'000) * Pow10(decimals) + draw.between(0, Pow10(decimals) - 1);
    if (draw.chance(20)) {
        decimals = 3;
        units = draw.between(0, 10'000'000) * 10 + 5;
    } else if (draw.chance(10)) {
        decimals = 6;
        units = draw.between(0, 10'000'000) * 10'000 + 4995;
    }
    if (draw.chance(10)) units = -units;
    return {ItalianText(units, decimals, draw.chance(50)), ExactUnits(units, decimals)};
}

TEST(TributeFiguresProperty, CorrectionAmountsAreTheTypedDecimalsToTheCent) {
    Draws draw(1919);
    for (int i = 0; i < 100'000 && !testing::Test::HasFailure(); ++i) {
        CorrectionEntry e;
        e.year = "2015";
        e.period = "04";
        Exact expected[CorrectionEntry::kAmounts];
        for (int a = 0; a < CorrectionEntry::kAmounts; ++a) {
            auto [text, exact] = TypedAmount(draw);
            e.amounts[static_cast<std::size_t>(a)] = text;
            expected[a] = ProgramRound(exact, 2);
        }
        const TMOVIMENTO r = ComposeCorrection(e);
        const auto stored = CorrectionAmounts(r);
        for (int a = 0; a < CorrectionEntry::kAmounts; ++a)
            EXPECT_EQ(stored[static_cast<std::size_t>(a)], NearestDouble(expected[a]))
                << '"' << e.amounts[static_cast<std::size_t>(a)] << '"';
    }
}

// Halves reached only through the 6th decimal: "23.320,984995" reduces to 23.320,98500, a half
// cent, and so goes to 23.320,99 (the binary reading rounded it down to 23.320,98).
TEST(TributeFiguresProperty, HalfCentReachedAtTheSixthDecimalGoesUp) {
    CorrectionEntry e;
    e.amounts = {"23.320,984995", "-0,004995", "2,675", "1,005", "12,344995", "0,0049949"};
    const auto stored = CorrectionAmounts(ComposeCorrection(e));
    const double expected[] = {23320.99, -0.01, 2.68, 1.01, 12.35, 0};
    for (std::size_t a = 0; a < stored.size(); ++a)
        EXPECT_EQ(stored[a], expected[a]) << e.amounts[a];
}

}  // namespace
}  // namespace braxol
