#pragma once
// Driving windows as a user does: typing (accented letters included), Enter, clicks on
// controls found by object name, and which control has the focus.

#include <QString>
#include <QWidget>

namespace braxol::test {

// The child control with this object name; fails the test when there is none.
QWidget* Control(QWidget* window, const QString& name);
template <class T>
T* ControlAs(QWidget* window, const QString& name) {
    return qobject_cast<T*>(Control(window, name));
}

// Shows the window and makes it the active one, so that focus events are delivered.
void ShowActive(QWidget* window);

// Types text into the focused control, one key press per character, any character.
void Type(QWidget* window, const QString& text);
void PressKey(QWidget* window, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void PressEnter(QWidget* window);
// Moves the focus to the control, as a click on it would.
void FocusOn(QWidget* window, const QString& name);
// A real mouse click (press and release) in the middle of the control.
void Click(QWidget* window, const QString& name);
// Types the text into the focused control, then Enter.
void TypeThenEnter(QWidget* window, const QString& text);
// Moves the focus to the line edit, empties it (masked ones too) and types the text.
void Retype(QWidget* window, const QString& name, const QString& text);
// Object name of the control that has the focus ("" when none).
QString FocusName();
// Lets queued events run.
void Settle();

}  // namespace braxol::test

#include <ostream>
// Lets test failures print texts readably.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QStringList& l, std::ostream* os) {
    *os << '{';
    for (const auto& s : l) *os << '"' << s.toStdString() << "\" ";
    *os << '}';
}
