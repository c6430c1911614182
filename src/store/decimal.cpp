#include "store/decimal.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

namespace braxol {
namespace {

__extension__ using Wide = __int128;

constexpr int kMaxScale = 38;  // 10^38 is the largest power of ten in 128 bits
// Integers up to 2^53 are exact in a Double, and so is one division of two of them.
constexpr Wide kExactInDouble = Wide{1} << 53;

constexpr std::array<Wide, kMaxScale + 1> MakePowersOfTen() {
    std::array<Wide, kMaxScale + 1> p{};
    p[0] = 1;
    for (int i = 1; i <= kMaxScale; ++i) p[i] = p[i - 1] * 10;
    return p;
}
constexpr auto kPowersOfTen = MakePowersOfTen();

Wide PowerOfTen(int n) {
    if (n < 0 || n > kMaxScale) throw DecimalOverflow();
    return kPowersOfTen[n];
}

Wide Magnitude(Wide v) {
    return v < 0 ? -v : v;
}

Wide Multiply(Wide a, Wide b) {
    Wide r;
    if (__builtin_mul_overflow(a, b, &r)) throw DecimalOverflow();
    return r;
}

// n / d, halves away from zero; d > 0.
Wide DivideHalfAway(Wide n, Wide d) {
    Wide q = n / d;
    const Wide rest = Magnitude(n % d);
    if (rest >= d - rest) q += n < 0 ? -1 : 1;
    return q;
}

// The decimal digits of a magnitude, at least `minimum` of them (zeros in front).
std::string DigitsOf(Wide magnitude, int minimum) {
    std::string digits;
    do {
        digits += static_cast<char>('0' + static_cast<int>(magnitude % 10));
        magnitude /= 10;
    } while (magnitude != 0);
    if (static_cast<int>(digits.size()) < minimum) digits.resize(minimum, '0');
    std::reverse(digits.begin(), digits.end());
    return digits;
}

// The text of digits / 10^scale: "-", the integer digits, "." and `scale` decimals.
std::string PlainText(Wide digits, int scale) {
    std::string text = DigitsOf(Magnitude(digits), scale + 1);
    if (scale > 0) text.insert(text.size() - static_cast<std::size_t>(scale), 1, '.');
    if (digits < 0) text.insert(text.begin(), '-');
    return text;
}

// Groups the integer digits by three with ".", puts the sign in front, pads to width + 1 and
// appends "," and the decimals: the Italian writing of the program.
std::string ItalianText(bool negative, std::string_view integerDigits, std::string_view fraction,
                        int width) {
    std::string integer;
    for (std::size_t i = 0; i < integerDigits.size(); ++i) {
        if (i > 0 && (integerDigits.size() - i) % 3 == 0) integer += '.';
        integer += integerDigits[i];
    }
    if (negative) integer.insert(integer.begin(), '-');
    if (width >= static_cast<int>(integer.size()))
        integer.insert(0, static_cast<std::size_t>(width + 1) - integer.size(), ' ');
    if (!fraction.empty()) integer += "," + std::string(fraction);
    return integer;
}

}  // namespace

DecimalOverflow::DecimalOverflow() : std::overflow_error(kDecimalOverflowMessage) {}

// ---- Decimal --------------------------------------------------------------------------------

Decimal Decimal::FromUnits(std::int64_t units) {
    if (units > kMaxUnits || units < -kMaxUnits) throw DecimalOverflow();
    return Decimal(units);
}

Decimal Decimal::FromInteger(std::int64_t whole) {
    if (whole > kMaxUnits / kUnitsPerOne || whole < -kMaxUnits / kUnitsPerOne)
        throw DecimalOverflow();
    return Decimal(whole * kUnitsPerOne);
}

Decimal Decimal::FromDouble(double value) {
    return ExactDecimal::FromDouble(value).Reduced();
}

Decimal Decimal::Parse(std::string_view text, int decimals) {
    return ExactDecimal::FromTyped(text).Rounded(decimals);
}

double Decimal::ToDouble() const {
    return ExactDecimal(*this).ToDouble();
}

Decimal Decimal::Rounded(int decimals) const {
    if (decimals >= kDecimals) return *this;
    const Wide step = PowerOfTen(kDecimals - std::max(decimals, 0));
    return FromUnits(static_cast<std::int64_t>(DivideHalfAway(units_, step) * step));
}

std::string Decimal::Format(int width, int decimals) const {
    return ExactDecimal(*this).Format(width, decimals);
}

std::string Decimal::Plain(int decimals) const {
    return ExactDecimal(*this).Plain(decimals);
}

Decimal Decimal::DividedBy(const ExactDecimal& divisor) const {
    return ExactDecimal(*this).DividedBy(divisor);
}

Decimal& Decimal::operator+=(Decimal other) {
    *this = FromUnits(units_ + other.units_);  // both within 10^18: no wrap in 64 bits
    return *this;
}

Decimal& Decimal::operator-=(Decimal other) {
    *this = FromUnits(units_ - other.units_);
    return *this;
}

// ---- ExactDecimal ---------------------------------------------------------------------------

ExactDecimal::ExactDecimal(Decimal value) : digits_(value.units()), scale_(Decimal::kDecimals) {}

ExactDecimal ExactDecimal::Whole(std::int64_t whole) {
    return ExactDecimal(whole, 0);
}

ExactDecimal ExactDecimal::FromDouble(double value) {
    if (!std::isfinite(value) || std::fabs(value) >= ExactDecimal::kLargestDouble)
        throw DecimalOverflow();
    // The shortest exact way: the library writes the Double correctly rounded to 5 decimals
    // (its exact binary value is never a tie at the 6th decimal).
    char text[64];
    const auto written = std::to_chars(std::begin(text), std::end(text), value,
                                       std::chars_format::fixed, Decimal::kDecimals);
    if (written.ec != std::errc()) throw DecimalOverflow();
    Wide digits = 0;
    for (const char* c = text; c != written.ptr; ++c)
        if (*c >= '0' && *c <= '9') digits = digits * 10 + (*c - '0');
    return ExactDecimal(text[0] == '-' ? -digits : digits, Decimal::kDecimals);
}

ExactDecimal ExactDecimal::FromTyped(std::string_view text) {
    const std::string_view t = text.substr(0, std::min<std::size_t>(text.size(), 20));
    bool negative = false;
    bool afterComma = false;
    bool anyDigit = false;
    Wide digits = 0;  // at most 20 digits: always fits
    int scale = 0;
    for (char c : t) {
        if (c == '-') negative = true;
        const bool digit = c >= '0' && c <= '9';
        if (!afterComma) {
            if (c == ',') afterComma = true;
        } else if (c == '.') {
            return ExactDecimal(0, 0);  // a second decimal point: nothing readable
        }
        if (!digit) continue;
        digits = digits * 10 + (c - '0');
        anyDigit = true;
        if (afterComma) ++scale;
    }
    if (!anyDigit) return ExactDecimal(0, 0);
    return ExactDecimal(negative ? -digits : digits, scale);
}

ExactDecimal operator*(const ExactDecimal& a, const ExactDecimal& b) {
    if (a.scale_ + b.scale_ > kMaxScale) throw DecimalOverflow();
    return ExactDecimal(Multiply(a.digits_, b.digits_), a.scale_ + b.scale_);
}

ExactDecimal ExactDecimal::DividedByPowerOfTen(int places) const {
    if (places < 0 || scale_ + places > kMaxScale) throw DecimalOverflow();
    return ExactDecimal(digits_, scale_ + places);
}

Decimal ExactDecimal::DividedBy(const ExactDecimal& divisor) const {
    if (divisor.digits_ == 0) throw DecimalOverflow();
    // digits_ / 10^scale_ / (d / 10^s) in hundred-thousandths:
    // digits_ * 10^(5 + s - scale_) / d.
    Wide numerator = digits_;
    Wide denominator = divisor.digits_;
    const int shift = Decimal::kDecimals + divisor.scale_ - scale_;
    if (shift >= 0)
        numerator = Multiply(numerator, PowerOfTen(shift));
    else
        denominator = Multiply(denominator, PowerOfTen(-shift));
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    const Wide units = DivideHalfAway(numerator, denominator);
    if (Magnitude(units) > Decimal::kMaxUnits) throw DecimalOverflow();
    return Decimal::FromUnits(static_cast<std::int64_t>(units));
}

ExactDecimal ExactDecimal::Rescaled(int scale) const {
    if (scale >= scale_) return ExactDecimal(Multiply(digits_, PowerOfTen(scale - scale_)), scale);
    return ExactDecimal(DivideHalfAway(digits_, PowerOfTen(scale_ - scale)), scale);
}

Decimal ExactDecimal::Reduced() const {
    const Wide units = Rescaled(Decimal::kDecimals).digits_;
    if (Magnitude(units) > Decimal::kMaxUnits) throw DecimalOverflow();
    return Decimal::FromUnits(static_cast<std::int64_t>(units));
}

Decimal ExactDecimal::Rounded(int decimals) const {
    return Reduced().Rounded(decimals);
}

ExactDecimal ExactDecimal::RoundedWide(int decimals) const {
    const ExactDecimal reduced = Rescaled(Decimal::kDecimals);
    return reduced.Rescaled(std::clamp(decimals, 0, Decimal::kDecimals));
}

double ExactDecimal::ToDouble() const {
    if (digits_ == 0) return 0.0;  // never -0
    // One correctly rounded division of two exact Doubles, or the library's exact reading.
    if (Magnitude(digits_) <= kExactInDouble && scale_ <= 22)
        return static_cast<double>(digits_) / static_cast<double>(kPowersOfTen[scale_]);
    const std::string text = PlainText(digits_, scale_);
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

std::string ExactDecimal::Format(int width, int decimals) const {
    const ExactDecimal reduced = RoundedWide(Decimal::kDecimals);
    int places = std::max(decimals, 0);
    if (decimals == 0) {
        // As many decimals as the value has, at most 5.
        places = Decimal::kDecimals;
        while (places > 0 && reduced.digits_ % PowerOfTen(Decimal::kDecimals - places + 1) == 0)
            --places;
    }
    const ExactDecimal rounded = reduced.RoundedWide(places);
    const std::string digits = DigitsOf(Magnitude(rounded.digits_), rounded.scale_ + 1);
    const std::size_t integerLength = digits.size() - static_cast<std::size_t>(rounded.scale_);
    std::string fraction = digits.substr(integerLength);
    fraction.resize(static_cast<std::size_t>(places), '0');  // beyond 5 decimals: zeros
    return ItalianText(rounded.IsNegative(), std::string_view(digits).substr(0, integerLength),
                       fraction, width);
}

std::string ExactDecimal::Plain(int decimals) const {
    const int places = std::max(decimals, 0);
    const ExactDecimal rounded = RoundedWide(places);
    std::string text = PlainText(rounded.digits_, rounded.scale_);
    if (places > rounded.scale_) {
        if (rounded.scale_ == 0) text += '.';
        text.append(static_cast<std::size_t>(places - rounded.scale_), '0');
    }
    return text;
}

}  // namespace braxol
