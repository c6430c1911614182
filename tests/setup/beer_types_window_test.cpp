// The beer-type window driven as a user works it: keys, Enter, clicks on the controls and the
// lists of product codes and beer types; then PRAZ.TAB is read back.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "setup/beer_types_window.h"
#include "store/record_file.h"
#include "store/table_structures.h"
#include "store/tables.h"
#include "support/configuration.h"
#include "support/qt/list_choice.h"
#include "support/qt/next_modal.h"
#include "support/qt/scripted_seams.h"
#include "support/qt/widget_helpers.h"
#include "support/temp_folder.h"
#include "tables/codici_nc.h"
#include "tables/listview.h"

namespace braxol {
namespace {

using namespace braxol::test;
namespace fs = std::filesystem;

const QString kCodeInUse = "CODICE GIA` UTILIZZATO";
const std::string kMalt = "1105-22030001-  -";
const std::string kSpecial = "1105-22030009-  -";

TTABELLA Record(std::int32_t number, const char* table, const std::string& key,
                const std::string& text1) {
    TTABELLA r = BlankTabella();
    r.number = number;
    r.text[0].set(key);
    r.text[1].set(text1);
    r.text[10].set(table);
    PadTabella(r);
    return r;
}

TTABELLA BeerType(std::int32_t number, const std::string& type, const std::string& code,
                  double yield, double plato) {
    TTABELLA r = Record(number, "PRAZ", type, code);
    r.num[0] = yield;
    r.num[1] = plato;
    return r;
}

class BeerTypes : public ::testing::Test {
protected:
    TempWorkFolder work;
    ScriptedSeams seams;
    std::unique_ptr<setup::TFPRODAZ> window;

    void SetUp() override {
        CreateMissingStructures(work.folders().datiGen);
        const std::vector<TTABELLA> codes{Record(1, "TA20", kMalt, "Birra di malto"),
                                          Record(2, "TA20", kSpecial, "Birra speciale")};
        WriteRecords<TTABELLA>(Table("TA20"), codes);
        Meter("C");
    }

    fs::path Table(const std::string& name) const {
        return TableFile(work.folders().datiGen, name);
    }
    void Meter(const std::string& meter) {
        CompleteConfiguration configuration;
        configuration.meter = meter;
        WriteConfiguration(work.folders(), configuration);
    }
    void Store(const std::vector<TTABELLA>& records) {
        WriteRecords<TTABELLA>(Table("PRAZ"), records);
    }
    std::vector<TTABELLA> Stored() const {
        auto records = ReadRecords<TTABELLA>(Table("PRAZ"), false);
        for (TTABELLA& r : records) TrimTabella(r);
        return records;
    }
    static std::vector<std::string> Keys(const std::vector<TTABELLA>& records) {
        std::vector<std::string> keys;
        for (const TTABELLA& r : records) keys.push_back(r.text[0].str());
        return keys;
    }
    static std::vector<std::int32_t> Numbers(const std::vector<TTABELLA>& records) {
        std::vector<std::int32_t> numbers;
        for (const TTABELLA& r : records) numbers.push_back(r.number);
        return numbers;
    }

