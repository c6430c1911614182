// The "Flussi Telematici" entries of this program's own: the flow window and the transmission
// window that follows it, the detach window, the signing program, and the clearing of the
// signing folders.

#include "app/configuration_check.h"
#include "app/main_window.h"
#include "app/window_openers.h"
#include "telematic/detach_window.h"
#include "telematic/flow_window.h"
#include "telematic/signing_clean_window.h"
#include "telematic/signing_start.h"
#include "telematic/transmission_window.h"
#include "ui/seams.h"

namespace braxol::app {
namespace {

// The transmission window on the flow just prepared, over the network.
void OpenTransmission(TFPRINCIPALE& main, QWidget* parent) {
    RunState& state = main.state();
    telematic::OpenTransmissionWindow(
        parent, {state.folders, state.paths, state.web, state.telematic, {}, {}});
}

}  // namespace

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
        request.openTransmission = [&main](QWidget* parent) { OpenTransmission(main, parent); };
        telematic::OpenFlowWindow(&main, std::move(request));
    });
    main.bind("Action23", [&main] {
        RunState& state = main.state();
        state.workingYear = QString::number(ui::Seams::clock().today().year());
        if (!CheckConfiguration(state, &main)) return;
        telematic::TFCANCFLUSSO window({state.folders, state.workingYear}, &main);
        window.exec();
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
