#include "setup/protocols_window.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

#include "store/config_files.h"
#include "store/io_error.h"
#include "store/tables.h"
#include "ui/confirm_button.h"
#include "ui/field_exit.h"
#include "ui/fields.h"
#include "ui/io_error_box.h"
#include "ui/seams.h"
#include "ui/text.h"

namespace braxol::setup {
namespace {

constexpr const char* kTable = "PROTOCOLLI";
constexpr const char* kOfficeTable = "TA03";

constexpr int kNumberLength = 10;
constexpr int kHeadingLength = 200;

constexpr int kDateSlot = 0;
constexpr int kValidFromSlot = kProtocolValidFromSlot;
constexpr int kHeadingSlot = 2;

}  // namespace

TFPROTREGISTRI::TFPROTREGISTRI(const tables::TableContext& context, QWidget* parent)
    : ui::EntryWindow(parent),
      context_(context),
      record_(BlankTabella()),
      number_(new QLineEdit(this)),
      date_(new ui::DateEdit(this)),
      validFrom_(new ui::DateEdit(this)),
      heading_(new QLineEdit(this)),
      changeLabel_(tables::ChangeMark(this)),
      confirm_(new ui::ConfirmButton(this)),
      list_(tables::NamedButton(this, QStringLiteral("&Elenca"), "BELENCA")),
      delete_(tables::NamedButton(this, QStringLiteral("Cance&lla"), "BCANCELLA")),
      empty_(tables::NamedButton(this, QStringLiteral("&Svuota"), "BSVUOTA")),
      leave_(tables::NamedButton(this, QStringLiteral("&Abbandona"), "BABBANDONA")),
      edit_(this, context_, kTable, {number_, changeLabel_, delete_, list_}) {
    setObjectName("FPROTREGISTRI");
    setWindowTitle(QStringLiteral("Protocollo dei Registri delle produzioni proprie"));
    number_->setObjectName("LE0");
    date_->setObjectName("R10");
    validFrom_->setObjectName("R11");
    heading_->setObjectName("LE2");
    edit_.keepInDateOrder(kValidFromSlot);

    number_->setMaxLength(kNumberLength);
    heading_->setMaxLength(kHeadingLength);
    number_->setToolTip(
        QStringLiteral("Riportare il numero di protocollo registrato dalla dogana"));
    date_->setToolTip(QStringLiteral("Riportare la data del protocollo registrato dalla dogana"));
    validFrom_->setToolTip(
        QStringLiteral("Indicare da quale data verranno registrati i movimenti nel registro"));
    heading_->setToolTip(QStringLiteral("Intestazione che verrà stampata sul registro"));
    // Buttons other than the confirm one take no focus: pressing them does not leave the field
    // being typed, so its exit rule stays quiet.
    for (QPushButton* b : {list_, delete_, empty_, leave_}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoDefault(false);
    }
    layOut();

    setFirstField(number_);
    attachConfirm(confirm_);
    countTypingIn({number_, date_, validFrom_, heading_});
    confirm_->setChecks([this] { return checks(); });
    confirm_->setSave([this] { save(); });
    ui::OnFieldExit(number_, [this] { numberExit(); });
    ui::OnFieldExit(date_, [this] { dateExit(); });
    ui::OnFieldExit(validFrom_, [this] { dateExit(); });
    connect(list_, &QPushButton::clicked, this, &TFPROTREGISTRI::choose);
    edit_.connectButtons(delete_, empty_, leave_, [this] { reset(); });
}

TFPROTREGISTRI::~TFPROTREGISTRI() {
    ui::StopFieldExits(this);
}

void TFPROTREGISTRI::layOut() {
    auto letters = [this](int n) {
        return fontMetrics().horizontalAdvance(QString(n, QChar('W')));
    };
    number_->setFixedWidth(letters(kNumberLength + 1));
    date_->setFixedWidth(letters(8));
    validFrom_->setFixedWidth(letters(8));
    heading_->setMinimumWidth(letters(50));

    auto label = [this](const QString& text, QWidget* buddy, const char* name) {
        QLabel* l = tables::BuddyLabel(this, text, buddy, name);
        l->setToolTip(buddy->toolTip());
        return l;
    };
    auto* form = new QFormLayout;
    form->addRow(label(QStringLiteral("N. del Protocollo"), number_, "ETLE0"), number_);
    form->addRow(label(QStringLiteral("Data del Protocollo"), date_, "ETR10"), date_);
    form->addRow(
        label(QStringLiteral("Registro delle produzioni valido dalla data:"), validFrom_, "ETR11"),
        validFrom_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(
        label(QStringLiteral("Dati dell'ufficio vidimante il registro delle produzioni (max 200)"),
              heading_, "ETLE2"));
    layout->addWidget(heading_);
    layout->addWidget(changeLabel_);
    layout->addLayout(tables::ButtonRow({confirm_, list_, delete_, empty_, leave_}));

    // Enter goes through the fields to the confirm button.
    setTabOrder(number_, date_);
    setTabOrder(date_, validFrom_);
    setTabOrder(validFrom_, heading_);
    setTabOrder(heading_, confirm_);

    const QSize largest = tables::MaxWindowSize(context_, this);
    resize(std::min(sizeHint().width(), largest.width()), sizeHint().height());
}

void TFPROTREGISTRI::showEvent(QShowEvent* event) {
    ui::EntryWindow::showEvent(event);
    if (!edit_.hasStructure()) {
        QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
        return;
    }
    readOffice();
    date_->setDate(ui::Today());
    validFrom_->setDate(ui::Today());
    reset();
}

void TFPROTREGISTRI::readOffice() {
    office_.clear();
    try {
        if (const auto company = ReadCompany(context_.folders.companyFile()))
            office_ = company->UFFDO1.trimmed();
    } catch (const IoError& e) {
        // Only the default heading needs the office: the window works without it.
        ui::ShowIoError(this, e);
    }
}

void TFPROTREGISTRI::reset() {
    record_ = edit_.blankRecord();
    number_->clear();
    heading_->clear();
    edit_.reset();
    focus_.move(number_);
}

bool TFPROTREGISTRI::numberEmpty() const {
    return number_->text().trimmed().isEmpty();
}

void TFPROTREGISTRI::numberExit() {
    if (focus_.moving()) return;
    if (numberEmpty()) {
        if (!untouched()) ui::ReturnFocus(number_);
        return;
    }
    if (!edit_.openStored(record_, number_->text())) return;
    number_->setText(ui::FromField(record_.text[0]));
    date_->setDate(record_.num[kDateSlot]);
    validFrom_->setDate(record_.num[kValidFromSlot]);
    heading_->setText(ui::FromField(record_.text[kHeadingSlot]));
}

QString TFPROTREGISTRI::defaultHeading() {
    QString office = ui::FromRecord(office_);
    TTABELLA key = BlankTabella();
    key.text[0].set(office_);
    key.text[10].set(kOfficeTable);
    QString description;
    const auto found = tables::LookUpKey(this, context_.folders.datiGen, kOfficeTable, key);
    if (found && found->found()) description = ui::FromField(found->record.text[1]);
    office += description.isEmpty() ? QStringLiteral(" ") : QStringLiteral(" di ") + description;
    return office + QStringLiteral(" protocollo n. ") + number_->text().trimmed() +
           QStringLiteral(" del ") + date_->text();
}

void TFPROTREGISTRI::dateExit() {
    if (focus_.moving() || untouched()) return;
    if (!date_->date() || !validFrom_->date()) return;
    if (!heading_->text().trimmed().isEmpty()) return;
    heading_->setText(defaultHeading());
    heading_->setCursorPosition(0);
}

bool TFPROTREGISTRI::checks() {
    if (numberEmpty()) {
        number_->setFocus(Qt::OtherFocusReason);
        return false;
    }
    const auto date = date_->date();
    if (!date) {
        date_->setFocus(Qt::OtherFocusReason);
        return false;
    }
    const auto validFrom = validFrom_->date();
    if (!validFrom) {
        validFrom_->setFocus(Qt::OtherFocusReason);
        return false;
    }
    ui::SetField(record_.text[0], number_->text());
    record_.num[kDateSlot] = *date;
    record_.num[kValidFromSlot] = *validFrom;
    ui::SetField(record_.text[kHeadingSlot], heading_->text());
    return edit_.keyFree(record_);
}

void TFPROTREGISTRI::save() {
    if (edit_.save(record_)) accept();
}

void TFPROTREGISTRI::choose() {
    if (const auto found = edit_.pick()) number_->setText(ui::FromField(found->text[0]));
    focus_.move(number_);
}

void OpenRegisterProtocols(QWidget* parent, const tables::TableContext& context) {
    TFPROTREGISTRI window(context, parent);
    window.exec();
}

}  // namespace braxol::setup
