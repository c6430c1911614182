#pragma once
// FPROT_RETE ("Protocollo rilasciato per il Registro Telematico"): records the protocol that
// the customs office gave a released register. It shows the chosen release request (validity
// start, family, title, read-only) and asks for the protocol's date (DATFLU) and number
// (PROTOC). Confirmed, the request carries the protocol in DATI_GEN/PROTRETE.DAT and the
// protocol enters the register-protocol table PROTOCOLLI.TAB, so that the productions and
// washes from the register's validity start take it. Opened from the menu on a request chosen
// in the movement chooser, and by the transmission window for each register that a request
// flow's outcome says was released (the protocol's number and date then filled in).

#include "telematic/request_window.h"

namespace braxol::telematic {

class TFPROT_RETE : public RequestWindow {
    Q_OBJECT
public:
    explicit TFPROT_RETE(RequestWindowContext context, QWidget* parent = nullptr);

private:
    void opened() override;
    // DATFLU into the record, with the protocol's year; false for a date that is no date.
    bool readProtocolDate();
    bool checks();
    void save();
};

// Opens the window modally on the chosen request; true when the protocol was recorded.
bool OpenAssignedProtocol(QWidget* parent, RequestWindowContext context);

}  // namespace braxol::telematic
