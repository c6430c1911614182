#include "production/brew_entry_common.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

#include "store/config_files.h"
#include "store/dates.h"
#include "store/numbers.h"
#include "ui/confirm_button.h"
#include "ui/field_exit.h"
#include "ui/fields.h"
#include "ui/io_error_box.h"
#include "ui/seams.h"
#include "ui/text.h"

namespace braxol::production {

void ShowEditable(QLineEdit* field, bool editable) {
    field->setReadOnly(!editable);
    const QPalette standard = QApplication::palette(field);
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, standard.color(editable ? QPalette::Base : QPalette::Button));
    field->setPalette(palette);
}

int MeterReading(const QLineEdit* field) {
    return ParseInteger(ui::ToRecord(field->text()));
}

QString OldEntryKeptMessage(const OldEntryKeptError& error) {
    const auto year = [](double date) { return QString::number(YearOfDate(date).value_or(0)); };
    return QStringLiteral(
               "ATTENZIONE: IL MOVIMENTO È STATO REGISTRATO NEL %1 COME OPERAZIONE N. "
               "%2, MA NON È STATO TOLTO DAL %3, DOVE RESTA COME OPERAZIONE N. %4: "
               "CANCELLALO CON \"Cancella dati non inviati\"")
        .arg(year(error.stored().DATMOV))
        .arg(error.stored().NUMOPE)
        .arg(year(error.old().DATMOV))
        .arg(error.old().NUMOPE);
}

BrewEntryWindow::BrewEntryWindow(const EntryRequest& request, bool confirmGuardInChange,
                                 double firstProposalDate, QWidget* parent)
    : ui::EntryWindow(parent), request_(request), lastProposal_(firstProposalDate) {
    chosen_ = request.chosen;
    TrimMovement(chosen_);
    if (request.mode == EntryMode::New) chosen_.NUMOPE = 0;
    confirmGuard_ = request.mode != EntryMode::Change || confirmGuardInChange;
    try {
        if (auto company = ReadCompany(request.folders.companyFile())) company_ = *company;
    } catch (const IoError& e) {
        companyError_ = e;
    }
    TrimTutente(company_);
}

BrewEntryWindow::~BrewEntryWindow() {
    ui::StopFieldExits(this);
}

void BrewEntryWindow::setUpCommon(ui::DateEdit* date, QLineEdit* initial, QLineEdit* note,
                                  QLabel* protocol, ui::ConfirmButton* confirm,
                                  QPushButton* leave) {
    date_ = date;
    initial_ = initial;
    note_ = note;
    protocol_ = protocol;
    confirm_ = confirm;
    leave_ = leave;
    setFirstField(date_);
    // The confirm button is refused while the window is untouched or its guard is set: the
    // focus goes back to the date, and the window counts as touched from then on.
    confirm_->setUntouchedGuard([this] { return untouched() || confirmGuard_; },
                                [this] {
                                    setUntouched(false);
                                    date_->setFocus(Qt::OtherFocusReason);
                                });
    confirm_->setChecks([this] { return confirmChecks(); });
    confirm_->setSave([this] { save(); });
    leave_->setAutoDefault(false);
    connect(leave_, &QPushButton::clicked, this, &QDialog::reject);
}

void BrewEntryWindow::setUpCommon(const std::function<QLineEdit*()>& makeInitial,
                                  const QString& protocolCaption, int noteLength) {
    auto* date = new ui::DateEdit(this);
    QLineEdit* initial = makeInitial();
    auto* note = new QLineEdit(this);
    auto* protocol = new QLabel(protocolCaption, this);
    auto* confirm = new ui::ConfirmButton(this);
    auto* leave = new QPushButton(QStringLiteral("&Abbandona"), this);
    date->setObjectName("DATMOV");
    initial->setObjectName("INTER1");
    note->setObjectName("ANNOTA");
    protocol->setObjectName("LTIPOREGISTRO");
    leave->setObjectName("BABBANDONA");
    setUpCommon(date, initial, note, protocol, confirm, leave);
    note->setMaxLength(noteLength);
}

int BrewEntryWindow::letters(int n) const {
    return fontMetrics().horizontalAdvance(QString(n, QChar('W')));
}

QLabel* BrewEntryWindow::buddyLabel(const QString& text, QWidget* buddy) {
    auto* l = new QLabel(text, this);
    l->setObjectName("ET" + buddy->objectName());
    l->setBuddy(buddy);
    return l;
}

QHBoxLayout* BrewEntryWindow::Row(std::initializer_list<QWidget*> widgets) {
    auto* line = new QHBoxLayout;
    for (QWidget* w : widgets) line->addWidget(w);
    line->addStretch();
    return line;
}

void BrewEntryWindow::Emphasize(QLabel* title) {
    QFont titleFont = title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.3);
    title->setFont(titleFont);
}

QLabel* BrewEntryWindow::registerCaption() {
    auto* caption = new QLabel(QStringLiteral("Registro:"), this);
    caption->setObjectName("LREGISTRO");
    return caption;
}

QHBoxLayout* BrewEntryWindow::buttonRow() const {
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(confirm_);
    buttons->addStretch();
    buttons->addWidget(leave_);
    return buttons;
}

void BrewEntryWindow::setTabOrderOf(std::initializer_list<QWidget*> order) {
    QWidget* previous = nullptr;
    for (QWidget* w : order) {
        if (previous) setTabOrder(previous, w);
        previous = w;
    }
}

