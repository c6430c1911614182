#include "ui/field_exit.h"

#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace braxol::ui {
namespace {

const char* const kWatcherName = "braxol_exit_rule";
// Set on a control while it only hands back a focus it took in passing.
const char* const kPassingOn = "braxol_passing_focus_on";

class ExitWatcher : public QObject {
public:
    ExitWatcher(QWidget* field, std::function<void()> onExit)
        : QObject(field), field_(field), onExit_(std::move(onExit)) {
        setObjectName(kWatcherName);
        field->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusOut && watched == field_) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            // While the focus moves, the control taking it is already the focus widget.
            const QWidget* taker = QApplication::focusWidget();
            const bool passingOn = field_->property(kPassingOn).toBool();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && taker &&
                taker->window() == field_->window() && !passingOn && onExit_)
                onExit_();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget* field_;
    std::function<void()> onExit_;
};

}  // namespace

void OnFieldExit(QWidget* field, std::function<void()> onExit) {
    new ExitWatcher(field, std::move(onExit));
}

void StopFieldExits(QWidget* window) {
    for (QObject* watcher : window->findChildren<QObject*>(kWatcherName)) delete watcher;
}

void ReturnFocus(QWidget* field) {
    QPointer<QWidget> target(field);
    QPointer<QWidget> taker(QApplication::focusWidget());
    QTimer::singleShot(0, field, [target, taker] {
        if (!target || !target->isVisible() || QApplication::focusWidget() != taker) return;
        // The control that took the focus was only passed through: it was never worked in,
        // so its own exit rule has nothing to check.
        if (taker) taker->setProperty(kPassingOn, true);
        target->setFocus(Qt::OtherFocusReason);
        if (taker) taker->setProperty(kPassingOn, false);
    });
}

}  // namespace braxol::ui