    tables::TableContext Context(bool singleEntry = false) const {
        tables::TableContext c;
        c.folders = work.folders();
        c.tableName = "PRAZ";
        c.singleEntry = singleEntry;
        c.maxWidth = 1000;
        c.maxHeight = 700;
        return c;
    }
    void Open(bool singleEntry = false) {
        window = std::make_unique<setup::TFPRODAZ>(Context(singleEntry));
        ShowActive(window.get());
    }
    QWidget* W() { return window.get(); }
    QLineEdit* Field(const QString& name) { return ControlAs<QLineEdit>(W(), name); }
    QString Shown(const QString& name) { return Field(name)->text(); }
    void TypeThenEnter(const QString& text) {
        Type(W(), text);
        PressEnter(W());
    }
    // Clicks into the field, empties it and types the text.
    void Retype(const QString& name, const QString& text) {
        FocusOn(W(), name);
        Field(name)->clear();
        Field(name)->setCursorPosition(0);
        Type(W(), text);
    }
};

TEST_F(BeerTypes, LitreCounterHidesTheCoefficientAndStoresOne) {
    Open();
    EXPECT_EQ(window->windowTitle(), "Tipi di birra prodotti");
    EXPECT_FALSE(window->energyMeter());
    EXPECT_TRUE(Field("R10")->isHidden());
    EXPECT_TRUE(Control(W(), "ETR10")->isHidden());
    EXPECT_EQ(Shown("R10"), "1");
    EXPECT_EQ(Field("LE0")->maxLength(), 100);
    EXPECT_TRUE(Field("LE2")->isReadOnly());
    EXPECT_EQ(ControlAs<QLabel>(W(), "ETR11")->text(), "Grado Plato");
    EXPECT_EQ(ControlAs<QLabel>(W(), "ETNOTAR11")->text(),
              "Valorizza il campo solo se il Grado Plato è sempre lo stesso");
    EXPECT_EQ(FocusName(), "LE0");
    EXPECT_FALSE(Control(W(), "ETMODIFICA")->isVisible());
    EXPECT_FALSE(Control(W(), "BCANCELLA")->isVisible());
    EXPECT_TRUE(Control(W(), "BELENCA")->isVisible());

    TypeThenEnter("rossa più");
    EXPECT_EQ(Shown("LE0"), "ROSSA PIÙ");
    EXPECT_EQ(FocusName(), "LE1");
    TypeThenEnter("110522030001");
    EXPECT_EQ(Shown("LE2"), "Birra di malto");
    EXPECT_EQ(FocusName(), "R11");
    PressEnter(W());
    ASSERT_EQ(FocusName(), "BCONF");
    PressEnter(W());

    const auto records = Stored();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].number, 1);
    EXPECT_EQ(records[0].text[0].str(), "ROSSA PI\xD9");  // Windows-1252
    EXPECT_EQ(records[0].text[1].str(), kMalt);
    EXPECT_EQ(records[0].num[0], 1.0);
    EXPECT_EQ(records[0].num[1], 0.0);
    EXPECT_EQ(records[0].text[10].str(), "PRAZ");
    EXPECT_TRUE(seams.messages.shown().empty());
    // Ready for the next type.
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->savedType(), "ROSSA PIÙ");
    EXPECT_EQ(FocusName(), "LE0");
    EXPECT_EQ(Shown("LE0"), "");
    EXPECT_EQ(Shown("LE2"), "");
    EXPECT_EQ(Shown("R10"), "1");
}

// One row per way into the confirm button; each stores one more type, in key order.
TEST_F(BeerTypes, ConfirmByClickEnterOrAccelerator) {
    Open();
    struct Way {
        const char* type;
        std::function<void()> confirm;
    };
    const Way ways[] = {
        {"BLANCHE", [&] { Click(W(), "BCONF"); }},
        {"AMBRATA",
         [&] {
             FocusOn(W(), "BCONF");
             PressEnter(W());
         }},
        {"CHIARA",
         [&] {
             PressKey(W(), Qt::Key_C, Qt::AltModifier);
             QTest::qWait(250);  // the accelerator clicks after the button's animation
         }},
    };
    std::vector<std::string> expected;
    for (const Way& way : ways) {
        SCOPED_TRACE(way.type);
        TypeThenEnter(way.type);
        TypeThenEnter("110522030009");
        Type(W(), "12,5");
        way.confirm();
        expected.push_back(way.type);
        std::sort(expected.begin(), expected.end());
        const auto records = Stored();
        EXPECT_EQ(Keys(records), expected);
        EXPECT_EQ(FocusName(), "LE0");
    }
    const auto records = Stored();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(Numbers(records), (std::vector<std::int32_t>{2, 1, 3}));
    EXPECT_EQ(records[0].num[1], 12.5);
    EXPECT_EQ(records[0].text[1].str(), kSpecial);
    EXPECT_TRUE(seams.messages.shown().empty());
}

