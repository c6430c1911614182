// "Verifica l'esito d'invio di un flusso" and "Toglie i riferimenti di invio di un flusso": the
// working year becomes the current one and the window opens only when the configuration check
// passes.

#include <gtest/gtest.h>

#include <QAction>
#include <QDialog>
#include <QLineEdit>

#include "app/configuration_check.h"
#include "app/main_window.h"
#include "support/configuration.h"
#include "support/qt/next_modal.h"
#include "support/qt/scripted_seams.h"
#include "support/qt/widget_helpers.h"
#include "support/temp_folder.h"

namespace braxol {
namespace {

using namespace braxol::test;

TEST(OutcomeEntries, VerificationAndDetachOpenOnTheCurrentYearAfterTheChecks) {
    for (const auto& [action, window] :
         {std::pair{"Action62", "FVERIFICA_FLUSSO"}, std::pair{"Action23", "FCANCFLUSSO"}}) {
        SCOPED_TRACE(action);
        TempWorkFolder work;
        ScriptedSeams seams;
        seams.clock.current = QDateTime(QDate(2026, 1, 10), QTime(9, 0));
        app::RunState state;
        state.folders = work.folders();
        state.workingYear = "2024";
        app::TFPRINCIPALE main(state);
        ASSERT_TRUE(main.action(action)->isEnabled());

        // Without company data the window does not open.
        main.action(action)->trigger();
        EXPECT_TRUE(seams.messages.saw(app::kNoCompanyData));

        WriteConfiguration(state.folders);
        QString opened, year;
        NextModal<QDialog> modal([&](QDialog* w) {
            opened = w->objectName();
            year = ControlAs<QLineEdit>(w, "LANNO")->text();
            w->reject();
        });
        main.action(action)->trigger();
        EXPECT_EQ(opened, window);
        EXPECT_EQ(year, "2026");
        EXPECT_EQ(state.workingYear, "2026");
    }
}

}  // namespace
}  // namespace braxol
