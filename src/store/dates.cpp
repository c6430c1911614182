#include "dates.h"

#include <cmath>
#include <cstdio>

namespace braxol {
namespace {

constexpr double kFirstDay = -693593.0;  // 01/01/0001
constexpr double kPastLastDay = 2958466.0;  // 01/01/10000

// Days since 1970-01-01 for a proleptic Gregorian date (H. Hinnant's algorithm).
long DaysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

CivilDate CivilFromDays(long z) {
    z += 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const long doe = z - era * 146097;
    const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long mp = (5 * doy + 2) / 153;
    const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    return {static_cast<int>(yoe + era * 400 + (m <= 2)), m, d};
}

// 1899-12-30 is 25569 days before 1970-01-01.
constexpr long kUnixOffset = 25569;

}  // namespace

bool IsValidDate(double date) {
    return std::isfinite(date) && date >= kFirstDay && date < kPastLastDay;
}

bool IsValidCivil(int y, int m, int d) {
    if (y < 1 || y > 9999 || m < 1 || m > 12 || d < 1) return false;
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return d <= kDays[m - 1] + (m == 2 && leap ? 1 : 0);
}

double DateFromCivil(int year, int month, int day) {
    return static_cast<double>(DaysFromCivil(year, month, day) + kUnixOffset);
}
double DateFromCivil(const CivilDate& c) { return DateFromCivil(c.year, c.month, c.day); }

std::optional<CivilDate> CivilFromDate(double date) {
    if (!IsValidDate(date)) return std::nullopt;
    // The day is the integer part, truncated towards zero as the date-time format defines it.
    return CivilFromDays(static_cast<long>(std::trunc(date)) - kUnixOffset);
}

std::string FormatDate(double date) {
    const auto c = CivilFromDate(date);
    if (!c) return std::string(kInvalidDateText);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", c->day, c->month, c->year);
    return buf;
}

std::optional<double> ParseDate(std::string_view t) {
    int part[3] = {0, 0, 0};
    int digits[3] = {0, 0, 0};
    int k = 0;
    for (char ch : t) {
        if (ch == '/') {
            if (++k > 2) return std::nullopt;
        } else if (ch >= '0' && ch <= '9') {
            if (++digits[k] > 4) return std::nullopt;
            part[k] = part[k] * 10 + (ch - '0');
        } else if (ch != ' ') {
            return std::nullopt;
        }
    }
    if (k != 2 || digits[0] == 0 || digits[1] == 0 || digits[2] != 4) return std::nullopt;
    if (!IsValidCivil(part[2], part[1], part[0])) return std::nullopt;
    return DateFromCivil(part[2], part[1], part[0]);
}

std::string FormatTime(double datetime) {
    if (!IsValidDate(datetime)) return "--:--";
    double frac = std::fabs(datetime - std::trunc(datetime));
    long minutes = std::lround(frac * 24 * 60);
    if (minutes >= 24 * 60) minutes = 24 * 60 - 1;
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02ld:%02ld", minutes / 60, minutes % 60);
    return buf;
}

std::optional<int> YearOfDate(double date) {
    const auto c = CivilFromDate(date);
    if (!c) return std::nullopt;
    return c->year;
}

std::string DateToYMD(double date) {
    const auto c = CivilFromDate(date);
    if (!c) return "00000000";
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d%02d%02d", c->year, c->month, c->day);
    return buf;
}

}  // namespace braxol
