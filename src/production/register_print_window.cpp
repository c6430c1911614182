#include "production/register_print_window.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include <vector>

#include "production/brew_entry_common.h"
#include "store/io_error.h"
#include "ui/confirm_button.h"
#include "ui/field_exit.h"
#include "ui/fields.h"
#include "ui/io_error_box.h"
#include "ui/seams.h"

namespace braxol::production {

RegisterPrintWindow::RegisterPrintWindow(RegisterRequest request, const QString& officeCaption,
                                         OfficeBox office, QWidget* parent)
    : ReportWindow(parent),
      request_(std::move(request)),
      office_(new QPlainTextEdit(this)),
      officePlace_(office),
      officeCaption_(officeCaption),
      forms_{new QRadioButton(QStringLiteral("Stampa il Registro COMPLETO"), this),
             new QRadioButton(QStringLiteral("Stampa Solo i MOVIMENTI"), this),
             new QRadioButton(QStringLiteral("Stampa Solo le INTESTAZIONI"), this)},
      sheets_(new ui::IntegerEdit(this)),
      firstPage_(new ui::IntegerEdit(this)),
      pagesSuffix_(new QLineEdit(this)),
      headingsPart_(new QWidget(this)) {
    for (int i = 0; i < 3; ++i) forms_[i]->setObjectName(QStringLiteral("RTIPO_%1").arg(i));
    forms_[0]->setChecked(true);
    sheets_->setObjectName("MFOGLI");
    sheets_->setMaxLength(5);
    firstPage_->setObjectName("IDAPAG");
    firstPage_->setMaxLength(5);
    pagesSuffix_->setObjectName("DIFOGLI");
    office_->setObjectName("Memo1");
    // The office box holds up to four lines: Enter starts the next one; Tab leaves the box.
    keepEnterIn(office_);
    for (QRadioButton* b : forms_)
        connect(b, &QRadioButton::clicked, this, &RegisterPrintWindow::formChosen);
    ui::OnFieldExit(sheets_, [this] {
        if (form() == reports::RegisterForm::HeadingsOnly) sheetsExit();
    });
}

RegisterPrintWindow::~RegisterPrintWindow() = default;

void RegisterPrintWindow::layOut(const std::function<void(QFormLayout*)>& rowsAbove,
                                 std::initializer_list<QWidget*> fieldsAbove) {
    auto* group = new QGroupBox(this);
    group->setObjectName("RTIPO");
    auto* groupLayout = new QVBoxLayout(group);
    for (QRadioButton* b : forms_) groupLayout->addWidget(b);

    sheets_->setFixedWidth(letters(5));
    firstPage_->setFixedWidth(letters(5));
    pagesSuffix_->setMinimumWidth(letters(16));
    office_->setFixedHeight(fontMetrics().lineSpacing() * 5 + 12);
    office_->setMinimumWidth(letters(30));
    auto* headings = new QFormLayout(headingsPart_);
    headings->setContentsMargins(0, 0, 0, 0);
    auto label = [](QWidget* owner, QWidget* field, const QString& caption) {
        auto* l = new QLabel(caption, owner);
        l->setObjectName("ET" + field->objectName());
        l->setBuddy(field);
        return l;
    };
    headings->addRow(label(headingsPart_, sheets_, QStringLiteral("Numero dei fogli da stampare")),
                     sheets_);
    auto* pageRow = new QWidget(headingsPart_);
    auto* pageLayout = new QHBoxLayout(pageRow);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    pageLayout->addWidget(firstPage_);
    pageLayout->addWidget(pagesSuffix_);
    pageLayout->addStretch();
    // The long caption of the first page stands on a line of its own, above its fields.
    headings->addRow(label(
        headingsPart_, firstPage_,
        QStringLiteral("A partire dal numero di pagina [digita 0 per non numerare le pagine]")));
    headings->addRow(QString(), pageRow);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    QFormLayout* dates = dateRows();
    if (rowsAbove) rowsAbove(dates);
    layout->addLayout(dates);
    if (officePlace_ == OfficeBox::Always) {
        auto* officeRow = new QFormLayout;
        officeRow->addRow(label(this, office_, officeCaption_), office_);
        layout->addWidget(headingsPart_);
        layout->addLayout(officeRow);
    } else {
        headings->addRow(label(headingsPart_, office_, officeCaption_), office_);
        layout->addWidget(headingsPart_);
    }
    layout->addLayout(buttonRow());
    layout->setSizeConstraint(QLayout::SetFixedSize);

    std::vector<QWidget*> order(std::begin(forms_), std::end(forms_));
    order.insert(order.end(), fieldsAbove);
    order.insert(order.end(),
                 {from_, to_, sheets_, firstPage_, pagesSuffix_, office_, confirm_, leave_});
    for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

reports::RegisterForm RegisterPrintWindow::form() const {
    if (forms_[1]->isChecked()) return reports::RegisterForm::MovementsOnly;
    if (forms_[2]->isChecked()) return reports::RegisterForm::HeadingsOnly;
    return reports::RegisterForm::Complete;
}

void RegisterPrintWindow::resetFields() {
    warnedFor_.reset();
    firstPage_->clear();
    sheets_->clear();
    pagesSuffix_->clear();
    proposeMonth();
    showFormFields();
}

void RegisterPrintWindow::showFormFields() {
    headingsPart_->setVisible(form() == reports::RegisterForm::HeadingsOnly);
}

void RegisterPrintWindow::formChosen() {
    showFormFields();
    from_->setFocus(Qt::OtherFocusReason);
}

bool RegisterPrintWindow::rangeCheck(FocusMove move) {
    const auto range = checkRange(RangeYears::Same, move);
    if (!range) return false;
    range_ = *range;
    return true;
}

std::optional<RegisterProtocol> RegisterPrintWindow::protocolAtStart() {
    std::optional<RegisterProtocol> protocol;
    try {
        protocol = ProtocolInForce(request_.folders.datiGen, range_.from);
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
    }
    if (!protocol) {
        // Told once for each start date: leaving the end date and confirming both check.
        if (warnedFor_ != range_.from) ui::Warn(this, kNoProtocolMessage);
        warnedFor_ = range_.from;
    }
    return protocol;
}

bool RegisterPrintWindow::sheetsExit() {
    if (sheets_->value() < 1) {
        ui::ReturnFocus(sheets_);
        return false;
    }
    pagesSuffix_->setText(QStringLiteral(" di ") + sheets_->text() + QStringLiteral(" Es. Fin. ") +
                          to_->text().mid(6, 4));
    return true;
}

bool RegisterPrintWindow::sheetsCheck() {
    if (form() == reports::RegisterForm::HeadingsOnly && sheets_->value() < 1) {
        sheets_->setFocus(Qt::OtherFocusReason);
        return false;
    }
    return true;
}

void RegisterPrintWindow::fillPrint(reports::RegisterPrint& p) const {
    p.form = form();
    p.from = range_.from;
    p.to = range_.to;
    p.firstPage = firstPage_->value();
    p.pagesSuffix = pagesSuffix_->text();
    p.sheets = p.form == reports::RegisterForm::HeadingsOnly ? sheets_->value() : 1;
    p.office = office_->toPlainText();
    p.company = request_.company;
}

}  // namespace braxol::production
