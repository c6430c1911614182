// The list window: its row file, the special column sets, sorting, choosing, printing.

#include <QFile>
#include <QHeaderView>
#include <QPrinter>
#include <QTableWidget>
#include <QTest>

#include "store/safe_file.h"
#include "table_test_support.h"
#include "tables/list_print.h"
#include "tables/listview.h"
#include "tables/row_file.h"

namespace braxol {
namespace {

using namespace braxol::test;
using tables::TFLISTVIEW;

class ListWindow : public TableWindowTest {
protected:
    void SetUp() override {
        TableWindowTest::SetUp();
        Write("TA03", {TableRecord(1, "TA03", "A01", "zeta"), TableRecord(4, "TA03", "B02", "Alfa"),
                       TableRecord(3, "TA03", "C03", "beta")});
    }

    std::string RowFile() const {
        return ReadWholeFile(work.folders().temp / "TABELLA.TXT").value_or("<missing>");
    }

    static QStringList Column(TFLISTVIEW& window, int column) {
        QStringList texts;
        auto* list = ControlAs<QTableWidget>(&window, "LISTA");
        for (int r = 0; r < list->rowCount(); ++r) texts << list->item(r, column)->text();
        return texts;
    }

    static void ClickHeader(TFLISTVIEW& window, int section) {
        auto* header = ControlAs<QTableWidget>(&window, "LISTA")->horizontalHeader();
        const QPoint at(header->sectionViewportPosition(section) + 5, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        Settle();
    }

    static int PdfPages(const QString& path) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) return -1;
        const QByteArray pdf = file.readAll();
        if (!pdf.startsWith("%PDF")) return -1;
        return static_cast<int>(pdf.count("/Type /Page") - pdf.count("/Type /Pages"));
    }
};

TEST_F(ListWindow, PlainTableRowsGoToTheRowFileInFileOrder) {
    TFLISTVIEW window(Context("TA03"));
    ShowActive(&window);
    EXPECT_EQ(RowFile(),
              "A01\r\n@1\r\n\tzeta\r\n"
              "B02\r\n@4\r\n\tAlfa\r\n"
              "C03\r\n@3\r\n\tbeta\r\n");
    EXPECT_EQ(window.windowTitle(), "Uffici Doganali");
    auto* list = ControlAs<QTableWidget>(&window, "LISTA");
    ASSERT_EQ(list->columnCount(), 2);
    EXPECT_EQ(list->horizontalHeaderItem(0)->text(), "Ufficio Dogana");
    EXPECT_EQ(list->horizontalHeaderItem(1)->text(), "Descrizione");
    EXPECT_EQ(Column(window, 0), (QStringList{"A01", "B02", "C03"}));
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_EQ(list->font().family(), "Courier New");
    EXPECT_EQ(list->font().pointSize(), 9);
    // Columns at least 5 letters wide, plus two, and never narrower than their caption.
    const QFontMetrics metrics(list->font());
    EXPECT_GE(list->columnWidth(0), metrics.horizontalAdvance("WWWWWWW"));
    EXPECT_GT(list->columnWidth(0), metrics.horizontalAdvance("Ufficio Dogana"));
    EXPECT_GE(window.width(), 300);
    EXPECT_GE(window.height(), 300);
    EXPECT_EQ(tables::ReadRowFile(work.folders().temp / "TABELLA.TXT").size(), 3u);
}

TEST_F(ListWindow, ExciseTableHasItsOwnColumns) {
    Write("ACCISE", {ExciseRecord(2, DateFromCivil(2020, 1, 1), 3.04),
                     ExciseRecord(5, DateFromCivil(2022, 7, 1), 2.99, "1411")});
    TFLISTVIEW window(Context("ACCISE"));
    ShowActive(&window);
    EXPECT_EQ(RowFile(),
              "01/01/2020\r\n@2\r\n\t   3,04000\r\n\t1402\r\n"
              "01/07/2022\r\n@5\r\n\t   2,99000\r\n\t1411\r\n");
    EXPECT_EQ(window.listing().widths, (std::vector<int>{11, 11, 9}));
    auto* list = ControlAs<QTableWidget>(&window, "LISTA");
    ASSERT_EQ(list->columnCount(), 3);
    EXPECT_EQ(list->horizontalHeaderItem(1)->text(), "Importo dell'accisa su Hlg");
}

TEST_F(ListWindow, ProductCodesKeepTheThirdTextWithoutAColumn) {
    TTABELLA code = TableRecord(7, "TA20", "1105-22030001-  -", "Birra di malto");
    code.text[2].set("x");
    code.num[0] = DateFromCivil(2024, 1, 1);
    code.num[1] = DateFromCivil(2050, 1, 1);
    PadTabella(code);
    Write("TA20", {code});
    TFLISTVIEW window(Context("TA20"));
    ShowActive(&window);
    EXPECT_EQ(
        RowFile(),
        "1105-22030001-  -\r\n@7\r\n\tBirra di malto\r\n\t01/01/2024\r\n\t01/01/2050\r\n\tx\r\n");
    EXPECT_EQ(ControlAs<QTableWidget>(&window, "LISTA")->columnCount(), 4);
}

TEST_F(ListWindow, MissingStructureGivesAnEmptyList) {
    TFLISTVIEW window(Context("NESSUNA"));
    ShowActive(&window);
    EXPECT_EQ(RowFile(), "");
    EXPECT_EQ(ControlAs<QTableWidget>(&window, "LISTA")->rowCount(), 0);
    PressEnter(&window);
    EXPECT_TRUE(window.isVisible());
    PressKey(&window, Qt::Key_Escape);
    EXPECT_EQ(window.chosen(), -1);
}

TEST_F(ListWindow, HeaderClickSortsByThatColumn) {
    TFLISTVIEW window(Context("TA03"));
    ShowActive(&window);
    ClickHeader(window, 1);
    // Character order: upper case before lower case.
    EXPECT_EQ(Column(window, 1), (QStringList{"Alfa", "beta", "zeta"}));
    EXPECT_EQ(Column(window, 0), (QStringList{"B02", "C03", "A01"}));
    ClickHeader(window, 0);
    EXPECT_EQ(Column(window, 0), (QStringList{"A01", "B02", "C03"}));
}

TEST_F(ListWindow, EnterReturnsTheRecordNumberOfTheSelectedRow) {
    TFLISTVIEW window(Context("TA03"));
    ShowActive(&window);
    ClickHeader(window, 1);  // the selected row, A01, goes last
    EXPECT_EQ(ControlAs<QTableWidget>(&window, "LISTA")->currentRow(), 2);
    PressKey(&window, Qt::Key_Up);
    PressEnter(&window);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(window.chosen(), 3);  // C03
}

TEST_F(ListWindow, OkAndDoubleClickChooseToo) {
    TFLISTVIEW window(Context("TA03"));
    ShowActive(&window);
    Click(&window, "BOK");
    EXPECT_EQ(window.chosen(), 1);

    ShowActive(&window);  // rebuilt on each showing
    auto* list = ControlAs<QTableWidget>(&window, "LISTA");
    const QRect cell = list->visualItemRect(list->item(1, 0));
    // A double click as the system delivers it: press, release, double click, release.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    Settle();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.chosen(), 4);
}

TEST_F(ListWindow, EscapeAndAbandonReturnMinusOne) {
    TFLISTVIEW window(Context("TA03"));
    ShowActive(&window);
    PressKey(&window, Qt::Key_Down);
    PressKey(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.chosen(), -1);

    ShowActive(&window);
    Click(&window, "BABBANDONA");
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.chosen(), -1);
}

