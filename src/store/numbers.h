#pragma once
// Numbers as the user reads and types them: "," decimal mark, "." thousands, "-" in front.
// Rounding is half away from zero after a first reduction to 5 decimals. Text that cannot be
// read becomes 0; these routines never report an error.
//
// They work in exact decimal (store/decimal.h): a Double is taken as the 5-decimal value
// nearest to it, typed text with every digit typed, and a result is the Double nearest to the
// exact decimal result. Figures that are computed (products, totals) use Decimal directly.

#include <cstdint>
#include <string>
#include <string_view>

namespace braxol {

// Digits of the first 20 characters read as an integer (other characters ignored), negative
// when a "-" is among them; 0 without digits or beyond the int32 range.
std::int32_t ParseInteger(std::string_view text);

// Italian amount: "1.234,56" is 1234.56, "-12,5" is -12.5, "12.5" is 125; rounded to
// `decimals` places.
double ParseAmount(std::string_view text, int decimals);

// decimals > 0: exactly that many; 0: as many as the value needs (at most 5); -1: none.
// width: when not smaller than the integer part's length, the integer part is left-padded
// with blanks to width + 1 characters.
std::string FormatAmount(double value, int width, int decimals);

// Half away from zero, after rounding to 5 decimals.
double RoundDecimals(double value, int decimals);

}  // namespace braxol
