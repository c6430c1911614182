#pragma once
// The modes of the movement chooser and of the deletion window: which file each mode works on,
// which records it lists and in what order, its caption, and the texts of its rows and lines.
// Nothing here needs a window, so the lists can be checked on their own.

#include <QChar>
#include <QString>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "store/records.h"
#include "store/work_folders.h"
#include "tables/row_file.h"

namespace braxol::production {

namespace fs = std::filesystem;

// The record files the two windows reach.
enum class MovementFileKind {
    Register,      // REGISTRI/<year>.RGM: productions and washes
    Tributes,      // REGISTRI/<year>.DER: records E and R
    RawMaterials,  // REGISTRI/<year>.MPR
    Preventive,    // REGISTRI/<year>.PRV: preventive communications
    Requests,      // DATI_GEN/PROTRETE.DAT: register requests, whatever the year
};

fs::path MovementFilePath(const WorkFolders& folders, MovementFileKind kind, int year);

// Years the two windows accept in LANNO.
inline constexpr int kFirstYear = 2008;
inline constexpr int kLastYear = 2060;
// The year typed, when it is four digits within the accepted years.
std::optional<int> AcceptedYear(const QString& text);

// A record counts as a production when its movement code is "114", otherwise as a wash.
bool IsProduction(const TMOVIMENTO& r);

// Month and day of the flow date, ".C" and the flow number on two digits: "0305.C02";
// "1230.C00" for a record never sent.
std::string FlowReference(const TMOVIMENTO& r);

struct ChooserColumn {
    QString title;
    int width;  // initial width in characters
};

struct ChooserMode {
    QChar letter;
    QString caption;
    MovementFileKind file;
    bool newestFirst;  // walk the file from the last record to the first
    std::vector<ChooserColumn> columns;
    bool (*listed)(const TMOVIMENTO&);
    // The column texts of a trimmed record, one per column.
    std::vector<QString> (*texts)(const TMOVIMENTO&);
    // The list opens on its last row instead of its first.
    bool lastRowSelected = false;
};

// The mode of the raw-material chooser FSCEGLICARSCAMP: every movement of the year's .MPR file,
// in file order, the last one selected.
inline constexpr char kRawMaterialChooserMode = 'K';

// Nothing for a letter that is not a chooser mode.
const ChooserMode* FindChooserMode(QChar letter);

// The chooser rows of a file's records: the listed ones, in the mode's order, numbered with
// their NUMOPE, their texts in Windows-1252 (an empty text becomes a single blank).
std::vector<tables::ListRow> ChooserRows(const ChooserMode& mode,
                                         const std::vector<TMOVIMENTO>& records);

// Each column's width: its initial width, or the longest text written in it when larger.
std::vector<int> ChooserWidths(const ChooserMode& mode, const std::vector<tables::ListRow>& rows);

struct DeletionMode {
    QChar letter;
    int tag;  // the tag of the menu action that opens the window in this mode
    QString caption;
    MovementFileKind file;
    bool (*listed)(const TMOVIMENTO&);
    // Deleting an unsent cancellation also undoes its rectification.
    bool undoesRectification;
};

const DeletionMode* FindDeletionMode(QChar letter);
// The mode of a menu action's tag (1 C, 2 c, 3 T, 4 t, 5 P, 6 R, 7 p); a null QChar otherwise.
QChar DeletionModeOfTag(int tag);

// The line of a trimmed record in the deletion list of the mode.
QString DeletionLine(QChar mode, const TMOVIMENTO& r);

// After the deletion of an unsent cancellation of `rifope`: the rectified record becomes
// active again and any record that replaced it is removed. Returns true when something
// changed.
bool UndoRectification(std::vector<TMOVIMENTO>& records, std::int32_t rifope);

}  // namespace braxol::production
