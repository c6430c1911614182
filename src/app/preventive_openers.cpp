// The "Comunicazioni preventive" entries: a new communication, the change of one chosen in the
// archive, its deletion, its sending by certified e-mail and the account of the PEC.

#include "app/main_window.h"
#include "app/window_openers.h"
#include "preventive/account_window.h"
#include "preventive/preventive_window.h"
#include "preventive/send_window.h"
#include "production/deletion_window.h"

namespace braxol::app {

void BindPreventiveWindows(TFPRINCIPALE& main) {
    main.bind("Action58", [&main] {
        RunState& state = main.state();
        state.changeFlag = false;
        state.selected = BlankMovement();
        preventive::OpenPreventive(&main,
                                   {state.folders, std::nullopt, state.maxWidth, state.maxHeight});
    });
    main.bindChecked("Action59", [&main] {
        RunState& state = main.state();
        state.changeFlag = true;
        state.rectifyChange = false;
        if (auto chosen = ChooseRecord(main, 'C'))
            preventive::OpenPreventive(&main,
                                       {state.folders, *chosen, state.maxWidth, state.maxHeight});
    });
    main.bind("Action60", [&main] {
        RunState& state = main.state();
        state.mode = 'p';
        production::OpenDeletion(
            &main, {state.folders, 'p', state.actionTag, state.maxWidth, state.maxHeight});
    });
    main.bindChecked("Action63", [&main] {
        RunState& state = main.state();
        state.changeFlag = true;
        if (auto chosen = ChooseRecord(main, 'I'))
            preventive::OpenSending(&main, {state.folders, *chosen});
    });
    main.bind("Action64", [&main] { preventive::OpenPecAccount(&main, main.state().folders); });
}

}  // namespace braxol::app
