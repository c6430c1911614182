// The flow window as a user works it: what it proposes on opening, the list of a year, the
// checks of the confirm button, the signing program, and what happens to files already there.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

#include "flow_test_support.h"
#include "store/movements.h"
#include "telematic/flow_messages.h"
#include "telematic/signing_start.h"

namespace braxol {
namespace {

using namespace braxol::test;
using namespace braxol::telematic;

class FlowWindow : public FlowTest {
protected:
    std::vector<TMOVIMENTO> rgm2017;
    std::vector<TMOVIMENTO> der2017;

    void SetUp() override {
        FlowTest::SetUp();
        setToday("15/03/2017");
        workingYear = "2017";
        TMOVIMENTO p = Production(Day(2017, 3, 10), 1000, 2250);
        p.ANNPRO.set("2017");
        p.NUMDOC.set("12");
        p.LITPRO = 1250.5;
        p.GRAPLA = 12.25;
        p.ACCISA = 475.1;
        p.PRODAZ.set("AMBRATA");
        PadMovement(p);
        TMOVIMENTO sent = Production(Day(2017, 3, 1), 0, 1000);
        sent.NUMFLU = 1;
        sent.DATFLU = Day(2017, 3, 2);
        TMOVIMENTO e = Tribute("E", "02", 1016.5);
        e.ANNPRO.set("2017");
        TMOVIMENTO r = Tribute("R", "01", 20);
        r.ANNPRO.set("2017");
        r.ETTOGR = 1.5;
        r.DATPEC = 0.25;
        r.ANNOTA.set("tardivo");
        rgm2017 = {Stored(sent, 1, 1), Stored(p, 2, 2),
                   Stored(Wash(Day(2017, 3, 11), 2250, 2260), 3, 3)};
        der2017 = {Stored(e, 1, 1), Stored(r, 2, 2)};
        WriteMovements(rgm(2017), rgm2017);
        WriteMovements(der(2017), der2017);
    }

