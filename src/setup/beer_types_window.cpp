#include "setup/beer_types_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>
#include <algorithm>

#include "store/config_files.h"
#include "store/io_error.h"
#include "store/tables.h"
#include "tables/codici_nc.h"
#include "tables/messages.h"
#include "tables/product_code.h"
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
const QString kCodeTableTitle =
    QStringLiteral("Codici doganali identificativi dei prodotti (TA20)");
const QString kCodeMenuEntry = QStringLiteral("Codici e Tabelle → Codici prodotti (TA20)");

constexpr int kTypeLength = 100;

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
      // Alt+E belongs to the list of beer types: the list of product codes takes Alt+N.
      listCodes_(tables::NamedButton(this, QStringLiteral("Ele&nca"), "SpeedButton1")),
      newCode_(tables::NamedButton(this, QStringLiteral("Nu&ovo Codice"), "BNLE1")),
      description_(new QLineEdit(this)),
      plato_(new ui::AmountEdit(this)),
      changeLabel_(tables::ChangeMark(this)),
      confirm_(new ui::ConfirmButton(this)),
      list_(tables::NamedButton(this, QStringLiteral("&Elenca"), "BELENCA")),
      delete_(tables::NamedButton(this, QStringLiteral("Cance&lla"), "BCANCELLA")),
      empty_(tables::NamedButton(this, QStringLiteral("&Svuota"), "BSVUOTA")),
      leave_(tables::NamedButton(this, QStringLiteral("&Abbandona"), "BABBANDONA")),
      edit_(this, context_, kTable, {type_, changeLabel_, delete_, list_}) {
    setObjectName("FPRODAZ");
    setWindowTitle(QStringLiteral("Tipi di birra prodotti"));
    type_->setObjectName("LE0");
    yield_->setObjectName("R10");
    yieldLabel_->setObjectName("ETR10");
    code_->setObjectName("LE1");
    description_->setObjectName("LE2");
    plato_->setObjectName("R11");

    type_->setMaxLength(kTypeLength);
    code_->setInputMask(tables::kProductCodeMask);
    description_->setReadOnly(true);
    description_->setFocusPolicy(Qt::NoFocus);
    listCodes_->setToolTip(QStringLiteral("mostra la tabella"));
    newCode_->setToolTip(QStringLiteral("Inserisce Nuovo Codice"));
    // Buttons other than the confirm one take no focus: pressing them does not leave the field
    // being typed, so its exit rule (the product-code list above all) stays quiet.
    for (QPushButton* b : {listCodes_, newCode_, list_, delete_, empty_, leave_}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoDefault(false);
    }
    layOut();

    setFirstField(type_);
    attachConfirm(confirm_);
    // The type and its product code are what the guard waits for.
    countTypingIn({type_, code_});
    confirm_->setChecks([this] { return checks(); });
    confirm_->setSave([this] { save(); });
    ui::OnFieldExit(type_, [this] { typeExit(); });
    ui::OnFieldExit(code_, [this] { codeExit(); });
    connect(type_, &QLineEdit::textEdited, this, &TFPRODAZ::upperCaseType);
    connect(listCodes_, &QPushButton::clicked, this, &TFPRODAZ::chooseCode);
    connect(newCode_, &QPushButton::clicked, this, &TFPRODAZ::newCode);
    connect(list_, &QPushButton::clicked, this, &TFPRODAZ::chooseType);
    edit_.connectButtons(delete_, empty_, leave_, [this] { reset(); });
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
    code_->setFixedWidth(letters(tables::kProductCodeLength + 3));
    description_->setMinimumWidth(letters(40));
    plato_->setFixedWidth(letters(12));

    auto label = [this](const QString& text, QWidget* buddy, const char* name) {
        return tables::BuddyLabel(this, text, buddy, name);
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
    codeLine->addWidget(newCode_);
    codeLine->addStretch();
    grid->addLayout(codeLine, 2, 1, 1, 2);
    grid->addWidget(description_, 3, 1, 1, 2);
    grid->addWidget(label(QStringLiteral("Grado Plato"), plato_, "ETR11"), 4, 0);
    grid->addWidget(plato_, 4, 1, Qt::AlignLeft);
    auto* note = new QLabel(
        QStringLiteral("Valorizza il campo solo se il Grado Plato è sempre lo stesso"), this);
    note->setObjectName("ETNOTAR11");
    grid->addWidget(note, 4, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(changeLabel_);
    layout->addLayout(tables::ButtonRow({confirm_, list_, delete_, empty_, leave_}));

    // Enter goes through the fields to the confirm button.
    setTabOrder(type_, yield_);
    setTabOrder(yield_, code_);
    setTabOrder(code_, plato_);
    setTabOrder(plato_, confirm_);

    const QSize largest = tables::MaxWindowSize(context_, this);
    resize(std::min(sizeHint().width(), largest.width()), sizeHint().height());
}

QString TFPRODAZ::savedType() const {
    return saved_ ? ui::FromField(saved_->text[0]) : QString();
}

QString TFPRODAZ::productCode() const {
    return tables::ProductCodeText(code_);
}

void TFPRODAZ::setCode(const QString& code) {
    tables::ShowProductCode(code_, code);
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
    if (!typedType_.trimmed().isEmpty()) {
        type_->setText(typedType_.trimmed().toUpper());
        focus_.move(code_);
    }
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
    record_ = edit_.blankRecord();
    type_->clear();
    code_->clear();
    description_->clear();
    plato_->clear();
    if (litreCounter_)
        yield_->setText(QStringLiteral("1"));
    else
        yield_->clear();
    edit_.reset();
    focus_.move(type_);
}

bool TFPRODAZ::typeEmpty() const {
    return type_->text().trimmed().isEmpty();
}

void TFPRODAZ::typeExit() {
    if (focus_.moving()) return;
    if (typeEmpty()) {
        if (!untouched()) ui::ReturnFocus(type_);
        return;
    }
    lookUpType();
}

void TFPRODAZ::lookUpType() {
    if (typeEmpty() || !edit_.openStored(record_, type_->text())) return;
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
}

std::optional<TTABELLA> TFPRODAZ::findCode(bool* notFound) {
    if (notFound) *notFound = false;
    TTABELLA key = BlankTabella();
    key.text[10].set(kCodeTable);
    ui::SetField(key.text[0], productCode());
    const auto found = tables::LookUpKey(this, context_.folders.datiGen, kCodeTable, key);
    if (!found) return std::nullopt;
    if (found->found()) return found->record;
    if (notFound) *notFound = found->status == KeyLookup::NotFound;
    return std::nullopt;
}

void TFPRODAZ::codeExit() {
    if (focus_.moving() || untouched()) return;
    bool notFound = false;
    if (const auto found = findCode(&notFound)) {
        description_->setText(ui::FromField(found->text[1]));
        return;
    }
    description_->clear();
    // Without its structure (already reported) the table has nothing to list.
    if (!notFound) return;
    // The list opens once the focus change in progress is over. With no code in the table yet
    // there is nothing to choose from: the new code is entered instead.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!isVisible()) return;
            if (!tables::TableIsEmpty(this, context_.folders.datiGen, kCodeTable)) {
                chooseCode();
                return;
            }
            ui::Warn(this, tables::EmptyTable(kCodeTableTitle, kCodeMenuEntry));
            newCode();
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
    return edit_.keyFree(record_);
}

void TFPRODAZ::save() {
    std::optional<TTABELLA> stored = edit_.save(record_);
    if (!stored) return;
    TrimTabella(*stored);
    saved_ = stored;
    edit_.closeOrReset([this] { reset(); });
}

void TFPRODAZ::chooseCode() {
    const auto found = tables::PickFromTable(this, context_, kCodeTable);
    code_->clear();
    description_->clear();
    if (found) {
        setCode(ui::FromField(found->text[0]));
        description_->setText(ui::FromField(found->text[1]));
    }
    focus_.move(code_);
    code_->setCursorPosition(0);
}

void TFPRODAZ::newCode() {
    // A code typed and not in the table is the new code to enter.
    const QString typed = tables::TableHoldsKey(context_.folders.datiGen, kCodeTable, productCode())
                              ? QString()
                              : productCode();
    tables::TableContext codes = context_;
    codes.tableName = kCodeTable;
    const QString code = tables::OpenNewProductCode(this, codes, typed);
    if (!code.isEmpty()) setCode(code);
    // The description follows the code as it now stands.
    description_->clear();
    if (const auto found = findCode()) description_->setText(ui::FromField(found->text[1]));
    focus_.move(code_);
    code_->setCursorPosition(0);
}

void TFPRODAZ::chooseType() {
    bool chosen = false;
    if (const auto found = edit_.pick(&chosen)) type_->setText(ui::FromField(found->text[0]));
    // A chosen row is looked up even when it could not be read back.
    if (chosen) lookUpType();
    focus_.move(type_);
}

void OpenBeerTypes(QWidget* parent, const tables::TableContext& context) {
    TFPRODAZ window(context, parent);
    window.exec();
}

QString OpenNewBeerType(QWidget* parent, const tables::TableContext& context,
                        const QString& typedType) {
    tables::TableContext single = context;
    single.singleEntry = true;
    TFPRODAZ window(single, parent);
    window.setTypedType(typedType);
    if (window.exec() != QDialog::Accepted) return {};
    return window.savedType();
}

QString TypedNewBeerType(const fs::path& datiGen, const QString& typed) {
    const QString type = typed.trimmed();
    if (type.isEmpty()) return {};
    TTABELLA key = BlankTabella();
    key.text[0].set(ui::ToRecord(type));
    try {
        if (FindByKey(datiGen, kTable, key, LetterCase::Ignored).found()) return {};
    } catch (const IoError&) {
        return {};
    }
    return type;
}

void OfferBeerTypesLater(QWidget* window, const fs::path& datiGen, std::function<bool()> stillOpen,
                         std::function<void()> choose, std::function<void()> add) {
    QMetaObject::invokeMethod(
        window,
        [=] {
            if (!stillOpen()) return;
            if (!tables::TableIsEmpty(window, datiGen, kTable)) {
                choose();
                return;
            }
            ui::Warn(window,
                     tables::EmptyTable(QStringLiteral("Tipi di birra prodotti"),
                                        QStringLiteral("Dati Aziendali → Tipi di Birra prodotti")));
            add();
        },
        Qt::QueuedConnection);
}

}  // namespace braxol::setup
