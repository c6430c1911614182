#pragma once
// Base of the entry windows. Enter in a one-line field moves the focus to the next control;
// the untouched guard (set when the window is shown, cleared by the first key typed in it)
// lets field-exit checks keep quiet and makes the confirm button only move the focus to the
// first field. Coming back to the window from a message box or a list window does not set
// the guard again: the user is in the middle of an entry.

#include <QDialog>

namespace braxol::ui {

class ConfirmButton;

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

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watchChildren();

    bool untouched_ = true;
    QWidget* firstField_ = nullptr;
};

}  // namespace braxol::ui
