// The deletion window: what each mode lists, the typed confirmation, the deletion of the
// ticked records, and the undoing of an unsent rectification.

#include <QLineEdit>
#include <QListWidget>

#include "chooser_fixture.h"
#include "production/deletion_window.h"
#include "production/movement_modes.h"

namespace braxol {
namespace {

using namespace braxol::test;
using production::DeletionRequest;
using production::TFCANCMOVIM;

const double kFlowDay = Day(2025, 3, 5);

class Deletion : public MovementWindowTest {
protected:
    DeletionRequest Request(QChar mode, int tag = 0) const {
        DeletionRequest r;
        r.folders = work.folders();
        r.mode = mode;
        r.tag = tag;
        r.maxWidth = 1200;
        return r;
    }

    static QListWidget* List(TFCANCMOVIM& window) {
        return ControlAs<QListWidget>(&window, "ELENCO");
    }
    static QStringList Lines(TFCANCMOVIM& window) {
        QStringList lines;
        for (int i = 0; i < List(window)->count(); ++i) lines << List(window)->item(i)->text();
        return lines;
    }
    static std::vector<int> Listed(const TFCANCMOVIM& window) { return Numbers(window.listed()); }

    // Ticks the lines by moving down the list and pressing Space on them.
    static void Tick(TFCANCMOVIM& window, const std::vector<int>& lines) {
        FocusOn(&window, "ELENCO");
        List(window)->setCurrentRow(0);
        int at = 0;
        for (int line : lines) {
            for (; at < line; ++at) PressKey(&window, Qt::Key_Down);
            PressKey(&window, Qt::Key_Space);
        }
    }

    static void Confirm(TFCANCMOVIM& window, const QString& typed) {
        FocusOn(&window, "ECONF");
        Type(&window, typed);
        PressEnter(&window);
        Settle();
    }

