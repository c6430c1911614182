// What the flow sends is what the record stores: the dec5 and dec2 columns written from the
// exact decimal of each stored Double, against an exact reference over a seeded stream, and a
// production's line from its figures as the production routines compute them.

#include <gtest/gtest.h>

#include <string>

#include "flow_test_support.h"
#include "production/brew_computation.h"
#include "store/numbers.h"
#include "support/decimal_reference.h"
#include "telematic/flow_file.h"

namespace braxol {
namespace {

using namespace braxol::test;
using namespace braxol::telematic;

TEST(FlowFiguresProperty, ColumnsCarryTheStoredDecimals) {
    Draws draw(619);
    for (int i = 0; i < 100'000 && !testing::Test::HasFailure(); ++i) {
        // A figure with 5 decimals up to ten billion (a Double holds every one of them), a
        // fifth of them a half cent.
        std::int64_t units = draw.between(0, 1'000'000'000'000'000);
        if (draw.chance(20)) units = units / 1000 * 1000 + 500;
        if (draw.chance(20)) units = -units;
        const Exact exact = ExactUnits(units, 5);
        const double stored = NearestDouble(exact);
        EXPECT_EQ(FlowDecimal(stored, 5), Fixed(exact, 5)) << Fixed(exact, 5);
        EXPECT_EQ(FlowDecimal(stored, 2), Fixed(ProgramRound(exact, 2), 2)) << Fixed(exact, 5);
    }
}

// 18.432,05865 litres at 10,0 degrees Plato and 2,99 euro: the line carries 1843.20587
// hectolitre-degrees and 5511.19 euro, as the brewer computes them by hand.
TEST(FlowFiguresProperty, ProductionLineCarriesTheExactFigures) {
    const production::BrewFigures f =
        production::ComputeBrew(Decimal::FromDouble(ParseAmount("18.432,05865", 5)),
                                Decimal::FromDouble(ParseAmount("10,0", 5)), "IT00MIA00123X",
                                Decimal::Parse("2,99"), Decimal());
    TMOVIMENTO r = Stored(Production(Day(2017, 3, 14), 1000, 19432), 1, 1);
    r.LITPRO = f.litres.ToDouble();
    r.GRAPLA = f.plato.ToDouble();
    r.ETTOGR = f.hectolitreDegrees.ToDouble();
    r.ACCISA = f.excise.ToDouble();
    const std::string line = MovementDetailLine(GoldenCompany(), r, Day(2017, 3, 15));
    EXPECT_NE(line.find("\t18432.05865\t1000\t19432\t1843.20587\t10.00000\t"), std::string::npos)
        << line;
    EXPECT_NE(line.find("\t5511.19\t"), std::string::npos) << line;
}

}  // namespace
}  // namespace braxol
