// The excise summary window worked as a user works it: the year and the proposed period, the
// period's total, the amount typed, the confirmation; then REGISTRI/<year>.DER is read back.

#include <QPushButton>
#include <QTest>

#include <memory>

#include "store/numbers.h"
#include "tributes/excise_window.h"
#include "tributes/period_total.h"
#include "tributes_test_support.h"

namespace braxol {
namespace {

using namespace braxol::test;
using tributes::TFACCISE_DA;

const QString kPeriodSent = "ATTENZIONE PERIODO GIA` INVIATO! PER MODIFICARE UTILIZZA LA RETTIFICA";
const QString kNegative = "NON SONO AMMESSI IMPORTI NEGATIVI !";
const QString kNoteRequired = "Nota obbligatoria per le rettifiche";

class ExciseWindow : public TributesTest {
protected:
    std::unique_ptr<TFACCISE_DA> window;

    void SetUp() override { WriteUsualRates(); }

    void Open(const tributes::TributeRequest& request) {
        window = std::make_unique<TFACCISE_DA>(request, nullptr);
        ShowActive(window.get());
    }
    void OpenNew() { Open(Request()); }
    QWidget* W() { return window.get(); }
    QString Shown(const QString& name) { return TributesTest::Shown(W(), name); }
    bool Closed() const { return !window->isVisible(); }

