#pragma once
// The structure window FSTRUTAB: edits DATI_GEN/<name>.STR, the structure of a code table
// (name E02250, title E12250, list column names E22250, number of key fields ICHIAVE, and in
// the grid GRIGLIA the width "DIM" and label "ETICHETTA CAMPO" of fields C 1 to C 10), and
// loads a table from DATI_GEN/<name>.CSV.

#include "store/table_structures.h"
#include "tables/table_context.h"
#include "ui/entry_window.h"

class QLineEdit;
class QPushButton;
class QTableWidget;

namespace braxol::ui {
class ConfirmButton;
class IntegerEdit;
}  // namespace braxol::ui

namespace braxol::tables {

class TFSTRUTAB : public ui::EntryWindow {
    Q_OBJECT
public:
    explicit TFSTRUTAB(TableContext context, QWidget* parent = nullptr);
    ~TFSTRUTAB() override;

    void setContext(TableContext context) { context_ = std::move(context); }
    // The structure as the controls show it.
    TableStructure structure() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void nameExit();
    void load(const TableStructure& structure);
    void clearAllBut(bool keepName);
    bool nameValid();
    void save();
    void import();

    TableContext context_;
    QLineEdit* name_;
    QLineEdit* title_;
    QLineEdit* columns_;
    ui::IntegerEdit* keyFields_;
    QTableWidget* grid_;
    ui::ConfirmButton* confirm_;
    QPushButton* import_;
    QPushButton* leave_;
};

// Opens FSTRUTAB (structures of the code tables).
void OpenTableStructures(QWidget* parent, const TableContext& context);

}  // namespace braxol::tables
