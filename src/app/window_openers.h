#pragma once
// Binds the menu entries of each subsystem to the windows that open from them.

#include <QChar>
#include <optional>

#include "app/run_state.h"
#include "tables/table_context.h"

namespace braxol::app {

class TFPRINCIPALE;

// What the code-table windows get from the run-time state.
tables::TableContext TableContextOf(const RunState& state);

// Lets the user pick a record in the movement chooser in this mode and reads it into the
// selected record of the state; nothing when none was chosen or it cannot be read.
std::optional<TMOVIMENTO> ChooseRecord(TFPRINCIPALE& main, QChar mode);

// The deletion window in the mode of its entry, centred on the main window.
void BindDeletion(TFPRINCIPALE& main, const char* action, QChar mode);

void BindTableWindows(TFPRINCIPALE& main);
void BindProductionWindows(TFPRINCIPALE& main);
void BindTributeWindows(TFPRINCIPALE& main);
void BindSetupWindows(TFPRINCIPALE& main);
void BindTelematicWindows(TFPRINCIPALE& main);
void BindOutcomeWindows(TFPRINCIPALE& main);
void BindRequestWindows(TFPRINCIPALE& main);
void BindPreventiveWindows(TFPRINCIPALE& main);
void BindRegisterWindows(TFPRINCIPALE& main);
void BindRawMaterialWindows(TFPRINCIPALE& main);

}  // namespace braxol::app
