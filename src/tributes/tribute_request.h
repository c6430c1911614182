#pragma once
// What the main window tells the tribute windows before opening them: the folders, the mode
// letter and rectification flags of its run-time state, the record chosen for a rectification
// and the largest window size.

#include <QChar>

#include "store/records.h"
#include "store/work_folders.h"

namespace braxol::tributes {

struct TributeRequest {
    WorkFolders folders;
    // "I" new record; "T" cancel-rectification or the search of every record; "t"
    // modify-rectification or the search of the sent records ("Ricerca Tributi Inviati").
    QChar mode = QLatin1Char('I');
    bool rectifyCancel = false;  // "Rettifica: Annulla Record E/R"
    bool rectifyChange = false;  // "Rettifica: Modifica Record E/R"
    // The record being rectified, as read from REGISTRI/<year>.DER by its NUMOPE.
    TMOVIMENTO selected = BlankMovement();
    int maxWidth = 0;  // 0: the screen's size less 50 and 100
    int maxHeight = 0;
};

enum class EntryMode { Insert, CancelRectification, ModifyRectification };

// The rectification flags decide; with neither set the window enters a new record.
EntryMode EntryModeOf(const TributeRequest& request);

// The search lists only the sent records in mode "t".
bool SearchesSentOnly(const TributeRequest& request);

}  // namespace braxol::tributes