TEST_F(ListWindow, ReopenedOnAnotherTableShowsThatTable) {
    Write("ACCISE", {ExciseRecord(2, DateFromCivil(2020, 1, 1), 3.04)});
    TFLISTVIEW window(Context("TA03"));
    ShowActive(&window);
    PressKey(&window, Qt::Key_Escape);
    window.setContext(Context("ACCISE"));
    ShowActive(&window);
    EXPECT_EQ(window.windowTitle(), "Tabella delle Accise");
    EXPECT_EQ(ControlAs<QTableWidget>(&window, "LISTA")->rowCount(), 1);
}

TEST_F(ListWindow, PrintsToThePrinterChosen) {
    std::vector<TTABELLA> many;
    for (int i = 1; i <= 120; ++i)
        many.push_back(TableRecord(i, "TA03", "K" + std::to_string(1000 + i), "Ufficio"));
    Write("TA03", many);
    const QString pdf = QString::fromStdString((work.folders().temp / "lista.pdf").string());
    seams.print.pdfPath = pdf;
    TFLISTVIEW window(Context("TA03"));
    ShowActive(&window);
    Click(&window, "BSTAMPA");
    EXPECT_EQ(seams.print.asked, 1);
    EXPECT_TRUE(window.isVisible());
    EXPECT_GE(PdfPages(pdf), 2);
}

TEST_F(ListWindow, CancelledPrintDialogPrintsNothing) {
    const QString pdf = QString::fromStdString((work.folders().temp / "lista.pdf").string());
    seams.print.pdfPath = pdf;
    seams.print.accept = false;
    TFLISTVIEW window(Context("TA03"));
    ShowActive(&window);
    Click(&window, "BSTAMPA");
    EXPECT_EQ(seams.print.asked, 1);
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST_F(ListWindow, PrintedPagesFollowTheRowsAndTheWidth) {
    const QString pdf = QString::fromStdString((work.folders().temp / "righe.pdf").string());
    tables::PrintedList list;
    list.title = "Titolo";
    list.captions = {"Uno", "Due"};
    list.widths = {10, 40};
    for (int i = 0; i < 200; ++i) list.rows.push_back({QString::number(i), "riga"});
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    const int pages = tables::PaintList(printer, list);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Portrait);
    EXPECT_GE(pages, 3);
    EXPECT_EQ(PdfPages(pdf), pages);

    // A wide list goes landscape.
    list.widths = {50, 50};
    list.rows.resize(3);
    QPrinter wide(QPrinter::HighResolution);
    wide.setOutputFormat(QPrinter::PdfFormat);
    wide.setOutputFileName(pdf);
    EXPECT_EQ(tables::PaintList(wide, list), 1);
    EXPECT_EQ(wide.pageLayout().orientation(), QPageLayout::Landscape);
}

TEST(RowFile, RoundTripsRowsAndIgnoresStrayLines) {
    const std::vector<tables::ListRow> rows = {{12, {"uno", "due", ""}}, {-1, {""}}, {7, {"x\ty"}}};
    const std::string text = tables::RowFileText(rows);
    EXPECT_EQ(text, "uno\r\n@12\r\n\tdue\r\n\t\r\n\r\n@-1\r\nx y\r\n@7\r\n");
    auto back = tables::ParseRowFile(text);
    ASSERT_EQ(back.size(), 3u);
    EXPECT_EQ(back[0], rows[0]);
    EXPECT_EQ(back[1], rows[1]);
    EXPECT_EQ(back[2].columns, std::vector<std::string>{"x y"});
    EXPECT_EQ(tables::ParseRowFile("@3\r\n\tprima\nA\n@5\nB"),
              (std::vector<tables::ListRow>{{5, {"A"}}, {0, {"B"}}}));
}

}  // namespace
}  // namespace braxol
