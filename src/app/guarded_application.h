// The program's application object. An error that no window caught on its way out of an event
// (a file that could not be read, a figure beyond any register, anything unforeseen) is told
// to the user in Italian and the program goes on, instead of ending and taking with it what is
// typed in every open window. What is saved is safe either way: every write is whole or not
// at all.
#pragma once

#include <QApplication>
#include <functional>

namespace braxol::app {

class GuardedApplication : public QApplication {
public:
    GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}
    bool notify(QObject* receiver, QEvent* event) override;
};

// Runs `deliver` (the delivery of one event) and tells the user of an error escaping it; false
// when one did. While one such message is on screen, further ones are not shown, so that an
// error repeated by every paint cannot pile boxes up.
bool DeliverGuarded(const std::function<bool()>& deliver);

}  // namespace braxol::app
