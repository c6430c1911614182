#include "checks.h"

#include "pstring.h"

namespace braxol {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsUpper(char c) { return c >= 'A' && c <= 'Z'; }

// Values of the characters in odd positions (1st, 3rd, ...) for the fiscal-code check;
// digits share the values of the letters A-J.
constexpr int kOddValue[26] = {1,  0,  5,  7,  9,  13, 15, 17, 19, 21, 2,  4,  18,
                               20, 11, 3,  6,  8,  12, 14, 16, 10, 22, 25, 24, 23};

int OddValue(char c) {
    if (IsDigit(c)) return kOddValue[c - '0'];
    if (IsUpper(c)) return kOddValue[c - 'A'];
    return 0;
}

int EvenValue(char c) {
    if (IsDigit(c)) return c - '0';
    if (IsUpper(c)) return c - 'A';
    return 0;
}

}  // namespace

bool CheckExciseCode(std::string_view t) {
    if (t.size() != 13) return false;
    if (t.substr(0, 4) != "IT00" || t[6] != 'A') return false;
    for (char c : t)
        if (!IsDigit(c) && !IsUpper(c)) return false;
    return true;
}

bool CheckVatNumber(std::string_view vat) {
    const auto t = TrimBlanks(vat);
    if (t.size() != 11) return false;
    for (char c : t)
        if (!IsDigit(c)) return false;
    int s = 0;
    for (int i = 0; i < 10; ++i) {
        const int d = t[i] - '0';
        if (i % 2 == 0) {
            s += d;
        } else {
            const int twice = 2 * d;
            s += twice / 10 + twice % 10;
        }
    }
    const int check = s % 10 == 0 ? 0 : 10 - s % 10;
    return t[10] - '0' == check;
}

bool CheckFiscalCode(std::string_view code) {
    const auto t = TrimBlanks(code);
    if (t.size() != 16) return true;
    int s = 0;
    for (int i = 0; i < 15; ++i) s += (i % 2 == 0) ? OddValue(t[i]) : EvenValue(t[i]);
    return t[15] == static_cast<char>('A' + s % 26);
}

}  // namespace braxol
