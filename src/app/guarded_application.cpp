#include "app/guarded_application.h"

#include <QCoreApplication>
#include <QThread>
#include <cstdio>
#include <exception>

#include "store/io_error.h"
#include "ui/io_error_box.h"
#include "ui/seams.h"

namespace braxol::app {
namespace {

bool telling = false;

void Tell(const std::function<void()>& show, const char* what) {
    std::fprintf(stderr, "braxol: errore non gestito: %s\n", what);
    // A box belongs to the window thread only; an error of a worker's event stays in the log.
    if (telling || QThread::currentThread() != QCoreApplication::instance()->thread()) return;
    telling = true;
    show();
    telling = false;
}

}  // namespace

bool DeliverGuarded(const std::function<bool()>& deliver) {
    try {
        return deliver();
    } catch (const IoError& e) {
        Tell([&] { ui::ShowIoError(nullptr, e); }, e.what());
    } catch (const std::exception& e) {
        const QString text =
            QStringLiteral(
                "ERRORE IMPREVISTO: %1\n\nL'operazione non è stata completata; i dati "
                "già salvati non sono stati toccati.")
                .arg(QString::fromUtf8(e.what()));
        Tell([&] { ui::Warn(nullptr, text); }, e.what());
    }
    return false;
}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    return DeliverGuarded([&] { return QApplication::notify(receiver, event); });
}

}  // namespace braxol::app