// Only keys typed in the beer type or its product code touch the window: a Plato typed alone
// leaves it waiting, and the confirm button only goes back to the type.
TEST_F(BeerTypes, OnlyTheTypeAndTheCodeCountAsTyping) {
    Meter("E");
    Open();
    for (const char* field : {"R10", "R11"}) {
        FocusOn(W(), field);
        Type(W(), "12");
        EXPECT_TRUE(window->untouched()) << field;
    }
    Click(W(), "BCONF");
    EXPECT_EQ(FocusName(), "LE0");
    EXPECT_FALSE(fs::exists(Table("PRAZ")) && !Stored().empty());
    EXPECT_TRUE(seams.messages.shown().empty());
    for (const char* field : {"LE0", "LE1"}) {
        window->setUntouched(true);
        FocusOn(W(), field);
        Type(W(), "1");
        EXPECT_FALSE(window->untouched()) << field;
    }
}

// With an energy meter the coefficient is asked for and must be at least 0,00001.
TEST_F(BeerTypes, EnergyMeterCoefficient) {
    Meter("E");
    struct Case {
        QString typed;
        bool saved;
        double stored;
    };
    const Case cases[] = {
        {"0", false, 0},        {"", false, 0},
        {"0,000001", false, 0}, {"0,00001", true, 0.00001},
        {"1,25", true, 1.25},   {"1234,5", true, 1234.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        fs::remove(Table("PRAZ"));
        Open();
        EXPECT_TRUE(window->energyMeter());
        EXPECT_FALSE(Field("R10")->isHidden());
        EXPECT_EQ(ControlAs<QLabel>(W(), "ETR10")->text(),
                  "Coefficiente di resa per la produzione ");
        EXPECT_EQ(Shown("R10"), "");
        TypeThenEnter("IPA");
        ASSERT_EQ(FocusName(), "R10");
        TypeThenEnter(c.typed);
        EXPECT_EQ(FocusName(), "LE1");
        TypeThenEnter("110522030001");
        Click(W(), "BCONF");
        const auto records = Stored();
        if (c.saved) {
            ASSERT_EQ(records.size(), 1u);
            EXPECT_DOUBLE_EQ(records[0].num[0], c.stored);
            EXPECT_EQ(FocusName(), "LE0");
        } else {
            EXPECT_TRUE(records.empty());
            EXPECT_EQ(FocusName(), "R10");
            EXPECT_FALSE(window->editing());
        }
        EXPECT_TRUE(seams.messages.shown().empty());
        window.reset();
    }
}

// A stored type is shown for editing; numbers below 0,000001 show as an empty field.
TEST_F(BeerTypes, TypingAStoredTypeSwitchesToEditing) {
    Meter("E");
    Store({BeerType(1, "IPA", kMalt, 1.5, 0), BeerType(2, "STOUT", kSpecial, 0, 14.25)});
    struct Case {
        QString typed;
        QString yield;
        QString plato;
        QString description;
    };
    for (const Case& c :
         {Case{"ipa", "1,5", "", "Birra di malto"}, Case{"STOUT", "", "14,25", "Birra speciale"}}) {
        SCOPED_TRACE(c.typed.toStdString());
        Open();
        TypeThenEnter(c.typed);
        ASSERT_TRUE(window->editing());
        EXPECT_EQ(Shown("R10"), c.yield);
        EXPECT_EQ(Shown("R11"), c.plato);
        EXPECT_EQ(Shown("LE2"), c.description);
        EXPECT_TRUE(Control(W(), "ETMODIFICA")->isVisible());
        EXPECT_TRUE(Control(W(), "BCANCELLA")->isVisible());
        EXPECT_FALSE(Control(W(), "BELENCA")->isVisible());
        // "&Svuota" leaves the record alone.
        Click(W(), "BSVUOTA");
        EXPECT_FALSE(window->editing());
        EXPECT_FALSE(Control(W(), "BCANCELLA")->isVisible());
        EXPECT_EQ(Shown("LE0"), "");
        EXPECT_EQ(FocusName(), "LE0");
    }
    EXPECT_EQ(Stored().size(), 2u);
}

TEST_F(BeerTypes, RenamedTypeMovesToItsPlaceAndKeepsItsNumber) {
    Store({BeerType(1, "AMBRATA", kMalt, 1, 12), BeerType(2, "BLANCHE", kMalt, 1, 0)});
    Open();
    TypeThenEnter("AMBRATA");
    ASSERT_TRUE(window->editing());
    Retype("LE0", "WEISS");
    Retype("LE1", "110522030009");
    Retype("R11", "11,5");
    Click(W(), "BCONF");

    const auto records = Stored();
    EXPECT_EQ(Keys(records), (std::vector<std::string>{"BLANCHE", "WEISS"}));
    EXPECT_EQ(Numbers(records), (std::vector<std::int32_t>{2, 1}));
    EXPECT_EQ(records[1].text[1].str(), kSpecial);
    EXPECT_EQ(records[1].num[1], 11.5);
    EXPECT_TRUE(seams.messages.shown().empty());
    EXPECT_FALSE(window->editing());
}

TEST_F(BeerTypes, RenamingOntoAStoredTypeIsRefused) {
    Store({BeerType(1, "AMBRATA", kMalt, 1, 12), BeerType(2, "BLANCHE", kMalt, 1, 0)});
    const auto before = Stored();
    Open();
    TypeThenEnter("AMBRATA");
    Retype("LE0", "BLANCHE");
    Click(W(), "BCONF");

    EXPECT_EQ(seams.messages.texts(), QStringList{kCodeInUse});
    EXPECT_EQ(FocusName(), "LE0");
    EXPECT_TRUE(window->editing());
    const auto after = Stored();
    EXPECT_EQ(Keys(after), Keys(before));
    EXPECT_EQ(Numbers(after), Numbers(before));
    EXPECT_EQ(after[0].num[1], 12.0);
}

TEST_F(BeerTypes, DeleteRemovesTheEditedType) {
    Store({BeerType(1, "AMBRATA", kMalt, 1, 12), BeerType(2, "BLANCHE", kMalt, 1, 0)});
    Open();
    TypeThenEnter("AMBRATA");
    Click(W(), "BCANCELLA");
    EXPECT_EQ(Keys(Stored()), (std::vector<std::string>{"BLANCHE"}));
    EXPECT_FALSE(window->editing());
    EXPECT_EQ(FocusName(), "LE0");
}

// Leaving a code that TA20 does not hold opens the TA20 list; the chosen code comes back.
TEST_F(BeerTypes, UnknownCodeOpensTheProductCodeList) {
    Open();
    TypeThenEnter("IPA");
    QStringList seen;
    NextModal<tables::TFLISTVIEW> list(ChooseRow(1, &seen));
    TypeThenEnter("110522039999");
    ASSERT_TRUE(list.answered());
    ShowActive(W());  // the system gives the window back its activation
    EXPECT_EQ(seen, (QStringList{"Codici doganali identificativi dei prodotti (TA20)",
                                 QString::fromStdString(kMalt), QString::fromStdString(kSpecial)}));
    EXPECT_EQ(window->productCode(), "1105-22030009-  -    ");
    EXPECT_EQ(Shown("LE2"), "Birra speciale");
    EXPECT_EQ(FocusName(), "LE1");
    // The window is untouched again: the first key lets the confirm button work.
    PressKey(W(), Qt::Key_End);
    Click(W(), "BCONF");
    const auto records = Stored();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].text[1].str(), kSpecial);
}

