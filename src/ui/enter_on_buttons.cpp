#include "ui/enter_on_buttons.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPushButton>

namespace braxol::ui {
namespace {

class EnterPresses : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
        if (key->isAutoRepeat()) return true;
        static_cast<QPushButton*>(watched)->click();
        return true;
    }
};

}  // namespace

void PressOnEnter(std::initializer_list<QPushButton*> buttons) {
    for (QPushButton* button : buttons) button->installEventFilter(new EnterPresses(button));
}

}  // namespace braxol::ui
