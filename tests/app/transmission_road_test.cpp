// The whole road, as a new brewer walks it on one machine without internet, from the menu and
// by keyboard: the company set up, the signing stand-in (braxol-firma) as the signing program
// and the training customs service (two of them on 127.0.0.1, the test and the real
// environment) as the customs web service; two productions, a wash and a record E entered;
// the flow created and signed, sent to the test environment, the question accepted, sent to
// the real one; every record of the flow stamped with its date and number. Then the
// verification window fetches its positive outcome, the detach window ("SI") makes the records
// sendable again, and the flow window lists them.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextEdit>
#include <functional>

#include "app/main_window.h"
#include "app/startup.h"
#include "menu_work.h"
#include "production/brew_fixture.h"
#include "production/production_window.h"
#include "production/wash_window.h"
#include "road_fixture.h"
#include "setup/company_window.h"
#include "setup/paths_window.h"
#include "setup/web_window.h"
#include "sim_server.h"
#include "store/config_files.h"
#include "store/movements.h"
#include "store/paths.h"
#include "store/tables.h"
#include "support/qt/next_modal.h"
#include "support/qt/widget_helpers.h"
#include "support/record_builders.h"
#include "support/temp_folder.h"
#include "telematic/detach_window.h"
#include "telematic/flow_window.h"
#include "telematic/transmission_window.h"
#include "telematic/verification_window.h"
#include "tributes/excise_window.h"