// Leaving the list without choosing empties the code, and an unknown code is never stored.
TEST_F(BeerTypes, CodeNotInTheProductTableIsNeverStored) {
    Open();
    TypeThenEnter("IPA");
    {
        NextModal<tables::TFLISTVIEW> list(LeaveList);
        Type(W(), "110522039999");
        Click(W(), "BCONF");
        ASSERT_TRUE(list.answered());
        ShowActive(W());
    }
    EXPECT_EQ(window->productCode(), "    -        -  -    ");
    EXPECT_EQ(FocusName(), "LE1");
    EXPECT_TRUE(Stored().empty());
    EXPECT_TRUE(seams.messages.shown().empty());
}

TEST_F(BeerTypes, MissingProductCodeStructureStopsTheConfirmation) {
    fs::remove(StructureFile(work.folders().datiGen, "TA20"));
    Open();
    TypeThenEnter("IPA");
    Type(W(), "110522030001");
    Click(W(), "BCONF");
    Settle();
    EXPECT_TRUE(seams.messages.saw("STRUTTURA DEL FILE MANCANTE"));
    EXPECT_EQ(FocusName(), "LE1");
    EXPECT_TRUE(Stored().empty());
}

// The speed button lists TA20; the lookups of the type field stay on PRAZ afterwards.
TEST_F(BeerTypes, AfterChoosingACodeAStoredTypeStillSwitchesToEditing) {
    Store({BeerType(1, "STOUT", kSpecial, 1, 14)});
    Open();
    {
        NextModal<tables::TFLISTVIEW> list(ChooseRow(0));
        Click(W(), "SpeedButton1");
        ASSERT_TRUE(list.answered());
        ShowActive(W());
    }
    EXPECT_EQ(window->productCode(), "1105-22030001-  -    ");
    EXPECT_EQ(Shown("LE2"), "Birra di malto");
    EXPECT_EQ(FocusName(), "LE1");
    FocusOn(W(), "LE0");
    TypeThenEnter("STOUT");
    ASSERT_TRUE(window->editing());
    EXPECT_EQ(window->productCode(), "1105-22030009-  -    ");
    EXPECT_EQ(Shown("R11"), "14");
}

