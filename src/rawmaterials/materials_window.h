#pragma once
// The raw-material window FMATPRI ("Tabella Materie Prime") on table MATPRIME: the names of the
// raw materials that may be loaded and unloaded (LE1, 21 characters, upper case). Typing a name
// that the table holds switches to editing it ("MODIFICA o CANCELLA"): the confirm button then
// renames it, refused when the new name is already in use, and "Cance&lla" deletes it. The
// movements already stored keep the name they were stored with.
//
// Opened from the menu it stays open for one name after another; opened from the load and
// unload window for a new name, it closes after its first save.

#include <QString>

#include "store/records.h"
#include "tables/table_context.h"
#include "tables/table_editing.h"
#include "ui/entry_window.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace braxol::ui {
class ConfirmButton;
}

namespace braxol::rawmaterials {

// The table of the raw materials and the length of a name.
inline constexpr const char* kMaterialsTable = "MATPRIME";
inline constexpr int kMaterialLength = 21;

class TFMATPRI : public ui::EntryWindow {
    Q_OBJECT
public:
    explicit TFMATPRI(const tables::TableContext& context, QWidget* parent = nullptr);
    ~TFMATPRI() override;

    bool editing() const { return edit_.editing(); }
    // The name saved last since the window was shown, trimmed ("" before a save).
    const QString& savedName() const { return saved_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void layOut();
    void reset();
    bool nameEmpty() const;
    void nameExit();
    bool checks();
    void save();
    void list();

    tables::TableContext context_;
    TTABELLA record_;
    QString saved_;

    QLineEdit* name_;      // LE1
    QLabel* changeLabel_;  // LMODCANC
    ui::ConfirmButton* confirm_;
    QPushButton* list_;    // BELENCA
    QPushButton* delete_;  // BCANCELLA
    QPushButton* empty_;   // BSVUOTA
    QPushButton* leave_;   // BABBANDONA
    tables::TableEditing edit_;
};

// Opens FMATPRI from the menu.
void OpenMaterialsTable(QWidget* parent, const tables::TableContext& context);

// Opens FMATPRI to insert one name and close, whatever the context says; returns the name
// saved there, trimmed, or "" when the window was left without saving.
QString OpenNewMaterial(QWidget* parent, const tables::TableContext& context);

// Shows what is typed into the field in upper case, as the names of the table are.
void UpperCaseAsTyped(QLineEdit* field);

// Whether the table holds the name (compared padded to the name's length). A missing table
// structure is warned and an input/output error shown: both count as "not found".
bool MaterialKnown(QWidget* window, const WorkFolders& folders, const QString& name);

}  // namespace braxol::rawmaterials
