// The transmission window as the user works it, against two training services on 127.0.0.1
// standing for the test and the real environment: the wait for the signed file (which never
// blocks and ends at once when the window is left), the checks before sending, the three ways
// of sending in their order, the outcome shown, and the records of the flow marked only after
// a real sending that is not negative or a sending by hand. Then each way it can fail.

#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QLabel>
#include <QRadioButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <memory>

#include "flow_test_support.h"
#include "net/soap_endpoints.h"
#include "scripted_transport.h"
#include "setup/password_window.h"
#include "sim_server.h"
#include "store/movements.h"
#include "store/safe_file.h"
#include "support/cms/cms_signing.h"
#include "support/qt/next_modal.h"
#include "support/training_services.h"
#include "telematic/flow_file.h"
#include "telematic/flow_messages.h"
#include "telematic/transmission_window.h"

namespace braxol::test {
namespace {

using telematic::Environment;
using telematic::kAlreadySent;
using telematic::kFileHasErrors;
using telematic::kNoEnvironment;
using telematic::kNotSigned;
using telematic::kSendToReal;
using telematic::TFTELEMATICO;

const QString kConnection =
    QStringLiteral("Errore di connessione, verifica la disponibilità del sito delle dogane");
const QString kFlowName = QStringLiteral("ABCD0320.C01");

class Transmission : public FlowTest {
protected:
    std::unique_ptr<TrainingServices> services;
    sim::DoganaSimulator* testSim = nullptr;
    sim::DoganaSimulator* realSim = nullptr;
    std::vector<TMOVIMENTO> registers;
    std::vector<TMOVIMENTO> tributes;
    std::vector<TMOVIMENTO> listed;  // FLUSSATI.DAT: every record listed, the chosen stamped
    std::string flowBytes;
    const double flowDay = Day(2025, 3, 20);

    void SetUp() override {
        FlowTest::SetUp();
        setToday("20/03/2025");
        TMOVIMENTO first = Stored(Production(Day(2025, 3, 10), 1000, 2250), 1, 1);
        first.ACCISA = 475;
        TMOVIMENTO second = Stored(Production(Day(2025, 3, 14), 2250, 3000), 2, 2);
        second.ACCISA = 285;
        registers = {first, second, Stored(Wash(Day(2025, 3, 14), 3000, 3010), 3, 3),
                     Stored(Wash(Day(2025, 3, 15), 3010, 3020), 4, 4)};
        TMOVIMENTO e = Tribute("E", "02", 760);
        e.ANNPRO.set("2025");
        e.MITDES.set("1411");
        PadMovement(e);
        tributes = {Stored(e, 1, 1)};
        WriteMovements(rgm(2025), registers);
        WriteMovements(der(2025), tributes);

        // The flow as the flow window leaves it: every record but the last wash chosen.
        std::vector<TMOVIMENTO> chosen;
        for (const auto* file : {&registers, &tributes})
            for (TMOVIMENTO copy : *file) {
                if (copy.NUMOPE != 4 || copy.TIPREC == "E") {
                    copy.DATFLU = flowDay;
                    copy.NUMFLU = 1;
                    chosen.push_back(copy);
                }
                listed.push_back(copy);
            }
        const auto flow = telematic::BuildMovementFlow(
            ReadCompany(work.folders().companyFile()).value(), chosen, flowDay, 1);
        telematic::WriteFlowFile(toSign, flow);
        flowBytes = flow.bytes;
        WriteMovements(flussati(), listed);
        telematic.flowKind = 'C';
        telematic.flowName = kFlowName;
        telematic.signedFilePath = QString::fromStdString(signedFile().string());
        telematic.flowDate = flowDay;
        telematic.flowNumber = 1;
        telematic.flowYear = 2025;

        services = std::make_unique<TrainingServices>(work.root());
        testSim = &services->test();
        realSim = &services->real();
        net::WriteEndpoints(work.folders(), services->endpoints());
    }

    fs::path signedFile() const { return signedFiles / (kFlowName.toStdString() + ".p7m"); }
    void sign() { ReplaceFileContent(signedFile(), SignForTest(flowBytes)); }

