#include "ui/entry_window.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QShowEvent>

#include "ui/confirm_button.h"

namespace braxol::ui {

bool IsEnterKey(const QKeyEvent* key) {
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

bool TypesACharacter(const QKeyEvent* key) {
    if (IsEnterKey(key) || key->key() == Qt::Key_Backspace) return true;
    // An accelerator or a shortcut types nothing; AltGr (Ctrl+Alt on some systems) does.
    const Qt::KeyboardModifiers mods = key->modifiers();
    const bool altGr = (mods & Qt::ControlModifier) && (mods & Qt::AltModifier);
    if (!altGr && (mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) return false;
    const QString text = key->text();
    return !text.isEmpty() && text.at(0).isPrint();
}

EntryWindow::EntryWindow(QWidget* parent) : QDialog(parent) {
    setModal(true);
}

void EntryWindow::focusFirstField() {
    if (firstField_) firstField_->setFocus(Qt::OtherFocusReason);
}

void EntryWindow::attachConfirm(ConfirmButton* button) {
    button->setUntouchedGuard([this] { return untouched_; }, [this] { focusFirstField(); });
}

void EntryWindow::keepEnterIn(QPlainTextEdit* field) {
    field->setTabChangesFocus(true);
    paragraphFields_.append(field);
}

void EntryWindow::countTypingIn(std::initializer_list<QWidget*> fields) {
    typingFields_.clear();
    for (QWidget* field : fields) typingFields_.append(field);
}

bool EntryWindow::event(QEvent* event) {
    // Restoring a minimised window shows it again, spontaneously: that is not an opening, and
    // the windows' showEvent, which opens them, must not see it.
    if (event->type() == QEvent::Show && event->spontaneous()) {
        QDialog::showEvent(static_cast<QShowEvent*>(event));
        return true;
    }
    return QDialog::event(event);
}

void EntryWindow::showEvent(QShowEvent* event) {
    untouched_ = true;
    watchChildren();
    QDialog::showEvent(event);
}

void EntryWindow::watchChildren() {
    for (QWidget* w : findChildren<QWidget*>()) {
        w->removeEventFilter(this);
        w->installEventFilter(this);
    }
}

bool EntryWindow::countsTyping(const QWidget* control) const {
    if (typingFields_.isEmpty()) return true;
    for (const QPointer<QWidget>& field : typingFields_)
        if (field && (field == control || field->isAncestorOf(control))) return true;
    return false;
}

bool EntryWindow::eventFilter(QObject* watched, QEvent* event) {
    auto* control = qobject_cast<QWidget*>(watched);
    // The list of a combo box is a window of its own, with its own keys.
    if (event->type() != QEvent::KeyPress || !control || control->window() != this)
        return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (TypesACharacter(key) && countsTyping(control)) untouched_ = false;
    if (!IsEnterKey(key) || paragraphFields_.contains(control))
        return QDialog::eventFilter(watched, event);
    enterOn(control);
    return true;
}

void EntryWindow::enterOn(QWidget* control) {
    // The control the key belongs to: a grid holds the editor of its cell, a spin box or a
    // combo box holds its line.
    for (QWidget* w = control->parentWidget(); w && w != this; w = w->parentWidget()) {
        if (qobject_cast<QAbstractItemView*>(w) || qobject_cast<QAbstractSpinBox*>(w) ||
            qobject_cast<QComboBox*>(w))
            control = w;
    }
    if (auto* button = qobject_cast<QAbstractButton*>(control); button && !button->isCheckable()) {
        button->click();
        return;
    }
    // A cell being edited keeps what was typed: its editor closes when the grid takes the focus.
    if (qobject_cast<QAbstractItemView*>(control) && !control->hasFocus())
        control->setFocus(Qt::OtherFocusReason);
    focusNextChild();
}

void EntryWindow::keyPressEvent(QKeyEvent* event) {
    // Enter that reaches the window from a control created after it opened moves on as well:
    // it never presses a default button.
    if (IsEnterKey(event)) {
        focusNextChild();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace braxol::ui
