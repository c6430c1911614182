#include "setup/beer_types_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>
#include <algorithm>

#include "store/config_files.h"
#include "store/io_error.h"
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

constexpr const char* kTable = "PRAZ";
constexpr const char* kCodeTable = "TA20";

constexpr int kTypeLength = 100;
// "cccc-00000000-cc-cccc" as in the product-code window: any characters for CPA, Taric and
// additional code, digits for the NC code. Places not typed show "_" and read as blanks.
const QString kCodeMask = QStringLiteral("xxxx-99999999-xx-xxxx;_");
constexpr int kCodeLength = 21;

constexpr int kYieldSlot = 0;
constexpr int kPlatoSlot = 1;
constexpr int kDecimals = 5;
// The smallest yield coefficient an energy meter takes.
constexpr double kSmallestYield = 0.000009;
// Stored numbers below this show as an empty field.
constexpr double kShownFrom = 0.000001;

void ShowAmount(ui::AmountEdit* field, double value) {
    if (value < kShownFrom)
        field->clear();
    else
        field->setValue(value, 0);
}

}  // namespace

TFPRODAZ::TFPRODAZ(const tables::TableContext& context, QWidget* parent)
    : ui::EntryWindow(parent),
      context_(context),
      record_(BlankTabella()),
      type_(new QLineEdit(this)),
      yield_(new ui::AmountEdit(this)),
      yieldLabel_(new QLabel(QStringLiteral("Coefficiente di resa per la produzione "), this)),
      code_(new QLineEdit(this)),
      listCodes_(new QPushButton(QStringLiteral("&Elenca"), this)),
      description_(new QLineEdit(this)),
      plato_(new ui::AmountEdit(this)),
      changeLabel_(new QLabel(QStringLiteral("MODIFICA o CANCELLA"), this)),
      confirm_(new ui::ConfirmButton(this)),
      list_(new QPushButton(QStringLiteral("&Elenca"), this)),
      delete_(new QPushButton(QStringLiteral("Cance&lla"), this)),
      empty_(new QPushButton(QStringLiteral("&Svuota"), this)),
      leave_(new QPushButton(QStringLiteral("&Abbandona"), this)) {
    setObjectName("FPRODAZ");
    setWindowTitle(QStringLiteral("Tipi di birra prodotti"));
    type_->setObjectName("LE0");
    yield_->setObjectName("R10");
    yieldLabel_->setObjectName("ETR10");
    code_->setObjectName("LE1");
    listCodes_->setObjectName("SpeedButton1");
    description_->setObjectName("LE2");
    plato_->setObjectName("R11");
    changeLabel_->setObjectName("ETMODIFICA");
    list_->setObjectName("BELENCA");
    delete_->setObjectName("BCANCELLA");
    empty_->setObjectName("BSVUOTA");
    leave_->setObjectName("BABBANDONA");

    type_->setMaxLength(kTypeLength);
    code_->setInputMask(kCodeMask);
    description_->setReadOnly(true);
    description_->setFocusPolicy(Qt::NoFocus);
    // Alt+E belongs to the list of beer types; the list of product codes is a speed button,
    // reached with the mouse.
    listCodes_->setShortcut(QKeySequence());
    // Buttons other than the confirm one take no focus: pressing them does not leave the field
    // being typed, so its exit rule (the product-code list above all) stays quiet.
    for (QPushButton* b : {listCodes_, list_, delete_, empty_, leave_}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoDefault(false);
    }
    layOut();

    setFirstField(type_);
    attachConfirm(confirm_);
    confirm_->setChecks([this] { return checks(); });
    confirm_->setSave([this] { save(); });
    ui::OnFieldExit(type_, [this] { typeExit(); });
    ui::OnFieldExit(code_, [this] { codeExit(); });
    connect(type_, &QLineEdit::textEdited, this, &TFPRODAZ::upperCaseType);
    connect(listCodes_, &QPushButton::clicked, this, &TFPRODAZ::chooseCode);
    connect(list_, &QPushButton::clicked, this, &TFPRODAZ::chooseType);
    connect(delete_, &QPushButton::clicked, this, &TFPRODAZ::remove);
    connect(empty_, &QPushButton::clicked, this, &TFPRODAZ::reset);
    connect(leave_, &QPushButton::clicked, this, &QDialog::reject);
}

TFPRODAZ::~TFPRODAZ() {
    ui::StopFieldExits(this);
}

