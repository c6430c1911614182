// The register-protocol window driven as a user works it; then PROTOCOLLI.TAB is read back.

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

#include "setup/protocols_window.h"
#include "store/config_files.h"
#include "store/dates.h"
#include "store/record_file.h"
#include "store/table_structures.h"
#include "store/tables.h"
#include "support/qt/next_modal.h"
#include "support/qt/scripted_seams.h"
#include "support/qt/widget_helpers.h"
#include "support/temp_folder.h"
#include "tables/listview.h"

namespace braxol {
namespace {

using namespace braxol::test;
namespace fs = std::filesystem;

const QString kCodeInUse = "CODICE GIA` UTILIZZATO";
const std::string kMilan = "UFFICIO DELLE DOGANE DI MILANO 1";

TTABELLA Protocol(std::int32_t number, const std::string& key, double date, double validFrom,
                  const std::string& heading = "") {
    TTABELLA r = BlankTabella();
    r.number = number;
    r.text[0].set(key);
    r.text[2].set(heading);
    r.text[10].set("PROTOCOLLI");
    r.num[0] = date;
    r.num[1] = validFrom;
    PadTabella(r);
    return r;
}

class Protocols : public ::testing::Test {
protected:
    TempWorkFolder work;
    ScriptedSeams seams;
    std::unique_ptr<setup::TFPROTREGISTRI> window;

    void SetUp() override {
        CreateMissingStructures(work.folders().datiGen);
        TTABELLA office = BlankTabella();
        office.text[0].set("IT012100");
        office.text[1].set(kMilan);
        office.text[10].set("TA03");
        InsertTableRecord(Table("TA03"), office);
        Office("IT012100");
    }

