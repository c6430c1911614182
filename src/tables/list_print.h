#pragma once
// The printed form of a list window: a centred table in Courier New, on each page "Pagina n"
// at the top right, the title centred on line 3, the column captions between rules on lines
// 5 and 7 with vertical rules between the columns, then one row per line from line 8.

#include <QString>
#include <QStringList>
#include <vector>

class QPrinter;

namespace braxol::tables {

struct PrintedList {
    QString title;
    QStringList captions;     // one per column
    std::vector<int> widths;  // width of each column in letters, its margins included
    std::vector<QStringList> rows;
};

// Portrait when the columns are narrower than 91 letters in all, landscape otherwise. The
// font is Courier New 12; when the table is wider than the page in letters "W", the first
// size from 13 down to 3 at which it fits in letters "M". A page holds (page height / line
// height - 10) rows. Returns the number of pages printed, 0 when the printer cannot start.
int PaintList(QPrinter& printer, const PrintedList& list);

}  // namespace braxol::tables
