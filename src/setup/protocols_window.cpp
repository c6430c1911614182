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
#include "store/table_structures.h"
#include "store/tables.h"
#include "tables/listview.h"
#include "tables/messages.h"
#include "tables/table_edits.h"
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
      changeLabel_(new QLabel(QStringLiteral("MODIFICA o CANCELLA"), this)),
      confirm_(new ui::ConfirmButton(this)),
      list_(new QPushButton(QStringLiteral("&Elenca"), this)),
      delete_(new QPushButton(QStringLiteral("Cance&lla"), this)),
      empty_(new QPushButton(QStringLiteral("&Svuota"), this)),
      leave_(new QPushButton(QStringLiteral("&Abbandona"), this)) {
    setObjectName("FPROTREGISTRI");
    setWindowTitle(QStringLiteral("Protocollo dei Registri delle produzioni proprie"));
    number_->setObjectName("LE0");
    date_->setObjectName("R10");
    validFrom_->setObjectName("R11");
    heading_->setObjectName("LE2");
    changeLabel_->setObjectName("ETMODIFICA");
    list_->setObjectName("BELENCA");
    delete_->setObjectName("BCANCELLA");
    empty_->setObjectName("BSVUOTA");
    leave_->setObjectName("BABBANDONA");

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
    confirm_->setChecks([this] { return checks(); });
    confirm_->setSave([this] { save(); });
    ui::OnFieldExit(number_, [this] { numberExit(); });
    ui::OnFieldExit(date_, [this] { dateExit(); });
    ui::OnFieldExit(validFrom_, [this] { dateExit(); });
    connect(list_, &QPushButton::clicked, this, &TFPROTREGISTRI::choose);
    connect(delete_, &QPushButton::clicked, this, &TFPROTREGISTRI::remove);
    connect(empty_, &QPushButton::clicked, this, &TFPROTREGISTRI::reset);
    connect(leave_, &QPushButton::clicked, this, &QDialog::reject);
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

    auto label = [this](const QString& text, QWidget* buddy, const QString& name) {
        auto* l = new QLabel(text, this);
        l->setObjectName(name);
        l->setBuddy(buddy);
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
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {static_cast<QPushButton*>(confirm_), list_, delete_, empty_, leave_})
        buttons->addWidget(b);
    layout->addLayout(buttons);

    // Enter goes through the fields to the confirm button.
    setTabOrder(number_, date_);
    setTabOrder(date_, validFrom_);
    setTabOrder(validFrom_, heading_);
    setTabOrder(heading_, confirm_);

    const QSize largest = tables::MaxWindowSize(context_, this);
    resize(std::min(sizeHint().width(), largest.width()), sizeHint().height());
}

std::filesystem::path TFPROTREGISTRI::tableFile() const {
    return TableFile(context_.folders.datiGen, kTable);
}

void TFPROTREGISTRI::showEvent(QShowEvent* event) {
    ui::EntryWindow::showEvent(event);
    if (!hasStructure()) {
        QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
        return;
    }
    readOffice();
    date_->setDate(ui::Today());
    validFrom_->setDate(ui::Today());
    reset();
}

bool TFPROTREGISTRI::hasStructure() {
    try {
        if (ReadTableStructure(context_.folders.datiGen, kTable)) return true;
        ui::Warn(this, tables::MissingTableStructure());
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
    }
    return false;
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
    record_ = BlankTabella();
    record_.text[10].set(kTable);
    number_->clear();
    heading_->clear();
    editing_ = false;
    oldNumber_ = -1;
    oldKey_.clear();
    changeLabel_->hide();
    delete_->hide();
    list_->show();
    moveFocus(number_);
}

bool TFPROTREGISTRI::numberEmpty() const {
    return number_->text().trimmed().isEmpty();
}

void TFPROTREGISTRI::moveFocus(QWidget* field) {
    const bool wasQuiet = quiet_;
    quiet_ = true;
    field->setFocus(Qt::OtherFocusReason);
    quiet_ = wasQuiet;
}

void TFPROTREGISTRI::numberExit() {
    if (quiet_) return;
    if (numberEmpty()) {
        if (!untouched()) ui::ReturnFocus(number_);
        return;
    }
    if (editing_) return;
    TTABELLA key = record_;
    ui::SetField(key.text[0], number_->text());
    try {
        const TableLookup found = FindByKey(context_.folders.datiGen, kTable, key);
        if (found.status == KeyLookup::NoStructure) ui::Warn(this, tables::MissingFileStructure());
        if (!found.found()) return;
        record_ = found.record;
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
        return;
    }
    editing_ = true;
    oldNumber_ = record_.number;
    oldKey_ = record_.text[0].trimmed();
    number_->setText(ui::FromField(record_.text[0]));
    date_->setDate(record_.num[kDateSlot]);
    validFrom_->setDate(record_.num[kValidFromSlot]);
    heading_->setText(ui::FromField(record_.text[kHeadingSlot]));
    changeLabel_->show();
    delete_->show();
    list_->hide();
}

QString TFPROTREGISTRI::defaultHeading() {
    QString office = ui::FromRecord(office_);
    TTABELLA key = BlankTabella();
    key.text[0].set(office_);
    key.text[10].set(kOfficeTable);
    QString description;
    try {
        const TableLookup found = FindByKey(context_.folders.datiGen, kOfficeTable, key);
        if (found.status == KeyLookup::NoStructure) ui::Warn(this, tables::MissingFileStructure());
        if (found.found()) description = ui::FromField(found.record.text[1]);
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
    }
    office += description.isEmpty() ? QStringLiteral(" ") : QStringLiteral(" di ") + description;
    return office + QStringLiteral(" protocollo n. ") + number_->text().trimmed() +
           QStringLiteral(" del ") + date_->text();
}

void TFPROTREGISTRI::dateExit() {
    if (quiet_ || untouched()) return;
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
    if (!editing_ || record_.text[0].trimmed() == oldKey_) return true;
    try {
        const TableLookup found = FindByKey(context_.folders.datiGen, kTable, record_);
        if (found.status == KeyLookup::NoStructure) ui::Warn(this, tables::MissingFileStructure());
        if (!found.found()) return true;
        ui::Warn(this, tables::CodeInUse());
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
    }
    number_->setFocus(Qt::OtherFocusReason);
    return false;
}

void TFPROTREGISTRI::save() {
    try {
        // A changed protocol is removed and placed again in one write, under its own number.
        if (editing_)
            tables::ReplaceTableRecordByDate(tableFile(), oldNumber_, record_, kValidFromSlot);
        else
            InsertTableRecordByDate(tableFile(), record_, kValidFromSlot);
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
        number_->setFocus(Qt::OtherFocusReason);
        return;
    }
    accept();
}

void TFPROTREGISTRI::choose() {
    tables::TableContext listed = context_;
    listed.tableName = kTable;
    listed.singleEntry = false;
    const int chosen = tables::ChooseFromTable(this, listed);
    if (chosen >= 0) {
        try {
            if (const auto found = ReadByNumber(chosen, tableFile()))
                number_->setText(ui::FromField(found->text[0]));
        } catch (const IoError& e) {
            ui::ShowIoError(this, e);
        }
    }
    moveFocus(number_);
}

void TFPROTREGISTRI::remove() {
    if (!editing_) return;
    try {
        DeleteTableRecord(oldNumber_, tableFile());
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
        return;
    }
    reset();
}

void OpenRegisterProtocols(QWidget* parent, const tables::TableContext& context) {
    TFPROTREGISTRI window(context, parent);
    window.exec();
}

}  // namespace braxol::setup
