#include "production/register_window.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "production/brew_computation.h"
#include "production/brew_entry_common.h"
#include "production/movement_modes.h"
#include "production/register_texts.h"
#include "store/dates.h"
#include "store/io_error.h"
#include "store/movements.h"
#include "store/numbers.h"
#include "ui/confirm_button.h"
#include "ui/field_exit.h"
#include "ui/fields.h"
#include "ui/io_error_box.h"
#include "ui/seams.h"
#include "ui/text.h"

namespace braxol::production {
namespace {

const QString kTitle = QStringLiteral("Registro delle Produzioni");

}  // namespace

TFSTAREGCARSCA::TFSTAREGCARSCA(RegisterRequest request, QWidget* parent)
    : ReportWindow(parent),
      request_(std::move(request)),
      forms_{new QRadioButton(QStringLiteral("Stampa il Registro COMPLETO"), this),
             new QRadioButton(QStringLiteral("Stampa Solo i MOVIMENTI"), this),
             new QRadioButton(QStringLiteral("Stampa Solo le INTESTAZIONI"), this)},
      sheets_(new ui::IntegerEdit(this)),
      firstPage_(new ui::IntegerEdit(this)),
      pagesSuffix_(new QLineEdit(this)),
      office_(new QPlainTextEdit(this)),
      headingsPart_(new QWidget(this)) {
    setObjectName("FSTAREGCARSCA");
    for (int i = 0; i < 3; ++i) forms_[i]->setObjectName(QStringLiteral("RTIPO_%1").arg(i));
    forms_[0]->setChecked(true);
    sheets_->setObjectName("MFOGLI");
    sheets_->setMaxLength(5);
    firstPage_->setObjectName("IDAPAG");
    firstPage_->setMaxLength(5);
    pagesSuffix_->setObjectName("DIFOGLI");
    office_->setObjectName("Memo1");
    layOut();

    confirm_->setChecks([this] { return checks(); });
    confirm_->setSave([this] { print(); });
    for (QRadioButton* b : forms_)
        connect(b, &QRadioButton::clicked, this, &TFSTAREGCARSCA::formChosen);
    ui::OnFieldExit(to_, [this] { dateCheck(true); });
    ui::OnFieldExit(sheets_, [this] {
        if (form() == RegisterForm::HeadingsOnly) sheetsCheck();
    });
}

void TFSTAREGCARSCA::layOut() {
    setWindowTitle(kTitle);
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
    auto add = [&](QWidget* field, const QString& caption) {
        auto* label = new QLabel(caption, headingsPart_);
        label->setObjectName("ET" + field->objectName());
        label->setBuddy(field);
        headings->addRow(label, field);
    };
    add(sheets_, QStringLiteral("Numero dei fogli da stampare"));
    auto* pageRow = new QWidget(headingsPart_);
    auto* pageLayout = new QHBoxLayout(pageRow);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    pageLayout->addWidget(firstPage_);
    pageLayout->addWidget(pagesSuffix_);
    pageLayout->addStretch();
    // The long caption of the first page stands on a line of its own, above its fields.
    auto* pageLabel = new QLabel(
        QStringLiteral("A partire dal numero di pagina [digita 0 per non numerare le pagine]"),
        headingsPart_);
    pageLabel->setObjectName("ETIDAPAG");
    pageLabel->setBuddy(firstPage_);
    headings->addRow(pageLabel);
    headings->addRow(QString(), pageRow);
    add(office_, QStringLiteral("Riferimenti doganali da stampare"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(dateRows());
    layout->addWidget(headingsPart_);
    layout->addLayout(buttonRow());
    layout->setSizeConstraint(QLayout::SetFixedSize);

    QWidget* const order[] = {forms_[0],  forms_[1],    forms_[2], from_,    to_,   sheets_,
                              firstPage_, pagesSuffix_, office_,   confirm_, leave_};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

RegisterForm TFSTAREGCARSCA::form() const {
    if (forms_[1]->isChecked()) return RegisterForm::MovementsOnly;
    if (forms_[2]->isChecked()) return RegisterForm::HeadingsOnly;
    return RegisterForm::Complete;
}

void TFSTAREGCARSCA::showEvent(QShowEvent* event) {
    ReportWindow::showEvent(event);
    open();
}

void TFSTAREGCARSCA::open() {
    last_.reset();
    warnedFor_.reset();
    setWindowTitle(kTitle);
    try {
        productCodes_ = ProductCodeList(request_.folders.datiGen);
    } catch (const IoError& e) {
        productCodes_.clear();
        ui::ShowIoError(this, e);
    }
    firstPage_->clear();
    sheets_->clear();
    pagesSuffix_->clear();
    office_->clear();
    proposeMonth();
    headingsPart_->setVisible(form() == RegisterForm::HeadingsOnly);
    dateCheck(true);
    from_->setFocus(Qt::OtherFocusReason);
    from_->setCursorPosition(0);
}

void TFSTAREGCARSCA::formChosen() {
    headingsPart_->setVisible(form() == RegisterForm::HeadingsOnly);
    from_->setFocus(Qt::OtherFocusReason);
}

bool TFSTAREGCARSCA::dateCheck(bool fillOffice) {
    const auto range =
        checkRange(RangeYears::Same, fillOffice ? FocusMove::AfterExit : FocusMove::Now);
    if (!range) return false;
    range_ = *range;
    std::optional<RegisterProtocol> protocol;
    try {
        protocol = ProtocolInForce(request_.folders.datiGen, range_.from);
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
    }
    protocolOffice_ = protocol ? ui::FromRecord(protocol->office) : QString();
    if (!protocol) {
        // Told once for each start date: leaving the end date and confirming both check.
        if (warnedFor_ != range_.from) ui::Warn(this, kNoProtocolMessage);
        warnedFor_ = range_.from;
    } else if (fillOffice) {
        office_->setPlainText(protocolOffice_);
    }
    return true;
}

bool TFSTAREGCARSCA::sheetsCheck() {
    if (sheets_->value() < 1) {
        ui::ReturnFocus(sheets_);
        return false;
    }
    pagesSuffix_->setText(QStringLiteral(" di ") + sheets_->text() + QStringLiteral(" Es. Fin. ") +
                          to_->text().mid(6, 4));
    return true;
}

bool TFSTAREGCARSCA::checks() {
    if (!dateCheck(false)) return false;
    if (form() == RegisterForm::HeadingsOnly && sheets_->value() < 1) {
        sheets_->setFocus(Qt::OtherFocusReason);
        return false;
    }
    return true;
}

void TFSTAREGCARSCA::print() {
    ProductionRegisterSettings s;
    s.form = form();
    s.from = range_.from;
    s.to = range_.to;
    s.firstPage = firstPage_->value();
    s.pagesSuffix = pagesSuffix_->text();
    s.sheets = s.form == RegisterForm::HeadingsOnly ? sheets_->value() : 1;
    s.office = office_->toPlainText();
    s.protocolOffice = protocolOffice_;
    s.company = request_.company;
    s.productCodes = productCodes_;
    const fs::path file =
        MovementFilePath(request_.folders, MovementFileKind::Register, *YearOfDate(s.from));
    std::optional<reports::Report> report;
    try {
        std::vector<TMOVIMENTO> yearFile;
        if (s.form != RegisterForm::HeadingsOnly) yearFile = ScanMovements(file);
        try {
            report = ProductionRegister(s, yearFile);
        } catch (const DecimalOverflow&) {
            throw IoError(file.string(), kFiguresBeyondRange);
        }
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
        return;
    }
    last_ = s;
    showReport(*report, kTitle);
    from_->setFocus(Qt::OtherFocusReason);
}

void OpenProductionRegister(QWidget* parent, const RegisterRequest& request) {
    TFSTAREGCARSCA window(request, parent);
    window.exec();
}

}  // namespace braxol::production
