#pragma once
// What the production window and the wash window share: how they are opened (the request),
// and the part of their work that is the same for both, done once here: the register protocol
// in force at the date, the initial reading proposed for a new entry, the confirmation rule
// (the untouched guard and the confirm guard, the note of a rectification), the duplicate
// warning and the save in the yearly register.
//
// A company or register file that cannot be read is reported with the input/output error box;
// the window then closes, or stays open without saving, and never writes the file.

#include <QString>
#include <functional>
#include <initializer_list>
#include <optional>

#include "production/brew_computation.h"
#include "store/io_error.h"
#include "store/records.h"
#include "store/work_folders.h"
#include "ui/entry_window.h"

class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace braxol::ui {
class ConfirmButton;
class DateEdit;
}  // namespace braxol::ui

namespace braxol::production {

// What the main window gives an entry window: the folders, the mode, the record chosen for a
// change or a rectification (as read from its register; NUMOPE 0 for a new entry) and the
// largest size of the list windows opened from it (0: from the screen).
struct EntryRequest {
    using Mode = EntryMode;
    WorkFolders folders;
    Mode mode = Mode::New;
    TMOVIMENTO chosen = BlankMovement();
    int maxWidth = 0;
    int maxHeight = 0;
};

// Shown when no register protocol is in force at the date of a production or a wash.
inline const QString kNoProtocolMessage =
    QStringLiteral("Manca il protocollo del Registro delle Produzioni");
inline const QString kNoteRequiredMessage = QStringLiteral("Nota obbligatoria per le rettifiche");
inline const QString kReadingsOrderMessage =
    QStringLiteral("IL VALORE FINALE DEL MISURATORE DEVE ESSERE MAGGIORE DI QUELLO INIZIALE");
// Shown when the record chosen for a rectification is no longer in its register.
inline const QString kChosenMissingMessage = QStringLiteral(
    "IL MOVIMENTO SCELTO NON È PIÙ PRESENTE NEL REGISTRO: NESSUNA RETTIFICA SALVATA");

// Shown after a change moved an entry to another year and could not take it out of the old
// year's register.
QString OldEntryKeptMessage(const OldEntryKeptError& error);

class BrewEntryWindow : public ui::EntryWindow {
    Q_OBJECT
public:
    ~BrewEntryWindow() override;

    EntryMode mode() const { return request_.mode; }
    // The chosen record, trimmed.
    const TMOVIMENTO& chosen() const { return chosen_; }
    // The record as composed by the last confirmation checks.
    const TMOVIMENTO& composed() const { return composed_; }
    // Set from the opening until a key is typed in the window: the confirm button then only
    // sends the focus back to the date.
    bool confirmGuard() const { return confirmGuard_; }
    // Whether the last confirmation saved.
    bool saved() const { return saved_; }

public slots:
    void done(int result) override;

protected:
    // `confirmGuardInChange`: whether the confirm guard is set in change mode as well.
    BrewEntryWindow(const EntryRequest& request, bool confirmGuardInChange,
                    double firstProposalDate, QWidget* parent);

    // Wires the controls every entry has; the windows call it once they exist.
    void setUpCommon(ui::DateEdit* date, QLineEdit* initial, QLineEdit* note, QLabel* protocol,
                     ui::ConfirmButton* confirm, QPushButton* leave);
    // Creates the controls every entry has (the initial reading by `makeInitial`), with their
    // names, the caption of the register protocol and the note's length, and wires them.
    void setUpCommon(const std::function<QLineEdit*()>& makeInitial, const QString& protocolCaption,
                     int noteLength);

    // What the layouts use: the width of `n` letters "W", a label "ET<name>" for its buddy, a
    // line of widgets followed by a stretch, the title in bold and larger, the caption
    // "Registro:", the line of the confirm and leave buttons, and the tab order of `order`.
    int letters(int n) const;
    QLabel* buddyLabel(const QString& text, QWidget* buddy);
    static QHBoxLayout* Row(std::initializer_list<QWidget*> widgets);
    static void Emphasize(QLabel* title);
    QLabel* registerCaption();
    QHBoxLayout* buttonRow() const;
    void setTabOrderOf(std::initializer_list<QWidget*> order);
    // In the rectify modes, the window title and `title` become the caption of the mode.
    void showRectifyCaption(QLabel* title, const QString& cancelCaption,
                            const QString& changeCaption);

    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    // The window's own part of the opening and of the confirmation checks (after the guards
    // and the note of a rectification). False when a check failed and moved the focus.
    virtual void opened() = 0;
    virtual bool checkFields() = 0;
    // The record under construction, from the controls: StartRecord and the fixed fields.
    virtual void compose() = 0;

    // Runs `check` when the focus leaves `field` for another control of this window, unless the
    // window is untouched, closing, checking, or showing a read-only rectify-cancel.
    void onExit(QWidget* field, std::function<void()> check);
    // What a failed check has to say: nothing when it passed, an empty text when it failed
    // without a message.
    using Problem = std::optional<QString>;
    static Problem Silent() { return QString(); }
    // Gives the focus to the field at once (the control that was taking it never gets it), then
    // shows the message, if any.
    void refuse(QWidget* field, const QString& message = {});
    // Refuses when there is a problem; true when there is none.
    bool passes(const Problem& problem, QWidget* field);
    // The register protocol in force at the date into ANNPRO, NUMPRO and the label.
    Problem protocolCheck(double date);
    // The date of the date field into DATMOV, then protocolCheck.
    Problem dateAndProtocol();
    // The date of the date field into the record under construction (nothing when invalid).
    std::optional<double> readDate();
    // Proposes the initial reading for the record's date (new mode, once per date).
    void proposeInitialReading();
    // Shows an input/output error; the check fails without a further message.
    Problem failed(const IoError& error);

    EntryRequest request_;
    TUTENTE company_ = BlankTutente();
    TMOVIMENTO chosen_ = BlankMovement();
    TMOVIMENTO composed_ = BlankMovement();
    std::optional<IoError> companyError_;
    bool confirmGuard_ = true;
    bool checking_ = false;
    bool closing_ = false;
    bool saved_ = false;
    double lastProposal_;

    ui::DateEdit* date_ = nullptr;  // DATMOV
    QLineEdit* initial_ = nullptr;  // INTER1
    QLineEdit* note_ = nullptr;     // ANNOTA
    QLabel* protocol_ = nullptr;    // LTIPOREGISTRO
    ui::ConfirmButton* confirm_ = nullptr;
    QPushButton* leave_ = nullptr;  // BABBANDONA
    QString duplicateMessage_;

private:
    bool confirmChecks();
    void save();
    bool clearUntouchedOnActivation_ = false;
};

// Colours a read-only field as the window's buttons, an editable one as an edit.
void ShowEditable(QLineEdit* field, bool editable);

// The meter reading typed in the field.
int MeterReading(const QLineEdit* field);

}  // namespace braxol::production
