#pragma once
// Field-exit rules of the entry windows: something to do when the user leaves a field for
// another control of the same window (not when a message box or another window takes the
// focus, nor when the focus is cleared), and the way back to a field whose exit rule refused
// the value.

#include <functional>

class QWidget;

namespace braxol::ui {

// Calls `onExit` each time `field` loses the focus to another control of its window.
void OnFieldExit(QWidget* field, std::function<void()> onExit);

// Ends the exit rules of the fields of `window`. Windows call it first in their destructor,
// since destroying a field that holds the focus makes it lose the focus.
void StopFieldExits(QWidget* window);

// From an exit rule: gives the focus back to `field` once the focus change in progress has
// finished, unless the focus has been put elsewhere by then. The control that had taken the
// focus hands it back without running its own exit rule.
void ReturnFocus(QWidget* field);

}  // namespace braxol::ui
