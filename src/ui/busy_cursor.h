#pragma once
// The hourglass while a long operation runs, restored on every path out.

#include <QApplication>
#include <QCursor>

namespace braxol::ui {

class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace braxol::ui
