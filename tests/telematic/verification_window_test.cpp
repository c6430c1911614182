// The verification window as the user works it: the records of a flow listed by date and
// number, CONFERMA fetching the outcome from the real environment into ESITO, the window
// left during a slow call, and the whole road against the training service over HTTPS:
// upload of a signed flow, then its outcome fetched by the window, with basic authentication
// only for the "-00" user names.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTimer>
#include <filesystem>

#include "net/soap_endpoints.h"
#include "scripted_transport.h"
#include "sim_server.h"
#include "store/config_files.h"
#include "store/safe_file.h"
#include "support/cms/cms_signing.h"
#include "support/configuration.h"
#include "support/qt/scripted_seams.h"
#include "support/qt/widget_helpers.h"
#include "support/record_builders.h"
#include "support/temp_folder.h"
#include "telematic/soap_customs.h"
#include "telematic/soap_upload.h"
#include "telematic/verification_window.h"

namespace braxol::telematic {
namespace {

using namespace braxol::test;
namespace fs = std::filesystem;

const QString kWait = QStringLiteral(
    "Tentativo di prelievo esito senza risposta, attendi qualche secondo prima di fare il "
    "prossimo tentativo");

class VerificationWindow : public ::testing::Test {
protected:
    TempWorkFolder work;
    ScriptedSeams seams;
    TUTENTE company = BlankTutente();
    QString workingYear = "2025";
    TelematicState shared;
    const double flowDay = Day(2025, 3, 15);

    VerificationWindow() {
        WriteConfiguration(work.folders());
        company.CODUTE.set("ABCD");
        company.INDIR2.set("ABCDUSER");
        company.CITTA2.set("Segreta.2025");
        TrimTutente(company);
        // Flow 3 of 15/03/2025: a production, a wash stamped with a time of day, a record E and
        // a record R; a wash stamped too late in the day, flow 2 and an unsent record around
        // them.
        auto flow = [](TMOVIMENTO r, double date, int number) {
            r.DATFLU = date;
            r.NUMFLU = number;
            return r;
        };
        TMOVIMENTO production = Stored(Production(Day(2025, 3, 14), 100, 1100), 1, 1);
        production.NUMDOC.set("12");
        production.ACCISA = 358.8;
        WriteMovements(work.registri("2025.RGM"),
                       {flow(production, flowDay, 3),
                        flow(Stored(Wash(Day(2025, 3, 14), 1100, 1150), 2, 2), flowDay + 0.09, 3),
                        flow(Stored(Wash(Day(2025, 3, 14), 1150, 1160), 7, 5), flowDay + 0.11, 3),
                        flow(Stored(Wash(Day(2025, 3, 13), 1050, 1100), 3, 3), flowDay, 2),
                        Stored(Wash(Day(2025, 3, 15), 1150, 1200), 4, 4)});
        TMOVIMENTO r = Stored(Tribute("R", "01", 100), 6, 2);
        r.ETTOGR = 3.75;
        r.DATPEC = 0.5;
        r.ANNOTA.set("pagato tardi");
        WriteMovements(work.registri("2025.DER"),
                       {flow(Stored(Tribute("E", "02", 717.6), 5, 1, " ", "C"), flowDay, 3),
                        flow(r, flowDay, 3)});
    }

