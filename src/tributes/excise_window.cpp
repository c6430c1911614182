#include "tributes/excise_window.h"

#include <QFocusEvent>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

#include "store/dates.h"
#include "store/io_error.h"
#include "store/movements.h"
#include "store/numbers.h"
#include "tributes/messages.h"
#include "tributes/periods.h"
#include "tributes/tribute_entry_common.h"
#include "tributes/tribute_fields.h"
#include "tributes/tribute_records.h"
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
            return QStringLiteral("RETTIFICA: cancella riepilogo accisa inviato");
        case EntryMode::ModifyRectification:
            return QStringLiteral("RETTIFICA: modifica i dati del riepilogo accisa inviato");
        case EntryMode::Insert:
            break;
    }
    return QStringLiteral("Riepilogo accisa");
}

QString Amount2(double value) {
    return QString::fromStdString(FormatAmount(value, 0, 2));
}

QString Amount2(Decimal value) {
    return QString::fromStdString(value.Format(0, 2));
}

}  // namespace

TFACCISE_DA::TFACCISE_DA(TributeRequest request, QWidget* parent)
    : ui::EntryWindow(parent),
      request_(std::move(request)),
      year_(new DigitEdit("ANNPRO", 4, this)),
      period_(new DigitEdit("CODPAE", 2, this)),
      chapter_(new UpperEdit("MITDES", 5, this)),
      amount_(new ui::AmountEdit(this)),
      note_(new NoteEdit("ANNOTA", kNoteLength, this)),
      confirm_(new ui::ConfirmButton(this)),
      description_(PeriodDescriptionField(this)),
      computed_(new ui::AmountEdit(this)),
      leave_(new QPushButton(QStringLiteral("&Abbandona"), this)) {
    setObjectName("FACCISE_DA");
    amount_->setObjectName("DOUBL1");
    computed_->setObjectName("DOUBL2");
    computed_->setReadOnly(true);
    computed_->setFocusPolicy(Qt::NoFocus);
    SetUpLeaveButton(leave_);
    layOut();

    setFirstField(year_);
    attachConfirm(confirm_);
    countTypingIn({year_, period_, chapter_, amount_, note_});
    confirm_->setChecks([this] { return checks(); });
    confirm_->setSave([this] { save(); });
    ui::OnFieldExit(year_, [this] { yearExit(); });
    ui::OnFieldExit(period_, [this] { periodExit(); });
    note_->installEventFilter(this);
    connect(leave_, &QPushButton::clicked, this, &QDialog::reject);
}

TFACCISE_DA::~TFACCISE_DA() {
    ui::StopFieldExits(this);
}

void TFACCISE_DA::layOut() {
    const int amountWidth = fontMetrics().horizontalAdvance(QString(16, QLatin1Char('W')));
    amount_->setFixedWidth(amountWidth);
    computed_->setFixedWidth(amountWidth);
    note_->setMinimumWidth(fontMetrics().horizontalAdvance(QString(40, QLatin1Char('W'))));

    auto* form = new QFormLayout;
    auto add = [&](QWidget* field, const QString& caption, QWidget* besides = nullptr) {
        AddFieldRow(this, form, field, caption, besides);
    };
    add(year_, YearCaption());
    add(period_, PeriodCaption(), description_);
    add(chapter_, ChapterCaption());
    add(amount_, QStringLiteral("Accisa arrotondata come da art.35 c. 1 del T.U.A."));
    add(note_, NoteCaption());
    add(computed_, QStringLiteral("Totale accise comunicato al S.T.D. "));

    LayOutEntry(this, form, confirm_, leave_, {year_, period_, chapter_, amount_, note_, confirm_});
}

void TFACCISE_DA::showEvent(QShowEvent* event) {
    ui::EntryWindow::showEvent(event);
    open();
}

void TFACCISE_DA::done(int result) {
    closing_ = true;
    ui::EntryWindow::done(result);
    closing_ = false;
}

void TFACCISE_DA::open() {
    mode_ = EntryModeOf(request_);
    composed_ = BlankMovement();
    stored_ = BlankMovement();
    existing_.reset();
    total_ = {};
    setWindowTitle(Title(mode_));
    for (QWidget* field : {static_cast<QWidget*>(year_), static_cast<QWidget*>(period_),
                           static_cast<QWidget*>(chapter_), static_cast<QWidget*>(amount_)})
        SetEditable(field, true);
    const double today = ui::Today();
    year_->setText(YearText(today));
    period_->clear();
    description_->clear();
    amount_->clear();
    computed_->clear();
    note_->clear();
    ShowDefaultChapter(this, chapter_, request_.folders.datiGen, today);
    checking_ = true;
    year_->setFocus(Qt::OtherFocusReason);
    if (mode_ != EntryMode::Insert) loadRectified();
    checking_ = false;
}

