// A new brewer's first session: an empty folder, then the company setup entered from the menu
// by keyboard alone (Enter moves on), until the guarded entries open. The empty tables of
// customs offices and product codes are filled on the way, from the windows that need them.

#include <gtest/gtest.h>

#include <QAction>

#include "app/configuration_check.h"
#include "app/main_window.h"
#include "app/startup.h"
#include "menu_work.h"
#include "setup/beer_types_window.h"
#include "setup/company_window.h"
#include "setup/paths_window.h"
#include "setup/protocols_window.h"
#include "setup/web_window.h"
#include "store/config_files.h"
#include "store/record_file.h"
#include "store/table_structures.h"
#include "store/tables.h"
#include "support/qt/next_modal.h"
#include "support/qt/scripted_seams.h"
#include "support/qt/widget_helpers.h"
#include "support/temp_folder.h"
#include "tables/codici.h"
#include "tables/codici_nc.h"

namespace braxol {
namespace {

using namespace braxol::test;
namespace fs = std::filesystem;

TEST(NewUser, SetsUpTheCompanyFromTheMenuByKeyboard) {
    TempWorkFolder base;
    ScriptedSeams seams;
    seams.clock.current = QDateTime(QDate(2025, 3, 20), QTime(9, 0));
    app::RunState state;
    const fs::path root = base.root() / "birrificio";
    fs::create_directory(root);
    state.folders = WorkFolders::At(root, root / "tmp");
    ASSERT_TRUE(app::PrepareWorkFolder(state, nullptr));
    app::TFPRINCIPALE main(state);
    ShowActive(&main);
    main.refreshStatusLine();
    EXPECT_TRUE(seams.messages.saw(app::kNoCompanyData));

    // The company data: a litre counter, so the rounding is never asked. The table of offices
    // is empty: the office typed is entered there on the way.
    seams.messages.clear();
    NextModal<tables::TFCODICI> office([](tables::TFCODICI* w) {
        ShowActive(w);
        Keys(w, {"UFFICIO DELLE DOGANE DI AOSTA", ""});
    });
    ASSERT_TRUE(Work<setup::TFDATIAZIENDA>(main, "Action9", [](setup::TFDATIAZIENDA* w) {
        Keys(w, {"it00aoa12345b", "Birrificio della Valle", "12345678903", "rssmra85t10a562s",
                 "via Chambéry", "7", "11100", "aosta", "ab12", "it012100"});
        ShowActive(w);  // back from the office's window
        Keys(w, {"", "", "c", "", "Segreta-1", ""});
    }));
    EXPECT_EQ(office.opened(), 1);
    EXPECT_TRUE(
        seams.messages.texts().first().startsWith("LA TABELLA \"Uffici Doganali\" È ANCORA VUOTA"));
    ASSERT_TRUE(FindByKey(state.folders.datiGen, "TA03",
                          [] {
                              TTABELLA k = BlankTabella();
                              k.text[0].set("IT012100");
                              return k;
                          }())
                    .found());
    auto company = ReadCompany(state.folders.companyFile());
    ASSERT_TRUE(company);
    EXPECT_EQ(company->CACCI1.str(), "IT00AOA12345B");
    EXPECT_EQ(company->INDIR2.str(), "RSSMRA85T10A562S-001");
    EXPECT_EQ(company->CAUESO.str(), "C");
    EXPECT_EQ(company->SEZDOG.str(), "012100");
    EXPECT_EQ((fs::status(state.folders.companyFile()).permissions() & fs::perms::all),
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_TRUE(main.statusText().endsWith(" - Contalitri")) << main.statusText().toStdString();
    EXPECT_FALSE(seams.messages.saw(app::kNoCompanyData));
    EXPECT_TRUE(seams.messages.saw(app::kNoSigningPaths));

    // The signing program and its two folders, then the customs web addresses.
    ASSERT_TRUE(Work<setup::TFPERCORSI>(main, "Action10", [](setup::TFPERCORSI* w) {
        Keys(w, {"/opt/firma/FirmaVerifica", "/srv/firma/dafirmare/", "/srv/firma/firmati/", ""});
    }));
    ASSERT_TRUE(Work<setup::TFINDWEB>(main, "Action11", [](setup::TFINDWEB* w) {
        Keys(w, {"https://reale.dogane.example/", "https://prova.dogane.example/",
                 "https://www.dogane.example/", ""});
    }));

    // From now on the guarded entries open without a word.
    seams.messages.clear();
    main.action("Action26")->trigger();
    EXPECT_EQ(seams.shell.opened, QStringList{"https://www.dogane.example/"});
    EXPECT_TRUE(seams.messages.shown().empty()) << seams.messages.texts().join("|").toStdString();
    EXPECT_TRUE(app::CheckConfiguration(state, nullptr));

    // The beer type, whose product code goes into the empty table of codes on the way, and
    // the register protocol in force.
    NextModal<tables::TFCODICI_NC> code([](tables::TFCODICI_NC* w) {
        ShowActive(w);
        Keys(w, {"Birra di malto", "", "", ""});
    });
    ASSERT_TRUE(Work<setup::TFPRODAZ>(main, "Action8", [](setup::TFPRODAZ* w) {
        Keys(w, {"ambrata", "110522030001"});
        ShowActive(w);  // back from the product code's window
        Keys(w, {"", "12,5", ""});
        PressKey(w, Qt::Key_Escape);
    }));
    EXPECT_EQ(code.opened(), 1);
    ASSERT_EQ(seams.messages.shown().size(), 1u);
    EXPECT_TRUE(seams.messages.texts().first().startsWith(
        "LA TABELLA \"Codici doganali identificativi dei prodotti (TA20)\" È ANCORA VUOTA"));
    seams.messages.clear();
    ASSERT_TRUE(Work<setup::TFPROTREGISTRI>(main, "Action7", [](setup::TFPROTREGISTRI* w) {
        Keys(w, {"1234/R", "", "", ""});
        PressEnter(w);
    }));
    const auto beers = ReadRecords<TTABELLA>(state.folders.datiGen / "PRAZ.TAB");
    ASSERT_EQ(beers.size(), 1u);
    EXPECT_EQ(beers[0].text[0].trimmed(), "AMBRATA");
    EXPECT_EQ(beers[0].text[1].trimmed(), "1105-22030001-  -");
    EXPECT_EQ(beers[0].num[0], 1.0);   // a litre counter
    EXPECT_EQ(beers[0].num[1], 12.5);  // degrees Plato
    const auto protocols = ReadRecords<TTABELLA>(state.folders.datiGen / "PROTOCOLLI.TAB");
    ASSERT_EQ(protocols.size(), 1u);
    EXPECT_EQ(protocols[0].text[0].trimmed(), "1234/R");
    EXPECT_EQ(protocols[0].text[2].trimmed(),
              "IT012100 di UFFICIO DELLE DOGANE DI AOSTA protocollo n. 1234/R del 20/03/2025");
    EXPECT_TRUE(seams.messages.shown().empty()) << seams.messages.texts().join("|").toStdString();
}

}  // namespace
}  // namespace braxol
