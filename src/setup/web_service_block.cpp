#include "setup/web_service_block.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "net/soap_endpoints.h"
#include "ui/seams.h"

namespace braxol::setup {
namespace {

constexpr int kAddressLength = 250;

}  // namespace

WebServiceBlock::WebServiceBlock(const WorkFolders& folders, QWidget* parent)
    : QGroupBox("SERVIZIO WEB DOGANALE (invio dei flussi e prelievo degli esiti)", parent),
      folders_(folders),
      real_(new QLineEdit(this)),
      test_(new QLineEdit(this)),
      authority_(new QLineEdit(this)),
      browse_(new QPushButton("...", this)) {
    setObjectName("GBSERVIZIOWEB");
    real_->setObjectName("LEWSREALE");
    test_->setObjectName("LEWSPROVA");
    authority_->setObjectName("LEWSCA");
    browse_->setObjectName("BLEWSCA");
    for (QLineEdit* edit : {real_, test_, authority_}) edit->setMaxLength(kAddressLength);
    browse_->setAutoDefault(false);
    browse_->setMaximumWidth(QFontMetrics(browse_->font()).horizontalAdvance("......") + 12);

    auto* grid = new QGridLayout(this);
    int row = 0;
    auto add = [&](const QString& text, QLineEdit* edit) {
        auto* label = new QLabel(text, this);
        label->setObjectName("ET" + edit->objectName());
        label->setBuddy(edit);
        grid->addWidget(label, row++, 0, 1, 2);
        grid->addWidget(edit, row, 0);
        if (edit == authority_) grid->addWidget(browse_, row, 1);
        ++row;
    };
    add("Indirizzo del servizio nell'ambiente REALE", real_);
    add("Indirizzo del servizio nell'ambiente di PROVA", test_);
    add("Certificato dell'autorità da considerare attendibile (file PEM, facoltativo)", authority_);
    connect(browse_, &QPushButton::clicked, this, &WebServiceBlock::chooseAuthority);
}

QList<QWidget*> WebServiceBlock::tabChain() const {
    return {real_, test_, authority_, browse_};
}

void WebServiceBlock::load() {
    const net::ServiceEndpoints endpoints = net::ReadOrCreateEndpoints(folders_);
    real_->setText(endpoints.real);
    test_->setText(endpoints.test);
    authority_->setText(endpoints.caFile);
}

void WebServiceBlock::save() const {
    net::WriteEndpoints(
        folders_, {real_->text().trimmed(), test_->text().trimmed(), authority_->text().trimmed()});
}

void WebServiceBlock::chooseAuthority() {
    const QString folder = QFileInfo(authority_->text()).absolutePath();
    const QString chosen =
        ui::Seams::files().openFile(this, "Certificato dell'autorità", folder,
                                    "Certificati PEM (*.pem *.crt);;Tutti i file (*)");
    if (!chosen.isEmpty()) authority_->setText(chosen);
}

}  // namespace braxol::setup
