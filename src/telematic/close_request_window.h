#pragma once
// FCHIUANNPROT_RETE: the request to close ("Chiusura del Registro Telematico", mode "F") or to
// cancel ("   Annulla Registro Telematico  ", mode "A") a released telematic register. It shows
// the chosen release request, every field read-only; confirmed, a closing or cancellation
// request carrying the register's protocol is added to DATI_GEN/PROTRETE.DAT, unsent; with
// CINVIA ticked the request-flow window follows.

#include <QString>

#include "telematic/request_window.h"

class QLabel;

namespace braxol::telematic {

// The caption of the window in its mode, 'F' or 'A'.
QString ClosingCaption(QChar mode);

class TFCHIUANNPROT_RETE : public RequestWindow {
    Q_OBJECT
public:
    explicit TFCHIUANNPROT_RETE(RequestWindowContext context, QWidget* parent = nullptr);

private:
    void opened() override;
    bool checks();

    QLabel* heading_;  // Label5
};

inline void OpenClosingRequest(QWidget* parent, RequestWindowContext context) {
    OpenRequestWindow<TFCHIUANNPROT_RETE>(parent, std::move(context));
}

}  // namespace braxol::telematic
