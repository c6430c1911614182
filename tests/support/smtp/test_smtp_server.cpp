#include "support/smtp/test_smtp_server.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace braxol::test {
namespace {

bool RunOpenssl(const QString& folder, const QStringList& arguments) {
    QProcess p;
    p.setWorkingDirectory(folder);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start("openssl", arguments);
    return p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList Strings(const QJsonValue& v) {
    QStringList out;
    for (const QJsonValue& s : v.toArray()) out << s.toString();
    return out;
}

}  // namespace

TestCertificates::TestCertificates(const QString& subjectAltName) {
    const QString d = dir_.path();
    QFile ext(dir_.filePath("server.ext"));
    if (!ext.open(QIODevice::WriteOnly)) return;
    ext.write(("subjectAltName=" + subjectAltName +
               "\nbasicConstraints=CA:FALSE\nextendedKeyUsage=serverAuth\n")
                  .toUtf8());
    ext.close();
    const QStringList ec = {"-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes"};
    made_ = RunOpenssl(d, QStringList{"req", "-x509"} + ec +
                              QStringList{"-keyout", "ca.key", "-out", "ca.pem", "-days", "2",
                                          "-subj", "/CN=BRAXOL test CA", "-addext",
                                          "basicConstraints=critical,CA:TRUE", "-addext",
                                          "keyUsage=critical,keyCertSign,cRLSign"}) &&
            RunOpenssl(d, QStringList{"req"} + ec +
                              QStringList{"-keyout", "server.key", "-out", "server.csr", "-subj",
                                          "/CN=BRAXOL test server"}) &&
            RunOpenssl(d, {"x509", "-req", "-in", "server.csr", "-CA", "ca.pem", "-CAkey", "ca.key",
                           "-CAcreateserial", "-out", "server.pem", "-days", "2", "-extfile",
                           "server.ext"});
}

const TestCertificates& LocalCertificates() {
    static const TestCertificates certificates;
    return certificates;
}

QByteArray TestSmtpServer::Received::attachment(const QString& name) const {
    return ReadAll(QDir(folder).filePath("attachment-" + name));
}

QByteArray TestSmtpServer::Received::raw() const {
    return ReadAll(QDir(folder).filePath("raw.eml"));
}

TestSmtpServer::TestSmtpServer(const SmtpServerOptions& options) {
    const TestCertificates& certificates =
        options.certificates ? *options.certificates : LocalCertificates();
    QStringList arguments{BRAXOL_SMTP_TEST_SERVER, "--out", out_.path()};
    using Tls = SmtpServerOptions::Tls;
    arguments << "--tls"
              << (options.tls == Tls::None       ? "none"
                  : options.tls == Tls::StartTls ? "starttls"
                                                 : "implicit");
    if (options.offerStartTls) arguments << "--offer-starttls";
    if (options.tls != Tls::None || options.offerStartTls) {
        if (!certificates.made()) {
            problem_ = "test certificates not made (openssl)";
            return;
        }
        arguments << "--cert" << certificates.certFile() << "--key" << certificates.keyFile();
    }
    if (!options.maxTls.isEmpty()) arguments << "--max-tls" << options.maxTls;
    if (!options.user.isEmpty())
        arguments << "--user" << options.user << "--password" << options.password;
    if (options.loginOnly) arguments << "--login-only";
    for (const QString& r : options.rejectRecipients) arguments << "--reject-rcpt" << r;

    process_.setProcessChannelMode(QProcess::SeparateChannels);
    process_.start(BRAXOL_SYSTEM_PYTHON, arguments);
    if (!process_.waitForStarted(10000)) {
        problem_ = "cannot start " BRAXOL_SYSTEM_PYTHON;
        return;
    }
    QByteArray line;
    while (!line.contains('\n')) {
        if (!process_.waitForReadyRead(20000)) break;
        line += process_.readAllStandardOutput();
    }
    if (line.startsWith("READY ")) {
        port_ = line.mid(6).trimmed().toInt();
    } else {
        problem_ = "the SMTP test server did not start: " +
                   QString::fromUtf8(line + process_.readAllStandardError());
    }
}

TestSmtpServer::~TestSmtpServer() {
    if (process_.state() == QProcess::NotRunning) return;
    process_.closeWriteChannel();  // the server stops when its input closes
    if (!process_.waitForFinished(5000)) {
        process_.kill();
        process_.waitForFinished(2000);
    }
}

std::vector<TestSmtpServer::Received> TestSmtpServer::received() const {
    std::vector<Received> out;
    const QDir dir(out_.path());
    for (const QString& name : dir.entryList({"msg-*"}, QDir::Dirs, QDir::Name)) {
        const QString folder = dir.filePath(name);
        const QByteArray json = ReadAll(QDir(folder).filePath("meta.json"));
        if (json.isEmpty()) continue;  // still being written
        const QJsonObject m = QJsonDocument::fromJson(json).object();
        Received r;
        r.mailFrom = m["mail_from"].toString();
        r.recipients = Strings(m["rcpt_tos"]);
        r.tls = m["tls"].toBool();
        r.tlsVersion = m["tls_version"].toString();
        r.startTls = m["starttls"].toBool();
        r.authenticated = m["authenticated"].toBool();
        r.mechanism = m["auth_mechanism"].toString();
        r.greeting = m["ehlo"].toString();
        r.subject = m["subject"].toString();
        r.from = m["from"].toString();
        r.to = m["to"].toString();
        r.body = m["body"].toString();
        for (const QJsonValue& a : m["attachments"].toArray())
            r.attachments << a.toObject()["name"].toString();
        r.folder = folder;
        out.push_back(r);
    }
    return out;
}

}  // namespace braxol::test
