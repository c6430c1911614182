// The raw-material table window: names added, renamed and deleted in MATPRIME.TAB, and the
// chooser of a movement to change.

#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>
#include <memory>

#include "rawmaterials/movement_chooser.h"
#include "rawmaterials_fixture.h"
#include "support/qt/list_choice.h"
#include "support/qt/next_modal.h"

namespace braxol {
namespace {

using namespace braxol::test;
using namespace braxol::test::raw;
using rawmaterials::TFMATPRI;

class MaterialsWindow : public RawTest {
protected:
    std::unique_ptr<TFMATPRI> window;

    void Open(bool single = false) {
        window.reset();
        window = std::make_unique<TFMATPRI>(
            tables::TableContext{folders(), "MATPRIME", single, 800, 600});
        ShowActive(window.get());
    }
    QWidget* W() { return window.get(); }
    std::vector<std::string> Names() {
        std::vector<std::string> names;
        for (const TTABELLA& r : ReadRecords<TTABELLA>(TableFile(folders().datiGen, "MATPRIME")))
            names.push_back(r.text[0].trimmed() + "#" + std::to_string(r.number));
        return names;
    }
    bool Shows(const char* name) { return !Control(W(), name)->isHidden(); }
};

// A new name is added in its place; typing a stored name switches to editing it, and the
// confirm button then renames it under the same number.
TEST_F(MaterialsWindow, AddAndRename) {
    Open();
    EXPECT_EQ(window->windowTitle(), "Tabella Materie Prime");
    EXPECT_FALSE(Shows("LMODCANC"));
    EXPECT_FALSE(Shows("BCANCELLA"));
    EXPECT_TRUE(Shows("BELENCA"));
    Type(W(), "lievito");
    EXPECT_EQ(ControlAs<QLineEdit>(W(), "LE1")->text(), "LIEVITO");
    PressEnter(W());
    EXPECT_FALSE(window->editing());
    PressEnter(W());
    EXPECT_EQ(Names(), (std::vector<std::string>{"LIEVITO#3", "LUPPOLO#2", "MALTO#1"}));
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(FocusName(), "LE1");

    Type(W(), "MALTO");
    PressEnter(W());
    EXPECT_TRUE(window->editing());
    EXPECT_TRUE(Shows("LMODCANC"));
    EXPECT_EQ(ControlAs<QLabel>(W(), "LMODCANC")->text(), "MODIFICA o CANCELLA");
    EXPECT_TRUE(Shows("BCANCELLA"));
    EXPECT_FALSE(Shows("BELENCA"));
    Retype(W(), "LE1", "MALTO PILS");
    Click(W(), "BCONF");
    EXPECT_EQ(Names(), (std::vector<std::string>{"LIEVITO#3", "LUPPOLO#2", "MALTO PILS#1"}));
    EXPECT_FALSE(window->editing());
    EXPECT_EQ(seams.messages.texts(), QStringList{});
}

// Renaming MALTO to LUPPOLO when LUPPOLO exists is refused; deleting a material leaves the
// stored movements that name it as they are.
TEST_F(MaterialsWindow, RenameToAUsedNameIsRefusedAndDeletionLeavesTheMovements) {
    WriteMovements(Mpr(2015), {Movement(1, 1, Day(2015, 3, 10), "C", "MALTO", 100)});
    const std::string movements = FileBytes(Mpr(2015));
    Open();
    Type(W(), "MALTO");
    PressEnter(W());
    Retype(W(), "LE1", "LUPPOLO");
    Click(W(), "BCONF");
    EXPECT_EQ(seams.messages.texts(), QStringList{"CODICE GIA` UTILIZZATO"});
    EXPECT_EQ(FocusName(), "LE1");
    EXPECT_EQ(Names(), (std::vector<std::string>{"LUPPOLO#2", "MALTO#1"}));

    Retype(W(), "LE1", "MALTO");
    Click(W(), "BCANCELLA");
    EXPECT_EQ(Names(), std::vector<std::string>{"LUPPOLO#2"});
    EXPECT_FALSE(window->editing());
    EXPECT_EQ(FileBytes(Mpr(2015)), movements);
}

// "Elenca" puts the chosen name in the field and switches to editing it; an empty name keeps
// the focus.
TEST_F(MaterialsWindow, ListAndEmptyName) {
    Open();
    PressEnter(W());
    EXPECT_EQ(FocusName(), "LE1");
    NextModal<tables::TFLISTVIEW> list(ChooseRow(1));
    Click(W(), "BELENCA");
    ASSERT_TRUE(list.answered());
    ShowActive(W());
    EXPECT_EQ(ControlAs<QLineEdit>(W(), "LE1")->text(), "MALTO");
    EXPECT_TRUE(window->editing());
    EXPECT_EQ(FocusName(), "LE1");
}

// Opened for one new name, the window closes once it is stored and gives the name back.
TEST_F(MaterialsWindow, InsertAndClose) {
    Open(true);
    Type(W(), "orzo");
    PressEnter(W());
    PressEnter(W());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->result(), QDialog::Accepted);
    EXPECT_EQ(window->savedName(), "ORZO");
}

// ---- The chooser of a movement to change ----------------------------------------------------

// Every movement of the year in file order, the last one selected; Enter returns its number
// and the movement as stored.
TEST_F(MaterialsWindow, ChooserListsTheYearInFileOrder) {
    WriteMovements(Mpr(2025), {Movement(4, 1, Day(2025, 3, 1), "C", "MALTO", 1234.5, "DDT1",
                                        "Maltificio Rossi"),
                               Movement(2, 2, Day(2025, 3, 2), "S", "LUPPOLO", 0.25, "B2")});
    QStringList titles;
    std::vector<QStringList> rows;
    NextModal<rawmaterials::TFSCEGLICARSCAMP> chooser([&](rawmaterials::TFSCEGLICARSCAMP* w) {
        auto* list = ControlAs<QTableWidget>(w, "LISTA");
        titles << w->windowTitle() << w->objectName();
        for (int c = 0; c < list->columnCount(); ++c)
            titles << list->horizontalHeaderItem(c)->text();
        for (int r = 0; r < list->rowCount(); ++r) {
            QStringList row;
            for (int c = 0; c < list->columnCount(); ++c) row << list->item(r, c)->text();
            rows.push_back(row);
        }
        EXPECT_EQ(list->currentRow(), 1);
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Return);
    });
    const auto chosen = rawmaterials::ChooseRawMaterialMovement(nullptr, folders(), 800, 600);
    EXPECT_EQ(titles, (QStringList{"MODIFICA UN MOVIMENTO DI MATERIA PRIMA", "FSCEGLICARSCAMP",
                                   "DATA MOV.", "TIPO MOV.", "N. e DATA DOCUMENTO", "MATERIA PR.",
                                   "Quantità", "Fornitore"}));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (QStringList{"01/03/2025", "CARICO", "DDT1 del 01/03/2025", "MALTO",
                                    "1.234,5", "Maltificio Rossi"}));
    EXPECT_EQ(rows[1],
              (QStringList{"02/03/2025", "SCARICO", "B2 del 02/03/2025", "LUPPOLO", "0,25", " "}));
    EXPECT_EQ(chosen.chosen.numope, 2);
    EXPECT_EQ(chosen.chosen.year, "2025");
    ASSERT_TRUE(chosen.movement.has_value());
    EXPECT_EQ(chosen.movement->QUANTI, 0.25);
}

}  // namespace
}  // namespace braxol
