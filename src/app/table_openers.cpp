// The "Codici e Tabelle" entries: product codes, excise rates, customs offices, document
// types and table structures.

#include "app/main_window.h"
#include "app/window_openers.h"
#include "tables/codici.h"
#include "tables/codici_nc.h"
#include "tables/strutab.h"
#include "tables/tabaccise.h"

namespace braxol::app {

tables::TableContext TableContextOf(const RunState& state) {
    return {state.folders, state.tableName, state.singleEntry, state.maxWidth, state.maxHeight};
}

void BindTableWindows(TFPRINCIPALE& main) {
    RunState& state = main.state();
    auto open = [&main, &state](const char* table, bool singleEntry, auto opener) {
        return [&main, &state, table, singleEntry, opener] {
            state.tableName = table;
            state.singleEntry = singleEntry;
            opener(&main, TableContextOf(state));
        };
    };
    main.bind("Action2", open("TA20", false, tables::OpenProductCodes));
    main.bind("Action3", open("ACCISE", false, tables::OpenExciseRates));
    main.bind("Action4", open("TA03", false, tables::OpenCodeTable));
    main.bind("Action6", open("TA05C", false, tables::OpenCodeTable));
    main.bind("Action5", open("", false, tables::OpenTableStructures));
}

}  // namespace braxol::app
