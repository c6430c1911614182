#pragma once
// Exact decimal figures. The brewer and the customs officers check the figures of the
// registers by hand, in decimal: Plato x litres / 100, rounded half away from zero.
// Worked out in binary floating point, a value whose exact 6th decimal is a 5 can land on the
// wrong side, so every figure that a record stores or a flow sends is worked out here.
//
//   Decimal       a figure: a whole number of hundred-thousandths (5 decimals) in 64 bits,
//                 up to 9.999.999.999.999,99999 either way. Sums and differences are exact.
//   ExactDecimal  the exact product of figures (128 bits, as many decimals as the product has),
//                 or a number taken exactly from typed text or from a Double; it becomes a
//                 Decimal again by its one rounding.
//
// How the program uses them:
//
//   const Decimal litres = Decimal::FromDouble(record.LITPRO);  // stored: nearest 5 decimals
//   const Decimal plato = Decimal::Parse("12,5");               // typed, the Italian way
//   const Decimal degrees = (litres * plato).DividedByPowerOfTen(2).Rounded(5);
//   const Decimal excise = (degrees * rate).Rounded(2);         // to 5 decimals, then to 2
//   Decimal total;
//   total += Decimal::FromDouble(record.ACCISA);                 // totals: exact sums
//   record.ETTOGR = degrees.ToDouble();                          // the Double nearest to it
//   degrees.Format(0, 5);  // "1.843,20587", as FormatAmount writes
//   degrees.Plain(5);      // "1843.20587", as the flow files carry it
//   const Decimal yield = litres.DividedBy(Decimal::FromInteger(advance));  // 5 decimals
//   if (stock < quantity) ...                                     // comparisons are exact
//
// A Double holds every 5-decimal value below 2^36 (68.719.476.736) exactly enough to give it
// back; above that a stored figure reads back as the 5-decimal value nearest to its Double.
//
// Rounding is the program's rounding: half away from zero after a first reduction to 5
// decimals (Rounded). A product is never rounded before that: litres x Plato / 100 keeps its 7
// decimals and a rate x hectolitre-degrees its 8 until the one rounding.
//
// A result that does not fit, a Double that is not a number and a division by zero throw
// DecimalOverflow: a figure is never wrapped or clipped. Its message is Italian, for a box.

#include <compare>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace braxol {

class DecimalOverflow : public std::overflow_error {
public:
    DecimalOverflow();
};

// The text of DecimalOverflow, for the windows that show it.
inline constexpr const char* kDecimalOverflowMessage = "VALORE TROPPO GRANDE PER IL CALCOLO";

class ExactDecimal;

class Decimal {
public:
    static constexpr int kDecimals = 5;
    static constexpr std::int64_t kUnitsPerOne = 100000;
    // 9.999.999.999.999,99999: 13 integer digits, more than any register needs.
    static constexpr std::int64_t kMaxUnits = 999'999'999'999'999'999;

    constexpr Decimal() = default;  // 0

    // A whole number of hundred-thousandths: FromUnits(150) is 0,0015.
    static Decimal FromUnits(std::int64_t units);
    static Decimal FromInteger(std::int64_t whole);
    // The 5-decimal value nearest to a Double (a record's field, a table's number): how a
    // stored figure is read back, 1843.2058699999999 is 1.843,20587.
    static Decimal FromDouble(double value);
    // Typed text read as ParseAmount reads it ("1.234,56"; "-" anywhere negates; only the first
    // 20 characters count; 0 when nothing is readable), with every typed digit, then rounded to
    // `decimals` places the program's way.
    static Decimal Parse(std::string_view text, int decimals = kDecimals);

    std::int64_t units() const { return units_; }
    // The Double nearest to the figure: what a record stores.
    double ToDouble() const;

    // Half away from zero to `decimals` places (none when 0 or less; 5 and more change nothing).
    Decimal Rounded(int decimals) const;

    // Italian writing, as FormatAmount: decimals > 0 exactly that many, 0 as many as needed,
    // -1 none; the integer part left-padded with blanks to width + 1 when it is not longer.
    std::string Format(int width = 0, int decimals = 0) const;
    // "." as decimal mark, no grouping, "-" in front: the dec5 and dec2 of the flow files.
    std::string Plain(int decimals = kDecimals) const;

    bool IsZero() const { return units_ == 0; }
    bool IsNegative() const { return units_ < 0; }
    Decimal Abs() const { return IsNegative() ? -*this : *this; }

    // The quotient reduced to 5 decimals, half away from zero: a quotient is rarely exact, so
    // it is rounded here, once (the yield of a beer: litres / meter advance).
    Decimal DividedBy(const ExactDecimal& divisor) const;

    Decimal operator-() const { return Decimal(-units_); }
    Decimal& operator+=(Decimal other);
    Decimal& operator-=(Decimal other);
    friend Decimal operator+(Decimal a, Decimal b) { return a += b; }
    friend Decimal operator-(Decimal a, Decimal b) { return a -= b; }
    friend bool operator==(const Decimal&, const Decimal&) = default;
    friend std::strong_ordering operator<=>(const Decimal&, const Decimal&) = default;

private:
    explicit constexpr Decimal(std::int64_t units) : units_(units) {}
    std::int64_t units_ = 0;
};

class ExactDecimal {
public:
    // A figure takes part in a product as it is.
    ExactDecimal(Decimal value);  // NOLINT: implicit on purpose, litres * plato
    static ExactDecimal Whole(std::int64_t whole);
    // FromDouble takes Doubles below this size; from it on a Double is a whole number with
    // more digits than 128 bits hold at 5 decimals.
    static constexpr double kLargestDouble = 1e32;
    // The 5-decimal value nearest to a Double below kLargestDouble in size.
    static ExactDecimal FromDouble(double value);
    // The number typed, as ParseAmount reads it, with all its digits.
    static ExactDecimal FromTyped(std::string_view text);

    // Exact: the decimals add up (5 + 5 = 10).
    friend ExactDecimal operator*(const ExactDecimal& a, const ExactDecimal& b);
    // Exact: the value divided by 10^places (litres / 100 = hectolitres).
    ExactDecimal DividedByPowerOfTen(int places) const;
    // The quotient, reduced to 5 decimals half away from zero.
    Decimal DividedBy(const ExactDecimal& divisor) const;

    // The first step of the program's rounding: half away from zero to 5 decimals.
    Decimal Reduced() const;
    // The program's rounding: Reduced(), then half away from zero to `decimals` places.
    Decimal Rounded(int decimals) const;
    // The same rounding for numbers beyond a figure's range (the store's Double routines).
    ExactDecimal RoundedWide(int decimals) const;

    double ToDouble() const;
    std::string Format(int width = 0, int decimals = 0) const;
    std::string Plain(int decimals) const;

    bool IsNegative() const { return digits_ < 0; }

private:
    __extension__ using Wide = __int128;
    ExactDecimal(Wide digits, int scale) : digits_(digits), scale_(scale) {}
    ExactDecimal Rescaled(int scale) const;  // half away from zero when it drops decimals

    Wide digits_ = 0;  // the value is digits_ / 10^scale_
    int scale_ = 0;
};

ExactDecimal operator*(const ExactDecimal& a, const ExactDecimal& b);

}  // namespace braxol
