#pragma once
// FMODPROT_RETE ("Modiifca Registro Telematico "): the request to modify a released telematic
// register. It shows the chosen release request; the validity start (DATMOV), family (INTER1,
// 500 to 9999) and title (ANNOTA) may be changed, the protocol (DATFLU, PROTOC) only shown.
// Confirmed, the chosen request takes the new values and a modification request carrying them
// and the register's protocol is added, unsent, in one write of DATI_GEN/PROTRETE.DAT; with
// CINVIA ticked the request-flow window follows.

#include "telematic/request_window.h"

namespace braxol::telematic {

class TFMODPROT_RETE : public RequestWindow {
    Q_OBJECT
public:
    explicit TFMODPROT_RETE(RequestWindowContext context, QWidget* parent = nullptr);

private:
    void opened() override;
    bool checks();
    void save();
};

inline void OpenModificationRequest(QWidget* parent, RequestWindowContext context) {
    OpenRequestWindow<TFMODPROT_RETE>(parent, std::move(context));
}

}  // namespace braxol::telematic
