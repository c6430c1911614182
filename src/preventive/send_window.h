#pragma once
// The sending window FINVIA_PEC ("Invia documento tramite e-mail"): the certified e-mail of one
// preventive communication to the customs addresses of the account (LDEST), with its subject
// (OGGETTO), the text last sent (TESTO, kept in DATI_GEN/TESTOPEC.RTF) and the letter
// PREVENTIVE/<yyyy>/<number>.PDF attached (BMOSTRAALLEGATO opens it). "&INVIA  PEC" sends it,
// then, when the account asks for it, a copy to the brewery's own address. Only once the
// server has taken the message for every recipient does the communication record the date and
// time of the sending (DATPEC, MITDES), which the productions then carry.

#include <QString>

#include "preventive/pec_account.h"
#include "store/records.h"
#include "store/work_folders.h"
#include "ui/entry_window.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace braxol::preventive {

inline const QString kNoRecipientsText =
    QStringLiteral("Non è stato specificato l'indirizzo mail della Dogana destinataria");
inline const QString kSendFailedMessage = QStringLiteral("Invio PEC non riuscito");
inline const QString kCopySentMessage =
    QStringLiteral("copia della PEC inviata al proprio indirizzo");
inline const QString kCopyFailedMessage =
    QStringLiteral("Invio copia della PEC al proprio indirizzo non riuscito");
inline const QString kNotStampedMessage = QStringLiteral(
    "ATTENZIONE: LA COMUNICAZIONE NON È PIÙ IN ARCHIVIO, LA DATA E L'ORA DELLA PEC NON SONO STATE "
    "REGISTRATE");

struct SendRequest {
    WorkFolders folders;
    TMOVIMENTO communication;  // as stored in REGISTRI/<yyyy>.PRV
};

class TFINVIA_PEC : public ui::EntryWindow {
    Q_OBJECT
public:
    explicit TFINVIA_PEC(const SendRequest& request, QWidget* parent = nullptr);

    // The communication as the last sending left it (DATPEC and MITDES once sent).
    const TMOVIMENTO& communication() const { return communication_; }
    bool sending() const { return sending_; }

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void layOut();
    void opened();
    // The customs addresses of the account; `askWhenMissing`: a missing account opens the
    // account window first.
    void showRecipients(bool askWhenMissing);
    void showAttachment();
    void showWholeSubject();
    void send();
    // One sending pass; true when the server took the message for every recipient.
    bool pass(const PecAccount& account, const QStringList& recipients, const QString& subject);
    void stamp();

    SendRequest request_;
    TMOVIMENTO communication_;
    bool sending_ = false;

    QLabel* recipients_;       // LDEST
    QLineEdit* subject_;       // OGGETTO
    QPlainTextEdit* text_;     // TESTO
    QPushButton* attachment_;  // BMOSTRAALLEGATO
    QPushButton* send_;        // BCONF
    QPushButton* leave_;       // BABBANDONA
};

// Opens the sending window on the communication.
void OpenSending(QWidget* parent, const SendRequest& request);

}  // namespace braxol::preventive
