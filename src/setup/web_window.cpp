#include "setup/web_window.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "setup/paths_window.h"
#include "setup/web_service_block.h"
#include "store/config_files.h"
#include "store/io_error.h"
#include "ui/confirm_button.h"
#include "ui/io_error_box.h"
#include "ui/text.h"

namespace braxol::setup {
namespace {

constexpr int kAddressLength = 250;
constexpr int kRealSlot = 3;
constexpr int kTestSlot = 5;
constexpr int kHomeSlot = 7;

}  // namespace

TFINDWEB::TFINDWEB(const WorkFolders& folders, QWidget* parent)
    : ui::EntryWindow(parent),
      folders_(folders),
      real_(new QLineEdit(this)),
      test_(new QLineEdit(this)),
      home_(new QLineEdit(this)),
      confirm_(new ui::ConfirmButton(this)),
      leave_(new QPushButton("&Abbandona", this)),
      service_(new WebServiceBlock(folders, this)) {
    setObjectName("FINDWEB");
    setWindowTitle("Indirizzi Web");
    real_->setObjectName("LE3");
    test_->setObjectName("LE5");
    home_->setObjectName("LE7");
    leave_->setObjectName("BABBANDONA");

    auto labelled = [this](QBoxLayout* box, const QString& text, const QString& name,
                           QLineEdit* edit) {
        edit->setMaxLength(kAddressLength);
        auto* label = new QLabel(text, this);
        label->setObjectName(name);
        label->setBuddy(edit);
        box->addWidget(label);
        box->addWidget(edit);
    };
    auto* realGroup = new QGroupBox("AMBIENTE REALE", this);
    realGroup->setObjectName("GBREALE");
    labelled(new QVBoxLayout(realGroup), "E.D.I. Ambiente Telematico Doganale (REALE)", "ETLE3",
             real_);
    auto* testGroup = new QGroupBox("AMBIENTE DI ADDESTRAMENTO / PROVA", this);
    testGroup->setObjectName("GBPROVA");
    labelled(new QVBoxLayout(testGroup), "Ambiente di Addestramento (PROVA)", "ETLE5", test_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(confirm_);
    buttons->addStretch();
    buttons->addWidget(leave_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(realGroup);
    layout->addWidget(testGroup);
    labelled(layout, "Pagina iniziale del sito dell'Agenzia delle Dogane", "ETLE7", home_);
    layout->addWidget(service_);
    layout->addSpacing(8);
    layout->addLayout(buttons);

    setTabOrder(real_, test_);
    setTabOrder(test_, home_);
    setTabOrder(home_, confirm_);
    setTabOrder(confirm_, leave_);
    // The service's addresses are seldom changed: Enter goes from LE7 to the confirm button,
    // and the block follows the buttons.
    QWidget* previous = leave_;
    for (QWidget* next : service_->tabChain()) {
        setTabOrder(previous, next);
        previous = next;
    }
    resize(560, sizeHint().height());

    setFirstField(real_);
    attachConfirm(confirm_);
    confirm_->setSave([this] { save(); });
    connect(leave_, &QPushButton::clicked, this, &QDialog::reject);
}

void TFINDWEB::showEvent(QShowEvent* event) {
    ui::EntryWindow::showEvent(event);
    loaded_ = false;
    record_ = BlankTabella();
    TrimTabella(record_);
    try {
        record_ = ReadOrCreateConfigRecord(folders_.webFile());
        service_->load();
        loaded_ = true;
    } catch (const IoError& e) {
        CloseWithIoError(this, e);
    }
    real_->setText(ui::FromField(record_.text[kRealSlot]));
    test_->setText(ui::FromField(record_.text[kTestSlot]));
    home_->setText(ui::FromField(record_.text[kHomeSlot]));
    real_->setFocus(Qt::OtherFocusReason);
}

void TFINDWEB::save() {
    if (!loaded_) return;
    TTABELLA record = record_;
    ui::SetField(record.text[kRealSlot], real_->text());
    ui::SetField(record.text[kTestSlot], test_->text());
    ui::SetField(record.text[kHomeSlot], home_->text());
    try {
        WriteConfigRecord(folders_.webFile(), record);
        service_->save();
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
        return;
    }
    accept();
}

}  // namespace braxol::setup
