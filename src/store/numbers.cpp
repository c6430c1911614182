#include "numbers.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace braxol {
namespace {

std::string_view First20(std::string_view t) { return t.substr(0, std::min<std::size_t>(t.size(), 20)); }

// Writes x with d decimals ("%.*f", the C locale's "." as decimal mark).
std::string Fixed(double x, int d) {
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.*f", d, x);
    return buf;
}

double ReadBack(const std::string& s) {
    double v = 0;
    const auto res = std::from_chars(s.data(), s.data() + s.size(), v);
    return res.ec == std::errc() ? v : 0.0;
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
    const auto t = First20(text);
    bool negative = false;
    bool afterComma = false;
    std::string built;
    for (char c : t) {
        if (c == '-') negative = true;
        if (!afterComma) {
            if (c == ',') {
                afterComma = true;
                built += '.';
            } else if (c >= '0' && c <= '9') {
                built += c;
            }
        } else if ((c >= '0' && c <= '9') || c == '.') {
            built += c;
        }
    }
    if (built.empty() || built == ".") return 0.0;
    if (built.front() == '.') built.insert(built.begin(), '0');
    double v = 0;
    const auto res = std::from_chars(built.data(), built.data() + built.size(), v);
    if (res.ec != std::errc() || res.ptr != built.data() + built.size()) return 0.0;
    return RoundDecimals(negative ? -v : v, decimals);
}

double RoundDecimals(double value, int decimals) {
    if (!std::isfinite(value)) return value;
    // Whole numbers (dates of whole days above all) are already rounded: skip the formatting.
    if (value == std::trunc(value) && std::fabs(value) < 1e15) return value == 0 ? 0.0 : value;
    if (decimals >= 5) return ReadBack(Fixed(value, 5));
    // The value written with 5 decimals is rounded half away from zero on its decimal digits,
    // so that 1,005 becomes 1,01 whatever the binary value of 1,005 is.
    const int keep = decimals > 0 ? decimals : 0;
    std::string s = Fixed(std::fabs(value), 5);
    const auto dot = s.find('.');
    const bool up = s[dot + 1 + keep] >= '5';
    s.resize(keep > 0 ? dot + 1 + keep : dot);
    if (up) {
        int i = static_cast<int>(s.size()) - 1;
        for (; i >= 0; --i) {
            if (s[i] == '.') continue;
            if (s[i] == '9') {
                s[i] = '0';
            } else {
                ++s[i];
                break;
            }
        }
        if (i < 0) s.insert(s.begin(), '1');
    }
    const double r = ReadBack(s);
    return value < 0 && r != 0 ? -r : r;  // no negative zero
}

std::string FormatAmount(double value, int width, int decimals) {
    if (!std::isfinite(value)) return "0";
    int places = decimals;
    if (decimals == 0) {
        const std::string f = Fixed(std::fabs(value), 5);
        const auto dot = f.find('.');
        std::string frac = f.substr(dot + 1);
        while (!frac.empty() && frac.back() == '0') frac.pop_back();
        places = static_cast<int>(frac.size());
    } else if (decimals < 0) {
        places = 0;
    }
    const double rounded = RoundDecimals(value, places);
    const std::string written = Fixed(std::fabs(rounded), places);
    const auto dot = written.find('.');
    const std::string digits = written.substr(0, dot);
    const std::string fraction = dot == std::string::npos ? "" : written.substr(dot + 1);

    std::string integer;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) integer += '.';
        integer += digits[i];
    }
    if (rounded < 0) integer.insert(integer.begin(), '-');
    if (width >= static_cast<int>(integer.size()))
        integer.insert(0, static_cast<std::size_t>(width + 1) - integer.size(), ' ');
    if (places > 0) integer += "," + fraction;
    return integer;
}

}  // namespace braxol
