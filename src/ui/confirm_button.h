#pragma once
// The confirm button of the entry windows ("&CONFERMA", object name BCONF). Its checks run
// when it gets the focus: a failed check shows its message and moves the focus to the
// offending field, which cancels the press. The save runs only when the checks passed on
// this entry and the button still holds the focus, whichever way it was activated: a mouse
// click, the accelerator, or Enter/Space on the focused button.
//
// It is never the dialog's default button: Enter on another control must not confirm.

#include <QPushButton>
#include <functional>

namespace braxol::ui {

class ConfirmButton : public QPushButton {
    Q_OBJECT
public:
    explicit ConfirmButton(QWidget* parent = nullptr, const QString& caption = "&CONFERMA");

    // Returns true when the record may be saved; on failure it has moved the focus away.
    void setChecks(std::function<bool()> checks) { checks_ = std::move(checks); }
    void setSave(std::function<void()> save) { save_ = std::move(save); }
    // When set and returning true (the window is untouched), entering the button only moves
    // the focus to the window's first field.
    void setUntouchedGuard(std::function<bool()> untouched, std::function<void()> toFirstField);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void enter();
    void activated();

    std::function<bool()> checks_;
    std::function<void()> save_;
    std::function<bool()> untouched_;
    std::function<void()> toFirstField_;
    bool passed_ = false;      // the checks of this entry passed
    bool entered_ = false;     // the checks of this entry ran
    bool mousePress_ = false;  // the current press came from the mouse
    int entries_ = 0;          // how many times the button was entered
};

}  // namespace braxol::ui
