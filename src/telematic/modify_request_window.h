#pragma once
// FMODPROT_RETE ("Modiifca Registro Telematico "): the request to modify a released telematic
// register. It shows the chosen release request; the validity start (DATMOV), family (INTER1,
// 500 to 9999) and title (ANNOTA) may be changed, the protocol (DATFLU, PROTOC) only shown.
// Confirmed, the chosen request takes the new values and a modification request carrying them
// and the register's protocol is added, unsent, in one write of DATI_GEN/PROTRETE.DAT; with
// CINVIA ticked the request-flow window follows.

#include "store/records.h"
#include "telematic/request_fields.h"
#include "ui/entry_window.h"

namespace braxol::telematic {

class TFMODPROT_RETE : public ui::EntryWindow {
    Q_OBJECT
public:
    explicit TFMODPROT_RETE(RequestWindowContext context, QWidget* parent = nullptr);
    ~TFMODPROT_RETE() override;

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

// Opens the window modally on the chosen request and, when a request was added with CINVIA
// ticked, the request-flow window after it.
void OpenModificationRequest(QWidget* parent, RequestWindowContext context);

}  // namespace braxol::telematic
