#pragma once
// What the transmission window does for a flow of register requests (flow kind "R"): it reads
// the outcome as a request flow's, which leaves the registers released by the customs office in
// PROTRE_TE.DAT; once the flow has gone to the real environment with an outcome that is not
// negative (or has been sent by hand), each released protocol is offered in the protocol window
// on the release request still waiting for its protocol, for the user to confirm.

#include <QWidget>

#include "store/work_folders.h"
#include "telematic/transmission_window.h"

namespace braxol::telematic {

RequestFlowSupport RegisterRequestSupport(const WorkFolders& folders);

// Offers each protocol of PROTRE_TE.DAT in the protocol window, one after the other, on the
// first release request whose protocol is still blank (each request once). A protocol already
// recorded, on a request or in PROTOCOLLI.TAB, is not offered again. Returns how many protocols
// were recorded. Throws IoError.
int OfferReleasedProtocols(QWidget* parent, const WorkFolders& folders);

}  // namespace braxol::telematic