    VerificationContext Context(TransportFactory transports = {}) {
        return {work.folders(), company, workingYear, shared, std::move(transports)};
    }
    static QStringList Rows(QWidget* window) {
        QStringList rows;
        auto* list = ControlAs<QListWidget>(window, "MOVIMENTI");
        for (int i = 0; i < list->count(); ++i) rows << list->item(i)->text();
        return rows;
    }
    static QString Outcome(QWidget* window) {
        return ControlAs<QPlainTextEdit>(window, "ESITO")->toPlainText();
    }
};

TEST_F(VerificationWindow, OpensOnTodayWithNothingListed) {
    TFVERIFICA_FLUSSO window(Context());
    ShowActive(&window);
    EXPECT_EQ(window.windowTitle(), "Verifica l'esito di invio di un flusso in ambiente reale");
    EXPECT_EQ(ControlAs<QLineEdit>(&window, "LANNO")->text(), "2025");
    EXPECT_EQ(ControlAs<QLineEdit>(&window, "MDARI")->text(), "15/03/2025");
    EXPECT_EQ(ControlAs<QLineEdit>(&window, "INUCO")->text(), "");
    EXPECT_TRUE(Rows(&window).isEmpty());
    EXPECT_EQ(FocusName(), "MDARI");
    // Untouched, CONFERMA only goes back to the date.
    Click(&window, "BCONF");
    EXPECT_EQ(FocusName(), "MDARI");
    EXPECT_TRUE(shared.flowName.isEmpty());
}

TEST_F(VerificationWindow, ListsTheRecordsOfTheFlowNumberedFromTwo) {
    TFVERIFICA_FLUSSO window(Context());
    ShowActive(&window);
    PressEnter(&window);
    TypeThenEnter(&window, "3");
    EXPECT_EQ(
        Rows(&window),
        QStringList({"2 | Produzione del 14/03/2025 <INS>  Num.12 Litri 1.000 Gr. 12,5 Accise "
                     "358,8 BIONDA",
                     "3 | Lavaggio del 14/03/2025 <INS>  misuratore dal 1100 al 1150",
                     "4 | 2025 02 C Riepilogo accisa | Importo 717,60",
                     "5 | 2025 01 I Ravvedimento | Importo 100,00| Importo sanzione 3,75| "
                     "Importo interessi 0,50 | pagato tardi"}));

    // Another number, another date, then a number that is no flow.
    Retype(&window, "INUCO", "2");
    PressEnter(&window);
    EXPECT_EQ(Rows(&window).size(), 1);
    Retype(&window, "MDARI", "16/03/2025");
    PressEnter(&window);
    EXPECT_TRUE(Rows(&window).isEmpty());
    Retype(&window, "INUCO", "0");
    PressEnter(&window);
    EXPECT_EQ(FocusName(), "INUCO");
    EXPECT_TRUE(Rows(&window).isEmpty());
}

TEST_F(VerificationWindow, AnotherYearBecomesTheWorkingYear) {
    TFVERIFICA_FLUSSO window(Context());
    ShowActive(&window);
    Retype(&window, "INUCO", "3");
    PressEnter(&window);
    ASSERT_EQ(Rows(&window).size(), 4);
    Retype(&window, "LANNO", "2024");
    PressEnter(&window);
    EXPECT_EQ(workingYear, "2024");
    EXPECT_TRUE(Rows(&window).isEmpty());
    EXPECT_TRUE(fs::exists(work.registri("2024.RGM")));
    Retype(&window, "LANNO", "1999");
    PressEnter(&window);
    EXPECT_EQ(FocusName(), "LANNO");
    EXPECT_EQ(workingYear, "2024");
}

TEST_F(VerificationWindow, ConfirmFetchesTheOutcomeFromTheRealEnvironment) {
    ScriptedTransport* script = nullptr;
    std::optional<Environment> asked;
    TFVERIFICA_FLUSSO window(Context([&](Environment environment) {
        asked = environment;
        auto transport = std::make_unique<ScriptedTransport>(work.folders().temp);
        transport->plan({net::SoapFailure::None,
                         "BRAXOLIT00BGA00123X000000002025000000000070\r\n Eriga 5: errata\r\n"});
        script = transport.get();
        return transport;
    }));
    ShowActive(&window);
    Retype(&window, "INUCO", "3");
    PressEnter(&window);
    Click(&window, "BCONF");

    EXPECT_EQ(asked, Environment::Real);
    EXPECT_EQ(shared.environment, Environment::Real);
    EXPECT_EQ(shared.flowName, "ABCD0315.C03");
    EXPECT_EQ(Outcome(&window),
              "N° REGISTRAZIONE DEL FILE: 202500000000007\nESITO POSITIVO\n"
              "ERRORE SCARTATO: riga 5: errata\n");
    EXPECT_EQ(FocusName(), "ESITO");
    EXPECT_TRUE(seams.messages.shown().empty());
    // Going back to the number clears the outcome.
    FocusOn(&window, "INUCO");
    EXPECT_EQ(Outcome(&window), "");
    (void)script;
}

TEST_F(VerificationWindow, ANumberBeyondTwoDigitsMakesNoFlowName) {
    int calls = 0;
    TFVERIFICA_FLUSSO window(Context([&](Environment) {
        ++calls;
        return std::make_unique<ScriptedTransport>(work.folders().temp);
    }));
    ShowActive(&window);
    Retype(&window, "INUCO", "100");
    PressEnter(&window);
    Click(&window, "BCONF");
    EXPECT_EQ(FocusName(), "INUCO");
    EXPECT_EQ(calls, 0);
}

// The service's addresses that cannot even be told there or not (a link to itself) are
// reported as any other input/output error, and nothing is asked.
TEST_F(VerificationWindow, AddressesThatCannotBeReachedAreReported) {
    const fs::path addresses = work.folders().inDatiGen(net::kEndpointsFileName);
    fs::create_symlink(addresses.filename(), addresses);
    TFVERIFICA_FLUSSO window(Context());
    ShowActive(&window);
    Retype(&window, "INUCO", "3");
    PressEnter(&window);
    Click(&window, "BCONF");
    ASSERT_EQ(seams.messages.shown().size(), 1u);
    EXPECT_EQ(seams.messages.shown()[0].severity, ui::Severity::Error);
    EXPECT_TRUE(seams.messages.texts()[0].contains(net::kEndpointsFileName));
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(fs::is_symlink(addresses));
}

// The training service on 127.0.0.1 as the real environment of WEBSERVICE.CFG.
class VerificationRoad : public VerificationWindow {
protected:
    std::unique_ptr<sim::DoganaSimulator> sim;

