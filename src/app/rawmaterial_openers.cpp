// The "Materie Prime" entries (loads and unloads, their change and deletion, search, totals,
// the two registers, the table of the materials) and the annual balance of material and
// energy.

#include "app/main_window.h"
#include "app/window_openers.h"
#include "rawmaterials/balance_window.h"
#include "rawmaterials/daily_register_window.h"
#include "rawmaterials/material_register_window.h"
#include "rawmaterials/materials_window.h"
#include "rawmaterials/movement_chooser.h"
#include "rawmaterials/movement_window.h"
#include "rawmaterials/search_window.h"
#include "rawmaterials/totals_window.h"
#include "ui/seams.h"

namespace braxol::app {
namespace {

rawmaterials::MovementRequest MovementRequestOf(const RunState& state, bool change) {
    return {state.folders, change, state.selected, state.maxWidth, state.maxHeight};
}

tables::TableContext MaterialsContext(RunState& state) {
    state.tableName = rawmaterials::kMaterialsTable;
    state.singleEntry = false;
    return TableContextOf(state);
}

}  // namespace

void BindRawMaterialWindows(TFPRINCIPALE& main) {
    main.bindChecked("Action38", [&main] {
        RunState& state = main.state();
        state.changeFlag = false;
        state.selected = BlankMovement();
        rawmaterials::OpenRawMaterialMovements(&main, MovementRequestOf(state, false));
    });
    main.bindChecked("Action39", [&main] {
        RunState& state = main.state();
        state.changeFlag = true;
        const auto chosen = rawmaterials::ChooseRawMaterialMovement(
            &main, state.folders, state.maxWidth, state.maxHeight);
        state.chosenNumope = chosen.chosen.numope;
        state.chosenYear = chosen.chosen.year;
        state.selected = chosen.movement.value_or(BlankMovement());
        // A movement no longer in its file (deleted meanwhile by another copy of the program)
        // opens nothing: a change needs the stored movement it replaces.
        if (chosen.movement)
            rawmaterials::OpenRawMaterialMovements(&main, MovementRequestOf(state, true));
    });
    BindDeletion(main, "Action40", 'P');
    main.bind("Action41", [&main] {
        rawmaterials::OpenRawMaterialSearch(&main, MaterialsContext(main.state()));
    });
    main.bind("Action45",
              [&main] { rawmaterials::OpenRawMaterialTotals(&main, main.state().folders); });
    main.bindChecked("Action42", [&main] {
        rawmaterials::OpenMaterialRegister(&main, MaterialsContext(main.state()),
                                           main.state().company);
    });
    main.bindChecked("Action56", [&main] {
        rawmaterials::OpenDailyRegister(&main, {main.state().folders, main.state().company});
    });
    main.bind("Action43",
              [&main] { rawmaterials::OpenMaterialsTable(&main, MaterialsContext(main.state())); });
    main.bindChecked("Action55", [&main] {
        RunState& state = main.state();
        state.workingYear = QString::number(ui::Seams::clock().today().year());
        state.workingYear =
            rawmaterials::OpenBalance(&main, {state.folders, state.company, state.workingYear});
    });
}

}  // namespace braxol::app
