#include "rawmaterials/daily_register_window.h"

#include <QPlainTextEdit>
#include <QShowEvent>

#include "rawmaterials/daily_register.h"
#include "store/dates.h"
#include "store/decimal.h"
#include "store/io_error.h"
#include "store/movements.h"
#include "store/paths.h"
#include "store/raw_material_stock.h"
#include "ui/confirm_button.h"
#include "ui/field_exit.h"
#include "ui/fields.h"
#include "ui/io_error_box.h"
#include "ui/text.h"

namespace braxol::rawmaterials {
namespace {

const QString kTitle = QStringLiteral("Registro movimenti giornalieri delle Materie Prime");

}  // namespace

TFSTAREGMPXGIORNI::TFSTAREGMPXGIORNI(production::RegisterRequest request, QWidget* parent)
    : RegisterPrintWindow(std::move(request), QStringLiteral("Riferimenti doganali da stampare"),
                          production::OfficeBox::HeadingsOnly, parent) {
    setObjectName("FSTAREGMPXGIORNI");
    setWindowTitle(kTitle);
    layOut();
    confirm_->setChecks([this] { return checks(); });
    confirm_->setSave([this] { print(); });
    ui::OnFieldExit(to_, [this] { dateCheck(FocusMove::AfterExit); });
}

void TFSTAREGMPXGIORNI::showEvent(QShowEvent* event) {
    RegisterPrintWindow::showEvent(event);
    open();
}

void TFSTAREGMPXGIORNI::open() {
    last_.reset();
    office_->setPlainText(ui::FromField(request_.company.UFFDO1));
    resetFields();
    dateCheck(FocusMove::AfterExit);
    from_->setFocus(Qt::OtherFocusReason);
    from_->setCursorPosition(0);
}

bool TFSTAREGMPXGIORNI::dateCheck(FocusMove move) {
    if (!rangeCheck(move)) return false;
    protocolAtStart();
    return true;
}

bool TFSTAREGMPXGIORNI::checks() {
    return dateCheck(FocusMove::Now) && sheetsCheck();
}

void TFSTAREGMPXGIORNI::print() {
    reports::RegisterPrint s;
    fillPrint(s);
    const fs::path file = YearFile(request_.folders.registri, *YearOfDate(s.from), ".MPR");
    std::optional<reports::Report> report;
    try {
        std::vector<TMOVIMENTO> yearFile;
        if (s.form != reports::RegisterForm::HeadingsOnly) yearFile = ScanMovements(file);
        try {
            report = DailyRegister(s, yearFile);
        } catch (const DecimalOverflow&) {
            throw IoError(file.string(), kQuantitiesBeyondRange);
        }
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
    }
    if (report) {
        last_ = s;
        showReport(*report, kTitle);
    }
    // Printed or not, the next print starts from the first field again.
    from_->setFocus(Qt::OtherFocusReason);
}

void OpenDailyRegister(QWidget* parent, const production::RegisterRequest& request) {
    TFSTAREGMPXGIORNI window(request, parent);
    window.exec();
}

}  // namespace braxol::rawmaterials
