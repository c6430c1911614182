#pragma once
// Binds the menu entries of each subsystem to the windows that open from them.

namespace braxol::app {

class TFPRINCIPALE;

void BindTableWindows(TFPRINCIPALE& main);

}  // namespace braxol::app
