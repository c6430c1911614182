#include "production/register_window.h"

#include <QPlainTextEdit>
#include <QShowEvent>

#include "production/movement_modes.h"
#include "production/register_texts.h"
#include "store/dates.h"
#include "store/io_error.h"
#include "store/movements.h"
#include "ui/confirm_button.h"
#include "ui/field_exit.h"
#include "ui/fields.h"
#include "ui/io_error_box.h"
#include "ui/text.h"

namespace braxol::production {
namespace {

const QString kTitle = QStringLiteral("Registro delle Produzioni");

}  // namespace

TFSTAREGCARSCA::TFSTAREGCARSCA(RegisterRequest request, QWidget* parent)
    : RegisterPrintWindow(std::move(request), QStringLiteral("Riferimenti doganali da stampare"),
                          OfficeBox::HeadingsOnly, parent) {
    setObjectName("FSTAREGCARSCA");
    setWindowTitle(kTitle);
    layOut();
    confirm_->setChecks([this] { return checks(); });
    confirm_->setSave([this] { print(); });
    ui::OnFieldExit(to_, [this] { dateCheck(true); });
}

void TFSTAREGCARSCA::showEvent(QShowEvent* event) {
    RegisterPrintWindow::showEvent(event);
    open();
}

void TFSTAREGCARSCA::open() {
    last_.reset();
    setWindowTitle(kTitle);
    try {
        productCodes_ = ProductCodeList(request_.folders.datiGen);
    } catch (const IoError& e) {
        productCodes_.clear();
        ui::ShowIoError(this, e);
    }
    office_->clear();
    resetFields();
    dateCheck(true);
    from_->setFocus(Qt::OtherFocusReason);
    from_->setCursorPosition(0);
}

bool TFSTAREGCARSCA::dateCheck(bool fillOffice) {
    if (!rangeCheck(fillOffice ? FocusMove::AfterExit : FocusMove::Now)) return false;
    const auto protocol = protocolAtStart();
    protocolOffice_ = protocol ? ui::FromRecord(protocol->office) : QString();
    if (protocol && fillOffice) office_->setPlainText(protocolOffice_);
    return true;
}

bool TFSTAREGCARSCA::checks() {
    return dateCheck(false) && sheetsCheck();
}

void TFSTAREGCARSCA::print() {
    ProductionRegisterSettings s;
    fillPrint(s);
    s.protocolOffice = protocolOffice_;
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
