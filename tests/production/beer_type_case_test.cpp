// A beer type typed in lower case in the production window is the type the table holds in
// upper case, and the production stores it as the table holds it.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <memory>

#include "brew_fixture.h"
#include "production/brew_computation.h"
#include "production/production_window.h"
#include "store/cp1252.h"
#include "ui/text.h"

namespace braxol {
namespace {

using namespace braxol::production;
using namespace braxol::test;
using namespace braxol::test::brew;

class BeerTypeCase : public BrewTest {
protected:
    void SetUp() override {
        BrewTest::SetUp();
        AddBeerType(work.folders(), Cp1252FromUtf8("PIÙ LUPPOLO"), kBeerCode, 1, 14);
    }
};

TEST_F(BeerTypeCase, LookupIgnoresTheCaseOfLetters) {
    struct Case {
        const char* typed;  // UTF-8
        const char* found;  // UTF-8; "" when not found
    } cases[] = {{"bionda", "BIONDA"},
                 {"Bionda  ", "BIONDA"},
                 {"più luppolo", "PIÙ LUPPOLO"},
                 {"PIU LUPPOLO", ""},
                 {"bionde", ""}};
    for (const Case& c : cases) {
        const BeerType type = LookUpBeerType(work.folders().datiGen, Cp1252FromUtf8(c.typed));
        EXPECT_EQ(type.status == BeerType::Status::Found, *c.found != '\0') << c.typed;
        EXPECT_EQ(Utf8FromCp1252(type.type), c.found) << c.typed;
    }
}

TEST_F(BeerTypeCase, ProductionStoresTheTypeAsTheTableHoldsIt) {
    auto window = std::make_unique<TFPRODUZIONE>(Request());
    ShowActive(window.get());
    auto typeOver = [&](const QString& text) {
        ControlAs<QLineEdit>(window.get(), FocusName())->selectAll();
        Type(window.get(), text);
        PressEnter(window.get());
    };
    typeOver("10032025");
    typeOver("12");
    PressEnter(window.get());  // the PEC date
    typeOver("0930");
    ASSERT_EQ(FocusName(), "PRODAZ");
    typeOver("più luppolo");
    EXPECT_TRUE(seams.messages.shown().empty()) << seams.messages.texts().join("|").toStdString();
    EXPECT_EQ(FocusName(), "INTER1");
    EXPECT_EQ(ControlAs<QLineEdit>(window.get(), "PRODAZ")->text(), "PIÙ LUPPOLO");
    EXPECT_EQ(ControlAs<QLineEdit>(window.get(), "PRODDO")->text(), "    -22030001-  -    ");
    typeOver("5000");
    typeOver("6250");
    PressEnter(window.get());  // the litres
    PressEnter(window.get());  // the degrees Plato of the type
    PressEnter(window.get());  // the note
    ASSERT_EQ(FocusName(), "BCONF");
    PressEnter(window.get());

    ASSERT_TRUE(window->saved()) << seams.messages.texts().join("|").toStdString();
    const auto records = Read();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(Utf8FromCp1252(records[0].PRODAZ.trimmed()), "PIÙ LUPPOLO");
    EXPECT_EQ(records[0].GRAPLA, 14);
}

}  // namespace
}  // namespace braxol
