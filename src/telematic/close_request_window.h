#pragma once
// FCHIUANNPROT_RETE: the request to close ("Chiusura del Registro Telematico", mode "F") or to
// cancel ("   Annulla Registro Telematico  ", mode "A") a released telematic register. It shows
// the chosen release request, every field read-only; confirmed, a closing or cancellation
// request carrying the register's protocol is added to DATI_GEN/PROTRETE.DAT, unsent; with
// CINVIA ticked the request-flow window follows.

#include <QString>

#include "store/records.h"
#include "telematic/request_fields.h"
#include "ui/entry_window.h"

class QLabel;

namespace braxol::telematic {

// The caption of the window in its mode, 'F' or 'A'.
QString ClosingCaption(QChar mode);

class TFCHIUANNPROT_RETE : public ui::EntryWindow {
    Q_OBJECT
public:
    explicit TFCHIUANNPROT_RETE(RequestWindowContext context, QWidget* parent = nullptr);

    void setContext(RequestWindowContext context) { context_ = std::move(context); }
    bool saved() const { return saved_; }
    bool sendAfter() const { return saved_ && fields_.sendAfter(); }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void open();
    bool checks();
    void save();

    RequestWindowContext context_;
    QLabel* heading_;  // Label5
    RequestFields fields_;
    TMOVIMENTO record_;
    bool saved_ = false;
};

// Opens the window modally on the chosen request and, when a request was added with CINVIA
// ticked, the request-flow window after it.
void OpenClosingRequest(QWidget* parent, RequestWindowContext context);

}  // namespace braxol::telematic