// "&Elenca" lists PRAZ; the chosen type is loaded for editing.
TEST_F(BeerTypes, ListOfTypesLoadsTheChosenOne) {
    Store({BeerType(1, "AMBRATA", kMalt, 1, 12), BeerType(2, "BLANCHE", kSpecial, 1, 0)});
    Open();
    QStringList seen;
    {
        NextModal<tables::TFLISTVIEW> list(ChooseRow(1, &seen));
        Click(W(), "BELENCA");
        ASSERT_TRUE(list.answered());
        ShowActive(W());
    }
    EXPECT_EQ(seen, (QStringList{"Tipi di birra prodotti", "AMBRATA", "BLANCHE"}));
    EXPECT_EQ(Shown("LE0"), "BLANCHE");
    EXPECT_TRUE(window->editing());
    EXPECT_EQ(Shown("LE2"), "Birra speciale");
    EXPECT_EQ(FocusName(), "LE0");
}

TEST_F(BeerTypes, SingleEntryClosesAfterTheFirstInsertion) {
    Open(true);
    TypeThenEnter("IPA");
    TypeThenEnter("110522030001");
    Click(W(), "BCONF");
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->result(), QDialog::Accepted);
    EXPECT_EQ(window->savedType(), "IPA");
    ASSERT_TRUE(window->saved().has_value());
    EXPECT_EQ(window->saved()->number, 1);
    EXPECT_EQ(Keys(Stored()), (std::vector<std::string>{"IPA"}));
}

// The production windows open it for a new type and take the type back.
TEST_F(BeerTypes, NewBeerTypeReturnsTheSavedType) {
    NextModal<setup::TFPRODAZ> entry([](setup::TFPRODAZ* w) {
        ShowActive(w);
        Type(w, "weiss");
        PressEnter(w);
        Type(w, "110522030009");
        Click(w, "BCONF");
    });
    EXPECT_EQ(setup::OpenNewBeerType(nullptr, Context()), "WEISS");
    EXPECT_EQ(entry.opened(), 1);
    EXPECT_EQ(Keys(Stored()), (std::vector<std::string>{"WEISS"}));

    NextModal<setup::TFPRODAZ> left([](setup::TFPRODAZ* w) { Click(w, "BABBANDONA"); });
    EXPECT_EQ(setup::OpenNewBeerType(nullptr, Context()), "");
    EXPECT_EQ(left.opened(), 1);
}

