#include "telematic/request_fields.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "store/numbers.h"
#include "telematic/register_requests.h"
#include "ui/confirm_button.h"
#include "ui/entry_window.h"
#include "ui/fields.h"
#include "ui/seams.h"
#include "ui/text.h"

namespace braxol::telematic {
namespace {

constexpr int kFamilyLength = 4;
constexpr int kTitleLength = 200;
constexpr int kProtocolLength = 10;

}  // namespace

RequestFields::RequestFields(ui::EntryWindow* window, RequestFieldSet set)
    : window_(window),
      validFrom_(new ui::DateEdit(window)),
      family_(new ui::IntegerEdit(window)),
      title_(new QLineEdit(window)),
      confirm_(new ui::ConfirmButton(window)),
      leave_(new QPushButton(QStringLiteral("&Abbandona"), window)) {
    validFrom_->setObjectName("DATMOV");
    family_->setObjectName("INTER1");
    title_->setObjectName("ANNOTA");
    leave_->setObjectName("BABBANDONA");
    family_->setMaxLength(kFamilyLength);
    title_->setMaxLength(kTitleLength);
    if (set.protocol) {
        protocolDate_ = new ui::DateEdit(window);
        protocol_ = new QLineEdit(window);
        protocolDate_->setObjectName("DATFLU");
        protocol_->setObjectName("PROTOC");
        protocol_->setMaxLength(kProtocolLength);
        protocol_->setToolTip(
            QStringLiteral("Riportare il numero di protocollo registrato dalla dogana"));
    }
    if (set.send) {
        send_ = new QCheckBox(
            QStringLiteral("Dopo la conferma crea il flusso da inviare al Sistema Telematico"),
            window);
        send_->setObjectName("CINVIA");
    }
    leave_->setAutoDefault(false);
    QObject::connect(leave_, &QPushButton::clicked, window, &QDialog::reject);
}

QVBoxLayout* RequestFields::layOut(QWidget* heading) {
    auto letters = [this](int n) {
        return window_->fontMetrics().horizontalAdvance(QString(n, QChar('W')));
    };
    validFrom_->setFixedWidth(letters(8));
    family_->setFixedWidth(letters(kFamilyLength + 1));
    title_->setMinimumWidth(letters(40));

    auto label = [this](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, window_);
        l->setObjectName("ET" + buddy->objectName());
        l->setBuddy(buddy);
        return l;
    };
    auto* form = new QFormLayout;
    form->addRow(label(QStringLiteral("Data inizio validità del Registro Telematico"), validFrom_),
                 validFrom_);
    form->addRow(label(QStringLiteral("Codice famiglia prodotto"), family_), family_);
    form->addRow(label(QStringLiteral("Titolo del Registro"), title_), title_);
    if (protocolDate_) {
        protocolDate_->setFixedWidth(letters(8));
        protocol_->setFixedWidth(letters(kProtocolLength + 1));
        form->addRow(label(QStringLiteral("Data del rilascio del protocollo"), protocolDate_),
                     protocolDate_);
        QLabel* number = label(QStringLiteral("N. del Protocollo"), protocol_);
        number->setToolTip(protocol_->toolTip());
        form->addRow(number, protocol_);
    }

    auto* layout = new QVBoxLayout(window_);
    if (heading) layout->addWidget(heading);
    layout->addLayout(form);
    if (send_) layout->addWidget(send_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(confirm_);
    buttons->addStretch();
    buttons->addWidget(leave_);
    layout->addLayout(buttons);
    return layout;
}

void RequestFields::show(const TMOVIMENTO& r) {
    validFrom_->setDate(r.DATMOV);
    family_->setText(QString::number(r.INTER1));
    title_->setText(ui::FromField(r.ANNOTA));
    if (protocolDate_) protocolDate_->setDate(r.DATFLU);
    if (protocol_) protocol_->setText(ui::FromField(r.NUMPRO));
    for (QLineEdit* field : {static_cast<QLineEdit*>(validFrom_), static_cast<QLineEdit*>(family_),
                             title_, static_cast<QLineEdit*>(protocolDate_), protocol_})
        if (field) field->setCursorPosition(0);
}

void RequestFields::makeReadOnly(std::initializer_list<QLineEdit*> fields) {
    for (QLineEdit* field : fields) {
        field->setReadOnly(true);
        field->setFocusPolicy(Qt::ClickFocus);
    }
}

void RequestFields::guardConfirmOnce() {
    confirm_->setUntouchedGuard([this] { return window_->untouched(); },
                                [this] {
                                    window_->setUntouched(false);
                                    window_->focusFirstField();
                                });
}

std::optional<int> RequestFields::acceptedFamily() {
    const int family = ParseInteger(family_->text().toStdString());
    if (FamilyAccepted(family)) return family;
    family_->setFocus(Qt::OtherFocusReason);
    ui::Warn(window_, kFamilyRefused);
    return std::nullopt;
}

bool RequestFields::sendAfter() const {
    return send_ && send_->isChecked();
}

}  // namespace braxol::telematic
