#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "store/numbers.h"

namespace braxol {
namespace {

// ---- ParseInteger -------------------------------------------------------------------------

struct IntegerCase {
    std::string text;
    std::int32_t expected;
};

class ParseIntegerTest : public testing::TestWithParam<IntegerCase> {};

TEST_P(ParseIntegerTest, ReadsTheDigits) {
    EXPECT_EQ(ParseInteger(GetParam().text), GetParam().expected) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ParseIntegerTest,
    testing::Values(IntegerCase{"", 0}, IntegerCase{"0", 0}, IntegerCase{"42", 42},
                    IntegerCase{"abc", 0}, IntegerCase{"-17", -17},
                    IntegerCase{"17-", -17},     // a "-" anywhere negates
                    IntegerCase{"1.234", 1234},  // other characters are skipped
                    IntegerCase{"1 2a3", 123}, IntegerCase{"  007", 7}, IntegerCase{"-", 0},
                    IntegerCase{"2147483647", 2147483647},
                    IntegerCase{"2147483648", 0},  // beyond the int32 range
                    IntegerCase{"-2147483648", -2147483647 - 1}, IntegerCase{"-2147483649", 0},
                    IntegerCase{"99999999999999999999", 0},
                    // only the first 20 characters count
                    IntegerCase{std::string(19, ' ') + "57", 5},
                    IntegerCase{std::string(20, 'x') + "-5", 0},
                    IntegerCase{std::string(18, ' ') + "12-", 12},
                    IntegerCase{std::string(17, ' ') + "12-", -12}));

// ---- ParseAmount --------------------------------------------------------------------------

struct AmountCase {
    std::string text;
    int decimals;
    double expected;
};

class ParseAmountTest : public testing::TestWithParam<AmountCase> {};

TEST_P(ParseAmountTest, ReadsItalianAmounts) {
    const auto& c = GetParam();
    EXPECT_DOUBLE_EQ(ParseAmount(c.text, c.decimals), c.expected)
        << '"' << c.text << "\" with " << c.decimals << " decimals";
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ParseAmountTest,
    testing::Values(AmountCase{"1.234,56", 2, 1234.56}, AmountCase{"-12,5", 2, -12.5},
                    AmountCase{"12.5", 2, 125},  // "." is a thousands mark before the ","
                    AmountCase{"1.234.567,891", 2, 1234567.89},
                    AmountCase{"1.234.567,891", 3, 1234567.891}, AmountCase{"abc", 2, 0},
                    AmountCase{"", 2, 0}, AmountCase{"-", 2, 0}, AmountCase{",", 2, 0},
                    AmountCase{",5", 2, 0.5}, AmountCase{"12-", 2, -12},
                    AmountCase{"12,345", 2, 12.35},    // rounded half away from zero
                    AmountCase{"-12,345", 2, -12.35},  //
                    AmountCase{"12,344", 2, 12.34},    //
                    AmountCase{"2,5", 0, 3}, AmountCase{"-2,5", 0, -3},
                    AmountCase{"1,005", 2, 1.01},        // not 1.00 from the binary value
                    AmountCase{"0,123456", 5, 0.12346},  //
                    AmountCase{"1 000,5", 1, 1000.5},    // blanks skipped
                    AmountCase{"1,2,3", 2, 1.23},        // a second "," is skipped
                    AmountCase{"€ 12,30", 2, 12.3},
                    // only the first 20 characters count
                    AmountCase{std::string(18, ' ') + "12345", 2, 12},
                    AmountCase{std::string(16, ' ') + "12,3456", 4, 12.3},
                    AmountCase{std::string(20, ' ') + "-5", 2, 0}));

// ---- FormatAmount -------------------------------------------------------------------------

struct FormatCase {
    double value;
    int width;
    int decimals;
    std::string expected;
};

class FormatAmountTest : public testing::TestWithParam<FormatCase> {};

TEST_P(FormatAmountTest, WritesItalianAmounts) {
    const auto& c = GetParam();
    EXPECT_EQ(FormatAmount(c.value, c.width, c.decimals), c.expected)
        << "(" << c.value << ", " << c.width << ", " << c.decimals << ")";
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FormatAmountTest,
    testing::Values(FormatCase{1234.5, 0, 2, "1.234,50"}, FormatCase{12.5, 0, 0, "12,5"},
                    FormatCase{1234, 0, 0, "1.234"}, FormatCase{-0.001, 0, 2, "0,00"},
                    FormatCase{1234567.891, 0, -1, "1.234.568"}, FormatCase{0, 0, 0, "0"},
                    FormatCase{1000, 0, 2, "1.000,00"}, FormatCase{0.5, 0, 2, "0,50"},
                    FormatCase{0.5, 0, -1, "1"}, FormatCase{-0.5, 0, -1, "-1"},
                    FormatCase{999.995, 0, 2, "1.000,00"},  // the carry reaches the thousands
                    FormatCase{-1234.5, 0, 2, "-1.234,50"}, FormatCase{-12.5, 0, 0, "-12,5"},
                    FormatCase{-1234567, 0, -1, "-1.234.567"}, FormatCase{123, 0, 3, "123,000"},
                    FormatCase{123456, 0, 0, "123.456"}, FormatCase{1.123456, 0, 0, "1,12346"},
                    FormatCase{0.1 + 0.2, 0, 0, "0,3"}, FormatCase{0.000001, 0, 0, "0"},
                    FormatCase{-0.000001, 0, 0, "0"}, FormatCase{1.005, 0, 2, "1,01"},
                    FormatCase{2.675, 0, 2, "2,68"},
                    // width: the integer part (with its marks and sign) padded to width + 1
                    FormatCase{1234.5, 10, 2, "      1.234,50"}, FormatCase{5, 3, 2, "   5,00"},
                    FormatCase{-5, 3, -1, "  -5"}, FormatCase{1234, 5, -1, " 1.234"},
                    FormatCase{1234, 4, -1, "1.234"},  // narrower than the integer part: no padding
                    FormatCase{1234567, 3, 0, "1.234.567"}, FormatCase{0, 2, 0, "  0"}));

TEST(FormatAmount, NeverWritesNegativeZero) {
    for (double v : {-0.0, -0.004, -0.0049, -1e-9})
        for (int d : {-1, 1, 2}) EXPECT_EQ(FormatAmount(v, 0, d).find('-'), std::string::npos);
    for (double v : {-0.0, -1e-9, -0.000004})
        EXPECT_EQ(FormatAmount(v, 0, 0).find('-'), std::string::npos);
}

TEST(FormatAmount, ParseReadsBackWhatFormatWrote) {
    for (double v : {0.0, 1.0, -1.0, 12.5, 1234.56, -1234567.89, 999999.99, 0.01}) {
        EXPECT_DOUBLE_EQ(ParseAmount(FormatAmount(v, 0, 2), 2), v) << v;
        EXPECT_DOUBLE_EQ(ParseAmount(FormatAmount(v, 12, 2), 2), v) << v;
    }
}

TEST(FormatAmount, DoesNotCrashOnValuesFromDamagedFiles) {
    for (double v :
         {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
          -std::numeric_limits<double>::infinity(), 1e300, -1e300,
          std::numeric_limits<double>::max(), std::numeric_limits<double>::lowest(),
          std::numeric_limits<double>::denorm_min()})
        for (int d : {-1, 0, 2, 5}) EXPECT_FALSE(FormatAmount(v, 0, d).empty());
}

// ---- RoundDecimals ------------------------------------------------------------------------

struct RoundCase {
    double value;
    int decimals;
    double expected;
};

class RoundDecimalsTest : public testing::TestWithParam<RoundCase> {};

TEST_P(RoundDecimalsTest, RoundsHalfAwayFromZero) {
    const auto& c = GetParam();
    EXPECT_DOUBLE_EQ(RoundDecimals(c.value, c.decimals), c.expected)
        << "(" << c.value << ", " << c.decimals << ")";
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RoundDecimalsTest,
    testing::Values(RoundCase{2.5, 0, 3}, RoundCase{-2.5, 0, -3}, RoundCase{0.5, 0, 1},
                    RoundCase{-0.5, 0, -1}, RoundCase{1.5, 0, 2}, RoundCase{2.4999, 0, 2},
                    RoundCase{1.005, 2, 1.01}, RoundCase{-1.005, 2, -1.01},
                    RoundCase{33.333, 2, 33.33}, RoundCase{33.335, 2, 33.34},
                    RoundCase{2.675, 2, 2.68}, RoundCase{0.045, 2, 0.05}, RoundCase{9.995, 2, 10},
                    RoundCase{-9.995, 2, -10}, RoundCase{99999.5, 0, 100000},
                    // the first reduction to 5 decimals decides: 0.4999996 is 0.50000
                    RoundCase{0.4999996, 0, 1}, RoundCase{0.4999949, 0, 0},
                    RoundCase{1.234567, 5, 1.23457}, RoundCase{1.234567, 7, 1.23457},
                    RoundCase{1234.5, -1, 1235}, RoundCase{45000.5, 0, 45001},
                    RoundCase{45000.49, 0, 45000}, RoundCase{-693593.5, 0, -693594},
                    RoundCase{0, 2, 0}, RoundCase{123456789.125, 2, 123456789.13}));

TEST(RoundDecimals, NeverGivesNegativeZero) {
    EXPECT_FALSE(std::signbit(RoundDecimals(-0.001, 2)));
    EXPECT_FALSE(std::signbit(RoundDecimals(-0.4, 0)));
}

TEST(RoundDecimals, LeavesNonFiniteValuesAlone) {
    EXPECT_TRUE(std::isnan(RoundDecimals(std::numeric_limits<double>::quiet_NaN(), 2)));
    EXPECT_EQ(RoundDecimals(std::numeric_limits<double>::infinity(), 0),
              std::numeric_limits<double>::infinity());
    EXPECT_EQ(RoundDecimals(1e300, 0), 1e300);
}

}  // namespace
}  // namespace braxol