    // A sent record rectified as the entry windows do it: cancelled only, or replaced by a
    // record composed from it.
    static void Rectify(const TMOVIMENTO& target, TMOVIMENTO replacement, RectifyMode mode,
                        const fs::path& file) {
        replacement.NUMOPE = replacement.RIFOPE = replacement.NUMFLU = replacement.PROGRE = 0;
        replacement.DATFLU = 0;
        replacement.ANNOTA.set("errore di lettura");
        ASSERT_TRUE(CancelOrRectify(file, target, replacement, mode));
    }
};

TEST_F(Deletion, ModesListTheirRecordsWithTheirCaptions) {
    TMOVIMENTO rectified = Sent(Brew(4, Day(2025, 2, 20), 3050, 3500), kFlowDay, 2);
    WriteMovements(Register(), {Brew(1, Day(2025, 1, 5), 1000, 2000),
                                Sent(Brew(2, Day(2025, 2, 10), 2000, 3000), kFlowDay, 2),
                                WashOf(3, Day(2025, 2, 12), 3000, 3050), rectified});
    Rectify(rectified, rectified, RectifyMode::Rectify, Register());  // adds 5 and 6
    WriteMovements(Tributes(), {Sent(Stored(Tribute("E", "01", 10), 1, 1), kFlowDay, 1),
                                Stored(Tribute("E", "02", 20), 2, 2),
                                Stored(Tribute("R", "02", 30), 3, 3, " ", "C")});
    WriteMovements(work.registri("2025.MPR"),
                   {Stored(RawMaterial(Day(2025, 1, 2), "C", "MALTO", 100), 1, 1)});
    WriteMovements(work.folders().requestsFile(), {Stored(BlankMovement(), 1, 1, " ", "R")});
    WriteMovements(work.registri("2025.PRV"), {Stored(Production(Day(2025, 1, 3), 0, 1), 1, 1),
                                               Stored(Production(Day(2025, 1, 4), 0, 2), 2, 2)});

    struct Case {
        QChar mode;
        int tag;
        std::vector<int> listed;
        QString caption;
    };
    const std::vector<Case> cases = {
        {'C',
         1,
         {1, 3, 6},
         "Cancella produzioni e lavaggi non ancora inviati al servizio telematico"},
        {'c',
         2,
         {5},
         "Cancella le rettifiche di produzioni e lavaggi non ancora inviate al servizio "
         "telematico"},
        {'T', 3, {2}, "Cancella i record tributi E,R, non ancora inviati al servizio telematico"},
        {'t',
         4,
         {3},
         "Cancella le rettifiche dei tributi E,R, non ancora inviate al servizio telematico"},
        {'P', 5, {1}, "Cancella i movimenti di carico e scarico delle materie prime"},
        {'R', 6, {1}, "Cancella le richieste dei Registri Telematici"},
        {'p', 7, {1, 2}, "Cancella le comunicazioni preventive"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("mode ") + c.mode.toLatin1());
        EXPECT_EQ(production::DeletionModeOfTag(c.tag), c.mode);
        TFCANCMOVIM window(Request(QChar(), c.tag));  // the mode follows the action's tag
        ShowActive(&window);
        EXPECT_EQ(window.windowTitle(), c.caption);
        EXPECT_EQ(Listed(window), c.listed);
        EXPECT_EQ(List(window)->count(), static_cast<int>(c.listed.size()));
        EXPECT_EQ(Numbers(DeletionCopies()), c.listed);
        EXPECT_EQ(FocusName(), "ECONF");
        Click(&window, "BABBANDONA");
        EXPECT_FALSE(window.isVisible());
    }
    EXPECT_TRUE(seams.messages.shown().empty());
}

TEST_F(Deletion, LineTextsOfEachMode) {
    TMOVIMENTO brew = Brew(1, Day(2025, 1, 5), 1000, 2250);
    brew.GRAPLA = 12.25;
    PadMovement(brew);
    WriteMovements(Register(), {brew, WashOf(2, Day(2025, 1, 6), 2250, 2300)});
    TMOVIMENTO e = Stored(Tribute("E", "01", 1234.5), 1, 1);
    e.MITDES.set("1402");
    TMOVIMENTO r = Stored(Tribute("R", "21", 100), 2, 2);
    r.ETTOGR = 3.75;
    r.DATPEC = 0.5;
    WriteMovements(Tributes(), {e, r});
    TMOVIMENTO load = Stored(RawMaterial(Day(2025, 2, 1), "C", "MALTO", 250.125), 1, 1);
    load.PRODAZ.set("Fornitore Srl");
    WriteMovements(work.registri("2025.MPR"),
                   {load, Stored(RawMaterial(Day(2025, 2, 2), "S", "LUPPOLO", 3), 2, 2)});
    TMOVIMENTO request = Stored(BlankMovement(), 1, 1, " ", "A");
    request.DATMOV = Day(2025, 1, 2);
    request.INTER1 = 3;
    request.ANNPRO.set("2024");
    request.NUMPRO.set("55");
    request.ANNOTA.set("Registro");
    WriteMovements(work.folders().requestsFile(), {request});
    TMOVIMENTO pec = Stored(Production(Day(2025, 3, 2), 0, 13), 1, 1);
    pec.PRODAZ.set("ROSSA");
    pec.LITPRO = 1500;
    WriteMovements(work.registri("2025.PRV"), {pec});

    const std::vector<std::pair<QChar, QStringList>> cases = {
        {'C',
         {" PRODUZIONE del 05/01/2025 litri 1.250 | grado 12,25  - BIONDA",
          " LAVAGGIO del 06/01/2025 - iniziale 2250  finale 2300"}},
        {'T',
         {"01/2025 accisa a debito 1.234,50  capitolo 1402",
          "21/2025 ravvedimento |maggiori tributi: 100,00 |sanzione: 3,75 |interessi: 0,50"}},
        {'P',
         {" CARICO del 01/02/2025 quantità 250,125 | MALTO Fornitore Srl",
          " SCARICO del 02/02/2025 quantità 3 | LUPPOLO "}},
        {'R', {"ANNULLA valido dal 02/01/2025 fam.3 anno: 2024 n.prot. 55 Registro"}},
        {'p', {"02/03/2025 N° 13 ROSSA quantità 1.500"}},
    };
    for (const auto& [mode, lines] : cases) {
        SCOPED_TRACE(std::string("mode ") + mode.toLatin1());
        TFCANCMOVIM window(Request(mode));
        ShowActive(&window);
        EXPECT_EQ(Lines(window), lines);
        EXPECT_GE(window.width(), 680);
        // Lines are unticked to begin with.
        for (int i = 0; i < List(window)->count(); ++i)
            EXPECT_EQ(List(window)->item(i)->checkState(), Qt::Unchecked);
        PressKey(&window, Qt::Key_Escape);
    }
}

TEST_F(Deletion, TwoTickedLinesAndSiDeleteBothAndClose) {
    WriteMovements(Register(), {Brew(1, Day(2025, 1, 5), 1000, 2000),
                                Sent(Brew(2, Day(2025, 2, 10), 2000, 3000), kFlowDay, 2),
                                WashOf(3, Day(2025, 2, 12), 3000, 3050),
                                Brew(4, Day(2025, 2, 20), 3050, 3500)});
    TFCANCMOVIM window(Request('C'));
    ShowActive(&window);
    EXPECT_EQ(Listed(window), (std::vector<int>{1, 3, 4}));  // the sent record is not offered
    Tick(window, {0, 2});
    Confirm(window, "si");
    EXPECT_EQ(ControlAs<QLineEdit>(&window, "ECONF")->text(), "SI");
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(Numbers(Read(Register())), (std::vector<int>{2, 3}));
    EXPECT_FALSE(fs::exists(work.registri("2025.RGM$")));
    EXPECT_TRUE(seams.messages.shown().empty());
}

// The buttons answer Enter when the keyboard has reached them: tick all, then leave.
TEST_F(Deletion, EnterPressesTheFocusedButton) {
    const std::vector<TMOVIMENTO> records = {Brew(1, Day(2025, 1, 5), 1000, 2000)};
    WriteMovements(Register(), records);
    TFCANCMOVIM window(Request('C'));
    ShowActive(&window);
    FocusOn(&window, "ELENCO");  // leaving the year lists its records and goes to the list
    FocusOn(&window, "BTUTTI");
    ASSERT_EQ(FocusName(), "BTUTTI");
    PressEnter(&window);
    EXPECT_EQ(List(window)->item(0)->checkState(), Qt::Checked);
    FocusOn(&window, "BABBANDONA");
    PressEnter(&window);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(SameBytes(Read(Register()), records));
}

TEST_F(Deletion, AnythingButSiDeletesNothing) {
    const std::vector<TMOVIMENTO> records = {Brew(1, Day(2025, 1, 5), 1000, 2000),
                                             WashOf(2, Day(2025, 2, 12), 2000, 2050)};
    WriteMovements(Register(), records);
    TFCANCMOVIM window(Request('C'));
    ShowActive(&window);
    Click(&window, "BTUTTI");
    EXPECT_EQ(List(window)->item(1)->checkState(), Qt::Checked);
    Confirm(window, "NO");
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(FocusName(), "ELENCO");
    EXPECT_TRUE(SameBytes(Read(Register()), records));

    Click(&window, "BNESSUNO");
    EXPECT_EQ(List(window)->item(0)->checkState(), Qt::Unchecked);
    FocusOn(&window, "ECONF");
    PressKey(&window, Qt::Key_Backspace);
    PressKey(&window, Qt::Key_Backspace);
    Confirm(window, "SI");  // nothing ticked: the window closes, the file stays
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(SameBytes(Read(Register()), records));
}

TEST_F(Deletion, UndoingARectifyCancelBringsTheProductionBack) {
    const TMOVIMENTO sent = Sent(Brew(7, Day(2025, 2, 10), 2000, 3000, "prima"), kFlowDay, 2);
    WriteMovements(Register(), {Brew(1, Day(2025, 1, 5), 1000, 2000), sent,
                                Brew(20, Day(2025, 2, 20), 3000, 3500)});
    Rectify(sent, sent, RectifyMode::CancelOnly, Register());
    ASSERT_EQ(Numbers(Read(Register())), (std::vector<int>{1, 7, 21, 20}));

    TFCANCMOVIM window(Request('c'));
    ShowActive(&window);
    EXPECT_EQ(Listed(window), (std::vector<int>{21}));
    EXPECT_EQ(Lines(window),
              (QStringList{" PRODUZIONE del 10/02/2025 litri 1.000 | grado 12,5  - BIONDA"}));
    Tick(window, {0});
    Confirm(window, "SI");
    EXPECT_FALSE(window.isVisible());

    const auto after = Read(Register());
    ASSERT_EQ(Numbers(after), (std::vector<int>{1, 7, 20}));
    EXPECT_TRUE(after[1].STATO == " ");
    EXPECT_EQ(after[1].NUMFLU, 2);
    EXPECT_EQ(after[1].ANNOTA.trimmed(), "errore di lettura");  // the note stays

    // The production is offered again for rectification, not for deletion.
    TFCANCMOVIM again(Request('C'));
    ShowActive(&again);
    EXPECT_EQ(Listed(again), (std::vector<int>{1, 20}));
}

TEST_F(Deletion, UndoingARectifyChangeRemovesTheReplacementToo) {
    const TMOVIMENTO sent = Sent(WashOf(3, Day(2025, 2, 12), 3000, 3050), kFlowDay, 2);
    const TMOVIMENTO other = Sent(Brew(4, Day(2025, 2, 20), 3050, 3500), kFlowDay, 2);
    WriteMovements(Register(), {sent, other});
    TMOVIMENTO replacement = sent;
    replacement.INTER2 = 3060;
    Rectify(sent, replacement, RectifyMode::Rectify, Register());
    Rectify(other, other, RectifyMode::Rectify, Register());
    ASSERT_EQ(Numbers(Read(Register())), (std::vector<int>{3, 5, 6, 4, 7, 8}));

    TFCANCMOVIM window(Request('c'));
    ShowActive(&window);
    EXPECT_EQ(Listed(window), (std::vector<int>{5, 7}));
    EXPECT_EQ(Lines(window)[0], " LAVAGGIO del 12/02/2025 - iniziale 3000  finale 3050");
    Tick(window, {0});
    Confirm(window, "SI");

    const auto after = Read(Register());
    ASSERT_EQ(Numbers(after), (std::vector<int>{3, 4, 7, 8}));
    EXPECT_TRUE(after[0].STATO == " ");
    EXPECT_TRUE(after[1].STATO == "C");  // the other rectification is untouched
    EXPECT_TRUE(after[3].STATO == "R");
}

TEST_F(Deletion, UndoingATributeRectificationInModeT) {
    const TMOVIMENTO e = Sent(Stored(Tribute("E", "01", 10), 1, 1), kFlowDay, 1);
    WriteMovements(Tributes(), {e, Stored(Tribute("E", "02", 20), 2, 2)});
    TMOVIMENTO corrected = Tribute("E", "01", 12);
    ASSERT_TRUE(CancelOrRectify(Tributes(), e, corrected, RectifyMode::Rectify));
    ASSERT_EQ(Numbers(Read(Tributes())), (std::vector<int>{1, 3, 4, 2}));

    TFCANCMOVIM window(Request('t'));
    ShowActive(&window);
    EXPECT_EQ(Listed(window), (std::vector<int>{3}));
    EXPECT_EQ(Lines(window), (QStringList{"01/2025 accisa a debito 10,00  capitolo "}));
    Tick(window, {0});
    Confirm(window, "SI");

    const auto after = Read(Tributes());
    ASSERT_EQ(Numbers(after), (std::vector<int>{1, 2}));
    EXPECT_TRUE(after[0].STATO == " ");
    EXPECT_DOUBLE_EQ(after[0].QUANTI, 10);
}

TEST_F(Deletion, AnotherYearRebuildsTheListAndCreatesAMissingFile) {
    WriteMovements(Register(2024), {Brew(9, Day(2024, 12, 1), 1, 2)});
    TFCANCMOVIM window(Request('C'));
    ShowActive(&window);
    EXPECT_TRUE(window.listed().empty());
    EXPECT_TRUE(fs::exists(Register()));  // created empty
    EXPECT_EQ(fs::file_size(Register()), 0u);

    auto* year = ControlAs<QLineEdit>(&window, "LANNO");
    FocusOn(&window, "ELENCO");
    FocusOn(&window, "LANNO");
    PressKey(&window, Qt::Key_A, Qt::ControlModifier);
    Type(&window, "2061");
    PressEnter(&window);
    Settle();
    EXPECT_EQ(FocusName(), "LANNO");

    PressKey(&window, Qt::Key_A, Qt::ControlModifier);
    Type(&window, "2o24");
    EXPECT_EQ(year->text(), "224");
    PressKey(&window, Qt::Key_A, Qt::ControlModifier);
    Type(&window, "2024");
    PressEnter(&window);
    Settle();
    EXPECT_EQ(Listed(window), (std::vector<int>{9}));
    EXPECT_EQ(Numbers(DeletionCopies()), (std::vector<int>{9}));
    EXPECT_EQ(FocusName(), "ECONF");

    Tick(window, {0});
    Confirm(window, "SI");
    EXPECT_TRUE(Read(Register(2024)).empty());
}

TEST_F(Deletion, DamagedFileIsReportedAndNeverWritten) {
    WriteMovements(Register(), {Brew(1, Day(2025, 1, 5), 1000, 2000)});
    const std::string damaged = FileBytes(Register()) + "12345";
    WriteFileBytes(Register(), damaged);
    TFCANCMOVIM window(Request('C'));
    ShowActive(&window);
    EXPECT_TRUE(window.listed().empty());
    ASSERT_EQ(seams.messages.shown().size(), 1u);
    EXPECT_EQ(seams.messages.shown()[0].severity, ui::Severity::Error);
    EXPECT_EQ(FileBytes(Register()), damaged);
}

TEST_F(Deletion, FailedDeletionIsReportedAndTheRestStays) {
    WriteMovements(Register(),
                   {Brew(1, Day(2025, 1, 5), 1000, 2000), Brew(2, Day(2025, 1, 6), 2000, 2100)});
    TFCANCMOVIM window(Request('C'));
    ShowActive(&window);
    // Someone else damages the file after the list was built.
    const std::string damaged = FileBytes(Register()) + "12345";
    WriteFileBytes(Register(), damaged);
    Click(&window, "BTUTTI");
    Confirm(window, "SI");
    EXPECT_FALSE(window.isVisible());
    ASSERT_EQ(seams.messages.shown().size(), 1u);
    EXPECT_EQ(seams.messages.shown()[0].severity, ui::Severity::Error);
    EXPECT_EQ(FileBytes(Register()), damaged);
}

TEST(UndoRectification, RestoresTheTargetAndRemovesEveryReplacement) {
    std::vector<TMOVIMENTO> records = {
        Stored(Wash(1, 1, 2), 1, 1, "C"), Stored(Wash(1, 1, 2), 2, 2, "R"),
        Stored(Wash(1, 1, 2), 3, 3, "R"), Stored(Wash(1, 1, 2), 4, 4, " ")};
    records[1].RIFOPE = 1;
    records[2].RIFOPE = 1;
    records[3].RIFOPE = 1;  // active, not a replacement: it stays
    EXPECT_TRUE(production::UndoRectification(records, 1));
    EXPECT_EQ(Numbers(records), (std::vector<int>{1, 4}));
    EXPECT_TRUE(records[0].STATO == " ");
    EXPECT_FALSE(production::UndoRectification(records, 9));
}

}  // namespace
}  // namespace braxol
