// The "Registri Telematici" entries of the menu: the release request and the request flow after
// the configuration check, the windows on a release request chosen in the movement chooser in
// the mode of their entry, the deletion of requests, and the renunciation, which opens without
// the check.

#include <gtest/gtest.h>

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

#include "app/configuration_check.h"
#include "app/main_window.h"
#include "production/deletion_window.h"
#include "production/movement_chooser.h"
#include "store/movements.h"
#include "support/configuration.h"
#include "support/qt/next_modal.h"
#include "support/qt/scripted_seams.h"
#include "support/qt/widget_helpers.h"
#include "support/record_builders.h"
#include "support/temp_folder.h"
#include "telematic/register_requests.h"
#include "ui/entry_window.h"

namespace braxol {
namespace {

using namespace braxol::test;

class RequestEntries : public ::testing::Test {
protected:
    TempWorkFolder work;
    ScriptedSeams seams;
    app::RunState state;
    void SetUp() override {
        state.folders = work.folders();
        seams.clock.current = QDateTime(QDate(2025, 3, 20), QTime(9, 0));
        TMOVIMENTO release = telematic::NewRequest(telematic::kReleaseRequest);
        release.DATMOV = Day(2025, 4, 1);
        release.INTER1 = 518;
        release.ANNOTA.set("MOSTO di BIRRA");
        release.ANNPRO.set("2025");
        release.NUMPRO.set("2025000001");
        release.DATFLU = Day(2025, 3, 20);
        release.NUMFLU = 1;
        telematic::AddRequest(state.folders.requestsFile(), release);
    }
};

TEST_F(RequestEntries, TheRequestAndTheFlowOpenAfterTheChecks) {
    app::TFPRINCIPALE main(state);
    for (const auto& [action, window] :
         {std::pair{"Action47", "FRICRETE"}, std::pair{"Action52", "FCREAFIRMAINVIARE_TE"}}) {
        SCOPED_TRACE(action);
        ASSERT_TRUE(main.action(action)->isEnabled());
        seams.messages.clear();
        WriteConfiguration(state.folders, {});
        fs::remove(state.folders.companyFile());
        {
            NextModal<QDialog> none([](QDialog* w) { w->reject(); });
            main.action(action)->trigger();
            EXPECT_TRUE(seams.messages.saw(app::kNoCompanyData));
            EXPECT_FALSE(none.answered(100));
        }

        WriteConfiguration(state.folders);
        QString opened;
        NextModal<QDialog> modal([&](QDialog* w) {
            opened = w->objectName();
            w->reject();
        });
        main.action(action)->trigger();
        EXPECT_EQ(opened, window);
    }
}

TEST_F(RequestEntries, TheChosenRequestOpensTheWindowOfTheEntry) {
    app::TFPRINCIPALE main(state);
    const struct {
        const char* action;
        QChar mode;
        const char* window;
        const char* caption;
    } rows[] = {
        {"Action53", 'P', "FPROT_RETE", "Protocollo rilasciato per il Registro Telematico"},
        {"Action48", 'm', "FMODPROT_RETE", "Modiifca Registro Telematico "},
        {"Action49", 'F', "FCHIUANNPROT_RETE", "Chiusura del Registro Telematico"},
        {"Action50", 'A', "FCHIUANNPROT_RETE", "   Annulla Registro Telematico  "},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.action);
        QString chooserCaption;
        NextModal<production::TFSCEGLIMOVIMENTO> chooser([&](production::TFSCEGLIMOVIMENTO* w) {
            ShowActive(w);
            chooserCaption = w->windowTitle();
            auto* list = ControlAs<QTableWidget>(w, "LISTA");
            list->setFocus();
            list->selectRow(0);
            PressEnter(w);
        });
        QString opened, caption, protocol;
        NextModal<ui::EntryWindow> window([&](ui::EntryWindow* w) {
            opened = w->objectName();
            caption = w->windowTitle();
            protocol = ControlAs<QLineEdit>(w, "PROTOC")->text();
            w->reject();
        });
        main.action(row.action)->trigger();
        EXPECT_EQ(chooser.opened(), 1);
        EXPECT_EQ(state.mode, row.mode);
        EXPECT_EQ(opened, row.window);
        EXPECT_EQ(caption, row.caption);
        EXPECT_EQ(protocol, "2025000001");
        EXPECT_FALSE(chooserCaption.isEmpty());
    }

    // Leaving the chooser opens nothing.
    NextModal<production::TFSCEGLIMOVIMENTO> chooser(
        [](production::TFSCEGLIMOVIMENTO* w) { w->reject(); });
    NextModal<ui::EntryWindow> nothing([](ui::EntryWindow* w) { w->reject(); });
    main.action("Action53")->trigger();
    EXPECT_EQ(chooser.opened(), 1);
    EXPECT_FALSE(nothing.answered(100));
}

TEST_F(RequestEntries, DeletionOfRequestsAndTheRenunciation) {
    app::TFPRINCIPALE main(state);
    QChar mode;
    QString caption;
    NextModal<production::TFCANCMOVIM> deletion([&](production::TFCANCMOVIM* w) {
        mode = w->mode();
        caption = w->windowTitle();
        w->reject();
    });
    main.action("Action51")->trigger();
    EXPECT_EQ(deletion.opened(), 1);
    EXPECT_EQ(mode, 'R');
    EXPECT_EQ(caption, "Cancella le richieste dei Registri Telematici");

    // The renunciation needs no complete configuration to open.
    QString opened;
    NextModal<QDialog> renunciation([&](QDialog* w) {
        opened = w->objectName();
        w->reject();
    });
    main.action("Action54")->trigger();
    EXPECT_EQ(opened, "FRINUNCIA_RE_TE");
    EXPECT_TRUE(seams.messages.texts().isEmpty());
}

}  // namespace
}  // namespace braxol
