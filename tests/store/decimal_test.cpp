// The exact decimal figures: reading, writing, the program's rounding, exact products and
// quotients, and the overflow that is reported instead of wrapping. One row per case.

#include "store/decimal.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace braxol {
namespace {

Decimal D(const char* typed) {
    return Decimal::Parse(typed);
}

// ---- Reading ---------------------------------------------------------------------------------

TEST(Decimal, ReadsTypedTextWithEveryDigit) {
    const struct Row {
        const char* text;
        int decimals;
        const char* plain;  // five decimals
    } rows[] = {
        {"18.432,05865", 5, "18432.05865"},
        {"1.234,56", 5, "1234.56000"},
        {"-12,5", 5, "-12.50000"},
        {"12.5", 5, "125.00000"},  // "." before the "," is a thousands mark
        {"12-", 5, "-12.00000"},   // a "-" anywhere negates
        {"1,2,3", 5, "1.23000"},   // a second "," is skipped
        {"1,2.3", 5, "0.00000"},   // a "." among the decimals: nothing readable
        {"abc", 5, "0.00000"},
        {"", 5, "0.00000"},
        {",5", 5, "0.50000"},
        {"1,234565", 5, "1.23457"},  // the 6th decimal is a 5: away from zero
        {"-1,234565", 5, "-1.23457"},
        {"1,2345649", 5, "1.23456"},
        {"0,4999995", 0, "1.00000"},  // to 5 decimals first: 0,50000, then to 1
        {"12,345", 2, "12.35000"},
        {"33,333", 2, "33.33000"},
        {"2,5", 0, "3.00000"},
        {"-2,5", 0, "-3.00000"},
        {"99.999.999.999,99999", 5, "99999999999.99999"},
        {"                  12345", 2, "12.00000"},  // only the first 20 characters
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.text) + " with " + std::to_string(row.decimals));
        EXPECT_EQ(Decimal::Parse(row.text, row.decimals).Plain(5), row.plain);
    }
}

TEST(Decimal, StoredDoublesAreTheirNearestFiveDecimalValue) {
    const struct Row {
        double stored;
        const char* plain;
    } rows[] = {
        {1843.2058649, "1843.20586"},
        {1843.2058651, "1843.20587"},
        {0.1 + 0.2, "0.30000"},
        {2.675, "2.67500"},
        {1.0000049, "1.00000"},
        {1.0000051, "1.00001"},
        {-0.000004, "0.00000"},
        {-1234.5, "-1234.50000"},
        {68719476735.99999, "68719476735.99999"},
        // From 2^36 on a Double cannot hold every 5-decimal value: the largest litres the
        // production window takes come back one hundred-thousandth less.
        {99999999999.99999, "99999999999.99998"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.plain);
        EXPECT_EQ(Decimal::FromDouble(row.stored).Plain(5), row.plain);
    }
}

TEST(Decimal, GivesTheNearestDouble) {
    for (const char* text : {"0,1", "18.432,05865", "1.843,20587", "0,00001", "-373,75",
                             "12.345.678,12345", "99.999.999.999,99999"}) {
        const std::string plain = D(text).Plain(5);
        EXPECT_EQ(D(text).ToDouble(), std::strtod(plain.c_str(), nullptr)) << text;
    }
    EXPECT_FALSE(std::signbit(D("-0,000001").ToDouble()));
    EXPECT_EQ(Decimal::FromUnits(Decimal::kMaxUnits).ToDouble(), 9999999999999.99999);
}

// ---- Writing ---------------------------------------------------------------------------------

TEST(Decimal, WritesTheItalianWayAndThePlainWay) {
    const struct Row {
        const char* value;
        int width;
        int decimals;
        const char* italian;
        const char* plain;  // with `decimals` places (none when 0 or less)
    } rows[] = {
        {"1.843,205865", 0, 5, "1.843,20587", "1843.20587"},
        {"1.234,5", 0, 2, "1.234,50", "1234.50"},
        {"12,5", 0, 0, "12,5", "13"},
        {"1.234", 0, 0, "1.234", "1234"},
        {"-0,001", 0, 2, "0,00", "0.00"},  // no negative zero
        {"1.234.567,891", 0, -1, "1.234.568", "1234568"},
        {"999,995", 0, 2, "1.000,00", "1000.00"},
        {"-12,345", 0, 2, "-12,35", "-12.35"},
        {"1.234,5", 10, 2, "      1.234,50", "1234.50"},
        {"0,12345", 0, 7, "0,1234500", "0.1234500"},
        {"0", 2, 0, "  0", "0"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.value);
        const Decimal v = D(row.value);
        EXPECT_EQ(v.Format(row.width, row.decimals), row.italian);
        EXPECT_EQ(v.Plain(row.decimals), row.plain);
    }
}

// ---- Rounding --------------------------------------------------------------------------------

TEST(Decimal, RoundsHalfAwayFromZero) {
    const struct Row {
        const char* value;
        int decimals;
        const char* plain;
    } rows[] = {
        {"2,5", 0, "3.00000"},     {"-2,5", 0, "-3.00000"},     {"2,49999", 0, "2.00000"},
        {"1,005", 2, "1.01000"},   {"-1,005", 2, "-1.01000"},   {"373,745", 2, "373.75000"},
        {"9,995", 2, "10.00000"},  {"125,375", 0, "125.00000"}, {"0,00005", 4, "0.00010"},
        {"1,23456", 5, "1.23456"}, {"1,23456", 9, "1.23456"},   {"7,5", -1, "8.00000"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.value) + " to " + std::to_string(row.decimals));
        EXPECT_EQ(D(row.value).Rounded(row.decimals).Plain(5), row.plain);
    }
}

