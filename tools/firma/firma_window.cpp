#include "firma_window.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "firma_flows.h"

namespace braxol::firma {
namespace {

QString Text(const std::string& s) {
    return QString::fromStdString(s);
}

}  // namespace

FirmaWindow::FirmaWindow(Signer signer, std::filesystem::path workFolder, const QString& notice)
    : signer_(std::move(signer)),
      workFolder_(std::move(workFolder)),
      certificate_(new QLabel(this)),
      waiting_(new QLabel(this)),
      signed_(new QListWidget(this)),
      timer_(new QTimer(this)) {
    setObjectName("FIRMA");
    setWindowTitle(QStringLiteral("braxol-firma - Firma dei flussi telematici"));
    certificate_->setObjectName("CERTIFICATO");
    certificate_->setWordWrap(true);
    certificate_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    certificate_->setText(QStringLiteral("Certificato: ") + Text(signer_.subject()) +
                          (notice.isEmpty() ? QString() : "\n" + notice));
    waiting_->setObjectName("ATTESA");
    waiting_->setWordWrap(true);
    signed_->setObjectName("FIRMATI");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("&Chiudi"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(certificate_);
    layout->addWidget(new QLabel(QStringLiteral("File firmati:"), this));
    layout->addWidget(signed_, 1);
    layout->addWidget(waiting_);
    layout->addWidget(buttons);
    resize(640, 360);

    // While the window is open, flows created later are signed too.
    connect(timer_, &QTimer::timeout, this, &FirmaWindow::signPending);
    timer_->start(2000);
    signPending();
}

void FirmaWindow::signPending() {
    try {
        const WorkSetup setup = ReadWorkSetup(workFolder_);
        waiting_->setText(QStringLiteral("In attesa di nuovi flussi nella cartella ") +
                          Text(setup.toSign.string()));
        const QString now = QDateTime::currentDateTime().toString("dd/MM/yyyy hh:mm:ss");
        for (const SigningResult& r : SignPending(setup, signer_)) {
            if (r.error.empty())
                signed_->addItem(now + "  " + Text(r.flow) + "  →  " + Text(r.signedFile.string()));
            else
                signed_->addItem(now + "  " + Text(r.flow) + "  NON FIRMATO: " + Text(r.error));
        }
    } catch (const FirmaError& e) {
        waiting_->setText(QStringLiteral("ATTENZIONE: ") + Text(e.what()));
    }
}

}  // namespace braxol::firma
