#include "preventive/account_window.h"

#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "preventive/letter.h"
#include "preventive/pec_account.h"
#include "store/io_error.h"
#include "store/paths.h"
#include "store/safe_file.h"
#include "ui/confirm_button.h"
#include "ui/io_error_box.h"
#include "ui/seams.h"

namespace braxol::preventive {
namespace {

constexpr int kTextLength = 250;
const QStringList kPictureSuffixes = {"bmp", "png", "jpg", "jpeg"};

// Addresses are written in lower case, as the provider shows them.
void KeepLowerCase(QLineEdit* field) {
    QObject::connect(field, &QLineEdit::textEdited, field, [field](const QString& text) {
        const QString lower = text.toLower();
        if (lower == text) return;
        const int at = field->cursorPosition();
        field->setText(lower);
        field->setCursorPosition(at);
    });
}

bool EveryAddressHasAt(const QString& list) {
    bool any = false;
    for (const QString& item : list.split(',')) {
        const QString address = item.trimmed();
        if (address.isEmpty()) continue;
        if (!address.contains('@')) return false;
        any = true;
    }
    return any;
}

}  // namespace

QByteArray SignatureBitmap(const QImage& picture) {
    QImage flat(picture.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    {
        QPainter painter(&flat);
        painter.drawImage(0, 0, picture);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!flat.save(&buffer, "BMP")) return {};
    return bytes;
}

TFACCOUNT_PEC::TFACCOUNT_PEC(const WorkFolders& folders, QWidget* parent)
    : ui::EntryWindow(parent),
      folders_(folders),
      server_(new QLineEdit(this)),
      sender_(new QLineEdit(this)),
      password_(new QLineEdit(this)),
      recipients_(new QLineEdit(this)),
      port_(new QComboBox(this)),
      ssl_(new QCheckBox(QStringLiteral("il server richiede una connessione crittografata (SSL)"),
                         this)),
      login_(new QCheckBox(QStringLiteral("il server richiede l'autenticazione"), this)),
      copy_(new QCheckBox(QStringLiteral("Invia la copia della PEC anche al proprio indirizzo"),
                          this)),
      image_(new QLabel(this)),
      // With an accelerator: by Tab it comes after "&CONFERMA", which sends the focus back
      // to the first field still to fill.
      loadImage_(new QPushButton(
          QStringLiteral("Carica la &scansione della firma autografa da apporre sull'allegato\n"
                         "(formato BMP, PNG o JPEG)"),
          this)),
      confirm_(new ui::ConfirmButton(this)),
      leave_(new QPushButton(QStringLiteral("&Abbandona"), this)) {
    setObjectName("FACCOUNT_PEC");
    setWindowTitle(QStringLiteral("Impostazione dell'account della PEC"));
    server_->setObjectName("ST1250_0");
    sender_->setObjectName("ST1250_1");
    password_->setObjectName("st1250_2");
    recipients_->setObjectName("ST1250_3");
    port_->setObjectName("INTERI_0");
    ssl_->setObjectName("INTERI_1");
    login_->setObjectName("INTERI_2");
    copy_->setObjectName("INTERI_3");
    image_->setObjectName("Image1");
    loadImage_->setObjectName("BIMMAGINE");
    leave_->setObjectName("BABBANDONA");

    for (QLineEdit* f : {server_, sender_, password_, recipients_}) f->setMaxLength(kTextLength);
    password_->setEchoMode(QLineEdit::Password);
    KeepLowerCase(server_);
    KeepLowerCase(sender_);
    port_->addItems({"25", "465", "587"});
    leave_->setAutoDefault(false);
    loadImage_->setAutoDefault(false);
    layOut();

    setFirstField(server_);
    confirm_->setChecks([this] { return checks(); });
    confirm_->setSave([this] { save(); });
    connect(leave_, &QPushButton::clicked, this, &QDialog::reject);
    connect(loadImage_, &QPushButton::clicked, this, &TFACCOUNT_PEC::loadPicture);
}

TFACCOUNT_PEC::~TFACCOUNT_PEC() = default;

void TFACCOUNT_PEC::layOut() {
    auto* form = new QFormLayout;
    auto caption = [this](const QString& text, QWidget* buddy) {
        auto* label = new QLabel(text, this);
        label->setObjectName("ET" + buddy->objectName());
        label->setBuddy(buddy);
        return label;
    };
    form->addRow(
        caption(QStringLiteral("Server SMTP della casella PEC (es.: smtps.pec.aruba.it)"), server_),
        server_);
    form->addRow(caption(QStringLiteral("Indirizzo PEC del Birrificio"), sender_), sender_);
    form->addRow(caption(QStringLiteral("Password della casella PEC"), password_), password_);
    form->addRow(caption(QStringLiteral("Indirizzi PEC della Dogana (più indirizzi separati da "
                                        "una virgola)"),
                         recipients_),
                 recipients_);
    form->addRow(caption(QStringLiteral("Porta per i messaggi in uscita"), port_), port_);
    form->addRow(ssl_);
    form->addRow(login_);
    form->addRow(copy_);
    image_->setMinimumSize(kSignatureShownWidth, 60);
    image_->setFrameShape(QFrame::Box);
    image_->setAlignment(Qt::AlignCenter);
    auto* picture = new QHBoxLayout;
    picture->addWidget(image_);
    picture->addWidget(loadImage_);
    picture->addStretch();

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(confirm_);
    buttons->addStretch();
    buttons->addWidget(leave_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(picture);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    server_->setMinimumWidth(fontMetrics().horizontalAdvance(QString(40, 'W')));

    QWidget* order[] = {server_, sender_, password_, recipients_, port_,
                        ssl_,    login_,  copy_,     confirm_};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

void TFACCOUNT_PEC::showEvent(QShowEvent* event) {
    ui::EntryWindow::showEvent(event);
    if (!event->spontaneous()) opened();
}

void TFACCOUNT_PEC::opened() {
    saved_ = false;
    newSignature_ = false;
    signature_ = LoadSignature(folders_.datiGen);
    showSignature();
    for (QLineEdit* f : {server_, sender_, password_, recipients_}) f->clear();
    port_->setCurrentIndex(0);
    for (QCheckBox* b : {ssl_, login_, copy_}) b->setChecked(false);
    try {
        if (const auto account = ReadPecAccount(folders_.pecAccountFile())) {
            server_->setText(account->server);
            sender_->setText(account->sender);
            password_->setText(account->password);
            recipients_->setText(account->recipients);
            port_->setCurrentIndex(
                account->portChoice >= 0 && account->portChoice <= 2 ? account->portChoice : 0);
            ssl_->setChecked(account->ssl);
            login_->setChecked(account->authentication);
            copy_->setChecked(account->copyToSelf);
        }
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
    }
    server_->setFocus(Qt::OtherFocusReason);
}

void TFACCOUNT_PEC::showSignature() {
    if (signature_.isNull()) {
        image_->clear();
        return;
    }
    const QImage shown =
        signature_.width() > kSignatureShownWidth
            ? signature_.scaledToWidth(kSignatureShownWidth, Qt::SmoothTransformation)
            : signature_;
    image_->setPixmap(QPixmap::fromImage(shown));
}

bool TFACCOUNT_PEC::checks() {
    QWidget* refused = nullptr;
    if (server_->text().trimmed() < ".")
        refused = server_;
    else if (!sender_->text().trimmed().contains('@'))
        refused = sender_;
    else if (password_->text().trimmed().isEmpty())
        refused = password_;
    else if (!EveryAddressHasAt(recipients_->text()))
        refused = recipients_;
    if (!refused) return true;
    refused->setFocus(Qt::OtherFocusReason);
    return false;
}

void TFACCOUNT_PEC::save() {
    if (!checks()) return;
    PecAccount account;
    account.server = server_->text();
    account.sender = sender_->text();
    account.password = password_->text();
    account.recipients = recipients_->text();
    account.portChoice = port_->currentIndex();
    account.ssl = ssl_->isChecked();
    account.authentication = login_->isChecked();
    account.copyToSelf = copy_->isChecked();
    try {
        WritePecAccount(folders_.pecAccountFile(), account);
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
        server_->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (newSignature_) {
        const QByteArray bitmap = SignatureBitmap(signature_);
        try {
            if (bitmap.isEmpty()) throw IoError("FIRMA.BMP", "immagine non convertibile");
            ReplaceFileContent(ResolvePath(folders_.datiGen / "FIRMA.BMP"),
                               std::string_view(bitmap.constData(), bitmap.size()));
        } catch (const IoError&) {
            ui::Warn(this, kSignatureNotSavedMessage);
        }
    }
    saved_ = true;
    accept();
}

void TFACCOUNT_PEC::loadPicture() {
    const QString path =
        ui::Seams::files().openPicture(this, QStringLiteral("Scansione della firma autografa"),
                                       QString::fromStdString(folders_.root.string()));
    if (path.isEmpty()) return;
    if (!kPictureSuffixes.contains(QFileInfo(path).suffix().toLower())) {
        ui::Warn(this, kOnlyPicturesMessage);
        return;
    }
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    const QImage picture = reader.read();
    if (picture.isNull()) {
        ui::Warn(this, kBadPictureMessage);
        return;
    }
    signature_ = picture;
    newSignature_ = true;
    showSignature();
}

bool OpenPecAccount(QWidget* parent, const WorkFolders& folders) {
    TFACCOUNT_PEC window(folders, parent);
    window.exec();
    return window.saved();
}

}  // namespace braxol::preventive
