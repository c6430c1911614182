#pragma once
// What the four windows of the register requests share: the request they work on, and their
// controls. Every window shows the register's validity start (DATMOV), its product family
// (INTER1, digits only) and title (ANNOTA); the windows on a chosen release request also show
// the protocol's date (DATFLU) and number (PROTOC); the windows that add a request offer to
// create the request flow right after ("Dopo la conferma crea il flusso da inviare al Sistema
// Telematico", CINVIA, ticked at each opening).

#include <QChar>
#include <QString>
#include <functional>
#include <optional>

#include "store/records.h"
#include "store/work_folders.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QVBoxLayout;
class QWidget;

namespace braxol::ui {
class ConfirmButton;
class DateEdit;
class EntryWindow;
class IntegerEdit;
}  // namespace braxol::ui

namespace braxol::telematic {

struct RequestWindowContext {
    WorkFolders folders;
    // The release request chosen in the movement chooser (the protocol, modification, closing and
    // cancellation windows work on it).
    TMOVIMENTO chosen = BlankMovement();
    QChar mode;  // the closing window: 'F' closing, 'A' cancellation
    // Opens the request-flow window once a request has been added with CINVIA ticked.
    std::function<void(QWidget* parent)> openRequestFlow;
};

inline const QString kFamilyRefused = QStringLiteral("CODICE FAMIGLIA NON VALIDO");
// A protocol is recorded only with its number.
inline const QString kProtocolMissing = QStringLiteral("INDICARE IL NUMERO DEL PROTOCOLLO");
// The chosen request was deleted meanwhile (from another copy of the program).
inline const QString kRequestGone =
    QStringLiteral("LA RICHIESTA SCELTA NON E' PIU' PRESENTE NELL'ARCHIVIO DELLE RICHIESTE");

struct RequestFieldSet {
    bool protocol = false;  // DATFLU and PROTOC
    bool send = false;      // CINVIA
};

class RequestFields {
public:
    RequestFields(ui::EntryWindow* window, RequestFieldSet set);

    ui::DateEdit* validFrom() const { return validFrom_; }        // DATMOV
    ui::IntegerEdit* family() const { return family_; }           // INTER1
    QLineEdit* title() const { return title_; }                   // ANNOTA
    ui::DateEdit* protocolDate() const { return protocolDate_; }  // DATFLU, or null
    QLineEdit* protocol() const { return protocol_; }             // PROTOC, or null
    QCheckBox* send() const { return send_; }                     // CINVIA, or null
    ui::ConfirmButton* confirm() const { return confirm_; }       // BCONF
    QPushButton* leave() const { return leave_; }                 // BABBANDONA

    // The labelled fields, CINVIA and the buttons, under `heading` when there is one.
    QVBoxLayout* layOut(QWidget* heading = nullptr);
    // Shows the fields of a trimmed request.
    void show(const TMOVIMENTO& request);
    // Read-only fields show what they hold and are left out of the way of Tab and Enter.
    void makeReadOnly(std::initializer_list<QLineEdit*> fields);
    // While the window is untouched, entering the confirm button only goes back to the window's
    // first field, once: the next entry runs the checks.
    void guardConfirmOnce();

    // The family typed, when it is one a register may be asked for; otherwise the focus goes
    // back to the field first (so that leaving it for the confirm button does not also run the
    // button's checks) and the refusal is said.
    std::optional<int> acceptedFamily();
    // Whether the sending box is ticked.
    bool sendAfter() const;

private:
    ui::EntryWindow* window_;
    ui::DateEdit* validFrom_;
    ui::IntegerEdit* family_;
    QLineEdit* title_;
    ui::DateEdit* protocolDate_ = nullptr;
    QLineEdit* protocol_ = nullptr;
    QCheckBox* send_ = nullptr;
    ui::ConfirmButton* confirm_;
    QPushButton* leave_;
};

}  // namespace braxol::telematic
