#pragma once
// What the main window holds for the whole run and the windows it opens read: the folders,
// the configuration records in memory, and the mode in which the next window works.

#include <QString>

#include "store/records.h"
#include "store/work_folders.h"
#include "telematic/telematic_state.h"

namespace braxol::app {

struct RunState {
    WorkFolders folders;
    TUTENTE company = BlankTutente();  // strings trimmed
    TTABELLA paths = BlankTabella();   // APPL.CFG, strings trimmed
    TTABELLA web = BlankTabella();     // WEB.CFG, strings trimmed
    int maxWidth = 0;                  // screen width - 50
    int maxHeight = 0;                 // screen height - 100
    int warningCounter = 0;            // password-expiry warnings shown in this run
    QString workingYear;
    QChar mode;
    int actionTag = 0;
    bool changeFlag = false;
    bool rectifyChange = false;
    bool rectifyCancel = false;
    TMOVIMENTO selected = BlankMovement();
    int chosenNumope = -1;
    QString chosenYear;
    QString tableName;
    bool singleEntry = false;
    telematic::TelematicState telematic;
};

}  // namespace braxol::app
