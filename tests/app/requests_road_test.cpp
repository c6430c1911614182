// The road of a telematic register, as a brewer walks it from the menu and by keyboard on one
// machine without internet: the signing stand-in (braxol-firma) as the signing program and two
// training customs services on 127.0.0.1 as the test and the real environment. A release
// request is entered; its flow follows at once, is signed, sent to the test environment and, on
// OK, to the real one; the outcome says the register was released, the protocol window offers
// its protocol, and once confirmed the protocol is on the request and in PROTOCOLLI.TAB. The
// next production entered takes it.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>
#include <QTextEdit>

#include "app/main_window.h"
#include "app/startup.h"
#include "menu_work.h"
#include "net/soap_endpoints.h"
#include "production/brew_fixture.h"
#include "production/production_window.h"
#include "road_fixture.h"
#include "sim_server.h"
#include "store/config_files.h"
#include "store/movements.h"
#include "store/paths.h"
#include "store/table_structures.h"
#include "store/tables.h"
#include "support/configuration.h"
#include "support/qt/next_modal.h"
#include "support/qt/widget_helpers.h"
#include "support/record_builders.h"
#include "support/temp_folder.h"
#include "telematic/assigned_protocol_window.h"
#include "telematic/assigned_protocols.h"
#include "telematic/release_request_window.h"
#include "telematic/request_flow_window.h"
#include "telematic/transmission_window.h"

namespace braxol {
namespace {

using namespace braxol::test;
namespace fs = std::filesystem;

class RequestsRoad : public RoadTest {};

TEST_F(RequestsRoad, AReleasedRegistersProtocolReachesTheNextProduction) {
    ASSERT_NO_FATAL_FAILURE(startOn(QDate(2025, 4, 10)));

    // The brewery as the setup windows leave it, without any register protocol yet.
    CompleteConfiguration config;
    config.signingProgram = BRAXOL_FIRMA_TOOL;
    config.toSignFolder = toSign.string() + "/";
    config.signedFolder = signedFiles.string() + "/";
    WriteConfiguration(state.folders, config);
    TUTENTE company = ReadCompany(state.folders.companyFile()).value();
    company.CACCI1.set("IT00AOA12345B");
    company.DENOM1.set("Birrificio della Valle");
    company.PARIVA.set("12345678903");
    company.CODUTE.set("AB12");
    company.UFFDO1.set("IT012100");
    company.SEZDOG.set("012100");
    company.TIPOIN.set("A");
    WriteCompany(state.folders.companyFile(), company);
    net::WriteEndpoints(state.folders, services.endpoints());
    CreateMissingStructures(state.folders.datiGen);
    brew::AddRate(state.folders, Day(2020, 1, 1), 2.99);
    brew::AddProductCode(state.folders, brew::kBeerCode);
    brew::AddBeerType(state.folders, "BIONDA", brew::kBeerCode, 1, 12.5);

    app::TFPRINCIPALE main(state);
    ShowActive(&main);
    main.refreshStatusLine();
    seams.messages.clear();

    // The request, then its flow, its signature, the two sendings and the protocol offered.
    bool flowCreated = false;
    NextModal<telematic::TFCREAFIRMAINVIARE_TE> flow([&](telematic::TFCREAFIRMAINVIARE_TE* w) {
        ShowActive(w);
        EXPECT_EQ(w->listed().size(), 1u);
        for (int i = 0; i < 4; ++i) PressEnter(w);  // date, number, signing, confirm
        flowCreated = !w->isVisible();
        if (w->isVisible()) w->reject();
    });
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
    QString offered;
    NextModal<telematic::TFPROT_RETE> protocol([&](telematic::TFPROT_RETE* w) {
        ShowActive(w);
        offered = ControlAs<QLineEdit>(w, "PROTOC")->text();
        for (int i = 0; i < 3; ++i) PressEnter(w);  // protocol date, number, confirm
        if (w->isVisible()) w->reject();
    });
    ASSERT_TRUE(Work<telematic::TFRICRETE>(main, "Action47", [](telematic::TFRICRETE* w) {
        Keys(w, {"01042025", "", "", "", ""});  // validity start, family, title, CINVIA, confirm
    }));
    shell.stop();
    ASSERT_EQ(flow.opened(), 1);
    ASSERT_TRUE(flowCreated);
    ASSERT_EQ(transmission.opened(), 1);
    ASSERT_TRUE(signedInTime);
    ASSERT_EQ(protocol.opened(), 1);
    EXPECT_EQ(seams.messages.texts(),
              QStringList{"Il file è stato accettato nell'ambiente di prova!  PREMI \"OK\" PER "
                          "INVIARLO NELL'AMBIENTE REALE"});
    EXPECT_EQ(testService.requests(), 2);
    EXPECT_EQ(realService.requests(), 2);
    EXPECT_TRUE(details.contains("ESITO POSITIVO")) << details.toStdString();
    EXPECT_TRUE(details.contains("ha rilasciato il Registro Telematico Numero " + offered))
        << details.toStdString();
    ASSERT_EQ(offered.size(), 10);

    // The protocol on the request and in the register-protocol table.
    const auto requests = ScanMovements(state.folders.requestsFile());
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(QString::fromStdString(requests[0].NUMPRO.trimmed()), offered);
    EXPECT_EQ(requests[0].ANNPRO.str(), "2025");
    EXPECT_EQ(requests[0].NUMFLU, 1);
    const auto table = ReadRecords<TTABELLA>(telematic::ProtocolTableFile(state.folders), false);
    ASSERT_EQ(table.size(), 1u);
    EXPECT_EQ(QString::fromStdString(table[0].text[0].trimmed()), offered);
    EXPECT_EQ(table[0].num[1], Day(2025, 4, 1));

    // The next production takes it.
    seams.messages.clear();
    ASSERT_TRUE(Work<production::TFPRODUZIONE>(main, "Action12", [&](production::TFPRODUZIONE* w) {
        Keys(w, {"05042025", "1", "", "0930", "BIONDA", "1000", "2250", "", "", "467,19", "", ""});
        EXPECT_TRUE(w->saved()) << seams.messages.texts().join("|").toStdString();
    }));
    const auto brews = ScanMovements(YearFile(state.folders.registri, 2025, ".RGM"));
    ASSERT_EQ(brews.size(), 1u);
    EXPECT_EQ(QString::fromStdString(brews[0].NUMPRO.trimmed()), offered);
    EXPECT_EQ(brews[0].ANNPRO.str(), "2025");
}

}  // namespace
}  // namespace braxol
