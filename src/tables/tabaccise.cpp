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
#include "tables/messages.h"
#include "ui/confirm_button.h"
#include "ui/field_exit.h"
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
      showButton_(NamedButton(this, "Mostra / Richiama", "BMOSTRA")),
      confirm_(new ui::ConfirmButton(this)),
      delete_(NamedButton(this, "Cance&lla", "BCANCELLA")),
      empty_(NamedButton(this, "&Svuota", "BSVUOTA")),
      leave_(NamedButton(this, "&Abbandona", "BABBANDONA")),
      // "Cance&lla" stays in sight: a rate is deleted only when it is being edited.
      edit_(this, context_, kTable, {date_}) {
    setObjectName("FTABACCISE");
    setWindowTitle("Tabella delle Accise");
    date_->setObjectName("R10");
    amount_->setObjectName("R11");
    chapter_->setObjectName("LE0");
    edit_.keepInDateOrder(kExciseDateSlot);
    chapter_->setMaxLength(5);
    const int fieldWidth = fontMetrics().horizontalAdvance(QString(14, QChar('W')));
    for (QWidget* w : {static_cast<QWidget*>(date_), static_cast<QWidget*>(amount_),
                       static_cast<QWidget*>(chapter_)})
        w->setFixedWidth(fieldWidth);

    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(date_);
    dateRow->addWidget(showButton_);
    dateRow->addStretch();
    auto* form = new QFormLayout;
    form->addRow(BuddyLabel(this, "Dalla data", date_, "ETR10"), dateRow);
    form->addRow(BuddyLabel(this, "Importo dell'accisa su Hlg", amount_, "ETR11"), amount_);
    form->addRow(BuddyLabel(this, "Capitolo", chapter_, "ETLE0"), chapter_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(ButtonRow({confirm_, delete_, empty_, leave_}));
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
    edit_.connectButtons(delete_, empty_, leave_, [this] { reset(); });
}

TFTABACCISE::~TFTABACCISE() {
    ui::StopFieldExits(this);
}

void TFTABACCISE::showEvent(QShowEvent* event) {
    ui::EntryWindow::showEvent(event);
    date_->setDate(ui::Today());
    if (!edit_.hasStructure()) {
        QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
        return;
    }
    reset();
}

void TFTABACCISE::reset() {
    record_ = edit_.blankRecord();
    chapter_->setText(kDefaultChapter);
    amount_->clear();
    edit_.reset();
    oldDate_ = 0;
    date_->setFocus(Qt::OtherFocusReason);
    date_->setCursorPosition(0);
}

void TFTABACCISE::dateExit() {
    const auto date = date_->date();
    if (!date || edit_.editing()) return;
    try {
        const ExciseRate found =
            ExciseRateAt(context_.folders.datiGen, RateMode::Exact, RoundDecimals(*date, 2));
        if (!found.found) return;
        edit_.start(found.record);
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
    record_ = edit_.blankRecord();
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
    if (!edit_.editing() || date == oldDate_) return true;
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
    if (edit_.save(record_)) reset();
}

void TFTABACCISE::recall() {
    const auto found = edit_.pick();
    if (!found) return;
    date_->setDate(found->num[kExciseDateSlot]);
    chapter_->setText(ui::FromField(found->text[0]));
    dateExit();
    date_->setFocus(Qt::OtherFocusReason);
}

void OpenExciseRates(QWidget* parent, const TableContext& context) {
    TFTABACCISE window(context, parent);
    window.exec();
}

}  // namespace braxol::tables
