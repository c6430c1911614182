#include "rawmaterials/material_register_window.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>

#include "production/register_texts.h"
#include "rawmaterials/materials_window.h"
#include "rawmaterials/office_box_file.h"
#include "store/decimal.h"
#include "store/io_error.h"
#include "store/raw_material_stock.h"
#include "tables/table_editing.h"
#include "ui/confirm_button.h"
#include "ui/field_exit.h"
#include "ui/fields.h"
#include "ui/io_error_box.h"
#include "ui/text.h"

namespace braxol::rawmaterials {
namespace {

const QString kTitle = QStringLiteral("Registro delle Materie Prime");

}  // namespace

TFSTAREGCARSCAMP::TFSTAREGCARSCAMP(const tables::TableContext& context, const TUTENTE& company,
                                   QWidget* parent)
    : RegisterPrintWindow({context.folders, company},
                          QStringLiteral("Estremi del protocollo della Dogana"),
                          production::OfficeBox::Always, parent),
      context_(context),
      material_(new QLineEdit(this)),
      list_(tables::NamedButton(this, QStringLiteral("Ele&nca"), "BPRODDO")) {
    setObjectName("FSTAREGCARSCAMP");
    setWindowTitle(kTitle);
    context_.tableName = kMaterialsTable;
    material_->setObjectName("PRODDO");
    material_->setMaxLength(kMaterialLength);
    material_->setFixedWidth(letters(kMaterialLength + 1));
    UpperCaseAsTyped(material_);
    list_->setToolTip(QStringLiteral("mostra la tabella"));
    list_->setFocusPolicy(Qt::NoFocus);
    list_->setAutoDefault(false);
    layOut(
        [this](QFormLayout* rows) {
            auto* row = new QHBoxLayout;
            row->addWidget(material_);
            row->addWidget(list_);
            row->addStretch();
            auto* label = new QLabel(QStringLiteral("Materia Prima"), this);
            label->setObjectName("ETPRODDO");
            label->setBuddy(material_);
            rows->insertRow(0, label, row);
        },
        {material_});
    setFirstField(material_);
    confirm_->setChecks([this] { return checks(); });
    confirm_->setSave([this] { print(); });
    ui::OnFieldExit(to_, [this] { rangeCheck(FocusMove::AfterExit); });
    connect(list_, &QPushButton::clicked, this, &TFSTAREGCARSCAMP::chooseMaterial);
}

void TFSTAREGCARSCAMP::showEvent(QShowEvent* event) {
    RegisterPrintWindow::showEvent(event);
    open();
}

void TFSTAREGCARSCAMP::open() {
    last_.reset();
    office_->setPlainText(ui::FromField(request_.company.UFFDO1));
    try {
        if (const auto kept = ReadOfficeBox(request_.folders.datiGen)) office_->setPlainText(*kept);
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
    }
    resetFields();
    rangeCheck(FocusMove::Now);
    material_->clear();
    material_->setFocus(Qt::OtherFocusReason);
}

bool TFSTAREGCARSCAMP::checks() {
    if (!rangeCheck(FocusMove::Now) || !sheetsCheck()) return false;
    if (form() != reports::RegisterForm::HeadingsOnly &&
        !MaterialKnown(this, request_.folders, material_->text())) {
        material_->setFocus(Qt::OtherFocusReason);
        return false;
    }
    return true;
}

void TFSTAREGCARSCAMP::print() {
    MaterialRegisterSettings s;
    fillPrint(s);
    s.material = ui::ToRecord(material_->text().trimmed());
    std::optional<reports::Report> report;
    try {
        SaveOfficeBox(request_.folders.datiGen, s.office);
        std::vector<TMOVIMENTO> movements;
        if (s.form != reports::RegisterForm::HeadingsOnly)
            movements = MaterialMovements(request_.folders.registri, s.material, s.from);
        try {
            report = MaterialRegister(s, movements);
        } catch (const DecimalOverflow&) {
            throw IoError(request_.folders.registri.string(), kQuantitiesBeyondRange);
        }
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
    }
    if (report) {
        last_ = s;
        showReport(*report, kTitle);
    }
    // Printed or not, the next print starts from the first field again.
    material_->setFocus(Qt::OtherFocusReason);
}

void TFSTAREGCARSCAMP::chooseMaterial() {
    bool chosen = false;
    const auto found = tables::PickFromTable(this, context_, kMaterialsTable, &chosen);
    if (chosen) material_->setText(found ? ui::FromField(found->text[0]) : QString());
    material_->setFocus(Qt::OtherFocusReason);
}

void OpenMaterialRegister(QWidget* parent, const tables::TableContext& context,
                          const TUTENTE& company) {
    TFSTAREGCARSCAMP window(context, company, parent);
    window.exec();
}

}  // namespace braxol::rawmaterials