    telematic::TransmissionContext context(telematic::TransportFactory transports = {}) {
        return {work.folders(),
                ReadConfigRecord(work.folders().applFile()),
                ReadConfigRecord(work.folders().webFile()),
                telematic,
                std::move(transports),
                {}};
    }
    std::unique_ptr<TFTELEMATICO> openWindow(telematic::TransportFactory transports = {}) {
        auto w = std::make_unique<TFTELEMATICO>(context(std::move(transports)));
        ShowActive(w.get());
        return w;
    }

    // The records of the flow that carry its stamp on disk.
    int marked() const {
        int n = 0;
        for (const auto& file : {rgm(2025), der(2025)})
            for (const TMOVIMENTO& r : ScanMovements(file))
                n += r.NUMFLU == 1 && r.DATFLU == flowDay;
        return n;
    }
    static QString Details(QWidget* w) { return ControlAs<QTextEdit>(w, "RICHED")->toPlainText(); }
    // A click on the round button of the choice.
    static void Choose(QWidget* w, const QString& radio) {
        if (radio.isEmpty()) return;
        auto* button = ControlAs<QRadioButton>(w, radio);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
        ASSERT_TRUE(button->isChecked()) << radio.toStdString();
    }
};

TEST_F(Transmission, WaitsForTheSignatureWithoutBlockingThenOffersTheWays) {
    auto w = openWindow();
    EXPECT_EQ(w->windowTitle(), "SERVIZIO TELEMATICO DOGANALE - TRASMISSIONE FILE");
    EXPECT_TRUE(w->waiting());
    EXPECT_EQ(FocusName(), "RICHED");
    EXPECT_EQ(ControlAs<QLabel>(w.get(), "Label4")->text(),
              QString::fromStdString(signedFile().string()) + " - 1");
    for (const char* hidden : {"GAMBIENTE", "Label1", "Label2"})
        EXPECT_FALSE(Control(w.get(), hidden)->isVisible()) << hidden;
    for (const char* shown : {"BFIRMA", "Label3", "Label4"})
        EXPECT_TRUE(Control(w.get(), shown)->isVisible()) << shown;

    // The buttons work during the wait: the signing program again, and CONFERMA says why not.
    Click(w.get(), "BFIRMA");
    ASSERT_EQ(seams.shell.started.size(), 1u);
    EXPECT_EQ(seams.shell.started[0].first.toStdString(), signingProgram);
    Click(w.get(), "BCONF");
    EXPECT_EQ(seams.messages.texts(), QStringList{kNotSigned});
    EXPECT_EQ(FocusName(), "RICHED");

    sign();
    EXPECT_TRUE(QTest::qWaitFor([&] { return w->fileSigned(); }, 10000));
    EXPECT_FALSE(w->waiting());
    EXPECT_EQ(ControlAs<QLabel>(w.get(), "Label2")->text(), kFlowName);
    for (const char* shown : {"GAMBIENTE", "Label1", "Label2"})
        EXPECT_TRUE(Control(w.get(), shown)->isVisible()) << shown;
    for (const char* hidden : {"BFIRMA", "Label3", "Label4"})
        EXPECT_FALSE(Control(w.get(), hidden)->isVisible()) << hidden;
    for (const char* radio : {"RPROVA", "RREALE", "RSITO"})
        EXPECT_FALSE(ControlAs<QRadioButton>(w.get(), radio)->isChecked()) << radio;

    // No way chosen yet.
    seams.messages.clear();
    Click(w.get(), "BCONF");
    EXPECT_EQ(seams.messages.texts(), QStringList{kNoEnvironment});
    EXPECT_EQ(FocusName(), "RPROVA");
    EXPECT_EQ(testSim->requests() + realSim->requests(), 0);
}

// A signed file that cannot be looked for is told once, with its name, and the wait goes on
// until the signature can be seen.
TEST_F(Transmission, ASignedFileThatCannotBeLookedForIsToldOnce) {
    fs::create_symlink(signedFile(), signedFile());  // a loop of links
    auto w = openWindow();
    ASSERT_EQ(seams.messages.texts().size(), 1);
    EXPECT_TRUE(seams.messages.texts()[0].contains(QString::fromStdString(signedFile().string())));
    EXPECT_TRUE(w->waiting());
    fs::remove(signedFile());
    sign();
    EXPECT_TRUE(QTest::qWaitFor([&] { return w->fileSigned(); }, 10000));
    EXPECT_EQ(seams.messages.texts().size(), 1);
}

TEST_F(Transmission, LeavingOrClosingEndsTheWaitAtOnce) {
    for (const bool close : {false, true}) {
        auto w = openWindow();
        ASSERT_TRUE(w->waiting());
        if (close)
            w->close();
        else
            Click(w.get(), "BABBANDONA");
        EXPECT_FALSE(w->isVisible());
        EXPECT_FALSE(w->waiting());
        EXPECT_EQ(w->result(), QDialog::Rejected);
    }
}

// The road: to the test environment, the question accepted, to the real one in the same
// press; the records of the flow marked, the wash left out of it not.
TEST_F(Transmission, TestThenRealInOnePressMarksTheFlow) {
    sign();
    auto w = openWindow();
    ASSERT_TRUE(w->fileSigned());
    Choose(w.get(), "RPROVA");
    seams.messages.planAnswer(ui::Answer::Ok);
    Click(w.get(), "BCONF");

    EXPECT_EQ(seams.messages.texts(), QStringList{kSendToReal});
    EXPECT_EQ(testSim->requests(), 2);  // put, get
    EXPECT_EQ(realSim->requests(), 2);
    EXPECT_NE(realSim->lastRequest()->body.find(">ABCD0320.J01.p7m<"), std::string::npos);
    EXPECT_TRUE(ControlAs<QRadioButton>(w.get(), "RREALE")->isChecked());
    EXPECT_EQ(telematic.environment, Environment::Real);
    EXPECT_TRUE(w->sent());
    const QString details = Details(w.get());
    EXPECT_TRUE(
        details.startsWith("risposta del webservice: File ABCD0320.C01.p7m acquisito con successo\n"
                           "N° REGISTRAZIONE DEL FILE: "))
        << details.toStdString();
    EXPECT_TRUE(details.contains("\nESITO POSITIVO\n")) << details.toStdString();
    EXPECT_TRUE(details.endsWith("Movimenti registrati come inviati con il flusso ABCD0320.C01: 4"))
        << details.toStdString();
    EXPECT_EQ(FocusName(), "RICHED");

    auto expected = [&](std::vector<TMOVIMENTO> records, std::size_t leftOut) {
        for (std::size_t i = 0; i < records.size(); ++i)
            if (i != leftOut) {
                records[i].DATFLU = flowDay;
                records[i].NUMFLU = 1;
            }
        return records;
    };
    EXPECT_TRUE(SameBytes(ScanMovements(rgm(2025)), expected(registers, 3)));
    EXPECT_TRUE(SameBytes(ScanMovements(der(2025)), expected(tributes, 99)));

    // Once sent, never again from this window; EDI asks the real environment's site.
    seams.messages.clear();
    Click(w.get(), "BCONF");
    EXPECT_EQ(seams.messages.texts(), QStringList{kAlreadySent});
    EXPECT_EQ(realSim->requests(), 2);
    Click(w.get(), "BEDI");
    EXPECT_EQ(seams.shell.opened, QStringList{"https://reale.example/"});
}

struct FailureCase {
    const char* what;
    const char* radio;
    sim::Fault testFault = sim::Fault::None;
    sim::Fault realFault = sim::Fault::None;
    std::vector<ui::Answer> answers;
    QStringList messages;
    int marked = 0;
    bool sent = false;
    const char* details = "";  // the start of RICHED
    int realRequests = 0;
};

TEST_F(Transmission, EachWayItFails) {
    const QString refused =
        "risposta del webservice: RIFIUTATO: il file ABCD0320.C01.p7m non è "
        "stato acquisito (invio rifiutato dal simulatore)";
    const FailureCase cases[] = {
        {"test refused",
         "RPROVA",
         sim::Fault::Refuse,
         {},
         {},
         {},
         0,
         false,
         "risposta del webservice: RIFIUTATO"},
        {"real refused",
         "RREALE",
         {},
         sim::Fault::Refuse,
         {},
         {},
         0,
         false,
         "risposta del webservice: RIFIUTATO",
         1},
        {"real HTTP 500",
         "RREALE",
         {},
         sim::Fault::Http500,
         {},
         {kConnection},
         0,
         false,
         "risposta del webservice: ERRORE",
         1},
        {"test SOAP fault",
         "RPROVA",
         sim::Fault::SoapFault,
         {},
         {},
         {kConnection},
         0,
         false,
         "risposta del webservice: ERRORE"},
        {"test negative",
         "RPROVA",
         sim::Fault::Discard,
         {},
         {},
         {kFileHasErrors},
         0,
         false,
         "risposta del webservice: File ABCD0320.C01.p7m acquisito con successo"},
        {"test accepted, real declined",
         "RPROVA",
         {},
         {},
         {ui::Answer::No},
         {kSendToReal},
         0,
         false,
         "risposta del webservice: File"},
        {"real negative",
         "RREALE",
         {},
         sim::Fault::Discard,
         {},
         {},
         0,
         true,
         "risposta del webservice: File",
         2},
        {"real without outcome",
         "RREALE",
         {},
         sim::Fault::NoAttachment,
         {},
         {},
         0,
         true,
         "risposta del webservice: File",
         2},
        {"by hand", "RSITO", {}, {}, {}, {}, 4, false, "Movimenti registrati come inviati"},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.what);
        WriteMovements(rgm(2025), registers);
        WriteMovements(der(2025), tributes);
        testSim->setFault(c.testFault);
        realSim->setFault(c.realFault);
        const int realBefore = realSim->requests();
        const int testBefore = testSim->requests();
        seams.messages.clear();
        seams.shell.opened.clear();
        for (ui::Answer a : c.answers) seams.messages.planAnswer(a);
        sign();
        auto w = openWindow();
        Choose(w.get(), c.radio);
        Click(w.get(), "BCONF");

        EXPECT_EQ(seams.messages.texts(), c.messages);
        EXPECT_EQ(marked(), c.marked);
        EXPECT_EQ(w->sent(), c.sent);
        EXPECT_TRUE(Details(w.get()).startsWith(c.details)) << Details(w.get()).toStdString();
        EXPECT_EQ(realSim->requests() - realBefore, c.realRequests);
        if (QString(c.radio) == "RSITO") {
            EXPECT_EQ(seams.shell.opened, QStringList{"https://reale.example/"});
            EXPECT_EQ(testSim->requests() - testBefore, 0);
        }
        if (c.what == std::string("test refused")) {
            EXPECT_EQ(Details(w.get()), refused);
        }
        if (c.what == std::string("real without outcome")) {
            EXPECT_TRUE(Details(w.get()).contains(
                " -- DETTAGLI NON PERVENUTI DAL WEBSERVICE -- \n"
                "    Interroga il sistema telematico doganale E.D.I. per l'esito. "));
        }
        if (c.what == std::string("real negative")) {
            EXPECT_TRUE(Details(w.get()).contains("ESITO NEGATIVO - SCARTATO"));
            EXPECT_TRUE(Details(w.get()).contains(
                "ERRORE SCARTATO: flusso scartato su richiesta del simulatore"));
        }
        // What the next press says: sent flows are never sent again; the others may be.
        seams.messages.clear();
        realSim->setFault(sim::Fault::Refuse);
        testSim->setFault(sim::Fault::Refuse);
        if (QString(c.radio) != "RSITO") {
            Click(w.get(), "BCONF");
            EXPECT_EQ(seams.messages.texts().value(0) == kAlreadySent, c.sent);
        }
    }
}

// Leaving the window while the service is slow to answer ends the call: nothing is marked,
// nothing more is asked.
TEST_F(Transmission, LeavingDuringASlowSendingEndsIt) {
    sign();
    realSim->setDelay(10000);
    auto w = openWindow();
    Choose(w.get(), "RREALE");
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        if (++ticks == 10 && w->sending()) Click(w.get(), "BABBANDONA");
    });
    ticker.start(20);
    Click(w.get(), "BCONF");
    EXPECT_GE(ticks, 10);
    EXPECT_FALSE(w->sending());
    EXPECT_FALSE(w->isVisible());
    EXPECT_FALSE(w->sent());
    EXPECT_EQ(marked(), 0);
    EXPECT_TRUE(seams.messages.shown().empty()) << seams.messages.texts().join("|").toStdString();
}

