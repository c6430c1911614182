// The company data window driven as a user works it: keys, Enter, clicks on the controls, the
// list of customs offices and the code window for a new office; then UTENTE.001 is read back.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "setup/company_window.h"
#include "store/config_files.h"
#include "store/tables.h"
#include "support/failing_writes.h"
#include "support/qt/disk_fault_checks.h"
#include "support/qt/list_choice.h"
#include "support/qt/next_modal.h"
#include "support/qt/scripted_seams.h"
#include "support/qt/widget_helpers.h"
#include "support/record_builders.h"
#include "support/temp_folder.h"
#include "tables/codici.h"
#include "tables/listview.h"
#include "ui/text.h"

namespace braxol {
namespace {

using namespace braxol::test;
namespace fs = std::filesystem;

const QString kWrongExciseCode = "ATTENZIONE CODICE D'ACCISA ERRATO";
const QString kNoName = "DIGITARE ALMENO UN CARATTERE";
const QString kWrongVat = "ATTENZIONE PARTITA I.V.A. ERRATA";
const QString kWrongFiscalCode = "ATTENZIONE CODICE FISCALE ERRATO";
const QString kWrongMeter = "DIGITA: C per Contalitri, E per misuratore Energetico";
const QString kWrongRounding = "DIGITA: A per arrotondare, D per lasciare i decimali";
const QString kNoSite = "Il nome utente deve riportare anche il numero della sede (-001)";
const QString kUnknownOffice = "CODICE NON VALIDO";

const std::string kAccessAddress =
    "https://accesso.dogane.example/TelematicoFunzioniDiAccessoWEB/FunzioniDiAccessoAutServlet"
    "?UC=1&SC=1&ST=1&LINGUA=IT&V2";

// A company that passes every check, with a litre counter.
TUTENTE Complete() {
    TUTENTE c = BlankTutente();
    c.CACCI1.set("IT00AOA12345B");
    c.DENOM1.set("Birrificio Alpino");
    c.PARIVA.set("12345678903");
    c.CODFIS.set("12345678903");
    c.INDIR1.set("Via Roma");
    c.NUMCI1.set("12");
    c.C_A_P1.set("11100");
    c.CITTA1.set("AOSTA");
    c.CODUTE.set("AB12");
    c.UFFDO1.set("IT012100");
    c.SEZDOG.set("012100");
    c.CAUESO.set("C");
    c.TIPOIN.set("");
    c.INDIR2.set("RSSMRA85T10A562S-001");
    c.CITTA2.set("Segreta1");
    c.DATPSW.set("01/02/2025");
    SetAccessAddress(c, kAccessAddress);
    return c;
}

QString Text(const auto& field) {
    return ui::FromField(field);
}

class CompanyWindow : public ::testing::Test {
protected:
    TempWorkFolder work;
    ScriptedSeams seams;
    std::unique_ptr<setup::TFDATIAZIENDA> window;
    int afterSave = 0;

    void SetUp() override {
        CreateMissingStructures(work.folders().datiGen);
        AddOffice("IT012100", "UFFICIO DELLE DOGANE DI MILANO 1");
        AddOffice("IT058100", "UFFICIO DELLE DOGANE DI PERUGIA");
    }

    void AddOffice(const char* code, const char* description) {
        TTABELLA r = BlankTabella();
        r.text[0].set(code);
        r.text[1].set(description);
        r.text[10].set("TA03");
        r.number = 0;
        InsertTableRecord(TableFile(work.folders().datiGen, "TA03"), r);
    }

    fs::path CompanyFile() const { return work.folders().companyFile(); }
    void Store(const TUTENTE& company) { WriteCompany(CompanyFile(), company); }
    TUTENTE Stored() {
        auto company = ReadCompany(CompanyFile());
        EXPECT_TRUE(company.has_value());
        return company.value_or(BlankTutente());
    }

    void Open() {
        window = std::make_unique<setup::TFDATIAZIENDA>(work.folders(), nullptr, 800, 600);
        window->setAfterSave([this] { ++afterSave; });
        ShowActive(window.get());
    }
    QWidget* W() { return window.get(); }
    QLineEdit* Field(const QString& name) { return ControlAs<QLineEdit>(W(), name); }
    QString Shown(const QString& name) { return Field(name)->text(); }
    bool Saved() const { return window->result() == QDialog::Accepted && afterSave == 1; }

