#pragma once
// What a code-table window needs from the main window: the folders, the table it works on,
// whether it closes after the first insertion, and the largest size a list may take.

#include <QSize>
#include <QString>

#include "store/work_folders.h"

class QWidget;

namespace braxol::tables {

struct TableContext {
    WorkFolders folders;
    QString tableName;         // "TA20", "ACCISE", "TA03", "TA05C", "PRAZ", "PROTOCOLLI"...
    bool singleEntry = false;  // close after the first confirmed insertion
    int maxWidth = 0;          // largest window size; 0: the screen's size less 50 (width)
    int maxHeight = 0;         // and less 100 (height)
};

// The largest window size of the context, from the screen of `widget` when not given.
QSize MaxWindowSize(const TableContext& context, const QWidget* widget);

}  // namespace braxol::tables
