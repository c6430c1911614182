#pragma once
// A real SMTP server on 127.0.0.1 for the tests of the e-mail client and of the windows that
// send: Debian's aiosmtpd, started by the test on a free port, in clear, with STARTTLS or with
// implicit TLS, with or without authentication. Its certificate is made at test time by a
// test authority (openssl), so no key is ever kept in the repository.

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <vector>

namespace braxol::test {

// A test certificate authority and a server certificate it signed for `subjectAltName`
// ("IP:127.0.0.1,DNS:localhost" unless told otherwise).
class TestCertificates {
public:
    explicit TestCertificates(const QString& subjectAltName = "IP:127.0.0.1,DNS:localhost");
    bool made() const { return made_; }
    QString caFile() const { return dir_.filePath("ca.pem"); }
    QString certFile() const { return dir_.filePath("server.pem"); }
    QString keyFile() const { return dir_.filePath("server.key"); }

private:
    QTemporaryDir dir_;
    bool made_ = false;
};

// The certificates for 127.0.0.1 that a test binary shares.
const TestCertificates& LocalCertificates();

struct SmtpServerOptions {
    enum class Tls { None, StartTls, Implicit };
    Tls tls = Tls::None;
    bool offerStartTls = false;  // with Tls::None: offered, not required
    QString user{};              // when set, only this user and password log in, and must
    QString password{};
    bool loginOnly = false;                          // offers AUTH LOGIN and not PLAIN
    QStringList rejectRecipients{};                  // refused at RCPT with 550
    QString maxTls{};                                // "TLSv1_1": the server speaks nothing newer
    const TestCertificates* certificates = nullptr;  // LocalCertificates() when not given
};

class TestSmtpServer {
public:
    struct Received {
        QString mailFrom;
        QStringList recipients;
        bool tls = false;
        QString tlsVersion;
        bool startTls = false;
        bool authenticated = false;
        QString mechanism;
        QString greeting;  // the name given with EHLO
        QString subject, from, to, body;
        QStringList attachments;
        QString folder;
        QByteArray attachment(const QString& name) const;
        QByteArray raw() const;
    };

    explicit TestSmtpServer(const SmtpServerOptions& options = {});
    ~TestSmtpServer();

    // Whether the server is listening; why not, when it is not.
    bool ready() const { return port_ > 0; }
    QString problem() const { return problem_; }
    int port() const { return port_; }

    // The messages accepted so far, in order.
    std::vector<Received> received() const;

private:
    QTemporaryDir out_;
    QProcess process_;
    int port_ = 0;
    QString problem_;
};

}  // namespace braxol::test