    // Clicks into the field, selects its text and types over it (an empty text deletes it).
    void Retype(const QString& name, const QString& text, bool enter = false) {
        FocusOn(W(), name);
        Field(name)->selectAll();
        if (text.isEmpty())
            PressKey(W(), Qt::Key_Backspace);
        else
            Type(W(), text);
        if (enter) PressEnter(W());
    }
    void TypeThenEnter(const QString& text) { test::TypeThenEnter(W(), text); }
};

// A user with no company file yet fills every field with the keyboard only: typing, Enter to
// move on, Enter on the confirm button. The file is created readable by its owner only.
TEST_F(CompanyWindow, NewUserFillsEveryFieldByKeyboardAndSaves) {
    ASSERT_FALSE(fs::exists(CompanyFile()));
    Open();
    QSignalSpy saved(window.get(), &setup::TFDATIAZIENDA::saved);
    EXPECT_EQ(window->windowTitle(), "Dati dell'Azienda");
    EXPECT_EQ(FocusName(), "CACCI1");
    EXPECT_EQ(Shown("CAUESO"), "C");
    EXPECT_TRUE(Field("TIPOIN")->isHidden());
    EXPECT_FALSE(fs::exists(CompanyFile()));

    TypeThenEnter("it00aoa12345b");
    EXPECT_EQ(FocusName(), "DENOM1");
    TypeThenEnter("  birrificio Alpino");
    EXPECT_EQ(Shown("DENOM1"), "Birrificio Alpino");
    TypeThenEnter("12345678903");
    TypeThenEnter("rssmra85t10a562s");
    EXPECT_EQ(Shown("INDIR2"), "RSSMRA85T10A562S-001");
    TypeThenEnter("via della Città");
    TypeThenEnter("12/b");
    TypeThenEnter("11100");
    TypeThenEnter("aosta è più");
    TypeThenEnter("ab12");
    EXPECT_EQ(FocusName(), "UFFDO1");
    TypeThenEnter("it012100");
    EXPECT_EQ(Shown("DUFFDOG"), "UFFICIO DELLE DOGANE DI MILANO 1");
    EXPECT_EQ(Shown("SEZDOG"), "012100");
    EXPECT_EQ(FocusName(), "SEZDOG");
    PressEnter(W());
    EXPECT_EQ(FocusName(), "CAUESO");
    // An energy meter asks for the rounding at once.
    TypeThenEnter("e");
    EXPECT_FALSE(Field("TIPOIN")->isHidden());
    EXPECT_EQ(FocusName(), "TIPOIN");
    EXPECT_EQ(seams.messages.texts(), QStringList{kWrongRounding});
    TypeThenEnter("a");
    EXPECT_EQ(FocusName(), "INDIR2");
    PressEnter(W());
    TypeThenEnter("Pàss-1");
    EXPECT_EQ(FocusName(), "BCONF");
    EXPECT_FALSE(fs::exists(CompanyFile()));
    PressEnter(W());

    EXPECT_EQ(seams.messages.texts(), QStringList{kWrongRounding});
    EXPECT_TRUE(Saved());
    EXPECT_EQ(saved.count(), 1);
    EXPECT_FALSE(window->isVisible());
    ASSERT_TRUE(fs::exists(CompanyFile()));
    EXPECT_EQ(fs::file_size(CompanyFile()), 608u);
    EXPECT_EQ(fs::status(CompanyFile()).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    const TUTENTE c = Stored();
    EXPECT_EQ(Text(c.CACCI1), "IT00AOA12345B");
    EXPECT_EQ(Text(c.DENOM1), "Birrificio Alpino");
    EXPECT_EQ(Text(c.PARIVA), "12345678903");
    EXPECT_EQ(Text(c.CODFIS), "RSSMRA85T10A562S");
    EXPECT_EQ(Text(c.INDIR1), "Via della Città");
    EXPECT_EQ(Text(c.NUMCI1), "12/b");
    EXPECT_EQ(Text(c.C_A_P1), "11100");
    EXPECT_EQ(Text(c.CITTA1), "AOSTA È PIÙ");
    EXPECT_EQ(Text(c.CODUTE), "AB12");
    EXPECT_EQ(Text(c.UFFDO1), "IT012100");
    EXPECT_EQ(Text(c.SEZDOG), "012100");
    EXPECT_EQ(Text(c.CAUESO), "E");
    EXPECT_EQ(Text(c.TIPOIN), "A");
    EXPECT_EQ(Text(c.INDIR2), "RSSMRA85T10A562S-001");
    EXPECT_EQ(Text(c.CITTA2), "Pàss-1");
    EXPECT_EQ(Text(c.DATPSW), "");
    EXPECT_EQ(AccessAddress(c), "");
    EXPECT_EQ(c.RISERV0, 0);
    for (const std::string& reserved : {c.RISERV1.str(), c.RISERV2.str(), c.RISERV3.str()})
        EXPECT_EQ(TrimBlanks(reserved), "");
}

TEST_F(CompanyWindow, ShowsTheStoredRecordAndABlankMeterAsLitreCounter) {
    TUTENTE c = Complete();
    c.CAUESO.set("");
    c.CITTA1.set("aosta");
    Store(c);
    Open();
    EXPECT_EQ(Shown("CACCI1"), "IT00AOA12345B");
    EXPECT_EQ(Shown("CITTA1"), "AOSTA");
    EXPECT_EQ(Shown("UFFDO1"), "IT012100");
    EXPECT_EQ(Shown("DUFFDOG"), "");
    EXPECT_EQ(Shown("CAUESO"), "C");
    EXPECT_TRUE(Field("TIPOIN")->isHidden());
    EXPECT_EQ(Shown("CITTA2"), "Segreta1");
    struct Limit {
        const char* name;
        int length;
    };
    for (auto [name, length] : {Limit{"CACCI1", 13},
                                {"DENOM1", 100},
                                {"PARIVA", 11},
                                {"CODFIS", 16},
                                {"INDIR1", 65},
                                {"NUMCI1", 11},
                                {"C_A_P1", 10},
                                {"CITTA1", 50},
                                {"CODUTE", 4},
                                {"UFFDO1", 8},
                                {"SEZDOG", 6},
                                {"CAUESO", 1},
                                {"TIPOIN", 1},
                                {"INDIR2", 20},
                                {"CITTA2", 20}})
        EXPECT_EQ(Field(name)->maxLength(), length) << name;
    EXPECT_TRUE(Field("DUFFDOG")->isReadOnly());
    EXPECT_EQ(Control(W(), "BUFFDOG")->toolTip(), "mostra la tabella");
    EXPECT_EQ(Control(W(), "BNUFFDOG")->toolTip(), "Inserisce Nuovo Codice");
    EXPECT_EQ(ControlAs<QLabel>(W(), "ETTIPOIN")->text(),
              "Imposta: A per arrotondare il calcolo dei litri come da art.35 comma 1 del TUA, "
              "oppure D per lasciare i decimali dei litri prodotti A/D?");

    TUTENTE energy = Complete();
    energy.CAUESO.set("E");
    energy.TIPOIN.set("D");
    Store(energy);
    window->hide();
    ShowActive(W());
    EXPECT_FALSE(Field("TIPOIN")->isHidden());
    EXPECT_EQ(Shown("TIPOIN"), "D");
}

// Until a key is typed the field checks keep quiet and the confirm button only goes back to
// the first field.
TEST_F(CompanyWindow, UntouchedWindowChecksNothingAndSavesNothing) {
    TUTENTE c = Complete();
    c.CACCI1.set("XX");
    Store(c);
    const std::string before = FileBytes(CompanyFile());
    Open();
    PressKey(W(), Qt::Key_Tab);  // moving on is not typing
    EXPECT_EQ(FocusName(), "DENOM1");
    Click(W(), "BCONF");
    EXPECT_EQ(FocusName(), "CACCI1");
    EXPECT_TRUE(seams.messages.shown().empty());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(FileBytes(CompanyFile()), before);
}

// One row per field change; then a click on "&CONFERMA". Warnings let the record be saved,
// errors keep the focus on the field and save nothing.
TEST_F(CompanyWindow, FieldChecksOnLeavingAndConfirming) {
    struct Step {
        QString field;
        QString text;
        bool enter;
    };
    struct Case {
        const char* name;
        const char* storedMeter;
        std::vector<Step> steps;
        QStringList messages;
        QString focus;       // where the focus is left when nothing is saved
        QString field = {};  // a field of the saved record and its expected text
        QString saved = {};
    };
    const Case cases[] = {
        {"valid excise code",
         "C",
         {{"CACCI1", "IT00AOA12345B", false}},
         {},
         {},
         "CACCI1",
         "IT00AOA12345B"},
        {"excise code IT01",
         "C",
         {{"CACCI1", "IT01AOA12345B", false}},
         {kWrongExciseCode},
         "CACCI1"},
        {"excise code of 12 characters",
         "C",
         {{"CACCI1", "IT00AOA12345", false}},
         {kWrongExciseCode},
         "CACCI1"},
        {"excise code leaving by Enter",
         "C",
         {{"CACCI1", "IT00AOB12345B", true}},
         {kWrongExciseCode, kWrongExciseCode},
         "CACCI1"},
        {"company name not starting with a letter",
         "C",
         {{"DENOM1", "-Birra", false}},
         {kNoName},
         "DENOM1"},
        {"company name without capital",
         "C",
         {{"DENOM1", "birra", false}},
         {},
         {},
         "DENOM1",
         "Birra"},
        {"wrong VAT number warns only",
         "C",
         {{"PARIVA", "12345678901", false}},
         {kWrongVat},
         {},
         "PARIVA",
         "12345678901"},
        {"wrong fiscal code warns only",
         "C",
         {{"CODFIS", "RSSMRA85T10A562X", false}},
         {kWrongFiscalCode},
         {},
         "CODFIS",
         "RSSMRA85T10A562X"},
        {"user name without site", "C", {{"INDIR2", "ROSSI", false}}, {kNoSite}, "INDIR2"},
        {"user name with site",
         "C",
         {{"INDIR2", "ROSSI-002", false}},
         {},
         {},
         "INDIR2",
         "ROSSI-002"},
        {"empty user name clears the password", "C", {{"INDIR2", "", false}}, {}, {}, "CITTA2", ""},
        {"meter neither C nor E", "C", {{"CAUESO", "X", false}}, {kWrongMeter}, "CAUESO"},
        {"energy meter with rounding X",
         "C",
         {{"CAUESO", "E", true}, {"TIPOIN", "X", false}},
         {kWrongRounding, kWrongRounding},
         "TIPOIN"},
        {"energy meter with rounding D",
         "C",
         {{"CAUESO", "E", true}, {"TIPOIN", "d", false}},
         {kWrongRounding},
         {},
         "TIPOIN",
         "D"},
        {"litre counter hides the rounding", "E", {{"CAUESO", "C", true}}, {}, {}, "TIPOIN", ""},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        TUTENTE stored = Complete();
        stored.CAUESO.set(k.storedMeter);
        stored.TIPOIN.set(std::string(k.storedMeter) == "E" ? "A" : "");
        Store(stored);
        seams.messages.clear();
        afterSave = 0;
        Open();
        for (const Step& s : k.steps) Retype(s.field, s.text, s.enter);
        if (std::string(k.name) == "litre counter hides the rounding") {
            EXPECT_TRUE(Field("TIPOIN")->isHidden());
            EXPECT_EQ(FocusName(), "INDIR2");
        }
        Click(W(), "BCONF");
        EXPECT_EQ(seams.messages.texts(), k.messages);
        if (!k.focus.isEmpty()) {
            EXPECT_FALSE(Saved());
            EXPECT_TRUE(window->isVisible());
            EXPECT_EQ(FocusName(), k.focus);
            EXPECT_EQ(Stored().INDIR2.trimmed(), "RSSMRA85T10A562S-001");
            continue;
        }
        ASSERT_TRUE(Saved());
        const TUTENTE c = Stored();
        const std::map<QString, QString> fields = {
            {"CACCI1", Text(c.CACCI1)}, {"DENOM1", Text(c.DENOM1)}, {"PARIVA", Text(c.PARIVA)},
            {"CODFIS", Text(c.CODFIS)}, {"INDIR2", Text(c.INDIR2)}, {"CITTA2", Text(c.CITTA2)},
            {"TIPOIN", Text(c.TIPOIN)}};
        EXPECT_EQ(fields.at(k.field), k.saved);
        if (k.field == "CITTA2") {
            EXPECT_EQ(Text(c.INDIR2), "");
        }
        if (k.field == "TIPOIN") {
            EXPECT_EQ(Text(c.CAUESO), k.saved.isEmpty() ? "C" : "E");
        }
    }
}

// A valid personal fiscal code fills an empty user name; other codes fill nothing.
TEST_F(CompanyWindow, FiscalCodeFillsAnEmptyUserName) {
    struct Case {
        const char* userName;
        QString code;
        QString filled;
        QStringList messages;
    };
    const Case cases[] = {
        {"", "RSSMRA85T10A562S", "RSSMRA85T10A562S-001", {}},
        {"", "rssmra85t10a562s", "RSSMRA85T10A562S-001", {}},
        {"BRX-002", "RSSMRA85T10A562S", "BRX-002", {}},
        {"", "12345678903", "", {}},
        {"", "RSSMRA85T10A562X", "", {kWrongFiscalCode}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.code.toStdString() + " / " + k.userName);
        TUTENTE stored = Complete();
        stored.INDIR2.set(k.userName);
        stored.CITTA2.set("Segreta1");
        Store(stored);
        seams.messages.clear();
        afterSave = 0;
        Open();
        Retype("CODFIS", k.code, true);
        EXPECT_EQ(Shown("INDIR2"), k.filled);
        EXPECT_EQ(FocusName(), "INDIR1");
        Click(W(), "BCONF");
        EXPECT_EQ(seams.messages.texts(), k.messages);
        ASSERT_TRUE(Saved());
        const TUTENTE c = Stored();
        EXPECT_EQ(Text(c.INDIR2), k.filled);
        EXPECT_EQ(Text(c.CITTA2), k.filled.isEmpty() ? "" : "Segreta1");
    }
}

// The checks that run on entering "&CONFERMA" stop at the first failure, in this order:
// excise code, meter, rounding, company name, user name, office.
TEST_F(CompanyWindow, ConfirmChecksInOrder) {
    struct Case {
        std::function<void(TUTENTE&)> damage;
        QStringList messages;
        QString focus;
    };
    auto officeAndUser = [](TUTENTE& c) {
        c.UFFDO1.set("ZZ");
        c.INDIR2.set("ROSSI");
    };
    auto nameToo = [=](TUTENTE& c) {
        officeAndUser(c);
        c.DENOM1.set("");
    };
    auto roundingToo = [=](TUTENTE& c) {
        nameToo(c);
        c.CAUESO.set("E");
        c.TIPOIN.set("");
    };
    auto meterToo = [=](TUTENTE& c) {
        nameToo(c);
        c.CAUESO.set("X");
    };
    auto exciseToo = [=](TUTENTE& c) {
        meterToo(c);
        c.CACCI1.set("IT00AOA1234");
    };
    const Case cases[] = {
        {exciseToo, {kWrongExciseCode}, "CACCI1"},
        {meterToo, {kWrongMeter}, "CAUESO"},
        {roundingToo, {kWrongRounding}, "TIPOIN"},
        {nameToo, {kNoName}, "DENOM1"},
        {officeAndUser, {kNoSite}, "INDIR2"},
        {[](TUTENTE& c) { c.UFFDO1.set("ZZ"); }, {}, "UFFDO1"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.focus.toStdString());
        TUTENTE stored = Complete();
        k.damage(stored);
        Store(stored);
        seams.messages.clear();
        afterSave = 0;
        NextModal<tables::TFLISTVIEW> list(LeaveList);  // must not open
        Open();
        FocusOn(W(), "NUMCI1");
        PressKey(W(), Qt::Key_End);
        Type(W(), "x");  // a key typed and taken back: the window counts as touched
        PressKey(W(), Qt::Key_Backspace);
        Click(W(), "BCONF");
        Settle();
        EXPECT_EQ(seams.messages.texts(), k.messages);
        EXPECT_EQ(FocusName(), k.focus);
        EXPECT_FALSE(Saved());
        EXPECT_EQ(list.opened(), 0);
        if (k.focus == "UFFDO1") {
            EXPECT_EQ(Shown("DUFFDOG"), kUnknownOffice);
        }
    }
}

// Saving writes the record anew but keeps what the password window stored; the office fixes
// the section; the first letters of the address are capitals.
TEST_F(CompanyWindow, SavingKeepsAccessAddressAndPasswordDate) {
    TUTENTE stored = Complete();
    stored.SEZDOG.set("999");
    stored.INDIR1.set("via roma");
    stored.NUMCI1.set("b12");
    Store(stored);
    ASSERT_EQ(kAccessAddress.size(), 117u);
    Open();
    Retype("DENOM1", "Birrificio del Monte");
    PressKey(W(), Qt::Key_C, Qt::AltModifier);
    QTest::qWait(250);  // the accelerator clicks after the button's animation
    EXPECT_TRUE(seams.messages.shown().empty());
    ASSERT_TRUE(Saved());
    const TUTENTE c = Stored();
    EXPECT_EQ(Text(c.DENOM1), "Birrificio del Monte");
    EXPECT_EQ(AccessAddress(c), kAccessAddress);
    EXPECT_EQ(c.INDACC1.trimmed(), kAccessAddress.substr(0, 100));
    EXPECT_EQ(c.INDACC2.trimmed(), kAccessAddress.substr(100));
    EXPECT_EQ(Text(c.DATPSW), "01/02/2025");
    EXPECT_EQ(Text(c.SEZDOG), "012100");
    EXPECT_EQ(Text(c.INDIR1), "Via roma");
    EXPECT_EQ(Text(c.NUMCI1), "B12");
    EXPECT_EQ(fs::status(CompanyFile()).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
}

// A disk fault on saving: the I/O error box names the company file, the window stays open
// unsaved and the stored record is kept. A file moved away meanwhile is simply written again,
// whole: the window holds every field of the record.
TEST_F(CompanyWindow, EveryDiskFaultIsReportedAndNothingSaved) {
    for (const DiskFault fault : kAllDiskFaults) {
        SCOPED_TRACE(DiskFaultName(fault));
        Store(Complete());
        const std::string before = FileBytes(CompanyFile());
        seams.messages.clear();
        afterSave = 0;
        Open();
        Retype("DENOM1", "Birrificio del Monte");
        {
            FailingWrites faults(CompanyFile(), fault);
            Click(W(), "BCONF");
        }
        if (fault == DiskFault::Vanished) {
            EXPECT_TRUE(Saved());
            EXPECT_EQ(Text(Stored().DENOM1), "Birrificio del Monte");
            fs::remove(FailingWrites::vanishedTo(CompanyFile()));
            continue;
        }
        EXPECT_FALSE(Saved());
        ExpectFaultReported(seams.messages, CompanyFile(), before, fault);
    }
}

// An office that TA03 does not hold: the description says so, the focus stays, and the list
// of offices opens; the chosen row's code replaces the typed one.
TEST_F(CompanyWindow, OfficeNotInTableOpensTheList) {
    Store(Complete());
    Open();
    QStringList seen;
    QString descriptionWhileListing;
    NextModal<tables::TFLISTVIEW> list([&](tables::TFLISTVIEW* w) {
        descriptionWhileListing = Shown("DUFFDOG");
        ChooseRow(1, &seen)(w);
    });
    Retype("UFFDO1", "zz", true);
    ASSERT_TRUE(list.answered());
    ShowActive(W());  // the window manager gives the window back its activation
    EXPECT_EQ(descriptionWhileListing, kUnknownOffice);
    EXPECT_EQ(seen, (QStringList{"Uffici Doganali", "IT012100", "IT058100"}));
    EXPECT_TRUE(seams.messages.shown().empty());
    EXPECT_EQ(Shown("UFFDO1"), "IT058100");
    EXPECT_EQ(FocusName(), "UFFDO1");

    PressKey(W(), Qt::Key_End);
    PressEnter(W());
    EXPECT_EQ(Shown("DUFFDOG"), "UFFICIO DELLE DOGANE DI PERUGIA");
    EXPECT_EQ(Shown("SEZDOG"), "058100");
    EXPECT_EQ(FocusName(), "SEZDOG");
    Click(W(), "BCONF");
    ASSERT_TRUE(Saved());
    EXPECT_EQ(Text(Stored().UFFDO1), "IT058100");
    EXPECT_EQ(Text(Stored().SEZDOG), "058100");
}

TEST_F(CompanyWindow, LeavingTheListKeepsTheTypedOffice) {
    Store(Complete());
    Open();
    NextModal<tables::TFLISTVIEW> list(LeaveList);
    Retype("UFFDO1", "ZZ", true);
    ASSERT_TRUE(list.answered());
    ShowActive(W());  // the window manager gives the window back its activation
    EXPECT_EQ(Shown("UFFDO1"), "ZZ");
    EXPECT_EQ(Shown("DUFFDOG"), kUnknownOffice);
    EXPECT_EQ(FocusName(), "UFFDO1");
    // Leaving the unknown office again, towards the confirm button, offers the list again.
    NextModal<tables::TFLISTVIEW> again(LeaveList);
    Click(W(), "BCONF");
    EXPECT_TRUE(again.answered());
    EXPECT_FALSE(Saved());
}

// "..." beside the office shows the list; the chosen code goes into the office field.
TEST_F(CompanyWindow, ListButtonChoosesAnOffice) {
    Store(Complete());
    Open();
    FocusOn(W(), "DENOM1");
    {
        NextModal<tables::TFLISTVIEW> list(ChooseRow(1));
        Click(W(), "BUFFDOG");
        ASSERT_TRUE(list.answered());
    }
    ShowActive(W());
    EXPECT_EQ(Shown("UFFDO1"), "IT058100");
    EXPECT_EQ(FocusName(), "UFFDO1");
    {
        NextModal<tables::TFLISTVIEW> list(LeaveList);
        Click(W(), "BUFFDOG");
        ASSERT_TRUE(list.answered());
    }
    ShowActive(W());
    EXPECT_EQ(Shown("UFFDO1"), "IT058100");
    EXPECT_TRUE(seams.messages.shown().empty());
}

// The second "..." opens the code window of TA03 for one new office, which then becomes the
// company's office.
TEST_F(CompanyWindow, NewOfficeButtonAddsOneCode) {
    Store(Complete());
    Open();
    NextModal<tables::TFCODICI> codes([](tables::TFCODICI* w) {
        ShowActive(w);
        Type(w, "IT099100");
        PressEnter(w);
        Type(w, "UFFICIO DI PROVA");
        PressEnter(w);
        PressEnter(w);  // on "&CONFERMA"
    });
    Click(W(), "BNUFFDOG");
    ASSERT_TRUE(codes.answered());
    ShowActive(W());  // the window manager gives the window back its activation
    EXPECT_TRUE(seams.messages.shown().empty());
    EXPECT_EQ(Shown("UFFDO1"), "IT099100");
    EXPECT_EQ(FocusName(), "UFFDO1");
    TTABELLA key = BlankTabella();
    key.text[0].set("IT099100");
    const TableLookup found = FindByKey(work.folders().datiGen, "TA03", key);
    ASSERT_TRUE(found.found());
    EXPECT_EQ(found.record.text[1].trimmed(), "UFFICIO DI PROVA");

    PressKey(W(), Qt::Key_End);
    PressEnter(W());
    EXPECT_EQ(Shown("DUFFDOG"), "UFFICIO DI PROVA");
    EXPECT_EQ(Shown("SEZDOG"), "099100");
}

// A code that the table does not hold, typed before pressing the second "...": the code window
// starts from it, and the description follows the new office as soon as the window closes.
TEST_F(CompanyWindow, NewOfficeButtonStartsFromTheTypedCode) {
    Store(Complete());
    Open();
    Retype("UFFDO1", "it077100");
    QString codeShown, focusThere;
    NextModal<tables::TFCODICI> codes([&](tables::TFCODICI* w) {
        ShowActive(w);
        codeShown = ControlAs<QLineEdit>(w, "LE1")->text();
        focusThere = FocusName();
        test::TypeThenEnter(w, "UFFICIO DI TORINO");
        PressEnter(w);  // on "&CONFERMA"
    });
    Click(W(), "BNUFFDOG");
    ASSERT_TRUE(codes.answered());
    ShowActive(W());
    EXPECT_EQ(codeShown, "IT077100");
    EXPECT_EQ(focusThere, "LE2");
    EXPECT_EQ(Shown("UFFDO1"), "IT077100");
    EXPECT_EQ(Shown("DUFFDOG"), "UFFICIO DI TORINO");
    EXPECT_EQ(Shown("SEZDOG"), "077100");
    EXPECT_EQ(FocusName(), "UFFDO1");
    EXPECT_TRUE(seams.messages.shown().empty());
}

// A new brewer's office table is empty: leaving the office by Enter, Tab or Shift+Tab says so
// and opens the code window on the typed code instead of an empty list; once the office is
// saved there the window goes on as with any known office.
TEST_F(CompanyWindow, EmptyOfficeTableLeadsToTheNewCodeByKeyboard) {
    const QString emptyTable =
        "LA TABELLA \"Uffici Doganali\" È ANCORA VUOTA: INSERIRE ORA IL NUOVO CODICE\n\n"
        "(la tabella si aggiorna anche dal menu Codici e Tabelle → Uffici Doganali)";
    struct Case {
        int key;
        Qt::KeyboardModifiers modifiers;
        const char* code;
    } cases[] = {{Qt::Key_Return, Qt::NoModifier, "IT012100"},
                 {Qt::Key_Tab, Qt::NoModifier, "IT058100"},
                 {Qt::Key_Backtab, Qt::ShiftModifier, "IT099100"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        fs::remove(TableFile(work.folders().datiGen, "TA03"));
        seams.messages.clear();
        Store(Complete());
        Open();
        QString codeShown;
        int lists = 0;
        NextModal<tables::TFLISTVIEW> list([&](tables::TFLISTVIEW* w) {
            ++lists;
            w->reject();
        });
        NextModal<tables::TFCODICI> codes([&](tables::TFCODICI* w) {
            ShowActive(w);
            codeShown = ControlAs<QLineEdit>(w, "LE1")->text();
            test::TypeThenEnter(w, "UFFICIO NUOVO");
            PressEnter(w);  // on "&CONFERMA"
        });
        Retype("UFFDO1", QString(c.code).toLower());
        PressKey(W(), c.key, c.modifiers);
        ASSERT_TRUE(codes.answered());
        ShowActive(W());
        EXPECT_EQ(lists, 0);
        EXPECT_EQ(seams.messages.texts(), QStringList{emptyTable});
        EXPECT_EQ(codeShown, c.code);
        EXPECT_EQ(Shown("UFFDO1"), c.code);
        EXPECT_EQ(Shown("DUFFDOG"), "UFFICIO NUOVO");
        EXPECT_EQ(FocusName(), "UFFDO1");
        PressEnter(W());
        EXPECT_EQ(FocusName(), "SEZDOG");
        EXPECT_EQ(Shown("SEZDOG"), QString(c.code).mid(2));
        Click(W(), "BCONF");
        ASSERT_TRUE(Saved());
        EXPECT_EQ(Text(Stored().UFFDO1), c.code);
        afterSave = 0;
    }
}

// The customs password is masked; "&Mostra" shows it; nothing of it reaches the program's
// messages on the console while the window is worked.
TEST_F(CompanyWindow, PasswordIsMaskedAndNeverLogged) {
    static QStringList logged;
    logged.clear();
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& text) { logged << text; });
    Store(Complete());
    Open();
    auto* password = Field("CITTA2");
    EXPECT_EQ(password->echoMode(), QLineEdit::Password);
    EXPECT_EQ(password->text(), "Segreta1");
    // The accelerator ticks the box as a click does, a moment later.
    auto showWith = [&](QLineEdit::EchoMode wanted) {
        PressKey(W(), Qt::Key_M, Qt::AltModifier);
        QDeadlineTimer deadline(2000);
        while (password->echoMode() != wanted && !deadline.hasExpired()) QTest::qWait(10);
        EXPECT_EQ(password->echoMode(), wanted);
    };
    showWith(QLineEdit::Normal);
    EXPECT_EQ(FocusName(), "CACCI1");
    showWith(QLineEdit::Password);
    // Shown again, the window masks the password once more.
    Click(W(), "MOSTRAPSW");
    EXPECT_EQ(password->echoMode(), QLineEdit::Normal);
    window->hide();
    ShowActive(W());
    EXPECT_EQ(password->echoMode(), QLineEdit::Password);
    Retype("CITTA2", "Nuova-Segreta-7");
    Click(W(), "BCONF");
    ASSERT_TRUE(Saved());
    qInstallMessageHandler(previous);
    EXPECT_EQ(Text(Stored().CITTA2), "Nuova-Segreta-7");
    for (const QString& line : logged) {
        EXPECT_FALSE(line.contains("Segreta")) << line.toStdString();
    }
}

TEST_F(CompanyWindow, DamagedFileIsReportedAndNeverOverwritten) {
    const std::string damaged(100, 'x');
    WriteFileBytes(CompanyFile(), damaged);
    window = std::make_unique<setup::TFDATIAZIENDA>(work.folders(), nullptr, 800, 600);
    window->show();
    Settle();
    Settle();
    ASSERT_EQ(seams.messages.shown().size(), 1u);
    EXPECT_EQ(seams.messages.shown()[0].severity, ui::Severity::Error);
    EXPECT_TRUE(seams.messages.shown()[0].text.contains("UTENTE.001"));
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->result(), QDialog::Rejected);
    EXPECT_FALSE(window->stored().has_value());
    EXPECT_EQ(FileBytes(CompanyFile()), damaged);
}

TEST_F(CompanyWindow, AbandonWritesNothing) {
    Store(Complete());
    const std::string before = FileBytes(CompanyFile());
    Open();
    Retype("CACCI1", "IT01");
    Click(W(), "BABBANDONA");
    EXPECT_TRUE(seams.messages.shown().empty());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(afterSave, 0);
    EXPECT_EQ(FileBytes(CompanyFile()), before);
}

}  // namespace
}  // namespace braxol
