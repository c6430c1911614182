#include "tributes/tribute_entry_common.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "store/dates.h"
#include "store/io_error.h"
#include "store/movements.h"
#include "tributes/messages.h"
#include "tributes/periods.h"
#include "tributes/tribute_fields.h"
#include "ui/io_error_box.h"
#include "ui/seams.h"
#include "ui/text.h"

namespace braxol::tributes {

void SetUpLeaveButton(QPushButton* leave) {
    leave->setObjectName("BABBANDONA");
    leave->setAutoDefault(false);
    leave->setFocusPolicy(Qt::NoFocus);
}

void AddFieldRow(QWidget* window, QFormLayout* form, QWidget* field, const QString& caption,
                 QWidget* besides) {
    auto* label = new QLabel(caption, window);
    label->setObjectName("ET" + field->objectName());
    label->setBuddy(field);
    // A long caption wraps at a fixed width and gets the height of all its lines; the others
    // stay on one line. Either way no caption is cut.
    const int widest = window->fontMetrics().horizontalAdvance(QString(30, QLatin1Char('W')));
    if (label->fontMetrics().horizontalAdvance(caption) > widest) {
        label->setWordWrap(true);
        label->setFixedWidth(widest);
        label->setMinimumHeight(label->heightForWidth(widest));
    }
    if (!besides) {
        form->addRow(label, field);
        return;
    }
    auto* line = new QHBoxLayout;
    line->addWidget(field);
    line->addWidget(besides);
    line->addStretch();
    form->addRow(label, line);
}

void LayOutEntry(QWidget* window, QFormLayout* form, QWidget* confirm, QWidget* leave,
                 std::initializer_list<QWidget*> order) {
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(confirm);
    buttons->addStretch();
    buttons->addWidget(leave);
    auto* layout = new QVBoxLayout(window);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    QWidget* previous = nullptr;
    for (QWidget* w : order) {
        if (previous) QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

QString YearText(double today) {
    return QString::number(CivilFromDate(today).value_or(CivilDate{2000, 1, 1}).year);
}

void ShowDefaultChapter(QWidget* window, QLineEdit* chapter, const fs::path& datiGen,
                        double today) {
    chapter->clear();
    try {
        chapter->setText(ui::FromRecord(DefaultChapter(datiGen, today)));
    } catch (const IoError& e) {
        ui::ShowIoError(window, e);
    }
}

void ShowRectifiedPeriod(const TMOVIMENTO& trimmed, QLineEdit* year, QLineEdit* period,
                         QLineEdit* description) {
    year->setText(ui::FromField(trimmed.ANNPRO));
    period->setText(ui::FromField(trimmed.CODPAE));
    description->setText(
        ui::FromRecord(PeriodDescription(trimmed.CODPAE.str(), trimmed.ANNPRO.str())));
    SetEditable(year, false);
    SetEditable(period, false);
}

std::optional<std::string> TakePeriodCode(QLineEdit* year, QLineEdit* period,
                                          QLineEdit* description) {
    const auto code = PeriodCodeFromText(ui::ToRecord(period->text()));
    if (!code) {
        description->clear();
        return std::nullopt;
    }
    const QString shown = QString::fromStdString(*code);
    if (period->text() != shown) period->setText(shown);
    description->setText(
        ui::FromRecord(PeriodDescription(*code, ui::ToRecord(year->text().trimmed()))));
    return code;
}

PeriodCheck CheckPeriodRecord(const WorkFolders& folders, EntryMode mode, int year,
                              std::string_view kind, const std::string& code,
                              std::optional<TMOVIMENTO>& existing) {
    // The rectifications concern sent records: only a new entry looks at the period's record.
    if (mode != EntryMode::Insert || !IsReferenceYear(year)) return {true, {}};
    const PeriodRecord found =
        FindPeriodRecord(ScanMovements(TributeFile(folders, year)), kind, code);
    if (found.status == PeriodStatus::Sent) return {false, PeriodSentMessage()};
    if (found.status == PeriodStatus::Unsent) existing = found.record;
    return {true, {}};
}

void RefuseField(QWidget* window, bool& checking, QWidget* field, const QString& message) {
    // The focus goes back first, so that it is on the field when the message box closes.
    const bool wasChecking = checking;
    checking = true;
    field->setFocus(Qt::OtherFocusReason);
    checking = wasChecking;
    if (!message.isEmpty()) ui::Warn(window, message);
}

bool RunChecks(QWidget* window, bool& checking, QWidget* period,
               const std::function<bool()>& compose) {
    checking = true;
    bool passed = false;
    try {
        passed = compose();
    } catch (const IoError& e) {
        RefuseField(window, checking, period, {});
        ui::ShowIoError(window, e);
    }
    checking = false;
    return passed;
}

bool StoreTributeRecord(QWidget* window, const TributeRequest& request, EntryMode mode, int year,
                        const TMOVIMENTO& record, TMOVIMENTO& stored) {
    try {
        const fs::path file = TributeFile(request.folders, year);
        if (mode == EntryMode::Insert) {
            stored = AddMovement(file, record, BlankMovement());
        } else {
            const RectifyMode how = mode == EntryMode::CancelRectification ? RectifyMode::CancelOnly
                                                                           : RectifyMode::Rectify;
            if (!CancelOrRectify(file, request.selected, record, how))
                ui::Warn(window, RectifiedMissingMessage());
        }
    } catch (const IoError& e) {
        ui::ShowIoError(window, e);
        return false;
    }
    return true;
}

}  // namespace braxol::tributes
