// The tribute entries of the menu and the reminder that each activation of the main window
// runs.

#include <gtest/gtest.h>

#include <QAction>

#include "app/main_window.h"
#include "store/paths.h"
#include "support/configuration.h"
#include "support/qt/next_modal.h"
#include "support/qt/scripted_seams.h"
#include "support/qt/widget_helpers.h"
#include "support/record_builders.h"
#include "support/temp_folder.h"
#include "tributes/correction_window.h"
#include "tributes/excise_window.h"
#include "tributes/search_window.h"

namespace braxol {
namespace {

using namespace braxol::test;

class TributeEntries : public ::testing::Test {
protected:
    TempWorkFolder work;
    ScriptedSeams seams;
    app::RunState state;
    void SetUp() override {
        state.folders = work.folders();
        WriteConfiguration(state.folders);
        WriteMovements(YearFile(state.folders.registri, 2025, ".RGM"),
                       {Stored(Production(Day(2025, 3, 5), 100, 200), 1, 1)});
    }
};

TEST_F(TributeEntries, EachEntryOpensItsWindowInItsMode) {
    seams.clock.current = QDateTime(QDate(2025, 4, 2), QTime(9, 0));
    app::TFPRINCIPALE main(state);
    struct Case {
        const char* action;
        QString window;
        QChar mode;
    } cases[] = {{"Action30", "FACCISE_DA", 'I'},
                 {"Action31", "FRAVVEDIM", 'I'},
                 {"Action33", "FRICREGDER", 'T'},
                 {"Action37", "FRICREGDER", 't'}};
    for (const auto& c : cases) {
        QString opened;
        NextModal<QDialog> modal([&opened](QDialog* w) {
            opened = w->objectName();
            w->reject();
        });
        main.action(c.action)->trigger();
        EXPECT_EQ(opened, c.window) << c.action;
        EXPECT_EQ(state.mode, c.mode) << c.action;
    }
}

// Each activation reminds, from the 5th of the month on. (That the reminder's own box closing
// is no new activation is told in activation_test.cpp, with real boxes.)
TEST_F(TributeEntries, ReminderOnEachActivationFromTheFifth) {
    struct Case {
        QDate today;
        int reminders;  // over three activations
    } cases[] = {{QDate(2025, 4, 4), 0}, {QDate(2025, 4, 5), 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.today.toString().toStdString());
        seams.clock.current = QDateTime(c.today, QTime(9, 0));
        seams.messages.clear();
        app::TFPRINCIPALE main(state);
        for (int i = 0; i < 3; ++i) main.activated();
        EXPECT_EQ(static_cast<int>(seams.messages.shown().size()), c.reminders)
            << seams.messages.texts().join("|").toStdString();
    }
}

}  // namespace
}  // namespace braxol
