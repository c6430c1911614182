#include "tributes/correction_window.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

#include "store/dates.h"
#include "store/io_error.h"
#include "store/movements.h"
#include "store/numbers.h"
#include "tributes/excise_window.h"
#include "tributes/messages.h"
#include "tributes/periods.h"
#include "tributes/tribute_entry_common.h"
#include "tributes/tribute_fields.h"
#include "ui/confirm_button.h"
#include "ui/field_exit.h"
#include "ui/fields.h"
#include "ui/io_error_box.h"
#include "ui/seams.h"
#include "ui/text.h"

namespace braxol::tributes {
namespace {

QString Title(EntryMode mode) {
    switch (mode) {
        case EntryMode::CancelRectification:
            return QStringLiteral("RETTIFICA: cancella ravvedimento inviato");
        case EntryMode::ModifyRectification:
            return QStringLiteral("RETTIFICA: modifica i dati del ravvedimento inviato");
        case EntryMode::Insert:
            break;
    }
    return QStringLiteral("Ravvedimento");
}

struct AmountField {
    const char* name;
    const char* caption;
};

constexpr AmountField kAmountFields[CorrectionEntry::kAmounts] = {
    {"DOUBL1", "Importo maggiori tributi dovuti"},
    {"DOUBL2", "Sanzione minima"},
    {"DOUBL3", "Percentuale di riduzione"},
    {"DOUBL4", "Importo sanzione"},
    {"DOUBL5", "Tasso legale"},
    {"DOUBL6", "Importo interessi moratori dovuti"},
};

}  // namespace

TFRAVVEDIM::TFRAVVEDIM(TributeRequest request, QWidget* parent)
    : ui::EntryWindow(parent),
      request_(std::move(request)),
      year_(new DigitEdit("ANNPRO", 4, this)),
      period_(new DigitEdit("CODPAE", 2, this)),
      description_(PeriodDescriptionField(this)),
      chapter_(new UpperEdit("MITDES", 5, this)),
      days_(new ui::IntegerEdit(this)),
      paymentDate_(new ui::DateEdit(this)),
      note_(new NoteEdit("ANNOTA", kNoteLength, this)),
      confirm_(new ui::ConfirmButton(this)),
      leave_(new QPushButton(QStringLiteral("&Abbandona"), this)) {
    setObjectName("FRAVVEDIM");
    for (int i = 0; i < CorrectionEntry::kAmounts; ++i) {
        amounts_[i] = new ui::AmountEdit(this);
        amounts_[i]->setObjectName(kAmountFields[i].name);
    }
    days_->setObjectName("INTER1");
    days_->setMaxLength(3);
    days_->setAlignment(Qt::AlignRight);
    paymentDate_->setObjectName("DATDOC");
    SetUpLeaveButton(leave_);
    layOut();

    // The confirm button has no untouched guard here: only leaving the year waits for a key.
    setFirstField(year_);
    confirm_->setChecks([this] { return checks(); });
    confirm_->setSave([this] { save(); });
    ui::OnFieldExit(year_, [this] { yearExit(); });
    ui::OnFieldExit(period_, [this] { periodExit(); });
    connect(leave_, &QPushButton::clicked, this, &QDialog::reject);
}

TFRAVVEDIM::~TFRAVVEDIM() {
    ui::StopFieldExits(this);
}

void TFRAVVEDIM::layOut() {
    const int amountWidth = fontMetrics().horizontalAdvance(QString(16, QLatin1Char('W')));
    for (ui::AmountEdit* a : amounts_) a->setFixedWidth(amountWidth);
    days_->setFixedWidth(fontMetrics().horizontalAdvance(QString(5, QLatin1Char('W'))));
    paymentDate_->setFixedWidth(fontMetrics().horizontalAdvance(QString(11, QLatin1Char('W'))));
    note_->setMinimumWidth(fontMetrics().horizontalAdvance(QString(40, QLatin1Char('W'))));

    auto* form = new QFormLayout;
    auto add = [&](QWidget* field, const QString& caption, QWidget* besides = nullptr) {
        AddFieldRow(this, form, field, caption, besides);
    };
    add(year_, YearCaption());
    add(period_, PeriodCaption(), description_);
    add(chapter_, ChapterCaption());
    for (int i = 0; i < 5; ++i) add(amounts_[i], QString::fromUtf8(kAmountFields[i].caption));
    add(days_, QStringLiteral("Giorni trascorsi dal termine di pagamento"));
    add(amounts_[5], QString::fromUtf8(kAmountFields[5].caption));
    add(paymentDate_, QStringLiteral("Data del versamento"));
    add(note_, NoteCaption());

    LayOutEntry(this, form, confirm_, leave_,
                {year_, period_, chapter_, amounts_[0], amounts_[1], amounts_[2], amounts_[3],
                 amounts_[4], days_, amounts_[5], paymentDate_, note_, confirm_});
}

void TFRAVVEDIM::showEvent(QShowEvent* event) {
    ui::EntryWindow::showEvent(event);
    open();
}

void TFRAVVEDIM::done(int result) {
    closing_ = true;
    ui::EntryWindow::done(result);
    closing_ = false;
}

void TFRAVVEDIM::open() {
    mode_ = EntryModeOf(request_);
    composed_ = BlankMovement();
    stored_ = BlankMovement();
    existing_.reset();
    code_.clear();
    setWindowTitle(Title(mode_));
    for (QWidget* field : {static_cast<QWidget*>(year_), static_cast<QWidget*>(period_),
                           static_cast<QWidget*>(chapter_), static_cast<QWidget*>(days_),
                           static_cast<QWidget*>(paymentDate_)})
        SetEditable(field, true);
    for (ui::AmountEdit* a : amounts_) {
        SetEditable(a, true);
        a->clear();
    }
    const double today = ui::Today();
    year_->setText(YearText(today));
    period_->clear();
    description_->clear();
    days_->clear();
    paymentDate_->setDate(today);
    note_->clear();
    ShowDefaultChapter(this, chapter_, request_.folders.datiGen, today);
    checking_ = true;
    year_->setFocus(Qt::OtherFocusReason);
    if (mode_ != EntryMode::Insert) {
        load(request_.selected, true);
        TMOVIMENTO r = request_.selected;
        TrimMovement(r);
        ShowRectifiedPeriod(r, year_, period_, description_);
        if (mode_ == EntryMode::CancelRectification) {
            SetEditable(chapter_, false);
            for (ui::AmountEdit* a : amounts_) SetEditable(a, false);
            SetEditable(days_, false);
            SetEditable(paymentDate_, false);
            note_->setFocus(Qt::OtherFocusReason);
        } else {
            chapter_->setFocus(Qt::OtherFocusReason);
        }
    }
    checking_ = false;
}

void TFRAVVEDIM::load(const TMOVIMENTO& record, bool withPaymentDate) {
    TMOVIMENTO r = record;
    TrimMovement(r);
    chapter_->setText(ui::FromField(r.MITDES));
    const auto values = CorrectionAmounts(r);
    for (int i = 0; i < CorrectionEntry::kAmounts; ++i)
        amounts_[i]->setText(QString::fromStdString(FormatAmount(values[i], 0, 2)));
    days_->setValue(r.INTER1);
    if (withPaymentDate) paymentDate_->setDate(r.DATDOC);
    note_->setPlainText(ui::FromField(r.ANNOTA));
}

int TFRAVVEDIM::year() const {
    return ParseInteger(ui::ToRecord(year_->text()));
}

void TFRAVVEDIM::refuse(QWidget* field, const QString& message) {
    RefuseField(this, checking_, field, message);
}

void TFRAVVEDIM::yearExit() {
    if (untouched() || closing_ || checking_ || !isVisible()) return;
    if (!IsReferenceYear(year())) refuse(year_, {});
}

PeriodCheck TFRAVVEDIM::checkPeriod() {
    existing_.reset();
    code_.clear();
    const auto code = TakePeriodCode(year_, period_, description_);
    if (!code) return {false, {}};
    code_ = *code;
    return CheckPeriodRecord(request_.folders, mode_, year(), kCorrectionKind, *code, existing_);
}

void TFRAVVEDIM::periodExit() {
    // Unlike the year, the period is checked even before the first key.
    if (closing_ || checking_ || !isVisible()) return;
    checking_ = true;
    try {
        const PeriodCheck check = checkPeriod();
        if (!check.accepted)
            refuse(period_, check.message);
        else if (existing_)
            load(*existing_, false);
    } catch (const IoError& e) {
        refuse(period_, {});
        ui::ShowIoError(this, e);
    }
    checking_ = false;
}

bool TFRAVVEDIM::checks() {
    return RunChecks(this, checking_, period_, [this] { return composeChecked(); });
}

bool TFRAVVEDIM::composeChecked() {
    composed_ = BlankMovement();
    if (!IsReferenceYear(year())) {
        refuse(year_, {});
        return false;
    }
    const PeriodCheck check = checkPeriod();
    if (!check.accepted) {
        refuse(period_, check.message);
        return false;
    }
    const auto paid = paymentDate_->date();
    if (!paid) {
        refuse(paymentDate_, {});
        return false;
    }
    CorrectionEntry entry;
    entry.year = ui::ToRecord(year_->text().trimmed());
    entry.period = code_;
    entry.chapter = ui::ToRecord(chapter_->text());
    for (int i = 0; i < CorrectionEntry::kAmounts; ++i)
        entry.amounts[i] = ui::ToRecord(amounts_[i]->text());
    entry.days = ui::ToRecord(days_->text());
    entry.paymentDate = *paid;
    entry.note = ui::ToRecord(note_->text());
    if (mode_ != EntryMode::Insert && note_->text().trimmed().isEmpty()) {
        refuse(note_, NoteRequiredMessage());
        return false;
    }
    composed_ = ComposeCorrection(entry);
    return true;
}

void TFRAVVEDIM::save() {
    checking_ = true;
    const bool stored = StoreTributeRecord(this, request_, mode_, year(), composed_, stored_);
    checking_ = false;
    if (stored) accept();
}

void OpenLatePaymentCorrection(QWidget* parent, const TributeRequest& request) {
    TFRAVVEDIM window(request, parent);
    window.exec();
}

bool OpenTributeRectification(QWidget* parent, const TributeRequest& request) {
    if (request.selected.TIPREC == kExciseKind) {
        OpenExciseSummary(parent, request);
        return true;
    }
    if (request.selected.TIPREC == kCorrectionKind) {
        OpenLatePaymentCorrection(parent, request);
        return true;
    }
    return false;
}

}  // namespace braxol::tributes
