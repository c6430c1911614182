// The printed registers and the searches of the "Produzioni / Lavaggi" menu: the searches of
// productions and washes, the summary per period and the production register.

#include "app/main_window.h"
#include "app/window_openers.h"
#include "production/register_window.h"
#include "production/search_window.h"
#include "production/summary_window.h"

namespace braxol::app {
namespace {

void BindSearch(TFPRINCIPALE& main, const char* action, QChar mode,
                void (*open)(QWidget*, const production::SearchRequest&)) {
    main.bind(action, [&main, mode, open] {
        RunState& state = main.state();
        state.mode = mode;
        open(&main, {state.folders, mode});
    });
}

}  // namespace

void BindRegisterWindows(TFPRINCIPALE& main) {
    BindSearch(main, "Action16", 'P', production::OpenSearchProductions);
    BindSearch(main, "Action24", 'p', production::OpenSearchProductions);
    BindSearch(main, "Action17", 'L', production::OpenSearchWashes);
    BindSearch(main, "Action25", 'l', production::OpenSearchWashes);
    BindSearch(main, "Action44", QChar(), production::OpenSearchAll);
    main.bindChecked("Action46", [&main] {
        production::OpenPeriodSummary(&main, {main.state().folders, main.state().company});
    });
    main.bindChecked("Action21", [&main] {
        production::OpenProductionRegister(&main, {main.state().folders, main.state().company});
    });
}

}  // namespace braxol::app
