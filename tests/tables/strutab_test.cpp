// The structure window: loading, saving, and loading a table from its CSV file.

#include <QTableWidget>

#include "store/safe_file.h"
#include "table_test_support.h"
#include "tables/strutab.h"

namespace braxol {
namespace {

using namespace braxol::test;
using tables::TFSTRUTAB;

class Structures : public TableWindowTest {
protected:
    static void TypeInCell(TFSTRUTAB& window, int row, int column, const QString& text) {
        auto* grid = ControlAs<QTableWidget>(&window, "GRIGLIA");
        grid->setFocus();
        grid->setCurrentCell(row, column);
        Settle();
        Type(&window, text);
        PressEnter(&window);
    }
};

TEST_F(Structures, LeavingTheNameLoadsItsStructure) {
    TFSTRUTAB window(Context(""));
    ShowActive(&window);
    ASSERT_EQ(FocusName(), "E02250");
    Type(&window, "TA03");
    PressEnter(&window);
    EXPECT_EQ(ControlAs<QLineEdit>(&window, "E12250")->text(), "Uffici Doganali");
    EXPECT_EQ(ControlAs<QLineEdit>(&window, "E22250")->text(), "Ufficio Dogana;Descrizione;");
    EXPECT_EQ(ControlAs<QLineEdit>(&window, "ICHIAVE")->text(), "1");
    auto* grid = ControlAs<QTableWidget>(&window, "GRIGLIA");
    EXPECT_EQ(grid->verticalHeaderItem(9)->text(), "C 10");
    EXPECT_EQ(grid->horizontalHeaderItem(0)->text(), "DIM");
    EXPECT_EQ(grid->horizontalHeaderItem(1)->text(), "ETICHETTA CAMPO");
    EXPECT_EQ(grid->item(0, 0)->text(), "8");
    EXPECT_EQ(grid->item(1, 1)->text(), "Descrizione");

    // A name without structure clears the rest.
    Retype(&window, "E02250", "NUOVA");
    PressEnter(&window);
    EXPECT_TRUE(ControlAs<QLineEdit>(&window, "E12250")->text().isEmpty());
    EXPECT_EQ(grid->item(0, 0), nullptr);
    EXPECT_EQ(ControlAs<QLineEdit>(&window, "E02250")->text(), "NUOVA");
}

TEST_F(Structures, ConfirmWritesTheStructureAndClearsTheWindow) {
    TFSTRUTAB window(Context(""));
    ShowActive(&window);
    Type(&window, "BIRRE");
    PressEnter(&window);
    Type(&window, "Birre speciali");
    PressEnter(&window);
    Type(&window, "Nome;Note;");
    PressEnter(&window);
    Type(&window, "2");
    PressEnter(&window);
    EXPECT_EQ(FocusName(), "GRIGLIA");
    TypeInCell(window, 0, 0, "30");
    TypeInCell(window, 0, 1, "Nome della birra");
    TypeInCell(window, 1, 0, "120");
    TypeInCell(window, 1, 1, "Note");
    Click(&window, "BCONF");

    const auto saved = ReadTableStructure(work.folders().datiGen, "BIRRE");
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(saved->name, "BIRRE");
    EXPECT_EQ(saved->title, "Birre speciali");
    EXPECT_EQ(saved->columnNames, "Nome;Note;");
    EXPECT_EQ(saved->keyFields, 2);
    EXPECT_EQ(saved->widths[0], 30);
    EXPECT_EQ(saved->widths[1], 120);
    EXPECT_EQ(saved->widths[2], 0);
    EXPECT_EQ(saved->labels[0], "Nome della birra");
    EXPECT_EQ(saved->labels[1], "Note");
    EXPECT_TRUE(ControlAs<QLineEdit>(&window, "E02250")->text().isEmpty());
    EXPECT_TRUE(ControlAs<QLineEdit>(&window, "E12250")->text().isEmpty());
    EXPECT_EQ(FocusName(), "E02250");
}

TEST_F(Structures, NameBelowZeroIsRefused) {
    TFSTRUTAB window(Context(""));
    ShowActive(&window);
    Type(&window, "#");
    PressEnter(&window);
    Click(&window, "BCONF");
    EXPECT_EQ(FocusName(), "E02250");
    EXPECT_FALSE(std::filesystem::exists(work.folders().datiGen / "#.STR"));
}

TEST_F(Structures, CsvImportFillsTheTable) {
    ReplaceFileContent(work.folders().datiGen / "X.CSV",
                       "X;Y;;X\r\n!nota\r\n A;saltata\r\nB;Z;X;\r\n");
    TFSTRUTAB window(Context(""));
    ShowActive(&window);
    Type(&window, "X");
    PressEnter(&window);
    Click(&window, "BIMPORTA");

    const auto records = Read("X");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(Keys(records), (std::vector<std::string>{"B", "X"}));  // in key order
    EXPECT_EQ(Numbers(records), (std::vector<std::int32_t>{2, 1}));  // numbered by line
    const TTABELLA& x = records[1];
    EXPECT_EQ(x.number, 1);
    EXPECT_EQ(x.text[0].str(), "X");
    EXPECT_EQ(x.text[1].str(), "Y");
    EXPECT_EQ(x.text[2].str(), "N");
    EXPECT_EQ(x.text[3].str(), "S");
    for (int slot = 4; slot < 10; ++slot) EXPECT_EQ(x.text[slot].str(), "") << slot;
    EXPECT_EQ(x.text[10].str(), "X");
    EXPECT_EQ(records[0].text[2].str(), "S");
    EXPECT_EQ(records[0].text[3].str(), "N");
    EXPECT_TRUE(seams.messages.shown().empty());
}

TEST_F(Structures, MissingCsvIsReportedAndTheTableKept) {
    Write("Y", {TableRecord(1, "Y", "tenuto")});
    TFSTRUTAB window(Context(""));
    ShowActive(&window);
    Type(&window, "Y");
    PressEnter(&window);
    Click(&window, "BIMPORTA");
    ASSERT_EQ(seams.messages.shown().size(), 1u);
    EXPECT_EQ(seams.messages.shown()[0].severity, ui::Severity::Error);
    EXPECT_EQ(Keys(Read("Y")), (std::vector<std::string>{"tenuto"}));
}

}  // namespace
}  // namespace braxol
