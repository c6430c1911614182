#pragma once
// The base of the four windows of the register requests: their controls (request_fields.h),
// the request they compose, and what they share of their work. The release and modification
// windows ask for a validity start and a family and check them when they are left; the windows
// that add a request add it whole, close, and (CINVIA ticked) let the request-flow window follow.

#include "store/records.h"
#include "telematic/request_fields.h"
#include "ui/entry_window.h"

namespace braxol::telematic {

class RequestWindow : public ui::EntryWindow {
    Q_OBJECT
public:
    // Whether the last opening stored what it was for, and whether the request flow is to
    // follow.
    bool saved() const { return saved_; }
    bool sendAfter() const { return saved_ && fields_.sendAfter(); }

protected:
    RequestWindow(RequestWindowContext context, RequestFieldSet set, QWidget* parent);
    ~RequestWindow() override;

    void showEvent(QShowEvent* event) override;
    // Each opening, once the window shows.
    virtual void opened() = 0;

    // Tab and Enter go through `fields`, then CINVIA, the confirm button and "Abbandona".
    void chainThrough(std::initializer_list<QWidget*> fields);
    // Leaving the validity start with a date that is no date goes back to it; leaving the
    // family with one no register is asked for says so and goes back to it. Only once the
    // user has typed in the window.
    void checkRegisterFieldsOnExit();
    // The title, validity start and family typed, into `record_`; false (the focus on the
    // field) when the date is no date or the family is refused.
    bool readRegisterFields();
    // Adds `record_` to DATI_GEN/PROTRETE.DAT and closes the window.
    void addRequest();
    // Closes the window once its save has stored what it was for (or found it gone).
    void finish(bool stored);

    RequestWindowContext context_;
    RequestFields fields_;
    TMOVIMENTO record_;

private:
    bool saved_ = false;
};

// Opens the window modally on the context and, when it added a request with CINVIA ticked,
// the request-flow window after it.
template <class Window>
void OpenRequestWindow(QWidget* parent, RequestWindowContext context) {
    Window window(context, parent);
    window.exec();
    if (window.sendAfter() && context.openRequestFlow) context.openRequestFlow(parent);
}

}  // namespace braxol::telematic
