// The generic code-table window: insertion order and numbering, key changes, single entry,
// missing structure, the list.

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "support/failing_writes.h"
#include "support/qt/disk_fault_checks.h"
#include "support/record_builders.h"
#include "table_test_support.h"
#include "tables/codici.h"
#include "tables/listview.h"

namespace braxol {
namespace {

using namespace braxol::test;
using tables::TFCODICI;

class CodeTable : public TableWindowTest {
protected:
    void SetUp() override {
        TableWindowTest::SetUp();
        Write("TA03",
              {TableRecord(1, "TA03", "A", "Ancona"), TableRecord(3, "TA03", "C", "Cagliari")});
    }
    // Calls up code A and types a new description, ready to be confirmed.
    static void ChangeDescriptionOfA(TFCODICI& window) {
        ShowActive(&window);
        Type(&window, "A");
        PressEnter(&window);
        ControlAs<QLineEdit>(&window, "LE2")->selectAll();
        Type(&window, "Ancona porto");
    }
};

TEST_F(CodeTable, ShowsTheStructure) {
    TFCODICI window(Context("TA03"));
    ShowActive(&window);
    EXPECT_EQ(window.windowTitle(), "Uffici Doganali");
    EXPECT_EQ(ControlAs<QLabel>(&window, "ETLE1")->text(), "Ufficio Dogana");
    EXPECT_EQ(ControlAs<QLabel>(&window, "ETLE2")->text(), "Descrizione");
    EXPECT_EQ(ControlAs<QLineEdit>(&window, "LE1")->maxLength(), 8);
    EXPECT_EQ(ControlAs<QLineEdit>(&window, "LE2")->maxLength(), 100);
    EXPECT_EQ(FocusName(), "LE1");
    EXPECT_FALSE(Control(&window, "ETMODIFICA")->isVisible());
    EXPECT_FALSE(Control(&window, "BCANCELLA")->isVisible());
    EXPECT_TRUE(Control(&window, "BELENCA")->isVisible());
    EXPECT_LE(window.width(), 1000);
}

TEST_F(CodeTable, NewCodeGoesInKeyOrderWithTheNextNumber) {
    TFCODICI window(Context("TA03"));
    ShowActive(&window);
    Type(&window, "B");
    PressEnter(&window);
    EXPECT_EQ(FocusName(), "LE2");
    EXPECT_FALSE(window.editing());
    Type(&window, "Bari è");
    PressEnter(&window);
    ASSERT_EQ(FocusName(), "BCONF");
    PressEnter(&window);

    const auto records = Read("TA03");
    EXPECT_EQ(Keys(records), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(Numbers(records), (std::vector<std::int32_t>{1, 4, 3}));
    EXPECT_EQ(records[1].text[1].str(), "Bari \xE8");  // Windows-1252
    EXPECT_EQ(records[1].text[10].str(), "TA03");
    EXPECT_TRUE(seams.messages.shown().empty());
    // The window is ready for the next code.
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(FocusName(), "LE1");
    EXPECT_TRUE(ControlAs<QLineEdit>(&window, "LE1")->text().isEmpty());
    EXPECT_TRUE(ControlAs<QLineEdit>(&window, "LE2")->text().isEmpty());
}

TEST_F(CodeTable, AcceleratorConfirmsToo) {
    TFCODICI window(Context("TA03"));
    ShowActive(&window);
    Type(&window, "B");
    PressEnter(&window);
    Type(&window, "Bari");
    PressKey(&window, Qt::Key_C, Qt::AltModifier);
    QTest::qWait(250);  // the accelerator clicks after the button's animation
    EXPECT_EQ(Keys(Read("TA03")), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(FocusName(), "LE1");
}

TEST_F(CodeTable, EmptyCodeKeepsTheFocus) {
    TFCODICI window(Context("TA03"));
    ShowActive(&window);
    Type(&window, " ");  // a first character blank counts as empty
    PressEnter(&window);
    Settle();
    EXPECT_EQ(FocusName(), "LE1");
    Click(&window, "BCONF");
    EXPECT_EQ(FocusName(), "LE1");
    EXPECT_EQ(Read("TA03").size(), 2u);
}

TEST_F(CodeTable, TypingAKnownCodeSwitchesToEditing) {
    TFCODICI window(Context("TA03"));
    ShowActive(&window);
    Type(&window, "C");
    PressEnter(&window);
    EXPECT_TRUE(window.editing());
    EXPECT_EQ(ControlAs<QLineEdit>(&window, "LE2")->text(), "Cagliari");
    EXPECT_TRUE(Control(&window, "ETMODIFICA")->isVisible());
    EXPECT_TRUE(Control(&window, "BCANCELLA")->isVisible());
    EXPECT_FALSE(Control(&window, "BELENCA")->isVisible());

    // "&Svuota" leaves the record alone.
    Click(&window, "BSVUOTA");
    EXPECT_FALSE(window.editing());
    EXPECT_FALSE(Control(&window, "BCANCELLA")->isVisible());
    EXPECT_EQ(FocusName(), "LE1");
}

TEST_F(CodeTable, ChangedDescriptionIsSavedInPlace) {
    TFCODICI window(Context("TA03"));
    ChangeDescriptionOfA(window);
    Click(&window, "BCONF");
    const auto records = Read("TA03");
    EXPECT_EQ(Keys(records), (std::vector<std::string>{"A", "C"}));
    EXPECT_EQ(Numbers(records), (std::vector<std::int32_t>{1, 3}));
    EXPECT_EQ(records[0].text[1].str(), "Ancona porto");
}

// A disk fault on saving a change: the table's I/O error is shown and the table kept.
TEST_F(CodeTable, EveryDiskFaultIsReportedAndTheTableKept) {
    const fs::path file = TableFile(work.folders().datiGen, "TA03");
    const std::string before = FileBytes(file);
    for (const DiskFault fault : kAllDiskFaults) {
        SCOPED_TRACE(DiskFaultName(fault));
        seams.messages.clear();
        TFCODICI window(Context("TA03"));
        ChangeDescriptionOfA(window);
        {
            FailingWrites faults(file, fault);
            Click(&window, "BCONF");
        }
        ExpectFaultReported(seams.messages, file, before, fault);
        RestoreVanished(file);
    }
}

TEST_F(CodeTable, ChangedKeyMovesToItsPlaceAndKeepsItsNumber) {
    TFCODICI window(Context("TA03"));
    ShowActive(&window);
    Type(&window, "A");
    PressEnter(&window);
    ASSERT_TRUE(window.editing());
    Retype(&window, "LE1", "D");
    Click(&window, "BCONF");

    const auto records = Read("TA03");
    EXPECT_EQ(Keys(records), (std::vector<std::string>{"C", "D"}));
    EXPECT_EQ(Numbers(records), (std::vector<std::int32_t>{3, 1}));
    EXPECT_EQ(records[1].text[1].str(), "Ancona");
    EXPECT_TRUE(seams.messages.shown().empty());
    EXPECT_FALSE(window.editing());
}

TEST_F(CodeTable, ChangedKeyOntoAUsedOneIsRefused) {
    TFCODICI window(Context("TA03"));
    ShowActive(&window);
    Type(&window, "A");
    PressEnter(&window);
    Retype(&window, "LE1", "C");
    Click(&window, "BCONF");

    EXPECT_EQ(seams.messages.texts(), QStringList{"CODICE GIA` UTILIZZATO"});
    EXPECT_EQ(FocusName(), "LE1");
    EXPECT_TRUE(window.editing());
    const auto records = Read("TA03");
    EXPECT_EQ(Keys(records), (std::vector<std::string>{"A", "C"}));
    EXPECT_EQ(Numbers(records), (std::vector<std::int32_t>{1, 3}));
}

TEST_F(CodeTable, DeleteRemovesTheEditedRecord) {
    TFCODICI window(Context("TA03"));
    ShowActive(&window);
    Type(&window, "A");
    PressEnter(&window);
    Click(&window, "BCANCELLA");
    EXPECT_EQ(Keys(Read("TA03")), (std::vector<std::string>{"C"}));
    EXPECT_FALSE(window.editing());
    EXPECT_EQ(FocusName(), "LE1");
}

TEST_F(CodeTable, SingleEntryClosesAfterTheFirstInsertion) {
    TFCODICI window(Context("TA03", true));
    ShowActive(&window);
    Type(&window, "B");
    PressEnter(&window);
    Type(&window, "Bari");
    Click(&window, "BCONF");

    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(window.lastCode(), "B");
    EXPECT_EQ(Keys(Read("TA03")), (std::vector<std::string>{"A", "B", "C"}));
}

TEST_F(CodeTable, MissingStructureIsReportedAndTheWindowCloses) {
    TFCODICI window(Context("TA99"));
    EXPECT_FALSE(window.hasStructure());
    EXPECT_EQ(seams.messages.texts(), QStringList{"STRUTTURA DELLA TABELLA MANCANTE"});
    window.show();
    Settle();
    EXPECT_FALSE(window.isVisible());

    seams.messages.clear();
    EXPECT_EQ(tables::OpenCodeTable(nullptr, Context("TA99")), "");
    EXPECT_EQ(seams.messages.texts(), QStringList{"STRUTTURA DELLA TABELLA MANCANTE"});
}

// "&Elenca" opens the list; the chosen row's code comes back into the code field.
TEST_F(CodeTable, ListPutsTheChosenCodeInTheField) {
    TFCODICI window(Context("TA03"));
    ShowActive(&window);
    int listed = -1;
    QTimer::singleShot(0, [&] {
        auto* list = qobject_cast<tables::TFLISTVIEW*>(QApplication::activeModalWidget());
        ASSERT_NE(list, nullptr);
        listed = static_cast<int>(list->listing().rows.size());
        ShowActive(list);
        PressKey(list, Qt::Key_Down);
        PressEnter(list);
    });
    Click(&window, "BELENCA");
    ShowActive(&window);
    EXPECT_EQ(listed, 2);
    EXPECT_EQ(ControlAs<QLineEdit>(&window, "LE1")->text(), "C");
    EXPECT_EQ(FocusName(), "LE1");
    Type(&window, "");
    PressEnter(&window);
    EXPECT_TRUE(window.editing());
    EXPECT_EQ(ControlAs<QLineEdit>(&window, "LE2")->text(), "Cagliari");
}

}  // namespace
}  // namespace braxol
