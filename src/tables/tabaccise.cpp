#include "tables/tabaccise.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "store/dates.h"
#include "store/io_error.h"
#include "store/numbers.h"
#include "store/tables.h"
#include "ui/field_exit.h"
#include "tables/listview.h"
#include "tables/messages.h"
#include "tables/table_edits.h"
#include "ui/confirm_button.h"
#include "ui/fields.h"
#include "ui/io_error_box.h"
#include "ui/seams.h"
#include "ui/text.h"

namespace braxol::tables {
namespace {

constexpr const char* kTable = "ACCISE";
constexpr const char* kDefaultChapter = "1402";
constexpr double kSmallestRate = 0.000009;
constexpr int kRateDecimals = 5;

}  // namespace

TFTABACCISE::TFTABACCISE(TableContext context, QWidget* parent)
    : ui::EntryWindow(parent),
      context_(std::move(context)),
      record_(BlankTabella()),
      date_(new ui::DateEdit(this)),
      amount_(new ui::AmountEdit(this)),
      chapter_(new QLineEdit(this)),
      showButton_(new QPushButton("Mostra / Richiama", this)),
      confirm_(new ui::ConfirmButton(this)),
      delete_(new QPushButton("Cance&lla", this)),
      empty_(new QPushButton("&Svuota", this)),
      leave_(new QPushButton("&Abbandona", this)) {
    setObjectName("FTABACCISE");
    setWindowTitle("Tabella delle Accise");
    date_->setObjectName("R10");
    amount_->setObjectName("R11");
    chapter_->setObjectName("LE0");
    showButton_->setObjectName("BMOSTRA");
    delete_->setObjectName("BCANCELLA");
    empty_->setObjectName("BSVUOTA");
    leave_->setObjectName("BABBANDONA");
    chapter_->setMaxLength(5);
    const int fieldWidth = fontMetrics().horizontalAdvance(QString(14, QChar('W')));
    for (QWidget* w : {static_cast<QWidget*>(date_), static_cast<QWidget*>(amount_),
                       static_cast<QWidget*>(chapter_)})
        w->setFixedWidth(fieldWidth);

    auto label = [this](const QString& text, QWidget* buddy, const QString& name) {
        auto* l = new QLabel(text, this);
        l->setObjectName(name);
        l->setBuddy(buddy);
        return l;
    };
    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(date_);
    dateRow->addWidget(showButton_);
    dateRow->addStretch();
    auto* form = new QFormLayout;
    form->addRow(label("Dalla data", date_, "ETR10"), dateRow);
    form->addRow(label("Importo dell'accisa su Hlg", amount_, "ETR11"), amount_);
    form->addRow(label("Capitolo", chapter_, "ETLE0"), chapter_);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {static_cast<QPushButton*>(confirm_), delete_, empty_, leave_})
        buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    // Enter goes through the fields to the confirm button.
    setTabOrder(date_, amount_);
    setTabOrder(amount_, chapter_);
    setTabOrder(chapter_, confirm_);
    setTabOrder(confirm_, showButton_);
    setTabOrder(showButton_, delete_);
    setTabOrder(delete_, empty_);
    setTabOrder(empty_, leave_);

    setFirstField(date_);
    attachConfirm(confirm_);
    confirm_->setChecks([this] { return checks(); });
    confirm_->setSave([this] { save(); });
    ui::OnFieldExit(date_, [this] { dateExit(); });
    ui::OnFieldExit(amount_, [this] { amountExit(); });
    connect(showButton_, &QPushButton::clicked, this, &TFTABACCISE::recall);
    connect(delete_, &QPushButton::clicked, this, &TFTABACCISE::remove);
    connect(empty_, &QPushButton::clicked, this, &TFTABACCISE::reset);
    connect(leave_, &QPushButton::clicked, this, &QDialog::reject);
}

TFTABACCISE::~TFTABACCISE() {
    ui::StopFieldExits(this);
}

