#include "numbers.h"

#include <charconv>
#include <cmath>
#include <iterator>
#include <limits>

#include "store/decimal.h"

namespace braxol {
namespace {

std::string_view First20(std::string_view t) {
    return t.substr(0, std::min<std::size_t>(t.size(), 20));
}

}  // namespace

std::int32_t ParseInteger(std::string_view text) {
    const auto t = First20(text);
    std::int64_t value = 0;
    bool negative = false;
    for (char c : t) {
        if (c == '-') negative = true;
        if (c < '0' || c > '9') continue;
        value = value * 10 + (c - '0');
        if (value > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) return 0;
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<std::int32_t>::max()) return 0;
    return static_cast<std::int32_t>(value);
}

double ParseAmount(std::string_view text, int decimals) {
    // Every typed digit counts: "1,234565" is 1,23457 whatever the binary value of 1.234565.
    return ExactDecimal::FromTyped(text).RoundedWide(decimals).ToDouble();
}

double RoundDecimals(double value, int decimals) {
    if (!std::isfinite(value) || std::fabs(value) >= ExactDecimal::kLargestDouble) return value;
    // Whole numbers (dates of whole days above all) are already rounded.
    if (value == std::trunc(value)) return value == 0 ? 0.0 : value;
    return ExactDecimal::FromDouble(value).RoundedWide(decimals).ToDouble();
}

std::string FormatAmount(double value, int width, int decimals) {
    if (!std::isfinite(value)) return "0";
    if (std::fabs(value) < ExactDecimal::kLargestDouble)
        return ExactDecimal::FromDouble(value).Format(width, decimals);
    // A whole number with more digits than any figure: only a damaged file holds one, and
    // its plain digits tell the user so.
    char text[400];
    const auto written =
        std::to_chars(std::begin(text), std::end(text), value, std::chars_format::fixed, 0);
    return std::string(text, written.ptr);
}

}  // namespace braxol
