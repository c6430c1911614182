// The movement chooser: which records each mode lists and in what order, the texts of the
// rows and the flow reference, sorting, the year, choosing and leaving, and reading the record
// chosen.

#include <QHeaderView>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>

#include "chooser_fixture.h"
#include "production/movement_chooser.h"
#include "store/safe_file.h"
#include "tables/row_file.h"

namespace braxol {
namespace {

using namespace braxol::test;
using production::ChooserRequest;
using production::TFSCEGLIMOVIMENTO;

const double kFlowDay = Day(2025, 3, 5);

class Chooser : public MovementWindowTest {
protected:
    // 1 unsent production, 2 sent production, 3 unsent wash, 4 sent production rectified,
    // 5 its unsent cancellation, 6 sent wash.
    void SetUp() override {
        TMOVIMENTO rectified = Sent(Brew(4, Day(2025, 2, 20), 3050, 3500), kFlowDay, 2);
        rectified.STATO.set("C");
        TMOVIMENTO cancellation = rectified;
        cancellation.NUMOPE = 5;
        cancellation.RIFOPE = 4;
        cancellation.STATO.set(" ");
        cancellation.TIPRIC.set("C");
        cancellation.DATFLU = 0;
        cancellation.NUMFLU = 0;
        WriteMovements(Register(),
                       {Brew(1, Day(2025, 1, 5), 1000, 2000, "prima"),
                        Sent(Brew(2, Day(2025, 2, 10), 2000, 3000, "seconda"), kFlowDay, 2),
                        WashOf(3, Day(2025, 2, 12), 3000, 3050), rectified, cancellation,
                        Sent(WashOf(6, Day(2025, 3, 1), 3500, 3600), kFlowDay, 2)});
    }

    ChooserRequest Request(QChar mode) const {
        ChooserRequest r;
        r.folders = work.folders();
        r.mode = mode;
        r.maxWidth = 1200;
        r.maxHeight = 700;
        return r;
    }

    static std::vector<int> Listed(const TFSCEGLIMOVIMENTO& window) {
        std::vector<int> n;
        for (const auto& row : window.rows()) n.push_back(row.number);
        return n;
    }

    static QTableWidget* List(TFSCEGLIMOVIMENTO& window) {
        return ControlAs<QTableWidget>(&window, "LISTA");
    }

    static QStringList Row(TFSCEGLIMOVIMENTO& window, int row) {
        QStringList texts;
        auto* list = List(window);
        for (int c = 0; c < list->columnCount(); ++c) texts << list->item(row, c)->text();
        return texts;
    }

    static QStringList Titles(TFSCEGLIMOVIMENTO& window) {
        QStringList titles;
        auto* list = List(window);
        for (int c = 0; c < list->columnCount(); ++c)
            titles << list->horizontalHeaderItem(c)->text();
        return titles;
    }

