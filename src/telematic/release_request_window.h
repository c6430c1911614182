#pragma once
// FRICRETE ("Richiesta rilascio Registro Telematico"): the request that the customs service
// release a telematic register, valid from a date (DATMOV, today at opening), for a product
// family (INTER1, 500 to 9999; "518" at opening) under a title (ANNOTA, "MOSTO di BIRRA" at
// opening). Confirmed, the request is added to DATI_GEN/PROTRETE.DAT, unsent; with CINVIA
// ticked the request-flow window follows, to send it.

#include "store/records.h"
#include "telematic/request_fields.h"
#include "ui/entry_window.h"

namespace braxol::telematic {

class TFRICRETE : public ui::EntryWindow {
    Q_OBJECT
public:
    explicit TFRICRETE(RequestWindowContext context, QWidget* parent = nullptr);
    ~TFRICRETE() override;

    // Whether the last opening added a request, and whether its flow is to follow.
    bool saved() const { return saved_; }
    bool sendAfter() const { return saved_ && fields_.sendAfter(); }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void open();
    void dateExit();
    void familyExit();
    bool checks();
    void save();

    RequestWindowContext context_;
    RequestFields fields_;
    TMOVIMENTO record_;
    bool saved_ = false;
};

// Opens the window modally and, when a request was added with CINVIA ticked, the request-flow
// window after it.
void OpenReleaseRequest(QWidget* parent, RequestWindowContext context);

}  // namespace braxol::telematic
