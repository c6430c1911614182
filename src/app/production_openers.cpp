// The "Produzioni / Lavaggi" entries and the deletion entries of the tributes: the chooser,
// the details report and the deletion window.

#include "app/main_window.h"
#include "app/window_openers.h"
#include "production/deletion_window.h"
#include "production/details_report.h"
#include "production/movement_chooser.h"
#include "production/production_window.h"
#include "production/wash_window.h"
#include "ui/text.h"

namespace braxol::app {
namespace {

production::ChooserRequest ChooserRequestOf(const RunState& state, QChar mode) {
    return {state.folders, mode, state.actionTag, state.maxWidth, state.maxHeight};
}

}  // namespace

void BindDeletion(TFPRINCIPALE& main, const char* action, QChar mode) {
    main.bind(action, [&main, mode] {
        RunState& state = main.state();
        state.mode = mode;
        production::OpenDeletion(
            &main, {state.folders, mode, state.actionTag, state.maxWidth, state.maxHeight});
    });
}

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

// Opens the production or the wash window on the record, by its movement code.
static void OpenEntry(TFPRINCIPALE& main, production::EntryMode mode, const TMOVIMENTO& chosen) {
    RunState& state = main.state();
    const production::EntryRequest request{state.folders, mode, chosen, state.maxWidth,
                                           state.maxHeight};
    const bool production = chosen.NUMOPE == 0 || chosen.CODMOV == "114";
    if (production)
        production::OpenProduction(&main, request);
    else
        production::OpenWash(&main, request);
}

// A new production or wash: no flags, no selected record.
static void OpenNew(TFPRINCIPALE& main, bool wash) {
    RunState& state = main.state();
    state.changeFlag = state.rectifyChange = state.rectifyCancel = false;
    state.selected = BlankMovement();
    const production::EntryRequest request{state.folders, production::EntryMode::New,
                                           state.selected, state.maxWidth, state.maxHeight};
    if (wash)
        production::OpenWash(&main, request);
    else
        production::OpenProduction(&main, request);
}

// Change or rectification of a chosen register movement.
static void BindChosenEntry(TFPRINCIPALE& main, const char* action, QChar mode,
                            production::EntryMode entryMode) {
    main.bindChecked(action, [&main, mode, entryMode] {
        RunState& state = main.state();
        state.changeFlag = entryMode == production::EntryMode::Change;
        state.rectifyCancel = entryMode == production::EntryMode::RectifyCancel;
        state.rectifyChange = entryMode == production::EntryMode::RectifyChange;
        if (auto record = ChooseRecord(main, mode)) OpenEntry(main, entryMode, *record);
    });
}

void BindProductionWindows(TFPRINCIPALE& main) {
    main.bindChecked("Action12", [&main] { OpenNew(main, false); });
    main.bindChecked("Action13", [&main] { OpenNew(main, true); });
    BindChosenEntry(main, "Action14", 'M', production::EntryMode::Change);
    BindChosenEntry(main, "Action18", 'E', production::EntryMode::RectifyCancel);
    BindChosenEntry(main, "Action19", 'e', production::EntryMode::RectifyChange);
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