    // Types the year over the proposed one and moves on to the period.
    void EnterYear(const QString& year) {
        Retype(W(), "ANNPRO", year);
        PressEnter(W());
    }
};

TEST_F(ExciseWindow, OpensOnTheCurrentYearWithTheChapterInForce) {
    OpenNew();
    EXPECT_EQ(window->objectName(), "FACCISE_DA");
    EXPECT_EQ(window->windowTitle(), "Riepilogo accisa");
    EXPECT_EQ(FocusName(), "ANNPRO");
    EXPECT_EQ(Shown("ANNPRO"), "2025");
    EXPECT_EQ(Shown("MITDES"), "1411");
    EXPECT_EQ(Shown("CODPAE"), "");
    EXPECT_EQ(Shown("DCODPAE"), "");
    EXPECT_EQ(Shown("DOUBL1"), "");
    EXPECT_EQ(Shown("DOUBL2"), "");
    EXPECT_EQ(Shown("ANNOTA"), "");
    EXPECT_FALSE(ControlAs<QLineEdit>(W(), "ANNPRO")->isReadOnly());
    EXPECT_TRUE(ControlAs<QLineEdit>(W(), "DOUBL2")->isReadOnly());
    EXPECT_EQ(ControlAs<QPushButton>(W(), "BCONF")->text(), "&CONFERMA");
    EXPECT_EQ(ControlAs<QPushButton>(W(), "BABBANDONA")->text(), "&Abbandona");
}

// The year's last active record E decides the proposed period: 11 is followed by 21, and 22
// stays 22.
TEST_F(ExciseWindow, ProposesThePeriodAfterTheLastRecordE) {
    struct Row {
        std::vector<TMOVIMENTO> file;
        QString proposal;
    };
    const Row rows[] = {
        {{}, "01"},
        {{StoredTribute("E", "01", 2015, 10, 1), StoredTribute("E", "02", 2015, 10, 2)}, "03"},
        {{StoredTribute("E", "10", 2015, 10, 1),
          StoredTribute("E", "11", 2015, 10, 2, 1, Day(2015, 12, 10))},
         "21"},
        {{StoredTribute("E", "21", 2015, 10, 1), StoredTribute("E", "22", 2015, 10, 2)}, "22"},
    };
    for (const Row& row : rows) {
        WriteDer(2015, row.file);
        OpenNew();
        EnterYear("2015");
        EXPECT_EQ(Shown("CODPAE"), row.proposal);
        EXPECT_EQ(FocusName(), "CODPAE");
        window->reject();
    }
}

// The proposed year accepted with Enter, and every field after it: Enter is typing, so leaving
// the year proposes the period, leaving the period computes its total, and the confirm button
// stores the summary.
TEST_F(ExciseWindow, EnterOnlyWalkStoresTheSummaryOfTheProposedPeriod) {
    SetToday(2025, 3, 15);
    WriteRgm(2025, {ProductionWith(Day(2025, 1, 20), 30.40, 12.5, 80)});
    OpenNew();
    ASSERT_EQ(Shown("ANNPRO"), "2025");
    PressEnter(W());
    EXPECT_EQ(FocusName(), "CODPAE");
    EXPECT_EQ(Shown("CODPAE"), "01");
    PressEnter(W());
    EXPECT_EQ(Shown("DCODPAE"), "Gennaio - 2025");
    EXPECT_EQ(Shown("DOUBL1"), "30,40");
    for (const char* next : {"DOUBL1", "ANNOTA", "BCONF"}) {
        PressEnter(W());
        EXPECT_EQ(FocusName(), next);
    }
    PressEnter(W());
    EXPECT_TRUE(Closed());
    EXPECT_TRUE(seams.messages.shown().empty());
    const auto file = ReadDer(2025);
    ASSERT_EQ(file.size(), 1u);
    EXPECT_EQ(file[0].CODPAE.str(), "01");
    EXPECT_DOUBLE_EQ(file[0].QUANTI, 30.40);
}

TEST_F(ExciseWindow, YearOutOfRangeKeepsTheFocus) {
    OpenNew();
    EnterYear("2007");
    EXPECT_EQ(FocusName(), "ANNPRO");
    EXPECT_EQ(Shown("CODPAE"), "");
    EnterYear("2061");
    EXPECT_EQ(FocusName(), "ANNPRO");
    EXPECT_TRUE(seams.messages.shown().empty());
}

// A whole summary by keyboard: the period's total is proposed, the user rounds it, confirms.
TEST_F(ExciseWindow, NewSummaryOfTheProposedPeriod) {
    WriteDer(2015, {StoredTribute("E", "01", 2015, 10, 1, 1, Day(2015, 2, 10)),
                    StoredTribute("E", "02", 2015, 20, 2, 1, Day(2015, 3, 10))});
    WriteRgm(2015, {ProductionWith(Day(2015, 3, 2), 30.40, 12.5, 80),
                    ProductionWith(Day(2015, 3, 20), 19.04, 12.5, 50)});
    OpenNew();
    EnterYear("2015");
    EXPECT_EQ(Shown("CODPAE"), "03");
    PressEnter(W());
    EXPECT_EQ(Shown("DCODPAE"), "Marzo - 2015");
    EXPECT_EQ(Shown("DOUBL2"), "49,44");
    EXPECT_EQ(Shown("DOUBL1"), "49,44");
    EXPECT_EQ(FocusName(), "MITDES");
    EXPECT_EQ(ReadRecords<TMOVIMENTO>(folders().inTemp("RIEP.DAT"), false).size(), 1u);
    PressEnter(W());
    ASSERT_EQ(FocusName(), "DOUBL1");
    ControlAs<QLineEdit>(W(), "DOUBL1")->selectAll();
    TypeThenEnter(W(), "49");
    EXPECT_EQ(FocusName(), "ANNOTA");
    EXPECT_EQ(Shown("DOUBL1"), "49,00");
    Type(W(), "Marzo è chiuso");
    PressEnter(W());
    ASSERT_EQ(FocusName(), "BCONF");
    PressEnter(W());

    EXPECT_TRUE(Closed());
    EXPECT_TRUE(seams.messages.shown().empty());
    const auto file = ReadDer(2015);
    ASSERT_EQ(file.size(), 3u);
    const TMOVIMENTO e = file[2];
    EXPECT_EQ(e.NUMOPE, 3);
    EXPECT_EQ(e.RIFOPE, 0);
    EXPECT_EQ(e.NUMFLU, 0);
    EXPECT_EQ(e.DATFLU, 0);
    EXPECT_EQ(e.DATMOV, 0);
    EXPECT_EQ(e.STATO.str(), " ");
    EXPECT_EQ(e.TIPREC.str(), "E");
    EXPECT_EQ(e.TIPRIC.str(), "I");
    EXPECT_EQ(e.ANNPRO.str(), "2015");
    EXPECT_EQ(e.CODPAE.str(), "03");
    EXPECT_EQ(e.MITDES.str(), "1411            ");
    EXPECT_DOUBLE_EQ(e.QUANTI, 49.0);
    EXPECT_EQ(ui::FromField(e.ANNOTA), "Marzo è chiuso");
    EXPECT_EQ(e.ANNOTA.len, 250);
    EXPECT_EQ(window->stored().NUMOPE, 3);
}

TEST_F(ExciseWindow, PeriodWithoutProductionsStoresZero) {
    OpenNew();
    EnterYear("2015");
    Retype(W(), "CODPAE", "3");
    PressEnter(W());
    EXPECT_EQ(Shown("CODPAE"), "03");
    EXPECT_EQ(Shown("DOUBL2"), "0,00");
    EXPECT_EQ(Shown("DOUBL1"), "0,00");
    PressKey(W(), Qt::Key_C, Qt::AltModifier);
    QTest::qWait(250);  // the accelerator clicks after the button's animation
    EXPECT_TRUE(Closed());
    const auto file = ReadDer(2015);
    ASSERT_EQ(file.size(), 1u);
    EXPECT_EQ(file[0].QUANTI, 0);
}

TEST_F(ExciseWindow, InvalidPeriodsAreRefusedWithoutMessage) {
    OpenNew();
    EnterYear("2015");
    for (const QString typed : {"12", "00", "23"}) {
        Retype(W(), "CODPAE", typed);
        PressEnter(W());
        EXPECT_EQ(FocusName(), "CODPAE") << typed.toStdString();
        EXPECT_EQ(Shown("DCODPAE"), "") << typed.toStdString();
    }
    EXPECT_TRUE(seams.messages.shown().empty());
    Click(W(), "BCONF");
    EXPECT_EQ(FocusName(), "CODPAE");
    EXPECT_FALSE(Closed());
    EXPECT_TRUE(ReadDer(2015).empty());
}

// A second summary of a period whose record E is still unsent: its chapter and note are
// shown, and confirming overwrites it in its place with a new operation number.
TEST_F(ExciseWindow, SecondSummaryReplacesTheUnsentOne) {
    TMOVIMENTO unsent = StoredTribute("E", "03", 2015, 40, 2);
    unsent.MITDES.set("1400");
    unsent.ANNOTA.set("prima stesura");
    PadMovement(unsent);
    WriteDer(2015, {StoredTribute("E", "02", 2015, 20, 1, 1, Day(2015, 3, 10)), unsent,
                    StoredTribute("R", "03", 2015, 5, 3)});
    WriteRgm(2015, {ProductionWith(Day(2015, 3, 2), 30.40, 12.5, 80)});
    OpenNew();
    EnterYear("2015");
    Retype(W(), "CODPAE", "03");
    PressEnter(W());
    EXPECT_EQ(Shown("MITDES"), "1400");
    EXPECT_EQ(Shown("ANNOTA"), "prima stesura");
    EXPECT_EQ(Shown("DOUBL1"), "30,40");
    Click(W(), "BCONF");
    EXPECT_TRUE(Closed());
    EXPECT_TRUE(seams.messages.shown().empty());

    const auto file = ReadDer(2015);
    ASSERT_EQ(file.size(), 3u);
    EXPECT_EQ(Numbers(file), (std::vector<int>{1, 4, 3}));
    EXPECT_EQ(file[1].CODPAE.str(), "03");
    EXPECT_DOUBLE_EQ(file[1].QUANTI, 30.4);
    EXPECT_EQ(file[1].MITDES.trimmed(), "1400");
    EXPECT_EQ(file[1].ANNOTA.trimmed(), "prima stesura");
}

// After a sent record E of the period has been cancelled, a new summary of the period goes
// after it and its cancellation record, before the later periods.
TEST_F(ExciseWindow, NewSummaryFollowsTheCancelledSentOne) {
    WriteDer(2015, {StoredTribute("E", "03", 2015, 40, 1, 2, Day(2015, 4, 10), "C"),
                    StoredTribute("E", "03", 2015, 40, 2, 0, 0, " ", "C"),
                    StoredTribute("E", "04", 2015, 50, 3)});
    OpenNew();
    EnterYear("2015");
    Retype(W(), "CODPAE", "03");
    PressEnter(W());
    FocusOn(W(), "DOUBL1");
    ControlAs<QLineEdit>(W(), "DOUBL1")->selectAll();
    Type(W(), "41");
    Click(W(), "BCONF");
    EXPECT_TRUE(Closed());
    const auto file = ReadDer(2015);
    EXPECT_EQ(Numbers(file), (std::vector<int>{1, 2, 4, 3}));
    EXPECT_EQ(file[2].CODPAE.str(), "03");
    EXPECT_DOUBLE_EQ(file[2].QUANTI, 41);
    EXPECT_EQ(file[2].STATO.str(), " ");
}

TEST_F(ExciseWindow, SentPeriodIsRefused) {
    WriteDer(2015, {StoredTribute("E", "03", 2015, 40, 1, 2, Day(2015, 4, 10))});
    const std::string before = FileBytes(DerFile(2015));
    OpenNew();
    EnterYear("2015");
    EXPECT_EQ(Shown("CODPAE"), "04");
    Retype(W(), "CODPAE", "03");
    PressEnter(W());
    EXPECT_EQ(seams.messages.texts(), QStringList{kPeriodSent});
    EXPECT_EQ(FocusName(), "CODPAE");
    Click(W(), "BCONF");
    EXPECT_EQ(seams.messages.texts(), (QStringList{kPeriodSent, kPeriodSent}));
    EXPECT_EQ(FocusName(), "CODPAE");
    EXPECT_FALSE(Closed());
    EXPECT_EQ(FileBytes(DerFile(2015)), before);
}

TEST_F(ExciseWindow, NegativeAmountIsRefused) {
    OpenNew();
    EnterYear("2015");
    PressEnter(W());  // the proposed period 01
    PressEnter(W());
    ASSERT_EQ(FocusName(), "DOUBL1");
    ControlAs<QLineEdit>(W(), "DOUBL1")->selectAll();
    PressKey(W(), Qt::Key_Backspace);
    Type(W(), "-12,5");
    PressEnter(W());
    EXPECT_EQ(seams.messages.texts(), QStringList{kNegative});
    EXPECT_EQ(FocusName(), "DOUBL1");
    EXPECT_EQ(Shown("DOUBL1"), "-12,50");
    Click(W(), "BCONF");
    EXPECT_EQ(seams.messages.texts(), (QStringList{kNegative, kNegative}));
    EXPECT_EQ(FocusName(), "DOUBL1");
    // The accelerator runs the same checks.
    PressKey(W(), Qt::Key_C, Qt::AltModifier);
    QTest::qWait(250);  // the accelerator clicks after the button's animation
    EXPECT_EQ(seams.messages.texts(), (QStringList{kNegative, kNegative, kNegative}));
    EXPECT_EQ(FocusName(), "DOUBL1");
    EXPECT_FALSE(Closed());
    EXPECT_TRUE(ReadDer(2015).empty());
}

// Before the first key, the confirm button only sends the focus to the year; the mouse, the
// accelerator and Enter alike.
TEST_F(ExciseWindow, ConfirmRightAfterOpeningStoresNothing) {
    OpenNew();
    Click(W(), "BCONF");
    EXPECT_EQ(FocusName(), "ANNPRO");
    PressKey(W(), Qt::Key_C, Qt::AltModifier);
    QTest::qWait(250);  // the accelerator clicks after the button's animation
    EXPECT_EQ(FocusName(), "ANNPRO");
    EXPECT_FALSE(Closed());
    EXPECT_FALSE(fs::exists(DerFile(2025)));
    EXPECT_TRUE(seams.messages.shown().empty());
}

TEST_F(ExciseWindow, AbandonStoresNothing) {
    OpenNew();
    EnterYear("2015");
    PressEnter(W());
    Click(W(), "BABBANDONA");
    EXPECT_TRUE(Closed());
    EXPECT_TRUE(ReadDer(2015).empty());
}

// The cancel-rectification of a sent record E in a file whose highest NUMOPE is 9.
TEST_F(ExciseWindow, CancelRectification) {
    TMOVIMENTO sent = StoredTribute("E", "03", 2015, 40, 5, 7, Day(2015, 4, 15));
    sent.ANNOTA.set("inviato");
    PadMovement(sent);
    WriteDer(2015, {StoredTribute("E", "02", 2015, 20, 9, 6, Day(2015, 3, 15)), sent,
                    StoredTribute("E", "04", 2015, 50, 7)});
    Open(Rectification(sent, false));
    EXPECT_EQ(window->windowTitle(), "RETTIFICA: cancella riepilogo accisa inviato");
    EXPECT_EQ(FocusName(), "ANNOTA");
    EXPECT_EQ(Shown("ANNPRO"), "2015");
    EXPECT_EQ(Shown("CODPAE"), "03");
    EXPECT_EQ(Shown("DCODPAE"), "Marzo - 2015");
    EXPECT_EQ(Shown("MITDES"), "1402");
    EXPECT_EQ(Shown("DOUBL1"), "40,00");
    EXPECT_EQ(Shown("ANNOTA"), "inviato");
    for (const char* name : {"ANNPRO", "CODPAE", "MITDES", "DOUBL1"})
        EXPECT_TRUE(ControlAs<QLineEdit>(W(), name)->isReadOnly()) << name;

    // The note is obligatory.
    ControlAs<QPlainTextEdit>(W(), "ANNOTA")->selectAll();
    PressKey(W(), Qt::Key_Backspace);
    Click(W(), "BCONF");
    EXPECT_EQ(seams.messages.texts(), QStringList{kNoteRequired});
    EXPECT_EQ(FocusName(), "ANNOTA");
    Type(W(), "importo errato");
    Click(W(), "BCONF");
    EXPECT_TRUE(Closed());

    const auto file = ReadDer(2015);
    ASSERT_EQ(file.size(), 4u);
    EXPECT_EQ(Numbers(file), (std::vector<int>{9, 5, 10, 7}));
    EXPECT_EQ(file[1].STATO.str(), "C");
    EXPECT_EQ(file[1].NUMFLU, 7);
    EXPECT_EQ(file[1].ANNOTA.trimmed(), "inviato");
    const TMOVIMENTO c = file[2];
    EXPECT_EQ(c.RIFOPE, 5);
    EXPECT_EQ(c.TIPRIC.str(), "C");
    EXPECT_EQ(c.STATO.str(), " ");
    EXPECT_EQ(c.NUMFLU, 0);
    EXPECT_EQ(c.DATFLU, 0);
    EXPECT_EQ(c.CODPAE.str(), "03");
    EXPECT_DOUBLE_EQ(c.QUANTI, 40);
    EXPECT_EQ(c.ANNOTA.trimmed(), "importo errato");
}

// The modify-rectification adds the replacing record with the window's data after the
// cancellation record.
TEST_F(ExciseWindow, ModifyRectification) {
    const TMOVIMENTO sent = StoredTribute("E", "03", 2015, 40, 5, 7, Day(2015, 4, 15));
    WriteDer(2015, {sent, StoredTribute("E", "04", 2015, 50, 9)});
    Open(Rectification(sent, true));
    EXPECT_EQ(window->windowTitle(), "RETTIFICA: modifica i dati del riepilogo accisa inviato");
    EXPECT_EQ(FocusName(), "ANNPRO");
    EXPECT_TRUE(ControlAs<QLineEdit>(W(), "ANNPRO")->isReadOnly());
    EXPECT_TRUE(ControlAs<QLineEdit>(W(), "CODPAE")->isReadOnly());
    EXPECT_FALSE(ControlAs<QLineEdit>(W(), "DOUBL1")->isReadOnly());
    FocusOn(W(), "DOUBL1");
    ControlAs<QLineEdit>(W(), "DOUBL1")->selectAll();
    Type(W(), "42,5");
    PressEnter(W());
    Type(W(), "corretto");
    Click(W(), "BCONF");
    EXPECT_TRUE(Closed());
    EXPECT_TRUE(seams.messages.shown().empty());

    const auto file = ReadDer(2015);
    EXPECT_EQ(Numbers(file), (std::vector<int>{5, 10, 11, 9}));
    EXPECT_EQ(file[0].STATO.str(), "C");
    EXPECT_EQ(file[1].TIPRIC.str(), "C");
    EXPECT_EQ(file[1].RIFOPE, 5);
    const TMOVIMENTO r = file[2];
    EXPECT_EQ(r.RIFOPE, 5);
    EXPECT_EQ(r.STATO.str(), "R");
    EXPECT_EQ(r.TIPRIC.str(), "I");
    EXPECT_EQ(r.TIPREC.str(), "E");
    EXPECT_EQ(r.NUMFLU, 0);
    EXPECT_EQ(r.CODPAE.str(), "03");
    EXPECT_DOUBLE_EQ(r.QUANTI, 42.5);
    EXPECT_EQ(r.ANNOTA.trimmed(), "corretto");
}

// The working file of the period's total is remade on every use: a damaged one left by an
// earlier run is rebuilt without a word.
TEST_F(ExciseWindow, DamagedWorkingFileIsRebuilt) {
    WriteRgm(2015, {ProductionWith(Day(2015, 3, 2), 30.40, 12.5, 80)});
    WriteFileBytes(folders().inTemp("RIEP.DAT"), std::string(700, 'x'));
    OpenNew();
    EnterYear("2015");
    TypeThenEnter(W(), "03");
    EXPECT_TRUE(seams.messages.shown().empty()) << seams.messages.texts().join("|").toStdString();
    EXPECT_EQ(Shown("DOUBL2"), "30,40");
    EXPECT_EQ(FocusName(), "MITDES");
    const auto summary = ReadRecords<TMOVIMENTO>(folders().inTemp("RIEP.DAT"), false);
    ASSERT_EQ(summary.size(), 1u);
    EXPECT_DOUBLE_EQ(summary[0].LITPRO, 80);
}

TEST_F(ExciseWindow, DamagedTributeFileIsReportedAndNotWritten) {
    const std::string damaged(600, 'x');
    WriteFileBytes(DerFile(2015), damaged);
    OpenNew();
    EnterYear("2015");
    ASSERT_EQ(seams.messages.shown().size(), 1u);
    EXPECT_TRUE(seams.messages.texts()[0].contains("2015.DER"))
        << seams.messages.texts()[0].toStdString();
    EXPECT_EQ(seams.messages.shown()[0].severity, ui::Severity::Error);
    Retype(W(), "CODPAE", "03");
    Click(W(), "BCONF");
    EXPECT_FALSE(Closed());
    EXPECT_EQ(FileBytes(DerFile(2015)), damaged);
}

}  // namespace
}  // namespace braxol
