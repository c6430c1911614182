#pragma once
// Dates are day counts from 30/12/1899 held in a double: the integer part is the day, the
// fraction the time of day. Values read from a file may be anything (NaN, infinities, absurd
// counts): they never crash a formatter, they show as an invalid date.

#include <optional>
#include <string>
#include <string_view>

namespace braxol {

struct CivilDate {
    int year;
    int month;  // 1..12
    int day;    // 1..31
    bool operator==(const CivilDate&) const = default;
};

// Shown in place of a date that cannot be formatted.
inline constexpr std::string_view kInvalidDateText = "--/--/----";

// Range of dates the program handles: 01/01/0001 to 31/12/9999.
bool IsValidDate(double date);
double DateFromCivil(int year, int month, int day);
double DateFromCivil(const CivilDate& c);
std::optional<CivilDate> CivilFromDate(double date);
bool IsValidCivil(int year, int month, int day);

// "DD/MM/YYYY", or kInvalidDateText.
std::string FormatDate(double date);
// "DD/MM/YYYY" (also D/M/YYYY) to a date; nothing when the text is not a real date.
std::optional<double> ParseDate(std::string_view text);

// "hh:mm" of the time of day of a date-time.
std::string FormatTime(double datetime);

// Year of the date as the yearly files name it; nothing for an invalid date.
std::optional<int> YearOfDate(double date);

// YYYYMMDD, or "00000000" when the date cannot be formatted.
std::string DateToYMD(double date);

}  // namespace braxol
