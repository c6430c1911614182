// The "Comunicazioni preventive" entries of the menu: each opens its window, the change and the
// sending through the chooser in the mode of the entry.

#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QTableWidget>

#include "app/main_window.h"
#include "preventive/account_window.h"
#include "preventive/preventive_window.h"
#include "preventive/send_window.h"
#include "production/deletion_window.h"
#include "production/movement_chooser.h"
#include "store/paths.h"
#include "support/configuration.h"
#include "support/qt/next_modal.h"
#include "support/qt/scripted_seams.h"
#include "support/qt/widget_helpers.h"
#include "support/record_builders.h"
#include "support/temp_folder.h"

namespace braxol {
namespace {

using namespace braxol::test;

TMOVIMENTO Communication(int numope, int number, double sentOn) {
    TMOVIMENTO r = BlankMovement();
    r.NUMOPE = numope;
    r.DATMOV = r.DATDOC = Day(2025, 3, 10 + number);
    r.INTER2 = number;
    r.PRODAZ.set("BIONDA");
    r.NUMDOC.set("T1");
    r.LITPRO = 1000;
    r.DATPEC = sentOn;
    PadMovement(r);
    return r;
}

class PreventiveEntries : public ::testing::Test {
protected:
    TempWorkFolder work;
    ScriptedSeams seams;
    app::RunState state;
    void SetUp() override {
        state.folders = work.folders();
        WriteConfiguration(state.folders);
        // Number 1 sent by PEC, number 2 not yet.
        WriteMovements(YearFile(state.folders.registri, 2025, ".PRV"),
                       {Communication(1, 1, Day(2025, 3, 10)), Communication(2, 2, 0)});
    }
};

// Picks the first row of the chooser and tells its caption and rows.
std::function<void(production::TFSCEGLIMOVIMENTO*)> PickFirst(QString* caption, int* rows) {
    return [caption, rows](production::TFSCEGLIMOVIMENTO* w) {
        ShowActive(w);
        *caption = w->windowTitle();
        auto* list = ControlAs<QTableWidget>(w, "LISTA");
        *rows = list->rowCount();
        list->setFocus();
        list->selectRow(0);
        PressEnter(w);
    };
}

TEST_F(PreventiveEntries, EachEntryOpensItsWindow) {
    app::TFPRINCIPALE main(state);
    for (const char* action : {"Action58", "Action59", "Action60", "Action63", "Action64"})
        EXPECT_TRUE(main.action(action)->isEnabled()) << action;
    {
        bool change = true;
        NextModal<preventive::TFPREVENTIVA> entry([&](preventive::TFPREVENTIVA* w) {
            change = w->changeMode();
            w->reject();
        });
        main.action("Action58")->trigger();
        EXPECT_EQ(entry.opened(), 1);
        EXPECT_FALSE(change);
        EXPECT_FALSE(state.changeFlag);
    }
    {
        NextModal<preventive::TFACCOUNT_PEC> account([](auto* w) { w->reject(); });
        main.action("Action64")->trigger();
        EXPECT_EQ(account.opened(), 1);
    }
    {
        QChar mode;
        NextModal<production::TFCANCMOVIM> deletion([&](production::TFCANCMOVIM* w) {
            mode = w->mode();
            w->reject();
        });
        main.action("Action60")->trigger();
        EXPECT_EQ(deletion.opened(), 1);
        EXPECT_EQ(mode, 'p');
    }
}

TEST_F(PreventiveEntries, ChangeOfACommunicationOfTheArchive) {
    app::TFPRINCIPALE main(state);
    QString caption;
    int rows = 0;
    NextModal<production::TFSCEGLIMOVIMENTO> chooser(PickFirst(&caption, &rows));
    int chosen = 0;
    bool change = false;
    NextModal<preventive::TFPREVENTIVA> entry([&](preventive::TFPREVENTIVA* w) {
        change = w->changeMode();
        chosen = ControlAs<QLineEdit>(w, "INTER2")->text().toInt();
        w->reject();
    });
    main.action("Action59")->trigger();
    EXPECT_EQ(caption, "ARCHIVIO COMUNICAZIONI PREVENTIVE");
    EXPECT_EQ(rows, 2);
    EXPECT_EQ(entry.opened(), 1);
    EXPECT_TRUE(change);
    EXPECT_EQ(chosen, 2);  // newest first
    EXPECT_EQ(state.mode, 'C');
    EXPECT_TRUE(state.changeFlag);
}

TEST_F(PreventiveEntries, SendingOfACommunicationNotYetSent) {
    app::TFPRINCIPALE main(state);
    QString caption;
    int rows = 0;
    NextModal<production::TFSCEGLIMOVIMENTO> chooser(PickFirst(&caption, &rows));
    int number = 0;
    NextModal<preventive::TFINVIA_PEC> sending([&](preventive::TFINVIA_PEC* w) {
        number = w->communication().INTER2;
        w->reject();
    });
    // No account yet: the sending window asks for it; here it is left.
    NextModal<preventive::TFACCOUNT_PEC> account([](auto* w) { w->reject(); });
    main.action("Action63")->trigger();
    EXPECT_EQ(caption, "COMUNICAZIONI PREVENTIVE DA INVIARE");
    EXPECT_EQ(rows, 1);
    EXPECT_EQ(sending.opened(), 1);
    EXPECT_EQ(number, 2);
    EXPECT_EQ(state.mode, 'I');
}

}  // namespace
}  // namespace braxol
