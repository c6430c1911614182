#pragma once
// FTELEMATICO ("SERVIZIO TELEMATICO DOGANALE - TRASMISSIONE FILE"): follows a flow just
// created. It waits for the signing program to leave the signed file, checking every two
// seconds without ever blocking (leaving the window ends the wait at once); then it sends the
// file to the test environment (and, when the user agrees, at once to the real one), to the
// real environment, or sends the user to the customs site to send it by hand. It shows the
// service's answer and the outcome, and after a real sending whose outcome is not negative,
// or a sending by hand, it marks the records the flow carried as sent.

#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

#include "store/records.h"
#include "store/work_folders.h"
#include "telematic/outcome_reader.h"
#include "telematic/soap_customs.h"
#include "telematic/telematic_state.h"
#include "ui/entry_window.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTextEdit;

namespace braxol::ui {
class ConfirmButton;
}

namespace braxol::telematic {

// What a flow of register requests (flow kind "R") needs of this window: how its outcome is
// read and how the protocols it brings are stored. The register requests plug it in; without
// it such a flow's outcome is read as a movement flow's and nothing is stored.
struct RequestFlowSupport {
    OutcomeReader reader;
    std::function<void(QWidget* parent)> markSent;
};

struct TransmissionContext {
    WorkFolders folders;
    TTABELLA paths = BlankTabella();  // APPL.CFG, strings trimmed: the signing program
    TTABELLA web = BlankTabella();    // WEB.CFG, strings trimmed: 3 real site, 5 test site
    TelematicState& shared;           // the flow to send; the environment of the last call
    // Empty: over the network, with the credentials of the company record as stored at each
    // sending (the password may have been changed from this window meanwhile).
    TransportFactory transports;
    RequestFlowSupport requestFlows;
};

class TFTELEMATICO : public ui::EntryWindow {
    Q_OBJECT
public:
    static constexpr int kPollMilliseconds = 2000;

    explicit TFTELEMATICO(TransmissionContext context, QWidget* parent = nullptr);
    ~TFTELEMATICO() override;

    bool waiting() const { return poll_.isActive(); }
    bool fileSigned() const { return signed_; }
    bool sent() const { return sent_; }
    bool sending() const { return sending_; }

    // Leaving the window ends the wait and a call in flight.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void layOut();
    void open();
    void poll();
    void signedFileArrived();
    bool checks();
    void send();
    void sendToTest();
    void sendToReal();
    // Uploads the signed file to the environment and shows the answer: whether the service took
    // it; nothing when the window was left during the call.
    std::optional<bool> upload(Environment environment);
    // The outcome text; nothing when the window was left during the call.
    std::optional<QString> fetchOutcome(Environment environment);
    std::unique_ptr<net::SoapTransport> transport(Environment environment);
    void markSent();
    void print();
    void changePassword();
    void openEdi();
    void showDetails(const QString& details);

    TransmissionContext context_;
    QTimer poll_;
    int polls_ = 0;
    bool pollFaultShown_ = false;  // a fault in looking for the signed file is told once
    bool signed_ = false;
    bool stop_ = false;
    bool sent_ = false;
    bool sending_ = false;
    QString answer_;  // the service's answer to the last upload, above the outcome
    net::SoapTransport* inFlight_ = nullptr;

    QLabel* signedCaption_;   // Label1
    QLabel* flowName_;        // Label2
    QLabel* waitCaption_;     // Label3
    QLabel* waitProgress_;    // Label4
    QPushButton* restart_;    // BFIRMA
    QGroupBox* environment_;  // GAMBIENTE
    QRadioButton* test_;      // RPROVA
    QRadioButton* real_;      // RREALE
    QRadioButton* site_;      // RSITO
    QButtonGroup* choice_;
    QTextEdit* details_;  // RICHED
    ui::ConfirmButton* confirm_;
    QPushButton* print_;     // BSTAMPA
    QPushButton* password_;  // BPSW
    QPushButton* edi_;       // BEDI
    QPushButton* leave_;     // BABBANDONA
};

// Opens the transmission window modally on the flow of `context.shared`.
void OpenTransmissionWindow(QWidget* parent, TransmissionContext context);

}  // namespace braxol::telematic
