// The product-code window: the masked code, the description memo and the two dates.

#include <QPlainTextEdit>

#include "table_test_support.h"
#include "tables/codici_nc.h"

namespace braxol {
namespace {

using namespace braxol::test;
using tables::TFCODICI_NC;

class ProductCodes : public TableWindowTest {
protected:
    TTABELLA Code(std::int32_t number, const std::string& code, const std::string& text) {
        TTABELLA r = TableRecord(number, "TA20", code, text);
        r.num[0] = DateFromCivil(2020, 1, 1);
        r.num[1] = DateFromCivil(2030, 12, 31);
        return r;
    }
};

TEST_F(ProductCodes, OpensWithTodayAndTheDefaultEndDate) {
    TFCODICI_NC window(Context("TA20"));
    ShowActive(&window);
    EXPECT_EQ(window.windowTitle(), "Codici doganali identificativi dei prodotti (TA20)");
    EXPECT_EQ(ControlAs<QLineEdit>(&window, "MDALLA")->text(), "15/03/2025");
    EXPECT_EQ(ControlAs<QLineEdit>(&window, "MALLA")->text(), "01/01/2050");
    EXPECT_EQ(FocusName(), "ME0");
    EXPECT_EQ(window.code(), "    -        -  -    ");
}

TEST_F(ProductCodes, NewCodeIsStoredWithItsDates) {
    TFCODICI_NC window(Context("TA20"));
    ShowActive(&window);
    Type(&window, "110522030001");
    EXPECT_EQ(window.code(), "1105-22030001-  -    ");
    PressEnter(&window);
    EXPECT_EQ(FocusName(), "Memo1");
    Type(&window, "Birra di malto");
    PressEnter(&window);
    EXPECT_EQ(FocusName(), "MDALLA");
    PressEnter(&window);
    EXPECT_EQ(FocusName(), "MALLA");
    PressEnter(&window);
    ASSERT_EQ(FocusName(), "BCONF");
    PressEnter(&window);

    const auto records = Read("TA20");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].text[0].str(), "1105-22030001-  -");
    EXPECT_EQ(records[0].text[1].str(), "Birra di malto");
    EXPECT_EQ(records[0].num[0], DateFromCivil(2025, 3, 15));
    EXPECT_EQ(records[0].num[1], DateFromCivil(2050, 1, 1));
    EXPECT_EQ(records[0].number, 1);
    EXPECT_EQ(FocusName(), "ME0");
}

TEST_F(ProductCodes, CodeWithoutItsNcDigitsKeepsTheFocus) {
    TFCODICI_NC window(Context("TA20"));
    ShowActive(&window);
    Type(&window, "1105");
    PressEnter(&window);
    Settle();
    EXPECT_EQ(FocusName(), "ME0");
}

TEST_F(ProductCodes, EndDateBeforeStartDateIsRefused) {
    TFCODICI_NC window(Context("TA20"));
    ShowActive(&window);
    Type(&window, "110522030001");
    PressEnter(&window);
    Retype(&window, "MALLA", "01012020");
    Click(&window, "BCONF");
    EXPECT_EQ(FocusName(), "MALLA");
    EXPECT_TRUE(Read("TA20").empty());
}

TEST_F(ProductCodes, KnownCodeIsLoadedAndAChangeOntoAUsedCodeRefused) {
    Write("TA20", {Code(1, "1105-22030001-  -", "Birra"), Code(2, "1105-22030009-  -", "Altro")});
    TFCODICI_NC window(Context("TA20"));
    ShowActive(&window);
    Type(&window, "110522030001");
    PressEnter(&window);
    ASSERT_TRUE(window.editing());
    EXPECT_EQ(ControlAs<QPlainTextEdit>(&window, "Memo1")->toPlainText(), "Birra");
    EXPECT_EQ(ControlAs<QLineEdit>(&window, "MDALLA")->text(), "01/01/2020");
    EXPECT_EQ(ControlAs<QLineEdit>(&window, "MALLA")->text(), "31/12/2030");
    Retype(&window, "ME0", "110522030009");
    Click(&window, "BCONF");
    EXPECT_EQ(seams.messages.texts(), QStringList{"CODICE GIA` UTILIZZATO"});
    EXPECT_EQ(FocusName(), "ME0");
}

TEST_F(ProductCodes, CodeWithoutCpaFindsItsPlacesInTheMask) {
    Write("TA20", {Code(1, "    -22030001-  -", "Senza CPA")});
    TFCODICI_NC window(Context("TA20"));
    ShowActive(&window);
    FocusOn(&window, "ME0");
    ControlAs<QLineEdit>(&window, "ME0")->setCursorPosition(5);
    Type(&window, "22030001");
    PressEnter(&window);
    ASSERT_TRUE(window.editing());
    EXPECT_EQ(window.code(), "    -22030001-  -    ");
    EXPECT_EQ(ControlAs<QPlainTextEdit>(&window, "Memo1")->toPlainText(), "Senza CPA");
}

TEST_F(ProductCodes, DescriptionStopsAt250Characters) {
    TFCODICI_NC window(Context("TA20"));
    ShowActive(&window);
    auto* memo = ControlAs<QPlainTextEdit>(&window, "Memo1");
    memo->setPlainText(QString(248, 'a'));
    FocusOn(&window, "Memo1");
    memo->moveCursor(QTextCursor::End);
    Type(&window, "bcdè");
    EXPECT_EQ(memo->toPlainText().size(), 250);
    EXPECT_TRUE(memo->toPlainText().endsWith("bc"));
}

TEST_F(ProductCodes, MissingStructureClosesTheWindow) {
    std::filesystem::remove(StructureFile(work.folders().datiGen, "TA20"));
    TFCODICI_NC window(Context("TA20"));
    window.show();
    Settle();
    EXPECT_EQ(seams.messages.texts(), QStringList{"STRUTTURA DELLA TABELLA MANCANTE"});
    EXPECT_FALSE(window.isVisible());
}

}  // namespace
}  // namespace braxol
