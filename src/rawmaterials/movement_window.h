#pragma once
// The load and unload window FCARSCAMP: one movement of a raw material ("CARICO", material
// received with its supplier and delivery document; "SCARICO", material taken into production)
// in the file REGISTRI/<yyyy>.MPR of its date. The type (TIPMOV, C or S) sets the look of the
// window; for an unload LMAX shows the stock of the material at the date ("MAX= "), and a
// quantity above it is warned about, as is a document already stored: both only warn.
//
// In new mode the window stays open for one movement after another, the two dates kept; in
// change mode it opens on the movement chosen, runs its checks to show what is wrong with it,
// stores the change (to another year's file when its date moved there) and closes.
//
// Each field is checked when the focus leaves it (not while the window is untouched) and all
// of them, in the order of the form, when the focus enters "&CONFERMA"; activating it stores.
//
// Controls: TIPMOV, Label1/DATMOV, PRODDO with BPRODDO (list) and BNPRODDO (new name), DATDOC,
// NUMDOC, LPRODAZ/PRODAZ (supplier, loads only), DOUBL1 (quantity) with LMAX, ANNOTA, BCONF,
// BABBANDONA, and the large labels LTITOLO and LMOVIMENTO.

#include <functional>
#include <optional>

#include "store/raw_material_stock.h"
#include "store/records.h"
#include "store/work_folders.h"
#include "tables/table_context.h"
#include "ui/entry_window.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace braxol::ui {
class AmountEdit;
class ConfirmButton;
class DateEdit;
}  // namespace braxol::ui

namespace braxol::rawmaterials {

struct MovementRequest {
    WorkFolders folders;
    bool change = false;
    TMOVIMENTO selected = BlankMovement();  // the movement to change, as stored
    int maxWidth = 0;                       // largest size of the lists opened from the window
    int maxHeight = 0;
};

class TFCARSCAMP : public ui::EntryWindow {
    Q_OBJECT
public:
    explicit TFCARSCAMP(MovementRequest request, QWidget* parent = nullptr);
    ~TFCARSCAMP() override;

    bool changeMode() const { return request_.change; }
    // The movement being changed, as stored (NUMOPE 0 in new mode).
    const TMOVIMENTO& selected() const { return selected_; }
    // The record as composed by the last confirmation checks.
    const TMOVIMENTO& composed() const { return composed_; }
    // How many movements the window stored since it was shown.
    int storedCount() const { return stored_; }
    // The stock last shown for an unload; nothing before.
    const std::optional<double>& shownStock() const { return shownStock_; }
    const RawMaterialLedger& ledger() const { return ledger_; }

public slots:
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void layOut();
    void reset();
    void loadSelected();
    void showType();
    tables::TableContext tableContext() const;

    // The field checks; each fills its part of the record under construction and, when it
    // fails, gives the focus back to its field with its message (if any).
    bool typeCheck();
    bool movementDateCheck(bool moveDocumentDate);
    bool materialCheck();
    bool documentDateCheck();
    bool numberCheck();
    bool quantityCheck();
    // The six checks in the order of the form, up to the first that fails.
    bool fieldChecks(bool moveDocumentDate);
    void stockDisplay();
    void materialExit();
    // Runs `check` when the focus leaves `field` for another control of the window, unless the
    // window is untouched or already checking.
    void onExit(QWidget* field, std::function<void()> check);
    void refuse(QWidget* field, const QString& message = {});

    bool confirmChecks();
    void save();
    void chooseMaterial();
    void newMaterial();

    MovementRequest request_;
    TMOVIMENTO selected_;
    TMOVIMENTO composed_;
    RawMaterialLedger ledger_;
    std::optional<double> shownStock_;
    int stored_ = 0;
    bool checking_ = false;
    bool closing_ = false;

    QLabel* title_;               // LTITOLO
    QLabel* movement_;            // LMOVIMENTO
    QLineEdit* type_;             // TIPMOV
    QLabel* dateLabel_;           // Label1
    ui::DateEdit* date_;          // DATMOV
    QLineEdit* material_;         // PRODDO
    QPushButton* listMaterials_;  // BPRODDO
    QPushButton* newMaterial_;    // BNPRODDO
    ui::DateEdit* documentDate_;  // DATDOC
    QLineEdit* number_;           // NUMDOC
    QLabel* supplierLabel_;       // LPRODAZ
    QLineEdit* supplier_;         // PRODAZ
    ui::AmountEdit* quantity_;    // DOUBL1
    QLabel* stock_;               // LMAX
    QLineEdit* note_;             // ANNOTA
    ui::ConfirmButton* confirm_;
    QPushButton* leave_;  // BABBANDONA
};

// Opens FCARSCAMP for the request; returns how many movements it stored.
int OpenRawMaterialMovements(QWidget* parent, const MovementRequest& request);

}  // namespace braxol::rawmaterials