    void Start(const std::string& user = {}, const std::string& password = {}, int delayMs = 0) {
        sim::SimOptions options;
        options.folder = work.root() / "sim";
        options.user = user;
        options.password = password;
        options.delayMs = delayMs;
        sim = std::make_unique<sim::DoganaSimulator>(options);
        sim->start();
        net::WriteEndpoints(work.folders(),
                            {QString::fromStdString(sim->address()), "https://127.0.0.1:1/x",
                             QString::fromStdString(sim->certificates().authority.string())});
    }
    // The signing program's output, uploaded as the transmission window uploads it.
    UploadResult Upload(Environment environment) {
        const std::string flow = FileBytes(fs::path(BRAXOL_SIM_GOLDEN) / "ABCD0315.C01");
        const fs::path signedFile = work.root() / "ABCD0315.C01.p7m";
        ReplaceFileContent(signedFile, SignForTest(flow));
        auto transport = NetworkTransports(work.folders(), company)(environment);
        return UploadSignedFile(*transport, signedFile, nullptr);
    }
    void FetchFlowOne(TFVERIFICA_FLUSSO& window) {
        ShowActive(&window);
        Retype(&window, "INUCO", "1");
        PressEnter(&window);
        Click(&window, "BCONF");
    }
};

TEST_F(VerificationRoad, AnUploadedFlowsOutcomeIsFetchedAndShown) {
    Start();
    const UploadResult upload = Upload(Environment::Real);
    ASSERT_TRUE(upload.taken) << upload.answer.toStdString();
    EXPECT_EQ(UploadAnswerText(upload),
              "risposta del webservice: File ABCD0315.C01.p7m acquisito con successo");

    TFVERIFICA_FLUSSO window(Context());
    FetchFlowOne(window);
    EXPECT_TRUE(Outcome(&window).contains(
        QRegularExpression("^N° REGISTRAZIONE DEL FILE: \\d{15}\nESITO POSITIVO\n")))
        << Outcome(&window).toStdString();
    EXPECT_TRUE(Outcome(&window).contains(
        "ESITO POSITIVO\nACCETTATO CON SEGNALAZIONI: riga 4: produzione con accisa pari a zero"));
    EXPECT_EQ(sim->lastRequest()->soapAction, "\"get\"");
    EXPECT_NE(sim->lastRequest()->body.find(">ABCD0315.J01<"), std::string::npos);
    EXPECT_FALSE(sim->lastRequest()->authorization);
    EXPECT_TRUE(seams.messages.shown().empty());
}

TEST_F(VerificationRoad, CredentialsGoOutOnlyForTheDashZeroZeroUserNames) {
    Start("ABCD-00PROVA", "Segreta.2025");
    // An ordinary user name sends none: the guarded service refuses, and the window says so.
    EXPECT_FALSE(Upload(Environment::Real).taken);
    EXPECT_EQ(seams.messages.texts(),
              QStringList({QString::fromUtf8(
                  "Errore di connessione, verifica la disponibilità del sito delle dogane")}));
    EXPECT_FALSE(sim->lastRequest()->authorization);

    seams.messages.clear();
    company.INDIR2.set("ABCD-00PROVA");
    ASSERT_TRUE(Upload(Environment::Real).taken);
    EXPECT_TRUE(sim->lastRequest()->authorization);
    TFVERIFICA_FLUSSO window(Context());
    FetchFlowOne(window);
    EXPECT_TRUE(Outcome(&window).contains("ESITO POSITIVO"));
    EXPECT_TRUE(seams.messages.shown().empty());
}

TEST_F(VerificationRoad, AnUnreachableServiceLeavesTheTwoLinesAfterItsMessage) {
    Start();
    net::WriteEndpoints(work.folders(), {"https://127.0.0.1:1/x", "https://127.0.0.1:1/x", ""});
    TFVERIFICA_FLUSSO window(Context());
    FetchFlowOne(window);
    EXPECT_EQ(seams.messages.texts(), QStringList({kWait}));
    EXPECT_TRUE(
        Outcome(&window).startsWith(" -- DETTAGLI NON PERVENUTI DAL WEBSERVICE -- \n"
                                    "    Usa la funzione INTERROGAZIONE"));
}

TEST_F(VerificationRoad, LeavingDuringASlowCallEndsIt) {
    Start({}, {}, 10000);
    TFVERIFICA_FLUSSO window(Context());
    int repaints = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        ++repaints;
        if (repaints == 10 && window.fetching()) Click(&window, "BABBANDONA");
    });
    ticker.start(20);
    FetchFlowOne(window);
    EXPECT_GE(repaints, 10);
    EXPECT_FALSE(window.fetching());
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Rejected);
    EXPECT_TRUE(seams.messages.shown().empty());
}

}  // namespace
}  // namespace braxol::telematic
