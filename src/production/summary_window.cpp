#include "production/summary_window.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QShowEvent>
#include <QVBoxLayout>

#include "production/period_summary.h"
#include "store/io_error.h"
#include "ui/confirm_button.h"
#include "ui/fields.h"
#include "ui/io_error_box.h"

namespace braxol::production {
namespace {

const QString kTitle = QStringLiteral("Riepilogo produzioni per periodo tributo");

}  // namespace

TFRIEPMESE::TFRIEPMESE(SummaryRequest request, QWidget* parent)
    : ReportWindow(parent), request_(std::move(request)) {
    setObjectName("FRIEPMESE");
    setWindowTitle(kTitle);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(dateRows());
    layout->addLayout(buttonRow());
    layout->setSizeConstraint(QLayout::SetFixedSize);
    QWidget* const order[] = {from_, to_, confirm_, leave_};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
    confirm_->setChecks([this] {
        const auto range = checkRange(RangeYears::Any);
        if (range) range_ = *range;
        return range.has_value();
    });
    confirm_->setSave([this] { print(); });
}

void TFRIEPMESE::showEvent(QShowEvent* event) {
    ReportWindow::showEvent(event);
    proposeMonth();
    from_->setFocus(Qt::OtherFocusReason);
    from_->setCursorPosition(0);
}

void TFRIEPMESE::print() {
    try {
        showReport(RunPeriodSummary(request_.folders, range_, request_.company), kTitle);
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
        return;
    }
    from_->setFocus(Qt::OtherFocusReason);
}

void OpenPeriodSummary(QWidget* parent, const SummaryRequest& request) {
    TFRIEPMESE window(request, parent);
    window.exec();
}

}  // namespace braxol::production