// Three attempts at the outcome, each failure told; the flow stays unmarked.
TEST_F(Transmission, AnOutcomeThatCannotBeFetchedIsAskedThreeTimes) {
    sign();
    int calls = 0;
    auto w = openWindow([&](Environment) {
        auto t = std::make_unique<ScriptedTransport>(work.folders().temp);
        if (calls++ == 0)
            t->plan({net::SoapFailure::None, std::nullopt, "File acquisito con successo"});
        else
            for (int i = 0; i < 3; ++i) t->plan({net::SoapFailure::Connection, std::nullopt});
        return t;
    });
    Choose(w.get(), "RREALE");
    Click(w.get(), "BCONF");
    EXPECT_EQ(seams.messages.texts(),
              QStringList({"Tentativo di connessione N. 1, verifica la disponibilità del sito "
                           "delle dogane",
                           "Tentativo di connessione N. 2, verifica la disponibilità del sito "
                           "delle dogane",
                           "Tentativo di connessione N. 3, verifica la disponibilità del sito "
                           "delle dogane"}));
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(marked(), 0);
    EXPECT_TRUE(w->sent());
}

TEST_F(Transmission, PrintsTheDetailsUnderTheFlowName) {
    sign();
    auto w = openWindow();
    Choose(w.get(), "RSITO");
    Click(w.get(), "BCONF");
    seams.print.pdfPath = QString::fromStdString((work.root() / "dettagli.pdf").string());
    Click(w.get(), "BSTAMPA");
    EXPECT_EQ(seams.print.asked, 1);
    const std::string pdf = FileBytes(work.root() / "dettagli.pdf");
    ASSERT_FALSE(pdf.empty());
    // The flow name is the document's title (UTF-16 in the document's information).
    std::string title = "/Title (\xFE\xFF";
    for (char c : kFlowName.toStdString()) title += std::string(1, '\0') + c;
    EXPECT_NE(pdf.find(title + ")"), std::string::npos);
    // A cancelled printer dialog prints nothing.
    seams.print.accept = false;
    fs::remove(work.root() / "dettagli.pdf");
    Click(w.get(), "BSTAMPA");
    EXPECT_FALSE(fs::exists(work.root() / "dettagli.pdf"));
}

// The password window opens over this one; EDI before any sending asks the test site.
TEST_F(Transmission, PasswordAndEdiButtons) {
    auto w = openWindow();
    NextModal<setup::TFCAMBIAPSW> password([](setup::TFCAMBIAPSW* p) { p->reject(); });
    Click(w.get(), "BPSW");
    EXPECT_EQ(password.opened(), 1);
    EXPECT_TRUE(w->isVisible());
    Click(w.get(), "BEDI");
    EXPECT_EQ(seams.shell.opened, QStringList{"https://prova.example/"});
}

// A request flow is marked by the register requests, not from FLUSSATI.DAT.
TEST_F(Transmission, ARequestFlowIsMarkedByItsOwnRule) {
    telematic.flowKind = 'R';
    sign();
    int requestMarks = 0;
    auto c = context();
    c.requestFlows.markSent = [&](QWidget* parent) {
        EXPECT_EQ(parent->objectName(), "FTELEMATICO");
        ++requestMarks;
    };
    TFTELEMATICO w(c);
    ShowActive(&w);
    Choose(&w, "RSITO");
    Click(&w, "BCONF");
    EXPECT_EQ(requestMarks, 1);
    EXPECT_EQ(marked(), 0);
}

}  // namespace
}  // namespace braxol::test
