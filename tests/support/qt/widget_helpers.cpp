#include "support/qt/widget_helpers.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QWindow>

namespace braxol::test {

QWidget* Control(QWidget* window, const QString& name) {
    auto* w = window->findChild<QWidget*>(name);
    if (!w) ADD_FAILURE() << "controllo mancante: " << name.toStdString();
    return w;
}

void ShowActive(QWidget* window) {
    window->show();
    window->activateWindow();
    QApplication::setActiveWindow(window);
    (void)QTest::qWaitForWindowActive(window, 2000);
    Settle();
}

static QWidget* Target(QWidget* window) {
    QWidget* f = QApplication::focusWidget();
    return f ? f : window;
}

void Type(QWidget* window, const QString& text) {
    for (const QChar c : text) {
        QWidget* target = Target(window);
        // keyClicks only handles Latin-1 keys: send the character as the event's text.
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        if (c.unicode() < 128) {
            QTest::keyClick(target, c.toLatin1());
        } else {
            QApplication::sendEvent(target, &press);
            QApplication::sendEvent(target, &release);
        }
    }
    Settle();
}

void PressKey(QWidget* window, int key, Qt::KeyboardModifiers modifiers) {
    // Through the window, as the system delivers keys, so that accelerators work too.
    QWidget* target = Target(window);
    if (QWindow* handle = target->window()->windowHandle())
        QTest::keyClick(handle, static_cast<Qt::Key>(key), modifiers);
    else
        QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
    Settle();
}

void PressEnter(QWidget* window) {
    PressKey(window, Qt::Key_Return);
}

void FocusOn(QWidget* window, const QString& name) {
    if (QWidget* w = Control(window, name)) w->setFocus(Qt::MouseFocusReason);
    Settle();
}

void Click(QWidget* window, const QString& name) {
    if (QWidget* w = Control(window, name)) QTest::mouseClick(w, Qt::LeftButton);
    Settle();
}

void TypeThenEnter(QWidget* window, const QString& text) {
    Type(window, text);
    PressEnter(window);
}

void Retype(QWidget* window, const QString& name, const QString& text) {
    FocusOn(window, name);
    if (auto* edit = ControlAs<QLineEdit>(window, name)) {
        edit->clear();
        edit->setCursorPosition(0);
    }
    Type(window, text);
}

QString FocusName() {
    QWidget* f = QApplication::focusWidget();
    return f ? f->objectName() : QString();
}

void Settle() {
    QApplication::processEvents();
}

}  // namespace braxol::test
