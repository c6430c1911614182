#include "preventive/send_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>

#include "net/smtp_background.h"
#include "preventive/account_window.h"
#include "preventive/communications.h"
#include "preventive/pec_message.h"
#include "preventive/rtf_text.h"
#include "store/config_files.h"
#include "store/dates.h"
#include "store/io_error.h"
#include "store/paths.h"
#include "store/safe_file.h"
#include "ui/busy_cursor.h"
#include "ui/io_error_box.h"
#include "ui/seams.h"
#include "ui/text.h"

namespace braxol::preventive {
namespace {

fs::path TextFile(const WorkFolders& folders) {
    return ResolvePath(folders.datiGen / "TESTOPEC.RTF");
}

// The account as the sending needs it; nothing when it is missing, or (reported, and told by
// `unreadable`) when it cannot be read.
std::optional<PecAccount> ReadAccount(QWidget* window, const WorkFolders& folders,
                                      bool* unreadable = nullptr) {
    try {
        return ReadPecAccount(folders.pecAccountFile());
    } catch (const IoError& e) {
        ui::ShowIoError(window, e);
        if (unreadable) *unreadable = true;
        return std::nullopt;
    }
}

}  // namespace

TFINVIA_PEC::TFINVIA_PEC(const SendRequest& request, QWidget* parent)
    : ui::EntryWindow(parent),
      request_(request),
      communication_(request.communication),
      recipients_(new QLabel(this)),
      subject_(new QLineEdit(this)),
      text_(new QPlainTextEdit(this)),
      attachment_(new QPushButton(this)),
      send_(new QPushButton(QStringLiteral("&INVIA  PEC"), this)),
      leave_(new QPushButton(QStringLiteral("&Abbandona"), this)) {
    setObjectName("FINVIA_PEC");
    setWindowTitle(QStringLiteral("Invia documento tramite e-mail"));
    recipients_->setObjectName("LDEST");
    subject_->setObjectName("OGGETTO");
    text_->setObjectName("TESTO");
    attachment_->setObjectName("BMOSTRAALLEGATO");
    send_->setObjectName("BCONF");
    leave_->setObjectName("BABBANDONA");
    for (QPushButton* b : {attachment_, send_, leave_}) b->setAutoDefault(false);
    layOut();
    setFirstField(text_);
    keepEnterIn(text_);
    connect(send_, &QPushButton::clicked, this, &TFINVIA_PEC::send);
    connect(leave_, &QPushButton::clicked, this, &QDialog::reject);
    connect(attachment_, &QPushButton::clicked, this, &TFINVIA_PEC::showAttachment);
}

void TFINVIA_PEC::layOut() {
    recipients_->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    auto* to = new QHBoxLayout;
    to->addWidget(new QLabel(QStringLiteral("A:"), this));
    to->addWidget(recipients_, 1);
    layout->addLayout(to);
    auto* subject = new QLabel(QStringLiteral("Oggetto"), this);
    subject->setBuddy(subject_);
    layout->addWidget(subject);
    layout->addWidget(subject_);
    auto* text = new QLabel(QStringLiteral("Testo"), this);
    text->setBuddy(text_);
    layout->addWidget(text);
    layout->addWidget(text_, 1);
    layout->addWidget(attachment_, 0, Qt::AlignLeft);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(send_);
    buttons->addStretch();
    buttons->addWidget(leave_);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    resize(640, 480);
    setTabOrder(subject_, text_);
    setTabOrder(text_, attachment_);
    setTabOrder(attachment_, send_);
}

void TFINVIA_PEC::showEvent(QShowEvent* event) {
    ui::EntryWindow::showEvent(event);
    if (!event->spontaneous()) opened();
}

void TFINVIA_PEC::opened() {
    const TMOVIMENTO& c = communication_;
    attachment_->setText("Mostra l'allegato: " + QString::number(c.INTER2) + ".pdf");
    TUTENTE company = BlankTutente();
    try {
        if (auto stored = ReadCompany(request_.folders.companyFile())) company = *stored;
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
    }
    subject_->setText(PecSubject(company, c));
    showWholeSubject();
    text_->clear();
    try {
        if (const auto rtf = ReadWholeFile(TextFile(request_.folders)))
            text_->setPlainText(RtfToPlainText(*rtf));
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
    }
    recipients_->setText(kNoRecipientsText);
    // A missing account is asked for once the window is on the screen.
    QMetaObject::invokeMethod(
        this, [this] { showRecipients(true); }, Qt::QueuedConnection);
    text_->setFocus(Qt::OtherFocusReason);
}

void TFINVIA_PEC::showWholeSubject() {
    // The window widens, within the screen, until the subject fits its field; what still does
    // not fit is seen from its start, the excise code.
    const int room = subject_->fontMetrics().horizontalAdvance(subject_->text() + "WW");
    int wanted = width() + room - subject_->width();
    if (const QScreen* shown = screen())
        wanted = std::min(wanted, shown->availableGeometry().width() - 50);
    if (wanted > width()) resize(wanted, height());
    subject_->setCursorPosition(0);
}

void TFINVIA_PEC::showRecipients(bool askWhenMissing) {
    if (!isVisible()) return;
    bool unreadable = false;
    std::optional<PecAccount> account = ReadAccount(this, request_.folders, &unreadable);
    // An account that cannot be read was reported: the account window would not help.
    if (!account && !unreadable && askWhenMissing) {
        // Once only: leaving the account window without saving leaves the window as it is.
        OpenPecAccount(this, request_.folders);
        account = ReadAccount(this, request_.folders);
    }
    recipients_->setText(account ? account->recipients : kNoRecipientsText);
    text_->setFocus(Qt::OtherFocusReason);
}

void TFINVIA_PEC::showAttachment() {
    if (const auto path = LetterPathOf(request_.folders.root, communication_))
        ui::Seams::shell().open(QString::fromStdString(path->string()));
}

void TFINVIA_PEC::reject() {
    if (!sending_) ui::EntryWindow::reject();
}

void TFINVIA_PEC::closeEvent(QCloseEvent* event) {
    if (sending_)
        event->ignore();
    else
        ui::EntryWindow::closeEvent(event);
}

void TFINVIA_PEC::send() {
    if (sending_) return;
    // The text is kept for the next message, whatever becomes of this one.
    try {
        const std::string rtf = PlainTextToRtf(text_->toPlainText());
        ReplaceFileContent(TextFile(request_.folders), rtf);
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
        return;
    }
    const std::optional<PecAccount> account = ReadAccount(this, request_.folders);
    if (!account || !account->recipients.contains('@')) {
        OpenPecAccount(this, request_.folders);
        accept();
        return;
    }
    const QString subject = subject_->text();
    QStringList customs;
    for (const std::string& a : net::SplitRecipients(account->recipients.toStdString()))
        customs << QString::fromStdString(a);

    sending_ = true;
    const bool sent = pass(*account, customs, subject.trimmed());
    if (sent) {
        stamp();
    } else {
        ui::Warn(this, kSendFailedMessage);
    }
    if (account->copyToSelf) {
        const bool copied =
            pass(*account, {account->sender.trimmed()}, CopySubject(communication_, subject, sent));
        if (copied)
            ui::Inform(this, kCopySentMessage);
        else
            ui::Warn(this, kCopyFailedMessage);
    }
    sending_ = false;
    accept();
}

bool TFINVIA_PEC::pass(const PecAccount& account, const QStringList& recipients,
                       const QString& subject) {
    net::SmtpMessage message;
    message.from = account.sender.trimmed().toStdString();
    for (const QString& r : recipients) message.recipients.push_back(r.toStdString());
    message.subject = subject.toStdString();
    message.body = text_->toPlainText().toStdString();
    const auto letter = LetterPathOf(request_.folders.root, communication_);
    if (letter) {
        message.attachmentPath = letter->string();
        message.attachmentName = letter->filename().string();
    }
    net::SmtpResult result;
    {
        ui::BusyCursor busy;
        setEnabled(false);
        result = net::SendMailInBackground(SmtpAccountOf(account), message);
        setEnabled(true);
    }
    if (!result.sent) ui::Warn(this, ErrorMessage(result.error));
    return result.sent;
}

void TFINVIA_PEC::stamp() {
    const QDateTime now = ui::Seams::clock().now();
    const double today = ui::Today();
    // The first five characters of the time, "HH:MM".
    const std::string time = now.time().toString("HH:mm:ss").left(5).toStdString();
    std::optional<bool> stamped;
    try {
        stamped = StampSent(request_.folders.registri, communication_, today, time);
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
    }
    communication_.DATPEC = today;
    communication_.MITDES.set(time);
    PadMovement(communication_);
    ui::Inform(this, SentMessage(communication_));
    if (stamped == false) ui::Warn(this, kNotStampedMessage);
}

void OpenSending(QWidget* parent, const SendRequest& request) {
    TFINVIA_PEC window(request, parent);
    window.exec();
}

}  // namespace braxol::preventive