    fs::path Table(const std::string& name) const {
        return TableFile(work.folders().datiGen, name);
    }
    void Office(const std::string& office) {
        TUTENTE company = BlankTutente();
        company.UFFDO1.set(office);
        company.CAUESO.set("C");
        WriteCompany(work.folders().companyFile(), company);
    }
    void Store(const std::vector<TTABELLA>& records) {
        WriteRecords<TTABELLA>(Table("PROTOCOLLI"), records);
    }
    std::vector<TTABELLA> Stored() const {
        auto records = ReadRecords<TTABELLA>(Table("PROTOCOLLI"), false);
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

    tables::TableContext Context() const {
        tables::TableContext c;
        c.folders = work.folders();
        c.tableName = "PROTOCOLLI";
        c.maxWidth = 1000;
        c.maxHeight = 700;
        return c;
    }
    void Open() {
        window = std::make_unique<setup::TFPROTREGISTRI>(Context());
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
    // A new protocol typed in a new window: number, dates (DDMMYYYY), heading, confirm.
    void Add(const QString& number, const QString& date, const QString& validFrom,
             const QString& heading) {
        Open();
        TypeThenEnter(number);
        Retype("R10", date);
        Retype("R11", validFrom);
        Retype("LE2", heading);
        Click(W(), "BCONF");
        EXPECT_FALSE(window->isVisible()) << number.toStdString();
        window.reset();
    }
};

TEST_F(Protocols, OpensWithTodayInBothDates) {
    Open();
    EXPECT_EQ(window->windowTitle(), "Protocollo dei Registri delle produzioni proprie");
    EXPECT_EQ(Shown("R10"), "15/03/2025");
    EXPECT_EQ(Shown("R11"), "15/03/2025");
    EXPECT_EQ(Shown("LE0"), "");
    EXPECT_EQ(Shown("LE2"), "");
    EXPECT_EQ(Field("LE0")->maxLength(), 10);
    EXPECT_EQ(Field("LE2")->maxLength(), 200);
    EXPECT_EQ(Field("LE0")->toolTip(), "Riportare il numero di protocollo registrato dalla dogana");
    EXPECT_EQ(Field("R10")->toolTip(), "Riportare la data del protocollo registrato dalla dogana");
    EXPECT_EQ(Field("R11")->toolTip(),
              "Indicare da quale data verranno registrati i movimenti nel registro");
    EXPECT_EQ(Field("LE2")->toolTip(), "Intestazione che verrà stampata sul registro");
    EXPECT_EQ(ControlAs<QLabel>(W(), "ETR11")->text(),
              "Registro delle produzioni valido dalla data:");
    EXPECT_EQ(FocusName(), "LE0");
    EXPECT_FALSE(Control(W(), "ETMODIFICA")->isVisible());
    EXPECT_FALSE(Control(W(), "BCANCELLA")->isVisible());
    EXPECT_TRUE(Control(W(), "BELENCA")->isVisible());
    // Untouched, the confirm button only goes back to the number.
    Click(W(), "BCONF");
    EXPECT_EQ(FocusName(), "LE0");
    EXPECT_TRUE(Stored().empty());
}

// Leaving a date with an empty heading fills it: office, its TA03 description (a blank when
// TA03 does not know it), number and protocol date. One row per office.
TEST_F(Protocols, DefaultHeadingFromTheCompanyOffice) {
    struct Case {
        std::string office;
        QString heading;
    };
    const Case cases[] = {
        {"IT012100",
         "IT012100 di UFFICIO DELLE DOGANE DI MILANO 1 protocollo n. 1234/R del 10/01/2025"},
        {"IT099999", "IT099999  protocollo n. 1234/R del 10/01/2025"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.office);
        Office(c.office);
        Open();
        TypeThenEnter("1234/R");
        EXPECT_EQ(FocusName(), "R10");
        Retype("R10", "10012025");
        PressEnter(W());
        EXPECT_EQ(FocusName(), "R11");
        EXPECT_EQ(Shown("LE2"), c.heading);
        PressEnter(W());
        EXPECT_EQ(FocusName(), "LE2");
        PressEnter(W());
        ASSERT_EQ(FocusName(), "BCONF");
        PressEnter(W());
        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(window->result(), QDialog::Accepted);
        const auto records = Stored();
        ASSERT_EQ(records.size(), 1u);
        EXPECT_EQ(records[0].text[0].str(), "1234/R");
        EXPECT_EQ(records[0].text[2].str(), c.heading.toStdString());
        EXPECT_EQ(records[0].num[0], DateFromCivil(2025, 1, 10));
        EXPECT_EQ(records[0].num[1], DateFromCivil(2025, 3, 15));
        EXPECT_EQ(records[0].text[10].str(), "PROTOCOLLI");
        EXPECT_EQ(records[0].number, 1);
        EXPECT_TRUE(seams.messages.shown().empty());
        fs::remove(Table("PROTOCOLLI"));
        window.reset();
    }
}

TEST_F(Protocols, TypedHeadingIsNeverReplaced) {
    Open();
    Type(W(), "77");
    Retype("LE2", "Ufficio di Aosta");
    Retype("R10", "01022025");
    FocusOn(W(), "R11");
    FocusOn(W(), "LE2");
    EXPECT_EQ(Shown("LE2"), "Ufficio di Aosta");
    Click(W(), "BCONF");
    ASSERT_EQ(Stored().size(), 1u);
    EXPECT_EQ(Stored()[0].text[2].str(), "Ufficio di Aosta");
}

// The table follows the valid-from dates, whatever the numbers and the order of entry.
TEST_F(Protocols, StoredInOrderOfValidFromDate) {
    Add("900", "20062025", "01072025", "Secondo semestre");
    Add("100", "20122024", "01012025", "Primo semestre");
    Add("050", "25032025", "01042025", "Aprile");
    Add("999", "20062025", "01072025", "Stesso giorno");

    const auto records = Stored();
    EXPECT_EQ(Keys(records), (std::vector<std::string>{"100", "050", "900", "999"}));
    EXPECT_EQ(Numbers(records), (std::vector<std::int32_t>{2, 3, 1, 4}));
    EXPECT_EQ(records[0].num[1], DateFromCivil(2025, 1, 1));
    EXPECT_EQ(records[2].num[1], DateFromCivil(2025, 7, 1));
    EXPECT_EQ(records[2].text[2].str(), "Secondo semestre");
}

// A stored number loads the protocol; a new valid-from date moves it, the number and the
// heading stay.
TEST_F(Protocols, EditedProtocolKeepsItsNumberAndHeading) {
    Store({Protocol(1, "A1", DateFromCivil(2024, 12, 20), DateFromCivil(2025, 1, 1), "Testata A"),
           Protocol(2, "B2", DateFromCivil(2025, 6, 20), DateFromCivil(2025, 7, 1), "Testata B")});
    Open();
    TypeThenEnter("A1");
    ASSERT_TRUE(window->editing());
    EXPECT_EQ(Shown("R10"), "20/12/2024");
    EXPECT_EQ(Shown("R11"), "01/01/2025");
    EXPECT_EQ(Shown("LE2"), "Testata A");
    EXPECT_TRUE(Control(W(), "ETMODIFICA")->isVisible());
    EXPECT_TRUE(Control(W(), "BCANCELLA")->isVisible());
    EXPECT_FALSE(Control(W(), "BELENCA")->isVisible());
    Retype("R11", "01092025");
    PressEnter(W());
    EXPECT_EQ(Shown("LE2"), "Testata A");
    Click(W(), "BCONF");

    EXPECT_FALSE(window->isVisible());
    const auto records = Stored();
    EXPECT_EQ(Keys(records), (std::vector<std::string>{"B2", "A1"}));
    EXPECT_EQ(Numbers(records), (std::vector<std::int32_t>{2, 1}));
    EXPECT_EQ(records[1].num[1], DateFromCivil(2025, 9, 1));
    EXPECT_EQ(records[1].text[2].str(), "Testata A");
}

TEST_F(Protocols, RenumberingOntoAStoredProtocolIsRefused) {
    Store({Protocol(1, "A1", DateFromCivil(2024, 12, 20), DateFromCivil(2025, 1, 1), "Testata A"),
           Protocol(2, "B2", DateFromCivil(2025, 6, 20), DateFromCivil(2025, 7, 1), "Testata B")});
    Open();
    TypeThenEnter("A1");
    Retype("LE0", "B2");
    Click(W(), "BCONF");
    EXPECT_EQ(seams.messages.texts(), QStringList{kCodeInUse});
    EXPECT_EQ(FocusName(), "LE0");
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(Keys(Stored()), (std::vector<std::string>{"A1", "B2"}));

    // A free number is taken, under the same record number.
    Retype("LE0", "C3");
    Click(W(), "BCONF");
    EXPECT_EQ(Keys(Stored()), (std::vector<std::string>{"C3", "B2"}));
    EXPECT_EQ(Numbers(Stored()), (std::vector<std::int32_t>{1, 2}));
}

// A date that is not a date keeps the focus on it and stores nothing. One row per field.
TEST_F(Protocols, WrongDateIsRefused) {
    for (const QString field : {"R10", "R11"}) {
        SCOPED_TRACE(field.toStdString());
        Open();
        TypeThenEnter("12");
        Retype(field, "31022025");
        Click(W(), "BCONF");
        EXPECT_EQ(FocusName(), field);
        EXPECT_TRUE(window->isVisible());
        EXPECT_TRUE(Stored().empty());
        window.reset();
    }
}

TEST_F(Protocols, DeleteAndEmpty) {
    Store({Protocol(1, "A1", DateFromCivil(2024, 12, 20), DateFromCivil(2025, 1, 1), "Testata A"),
           Protocol(2, "B2", DateFromCivil(2025, 6, 20), DateFromCivil(2025, 7, 1), "Testata B")});
    Open();
    TypeThenEnter("B2");
    ASSERT_TRUE(window->editing());
    // "&Svuota" leaves the record alone, and leaving the date for it fills no heading.
    Click(W(), "BSVUOTA");
    EXPECT_FALSE(window->editing());
    EXPECT_EQ(Shown("LE0"), "");
    EXPECT_EQ(Shown("LE2"), "");
    EXPECT_EQ(FocusName(), "LE0");
    EXPECT_EQ(Stored().size(), 2u);

    TypeThenEnter("A1");
    ASSERT_TRUE(window->editing());
    Click(W(), "BCANCELLA");
    EXPECT_EQ(Keys(Stored()), (std::vector<std::string>{"B2"}));
    EXPECT_FALSE(window->editing());
    EXPECT_EQ(Shown("LE2"), "");
    EXPECT_EQ(FocusName(), "LE0");
    EXPECT_TRUE(window->isVisible());
}

TEST_F(Protocols, ListPutsTheChosenNumberInTheField) {
    Store({Protocol(1, "A1", DateFromCivil(2024, 12, 20), DateFromCivil(2025, 1, 1), "Testata A"),
           Protocol(2, "B2", DateFromCivil(2025, 6, 20), DateFromCivil(2025, 7, 1), "Testata B")});
    Open();
    QStringList seen;
    {
        NextModal<tables::TFLISTVIEW> list([&](tables::TFLISTVIEW* w) {
            auto* rows = w->findChild<QTableWidget*>("LISTA");
            ASSERT_NE(rows, nullptr);
            for (int c = 0; c < rows->columnCount(); ++c) seen << rows->item(1, c)->text();
            rows->selectRow(1);
            QTest::keyClick(rows, Qt::Key_Return);
        });
        Click(W(), "BELENCA");
        ASSERT_TRUE(list.answered());
        ShowActive(W());
    }
    EXPECT_EQ(seen, (QStringList{"B2", "20/06/2025", "01/07/2025"}));
    EXPECT_EQ(Shown("LE0"), "B2");
    EXPECT_EQ(FocusName(), "LE0");
    PressEnter(W());
    EXPECT_TRUE(window->editing());
    EXPECT_EQ(Shown("LE2"), "Testata B");
}

TEST_F(Protocols, MissingStructureClosesTheWindow) {
    fs::remove(StructureFile(work.folders().datiGen, "PROTOCOLLI"));
    window = std::make_unique<setup::TFPROTREGISTRI>(Context());
    window->show();
    Settle();
    EXPECT_EQ(seams.messages.texts(), QStringList{"STRUTTURA DELLA TABELLA MANCANTE"});
    EXPECT_FALSE(window->isVisible());
}

}  // namespace
}  // namespace braxol