namespace braxol {
namespace {

using namespace braxol::test;
namespace fs = std::filesystem;

QStringList ListTexts(QWidget* window, const char* list) {
    QStringList texts;
    auto* l = ControlAs<QListWidget>(window, list);
    for (int i = 0; i < l->count(); ++i) texts << l->item(i)->text();
    return texts;
}

class TransmissionRoad : public RoadTest {};

TEST_F(TransmissionRoad, FromTheEntriesToTheStampedFlowAndBack) {
    ASSERT_NO_FATAL_FAILURE(startOn(QDate(2025, 3, 20)));

    // The code tables the entries need, as the table windows leave them: the customs office,
    // the register protocol, the excise rate, the beer type and its product code.
    TTABELLA office = BlankTabella();
    office.text[0].set("IT012100");
    office.text[1].set("UFFICIO DELLE DOGANE DI AOSTA");
    office.text[10].set("TA03");
    InsertTableRecord(TableFile(state.folders.datiGen, "TA03"), office);
    brew::AddProtocol(state.folders, "1234/R", Day(2025, 1, 10), Day(2025, 1, 1));
    brew::AddRate(state.folders, Day(2020, 1, 1), 2.99);
    brew::AddProductCode(state.folders, brew::kBeerCode);
    brew::AddBeerType(state.folders, "BIONDA", brew::kBeerCode, 1, 12.5);

    app::TFPRINCIPALE main(state);
    ShowActive(&main);
    main.refreshStatusLine();

    // The company, the signing stand-in and its folders, the customs addresses with the two
    // training services.
    ASSERT_TRUE(Work<setup::TFDATIAZIENDA>(main, "Action9", [](setup::TFDATIAZIENDA* w) {
        Keys(w, {"it00aoa12345b", "Birrificio della Valle", "12345678903", "rssmra85t10a562s",
                 "via Chambéry", "7", "11100", "aosta", "ab12", "it012100", "", "c", "",
                 "Segreta-1", ""});
    }));
    ASSERT_TRUE(Work<setup::TFPERCORSI>(main, "Action10", [&](setup::TFPERCORSI* w) {
        Keys(w, {BRAXOL_FIRMA_TOOL, QString::fromStdString(toSign.string() + "/"),
                 QString::fromStdString(signedFiles.string() + "/"), ""});
    }));
    ASSERT_TRUE(Work<setup::TFINDWEB>(main, "Action11", [&](setup::TFINDWEB* w) {
        Keys(w, {"https://reale.dogane.example/", "https://prova.dogane.example/",
                 "https://www.dogane.example/"});
        Retype(w, "LEWSREALE", QString::fromStdString(realService.address()));
        Retype(w, "LEWSPROVA", QString::fromStdString(testService.address()));
        Retype(w, "LEWSCA", QString::fromStdString(testService.certificates().authority.string()));
        Click(w, "BCONF");
    }));
    const auto company = ReadCompany(state.folders.companyFile());
    ASSERT_TRUE(company);
    EXPECT_EQ(company->CODUTE.str(), "AB12");
    seams.messages.clear();

    // The books: two productions, a wash, the record E of March.
    // In Aosta the brewer types the excise himself.
    auto production = [&](const QString& date, const QString& brew, int from, int to,
                          const QString& excise) {
        return Work<production::TFPRODUZIONE>(main, "Action12", [&](production::TFPRODUZIONE* w) {
            Keys(w, {date, brew, "", "0930", "BIONDA", QString::number(from), QString::number(to),
                     "", "", excise, "", ""});
            EXPECT_TRUE(w->saved()) << seams.messages.texts().join("|").toStdString();
        });
    };
    ASSERT_TRUE(production("10032025", "1", 1000, 2250, "467,19"));
    ASSERT_TRUE(production("14032025", "2", 2250, 3000, "280,31"));
    ASSERT_TRUE(Work<production::TFLAVAGGIO>(main, "Action13", [](production::TFLAVAGGIO* w) {
        Keys(w, {"14032025", "", "3010", "", ""});
        EXPECT_TRUE(w->saved());
    }));
    ASSERT_TRUE(Work<tributes::TFACCISE_DA>(main, "Action30", [](tributes::TFACCISE_DA* w) {
        Keys(w, {"", "03", "", "", "", ""});
        EXPECT_FALSE(w->isVisible());
    }));
    const fs::path rgm = YearFile(state.folders.registri, 2025, ".RGM");
    const fs::path der = YearFile(state.folders.registri, 2025, ".DER");
    ASSERT_EQ(ScanMovements(rgm).size(), 3u);
    ASSERT_EQ(ScanMovements(der).size(), 1u);
    EXPECT_EQ(ScanMovements(der)[0].CODPAE.str(), "03");
    EXPECT_DOUBLE_EQ(ScanMovements(der)[0].QUANTI, 747.50);
    EXPECT_TRUE(seams.messages.shown().empty()) << seams.messages.texts().join("|").toStdString();

    // The flow, signed by the stand-in; to the test environment, then, on OK, to the real one.
    QString details;
    bool signedInTime = false;
    NextModal<telematic::TFTELEMATICO> transmission([&](telematic::TFTELEMATICO* w) {
        ShowActive(w);
        signedInTime = QTest::qWaitFor([w] { return w->fileSigned(); }, 30000);
        if (!signedInTime) return Click(w, "BABBANDONA");
        FocusOn(w, "RPROVA");
        PressKey(w, Qt::Key_Space);
        seams.messages.planAnswer(ui::Answer::Ok);
        Click(w, "BCONF");
        details = ControlAs<QTextEdit>(w, "RICHED")->toPlainText();
        Click(w, "BABBANDONA");
    });
    ASSERT_TRUE(Work<telematic::TFCREAFIRMAINVIAREGISTRO>(
        main, "Action22", [](telematic::TFCREAFIRMAINVIAREGISTRO* w) {
            EXPECT_EQ(ListTexts(w, "CELENCO").size(), 4);
            for (int i = 0; i < 4; ++i) PressEnter(w);  // number, signing, confirm, confirmed
        }));
    shell.stop();
    ASSERT_EQ(transmission.opened(), 1);
    ASSERT_TRUE(signedInTime);
    EXPECT_EQ(seams.messages.texts(),
              QStringList{"Il file è stato accettato nell'ambiente di prova!  PREMI \"OK\" PER "
                          "INVIARLO NELL'AMBIENTE REALE"});
    EXPECT_EQ(testService.requests(), 2);
    EXPECT_EQ(realService.requests(), 2);
    EXPECT_TRUE(details.contains("ESITO POSITIVO")) << details.toStdString();
    EXPECT_TRUE(details.contains("Movimenti registrati come inviati con il flusso AB120320.C01: 4"))
        << details.toStdString();

    // Every record stamped with the flow's date and number.
    const double flowDay = Day(2025, 3, 20);
    for (const auto& file : {rgm, der})
        for (const TMOVIMENTO& r : ScanMovements(file)) {
            EXPECT_EQ(r.DATFLU, flowDay) << r.NUMOPE;
            EXPECT_EQ(r.NUMFLU, 1) << r.NUMOPE;
        }

    // The outcome fetched again from the verification window.
    seams.messages.clear();
    QString outcome;
    QStringList carried;
    ASSERT_TRUE(
        Work<telematic::TFVERIFICA_FLUSSO>(main, "Action62", [&](telematic::TFVERIFICA_FLUSSO* w) {
            Keys(w, {"", "1"});
            carried = ListTexts(w, "MOVIMENTI");
            Click(w, "BCONF");
            outcome = ControlAs<QPlainTextEdit>(w, "ESITO")->toPlainText();
            w->reject();
        }));
    EXPECT_EQ(carried.size(), 4);
    EXPECT_TRUE(outcome.contains("\nESITO POSITIVO\n")) << outcome.toStdString();
    EXPECT_EQ(realService.requests(), 3);

    // Detached: all ticked, "SI".
    ASSERT_TRUE(Work<telematic::TFCANCFLUSSO>(main, "Action23", [&](telematic::TFCANCFLUSSO* w) {
        Keys(w, {"", "1"});
        EXPECT_EQ(ListTexts(w, "CELENCO").size(), 4);
        Click(w, "BTUTTI");
        FocusOn(w, "ECONF");
        Keys(w, {"SI"});
    }));
    EXPECT_EQ(seams.messages.texts(), QStringList{"RIATTIVAZIONE ESEGUITA"});
    for (const auto& file : {rgm, der})
        for (const TMOVIMENTO& r : ScanMovements(file)) {
            EXPECT_EQ(r.DATFLU, 0) << r.NUMOPE;
            EXPECT_EQ(r.NUMFLU, 0) << r.NUMOPE;
        }

    // Sendable again.
    QStringList listed;
    ASSERT_TRUE(Work<telematic::TFCREAFIRMAINVIAREGISTRO>(
        main, "Action22", [&](telematic::TFCREAFIRMAINVIAREGISTRO* w) {
            listed = ListTexts(w, "CELENCO");
            w->reject();
        }));
    EXPECT_EQ(listed.size(), 4) << listed.join("\n").toStdString();
}

}  // namespace
}  // namespace braxol
