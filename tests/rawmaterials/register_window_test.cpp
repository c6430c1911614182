// The windows of the two raw-material registers as a user works them: TFSTAREGCARSCAMP with its
// material, its chooser and the office box kept in PROTMP.TXT; TFSTAREGMPXGIORNI with the
// warning of a missing protocol; the three forms, refused ranges and file errors of both.

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "rawmaterials/daily_register_window.h"
#include "rawmaterials/material_register_window.h"
#include "rawmaterials/office_box_file.h"
#include "rawmaterials_fixture.h"
#include "support/failing_writes.h"
#include "support/qt/disk_fault_checks.h"
#include "support/qt/list_choice.h"
#include "support/qt/next_modal.h"
#include "support/qt/report_reading.h"
#include "tables/listview.h"

namespace braxol {
namespace {

using namespace braxol::test;
using namespace braxol::test::raw;
using namespace braxol::test::reading;

const QString kNoProtocol = QStringLiteral("Manca il protocollo del Registro delle Produzioni");

// The windows share what a register window does; the tests share opening one, catching its
// previews and working its controls.
class RegisterWindowTest : public RawTest {
protected:
    std::unique_ptr<production::RegisterPrintWindow> window;
    std::vector<Report> previews;
    QStringList titles;

    TUTENTE Company() const {
        TUTENTE c = BlankTutente();
        c.DENOM1.set("Birrificio di prova");
        c.CACCI1.set("IT00MIA00123X");
        c.UFFDO1.set("076100");
        TrimTutente(c);
        return c;
    }
    void Show() {
        window->setPreview([this](const Report& r, const QString& title) {
            previews.push_back(r);
            titles << title;
        });
        ShowActive(window.get());
    }
    QWidget* W() { return window.get(); }
    QString Text(const QString& name) { return FieldText(W(), name); }
    void Choose(const QString& name) { ChooseRadio(W(), name); }
    void Range(const QString& from, const QString& to) {
        Retype(W(), "MDADA", from);
        Retype(W(), "MDAAL", to);
    }
    void WriteMarch() {
        WriteMovements(Mpr(2014), {Movement(1, 1, Day(2014, 9, 1), "C", "MALTO", 100)});
        WriteMovements(Mpr(2015), {Movement(1, 1, Day(2015, 3, 5), "C", "MALTO", 50),
                                   Movement(2, 2, Day(2015, 3, 6), "C", "LUPPOLO", 10),
                                   Movement(3, 3, Day(2015, 3, 10), "S", "MALTO", 30)});
    }
};

class MaterialRegisterWindow : public RegisterWindowTest {
protected:
    rawmaterials::TFSTAREGCARSCAMP* Open() {
        window.reset();
        window = std::make_unique<rawmaterials::TFSTAREGCARSCAMP>(
            tables::TableContext{folders(), "MATPRIME", false, 800, 600}, Company());
        Show();
        return static_cast<rawmaterials::TFSTAREGCARSCAMP*>(window.get());
    }
    fs::path OfficeFile() const { return folders().datiGen / "PROTMP.TXT"; }
};

TEST_F(MaterialRegisterWindow, OpensOnTheMaterialWithTheCustomsOffice) {
    Open();
    EXPECT_EQ(W()->objectName(), "FSTAREGCARSCAMP");
    EXPECT_EQ(W()->windowTitle(), "Registro delle Materie Prime");
    EXPECT_EQ(FocusName(), "PRODDO");
    EXPECT_EQ(Text("PRODDO"), "");
    EXPECT_EQ(Text("MDADA"), "01/03/2025");
    EXPECT_EQ(Text("MDAAL"), "15/03/2025");
    EXPECT_EQ(Text("Memo1"), "076100");
    EXPECT_TRUE(Control(W(), "Memo1")->isVisible());
    EXPECT_EQ(ControlAs<QLabel>(W(), "ETMemo1")->text(), "Estremi del protocollo della Dogana");
    EXPECT_EQ(ControlAs<QLabel>(W(), "ETPRODDO")->text(), "Materia Prima");
    EXPECT_EQ(Control(W(), "BPRODDO")->toolTip(), "mostra la tabella");
    EXPECT_TRUE(ControlAs<QRadioButton>(W(), "RTIPO_0")->isChecked());
    for (const char* name : {"MFOGLI", "IDAPAG", "DIFOGLI"})
        EXPECT_FALSE(Control(W(), name)->isVisible()) << name;
    Choose("RTIPO_2");
    for (const char* name : {"MFOGLI", "IDAPAG", "DIFOGLI", "Memo1"})
        EXPECT_TRUE(Control(W(), name)->isVisible()) << name;
    // No protocol is needed for this register: nothing is told.
    EXPECT_EQ(seams.messages.texts(), QStringList{});
}

TEST_F(MaterialRegisterWindow, PrintsTheMaterialTypedAndKeepsTheOfficeBox) {
    WriteMarch();
    Open();
    Type(W(), "malto");
    EXPECT_EQ(Text("PRODDO"), "MALTO");
    PressEnter(W());
    EXPECT_EQ(FocusName(), "MDADA");
    Range("01032015", "31032015");
    FocusOn(W(), "Memo1");
    ControlAs<QPlainTextEdit>(W(), "Memo1")->selectAll();
    Type(W(), "Ufficio di Como");
    PressEnter(W());  // a new line of the box
    Type(W(), QStringLiteral("Prot. 5 è"));
    EXPECT_EQ(FocusName(), "Memo1");
    Click(W(), "BCONF");
    ASSERT_EQ(previews.size(), 1u);
    EXPECT_EQ(titles[0], "Registro delle Materie Prime");
    EXPECT_EQ(BesideOf(previews[0], 0, "RIPORTI"), QStringList({"100", "0"}));
    EXPECT_EQ(BesideOf(previews[0], 0, "Totali"), QStringList({"150", "30"}));
    EXPECT_EQ(BesideOf(previews[0], 0, "Rimanenza"), QStringList({"120"}));
    EXPECT_TRUE(Find(previews[0], 0, QStringLiteral("Prot. 5 è")));
    EXPECT_EQ(FileBytes(OfficeFile()), "Ufficio di Como\r\nProt. 5 \xe8\r\n");
    EXPECT_EQ(FocusName(), "PRODDO");
    EXPECT_EQ(seams.messages.texts(), QStringList{});

    // The box typed is there again at the next opening.
    Open();
    EXPECT_EQ(Text("Memo1"), QStringLiteral("Ufficio di Como\nProt. 5 è"));
    EXPECT_EQ(Text("PRODDO"), "");
}

TEST_F(MaterialRegisterWindow, AMaterialOutsideTheTableKeepsTheFocus) {
    Open();
    for (const char* typed : {"", "ORZO"}) {
        Retype(W(), "PRODDO", typed);
        Click(W(), "BCONF");
        EXPECT_EQ(FocusName(), "PRODDO") << typed;
    }
    EXPECT_TRUE(previews.empty());
    EXPECT_FALSE(fs::exists(OfficeFile()));
    // The title sheets need no material.
    Choose("RTIPO_2");
    Retype(W(), "MFOGLI", "2");
    PressEnter(W());
    EXPECT_EQ(Text("DIFOGLI"), " di 2 Es. Fin. 2025");
    Retype(W(), "IDAPAG", "1");
    Click(W(), "BCONF");
    ASSERT_EQ(previews.size(), 1u);
    ASSERT_EQ(previews[0].pages().size(), 2u);
    EXPECT_TRUE(Find(previews[0], 1, "Pagina 2 di 2 Es. Fin. 2025"));
    EXPECT_EQ(seams.messages.texts(), QStringList{});
}

TEST_F(MaterialRegisterWindow, TheListPutsTheChosenName) {
    Open();
    QStringList seen;
    NextModal<tables::TFLISTVIEW> list(ChooseRow(1, &seen));
    Click(W(), "BPRODDO");
    EXPECT_EQ(list.opened(), 1);
    ShowActive(W());
    EXPECT_EQ(seen, (QStringList{"Tabella Materie Prime", "LUPPOLO", "MALTO"}));
    EXPECT_EQ(Text("PRODDO"), "MALTO");
    EXPECT_EQ(FocusName(), "PRODDO");
}

TEST_F(MaterialRegisterWindow, RangesOutsideOneYearKeepTheFocus) {
    Open();
    Retype(W(), "PRODDO", "MALTO");
    ExpectRangesRefused(W(), {{"01/03/2025", "01/01/2026", "MDAAL"},
                              {"01/03/2025", "28/02/2025", "MDAAL"},
                              {"31/02/2025", "15/03/2025", "MDADA"},
                              {"01/03/1999", "15/03/1999", "MDADA"}});
    EXPECT_TRUE(previews.empty());
    EXPECT_EQ(seams.messages.texts(), QStringList{});
}

// A box that cannot be saved, a file that cannot be read or quantities beyond any register:
// the error is told, nothing is printed and no file is changed. A box file moved away
// meanwhile is simply written again.
TEST_F(MaterialRegisterWindow, FileErrorsEndThePrint) {
    WriteMarch();
    const std::string before = "Ufficio vecchio\r\n";
    for (const DiskFault fault : kAllDiskFaults) {
        SCOPED_TRACE(DiskFaultName(fault));
        WriteFileBytes(OfficeFile(), before);
        seams.messages.clear();
        previews.clear();
        Open();
        Retype(W(), "PRODDO", "MALTO");
        Range("01032015", "31032015");
        {
            FailingWrites faults(OfficeFile(), fault);
            Click(W(), "BCONF");
        }
        EXPECT_EQ(FocusName(), "PRODDO");
        if (fault == DiskFault::Vanished) {
            EXPECT_EQ(previews.size(), 1u);
            EXPECT_EQ(FileBytes(OfficeFile()), before);
            fs::remove(FailingWrites::vanishedTo(OfficeFile()));
            continue;
        }
        EXPECT_TRUE(previews.empty());
        ExpectFaultReported(seams.messages, OfficeFile(), before, fault);
    }

    seams.messages.clear();
    previews.clear();
    WriteFileBytes(Mpr(2014), std::string(100, 'x'));  // not a whole number of records
    Click(W(), "BCONF");
    EXPECT_EQ(seams.messages.shown().size(), 1u);
    EXPECT_TRUE(previews.empty());
    EXPECT_EQ(FileBytes(Mpr(2014)), std::string(100, 'x'));

    seams.messages.clear();
    WriteMovements(Mpr(2014), {Movement(1, 1, Day(2014, 9, 1), "C", "MALTO", 1e30)});
    Click(W(), "BCONF");
    EXPECT_TRUE(seams.messages.texts().join('|').contains("quantità troppo grandi per il calcolo"))
        << seams.messages.texts().join('|').toStdString();
    EXPECT_TRUE(previews.empty());
}

// ---- The daily register ---------------------------------------------------------------------

class DailyRegisterWindow : public RegisterWindowTest {
protected:
    void Open() {
        window.reset();
        window = std::make_unique<rawmaterials::TFSTAREGMPXGIORNI>(
            production::RegisterRequest{folders(), Company()});
        Show();
    }
};

TEST_F(DailyRegisterWindow, OpensOnTheMonthAndWarnsWithoutAProtocol) {
    Open();
    EXPECT_EQ(W()->objectName(), "FSTAREGMPXGIORNI");
    EXPECT_EQ(W()->windowTitle(), "Registro movimenti giornalieri delle Materie Prime");
    EXPECT_EQ(FocusName(), "MDADA");
    EXPECT_EQ(Text("MDADA"), "01/03/2025");
    EXPECT_EQ(Text("MDAAL"), "15/03/2025");
    EXPECT_EQ(seams.messages.texts(), QStringList{kNoProtocol});
    for (const char* name : {"MFOGLI", "IDAPAG", "DIFOGLI", "Memo1"})
        EXPECT_FALSE(Control(W(), name)->isVisible()) << name;
    EXPECT_EQ(Text("Memo1"), "076100");
    Choose("RTIPO_2");
    for (const char* name : {"MFOGLI", "IDAPAG", "DIFOGLI", "Memo1"})
        EXPECT_TRUE(Control(W(), name)->isVisible()) << name;
    EXPECT_EQ(ControlAs<QLabel>(W(), "ETMemo1")->text(), "Riferimenti doganali da stampare");
    EXPECT_EQ(FocusName(), "MDADA");

    // Printing stays possible; the warning is not repeated for the same start date.
    Retype(W(), "MFOGLI", "1");
    Click(W(), "BCONF");
    ASSERT_EQ(previews.size(), 1u);
    EXPECT_TRUE(Find(previews[0], 0, "076100"));
    EXPECT_EQ(seams.messages.texts(), QStringList{kNoProtocol});
}

TEST_F(DailyRegisterWindow, PrintsTheDaysOfTheRange) {
    AddProtocol(folders(), "123", Day(2014, 12, 10), Day(2015, 1, 1), "UFFICIO DI MILANO");
    WriteMarch();
    Open();
    EXPECT_EQ(seams.messages.texts(), QStringList{});
    Range("01032015", "31032015");
    PressEnter(W());
    Click(W(), "BCONF");
    ASSERT_EQ(previews.size(), 1u);
    EXPECT_EQ(titles[0], "Registro movimenti giornalieri delle Materie Prime");
    const Report& r = previews[0];
    ASSERT_EQ(r.pages().size(), 3u);
    EXPECT_TRUE(Find(r, 0, "Movimenti materie prime del 05/03/2015"));
    EXPECT_TRUE(Find(r, 1, "Movimenti materie prime del 06/03/2015"));
    EXPECT_TRUE(Find(r, 1, "LUPPOLO"));
    EXPECT_TRUE(Find(r, 2, "Movimenti materie prime del 10/03/2015"));
    EXPECT_EQ(FocusName(), "MDADA");
    EXPECT_EQ(seams.messages.texts(), QStringList{});

    // Movements only: no title block.
    Choose("RTIPO_1");
    Click(W(), "BCONF");
    ASSERT_EQ(previews.size(), 2u);
    EXPECT_FALSE(Find(previews[1], 0, "DEPOSITI FISCALI DI BIRRA - MICROBIRRIFICI"));
    EXPECT_TRUE(Find(previews[1], 0, "Movimenti materie prime del 05/03/2015"));

    ExpectRangesRefused(
        W(), {{"01/03/2015", "01/01/2016", "MDAAL"}, {"31/02/2015", "15/03/2015", "MDADA"}});
    EXPECT_EQ(previews.size(), 2u);
}

}  // namespace
}  // namespace braxol