void TFPRODAZ::layOut() {
    auto letters = [this](int n) {
        return fontMetrics().horizontalAdvance(QString(n, QChar('W')));
    };
    type_->setMinimumWidth(letters(40));
    yield_->setFixedWidth(letters(12));
    code_->setFixedWidth(letters(kCodeLength + 3));
    description_->setMinimumWidth(letters(40));
    plato_->setFixedWidth(letters(12));

    auto label = [this](const QString& text, QWidget* buddy, const QString& name) {
        auto* l = new QLabel(text, this);
        l->setObjectName(name);
        l->setBuddy(buddy);
        return l;
    };
    yieldLabel_->setBuddy(yield_);
    auto* grid = new QGridLayout;
    grid->addWidget(label(QStringLiteral("Tipo di birra in produzione"), type_, "ETLE0"), 0, 0);
    grid->addWidget(type_, 0, 1, 1, 2);
    grid->addWidget(yieldLabel_, 1, 0);
    grid->addWidget(yield_, 1, 1, Qt::AlignLeft);
    grid->addWidget(label(QStringLiteral("Codice doganale del prodotto"), code_, "ETLE1"), 2, 0);
    auto* codeLine = new QHBoxLayout;
    codeLine->addWidget(code_);
    codeLine->addWidget(listCodes_);
    codeLine->addStretch();
    grid->addLayout(codeLine, 2, 1, 1, 2);
    grid->addWidget(description_, 3, 1, 1, 2);
    grid->addWidget(label(QStringLiteral("Grado Plato"), plato_, "ETR11"), 4, 0);
    grid->addWidget(plato_, 4, 1, Qt::AlignLeft);
    auto* note = new QLabel(
        QStringLiteral("Valorizza il campo solo se il Grado Plato è sempre lo stesso"), this);
    note->setObjectName("ETNOTAR11");
    grid->addWidget(note, 4, 2);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {static_cast<QPushButton*>(confirm_), list_, delete_, empty_, leave_})
        buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(changeLabel_);
    layout->addLayout(buttons);

    // Enter goes through the fields to the confirm button.
    setTabOrder(type_, yield_);
    setTabOrder(yield_, code_);
    setTabOrder(code_, plato_);
    setTabOrder(plato_, confirm_);

    const QSize largest = tables::MaxWindowSize(context_, this);
    resize(std::min(sizeHint().width(), largest.width()), sizeHint().height());
}

std::filesystem::path TFPRODAZ::tableFile(const char* table) const {
    return TableFile(context_.folders.datiGen, table);
}

tables::TableContext TFPRODAZ::listContext(const char* table) const {
    tables::TableContext listed = context_;
    listed.tableName = table;
    listed.singleEntry = false;
    return listed;
}

QString TFPRODAZ::savedType() const {
    return saved_ ? ui::FromField(saved_->text[0]) : QString();
}

QString TFPRODAZ::productCode() const {
    QString shown = code_->displayText();
    shown.replace('_', ' ');
    return shown;
}

void TFPRODAZ::setCode(const QString& code) {
    // A code stored without CPA loses its leading blanks when read: put them back so that the
    // parts fall in their places of the mask.
    QString text = code;
    const auto dash = text.indexOf('-');
    if (dash >= 0 && dash < 4) text.prepend(QString(4 - dash, ' '));
    code_->setText(text);
}

void TFPRODAZ::upperCaseType(const QString& text) {
    const QString upper = text.toUpper();
    if (upper == text) return;
    const int cursor = type_->cursorPosition();
    type_->setText(upper);
    type_->setCursorPosition(cursor);
}

void TFPRODAZ::showEvent(QShowEvent* event) {
    ui::EntryWindow::showEvent(event);
    saved_.reset();
    if (!readMeter()) {
        // Without the company record the window cannot tell which coefficient to store.
        QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
        return;
    }
    yield_->setVisible(energy_);
    yieldLabel_->setVisible(energy_);
    reset();
}

bool TFPRODAZ::readMeter() {
    try {
        const std::optional<TUTENTE> company = ReadCompany(context_.folders.companyFile());
        const std::string meter = company ? company->CAUESO.trimmed() : std::string();
        energy_ = meter == "E";
        litreCounter_ = meter == "C";
        return true;
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
        return false;
    }
}

void TFPRODAZ::reset() {
    record_ = BlankTabella();
    record_.text[10].set(kTable);
    type_->clear();
    code_->clear();
    description_->clear();
    plato_->clear();
    if (litreCounter_)
        yield_->setText(QStringLiteral("1"));
    else
        yield_->clear();
    editing_ = false;
    oldNumber_ = -1;
    oldKey_.clear();
    changeLabel_->hide();
    delete_->hide();
    list_->show();
    moveFocus(type_);
}

bool TFPRODAZ::typeEmpty() const {
    return type_->text().trimmed().isEmpty();
}

void TFPRODAZ::moveFocus(QWidget* field) {
    const bool wasQuiet = quiet_;
    quiet_ = true;
    field->setFocus(Qt::OtherFocusReason);
    quiet_ = wasQuiet;
}

void TFPRODAZ::typeExit() {
    if (quiet_) return;
    if (typeEmpty()) {
        if (!untouched()) ui::ReturnFocus(type_);
        return;
    }
    lookUpType();
}

