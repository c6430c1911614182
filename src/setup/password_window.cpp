#include "setup/password_window.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>
#include <cmath>

#include "store/config_files.h"
#include "store/dates.h"
#include "store/io_error.h"
#include "ui/confirm_button.h"
#include "ui/field_exit.h"
#include "ui/fields.h"
#include "ui/io_error_box.h"
#include "ui/seams.h"
#include "ui/text.h"

namespace braxol::setup {
namespace {

constexpr int kAddressLength = 117;
constexpr int kPasswordLength = 20;
constexpr int kShortPassword = 8;
const QString kShortPasswordWarning = "Attenzione: la nuova password ha meno di 8 caratteri";

void SetColour(QLabel* label, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
}

}  // namespace

TFCAMBIAPSW::TFCAMBIAPSW(const WorkFolders& folders, QWidget* parent)
    : ui::EntryWindow(parent),
      folders_(folders),
      address_(new QLineEdit(this)),
      web_(new QPushButton("PREMI QUI per accedere al sito delle dogane", this)),
      userName_(new QLineEdit(this)),
      oldPassword_(new QLineEdit(this)),
      oldDate_(new ui::DateEdit(this)),
      password_(new QLineEdit(this)),
      date_(new ui::DateEdit(this)),
      time_(new QLabel(this)),
      almost_(new QLabel(this)),
      expired_(new QLabel("La Password è SCADUTA", this)),
      confirm_(new ui::ConfirmButton(this)),
      leave_(new QPushButton("&Abbandona", this)) {
    setObjectName("FCAMBIAPSW");
    setWindowTitle("Cambio Password d'accesso ale applicazioni del Sistema Telematico Doganalel");
    address_->setObjectName("DENOM2");
    web_->setObjectName("BWEB");
    userName_->setObjectName("INDIR2");
    oldPassword_->setObjectName("OLDCITTA2");
    oldDate_->setObjectName("OLDC_A_P2");
    password_->setObjectName("CITTA2");
    date_->setObjectName("C_A_P2");
    time_->setObjectName("LTEMPO");
    almost_->setObjectName("LQUASI");
    expired_->setObjectName("LSCADUTA");
    leave_->setObjectName("BABBANDONA");

    address_->setMaxLength(kAddressLength);
    password_->setMaxLength(kPasswordLength);
    // The stored values are shown for reference only: they can be selected and copied, but
    // Enter and Tab pass them by.
    for (QLineEdit* shown : {userName_, oldPassword_, static_cast<QLineEdit*>(oldDate_)}) {
        shown->setReadOnly(true);
        shown->setFocusPolicy(Qt::ClickFocus);
    }
    web_->setAutoDefault(false);
    SetColour(almost_, QColor(0xff, 0x00, 0xff));
    SetColour(expired_, Qt::red);

    auto label = [this](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, this);
        l->setObjectName("ET" + buddy->objectName());
        l->setBuddy(buddy);
        return l;
    };
    auto note = [this](const QString& text, const QString& name) {
        auto* l = new QLabel(text, this);
        l->setObjectName(name);
        l->setWordWrap(true);
        return l;
    };
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        label("Indirizzo pagina CAMBIO PASSWORD Sistema Telematico Doganale", address_));
    layout->addWidget(address_);
    layout->addWidget(web_);
    auto* stored = new QFormLayout;
    stored->addRow(label("Nome utente", userName_), userName_);
    stored->addRow(label("Password delle applicazioni", oldPassword_), oldPassword_);
    stored->addRow(label("Data ultimo cambio password", oldDate_), oldDate_);
    layout->addLayout(stored);
    layout->addWidget(time_);
    layout->addWidget(almost_);
    layout->addWidget(expired_);
    layout->addWidget(
        note("Se è stato effettuato il Cambio Password sul sito delle dogane "
             "trascrivetela nella casella sottostante e CONFERMATE",
             "LNOTA1"));
    auto* fresh = new QFormLayout;
    fresh->addRow(label("NUOVA Password delle applicazioni ", password_), password_);
    fresh->addRow(label("Registrata in data", date_), date_);
    layout->addLayout(fresh);
    layout->addWidget(
        note("RICORDA: prima di memorizzare la password in questa sezione deve "
             "essere cambiata sul SITO delle DOGANE",
             "LNOTA2"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(confirm_);
    buttons->addStretch();
    buttons->addWidget(leave_);
    layout->addSpacing(8);
    layout->addLayout(buttons);

    // Enter runs from the new password to its date and the confirm button.
    setTabOrder(password_, date_);
    setTabOrder(date_, confirm_);
    setTabOrder(confirm_, leave_);
    setTabOrder(leave_, address_);
    setTabOrder(address_, web_);
    resize(620, sizeHint().height());

    setFirstField(password_);
    attachConfirm(confirm_);
    confirm_->setChecks([this] { return checks(); });
    confirm_->setSave([this] { save(); });
    ui::OnFieldExit(date_, [this] { dateExit(); });
    connect(web_, &QPushButton::clicked, this, &TFCAMBIAPSW::openCustomsSite);
    connect(leave_, &QPushButton::clicked, this, &QDialog::reject);
}

void TFCAMBIAPSW::showEvent(QShowEvent* event) {
    ui::EntryWindow::showEvent(event);
    time_->hide();
    almost_->hide();
    expired_->hide();
    loaded_ = false;
    std::optional<TUTENTE> company;
    try {
        company = ReadCompany(folders_.companyFile());
    } catch (const IoError& e) {
        // Reported, and never saved over.
        const QString message = QString::fromStdString(e.italianMessage());
        QMetaObject::invokeMethod(
            this,
            [this, message] {
                ui::Inform(this, message, ui::Severity::Error);
                reject();
            },
            Qt::QueuedConnection);
        return;
    }
    if (!company) {
        // No company record yet: nothing to change.
        QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
        return;
    }
    stored_ = *company;
    loaded_ = true;
    showPasswordAge();
    address_->setText(ui::FromRecord(AccessAddress(stored_)));
    address_->setCursorPosition(0);
    userName_->setText(ui::FromField(stored_.INDIR2));
    oldPassword_->setText(ui::FromField(stored_.CITTA2));
    oldDate_->setText(ui::FromField(stored_.DATPSW));
    password_->clear();
    date_->setDate(ui::Today());
    password_->setFocus(Qt::OtherFocusReason);
}

void TFCAMBIAPSW::showPasswordAge() {
    // A change date that cannot be read (none recorded yet) never expires, and there are no
    // days to count: no status is shown, as the start-up checks give no warning for it.
    const auto recorded = ParseDate(stored_.DATPSW.trimmed());
    if (!recorded) return;
    const double changed = *recorded;
    const double today = ui::Today();
    if (today > changed + kPasswordDays) {
        expired_->show();
        return;
    }
    const auto daysLeft = static_cast<long long>(std::trunc(changed + kPasswordDays - today));
    QLabel* status = today <= changed + kPasswordQuietDays ? time_ : almost_;
    status->setText(QString("La password scadrà tra %1 giorni").arg(daysLeft));
    status->show();
}

void TFCAMBIAPSW::dateExit() {
    if (untouched() || !isVisible()) return;
    if (!date_->date()) ui::ReturnFocus(date_);
}

bool TFCAMBIAPSW::checks() {
    if (!loaded_) return false;
    TUTENTE record = stored_;
    const std::optional<double> changed = date_->date();
    if (!changed) {
        date_->setFocus(Qt::OtherFocusReason);
        return false;
    }
    record.DATPSW.set(FormatDate(*changed));
    SetAccessAddress(record, ui::ToRecord(address_->text()));
    const QString password = password_->text().trimmed();
    ui::SetField(record.CITTA2, password);
    if (password.size() < kShortPassword) ui::Warn(this, kShortPasswordWarning);
    pending_ = record;
    return true;
}

void TFCAMBIAPSW::save() {
    if (!loaded_) return;
    try {
        WriteCompany(folders_.companyFile(), pending_);
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
        return;
    }
    accept();
}

void TFCAMBIAPSW::openCustomsSite() {
    ui::OpenWebAddress(address_->text());
}

}  // namespace braxol::setup