    static void ClickHeader(TFSCEGLIMOVIMENTO& window, int section) {
        auto* header = List(window)->horizontalHeader();
        const QPoint at(header->sectionViewportPosition(section) + 5, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        Settle();
    }

    static void TypeYear(TFSCEGLIMOVIMENTO& window, const QString& year) {
        FocusOn(&window, "LANNO");
        PressKey(&window, Qt::Key_A, Qt::ControlModifier);
        Type(&window, year);
        PressEnter(&window);
    }
};

TEST_F(Chooser, EachModeListsItsRecordsInItsOrder) {
    // Preventive communications: 1 not yet sent by PEC, 2 sent.
    TMOVIMENTO unsentPec = Stored(Production(Day(2025, 3, 1), 0, 12), 1, 1);
    TMOVIMENTO sentPec = Stored(Production(Day(2025, 3, 2), 0, 13), 2, 2);
    sentPec.DATPEC = Day(2025, 3, 1);
    WriteMovements(work.registri("2025.PRV"), {unsentPec, sentPec});
    // Records E and R: 1 sent, 2 unsent, 3 sent, 4 sent but cancelled.
    TMOVIMENTO cancelled = Sent(Stored(Tribute("E", "03", 5), 4, 4, "C"), kFlowDay, 1);
    WriteMovements(Tributes(),
                   {Sent(Stored(Tribute("E", "01", 1234.5), 1, 1), kFlowDay, 1),
                    Stored(Tribute("R", "02", 50), 2, 2),
                    Sent(Stored(Tribute("R", "02", 80), 3, 3), kFlowDay, 3), cancelled});
    // Register requests: 1 sent release, 2 unsent release, 3 sent change request.
    auto request = [](int numope, const char* tipric, int numflu) {
        TMOVIMENTO r = Stored(Tribute("E", "01", 0), numope, numope, " ", tipric);
        r.NUMFLU = numflu;
        return r;
    };
    WriteMovements(work.folders().requestsFile(),
                   {request(1, "R", 1), request(2, "R", 0), request(3, "M", 1)});

    struct Case {
        QChar mode;
        std::vector<int> listed;
        QString caption;
        int columns;
    };
    const std::vector<Case> cases = {
        {'M', {5, 3, 1}, "MODIFICA UNA PRODUZIONE O UN LAVAGGIO NON INVIATO", 9},
        {'E', {6, 2}, "RETTIFICA: cancella un movimento già inviato al sistema telematico", 10},
        {'e',
         {6, 2},
         "RETTIFICA: modifica i dati di un movimento già inviato al sistema telematico",
         10},
        {'D', {6, 5, 3, 2, 1}, "MOSTRA I DETTAGLI DI UN MOVIMENTO ", 10},
        {'T', {1, 3}, "RETTIFICA: cancella tributi già inviati", 5},
        {'t', {1, 3}, "RETTIFICA: modifica i dati dei tributi già inviati", 5},
        {'A', {1}, "ANNULLA REGISTRO TELEMATICO", 5},
        {'F', {1}, "CHIUSURA DEL REGISTRO TELEMATICO", 5},
        {'P', {1}, "REGISTRA IL PROTOCOLLO ATTRIBUITO", 5},
        {'m', {1}, "MODIFICA IL REGISTRO TELEMATICO", 5},
        {'C', {2, 1}, "ARCHIVIO COMUNICAZIONI PREVENTIVE", 6},
        {'I', {1}, "COMUNICAZIONI PREVENTIVE DA INVIARE", 6},
    };
    TFSCEGLIMOVIMENTO window(Request('M'));
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("mode ") + c.mode.toLatin1());
        window.setRequest(Request(c.mode));
        ShowActive(&window);
        EXPECT_EQ(Listed(window), c.listed);
        EXPECT_EQ(window.windowTitle(), c.caption);
        EXPECT_EQ(List(window)->columnCount(), c.columns);
        EXPECT_EQ(List(window)->rowCount(), static_cast<int>(c.listed.size()));
        PressKey(&window, Qt::Key_Escape);
        EXPECT_FALSE(window.isVisible());
    }
    EXPECT_TRUE(seams.messages.shown().empty());
}

TEST_F(Chooser, RegisterRowsShowTheFieldsAndTheFlowReference) {
    TFSCEGLIMOVIMENTO window(Request('D'));
    ShowActive(&window);
    EXPECT_EQ(Titles(window),
              (QStringList{"DATA MOV.", "CAUSALE", "N. e DATA DOCUMENTO", "DATA e ORA PEC ",
                           "LITRI", "GRADO", "MISURATORE", "Tipo di birra", "NOTA", "N. FLUSSO"}));
    // Row 3 is production 2, sent on 5 March in flow 2.
    EXPECT_EQ(Row(window, 3),
              (QStringList{"10/02/2025", "PRODUZIONE", "7 del 10/02/2025", "09/02/2025 alle 08:30",
                           "1.000", "12,5", "2000 - 3000", "BIONDA", "seconda", "0305.C02"}));
    // A wash leaves the production cells blank; a record never sent reads 1230.C00.
    EXPECT_EQ(Row(window, 2), (QStringList{"12/02/2025", "LAVAGGIO", " ", " ", " ", " ",
                                           "3000 - 3050", " ", " ", "1230.C00"}));
    EXPECT_EQ(Row(window, 4)[9], "1230.C00");

    // The rows went through the row file.
    const auto rows = tables::ReadRowFile(work.folders().temp / "TABELLA.TXT");
    EXPECT_EQ(rows, window.rows());
    const std::string text = ReadWholeFile(work.folders().temp / "TABELLA.TXT").value_or("");
    EXPECT_EQ(text.substr(0, 33), "01/03/2025\r\n@6\r\n\tLAVAGGIO\r\n\t \r\n\t ");

    // Mode M has no flow column.
    window.setRequest(Request('M'));
    PressKey(&window, Qt::Key_Escape);
    ShowActive(&window);
    EXPECT_EQ(Titles(window).size(), 9);
    EXPECT_FALSE(Titles(window).contains("N. FLUSSO"));
}

TEST_F(Chooser, TributeRequestAndPreventiveRowTexts) {
    TMOVIMENTO e = Sent(Stored(Tribute("E", "01", 1234.5), 1, 1), Day(2025, 2, 16), 1);
    e.ANNOTA.set("saldo");
    WriteMovements(Tributes(),
                   {e, Sent(Stored(Tribute("R", "22", 80), 2, 2), Day(2025, 12, 30), 12)});
    TMOVIMENTO request = Stored(BlankMovement(), 1, 1, " ", "R");
    request.DATMOV = Day(2025, 1, 2);
    request.INTER1 = 3;
    request.ANNPRO.set("2025");
    request.NUMPRO.set("778899");
    request.ANNOTA.set("REGISTRO DI PRODUZIONE");
    request.NUMFLU = 1;
    PadMovement(request);
    WriteMovements(work.folders().requestsFile(), {request});
    TMOVIMENTO pec = Stored(Production(Day(2025, 3, 2), 0, 13), 1, 1);
    pec.PRODAZ.set("ROSSA");
    pec.LITPRO = 1500.5;
    pec.NUMDOC.set("2");
    pec.DATPEC = Day(2025, 3, 1);
    pec.MITDES.set("18:05");
    TMOVIMENTO unsentPec = pec;
    unsentPec.NUMOPE = 2;
    unsentPec.DATPEC = 0;
    WriteMovements(work.registri("2025.PRV"), {pec, unsentPec});

    TFSCEGLIMOVIMENTO window(Request('T'));
    ShowActive(&window);
    EXPECT_EQ(Titles(window),
              (QStringList{"TIPO RECORD", "PERIODO", "IMPORTO", "N. FLUSSO", "NOTA"}));
    EXPECT_EQ(Row(window, 0),
              (QStringList{"ACCISE - E ", "01-2025", "    1.234,50", "0216.C01", "saldo"}));
    EXPECT_EQ(Row(window, 1),
              (QStringList{"RAVVEDIMENTO-R", "22-2025", "       80,00", "1230.C12", " "}));
    PressKey(&window, Qt::Key_Escape);

    window.setRequest(Request('A'));
    ShowActive(&window);
    EXPECT_EQ(Titles(window), (QStringList{"VALIDO DAL", "FAM.", "ANNO", "N.PROT.", "TITOLO"}));
    EXPECT_EQ(Row(window, 0),
              (QStringList{"02/01/2025", "3", "2025", "778899", "REGISTRO DI PRODUZIONE"}));
    PressKey(&window, Qt::Key_Escape);

    window.setRequest(Request('C'));
    ShowActive(&window);
    EXPECT_EQ(Titles(window),
              (QStringList{"DATA", "NUM.", "TIPO DI BIRRA", "LITRI", "TINI", "DATA e ORA"}));
    EXPECT_EQ(Row(window, 0), (QStringList{"02/03/2025", "13", "ROSSA", "1.500,50", "2", "- - -"}));
    EXPECT_EQ(Row(window, 1),
              (QStringList{"02/03/2025", "13", "ROSSA", "1.500,50", "2", "01/03/2025 - 18:05"}));
}

TEST_F(Chooser, NoteColumnWidensToTheLongestNote) {
    const std::string note(40, 'n');
    WriteMovements(Register(2024),
                   {Brew(1, Day(2024, 6, 1), 1, 2, note), Brew(2, Day(2024, 6, 2), 2, 3, "corta")});
    TFSCEGLIMOVIMENTO window(Request('M'));
    ShowActive(&window);
    EXPECT_EQ(window.widths()[8], 5);  // "prima" in 2025: no wider than the title
    EXPECT_EQ(window.widths()[0], 11);
    TypeYear(window, "2024");
    EXPECT_EQ(window.widths()[8], 40);
    const QFontMetrics metrics(List(window)->font());
    EXPECT_EQ(List(window)->columnWidth(8), metrics.horizontalAdvance(QString(42, 'W')));
    EXPECT_EQ(List(window)->font().family(), "Courier New");
    EXPECT_GE(window.width(), 500);
    EXPECT_LE(window.width(), 1200);
    EXPECT_GE(window.height(), 300);
}

TEST_F(Chooser, HeaderClickSortsRowsAsPlainText) {
    TFSCEGLIMOVIMENTO window(Request('D'));
    ShowActive(&window);
    ClickHeader(window, 0);  // dates sort by day first
    EXPECT_EQ(Listed(window), (std::vector<int>{6, 1, 2, 3, 5}));
    ClickHeader(window, 1);  // LAVAGGIO before PRODUZIONE, ties kept in place
    EXPECT_EQ(Listed(window), (std::vector<int>{6, 3, 1, 2, 5}));
    EXPECT_EQ(Row(window, 1)[0], "12/02/2025");
    // The row chosen follows the sorted order.
    FocusOn(&window, "LISTA");
    PressKey(&window, Qt::Key_Down);
    PressKey(&window, Qt::Key_Down);
    PressEnter(&window);
    EXPECT_EQ(window.chosen().numope, 1);
}

TEST_F(Chooser, EnterFromTheYearReachesTheListAndChooses) {
    TFSCEGLIMOVIMENTO window(Request('M'));
    ShowActive(&window);
    EXPECT_EQ(FocusName(), "LANNO");
    EXPECT_EQ(ControlAs<QLineEdit>(&window, "LANNO")->text(), "2025");
    PressEnter(&window);
    EXPECT_EQ(FocusName(), "LISTA");
    PressKey(&window, Qt::Key_Down);
    PressEnter(&window);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(window.chosen().numope, 3);
    EXPECT_EQ(window.chosen().year, "2025");
}

TEST_F(Chooser, EscapeAndAbandonReturnNegative) {
    TFSCEGLIMOVIMENTO window(Request('M'));
    ShowActive(&window);
    FocusOn(&window, "LISTA");
    PressKey(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
    EXPECT_LT(window.chosen().numope, 0);

    ShowActive(&window);
    Click(&window, "BABBANDONA");
    EXPECT_FALSE(window.isVisible());
    EXPECT_LT(window.chosen().numope, 0);

    // By the keyboard alone: Enter on the focused button.
    ShowActive(&window);
    FocusOn(&window, "BABBANDONA");
    PressEnter(&window);
    EXPECT_FALSE(window.isVisible());
    EXPECT_LT(window.chosen().numope, 0);
}

TEST_F(Chooser, OkAndDoubleClickChooseToo) {
    TFSCEGLIMOVIMENTO window(Request('E'));
    ShowActive(&window);
    Click(&window, "BOK");
    EXPECT_EQ(window.chosen().numope, 6);

    ShowActive(&window);
    FocusOn(&window, "BOK");
    PressEnter(&window);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.chosen().numope, 6);

    ShowActive(&window);
    auto* list = List(window);
    const QRect cell = list->visualItemRect(list->item(1, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    Settle();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.chosen().numope, 2);
}

TEST_F(Chooser, AnotherYearListsItsFileAndABadYearKeepsTheFocus) {
    WriteMovements(Register(2024), {Brew(9, Day(2024, 12, 1), 1, 2)});
    TFSCEGLIMOVIMENTO window(Request('M'));
    ShowActive(&window);
    auto* year = ControlAs<QLineEdit>(&window, "LANNO");

    TypeYear(window, "2061");
    Settle();
    EXPECT_EQ(FocusName(), "LANNO");
    EXPECT_EQ(Listed(window), (std::vector<int>{5, 3, 1}));
    TypeYear(window, "2007");
    Settle();
    EXPECT_EQ(FocusName(), "LANNO");

    // Only digits and backspace are typed.
    PressKey(&window, Qt::Key_A, Qt::ControlModifier);
    Type(&window, "20x2-4");
    EXPECT_EQ(year->text(), "2024");
    PressEnter(&window);
    EXPECT_EQ(FocusName(), "LISTA");
    EXPECT_EQ(Listed(window), (std::vector<int>{9}));
    PressEnter(&window);
    EXPECT_EQ(window.chosen().numope, 9);
    EXPECT_EQ(window.chosen().year, "2024");

    // A year without a file lists nothing and creates nothing.
    ShowActive(&window);
    TypeYear(window, "2030");
    EXPECT_TRUE(window.rows().empty());
    EXPECT_FALSE(fs::exists(Register(2030)));
    PressEnter(&window);
    EXPECT_TRUE(window.isVisible());
}

TEST_F(Chooser, ReadsTheChosenRecordFromTheYearFile) {
    const auto folders = work.folders();
    auto found = production::ReadChosenMovement(nullptr, folders, 'E', {2, "2025"});
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->NUMOPE, 2);
    EXPECT_EQ(found->NUMFLU, 2);
    EXPECT_FALSE(production::ReadChosenMovement(nullptr, folders, 'E', {99, "2025"}));
    EXPECT_FALSE(production::ReadChosenMovement(nullptr, folders, 'E', {-1, "2025"}));
    EXPECT_FALSE(production::ReadChosenMovement(nullptr, folders, 'M', {1, "2019"}));
    EXPECT_FALSE(fs::exists(Register(2019)));
    EXPECT_EQ(production::ChooserFilePath(folders, 'T', "2025"), Tributes());
    EXPECT_EQ(production::ChooserFilePath(folders, 'A', "2025"), folders.requestsFile());
    EXPECT_TRUE(seams.messages.shown().empty());
}

TEST_F(Chooser, DamagedFileIsReportedAndLeftAlone) {
    const std::string damaged = FileBytes(Register()) + "xyz";
    WriteFileBytes(Register(), damaged);
    TFSCEGLIMOVIMENTO window(Request('M'));
    ShowActive(&window);
    EXPECT_TRUE(window.rows().empty());
    ASSERT_EQ(seams.messages.shown().size(), 1u);
    EXPECT_EQ(seams.messages.shown()[0].severity, ui::Severity::Error);
    EXPECT_FALSE(production::ReadChosenMovement(nullptr, work.folders(), 'M', {1, "2025"}));
    EXPECT_EQ(seams.messages.shown().size(), 2u);
    EXPECT_EQ(FileBytes(Register()), damaged);
}

}  // namespace
}  // namespace braxol