// ---- Arithmetic ------------------------------------------------------------------------------

TEST(Decimal, ProductsAreRoundedOnceAtTheEnd) {
    const struct Row {
        const char* a;
        const char* b;
        int shift;     // the product divided by 10^shift
        int decimals;  // then rounded the program's way
        const char* plain;
    } rows[] = {
        // 18.432,05865 litres at 10,0 degrees Plato: 1.843,205865 hectolitre-degrees.
        {"18.432,05865", "10", 2, 5, "1843.20587"},
        {"1.003", "12,5", 2, 5, "125.37500"},
        {"1.003", "12,5", 2, 0, "125.00000"},
        {"125,375", "2,99", 0, 2, "374.87000"},
        // 0,00167 x 2,99 = 0,0049933: 0,00499 at 5 decimals, 0,00 at 2.
        {"0,00167", "2,99", 0, 2, "0.00000"},
        // 1,67123 x 2,99 = 4,9969777 -> 4,99698 -> 5,00.
        {"1,67123", "2,99", 0, 2, "5.00000"},
        // The two steps: 0,004995 reduces to 0,00500, which goes to 0,01.
        {"0,00333", "1,5", 0, 2, "0.01000"},
        {"-1.000", "12,5", 2, 5, "-125.00000"},
        {"400", "2,33333", 0, 5, "933.33200"},
        {"400", "2,33333", 0, 0, "933.00000"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.a) + " x " + row.b);
        const ExactDecimal product = D(row.a) * D(row.b);
        EXPECT_EQ(product.DividedByPowerOfTen(row.shift).Rounded(row.decimals).Plain(5), row.plain);
    }
}

TEST(Decimal, SumsAreExact) {
    Decimal total;
    for (int i = 0; i < 10; ++i) total += D("0,1");
    EXPECT_EQ(total, D("1"));
    EXPECT_EQ(D("373,75") + D("374,87") - D("0,01"), D("748,61"));
    EXPECT_EQ(-D("1,5"), D("-1,5"));
    EXPECT_EQ(D("-1,5").Abs(), D("1,5"));
    EXPECT_LT(D("-0,00001"), Decimal());
    EXPECT_TRUE(Decimal().IsZero());
}

TEST(Decimal, QuotientsAreReducedToFiveDecimals) {
    const struct Row {
        const char* dividend;
        const char* divisor;
        const char* plain;
    } rows[] = {
        {"1.000", "400", "2.50000"},     {"2", "3", "0.66667"},
        {"-2", "3", "-0.66667"},         {"1", "-8", "-0.12500"},
        {"0,00001", "2", "0.00001"},  // a half goes up
        {"-0,00001", "2", "-0.00001"},   {"933,332", "400", "2.33333"},
        {"1", "0,00003", "33333.33333"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.dividend) + " / " + row.divisor);
        EXPECT_EQ(D(row.dividend).DividedBy(D(row.divisor)).Plain(5), row.plain);
    }
    EXPECT_EQ(D("7").DividedBy(ExactDecimal::Whole(2)), D("3,5"));
}

// ---- Overflow --------------------------------------------------------------------------------

TEST(Decimal, OverflowIsReportedNeverWrapped) {
    const Decimal largest = Decimal::FromUnits(Decimal::kMaxUnits);
    EXPECT_EQ(largest.Format(0, 5), "9.999.999.999.999,99999");
    EXPECT_THROW(largest + D("0,00001"), DecimalOverflow);
    EXPECT_THROW(-largest - D("0,00001"), DecimalOverflow);
    EXPECT_THROW(largest.Rounded(2), DecimalOverflow);
    EXPECT_THROW(Decimal::FromUnits(Decimal::kMaxUnits + 1), DecimalOverflow);
    EXPECT_THROW(Decimal::FromInteger(10'000'000'000'000), DecimalOverflow);
    EXPECT_THROW(Decimal::Parse("99999999999999999999"), DecimalOverflow);
    EXPECT_THROW(Decimal::FromDouble(1e13), DecimalOverflow);
    EXPECT_THROW(Decimal::FromDouble(std::numeric_limits<double>::quiet_NaN()), DecimalOverflow);
    EXPECT_THROW(Decimal::FromDouble(std::numeric_limits<double>::infinity()), DecimalOverflow);
    EXPECT_THROW(Decimal::FromDouble(1e300), DecimalOverflow);
    // A product too large for a figure, and one too large even for 128 bits.
    EXPECT_THROW((largest * largest).Rounded(5), DecimalOverflow);
    EXPECT_THROW(largest * largest * largest, DecimalOverflow);
    EXPECT_THROW(D("1").DividedBy(Decimal()), DecimalOverflow);
    EXPECT_THROW(largest.DividedBy(D("0,5")), DecimalOverflow);
    try {
        (void)Decimal::FromDouble(1e20);
        FAIL();
    } catch (const DecimalOverflow& e) {
        EXPECT_STREQ(e.what(), kDecimalOverflowMessage);
    }
}

}  // namespace
}  // namespace braxol
