#pragma once
// Working the program's windows from the main window's menu, as a user does: an entry
// triggered, its window worked by keys, the window closed by them.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QStringList>
#include <functional>

#include "app/main_window.h"
#include "support/qt/next_modal.h"
#include "support/qt/widget_helpers.h"

namespace braxol::test {

// Types each text over what the focused field shows, followed by Enter; an empty text is a
// bare Enter.
inline void Keys(QWidget* window, const QStringList& texts) {
    for (const QString& t : texts) {
        if (!t.isEmpty()) {
            if (auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget()))
                edit->selectAll();
            Type(window, t);
        }
        PressEnter(window);
    }
}

// Opens the menu entry and works its window with `work`; true when the window opened. A
// window that the work leaves open fails the test instead of waiting for ever.
template <class Window>
bool Work(app::TFPRINCIPALE& main, const char* action, std::function<void(Window*)> work) {
    NextModal<Window> modal([&work](Window* w) {
        ShowActive(w);
        work(w);
        if (w->isVisible()) {
            ADD_FAILURE() << w->objectName().toStdString() << " still open, focus on "
                          << FocusName().toStdString();
            w->reject();
        }
    });
    main.action(action)->trigger();
    return modal.opened() == 1;
}

}  // namespace braxol::test
