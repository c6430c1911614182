#include "setup/info_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QShowEvent>
#include <QUrl>
#include <QUrlQuery>
#include <QVBoxLayout>
#include <functional>

#include "project_version.h"
#include "setup/project_info.h"
#include "store/dates.h"
#include "store/io_error.h"
#include "store/paths.h"
#include "store/record_file.h"
#include "ui/seams.h"

namespace braxol::setup {
namespace {

// A label that opens something when clicked, and keeps the click from closing the window.
class ContactLabel : public QLabel {
public:
    ContactLabel(const QString& text, std::function<void()> onClick, QWidget* parent)
        : QLabel(parent), onClick_(std::move(onClick)) {
        setText(QString("<span style=\"color:#0000cc; text-decoration:underline\">%1</span>")
                    .arg(text.toHtmlEscaped()));
        setTextFormat(Qt::RichText);
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void mousePressEvent(QMouseEvent* event) override { event->accept(); }
    void mouseReleaseEvent(QMouseEvent* event) override {
        event->accept();
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            onClick_();
    }

private:
    std::function<void()> onClick_;
};

// A glass of amber beer with its head of foam.
QPixmap BeerGlass() {
    QPixmap pixmap(96, 120);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath glass;
    glass.moveTo(18, 24);
    glass.lineTo(78, 24);
    glass.lineTo(72, 112);
    glass.lineTo(24, 112);
    glass.closeSubpath();
    p.fillPath(glass, QColor(0xe8, 0xa3, 0x17));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0xf8, 0xe7));
    for (int x : {22, 38, 54, 70}) p.drawEllipse(QPointF(x, 24), 11, 10);
    p.drawRect(QRectF(17, 24, 62, 10));
    p.setBrush(QColor(0xff, 0xff, 0xff, 0x90));
    for (const QPointF& bubble : {QPointF(40, 60), QPointF(55, 78), QPointF(45, 95)})
        p.drawEllipse(bubble, 3, 3);
    p.setPen(QPen(QColor(0x60, 0x40, 0x10), 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(glass);
    return pixmap;
}

}  // namespace

QString SupportMailAddress() {
    QUrl url;
    url.setScheme("mailto");
    url.setPath(kSupportEmail);
    QUrlQuery query;
    query.addQueryItem("subject", kSupportSubject);
    query.addQueryItem("body", kProgramTitle);
    url.setQuery(query);
    return url.toString(QUrl::FullyEncoded);
}

TFINFO::TFINFO(const WorkFolders& folders, QWidget* parent)
    : QDialog(parent),
      folders_(folders),
      title_(new QLabel(kProgramTitle, this)),
      picture_(new QLabel(this)),
      version_(new QLabel(QString("BRAXOL versione %1").arg(kProgramVersion), this)),
      release_(new QLabel(kReleaseUnknown, this)),
      site_(new ContactLabel(
          kSupportPage, [] { ui::Seams::shell().open(kSupportPage); }, this)),
      mail_(new ContactLabel(
          kSupportEmail, [] { ui::Seams::shell().open(SupportMailAddress()); }, this)) {
    setObjectName("FINFO");
    setWindowTitle("INFORMAZIONI");
    title_->setObjectName("LTITOLO");
    picture_->setObjectName("IMMAGINE");
    version_->setObjectName("LNUMEROVERSIONE");
    release_->setObjectName("LVERSIONE");
    site_->setObjectName("LSITO");
    mail_->setObjectName("LMAIL");

    QFont titleFont = title_->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    title_->setFont(titleFont);
    title_->setWordWrap(true);
    title_->setAlignment(Qt::AlignCenter);
    picture_->setPixmap(BeerGlass());
    site_->setToolTip("Pagina di assistenza");
    mail_->setToolTip("Scrivi all'assistenza");

    auto* texts = new QVBoxLayout;
    texts->addWidget(title_);
    texts->addSpacing(12);
    texts->addWidget(version_);
    texts->addWidget(release_);
    texts->addStretch();
    texts->addWidget(site_);
    texts->addWidget(mail_);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(picture_, 0, Qt::AlignTop);
    layout->addSpacing(12);
    layout->addLayout(texts, 1);
    resize(460, sizeHint().height());
}

void TFINFO::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    showReleaseDate();
}

void TFINFO::showReleaseDate() {
    const std::filesystem::path file = folders_.releaseFile();
    try {
        if (!PathExists(file)) return;  // the label keeps its design text
        const std::vector<double> dates = ReadRecords<double>(file, false);
        const double date = dates.empty() ? 0.0 : dates.front();
        release_->setText("ultimo aggiornamento: " + QString::fromStdString(FormatDate(date)));
    } catch (const IoError& e) {
        const QString message = QString::fromStdString(e.italianMessage());
        QMetaObject::invokeMethod(
            this, [this, message] { ui::Inform(this, message, ui::Severity::Error); },
            Qt::QueuedConnection);
    }
}

void TFINFO::mousePressEvent(QMouseEvent* event) {
    // A click on the window, the title or the picture closes it; the contact labels keep
    // their clicks.
    event->accept();
    reject();
}

}  // namespace braxol::setup
