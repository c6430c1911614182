#pragma once
// An exact reference for the program's figures, independent of store/decimal.h: Boost's
// decimal floating point with 50 digits, which holds every product of figures exactly (they
// have at most 30 digits), and the C library's reading of decimal text into a Double. Used
// by the property tests only.

#include <boost/multiprecision/cpp_dec_float.hpp>
#include <cstdint>
#include <cstdlib>
#include <ios>
#include <random>
#include <string>
#include <string_view>

namespace braxol::test {

using Exact = boost::multiprecision::cpp_dec_float_50;

inline Exact PowerOfTen(int n) {
    Exact p = 1;
    for (int i = 0; i < n; ++i) p *= 10;
    return p;
}

// A whole number of 10^-decimals: ExactUnits(1843205865, 6) is 1843.205865.
inline Exact ExactUnits(std::int64_t units, int decimals) {
    return Exact(units) / PowerOfTen(decimals);
}

// Half away from zero to `decimals` places.
inline Exact RoundHalfAway(const Exact& x, int decimals) {
    const Exact scale = PowerOfTen(decimals);
    const Exact half = x < 0 ? Exact(-0.5) : Exact(0.5);
    return boost::multiprecision::trunc(x * scale + half) / scale;
}

// The program's rounding: to 5 decimals, then to `decimals`.
inline Exact ProgramRound(const Exact& x, int decimals) {
    return RoundHalfAway(RoundHalfAway(x, 5), decimals < 0 ? 0 : decimals);
}

// x with exactly `decimals` places ("." mark, "-" in front), for x that has no more.
inline std::string Fixed(const Exact& x, int decimals) {
    std::string text = x.str(decimals, std::ios_base::fixed);
    if (text.find_first_not_of("-0.") == std::string::npos && text.front() == '-')
        text.erase(0, 1);  // no negative zero
    return text;
}

// The Double nearest to x, for x with at most 5 decimals.
inline double NearestDouble(const Exact& x) {
    return std::strtod(Fixed(x, 5).c_str(), nullptr);
}

// The Italian text of a whole number of 10^-decimals, as a user types it: "18.432,05865".
// With `trimZeros` the trailing zeros of the decimals are left out, as most users do.
inline std::string ItalianText(std::int64_t units, int decimals, bool trimZeros = false) {
    const bool negative = units < 0;
    std::string digits = std::to_string(negative ? -units : units);
    if (static_cast<int>(digits.size()) <= decimals)
        digits.insert(0, static_cast<std::size_t>(decimals + 1) - digits.size(), '0');
    const std::size_t integerLength = digits.size() - static_cast<std::size_t>(decimals);
    std::string fraction = digits.substr(integerLength);
    if (trimZeros)
        while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
    std::string text;
    for (std::size_t i = 0; i < integerLength; ++i) {
        if (i > 0 && (integerLength - i) % 3 == 0) text += '.';
        text += digits[i];
    }
    if (negative) text.insert(text.begin(), '-');
    if (!fraction.empty()) text += "," + fraction;
    return text;
}

// A seeded stream of whole numbers for the property tests: the same cases on every run.
class Draws {
public:
    explicit Draws(std::uint64_t seed) : engine_(seed) {}
    // From `low` to `high`, both included.
    std::int64_t between(std::int64_t low, std::int64_t high) {
        return std::uniform_int_distribution<std::int64_t>(low, high)(engine_);
    }
    bool chance(int percent) { return between(1, 100) <= percent; }
    template <class T, std::size_t N>
    const T& oneOf(const T (&items)[N]) {
        return items[between(0, N - 1)];
    }

private:
    std::mt19937_64 engine_;
};

}  // namespace braxol::test
