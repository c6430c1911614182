#include <gtest/gtest.h>

#include <string>

#include "store/checks.h"

namespace braxol {
namespace {

struct CheckCase {
    std::string text;
    bool valid;
};

void PrintTo(const CheckCase& c, std::ostream* os) {
    *os << '"' << c.text << "\" " << c.valid;
}

// ---- Excise code --------------------------------------------------------------------------

class CheckExciseCodeTest : public testing::TestWithParam<CheckCase> {};

TEST_P(CheckExciseCodeTest, Decides) {
    EXPECT_EQ(CheckExciseCode(GetParam().text), GetParam().valid) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CheckExciseCodeTest,
    testing::Values(CheckCase{"IT00AOA12345B", true}, CheckCase{"IT00RMA00001Z", true},
                    CheckCase{"IT00AOA000000", true},
                    CheckCase{"IT01AOA12345B", false},  // not "IT00"
                    CheckCase{"XT00AOA12345B", false},
                    CheckCase{"IT00AOB12345B", false},  // 7th not "A"
                    CheckCase{"IT00AOA12345", false},   // 12 characters
                    CheckCase{"IT00AOA", false}, CheckCase{"IT00", false}, CheckCase{"", false},
                    CheckCase{"IT00AOA12345BC", false},  // 14 characters
                    CheckCase{"it00aoa12345b", false},   // lower case
                    CheckCase{"IT00AOA12345b", false}, CheckCase{"IT00AOA1234-B", false},
                    CheckCase{"IT00AOA1234 B", false},
                    CheckCase{"IT00AOA1234\xC8"
                              "B",
                              false},  // È
                    CheckCase{"IT00AOA1234.B", false}));

// ---- VAT number ---------------------------------------------------------------------------

class CheckVatNumberTest : public testing::TestWithParam<CheckCase> {};

TEST_P(CheckVatNumberTest, Decides) {
    EXPECT_EQ(CheckVatNumber(GetParam().text), GetParam().valid) << '"' << GetParam().text << '"';
}

// Check digits worked out by hand: for 1234567890 the odd positions give 1+3+5+7+9 = 25, the
// even ones 4+8+(1+2)+(1+6)+0 = 22; 47 gives 10-7 = 3. For 0123456789: 0+2+4+6+8 = 20 and
// 2+6+(1+0)+(1+4)+(1+8) = 23; 43 gives 7. For 9999999999: 45 + 5*9 = 90 gives 0.
INSTANTIATE_TEST_SUITE_P(
    Rows, CheckVatNumberTest,
    testing::Values(CheckCase{"00000000000", true}, CheckCase{"12345678903", true},
                    CheckCase{"01234567897", true}, CheckCase{"99999999990", true},
                    CheckCase{" 12345678903 ", true},  // trimmed first
                    CheckCase{"12345678904", false},   // wrong check digit
                    CheckCase{"12345678900", false}, CheckCase{"00000000001", false},
                    CheckCase{"01234567890", false}, CheckCase{"1234567890", false},  // 10 digits
                    CheckCase{"123456789030", false},                                 // 12 digits
                    CheckCase{"", false}, CheckCase{"1234567890A", false},
                    CheckCase{"12345 78903", false}, CheckCase{"-1234567890", false}));

// ---- Fiscal code --------------------------------------------------------------------------

class CheckFiscalCodeTest : public testing::TestWithParam<CheckCase> {};

TEST_P(CheckFiscalCodeTest, Decides) {
    EXPECT_EQ(CheckFiscalCode(GetParam().text), GetParam().valid) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CheckFiscalCodeTest,
    testing::Values(
        CheckCase{"RSSMRA80A01H501U", true}, CheckCase{"MRTMTT25D09F205Z", true},
        CheckCase{"BNCGVN75L15F205G", true}, CheckCase{"RSSMRA80A01H50MM", true},      // omocode
        CheckCase{"  RSSMRA80A01H501U ", true}, CheckCase{"RSSMRA80A01H501V", false},  // check char
        CheckCase{"RSSMRA80A01H501A", false}, CheckCase{"RSSMRA80A01H502U", false},  // body changed
        CheckCase{"SRSMRA80A01H501U", false},                                        // swapped
        CheckCase{"RSSMRA80A01H5011", false}, CheckCase{"rssmra80a01h501u", false},
        // any other length passes silently
        CheckCase{"12345678901", true}, CheckCase{"RSSMRA80A01H501", true},
        CheckCase{"RSSMRA80A01H501UX", true}, CheckCase{"", true}));

}  // namespace
}  // namespace braxol
