#include "telematic/signing_clean_window.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "store/flows.h"
#include "telematic/signing_start.h"
#include "ui/busy_cursor.h"
#include "ui/confirm_button.h"
#include "ui/enter_on_buttons.h"
#include "ui/io_error_box.h"
#include "ui/seams.h"

namespace braxol::telematic {

TFCANCELLA_FILE_FIRMA::TFCANCELLA_FILE_FIRMA(SigningCleanRequest request, QWidget* parent)
    : QDialog(parent),
      request_(std::move(request)),
      toSign_(new QLabel(this)),
      signed_(new QLabel(this)),
      confirm_(new ui::ConfirmButton(this)),
      leave_(new QPushButton(QStringLiteral("&Abbandona"), this)) {
    setObjectName("FCANCELLA_FILE_FIRMA");
    setModal(true);
    setWindowTitle(
        QStringLiteral("Cancella i file della cartella DAFIRMARE e FIRMATI della Firma Digitale"));
    toSign_->setObjectName("LDAFIRMARE");
    signed_->setObjectName("LFIRMATI");
    leave_->setObjectName("BABBANDONA");
    leave_->setAutoDefault(false);
    ui::PressOnEnter({leave_});
    for (QLabel* l : {toSign_, signed_}) l->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("DAFIRMARE: "), toSign_);
    form->addRow(QStringLiteral("FIRMATI: "), signed_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(confirm_);
    buttons->addWidget(leave_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);

    setMinimumWidth(560);
    confirm_->setSave([this] { clean(); });
    connect(leave_, &QPushButton::clicked, this, &QDialog::reject);
}

void TFCANCELLA_FILE_FIRMA::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    toSign_->setText(QString::fromStdString(ToSignFolder(request_.paths).string()));
    signed_->setText(QString::fromStdString(SignedFolder(request_.paths).string()));
    confirm_->setFocus(Qt::OtherFocusReason);
}

void TFCANCELLA_FILE_FIRMA::clean() {
    CleanResult result;
    {
        ui::BusyCursor busy;
        result = CleanSignatureFolders(request_.company.CODUTE.trimmed(),
                                       ToSignFolder(request_.paths), SignedFolder(request_.paths));
    }
    // A file that cannot be deleted stops the clearing: it is named, then what was deleted.
    if (result.failure) ui::ShowIoError(this, *result.failure);
    ui::Inform(this, QString::fromStdString(result.message()));
    accept();
}

void OpenSigningClean(QWidget* parent, SigningCleanRequest request) {
    TFCANCELLA_FILE_FIRMA window(std::move(request), parent);
    window.exec();
}

}  // namespace braxol::telematic
