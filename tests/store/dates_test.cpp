#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>
#include <string>

#include "store/dates.h"

namespace braxol {
namespace {

namespace chr = std::chrono;

// The expected calendar date of a day count, worked out with the standard library's civil
// calendar instead of the program's own routine.
CivilDate Oracle(long count) {
    const chr::sys_days day =
        chr::sys_days(chr::year(1899) / chr::December / chr::day(30)) + chr::days(count);
    const chr::year_month_day ymd(day);
    return {static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
            static_cast<int>(static_cast<unsigned>(ymd.day()))};
}

std::string Text(const CivilDate& c) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", c.day, c.month, c.year);
    return buf;
}

struct DayCase {
    double count;
    CivilDate civil;
    std::string text;
    std::string ymd;
};

class DayCountTest : public testing::TestWithParam<DayCase> {};

TEST_P(DayCountTest, CountAndCalendarAgree) {
    const auto& c = GetParam();
    EXPECT_EQ(DateFromCivil(c.civil), c.count);
    ASSERT_TRUE(CivilFromDate(c.count).has_value());
    EXPECT_EQ(*CivilFromDate(c.count), c.civil);
    EXPECT_EQ(FormatDate(c.count), c.text);
    EXPECT_EQ(ParseDate(c.text), c.count);
    EXPECT_EQ(DateToYMD(c.count), c.ymd);
    EXPECT_EQ(YearOfDate(c.count), c.civil.year);
}

// Day counts checked against a desk calendar and a spreadsheet's date serials, which agree
// from 1 March 1900 on.
INSTANTIATE_TEST_SUITE_P(Rows, DayCountTest,
                         testing::Values(DayCase{0, {1899, 12, 30}, "30/12/1899", "18991230"},
                                         DayCase{1, {1899, 12, 31}, "31/12/1899", "18991231"},
                                         DayCase{2, {1900, 1, 1}, "01/01/1900", "19000101"},
                                         DayCase{60, {1900, 2, 28}, "28/02/1900", "19000228"},
                                         DayCase{61, {1900, 3, 1}, "01/03/1900", "19000301"},
                                         DayCase{36526, {2000, 1, 1}, "01/01/2000", "20000101"},
                                         DayCase{36585, {2000, 2, 29}, "29/02/2000", "20000229"},
                                         DayCase{41639, {2013, 12, 31}, "31/12/2013", "20131231"},
                                         DayCase{41640, {2014, 1, 1}, "01/01/2014", "20140101"},
                                         DayCase{45000, {2023, 3, 15}, "15/03/2023", "20230315"},
                                         DayCase{45351, {2024, 2, 29}, "29/02/2024", "20240229"},
                                         DayCase{45658, {2025, 1, 1}, "01/01/2025", "20250101"},
                                         DayCase{45731, {2025, 3, 15}, "15/03/2025", "20250315"},
                                         DayCase{-1, {1899, 12, 29}, "29/12/1899", "18991229"},
                                         DayCase{-693593, {1, 1, 1}, "01/01/0001", "00010101"},
                                         DayCase{
                                             2958465, {9999, 12, 31}, "31/12/9999", "99991231"}));

TEST(Dates, EveryDayOfFourCenturiesRoundTrips) {
    const long first = static_cast<long>(DateFromCivil(1800, 1, 1));
    const long last = static_cast<long>(DateFromCivil(2200, 12, 31));
    for (long n = first; n <= last; ++n) {
        const CivilDate expected = Oracle(n);
        const std::string text = FormatDate(n);
        ASSERT_EQ(text, Text(expected)) << n;
        ASSERT_EQ(ParseDate(text), static_cast<double>(n)) << text;
        ASSERT_EQ(DateFromCivil(expected), static_cast<double>(n)) << text;
    }
}

TEST(Dates, SampledDaysOfTheWholeRangeRoundTrip) {
    for (long n = -693593; n <= 2958465; n += 97) {
        const CivilDate expected = Oracle(n);
        ASSERT_EQ(FormatDate(n), Text(expected)) << n;
        ASSERT_EQ(ParseDate(Text(expected)), static_cast<double>(n)) << n;
    }
}

TEST(Dates, TheTimeOfDayDoesNotChangeTheDay) {
    EXPECT_EQ(FormatDate(45000.999), "15/03/2023");
    EXPECT_EQ(DateToYMD(45000.5), "20230315");
    EXPECT_EQ(YearOfDate(DateFromCivil(2025, 12, 31) + 0.9999), 2025);
    // Before the epoch the integer part is still the day and the fraction the time of day.
    EXPECT_EQ(FormatDate(-1.25), "29/12/1899");
    EXPECT_EQ(FormatDate(-0.5), "30/12/1899");
    EXPECT_EQ(FormatTime(-1.25), "06:00");
    EXPECT_EQ(FormatTime(45000.5), "12:00");
    EXPECT_EQ(FormatTime(45000.75), "18:00");
    EXPECT_EQ(FormatTime(45000), "00:00");
    EXPECT_EQ(FormatTime(45000 + (23 * 60 + 59) / 1440.0), "23:59");
}

class ParseDateRejects : public testing::TestWithParam<std::string> {};

TEST_P(ParseDateRejects, NotARealDate) {
    EXPECT_FALSE(ParseDate(GetParam()).has_value());
}

INSTANTIATE_TEST_SUITE_P(Rows, ParseDateRejects,
                         testing::Values("31/02/2024", "30/02/2024", "29/02/2023", "29/02/1900",
                                         "29/02/2100", "31/04/2025", "31/06/2025", "31/09/2025",
                                         "31/11/2025", "32/01/2025", "00/01/2025", "01/00/2025",
                                         "01/13/2025", "01/01/0000", "", "//", "01/01/25",
                                         "01/01/20255", "01-01-2025", "01/01/2025/", "aa/bb/cccc",
                                         "1.1.2025", "01/01", "-1/01/2025"));

TEST(Dates, ParseAcceptsShortDayAndMonth) {
    EXPECT_EQ(ParseDate("1/3/2024"), DateFromCivil(2024, 3, 1));
    EXPECT_EQ(ParseDate("29/2/2024"), DateFromCivil(2024, 2, 29));
    EXPECT_EQ(ParseDate("29/02/2000"), 36585);
}

TEST(Dates, ValuesThatAreNoDateNeverCrashAndShowAsInvalid) {
    for (double v :
         {std::numeric_limits<double>::quiet_NaN(), -std::numeric_limits<double>::quiet_NaN(),
          std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(), 1e300,
          -1e300, std::numeric_limits<double>::max(), std::numeric_limits<double>::lowest(),
          2958466.0, -693594.0, 1e10, -1e10}) {
        EXPECT_FALSE(IsValidDate(v)) << v;
        EXPECT_EQ(FormatDate(v), kInvalidDateText) << v;
        EXPECT_EQ(DateToYMD(v), "00000000") << v;
        EXPECT_FALSE(YearOfDate(v).has_value()) << v;
        EXPECT_FALSE(CivilFromDate(v).has_value()) << v;
        EXPECT_EQ(FormatTime(v), "--:--") << v;
    }
}

TEST(Dates, TheEdgesOfTheRange) {
    EXPECT_TRUE(IsValidDate(-693593.0));
    EXPECT_TRUE(IsValidDate(2958465.999));
    EXPECT_FALSE(IsValidDate(-693593.001));
    EXPECT_TRUE(IsValidDate(std::numeric_limits<double>::denorm_min()));
    EXPECT_EQ(FormatDate(-0.0), "30/12/1899");
}

struct CivilCase {
    int year, month, day;
    bool valid;
};

class IsValidCivilTest : public testing::TestWithParam<CivilCase> {};

TEST_P(IsValidCivilTest, Decides) {
    const auto& c = GetParam();
    EXPECT_EQ(IsValidCivil(c.year, c.month, c.day), c.valid)
        << c.day << "/" << c.month << "/" << c.year;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, IsValidCivilTest,
    testing::Values(CivilCase{2024, 2, 29, true}, CivilCase{2023, 2, 29, false},
                    CivilCase{1900, 2, 29, false}, CivilCase{2000, 2, 29, true},
                    CivilCase{2025, 12, 31, true}, CivilCase{2025, 4, 31, false},
                    CivilCase{0, 1, 1, false}, CivilCase{10000, 1, 1, false},
                    CivilCase{2025, 0, 1, false}, CivilCase{2025, 13, 1, false},
                    CivilCase{2025, 1, 0, false}, CivilCase{2025, 1, -1, false},
                    CivilCase{9999, 12, 31, true}, CivilCase{1, 1, 1, true}));

}  // namespace
}  // namespace braxol
