#include "net/smtp_background.h"

#include <QEventLoop>
#include <QThread>
#include <memory>

namespace braxol::net {

SmtpResult SendMailInBackground(const SmtpAccount& account, const SmtpMessage& message,
                                const SmtpLimits& limits) {
    SmtpResult result;
    std::unique_ptr<QThread> worker(
        QThread::create([&] { result = SendMail(account, message, limits); }));
    QEventLoop loop;
    QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit,
                     Qt::QueuedConnection);
    worker->start();
    if (!worker->isFinished()) loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker->wait();
    return result;
}

}  // namespace braxol::net
