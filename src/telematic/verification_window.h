#pragma once
// FVERIFICA_FLUSSO, "Verifica l'esito di invio di un flusso in ambiente reale": the user gives
// a flow's date and number, sees the records of the year that flow carried, and with
// "CONFERMA" fetches the flow's outcome from the real environment of the customs service: a
// movement flow's, or a request flow's (read as such, by its record line). The window only shows:
// it changes no record. While the service is asked, the window keeps working; leaving it ends the
// call.

#include <QString>

#include "store/records.h"
#include "store/work_folders.h"
#include "telematic/flow_key_fields.h"
#include "telematic/soap_customs.h"
#include "telematic/telematic_state.h"
#include "ui/entry_window.h"

class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace braxol::ui {
class ConfirmButton;
}  // namespace braxol::ui

namespace braxol::telematic {

struct VerificationContext {
    WorkFolders folders;
    TUTENTE company;              // strings trimmed
    QString& workingYear;         // the window's year; the user may change it
    TelematicState& shared;       // the flow name and the environment are set by CONFERMA
    TransportFactory transports;  // empty: over the network
};

class TFVERIFICA_FLUSSO : public ui::EntryWindow {
    Q_OBJECT
public:
    explicit TFVERIFICA_FLUSSO(VerificationContext context, QWidget* parent = nullptr);
    ~TFVERIFICA_FLUSSO() override;

    // Leaving the window ends a call in flight.
    void done(int result) override;
    bool fetching() const { return transport_ != nullptr; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void rebuild();
    bool checks();
    void fetch();

    VerificationContext context_;
    FlowKeyFields flow_;  // LANNO, MDARI, INUCO
    QListWidget* records_;
    QPlainTextEdit* outcome_;
    ui::ConfirmButton* confirm_;
    QPushButton* leave_;
    net::SoapTransport* transport_ = nullptr;  // the call in flight
};

}  // namespace braxol::telematic
