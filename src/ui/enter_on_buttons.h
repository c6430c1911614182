// Enter on a focused push button presses it, in the windows that are not entry windows (lists,
// choosers, the deletion window, the preview). Their buttons are not auto-default, so that
// Enter typed elsewhere in the window never presses a button the user is not on; without this
// a keyboard user who reached "Abbandona" with Tab could not press it with Enter.
#pragma once

#include <initializer_list>

class QPushButton;

namespace braxol::ui {

void PressOnEnter(std::initializer_list<QPushButton*> buttons);

}  // namespace braxol::ui
