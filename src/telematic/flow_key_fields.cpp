#include "telematic/flow_key_fields.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

#include "production/movement_modes.h"
#include "store/numbers.h"
#include "ui/entry_window.h"
#include "ui/field_exit.h"
#include "ui/fields.h"
#include "ui/seams.h"

namespace braxol::telematic {

FlowKeyFields::FlowKeyFields(ui::EntryWindow* window, QString& workingYear,
                             std::function<void()> changed)
    : window_(window),
      workingYear_(workingYear),
      changed_(std::move(changed)),
      year_(new QLineEdit(window)),
      date_(new ui::DateEdit(window)),
      number_(new ui::IntegerEdit(window)) {
    year_->setObjectName("LANNO");
    date_->setObjectName("MDARI");
    number_->setObjectName("INUCO");
    year_->setMaxLength(4);
    year_->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,4}"), year_));
    number_->setMaxLength(4);
    for (QLineEdit* edit :
         {year_, static_cast<QLineEdit*>(date_), static_cast<QLineEdit*>(number_)})
        edit->setMaximumWidth(QFontMetrics(edit->font()).horizontalAdvance("000000000000"));
    ui::OnFieldExit(year_, [this] { yearExit(); });
    ui::OnFieldExit(date_, [this] { dateExit(); });
    ui::OnFieldExit(number_, [this] { numberExit(); });
}

QGridLayout* FlowKeyFields::grid() const {
    auto label = [this](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, window_);
        l->setObjectName("ET" + buddy->objectName());
        l->setBuddy(buddy);
        return l;
    };
    auto* grid = new QGridLayout;
    grid->addWidget(label(QStringLiteral("Movimenti nell'anno:"), year_), 0, 0);
    grid->addWidget(year_, 0, 1);
    grid->addWidget(label(QStringLiteral("Data del flusso"), date_), 1, 0);
    grid->addWidget(date_, 1, 1);
    grid->addWidget(label(QStringLiteral("Numero del flusso"), number_), 2, 0);
    grid->addWidget(number_, 2, 1);
    grid->setColumnStretch(2, 1);
    return grid;
}

void FlowKeyFields::reset() {
    year_->setText(workingYear_);
    date_->setDate(ui::Today());
    number_->clear();
    date_->setFocus(Qt::OtherFocusReason);
    date_->setCursorPosition(0);
}

std::optional<double> FlowKeyFields::flowDate() const {
    return date_->date();
}

int FlowKeyFields::flowNumber() const {
    return ParseInteger(number_->text().toStdString());
}

std::optional<int> FlowKeyFields::flowYear() const {
    return production::AcceptedYear(year_->text());
}

void FlowKeyFields::dateExit() {
    if (window_->untouched()) return;
    if (!date_->date()) {
        ui::ReturnFocus(date_);
        return;
    }
    changed_();
}

void FlowKeyFields::numberExit() {
    if (window_->untouched()) return;
    if (flowNumber() <= 0) {
        ui::ReturnFocus(number_);
        return;
    }
    changed_();
}

void FlowKeyFields::yearExit() {
    if (window_->untouched()) return;
    if (!flowYear()) {
        ui::ReturnFocus(year_);
        return;
    }
    workingYear_ = year_->text().trimmed();
    changed_();
}

}  // namespace braxol::telematic
