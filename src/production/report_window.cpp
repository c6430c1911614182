#include "production/report_window.h"

#include <QDate>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "reports/output.h"
#include "ui/confirm_button.h"
#include "ui/field_exit.h"
#include "ui/fields.h"
#include "ui/seams.h"

namespace braxol::production {

ReportWindow::ReportWindow(QWidget* parent)
    : ui::EntryWindow(parent),
      from_(new ui::DateEdit(this)),
      to_(new ui::DateEdit(this)),
      confirm_(new ui::ConfirmButton(this)),
      leave_(new QPushButton(QStringLiteral("&Abbandona"), this)) {
    from_->setObjectName("MDADA");
    to_->setObjectName("MDAAL");
    leave_->setObjectName("BABBANDONA");
    leave_->setAutoDefault(false);
    const int dateWidth = letters(9);
    from_->setFixedWidth(dateWidth);
    to_->setFixedWidth(dateWidth);
    setFirstField(from_);
    connect(leave_, &QPushButton::clicked, this, &QDialog::reject);
}

ReportWindow::~ReportWindow() {
    ui::StopFieldExits(this);
}

int ReportWindow::letters(int n) const {
    return fontMetrics().horizontalAdvance(QString(n, QLatin1Char('W')));
}

void ReportWindow::proposeMonth() {
    const QDate today = ui::Seams::clock().today();
    to_->setText(today.toString(QStringLiteral("dd/MM/yyyy")));
    from_->setText(QDate(today.year(), today.month(), 1).toString(QStringLiteral("dd/MM/yyyy")));
}

std::optional<DateRange> ReportWindow::checkRange(RangeYears years, FocusMove move) {
    const DateRange range =
        CheckDateRange(from_->text().toStdString(), to_->text().toStdString(), years);
    if (range.error == DateRangeError::None) return range;
    QWidget* field = range.error == DateRangeError::Start ? static_cast<QWidget*>(from_) : to_;
    if (move == FocusMove::Now)
        field->setFocus(Qt::OtherFocusReason);
    else
        ui::ReturnFocus(field);
    return std::nullopt;
}

void ReportWindow::showReport(const reports::Report& report, const QString& title) {
    if (preview_)
        preview_(report, title);
    else
        reports::ShowPreview(report, title, this);
}

QFormLayout* ReportWindow::dateRows() {
    auto* form = new QFormLayout;
    for (auto [field, caption] : {std::pair<QWidget*, QString>{from_, QStringLiteral("Dalla data")},
                                  {to_, QStringLiteral("Alla data")}}) {
        auto* label = new QLabel(caption, this);
        label->setObjectName("ET" + field->objectName());
        label->setBuddy(field);
        form->addRow(label, field);
    }
    return form;
}

QHBoxLayout* ReportWindow::buttonRow(std::initializer_list<QWidget*> extra) {
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(confirm_);
    for (QWidget* w : extra) buttons->addWidget(w);
    buttons->addStretch();
    buttons->addWidget(leave_);
    return buttons;
}

}  // namespace braxol::production
