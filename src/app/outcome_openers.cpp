// "Verifica l'esito d'invio di un flusso": the outcome of a flow sent to the real environment.

#include "app/configuration_check.h"
#include "app/main_window.h"
#include "app/window_openers.h"
#include "telematic/verification_window.h"
#include "ui/seams.h"

namespace braxol::app {

void BindOutcomeWindows(TFPRINCIPALE& main) {
    main.bind("Action62", [&main] {
        RunState& state = main.state();
        state.workingYear = QString::number(ui::Seams::clock().today().year());
        if (!CheckConfiguration(state, &main)) return;
        telematic::TFVERIFICA_FLUSSO window(
            {state.folders, state.company, state.workingYear, state.telematic, {}}, &main);
        window.exec();
    });
}

}  // namespace braxol::app
