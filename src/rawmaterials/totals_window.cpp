#include "rawmaterials/totals_window.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "rawmaterials/totals.h"
#include "reports/output.h"
#include "store/io_error.h"
#include "ui/confirm_button.h"
#include "ui/fields.h"
#include "ui/io_error_box.h"
#include "ui/seams.h"

namespace braxol::rawmaterials {

namespace {
const QString kTitle = QStringLiteral("Totali materie prime");
}

TFTOTALIMP::TFTOTALIMP(WorkFolders folders, QWidget* parent)
    : ui::EntryWindow(parent),
      folders_(std::move(folders)),
      end_(new ui::DateEdit(this)),
      confirm_(new ui::ConfirmButton(this)),
      leave_(new QPushButton(QStringLiteral("&Abbandona"), this)) {
    setObjectName("FTOTALIMP");
    setWindowTitle(kTitle);
    end_->setObjectName("MDAAL");
    leave_->setObjectName("BABBANDONA");
    leave_->setAutoDefault(false);
    end_->setFixedWidth(fontMetrics().horizontalAdvance(QString(8, QLatin1Char('W'))));

    auto* label = new QLabel(QStringLiteral("Alla data"), this);
    label->setObjectName("ETMDAAL");
    label->setBuddy(end_);
    auto* form = new QFormLayout;
    form->addRow(label, end_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(confirm_);
    buttons->addStretch();
    buttons->addWidget(leave_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setMinimumWidth(fontMetrics().horizontalAdvance(QString(24, QLatin1Char('W'))));
    setTabOrder(end_, confirm_);
    setTabOrder(confirm_, leave_);

    setFirstField(end_);
    // The totals of today may be asked for at once: no untouched guard.
    confirm_->setChecks([this] { return checks(); });
    confirm_->setSave([this] { compute(); });
    connect(leave_, &QPushButton::clicked, this, &QDialog::reject);
}

TFTOTALIMP::~TFTOTALIMP() = default;

void TFTOTALIMP::showEvent(QShowEvent* event) {
    ui::EntryWindow::showEvent(event);
    end_->setDate(ui::Today());
    end_->setFocus(Qt::OtherFocusReason);
}

bool TFTOTALIMP::checks() {
    const auto date = end_->date();
    if (!InReportYears(date)) {
        end_->setFocus(Qt::OtherFocusReason);
        return false;
    }
    date_ = *date;
    return true;
}

void TFTOTALIMP::compute() {
    std::optional<TotalsOutcome> outcome;
    try {
        outcome = RunMaterialTotals(folders_, date_);
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
        return;
    }
    if (preview_)
        preview_(outcome->report, kTitle);
    else
        reports::ShowPreview(outcome->report, kTitle, this);
    accept();
}

void OpenRawMaterialTotals(QWidget* parent, const WorkFolders& folders) {
    TFTOTALIMP window(folders, parent);
    window.exec();
}

}  // namespace braxol::rawmaterials
