#pragma once
// Binds the menu entries of each subsystem to the windows that open from them.

#include "app/run_state.h"
#include "tables/table_context.h"

namespace braxol::app {

class TFPRINCIPALE;

// What the code-table windows get from the run-time state.
tables::TableContext TableContextOf(const RunState& state);

void BindTableWindows(TFPRINCIPALE& main);
void BindSetupWindows(TFPRINCIPALE& main);

}  // namespace braxol::app