void TFACCISE_DA::loadRectified() {
    TMOVIMENTO r = request_.selected;
    TrimMovement(r);
    ShowRectifiedPeriod(r, year_, period_, description_);
    chapter_->setText(ui::FromField(r.MITDES));
    amount_->setText(Amount2(r.QUANTI));
    note_->setPlainText(ui::FromField(r.ANNOTA));
    if (mode_ == EntryMode::CancelRectification) {
        SetEditable(chapter_, false);
        SetEditable(amount_, false);
        note_->setFocus(Qt::OtherFocusReason);
    }
}

int TFACCISE_DA::year() const {
    return ParseInteger(ui::ToRecord(year_->text()));
}

void TFACCISE_DA::refuse(QWidget* field, const QString& message) {
    RefuseField(this, checking_, field, message);
}

bool TFACCISE_DA::exitsActive() const {
    return !untouched() && !closing_ && !checking_ && isVisible();
}

void TFACCISE_DA::yearExit() {
    if (!exitsActive()) return;
    checking_ = true;
    if (!IsReferenceYear(year())) {
        refuse(year_, {});
    } else if (mode_ == EntryMode::Insert) {
        try {
            const auto tributes = ScanMovements(TributeFile(request_.folders, year()));
            period_->setText(QString::fromStdString(ProposeNextPeriod(tributes)));
        } catch (const IoError& e) {
            ui::ShowIoError(this, e);
        }
    }
    checking_ = false;
}

PeriodCheck TFACCISE_DA::checkPeriod() {
    existing_.reset();
    const auto code = TakePeriodCode(year_, period_, description_);
    if (!code) return {false, {}};
    composed_.CODPAE.set(*code);
    return CheckPeriodRecord(request_.folders, mode_, year(), kExciseKind, *code, existing_);
}

void TFACCISE_DA::periodExit() {
    if (!exitsActive()) return;
    checking_ = true;
    try {
        const PeriodCheck check = checkPeriod();
        if (!check.accepted)
            refuse(period_, check.message);
        else if (mode_ != EntryMode::CancelRectification)
            // A cancellation keeps the amount of the record it cancels.
            computeTotal();
    } catch (const IoError& e) {
        refuse(period_, {});
        ui::ShowIoError(this, e);
    }
    checking_ = false;
}

void TFACCISE_DA::computeTotal() {
    if (existing_) {
        chapter_->setText(ui::FromField(existing_->MITDES));
        note_->setPlainText(ui::FromField(existing_->ANNOTA));
    }
    total_ = ComputePeriodTotal(request_.folders, year(), composed_.CODPAE.str());
    computed_->setText(Amount2(total_.total));
    amount_->setText(Amount2(total_.total));
    amountValid();
}

bool TFACCISE_DA::amountValid() {
    const double amount = ExciseAmount(ui::ToRecord(amount_->text()));
    amount_->setText(Amount2(amount));
    composed_.QUANTI = amount;
    if (amount >= 0) return true;
    refuse(amount_, NegativeAmountMessage());
    return false;
}

bool TFACCISE_DA::eventFilter(QObject* watched, QEvent* event) {
    // Entering the note checks the amount.
    if (watched == note_ && event->type() == QEvent::FocusIn && !checking_ && !closing_) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            checking_ = true;
            amountValid();
            checking_ = false;
        }
    }
    return ui::EntryWindow::eventFilter(watched, event);
}

bool TFACCISE_DA::checks() {
    return RunChecks(this, checking_, period_, [this] { return composeChecked(); });
}

bool TFACCISE_DA::composeChecked() {
    composed_ = BlankMovement();
    if (!IsReferenceYear(year())) {
        refuse(year_, {});
        return false;
    }
    if (!amountValid()) return false;
    const QString note = note_->text();
    if (mode_ != EntryMode::Insert && note.trimmed().isEmpty()) {
        refuse(note_, NoteRequiredMessage());
        return false;
    }
    const PeriodCheck check = checkPeriod();
    if (!check.accepted) {
        refuse(period_, check.message);
        return false;
    }
    ExciseEntry entry;
    entry.year = ui::ToRecord(year_->text().trimmed());
    entry.period = composed_.CODPAE.str();
    entry.chapter = ui::ToRecord(chapter_->text());
    entry.amount = ui::ToRecord(amount_->text());
    entry.note = ui::ToRecord(note);
    composed_ = ComposeExcise(entry);
    return true;
}

void TFACCISE_DA::save() {
    checking_ = true;
    const TMOVIMENTO record = composed_;
    try {
        const PeriodCheck check = checkPeriod();
        if (!check.accepted) {
            refuse(period_, check.message);
            checking_ = false;
            return;
        }
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
        checking_ = false;
        return;
    }
    const bool stored = StoreTributeRecord(this, request_, mode_, year(), record, stored_);
    checking_ = false;
    if (stored) accept();
}

void OpenExciseSummary(QWidget* parent, const TributeRequest& request) {
    TFACCISE_DA window(request, parent);
    window.exec();
}

}  // namespace braxol::tributes
