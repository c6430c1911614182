// The excise-rate window: rates kept in date order, editing a rate found by its date, and a
// date moved onto one already present.

#include "tables/tabaccise.h"
#include "store/numbers.h"
#include "table_test_support.h"

namespace braxol {
namespace {

using namespace braxol::test;
using tables::TFTABACCISE;

class ExciseRates : public TableWindowTest {
protected:
    void SetUp() override {
        TableWindowTest::SetUp();
        Write("ACCISE", {ExciseRecord(1, DateFromCivil(2020, 1, 1), 3.04),
                         ExciseRecord(2, DateFromCivil(2022, 1, 1), 2.99)});
    }
    static std::vector<std::string> Dates(const std::vector<TTABELLA>& records) {
        std::vector<std::string> dates;
        for (const TTABELLA& r : records) dates.push_back(FormatDate(r.num[0]));
        return dates;
    }
};

TEST_F(ExciseRates, OpensOnTodayWithTheDefaultChapter) {
    TFTABACCISE window(Context("ACCISE"));
    ShowActive(&window);
    EXPECT_EQ(window.windowTitle(), "Tabella delle Accise");
    EXPECT_EQ(ControlAs<QLineEdit>(&window, "R10")->text(), "15/03/2025");
    EXPECT_EQ(ControlAs<QLineEdit>(&window, "LE0")->text(), "1402");
    EXPECT_TRUE(ControlAs<QLineEdit>(&window, "R11")->text().isEmpty());
    EXPECT_EQ(FocusName(), "R10");
}

TEST_F(ExciseRates, NewRateGoesInDateOrder) {
    TFTABACCISE window(Context("ACCISE"));
    ShowActive(&window);
    Retype(&window, "R10", "01072021");
    PressEnter(&window);
    EXPECT_FALSE(window.editing());
    EXPECT_EQ(FocusName(), "R11");
    Type(&window, "2,97");
    PressEnter(&window);
    EXPECT_EQ(FocusName(), "LE0");
    ControlAs<QLineEdit>(&window, "LE0")->selectAll();
    Type(&window, "1411");
    PressEnter(&window);
    ASSERT_EQ(FocusName(), "BCONF");
    PressEnter(&window);

    const auto records = Read("ACCISE");
    EXPECT_EQ(Dates(records), (std::vector<std::string>{"01/01/2020", "01/07/2021", "01/01/2022"}));
    EXPECT_EQ(Numbers(records), (std::vector<std::int32_t>{1, 3, 2}));
    EXPECT_DOUBLE_EQ(records[1].num[1], 2.97);
    EXPECT_EQ(records[1].text[0].str(), "1411");
    EXPECT_EQ(records[1].text[10].str(), "ACCISE");
    EXPECT_TRUE(seams.messages.shown().empty());
    // Reset for the next rate.
    EXPECT_EQ(ControlAs<QLineEdit>(&window, "LE0")->text(), "1402");
    EXPECT_TRUE(ControlAs<QLineEdit>(&window, "R11")->text().isEmpty());
}

TEST_F(ExciseRates, RateBelowTheSmallestIsRefused) {
    TFTABACCISE window(Context("ACCISE"));
    ShowActive(&window);
    Retype(&window, "R10", "01072021");
    PressEnter(&window);
    Type(&window, "0,000001");
    PressEnter(&window);
    Settle();
    EXPECT_EQ(FocusName(), "R11");
    Click(&window, "BCONF");
    EXPECT_EQ(FocusName(), "R11");
    EXPECT_EQ(Read("ACCISE").size(), 2u);
}

TEST_F(ExciseRates, KnownDateIsEditedAndMovedInOrder) {
    TFTABACCISE window(Context("ACCISE"));
    ShowActive(&window);
    Retype(&window, "R10", "01012020");
    PressEnter(&window);
    ASSERT_TRUE(window.editing());
    EXPECT_EQ(ControlAs<QLineEdit>(&window, "R11")->text(), "3,04");
    EXPECT_EQ(ControlAs<QLineEdit>(&window, "LE0")->text(), "1402");
    Retype(&window, "R10", "01032023");
    Click(&window, "BCONF");

    const auto records = Read("ACCISE");
    EXPECT_EQ(Dates(records), (std::vector<std::string>{"01/01/2022", "01/03/2023"}));
    EXPECT_DOUBLE_EQ(records[1].num[1], 3.04);
    EXPECT_TRUE(seams.messages.shown().empty());
    EXPECT_FALSE(window.editing());
}

TEST_F(ExciseRates, DateMovedOntoAnotherRateIsRefused) {
    TFTABACCISE window(Context("ACCISE"));
    ShowActive(&window);
    Retype(&window, "R10", "01012020");
    PressEnter(&window);
    ASSERT_TRUE(window.editing());
    Retype(&window, "R10", "01012022");
    PressEnter(&window);
    Click(&window, "BCONF");

    EXPECT_EQ(seams.messages.texts(), QStringList{"ACCISA GIA` PRESENTE"});
    EXPECT_EQ(FocusName(), "R10");
    const auto records = Read("ACCISE");
    EXPECT_EQ(Dates(records), (std::vector<std::string>{"01/01/2020", "01/01/2022"}));
    EXPECT_DOUBLE_EQ(records[0].num[1], 3.04);
}

TEST_F(ExciseRates, DeleteRemovesTheEditedRate) {
    TFTABACCISE window(Context("ACCISE"));
    ShowActive(&window);
    Retype(&window, "R10", "01012022");
    PressEnter(&window);
    ASSERT_TRUE(window.editing());
    Click(&window, "BCANCELLA");
    EXPECT_EQ(Dates(Read("ACCISE")), (std::vector<std::string>{"01/01/2020"}));
    EXPECT_FALSE(window.editing());
}

TEST_F(ExciseRates, MissingStructureClosesTheWindow) {
    std::filesystem::remove(StructureFile(work.folders().datiGen, "ACCISE"));
    TFTABACCISE window(Context("ACCISE"));
    window.show();
    Settle();
    EXPECT_EQ(seams.messages.texts(), QStringList{"STRUTTURA DELLA TABELLA MANCANTE"});
    EXPECT_FALSE(window.isVisible());
}

}  // namespace
}  // namespace braxol
