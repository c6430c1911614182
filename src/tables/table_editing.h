#pragma once
// What the code-table windows share: the editing state of the record on screen (whether a
// stored record is being changed, its number and its key as read), with the lookups, the
// save, the delete and the list pick that go with it, and the small pieces their layouts are
// built from. Each window owns one TableEditing and keeps its own fields and rules.

#include <QString>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "store/records.h"
#include "store/tables.h"
#include "tables/table_context.h"

class QDialog;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QWidget;

namespace braxol::tables {

namespace fs = std::filesystem;

// A push button of `parent` with its caption and object name.
QPushButton* NamedButton(QWidget* parent, const QString& caption, const char* objectName);
// The "MODIFICA o CANCELLA" label (ETMODIFICA) shown while a stored record is edited.
QLabel* ChangeMark(QWidget* parent);
// A label of `parent` naming the field `buddy`.
QLabel* BuddyLabel(QWidget* parent, const QString& text, QWidget* buddy, const char* objectName);
// The buttons side by side, in order; a null entry is a stretch that pushes the following
// buttons to the right.
QHBoxLayout* ButtonRow(std::initializer_list<QWidget*> buttons);

// FindByKey on DATI_GEN/<table>.TAB, reported to the user: a missing structure is warned and
// reads as "not found"; an I/O error is shown and gives nothing.
std::optional<TableLookup> LookUpKey(QWidget* window, const fs::path& datiGen,
                                     std::string_view table, const TTABELLA& key);

// Opens the list window on `table` (Windows-1252, the rest from `context`) and reads back the
// record chosen there; nothing when none was chosen or it could not be read (reported).
// `chosen`, when given, tells whether a row was chosen at all.
std::optional<TTABELLA> PickFromTable(QWidget* window, const TableContext& context,
                                      std::string_view table, bool* chosen = nullptr);

// Whether DATI_GEN/<table>.STR is there; when it is not, or cannot be read, the user is told.
bool CheckTableStructure(QWidget* window, const fs::path& datiGen, std::string_view table);

// Whether DATI_GEN/<table>.TAB holds no record yet: a code that is not found there has no list
// to be chosen from, and the window goes straight to the new-code window. A table that cannot
// be read is reported and does not count as empty.
bool TableIsEmpty(QWidget* window, const fs::path& datiGen, std::string_view table);

// Whether DATI_GEN/<table>.TAB holds the key, without a word to the user: a failure counts as
// no, and the lookup the window makes next reports it.
bool TableHoldsKey(const fs::path& datiGen, std::string_view table, const QString& key);

// Focus moves that the window makes, not the user: while one is under way the field-exit rules
// that ask `moving()` keep quiet.
class QuietFocus {
public:
    void move(QWidget* field);
    bool moving() const { return moving_; }

private:
    bool moving_ = false;
};

class TableEditing {
public:
    // The controls of the window that the editing state moves; any may be null.
    struct Controls {
        QWidget* keyField = nullptr;    // takes the focus back when a key or a save is refused
        QLabel* changeMark = nullptr;   // shown while editing
        QPushButton* remove = nullptr;  // "Cance&lla", shown while editing
        QPushButton* list = nullptr;    // "&Elenca", hidden while editing
    };

    // `window` is the parent of the messages; `context` must outlive this object. `table` is
    // the table's name as stored (Windows-1252, no blanks).
    TableEditing(QDialog* window, const TableContext& context, std::string table,
                 Controls controls);

    // Wires the buttons at the foot of the window: `remove` deletes the edited record and then,
    // as `empty` does, calls `reset`; `leave` leaves the window.
    void connectButtons(QPushButton* remove, QPushButton* empty, QPushButton* leave,
                        std::function<void()> reset);

    void setTable(std::string table) { table_ = std::move(table); }
    const std::string& table() const { return table_; }
    // For the tables kept in date order: saves place records by number slot `slot`.
    void keepInDateOrder(int slot) { dateSlot_ = slot; }

    bool editing() const { return editing_; }

    // A blank record of the table (its name in text slot 10).
    TTABELLA blankRecord() const;
    // Back to a new record: "MODIFICA o CANCELLA" and "Cance&lla" hidden, "&Elenca" shown.
    void reset();
    // Editing the stored `record` from now on: the contrary.
    void start(const TTABELLA& record);

    // When not editing yet: looks up `key` typed in the key field (the other key slots taken
    // from `record`) and, when the table holds it, puts the stored record in `record` and starts
    // editing it. Returns whether it did.
    bool openStored(TTABELLA& record, const QString& key);
    // Whether `record` may be saved under its key: always for a new record or an unchanged key;
    // otherwise only when no other record holds it. When refused the user is told and the
    // focus goes to the key field.
    bool keyFree(const TTABELLA& record);
    // Inserts `record`, or replaces the edited one keeping its number. Gives the record as
    // stored; nothing after an I/O error, which is shown, the focus back on the key field.
    std::optional<TTABELLA> save(const TTABELLA& record);
    // After a save: closes the window, accepted, in single-entry mode; otherwise calls `reset`
    // for the next record.
    void closeOrReset(const std::function<void()>& reset);
    // PickFromTable on this table.
    std::optional<TTABELLA> pick(bool* chosen = nullptr);
    // CheckTableStructure on this table.
    bool hasStructure();

private:
    fs::path tableFile() const;
    // Deletes the edited record; false when not editing or after an I/O error (shown).
    bool remove();

    QDialog* window_;
    const TableContext& context_;
    std::string table_;
    Controls controls_;
    int dateSlot_ = -1;
    bool editing_ = false;
    std::int32_t oldNumber_ = -1;
    std::string oldKey_;
};

}  // namespace braxol::tables
