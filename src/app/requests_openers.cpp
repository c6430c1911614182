// The "Registri Telematici" entries: the register requests (release, protocol, modification,
// closing, cancellation), their deletion, the request flow with the transmission window that
// follows it, and the renunciation.

#include "app/configuration_check.h"
#include "app/main_window.h"
#include "app/window_openers.h"
#include "production/deletion_window.h"
#include "store/config_files.h"
#include "store/io_error.h"
#include "telematic/assigned_protocol_window.h"
#include "telematic/close_request_window.h"
#include "telematic/modify_request_window.h"
#include "telematic/release_request_window.h"
#include "telematic/renunciation_window.h"
#include "telematic/request_flow_window.h"
#include "telematic/request_transmission.h"
#include "ui/io_error_box.h"

namespace braxol::app {
namespace {

// The request flow and the renunciation from the configuration in memory; the transmission
// window that follows them reads a request flow's outcome.
telematic::RequestFlowRequest FlowRequestOf(TFPRINCIPALE& main) {
    RunState& state = main.state();
    telematic::RequestFlowRequest request;
    request.folders = state.folders;
    request.company = state.company;
    request.paths = state.paths;
    request.telematic = &state.telematic;
    request.openTransmission = [&main](QWidget* parent) {
        RunState& s = main.state();
        telematic::OpenTransmissionWindow(parent, {s.folders,
                                                   s.paths,
                                                   s.web,
                                                   s.telematic,
                                                   {},
                                                   telematic::RegisterRequestSupport(s.folders)});
    };
    return request;
}

// The request-flow window, once the configuration is complete.
void OpenRequestFlow(TFPRINCIPALE& main, QWidget* parent) {
    if (!CheckConfiguration(main.state(), parent)) return;
    telematic::OpenRequestFlowWindow(parent, FlowRequestOf(main));
}

telematic::RequestWindowContext ContextOf(TFPRINCIPALE& main,
                                          const TMOVIMENTO& chosen = BlankMovement(),
                                          QChar mode = {}) {
    telematic::RequestWindowContext context;
    context.folders = main.state().folders;
    context.chosen = chosen;
    context.mode = mode;
    context.openRequestFlow = [&main](QWidget* parent) { OpenRequestFlow(main, parent); };
    return context;
}

// An entry on a release request chosen in the movement chooser.
template <class Open>
void BindChosenRequest(TFPRINCIPALE& main, const char* action, QChar mode, Open open) {
    main.bind(action, [&main, mode, open] {
        if (const auto chosen = ChooseRecord(main, mode))
            open(&main, ContextOf(main, *chosen, mode));
    });
}

}  // namespace

void BindRequestWindows(TFPRINCIPALE& main) {
    main.bindChecked("Action47",
                     [&main] { telematic::OpenReleaseRequest(&main, ContextOf(main)); });
    BindChosenRequest(main, "Action53", 'P', [](QWidget* parent, auto context) {
        telematic::OpenAssignedProtocol(parent, std::move(context));
    });
    BindChosenRequest(main, "Action48", 'm', telematic::OpenModificationRequest);
    BindChosenRequest(main, "Action49", 'F', telematic::OpenClosingRequest);
    BindChosenRequest(main, "Action50", 'A', telematic::OpenClosingRequest);
    main.bind("Action51", [&main] {
        RunState& state = main.state();
        state.mode = 'R';
        production::OpenDeletion(
            &main, {state.folders, state.mode, state.actionTag, state.maxWidth, state.maxHeight});
    });
    main.bindChecked("Action52",
                     [&main] { telematic::OpenRequestFlowWindow(&main, FlowRequestOf(main)); });
    // The renunciation opens without the configuration check: it reads the company record and
    // the signing folders as they are stored.
    main.bind("Action54", [&main] {
        RunState& state = main.state();
        try {
            state.company = ReadCompany(state.folders.companyFile()).value_or(BlankTutente());
            state.paths = ReadConfigRecord(state.folders.applFile());
        } catch (const IoError& e) {
            ui::ShowIoError(&main, e);
            return;
        }
        telematic::OpenRenunciationWindow(&main, FlowRequestOf(main));
    });
}

}  // namespace braxol::app
