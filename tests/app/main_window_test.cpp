// The main window as a user meets it: caption, menu, status line, guarded entries.

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "app/configuration_check.h"
#include "app/main_window.h"
#include "app/menu_layout.h"
#include "app/startup.h"
#include "store/config_files.h"
#include "support/configuration.h"
#include "support/qt/scripted_seams.h"
#include "support/qt/widget_helpers.h"
#include "support/temp_folder.h"

namespace braxol {
namespace {

using namespace braxol::test;
namespace fs = std::filesystem;

// Captions of a menu in order, separators as "-", submenus as "caption ›".
QStringList Captions(const QList<QAction*>& actions) {
    QStringList out;
    for (QAction* a : actions) {
        if (a->isSeparator())
            out << "-";
        else if (a->menu())
            out << a->text() + " ›";
        else
            out << a->text();
    }
    return out;
}

class MainWindow : public ::testing::Test {
protected:
    TempWorkFolder work;
    ScriptedSeams seams;
    app::RunState state;
    void SetUp() override { state.folders = work.folders(); }
};

TEST_F(MainWindow, StartUpInAnEmptyFolderCreatesItsFolders) {
    const fs::path root = work.root() / "nuova";
    fs::create_directory(root);
    state.folders = WorkFolders::At(root, root / "tmp" / "TEMP_ZYMOTEC");
    ASSERT_TRUE(app::PrepareWorkFolder(state, nullptr));
    for (const char* f : {"DATI_GEN", "REGISTRI"}) EXPECT_TRUE(fs::is_directory(root / f)) << f;
    EXPECT_TRUE(fs::is_directory(root / "tmp" / "TEMP_ZYMOTEC"));
    for (const char* s : {"TA20", "ACCISE", "TA03", "TA05C", "PRAZ", "PROTOCOLLI", "MATPRIME"})
        EXPECT_TRUE(fs::exists(root / "DATI_GEN" / (std::string(s) + ".STR"))) << s;

    app::TFPRINCIPALE window(state);
    window.refreshStatusLine();
    EXPECT_EQ(fs::file_size(root / "DATI_GEN" / "UTENTE.001"), 608u);
    EXPECT_TRUE(seams.messages.saw(app::kNoCompanyData));
    EXPECT_EQ(window.statusText(),
              QString::fromStdString(root.string()) + "   ***  - Mis. Energetico");
}

TEST_F(MainWindow, CaptionSizeAndMenuAsTheBrewerKnowsThem) {
    app::TFPRINCIPALE window(state);
    EXPECT_EQ(window.objectName(), "FPRINCIPALE");
    EXPECT_EQ(window.windowTitle(), "Telematizzazione delle accise per i Microbirrifici (BRAXOL)");
    EXPECT_EQ(window.size(), QSize(830, 600));

    const QList<QAction*> top = window.menuBar()->actions();
    EXPECT_EQ(Captions(top), (QStringList{"&Dati Aziendali ›", "&Produzioni / Lavaggi ›",
                                          "&Tributi ›", "&Flussi Telematici ›",
                                          "&Codici e Tabelle ›", "&Materie Prime ›", "&Info"}));
    EXPECT_EQ(Captions(top[0]->menu()->actions()),
              (QStringList{"&Protocolli Registri", "&Tipi di Birra prodotti",
                           "&Dati Fiscali / Anagrafici", "Re&gistra il Cambio Password", "-",
                           "&Registri Telematici ›", "P&ercorsi di FirmaeVerifica (path)",
                           "&Indirizzi Web delle Dogane"}));
    QMenu* registers = top[0]->menu()->actions()[5]->menu();
    EXPECT_EQ(
        Captions(registers->actions()),
        (QStringList{"&Richiesta rilascio Registro Telematico",
                     "R&egistra il protocollo attribuito", "-", "&Modifica Registro Telematico",
                     "&Chiusura Registro Telematico", "&Annulla Registro Telematico",
                     "Ca&ncella Richieste", "&Invia le richieste al Servizio Telematico",
                     "Rin&uncia Tenuta Registri Telematici"}));
    EXPECT_EQ(Captions(top[4]->menu()->actions()),
              (QStringList{"&Codici prodotti (TA20)", "&Importo e capitolo tributo",
                           "&Uffici Doganali", "&Tipi di Documento (TA05-c)", "&Strutture"}));
    EXPECT_FALSE(window.action("Action6")->isVisible());
    EXPECT_FALSE(window.action("Action5")->isVisible());
    EXPECT_TRUE(window.action("Action4")->isVisible());
    EXPECT_EQ(window.action("Action28")->data().toInt(), 100);

    // Every action of the table exists once, by name; the three without an item too.
    int items = 0;
    for (const auto& item : app::MainMenu())
        if (item.action) {
            ++items;
            EXPECT_NE(window.action(item.action), nullptr) << item.action;
        }
    EXPECT_EQ(items, 62);
    EXPECT_EQ(window.action("Action37")->data().toInt(), 64);
    EXPECT_EQ(window.action("Action24")->text(), "Ricerca le Produzioni Inviate");
}

TEST_F(MainWindow, GuardedWebEntriesOpenOnlyWithACompleteConfiguration) {
    app::TFPRINCIPALE window(state);
    window.action("Action26")->trigger();
    EXPECT_TRUE(seams.shell.opened.isEmpty());
    EXPECT_TRUE(seams.messages.saw(app::kNoCompanyData));

    CompleteConfiguration config;
    config.meter = "E";
    WriteConfiguration(state.folders, config);
    seams.messages.clear();

    struct Case {
        const char* action;
        QString opened;
    } cases[] = {{"Action26", "https://dogane.example/"},
                 {"Action27", "https://reale.example/"},
                 {"Action29", "https://prova.example/"}};
    for (const auto& c : cases) {
        seams.shell.opened.clear();
        window.action(c.action)->trigger();
        EXPECT_EQ(seams.shell.opened, QStringList{c.opened}) << c.action;
    }
    // The signing program is run, with no arguments.
    seams.shell.opened.clear();
    window.action("Action28")->trigger();
    ASSERT_EQ(seams.shell.started.size(), 1u);
    EXPECT_EQ(seams.shell.started[0].first, "/opt/firma/FirmaVerifica");
    EXPECT_TRUE(seams.shell.started[0].second.isEmpty());
    EXPECT_TRUE(seams.shell.opened.isEmpty());
    EXPECT_TRUE(seams.messages.shown().empty());
}

TEST_F(MainWindow, WebAddressesStoredWithoutSchemeOpenInTheBrowser) {
    CompleteConfiguration config;
    config.homeAddress = "www.adm.gov.it";
    WriteConfiguration(state.folders, config);
    app::TFPRINCIPALE window(state);
    window.action("Action26")->trigger();
    EXPECT_EQ(seams.shell.opened, QStringList{"https://www.adm.gov.it"});
}

// Every entry of the menu, and every action reached only by its shortcut, opens its window
// (the hidden items too, once shown: HiddenItemsShowWithTheirShortcut).
TEST_F(MainWindow, EveryEntryHasItsWindow) {
    app::TFPRINCIPALE window(state);
    for (const auto& item : app::MainMenu()) {
        if (item.action && !item.hidden) {
            EXPECT_TRUE(window.action(item.action)->isEnabled()) << item.action;
        }
    }
    for (const auto& hidden : app::ActionsWithoutItem())
        EXPECT_TRUE(window.action(hidden.action)->isEnabled()) << hidden.action;
}

TEST_F(MainWindow, HiddenItemsShowWithTheirShortcut) {
    app::TFPRINCIPALE window(state);
    ShowActive(&window);
    for (const char* name : {"Action5", "Action6"}) EXPECT_FALSE(window.action(name)->isVisible());
    PressKey(&window, Qt::Key_H, Qt::ControlModifier | Qt::ShiftModifier);
    for (const char* name : {"Action5", "Action6"}) {
        EXPECT_TRUE(window.action(name)->isVisible()) << name;
        EXPECT_TRUE(window.action(name)->isEnabled()) << name;
    }
    PressKey(&window, Qt::Key_H, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_FALSE(window.action("Action5")->isVisible());
}

}  // namespace
}  // namespace braxol
