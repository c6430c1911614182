#include "ui/entry_window.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

#include "ui/confirm_button.h"

namespace braxol::ui {

EntryWindow::EntryWindow(QWidget* parent) : QDialog(parent) {
    setModal(true);
}

void EntryWindow::focusFirstField() {
    if (firstField_) firstField_->setFocus(Qt::OtherFocusReason);
}

void EntryWindow::attachConfirm(ConfirmButton* button) {
    button->setUntouchedGuard([this] { return untouched_; }, [this] { focusFirstField(); });
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

bool EntryWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    const bool modifierOnly = key->key() == Qt::Key_Shift || key->key() == Qt::Key_Control ||
                              key->key() == Qt::Key_Alt || key->key() == Qt::Key_Meta;
    if (!enter && !modifierOnly) untouched_ = false;
    if (enter && (qobject_cast<QLineEdit*>(watched) || qobject_cast<QComboBox*>(watched) ||
                  qobject_cast<QAbstractSpinBox*>(watched))) {
        focusNextChild();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace braxol::ui