// A new brewer's product-code table is empty: leaving the code says so and opens the
// product-code window on the typed code, by keyboard; the new code then serves the beer type.
TEST_F(BeerTypes, EmptyProductCodeTableLeadsToTheNewCode) {
    fs::remove(Table("TA20"));
    Open();
    QString codeShown, focusThere;
    NextModal<tables::TFCODICI_NC> codes([&](tables::TFCODICI_NC* w) {
        ShowActive(w);
        codeShown = w->code();
        focusThere = FocusName();
        Type(w, "Birra di malto");
        for (int i = 0; i < 4; ++i) PressEnter(w);  // the two dates, then "&CONFERMA"
    });
    TypeThenEnter("ambrata");
    TypeThenEnter("110522030001");
    ASSERT_TRUE(codes.answered());
    ShowActive(W());
    EXPECT_EQ(seams.messages.texts(),
              QStringList{"LA TABELLA \"Codici doganali identificativi dei prodotti (TA20)\" È "
                          "ANCORA VUOTA: INSERIRE ORA IL NUOVO CODICE\n\n(la tabella si aggiorna "
                          "anche dal menu Codici e Tabelle → Codici prodotti (TA20))"});
    EXPECT_EQ(codeShown, "1105-22030001-  -    ");
    EXPECT_EQ(focusThere, "Memo1");
    EXPECT_EQ(window->productCode(), "1105-22030001-  -    ");
    EXPECT_EQ(Shown("LE2"), "Birra di malto");
    EXPECT_EQ(FocusName(), "LE1");
    PressEnter(W());
    EXPECT_EQ(FocusName(), "R11");
    TypeThenEnter("12,5");
    ASSERT_EQ(FocusName(), "BCONF");
    PressEnter(W());
    const auto beers = Stored();
    ASSERT_EQ(beers.size(), 1u);
    EXPECT_EQ(beers[0].text[0].str(), "AMBRATA");
    EXPECT_EQ(beers[0].text[1].str(), kMalt);
    EXPECT_EQ(ReadRecords<TTABELLA>(Table("TA20"), false).size(), 1u);
}

// "Nu&ovo Codice" (Alt+O) opens the product-code window for one code, started from a typed
// code that TA20 does not hold; the list of codes has an accelerator of its own (Alt+N).
TEST_F(BeerTypes, NewCodeButtonStartsFromTheTypedCode) {
    Open();
    TypeThenEnter("weiss");
    Type(W(), "110522030042");
    QString codeShown;
    NextModal<tables::TFCODICI_NC> codes([&](tables::TFCODICI_NC* w) {
        ShowActive(w);
        codeShown = w->code();
        Type(w, "Birra di frumento");
        Click(w, "BCONF");
    });
    PressKey(W(), Qt::Key_O, Qt::AltModifier);
    ASSERT_TRUE(codes.answered());
    ShowActive(W());
    EXPECT_EQ(codeShown, "1105-22030042-  -    ");
    EXPECT_EQ(window->productCode(), "1105-22030042-  -    ");
    EXPECT_EQ(Shown("LE2"), "Birra di frumento");
    EXPECT_EQ(FocusName(), "LE1");
    {
        NextModal<tables::TFLISTVIEW> list(ChooseRow(1));
        PressKey(W(), Qt::Key_N, Qt::AltModifier);
        ASSERT_TRUE(list.answered());
        ShowActive(W());
    }
    EXPECT_EQ(window->productCode(), "1105-22030009-  -    ");
    EXPECT_TRUE(seams.messages.shown().empty());
}

}  // namespace
}  // namespace braxol
