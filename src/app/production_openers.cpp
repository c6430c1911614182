// The "Produzioni / Lavaggi" entries and the deletion entries of the tributes: the chooser,
// the details report and the deletion window.

#include "app/main_window.h"
#include "app/window_openers.h"
#include "production/deletion_window.h"
#include "production/details_report.h"
#include "production/movement_chooser.h"
#include "ui/text.h"

namespace braxol::app {
namespace {

production::ChooserRequest ChooserRequestOf(const RunState& state, QChar mode) {
    return {state.folders, mode, state.actionTag, state.maxWidth, state.maxHeight};
}

// The deletion window in the mode of its entry, centred on the main window.
void BindDeletion(TFPRINCIPALE& main, const char* action, QChar mode) {
    main.bind(action, [&main, mode] {
        RunState& state = main.state();
        state.mode = mode;
        production::OpenDeletion(
            &main, {state.folders, mode, state.actionTag, state.maxWidth, state.maxHeight});
    });
}

}  // namespace

std::optional<TMOVIMENTO> ChooseRecord(TFPRINCIPALE& main, QChar mode) {
    RunState& state = main.state();
    state.mode = mode;
    production::ChooserResult chosen;
    auto record = production::ChooseAndReadMovement(&main, ChooserRequestOf(state, mode), &chosen);
    state.chosenNumope = chosen.numope;
    state.chosenYear = chosen.year;
    state.selected = record.value_or(BlankMovement());
    return record;
}

void BindProductionWindows(TFPRINCIPALE& main) {
    BindDeletion(main, "Action15", 'C');
    BindDeletion(main, "Action20", 'c');
    BindDeletion(main, "Action32", 'T');
    BindDeletion(main, "Action36", 't');
    main.bindChecked("Action57", [&main] {
        if (auto record = ChooseRecord(main, 'D'))
            production::ShowDetails(&main, *record, ui::FromField(main.state().company.CODUTE));
    });
}

}  // namespace braxol::app
