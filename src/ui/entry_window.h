#pragma once
// Base of the entry windows and the keyboard rules they share.
//
// Enter moves the focus to the next control on every control of the window: fields, grids,
// check lists, radio buttons, check boxes. On a push button it presses that button, so only
// Enter on the confirm button itself confirms; the window never hands Enter to a default
// button.
//
// The untouched guard, set when the window opens, lets field-exit checks keep quiet and makes
// the confirm button only move the focus to the first field, until the user types in the
// window: a key that puts a character into a field (letters, digits, punctuation, space),
// Backspace or Enter. Moving about (Tab, arrows, Home/End, Delete, page keys) and the
// accelerators are not typing. A window may count only the keys typed in some of its fields.
//
// A window opens once per opening. Restoring it after it was minimised shows it again, but
// that is no opening: its showEvent does not see that show, so what was typed stays and the
// guard stays as it was. Coming back from a message box or a list window does not set the
// guard again either: the user is in the middle of an entry.

#include <QDialog>
#include <QList>
#include <QPointer>
#include <initializer_list>

class QKeyEvent;

class QPlainTextEdit;

namespace braxol::ui {

class ConfirmButton;

// Whether the key types: a printable character, Backspace or Enter.
bool TypesACharacter(const QKeyEvent* key);
bool IsEnterKey(const QKeyEvent* key);

class EntryWindow : public QDialog {
    Q_OBJECT
public:
    explicit EntryWindow(QWidget* parent = nullptr);

    bool untouched() const { return untouched_; }
    void setUntouched(bool value) { untouched_ = value; }
    // The field that the guard and resets go back to.
    void setFirstField(QWidget* field) { firstField_ = field; }
    QWidget* firstField() const { return firstField_; }
    void focusFirstField();
    // Wires a confirm button to the guard of this window.
    void attachConfirm(ConfirmButton* button);
    // Only keys typed in these fields clear the guard (by default, keys typed anywhere).
    void countTypingIn(std::initializer_list<QWidget*> fields);
    // In a text of several paragraphs (the body of a message) Enter starts a new line, as the
    // user expects, instead of moving on; Tab still leaves it.
    void keepEnterIn(QPlainTextEdit* field);

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watchChildren();
    bool countsTyping(const QWidget* control) const;
    // Enter on the control: press it when it is a push button, otherwise move on.
    void enterOn(QWidget* control);

    bool untouched_ = true;
    QWidget* firstField_ = nullptr;
    QList<QPointer<QWidget>> typingFields_;
    QList<QPointer<QWidget>> paragraphFields_;
};

}  // namespace braxol::ui
