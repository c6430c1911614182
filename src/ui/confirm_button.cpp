#include "ui/confirm_button.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>

namespace braxol::ui {

ConfirmButton::ConfirmButton(QWidget* parent, const QString& caption)
    : QPushButton(caption, parent) {
    setObjectName("BCONF");
    // A dialog makes its first auto-default button the default one, which Enter on any field
    // would press.
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, &ConfirmButton::activated);
}

void ConfirmButton::setUntouchedGuard(std::function<bool()> untouched,
                                      std::function<void()> toFirstField) {
    untouched_ = std::move(untouched);
    toFirstField_ = std::move(toFirstField);
}

// A message box shown by the checks takes the focus away from the window and gives it back
// when it closes: that is neither leaving the button nor entering it again.
static bool WindowSwitch(const QFocusEvent* event) {
    return event->reason() == Qt::ActiveWindowFocusReason ||
           event->reason() == Qt::PopupFocusReason;
}

void ConfirmButton::focusInEvent(QFocusEvent* event) {
    QPushButton::focusInEvent(event);
    if (WindowSwitch(event) && entered_) return;
    enter();
}

void ConfirmButton::focusOutEvent(QFocusEvent* event) {
    QPushButton::focusOutEvent(event);
    if (WindowSwitch(event)) return;
    entered_ = false;
    passed_ = false;
}

void ConfirmButton::keyPressEvent(QKeyEvent* event) {
    // Enter on the focused button presses it, as Space does.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        !event->isAutoRepeat()) {
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void ConfirmButton::mousePressEvent(QMouseEvent* event) {
    mousePress_ = true;
    QPushButton::mousePressEvent(event);
}

void ConfirmButton::enter() {
    ++entries_;
    entered_ = true;
    passed_ = false;
    if (untouched_ && untouched_()) {
        if (toFirstField_) toFirstField_();
        return;
    }
    passed_ = !checks_ || checks_();
}

void ConfirmButton::activated() {
    const bool fromMouse = mousePress_;
    mousePress_ = false;
    // A window that has closed (after its save, or after a failure that closed it) confirms
    // nothing more, whatever key was still on its way.
    if (!isVisible()) return;
    // The accelerator presses the button without giving it the focus: enter it first, so that
    // the checks run exactly once. A mouse press has already entered it.
    if (!fromMouse && !hasFocus()) {
        const int before = entries_;
        setFocus(Qt::ShortcutFocusReason);
        if (entries_ == before) enter();  // the window was not active, so no focus event came
    } else if (hasFocus() && !entered_) {
        // The button kept the focus after its last save (a window that stays open, such as a
        // register or a search): no focus event will come, so this press enters it again.
        enter();
    }
    if (!(entered_ && passed_ && hasFocus())) return;
    passed_ = false;
    entered_ = false;
    if (save_) save_();
}

}  // namespace braxol::ui