void BrewEntryWindow::showRectifyCaption(QLabel* title, const QString& cancelCaption,
                                         const QString& changeCaption) {
    if (!IsRectify(mode())) return;
    const QString caption = mode() == EntryMode::RectifyCancel ? cancelCaption : changeCaption;
    setWindowTitle(caption);
    title->setText(caption);
}

void BrewEntryWindow::showEvent(QShowEvent* event) {
    ui::EntryWindow::showEvent(event);
    if (companyError_) {
        // Nothing can be entered without the company record, and nothing is written.
        const IoError error = *companyError_;
        QMetaObject::invokeMethod(
            this,
            [this, error] {
                ui::ShowIoError(this, error);
                reject();
            },
            Qt::QueuedConnection);
        return;
    }
    if (mode() != EntryMode::New) {
        // A change starts from a stored record: the window counts as touched, also once it
        // becomes active.
        setUntouched(false);
        clearUntouchedOnActivation_ = true;
    }
    opened();
}

void BrewEntryWindow::changeEvent(QEvent* event) {
    ui::EntryWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() &&
        clearUntouchedOnActivation_) {
        clearUntouchedOnActivation_ = false;
        setUntouched(false);
    }
}

bool BrewEntryWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && ui::TypesACharacter(static_cast<QKeyEvent*>(event)))
        confirmGuard_ = false;
    return ui::EntryWindow::eventFilter(watched, event);
}

void BrewEntryWindow::done(int result) {
    closing_ = true;
    ui::EntryWindow::done(result);
    closing_ = false;
}

void BrewEntryWindow::onExit(QWidget* field, std::function<void()> check) {
    ui::OnFieldExit(field, [this, check = std::move(check)] {
        if (untouched() || closing_ || checking_ || !isVisible()) return;
        // A cancellation changes nothing but the note.
        if (mode() == EntryMode::RectifyCancel) return;
        checking_ = true;
        check();
        checking_ = false;
    });
}

void BrewEntryWindow::refuse(QWidget* field, const QString& message) {
    // The focus goes back first, so that it is on the field when the message box closes.
    const bool wasChecking = checking_;
    checking_ = true;
    field->setFocus(Qt::OtherFocusReason);
    checking_ = wasChecking;
    if (!message.isEmpty()) ui::Warn(this, message);
}

bool BrewEntryWindow::passes(const Problem& problem, QWidget* field) {
    if (!problem) return true;
    refuse(field, *problem);
    return false;
}

BrewEntryWindow::Problem BrewEntryWindow::failed(const IoError& error) {
    ui::ShowIoError(this, error);
    return Silent();
}

std::optional<double> BrewEntryWindow::readDate() {
    const auto date = date_->date();
    if (date) composed_.DATMOV = *date;
    return date;
}

BrewEntryWindow::Problem BrewEntryWindow::dateAndProtocol() {
    const auto date = readDate();
    if (!date) return Silent();
    return protocolCheck(*date);
}

BrewEntryWindow::Problem BrewEntryWindow::protocolCheck(double date) {
    std::optional<RegisterProtocol> protocol;
    try {
        protocol = ProtocolInForce(request_.folders.datiGen, date);
    } catch (const IoError& e) {
        return failed(e);
    }
    if (!protocol) return kNoProtocolMessage;
    composed_.ANNPRO.set(protocol->year);
    composed_.NUMPRO.set(protocol->number);
    protocol_->setText(ui::FromRecord(ProtocolReference(*protocol)));
    return std::nullopt;
}

void BrewEntryWindow::proposeInitialReading() {
    if (mode() != EntryMode::New || !date_->date()) return;
    const double date = composed_.DATMOV;
    if (date == lastProposal_) return;
    lastProposal_ = date;
    try {
        if (const auto reading = ProposedInitialReading(request_.folders.registri, date))
            initial_->setText(QString::number(*reading));
    } catch (const IoError& e) {
        failed(e);
    }
}

bool BrewEntryWindow::confirmChecks() {
    const bool wasChecking = checking_;
    checking_ = true;
    bool passed = false;
    compose();
    if (IsRectify(mode()) && note_->text().trimmed().isEmpty()) {
        refuse(note_, kNoteRequiredMessage);
    } else if (checkFields()) {
        try {
            if (HasDuplicate(request_.folders.registri, composed_, chosen_))
                ui::Warn(this, duplicateMessage_);
            passed = true;
        } catch (const IoError& e) {
            failed(e);
            refuse(date_);
        }
    }
    checking_ = wasChecking;
    return passed;
}

void BrewEntryWindow::save() {
    std::vector<TMOVIMENTO> written;
    try {
        written = SaveEntry(request_.folders.registri, mode(), chosen_, composed_);
    } catch (const OldEntryKeptError& e) {
        // The entry is in its new register already: the window closes, so that nothing can
        // store it a second time, and the user learns which record is left over.
        failed(e);
        ui::Warn(this, OldEntryKeptMessage(e));
        saved_ = true;
        accept();
        return;
    } catch (const IoError& e) {
        failed(e);
        refuse(date_);
        return;
    }
    if (written.empty()) {
        ui::Warn(this, kChosenMissingMessage);
        reject();
        return;
    }
    saved_ = true;
    accept();
}

}  // namespace braxol::production
