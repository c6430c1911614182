#pragma once
// Answers the next modal window of a type from inside its event loop: window tests use it to
// work the windows that another window (or a menu entry) opens with exec().

#include <QApplication>
#include <QDeadlineTimer>
#include <QTest>
#include <QTimer>
#include <functional>

namespace braxol::test {

template <class T>
class NextModal {
public:
    explicit NextModal(std::function<void(T*)> answer) : answer_(std::move(answer)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* window = qobject_cast<T*>(QApplication::activeModalWidget());
            if (!window || !window->isVisible()) return;
            timer_.stop();
            ++opened_;
            answer_(window);
        });
        timer_.start(5);
    }
    // Waits a little for the window to open and be answered.
    bool answered(int milliseconds = 3000) {
        QDeadlineTimer deadline(milliseconds);
        while (opened_ == 0 && !deadline.hasExpired()) QTest::qWait(5);
        return opened_ > 0;
    }
    int opened() const { return opened_; }

private:
    std::function<void(T*)> answer_;
    QTimer timer_;
    int opened_ = 0;
};

}  // namespace braxol::test
