#pragma once
// FRICRETE ("Richiesta rilascio Registro Telematico"): the request that the customs service
// release a telematic register, valid from a date (DATMOV, today at opening), for a product
// family (INTER1, 500 to 9999; "518" at opening) under a title (ANNOTA, "MOSTO di BIRRA" at
// opening). Confirmed, the request is added to DATI_GEN/PROTRETE.DAT, unsent; with CINVIA
// ticked the request-flow window follows, to send it.

#include "telematic/request_window.h"

namespace braxol::telematic {

class TFRICRETE : public RequestWindow {
    Q_OBJECT
public:
    explicit TFRICRETE(RequestWindowContext context, QWidget* parent = nullptr);

private:
    void opened() override;
    bool checks();
};

inline void OpenReleaseRequest(QWidget* parent, RequestWindowContext context) {
    OpenRequestWindow<TFRICRETE>(parent, std::move(context));
}

}  // namespace braxol::telematic
