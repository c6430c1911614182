#pragma once
// The generic code-table window FCODICI: a code (LE1) and its description (LE2) in the table
// named by the context, described by its structure file. Typing a code that the table holds
// switches to editing that record: the confirm button then moves it (keeping its number),
// "Cance&lla" deletes it. In single-entry mode the window closes after its first insertion.
// The window is created for each opening.

#include <QString>
#include <optional>

#include "store/records.h"
#include "store/table_structures.h"
#include "tables/table_context.h"
#include "tables/table_editing.h"
#include "ui/entry_window.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace braxol::ui {
class ConfirmButton;
}

namespace braxol::tables {

class TFCODICI : public ui::EntryWindow {
    Q_OBJECT
public:
    // Reads the structure; when there is none it says so, and the window closes on showing.
    explicit TFCODICI(TableContext context, QWidget* parent = nullptr);
    ~TFCODICI() override;

    bool hasStructure() const { return structure_.has_value(); }
    bool editing() const { return edit_.editing(); }
    // The code of the record last composed in the window, trimmed ("" after a reset).
    QString lastCode() const;
    // A code typed in another window that the table does not hold: shown in the code field
    // when the window opens, so that only its description is left to type.
    void setTypedCode(const QString& code) { typedCode_ = code.trimmed(); }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void layOut();
    void reset();
    void codeExit();
    bool checks();
    void save();
    void list();
    bool codeEmpty() const;

    TableContext context_;
    std::optional<TableStructure> structure_;
    TTABELLA record_;
    QString typedCode_;

    QLineEdit* code_;
    QLineEdit* description_;
    QLabel* codeLabel_;
    QLabel* descriptionLabel_;
    QLabel* changeLabel_;
    ui::ConfirmButton* confirm_;
    QPushButton* list_;
    QPushButton* delete_;
    QPushButton* empty_;
    QPushButton* leave_;
    TableEditing edit_;  // on the table named by the context
};

// Opens FCODICI on the context's table and returns, trimmed, the code of the record last
// composed there ("" when none): the caller of a single-entry opening takes the new code.
QString OpenCodeTable(QWidget* parent, const TableContext& context);

// Opens FCODICI on the context's table for one new code, starting from the code the user typed
// in `parent`; returns the code saved there, trimmed, or "" when the window was left without
// saving.
QString OpenNewCode(QWidget* parent, const TableContext& context, const QString& typedCode);

}  // namespace braxol::tables
