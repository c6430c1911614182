#pragma once
// TFSTAREGCARSCAMP, "Registro delle Materie Prime": prints the register of one raw material
// (PRODDO, 21 characters in upper case, with the table's list on BPRODDO) for a range of days
// of one year, complete, movements only or headings only, into the report preview. The office
// box (Memo1, "Estremi del protocollo della Dogana") is always shown: it opens with the
// company's customs office, or with what DATI_GEN/PROTMP.TXT kept of the last print, and is
// saved there at every print. The window stays open after printing.
//
// Confirming wants a valid range of one year and, unless only the headings are printed, a
// material of the table; otherwise the focus goes to the field at fault, without a message.

#include <optional>

#include "production/register_print_window.h"
#include "rawmaterials/material_register.h"
#include "tables/table_context.h"

class QLineEdit;
class QPushButton;

namespace braxol::rawmaterials {

class TFSTAREGCARSCAMP : public production::RegisterPrintWindow {
    Q_OBJECT
public:
    // `context`: the folders and the list size for the table's list.
    TFSTAREGCARSCAMP(const tables::TableContext& context, const TUTENTE& company,
                     QWidget* parent = nullptr);

    // What the last print was drawn from.
    const std::optional<MaterialRegisterSettings>& lastPrint() const { return last_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void open();
    bool checks();
    void print();
    void chooseMaterial();

    tables::TableContext context_;
    std::optional<MaterialRegisterSettings> last_;
    QLineEdit* material_;  // PRODDO
    QPushButton* list_;    // BPRODDO
};

// Opens TFSTAREGCARSCAMP modally.
void OpenMaterialRegister(QWidget* parent, const tables::TableContext& context,
                          const TUTENTE& company);

}  // namespace braxol::rawmaterials
