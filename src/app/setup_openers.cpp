// The "Dati Aziendali" entries: signing paths, customs web addresses, password change, and
// the information window.

#include "app/main_window.h"
#include "app/window_openers.h"
#include "setup/beer_types_window.h"
#include "setup/company_window.h"
#include "setup/info_window.h"
#include "setup/password_window.h"
#include "setup/paths_window.h"
#include "setup/protocols_window.h"
#include "setup/web_window.h"

namespace braxol::app {
namespace {

template <class Window>
void OpenModal(TFPRINCIPALE& main) {
    Window window(main.state().folders, &main);
    window.exec();
}

}  // namespace

void BindSetupWindows(TFPRINCIPALE& main) {
    main.bindChecked("Action7", [&main] {
        RunState& state = main.state();
        state.tableName = "PROTOCOLLI";
        setup::OpenRegisterProtocols(&main, TableContextOf(state));
    });
    main.bind("Action8", [&main] {
        RunState& state = main.state();
        state.tableName = "PRAZ";
        state.singleEntry = false;
        setup::OpenBeerTypes(&main, TableContextOf(state));
    });
    // The company data: after it closes the status line and the checks follow what was saved.
    main.bind("Action9", [&main] {
        RunState& state = main.state();
        setup::TFDATIAZIENDA window(state.folders, &main, state.maxWidth, state.maxHeight);
        window.exec();
        main.refreshStatusLine();
    });
    main.bind("Action10", [&main] { OpenModal<setup::TFPERCORSI>(main); });
    main.bind("Action11", [&main] { OpenModal<setup::TFINDWEB>(main); });
    main.bind("Action61", [&main] { OpenModal<setup::TFCAMBIAPSW>(main); });
    main.bind("Action1", [&main] { OpenModal<setup::TFINFO>(main); });
}

}  // namespace braxol::app