    // The flow window, shown and active.
    std::unique_ptr<TFCREAFIRMAINVIAREGISTRO> openWindow() {
        auto w = std::make_unique<TFCREAFIRMAINVIAREGISTRO>(request());
        ShowActive(w.get());
        return w;
    }
    QString text(QWidget* w, const char* name) { return ControlAs<QLineEdit>(w, name)->text(); }
};

TEST_F(FlowWindow, OpensOnTodayWithTheNextNumberOfTheSignedFiles) {
    for (const char* name :
         {"ABCD0315.C01.p7m", "ABCD0315.C03.p7m", "ABCD0314.C07.p7m", "WXYZ0315.C09.p7m"})
        WriteFileBytes(signedFiles / name, "x");
    WriteFileBytes(toSign / "ABCD0315.C05", "created, never signed");
    WriteFileBytes(flussati(), "left over from another flow");
    auto w = openWindow();
    EXPECT_EQ(FocusName(), "DATFLU");
    EXPECT_EQ(text(w.get(), "DATFLU"), "15/03/2017");
    EXPECT_EQ(text(w.get(), "NUMFLU"), "4");
    EXPECT_EQ(text(w.get(), "LANNO"), "2017");
    EXPECT_EQ(ControlAs<QLabel>(w.get(), "LFLUSSO")->text().toStdString(), toSign.string() + "/");
    EXPECT_TRUE(ControlAs<QCheckBox>(w.get(), "CFIRMA")->isChecked());
    EXPECT_EQ(w->windowTitle(),
              "Crea il flusso - Firma - Invia nell'Ambiente Telematico della Dogana");
    // Another date proposes that day's next number.
    Retype(w.get(), "DATFLU", "14/03/2017");
    PressEnter(w.get());
    EXPECT_EQ(text(w.get(), "NUMFLU"), "8");
    EXPECT_EQ(FocusName(), "NUMFLU");
    // An impossible date keeps the focus.
    Retype(w.get(), "DATFLU", "31/02/2017");
    PressEnter(w.get());
    EXPECT_EQ(FocusName(), "DATFLU");
    EXPECT_EQ(copies().size(), 4u);  // FLUSSATI.DAT holds the listed records only
}

TEST_F(FlowWindow, ListsTheYearsUnsentRecordsAllTicked) {
    auto w = openWindow();
    EXPECT_EQ(ListTexts(w.get()),
              (QStringList{"Produzione del 10/03/2017 <INS>  doc.12 del 10/03/2017 Litri 1.250,5 "
                           "Gr. 12,25 Accise 475,1 AMBRATA",
                           "Lavaggio del 11/03/2017 <INS>  misuratore dal 2250 al 2260",
                           "2017 02 <INS>  Riepilogo accisa | Importo 1.016,50",
                           "2017 01 <INS>  Ravvedimento | Importo 20,00| Importo sanzione 1,50| "
                           "Importo interessi 0,25 | tardivo"}));
    auto* list = ControlAs<QListWidget>(w.get(), "CELENCO");
    for (int i = 0; i < list->count(); ++i) EXPECT_EQ(list->item(i)->checkState(), Qt::Checked);
    EXPECT_TRUE(SameBytes(copies(), {rgm2017[1], rgm2017[2], der2017[0], der2017[1]}));
    // "Nessuno" and "Tutti".
    Click(w.get(), "BNESSUNO");
    for (int i = 0; i < list->count(); ++i) EXPECT_EQ(list->item(i)->checkState(), Qt::Unchecked);
    Click(w.get(), "BTUTTI");
    for (int i = 0; i < list->count(); ++i) EXPECT_EQ(list->item(i)->checkState(), Qt::Checked);
    EXPECT_TRUE(seams.messages.shown().empty());
}

TEST_F(FlowWindow, CancellationsAndFutureDatesAreShown) {
    TMOVIMENTO cancellation = Stored(Production(Day(2017, 3, 20), 3000, 3100), 4, 4, " ", "C");
    cancellation.ANNPRO.set("2017");
    rgm2017.push_back(cancellation);
    WriteMovements(rgm(2017), rgm2017);
    auto w = openWindow();
    EXPECT_TRUE(ListTexts(w.get())[2].startsWith("Produzione del 20/03/2017 <CANCELLA>  doc."));
    EXPECT_EQ(seams.messages.texts(), QStringList{kFutureDates});
}

TEST_F(FlowWindow, AnotherYearIsListedAndBecomesTheWorkingYear) {
    WriteMovements(rgm(2016), {Stored(Wash(Day(2016, 5, 2), 10, 20), 1, 1)});
    auto w = openWindow();
    Retype(w.get(), "LANNO", "2061");
    PressEnter(w.get());
    EXPECT_EQ(FocusName(), "LANNO");
    EXPECT_EQ(ListTexts(w.get()).size(), 4);
    Retype(w.get(), "LANNO", "2016");
    PressEnter(w.get());
    EXPECT_EQ(ListTexts(w.get()),
              QStringList{"Lavaggio del 02/05/2016 <INS>  misuratore dal 10 al 20"});
    EXPECT_EQ(workingYear, "2016");
    EXPECT_EQ(copies().size(), 1u);
    EXPECT_TRUE(seams.messages.shown().empty());
}

TEST_F(FlowWindow, NothingTickedCreatesNothing) {
    WriteMovements(rgm(2017), {});
    WriteMovements(der(2017), {});
    auto w = openWindow();
    EXPECT_TRUE(ListTexts(w.get()).isEmpty());
    TypeFlow(w.get(), "15/03/2017", 1, true);
    EXPECT_TRUE(seams.messages.saw(kNothingSelected));
    EXPECT_EQ(FocusName(), "CELENCO");
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(FolderNames(toSign).empty());
    EXPECT_TRUE(seams.shell.started.empty());
}

TEST_F(FlowWindow, ANumberBelowOneOrAnUnusableUserCodeStopsTheConfirmation) {
    {
        auto w = openWindow();
        TypeFlow(w.get(), "15/03/2017", 0, true);
        EXPECT_EQ(FocusName(), "NUMFLU");
        EXPECT_TRUE(w->isVisible());
        EXPECT_TRUE(seams.messages.shown().empty());
    }
    TUTENTE company = GoldenCompany();
    company.CODUTE.set("../");
    WriteCompany(work.folders().companyFile(), company);
    auto w = openWindow();
    TypeFlow(w.get(), "15/03/2017", 1, true);
    EXPECT_EQ(seams.messages.texts(), QStringList{kUnusableUserCode});
    EXPECT_EQ(FocusName(), "DATFLU");
    PressEnter(w.get());
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(FolderNames(toSign).empty());
    EXPECT_TRUE(FolderNames(work.root() / "firma").size() == 2u);
}

TEST_F(FlowWindow, ASignedFileOfTheSameNameIsAnnouncedAndReplaced) {
    WriteFileBytes(signedFiles / "ABCD0315.C02.p7m", "old signature");
    WriteFileBytes(toSign / "ABCD0315.C02", std::string(5000, 'x'));  // a longer old flow
    auto w = openWindow();
    TypeFlowAndConfirm(w.get(), "15/03/2017", 2, true);
    EXPECT_EQ(seams.messages.texts(), QStringList{kSignedFileReplaced});
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(FolderNames(signedFiles).empty());
    // The old flow is replaced whole, never appended to.
    EXPECT_EQ(FolderNames(toSign), std::vector<std::string>{"ABCD0315.C02"});
    const std::string flow = FileBytes(toSign / "ABCD0315.C02");
    EXPECT_TRUE(flow.starts_with("ABCD            ABCD0315.C02")) << flow;
    EXPECT_EQ(flow.find('x'), std::string::npos);
    EXPECT_EQ(std::count(flow.begin(), flow.end(), '\n'), 6);
}

// A signed file that cannot even be told there or not (a link to itself) is reported: taken
// for missing, it would stay and pass for the signature of the new flow.
TEST_F(FlowWindow, ASignedFileThatCannotBeReachedIsReported) {
    fs::create_symlink("ABCD0315.C02.p7m", signedFiles / "ABCD0315.C02.p7m");
    auto w = openWindow();
    TypeFlow(w.get(), "15/03/2017", 2, true);
    ASSERT_EQ(seams.messages.shown().size(), 1u);
    EXPECT_EQ(seams.messages.shown()[0].severity, ui::Severity::Error);
    EXPECT_TRUE(seams.messages.texts()[0].contains("ABCD0315.C02.p7m"));
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(FocusName(), "DATFLU");
    EXPECT_TRUE(FolderNames(toSign).empty());
    EXPECT_TRUE(fs::is_symlink(signedFiles / "ABCD0315.C02.p7m"));
    EXPECT_TRUE(telematic.flowName.isEmpty());
}

TEST_F(FlowWindow, WithoutSigningTheRecordsLeaveTheListWithSigningTheyStay) {
    struct Case {
        bool sign;
        int listedAfter;
    } cases[] = {{true, 4}, {false, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sign);
        WriteMovements(rgm(2017), rgm2017);
        WriteMovements(der(2017), der2017);
        {
            auto w = openWindow();
            Untick(w.get(), {1});  // the wash stays unsent
            TypeFlowAndConfirm(w.get(), "15/03/2017", 5, c.sign);
            EXPECT_FALSE(w->isVisible());
        }
        auto again = openWindow();
        EXPECT_EQ(ListTexts(again.get()).size(), c.listedAfter);
        if (!c.sign) {
            EXPECT_TRUE(ListTexts(again.get())[0].startsWith("Lavaggio del 11/03/2017"));
        }
    }
}

TEST_F(FlowWindow, TheSigningProgramStartsThenTheTransmissionFollows) {
    struct Case {
        std::string program;
        bool starts;
        int transmissions;
        QStringList messages;
    } cases[] = {
        {"/opt/firma/FirmaVerifica", true, 1, {}},
        {"/opt/firma/FirmaVerifica",
         false,
         0,
         {SigningStartFailedMessage("/opt/firma/FirmaVerifica")}},
        {"", true, 1, {}},  // no signing program: the transmission window at once
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.program + (c.starts ? " starts" : " fails"));
        signingProgram = c.program;
        writeConfiguration();
        seams.shell.started.clear();
        seams.shell.succeed = c.starts;
        seams.messages.clear();
        int transmissions = 0;
        auto r = request();
        r.openTransmission = [&](QWidget* parent) {
            EXPECT_TRUE(parent->isVisible());
            ++transmissions;
        };
        TFCREAFIRMAINVIAREGISTRO w(r);
        ShowActive(&w);
        TypeFlowAndConfirm(&w, "15/03/2017", 1, true);
        EXPECT_FALSE(w.isVisible());
        EXPECT_EQ(transmissions, c.transmissions);
        EXPECT_EQ(seams.messages.texts(), c.messages);
        EXPECT_EQ(seams.shell.started.size(), c.program.empty() ? 0u : 1u);
        for (const auto& [program, arguments] : seams.shell.started) {
            EXPECT_EQ(program.toStdString(), c.program);
            EXPECT_TRUE(arguments.isEmpty());
        }
        EXPECT_EQ(FolderNames(toSign), std::vector<std::string>{"ABCD0315.C01"});
        EXPECT_TRUE(SameBytes(ScanMovements(rgm(2017)), rgm2017));
    }
}

TEST_F(FlowWindow, AFolderThatCannotBeWrittenStopsBeforeAnyMarking) {
    fs::remove_all(toSign);
    auto w = openWindow();
    TypeFlowAndConfirm(w.get(), "15/03/2017", 1, false);
    ASSERT_EQ(seams.messages.shown().size(), 1u);
    EXPECT_EQ(seams.messages.shown()[0].severity, ui::Severity::Error);
    EXPECT_TRUE(seams.messages.texts()[0].contains("ABCD0315.C01"));
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(SameBytes(ScanMovements(rgm(2017)), rgm2017));
    EXPECT_TRUE(SameBytes(ScanMovements(der(2017)), der2017));
    for (const auto& copy : copies()) EXPECT_EQ(copy.NUMFLU, 0);
    EXPECT_TRUE(telematic.flowName.isEmpty());
}

}  // namespace
}  // namespace braxol
