// The "Tributi" entries: record E, record R, their rectification through the chooser and
// their search.

#include "app/main_window.h"
#include "app/window_openers.h"
#include "tributes/correction_window.h"
#include "tributes/excise_window.h"
#include "tributes/search_window.h"
#include "tributes/tribute_request.h"

namespace braxol::app {
namespace {

tributes::TributeRequest RequestOf(const RunState& state) {
    return {state.folders,  state.mode,     state.rectifyCancel, state.rectifyChange,
            state.selected, state.maxWidth, state.maxHeight};
}

// Sets the mode (and clears the rectification flags) for a new record or a search.
void Plain(RunState& state, QChar mode) {
    state.mode = mode;
    state.changeFlag = state.rectifyCancel = state.rectifyChange = false;
    state.selected = BlankMovement();
}

void BindRectification(TFPRINCIPALE& main, const char* action, QChar mode, bool cancelOnly) {
    main.bindChecked(action, [&main, mode, cancelOnly] {
        RunState& state = main.state();
        Plain(state, mode);
        if (!ChooseRecord(main, mode) && state.chosenNumope < 0) return;
        state.rectifyCancel = cancelOnly;
        state.rectifyChange = !cancelOnly;
        tributes::OpenTributeRectification(&main, RequestOf(state));
    });
}

}  // namespace

void BindTributeWindows(TFPRINCIPALE& main) {
    main.bindChecked("Action30", [&main] {
        Plain(main.state(), 'I');
        tributes::OpenExciseSummary(&main, RequestOf(main.state()));
    });
    main.bindChecked("Action31", [&main] {
        Plain(main.state(), 'I');
        tributes::OpenLatePaymentCorrection(&main, RequestOf(main.state()));
    });
    main.bind("Action33", [&main] {
        Plain(main.state(), 'T');
        tributes::OpenTributeSearch(&main, RequestOf(main.state()));
    });
    main.bind("Action37", [&main] {
        Plain(main.state(), 't');
        tributes::OpenTributeSearch(&main, RequestOf(main.state()));
    });
    BindRectification(main, "Action34", 'T', true);
    BindRectification(main, "Action35", 't', false);
}

}  // namespace braxol::app
