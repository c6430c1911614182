#include "app/main_window.h"
#include "app/window_openers.h"

namespace braxol::app {

void BindTableWindows(TFPRINCIPALE&) {}

}  // namespace braxol::app