void TFPRODAZ::lookUpType() {
    if (editing_ || typeEmpty()) return;
    TTABELLA key = record_;
    ui::SetField(key.text[0], type_->text());
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
    type_->setText(ui::FromField(record_.text[0]));
    setCode(ui::FromField(record_.text[1]));
    ShowAmount(yield_, record_.num[kYieldSlot]);
    ShowAmount(plato_, record_.num[kPlatoSlot]);
    // The description of the stored code, when the code table still has it.
    description_->clear();
    try {
        TTABELLA codeKey = BlankTabella();
        codeKey.text[0] = record_.text[1];
        const TableLookup code = FindByKey(context_.folders.datiGen, kCodeTable, codeKey);
        if (code.found()) description_->setText(ui::FromField(code.record.text[1]));
    } catch (const IoError&) {
        // Only a help for the eye: the confirm button tests the code again.
    }
    changeLabel_->show();
    delete_->show();
    list_->hide();
}

std::optional<TTABELLA> TFPRODAZ::findCode(bool* notFound) {
    if (notFound) *notFound = false;
    TTABELLA key = BlankTabella();
    key.text[10].set(kCodeTable);
    ui::SetField(key.text[0], productCode());
    try {
        const TableLookup found = FindByKey(context_.folders.datiGen, kCodeTable, key);
        if (found.status == KeyLookup::NoStructure) ui::Warn(this, tables::MissingFileStructure());
        if (found.found()) return found.record;
        if (notFound) *notFound = found.status == KeyLookup::NotFound;
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
    }
    return std::nullopt;
}

void TFPRODAZ::codeExit() {
    if (quiet_ || untouched()) return;
    bool notFound = false;
    if (const auto found = findCode(&notFound)) {
        description_->setText(ui::FromField(found->text[1]));
        return;
    }
    description_->clear();
    // Without its structure (already reported) the table has nothing to list.
    if (!notFound) return;
    // The list opens once the focus change in progress is over.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (isVisible()) chooseCode();
        },
        Qt::QueuedConnection);
}

bool TFPRODAZ::checks() {
    if (typeEmpty()) {
        type_->setFocus(Qt::OtherFocusReason);
        return false;
    }
    const auto code = findCode();
    if (!code) {
        code_->setFocus(Qt::OtherFocusReason);
        return false;
    }
    description_->setText(ui::FromField(code->text[1]));
    ui::SetField(record_.text[0], type_->text());
    ui::SetField(record_.text[1], productCode());
    if (energy_) {
        const double yield = yield_->value(kDecimals);
        if (yield < kSmallestYield) {
            yield_->setFocus(Qt::OtherFocusReason);
            return false;
        }
        record_.num[kYieldSlot] = yield;
    } else {
        record_.num[kYieldSlot] = 1.0;
    }
    record_.num[kPlatoSlot] = plato_->value(kDecimals);
    if (!editing_ || record_.text[0].trimmed() == oldKey_) return true;
    try {
        const TableLookup found = FindByKey(context_.folders.datiGen, kTable, record_);
        if (found.status == KeyLookup::NoStructure) ui::Warn(this, tables::MissingFileStructure());
        if (!found.found()) return true;
        ui::Warn(this, tables::CodeInUse());
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
    }
    type_->setFocus(Qt::OtherFocusReason);
    return false;
}

void TFPRODAZ::save() {
    TTABELLA stored;
    try {
        // A changed type is removed and placed again in one write, under its own number.
        stored = editing_ ? tables::ReplaceTableRecord(tableFile(kTable), oldNumber_, record_)
                          : InsertTableRecord(tableFile(kTable), record_);
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
        type_->setFocus(Qt::OtherFocusReason);
        return;
    }
    TrimTabella(stored);
    saved_ = stored;
    if (context_.singleEntry) {
        accept();
        return;
    }
    reset();
}

void TFPRODAZ::chooseCode() {
    const int chosen = tables::ChooseFromTable(this, listContext(kCodeTable));
    std::optional<TTABELLA> found;
    if (chosen >= 0) {
        try {
            found = ReadByNumber(chosen, tableFile(kCodeTable));
        } catch (const IoError& e) {
            ui::ShowIoError(this, e);
        }
    }
    code_->clear();
    description_->clear();
    if (found) {
        setCode(ui::FromField(found->text[0]));
        description_->setText(ui::FromField(found->text[1]));
    }
    moveFocus(code_);
    code_->setCursorPosition(0);
}

void TFPRODAZ::chooseType() {
    const int chosen = tables::ChooseFromTable(this, listContext(kTable));
    if (chosen >= 0) {
        try {
            if (const auto found = ReadByNumber(chosen, tableFile(kTable)))
                type_->setText(ui::FromField(found->text[0]));
        } catch (const IoError& e) {
            ui::ShowIoError(this, e);
        }
        lookUpType();
    }
    moveFocus(type_);
}

void TFPRODAZ::remove() {
    if (!editing_) return;
    try {
        DeleteTableRecord(oldNumber_, tableFile(kTable));
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
        return;
    }
    reset();
}

void OpenBeerTypes(QWidget* parent, const tables::TableContext& context) {
    TFPRODAZ window(context, parent);
    window.exec();
}

QString OpenNewBeerType(QWidget* parent, const tables::TableContext& context) {
    tables::TableContext single = context;
    single.singleEntry = true;
    TFPRODAZ window(single, parent);
    if (window.exec() != QDialog::Accepted) return {};
    return window.savedType();
}

}  // namespace braxol::setup
