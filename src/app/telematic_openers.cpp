// The "Flussi Telematici" entries of this program's own: the flow window, the signing program,
// and the clearing of the signing folders.

#include "app/main_window.h"
#include "app/window_openers.h"
#include "telematic/flow_window.h"
#include "telematic/signing_clean_window.h"
#include "telematic/signing_start.h"
#include "ui/seams.h"

namespace braxol::app {

void BindTelematicWindows(TFPRINCIPALE& main) {
    main.bindChecked("Action22", [&main] {
        RunState& state = main.state();
        state.workingYear = QString::number(ui::Seams::clock().today().year());
        telematic::FlowWindowRequest request;
        request.folders = state.folders;
        request.company = state.company;
        request.paths = state.paths;
        request.workingYear = &state.workingYear;
        request.telematic = &state.telematic;
        // The transmission window opens here once it exists.
        telematic::OpenFlowWindow(&main, std::move(request));
    });
    main.bindChecked("Action28", [&main] {
        const RunState& state = main.state();
        telematic::StartSigningProgram(&main, telematic::SigningProgram(state.paths),
                                       state.folders.root);
    });
    main.bindChecked("Action65", [&main] {
        const RunState& state = main.state();
        telematic::OpenSigningClean(&main, {state.company, state.paths});
    });
}

}  // namespace braxol::app
