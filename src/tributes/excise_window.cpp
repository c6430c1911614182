#include "tributes/excise_window.h"

#include <QFocusEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "store/dates.h"
#include "store/io_error.h"
#include "store/movements.h"
#include "store/numbers.h"
#include "tributes/messages.h"
#include "tributes/periods.h"
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
    leave_->setObjectName("BABBANDONA");
    // "&Abbandona" is reached by mouse or accelerator only: pressing it does not leave the
    // field being typed, so that its exit check stays quiet.
    leave_->setAutoDefault(false);
    leave_->setFocusPolicy(Qt::NoFocus);
    layOut();

    setFirstField(year_);
    attachConfirm(confirm_);
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
        auto* label = new QLabel(caption, this);
        label->setObjectName("ET" + field->objectName());
        label->setBuddy(field);
        label->setWordWrap(true);
        if (!besides) {
            form->addRow(label, field);
            return;
        }
        auto* line = new QHBoxLayout;
        line->addWidget(field);
        line->addWidget(besides);
        line->addStretch();
        form->addRow(label, line);
    };
    add(year_, YearCaption());
    add(period_, PeriodCaption(), description_);
    add(chapter_, ChapterCaption());
    add(amount_, QStringLiteral("Accisa arrotondata come da art.35 c. 1 del T.U.A."));
    add(note_, NoteCaption());
    add(computed_, QStringLiteral("Totale accise comunicato al S.T.D. "));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(confirm_);
    buttons->addStretch();
    buttons->addWidget(leave_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    QWidget* const order[] = {year_, period_, chapter_, amount_, note_, confirm_};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
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
    year_->setText(QString::number(CivilFromDate(today).value_or(CivilDate{2000, 1, 1}).year));
    period_->clear();
    description_->clear();
    amount_->clear();
    computed_->clear();
    note_->clear();
    chapter_->clear();
    try {
        chapter_->setText(ui::FromRecord(DefaultChapter(request_.folders.datiGen, today)));
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
    }
    checking_ = true;
    year_->setFocus(Qt::OtherFocusReason);
    if (mode_ != EntryMode::Insert) loadRectified();
    checking_ = false;
}

void TFACCISE_DA::loadRectified() {
    TMOVIMENTO r = request_.selected;
    TrimMovement(r);
    year_->setText(ui::FromField(r.ANNPRO));
    period_->setText(ui::FromField(r.CODPAE));
    description_->setText(ui::FromRecord(PeriodDescription(r.CODPAE.str(), r.ANNPRO.str())));
    chapter_->setText(ui::FromField(r.MITDES));
    amount_->setText(Amount2(r.QUANTI));
    note_->setPlainText(ui::FromField(r.ANNOTA));
    SetEditable(year_, false);
    SetEditable(period_, false);
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
    // The focus goes back first, so that it is on the field when the message box closes.
    const bool wasChecking = checking_;
    checking_ = true;
    field->setFocus(Qt::OtherFocusReason);
    checking_ = wasChecking;
    if (!message.isEmpty()) ui::Warn(this, message);
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

TFACCISE_DA::PeriodCheck TFACCISE_DA::checkPeriod() {
    existing_.reset();
    const auto code = PeriodCodeFromText(ui::ToRecord(period_->text()));
    if (!code) {
        description_->clear();
        return {false, {}};
    }
    const QString shown = QString::fromStdString(*code);
    if (period_->text() != shown) period_->setText(shown);
    composed_.CODPAE.set(*code);
    description_->setText(
        ui::FromRecord(PeriodDescription(*code, ui::ToRecord(year_->text().trimmed()))));
    // The rectifications concern sent records: only a new summary looks at the period's record.
    if (mode_ != EntryMode::Insert || !IsReferenceYear(year())) return {true, {}};
    const PeriodRecord found =
        FindPeriodRecord(ScanMovements(TributeFile(request_.folders, year())), kExciseKind, *code);
    if (found.status == PeriodStatus::Sent) return {false, PeriodSentMessage()};
    if (found.status == PeriodStatus::Unsent) existing_ = found.record;
    return {true, {}};
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
    checking_ = true;
    bool passed = false;
    try {
        passed = composeChecked();
    } catch (const IoError& e) {
        refuse(period_, {});
        ui::ShowIoError(this, e);
    }
    checking_ = false;
    return passed;
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
        const fs::path file = TributeFile(request_.folders, year());
        if (mode_ == EntryMode::Insert) {
            stored_ = AddMovement(file, record, BlankMovement());
        } else {
            const RectifyMode how = mode_ == EntryMode::CancelRectification
                                        ? RectifyMode::CancelOnly
                                        : RectifyMode::Rectify;
            if (!CancelOrRectify(file, request_.selected, record, how))
                ui::Warn(this, RectifiedMissingMessage());
        }
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
        checking_ = false;
        return;
    }
    checking_ = false;
    accept();
}

void OpenExciseSummary(QWidget* parent, const TributeRequest& request) {
    TFACCISE_DA window(request, parent);
    window.exec();
}

}  // namespace braxol::tributes
