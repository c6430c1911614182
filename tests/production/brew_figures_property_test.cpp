// The figures of a production against an exact decimal reference: a seeded stream of
// realistic entries (litre counters, energy meters with their coefficients, litres typed with
// up to 5 decimals, Plato with 1 or 2 decimals, the rates in use, provinces with and without
// whole degrees), with the halves at the 6th decimal that binary arithmetic gets wrong, each
// taken as the production window takes it: typed text read with 5 decimals, the figures stored
// as Doubles.

#include <gtest/gtest.h>

#include <numeric>
#include <optional>
#include <string>
#include <utility>

#include "production/brew_computation.h"
#include "store/numbers.h"
#include "support/decimal_reference.h"

namespace braxol {
namespace {

using namespace braxol::production;
using test::Draws;
using test::Exact;
using test::ExactUnits;
using test::Fixed;
using test::ItalianText;
using test::NearestDouble;
using test::ProgramRound;

std::int64_t Pow10(int n) {
    std::int64_t p = 1;
    while (n-- > 0) p *= 10;
    return p;
}

// A number as the user types it, and its exact value.
struct Typed {
    std::string text;
    Exact exact;
};

Typed TypedUnits(std::int64_t units, int decimals, bool trimZeros = true) {
    return {ItalianText(units, decimals, trimZeros), ExactUnits(units, decimals)};
}

// The rates of the excise table in use, in thousandths of a euro per hectolitre-degree.
constexpr std::int64_t kRates[] = {2990, 2970, 1794, 2392, 3040};

struct Province {
    const char* exciseCode;
    bool wholeDegrees;
    bool typedExcise;
};
constexpr Province kProvinces[] = {
    {"IT00MIA00123X", false, false}, {"IT00TOA00456Y", false, false},
    {"IT00VRA00123X", true, false},  {"IT00PNA00789Z", true, false},
    {"IT00AOB00317M", true, true},   {"IT00AOA12345B", false, true},
};

// x with x * factor = target modulo `modulus`, when there is one.
std::optional<std::int64_t> Solve(std::int64_t factor, std::int64_t target, std::int64_t modulus) {
    const std::int64_t g = std::gcd(factor, modulus);
    if (target % g != 0) return std::nullopt;
    const std::int64_t m = modulus / g;
    // The inverse of factor / g modulo m, by the extended Euclid.
    std::int64_t a = (factor / g) % m, b = m, x = 1, y = 0;
    while (b != 0) {
        const std::int64_t q = a / b;
        a = std::exchange(b, a - q * b);
        x = std::exchange(y, x - q * y);
    }
    return ((target / g) % m * ((x % m + m) % m)) % m;
}

struct Entry {
    Province province;
    Typed litres;
    Typed plato;
    Typed rate;
    Typed typedExcise;
};

// The litres of an entry as the window finds them: a litre counter's advance, an energy
// meter's advance times its coefficient (checked here against the reference too), or litres
// typed with up to 5 decimals.
Typed DrawLitres(Draws& draw) {
    const int kind = static_cast<int>(draw.between(0, 2));
    if (kind == 0) {
        const auto initial = static_cast<int>(draw.between(0, 9'000'000));
        const auto final = initial + static_cast<int>(draw.between(50, 30'000));
        const Decimal litres = LitresFromReadings(initial, final, false, Decimal(), false);
        return {litres.Format(), Exact(final - initial)};
    }
    if (kind == 1) {
        const auto initial = static_cast<int>(draw.between(0, 9'000'000));
        const auto final = initial + static_cast<int>(draw.between(10, 20'000));
        const int decimals = static_cast<int>(draw.between(1, 5));
        // From 0,5 to 99,9 with 1 to 5 decimals.
        const Typed coefficient = TypedUnits(
            draw.between(5, 999) * Pow10(decimals - 1) + draw.between(0, Pow10(decimals - 1) - 1),
            decimals);
        const bool whole = draw.chance(50);
        const Decimal litres = LitresFromReadings(
            initial, final, true, Decimal::FromDouble(ParseAmount(coefficient.text, 5)), whole);
        const Exact expected =
            ProgramRound(Exact(final - initial) * coefficient.exact, whole ? 0 : 5);
        EXPECT_EQ(litres.Plain(5), Fixed(expected, 5)) << coefficient.text << " " << initial;
        EXPECT_EQ(litres.ToDouble(), NearestDouble(expected));
        // The window shows the litres and reads them back from the field.
        return {FormatAmount(litres.ToDouble(), 0, 0), expected};
    }
    const int decimals = static_cast<int>(draw.between(1, 5));
    return TypedUnits(
        draw.between(1, 50'000) * Pow10(decimals) + draw.between(0, Pow10(decimals) - 1), decimals);
}

Entry DrawEntry(Draws& draw) {
    Entry e;
    e.province = draw.oneOf(kProvinces);
    e.litres = DrawLitres(draw);
    const int platoDecimals = static_cast<int>(draw.between(1, 2));
    e.plato = TypedUnits(draw.between(3, 25) * (platoDecimals == 1 ? 10 : 100) +
                             draw.between(0, platoDecimals == 1 ? 9 : 99),
                         platoDecimals);
    e.rate = TypedUnits(draw.oneOf(kRates), 3);
    e.typedExcise = TypedUnits(draw.between(0, 10'000'000), 2);
    return e;
}

// Litres and Plato whose exact hectolitre-degrees have a 5 as their 6th and last decimal.
void MakeDegreesHalf(Draws& draw, Entry& e) {
    for (;;) {
        const int platoDecimals = static_cast<int>(draw.between(1, 2));
        const std::int64_t plato = draw.between(30, 250) * (platoDecimals == 2 ? 10 : 1) +
                                   (platoDecimals == 2 ? draw.between(0, 9) : 0);
        // litres x plato in units of 10^-(5 + platoDecimals); the degrees divide by 100.
        const std::int64_t unit = platoDecimals == 1 ? 1000 : 10000;  // 10^-5 of degrees
        const auto residue = Solve(plato, unit / 2, unit);
        if (!residue) continue;
        const std::int64_t litres =
            draw.between(1, 50'000) * 100'000 / unit * unit + *residue % unit;
        e.plato = TypedUnits(plato, platoDecimals);
        e.litres = TypedUnits(litres, 5);
        return;
    }
}

// Degrees whose excise at the rate reduces to a half cent only through its 6th decimal
// (x,xx4995 goes to x,xx500 and then to x,xx + 0,01): whole litres x 10 degrees Plato.
void MakeExciseHalf(Draws& draw, Entry& e) {
    for (;;) {
        const std::int64_t rate = draw.oneOf(kRates);
        // degrees (10^-5) x rate (10^-3): the excise in 10^-8; its 3rd to 8th decimals.
        const auto residue = Solve(rate, 499500, 1'000'000);
        if (!residue) continue;
        const std::int64_t degrees = draw.between(1, 20'000) * 1'000'000 + *residue;
        e.rate = TypedUnits(rate, 3);
        e.plato = TypedUnits(100, 1);            // 10,0
        e.litres = TypedUnits(degrees * 10, 5);  // litres = degrees x 10
        e.province = kProvinces[0];
        return;
    }
}

struct Checked {
    int entries = 0;
    int degreesHalves = 0;
    int exciseHalves = 0;
};

void CheckEntry(const Entry& e, Checked& checked) {
    // As the window takes them: each field read with 5 decimals, the rate as the table holds it.
    const Decimal litres = Decimal::FromDouble(ParseAmount(e.litres.text, 5));
    const Decimal plato = Decimal::FromDouble(ParseAmount(e.plato.text, 5));
    const Decimal rate = Decimal::FromDouble(ParseAmount(e.rate.text, 5));
    const Decimal typed = Decimal::FromDouble(ParseAmount(e.typedExcise.text, 5));
    const BrewFigures f = ComputeBrew(litres, plato, e.province.exciseCode, rate, typed);

    const Exact degrees =
        ProgramRound(e.litres.exact * e.plato.exact / 100, e.province.wholeDegrees ? 0 : 5);
    const Exact excise = e.province.typedExcise ? ProgramRound(e.typedExcise.exact, 5)
                                                : ProgramRound(degrees * e.rate.exact, 2);
    const std::string what = std::string(e.province.exciseCode) + " litres " + e.litres.text +
                             " Plato " + e.plato.text + " rate " + e.rate.text;
    EXPECT_EQ(f.litres.ToDouble(), NearestDouble(e.litres.exact)) << what;
    EXPECT_EQ(f.hectolitreDegrees.Plain(5), Fixed(degrees, 5)) << what;
    EXPECT_EQ(f.hectolitreDegrees.ToDouble(), NearestDouble(degrees)) << what;
    EXPECT_EQ(f.excise.Plain(2), Fixed(excise, 2)) << what;
    EXPECT_EQ(f.excise.ToDouble(), NearestDouble(excise)) << what;
    ++checked.entries;
}

TEST(BrewFiguresProperty, AgreeWithExactDecimalArithmetic) {
    Draws draw(19);
    Checked checked;
    for (int i = 0; i < 150'000 && !HasFailure(); ++i) {
        Entry e = DrawEntry(draw);
        if (i % 10 == 0) {
            MakeDegreesHalf(draw, e);
            ++checked.degreesHalves;
        } else if (i % 10 == 1) {
            MakeExciseHalf(draw, e);
            ++checked.exciseHalves;
        }
        CheckEntry(e, checked);
    }
    EXPECT_EQ(checked.entries, 150'000);
    EXPECT_EQ(checked.degreesHalves, 15'000);
}

// The case that binary arithmetic got wrong: 18.432,05865 litres at 10,0 degrees Plato are
// exactly 1.843,205865 hectolitre-degrees, which go to 1.843,20587.
TEST(BrewFiguresProperty, HalfAtTheSixthDecimalGoesUp) {
    const BrewFigures f = ComputeBrew(Decimal::FromDouble(ParseAmount("18.432,05865", 5)),
                                      Decimal::FromDouble(ParseAmount("10,0", 5)), "IT00MIA00123X",
                                      Decimal::Parse("2,99"), Decimal());
    EXPECT_EQ(f.hectolitreDegrees.Format(0, 5), "1.843,20587");
    EXPECT_EQ(f.hectolitreDegrees.ToDouble(), 1843.20587);
    EXPECT_EQ(f.excise.Format(0, 2), "5.511,19");  // 5.511,1855513 -> 5.511,18555 -> 5.511,19
}

}  // namespace
}  // namespace braxol
