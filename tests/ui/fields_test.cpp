// The amount, integer and date fields, key by key.

#include <gtest/gtest.h>

#include "store/dates.h"
#include "support/qt/widget_helpers.h"
#include "ui/fields.h"

namespace braxol {
namespace {

using namespace braxol::test;

struct TypedCase {
    const char* keys;
    const char* shown;
    double value;  // read with 2 decimals
};

TEST(AmountEdit, RegroupsThousandsAndTurnsDotIntoComma) {
    const TypedCase cases[] = {
        {"1234567", "1.234.567", 1234567},
        {"1234.5", "1.234,5", 1234.5},
        {"-12,5", "-12,5", -12.5},
        {"12-3", "123", 123},      // "-" only while empty
        {"1,2,3", "1,23", 1.23},   // one comma only
        {"12a b3", "123", 123},    // letters beep and are dropped
        {"0,005", "0,005", 0.01},  // rounded half away from zero
        {"1000000,99", "1.000.000,99", 1000000.99},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        ui::AmountEdit edit;
        ShowActive(&edit);
        edit.setFocus();
        Type(&edit, QString::fromUtf8(c.keys));
        EXPECT_EQ(edit.text(), QString::fromUtf8(c.shown));
        EXPECT_DOUBLE_EQ(edit.value(2), c.value);
    }
}

TEST(AmountEdit, BackspaceRegroups) {
    ui::AmountEdit edit;
    ShowActive(&edit);
    edit.setFocus();
    Type(&edit, "1234");
    ASSERT_EQ(edit.text(), "1.234");
    PressKey(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), "123");
}

TEST(AmountEdit, ShowsValuesInTheItalianFormat) {
    ui::AmountEdit edit;
    edit.setValue(1234.5, 2);
    EXPECT_EQ(edit.text(), "1.234,50");
    edit.setValue(12.5);
    EXPECT_EQ(edit.text(), "12,5");
}

TEST(IntegerEdit, AcceptsDigitsAndALeadingMinus) {
    const TypedCase cases[] = {
        {"123", "123", 123}, {"-45", "-45", -45}, {"4-5", "45", 45}, {"1a2.3", "123", 123}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        ui::IntegerEdit edit;
        ShowActive(&edit);
        edit.setFocus();
        Type(&edit, c.keys);
        EXPECT_EQ(edit.text(), c.shown);
        EXPECT_EQ(edit.value(), static_cast<int>(c.value));
    }
}

TEST(DateEdit, ReadsOnlyRealDates) {
    ui::DateEdit edit;
    ShowActive(&edit);
    edit.setFocus();
    edit.setCursorPosition(0);
    Type(&edit, "29022024");
    ASSERT_TRUE(edit.date().has_value());
    EXPECT_EQ(FormatDate(*edit.date()), "29/02/2024");
    edit.setText("29/02/2023");
    EXPECT_FALSE(edit.date().has_value());
    edit.setDate(DateFromCivil(2025, 3, 15));
    EXPECT_EQ(edit.text(), "15/03/2025");
}

}  // namespace
}  // namespace braxol