std::filesystem::path TFTABACCISE::tableFile() const {
    return TableFile(context_.folders.datiGen, kTable);
}

void TFTABACCISE::showEvent(QShowEvent* event) {
    ui::EntryWindow::showEvent(event);
    date_->setDate(ui::Today());
    bool present = false;
    try {
        present = ReadTableStructure(context_.folders.datiGen, kTable).has_value();
        if (!present) ui::Warn(this, MissingTableStructure());
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
    }
    if (!present) {
        QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
        return;
    }
    reset();
}

void TFTABACCISE::reset() {
    record_ = BlankTabella();
    record_.text[10].set(kTable);
    chapter_->setText(kDefaultChapter);
    amount_->clear();
    editing_ = false;
    oldNumber_ = -1;
    oldDate_ = 0;
    date_->setFocus(Qt::OtherFocusReason);
    date_->setCursorPosition(0);
}

void TFTABACCISE::dateExit() {
    const auto date = date_->date();
    if (!date || editing_) return;
    try {
        const ExciseRate found =
            ExciseRateAt(context_.folders.datiGen, RateMode::Exact, RoundDecimals(*date, 2));
        if (!found.found) return;
        editing_ = true;
        oldNumber_ = found.record.number;
        oldDate_ = RoundDecimals(found.record.num[kExciseDateSlot], 2);
        amount_->setText(
            QString::fromStdString(FormatAmount(found.record.num[kExciseRateSlot], 0, 2)));
        chapter_->setText(ui::FromField(found.record.text[0]));
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
    }
}

bool TFTABACCISE::amountValid(double* amount) const {
    *amount = amount_->value(kRateDecimals);
    return *amount >= kSmallestRate;
}

void TFTABACCISE::amountExit() {
    double amount = 0;
    if (!untouched() && !amountValid(&amount)) ui::ReturnFocus(amount_);
}

bool TFTABACCISE::checks() {
    record_ = BlankTabella();
    record_.text[10].set(kTable);
    const auto read = date_->date();
    if (!read) {
        date_->setFocus(Qt::OtherFocusReason);
        return false;
    }
    const double date = RoundDecimals(*read, 2);
    double amount = 0;
    if (!amountValid(&amount)) {
        amount_->setFocus(Qt::OtherFocusReason);
        return false;
    }
    ui::SetField(record_.text[0], chapter_->text());
    record_.num[kExciseDateSlot] = date;
    record_.num[kExciseRateSlot] = amount;
    if (!editing_ || date == oldDate_) return true;
    try {
        if (!ExciseRateAt(context_.folders.datiGen, RateMode::Exact, date).found) return true;
        ui::Warn(this, ExciseRatePresent());
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
    }
    date_->setFocus(Qt::OtherFocusReason);
    return false;
}

void TFTABACCISE::save() {
    try {
        if (editing_)
            ReplaceTableRecordByDate(tableFile(), oldNumber_, record_, kExciseDateSlot);
        else
            InsertTableRecordByDate(tableFile(), record_, kExciseDateSlot);
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
        date_->setFocus(Qt::OtherFocusReason);
        return;
    }
    reset();
}

void TFTABACCISE::recall() {
    TableContext listed = context_;
    listed.tableName = kTable;
    const int chosen = ChooseFromTable(this, listed);
    if (chosen < 0) return;
    try {
        const auto found = ReadByNumber(chosen, tableFile());
        if (!found) return;
        date_->setDate(found->num[kExciseDateSlot]);
        chapter_->setText(ui::FromField(found->text[0]));
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
        return;
    }
    dateExit();
    date_->setFocus(Qt::OtherFocusReason);
}

void TFTABACCISE::remove() {
    if (!editing_) return;
    try {
        DeleteTableRecord(oldNumber_, tableFile());
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
        return;
    }
    reset();
}

void OpenExciseRates(QWidget* parent, const TableContext& context) {
    TFTABACCISE window(context, parent);
    window.exec();
}

}  // namespace braxol::tables
