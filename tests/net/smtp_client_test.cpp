// The SMTP client: the port rule and the address list on their own, then the sending against a
// real SMTP server on 127.0.0.1 (aiosmtpd) in clear, with STARTTLS and with implicit TLS.

#include "net/smtp_client.h"

#include <gtest/gtest.h>

#include <QString>
#include <QTemporaryDir>
#include <fstream>
#include <string>

#include "net/smtp_background.h"
#include "support/smtp/test_smtp_server.h"

namespace braxol {
namespace {

using namespace std::chrono_literals;
using net::SmtpSecurity;
using test::SmtpServerOptions;
using test::TestSmtpServer;
using Tls = SmtpServerOptions::Tls;

TEST(SmtpRules, PortOfTheStoredChoice) {
    const struct { int choice, port; } cases[] = {{0, 25}, {1, 465}, {2, 587}, {3, 25}, {-1, 25}};
    for (const auto& c : cases) EXPECT_EQ(net::SmtpPortOfChoice(c.choice), c.port) << c.choice;
}

TEST(SmtpRules, ThePortDecidesTheProtection) {
    const struct {
        int port;
        bool ssl;
        SmtpSecurity security;
    } cases[] = {
        {25, true, SmtpSecurity::StartTls},     {587, true, SmtpSecurity::StartTls},
        {465, true, SmtpSecurity::ImplicitTls}, {25, false, SmtpSecurity::Plain},
        {465, false, SmtpSecurity::Plain},      {587, false, SmtpSecurity::Plain},
    };
    for (const auto& c : cases)
        EXPECT_EQ(net::SecurityFor(c.port, c.ssl), c.security) << c.port << " " << c.ssl;
}

TEST(SmtpRules, RecipientList) {
    using List = std::vector<std::string>;
    const struct {
        const char* text;
        List addresses;
    } cases[] = {
        {"dogana@pec.it,ufficio@pec.it", {"dogana@pec.it", "ufficio@pec.it"}},
        {" dogana@pec.it , ufficio@pec.it ,", {"dogana@pec.it", "ufficio@pec.it"}},
        {",,dogana@pec.it,, ", {"dogana@pec.it"}},
        {"dogana@pec.it", {"dogana@pec.it"}},
        {"  ", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(net::SplitRecipients(c.text), c.addresses) << c.text;
}

TEST(SmtpRules, AddressesThatCouldWriteCommandsAreRefused) {
    EXPECT_EQ(net::AddressProblem("dogana@pec.it"), "");
    EXPECT_NE(net::AddressProblem("dogana@pec.it\r\nRCPT TO:<altro@x.it>"), "");
    EXPECT_NE(net::AddressProblem("dogana@pec.it\nBcc: altro@x.it"), "");
    EXPECT_NE(net::AddressProblem("dogana.pec.it"), "");
    EXPECT_NE(net::AddressProblem(""), "");
}

TEST(SmtpRules, SubjectHeader) {
    EXPECT_EQ(net::EncodeHeaderText("Comunicazione n. 5"), "Comunicazione n. 5");
    const std::string encoded = net::EncodeHeaderText(
        "Comunicazione preventiva riferita alla produzione di birra: è già "
        "partita la cotta più lunga dell'anno, perché sì");
    EXPECT_EQ(encoded.rfind("=?UTF-8?B?", 0), 0u);
    // Every folded line stays short.
    std::size_t start = 0;
    while (start < encoded.size()) {
        auto end = encoded.find("\r\n", start);
        if (end == std::string::npos) end = encoded.size();
        EXPECT_LE(end - start, 76u);
        start = end + 2;
    }
    // A header line cannot be ended by the text.
    EXPECT_EQ(net::EncodeHeaderText("a\r\nBcc: x@y.it").find("Bcc"), std::string::npos);
}

class SmtpSending : public ::testing::Test {
protected:
    QTemporaryDir dir;
    std::string pdf;
    std::string pdfBytes;
    net::SmtpTestRoute route;

    void SetUp() override {
        for (int i = 0; i < 3000; ++i) pdfBytes += static_cast<char>((i * 7) % 256);
        pdf = dir.filePath("5.PDF").toStdString();
        std::ofstream(pdf, std::ios::binary) << pdfBytes;
        route.caFile = test::LocalCertificates().caFile().toStdString();
        net::SetSmtpTestRoute(&route);
    }
    void TearDown() override { net::SetSmtpTestRoute(nullptr); }

    // The server plays the account's port.
    void Serve(const TestSmtpServer& server, int port) {
        ASSERT_TRUE(server.ready()) << server.problem().toStdString();
        route.ports[port] = server.port();
    }

    static net::SmtpAccount Account(int port, bool ssl) {
        return {"127.0.0.1", port, ssl, "birrificio@pec.it", "segreta"};
    }
    net::SmtpMessage Message(std::vector<std::string> to = {"dogana@pec.it"}) const {
        net::SmtpMessage m;
        m.from = "birrificio@pec.it";
        m.recipients = std::move(to);
        m.subject =
            "IT00MIA00123X     - Comunicazione preventiva n. 5/2025 riferita alla "
            "produzione di birra del 16/03/2025";
        m.body = "Buongiorno,\nsi invia la comunicazione.\nCordialità";
        m.attachmentPath = pdf;
        m.attachmentName = "5.PDF";
        return m;
    }
};

TEST_F(SmtpSending, StartTlsOn587ReachesBothRecipientsWithTheAttachment) {
    TestSmtpServer server(
        {.tls = Tls::StartTls, .user = "birrificio@pec.it", .password = "segreta"});
    Serve(server, 587);
    const auto result =
        net::SendMail(Account(587, true), Message({"dogana@pec.it", "ufficio@pec.it"}));
    EXPECT_TRUE(result.sent) << result.error;
    EXPECT_EQ(result.error, "");
    const auto received = server.received();
    ASSERT_EQ(received.size(), 1u);
    const auto& m = received[0];
    EXPECT_EQ(m.recipients, (QStringList{"dogana@pec.it", "ufficio@pec.it"}));
    EXPECT_EQ(m.mailFrom, "birrificio@pec.it");
    EXPECT_TRUE(m.tls);
    EXPECT_TRUE(m.startTls);
    EXPECT_TRUE(m.tlsVersion == "TLSv1.2" || m.tlsVersion == "TLSv1.3")
        << m.tlsVersion.toStdString();
    EXPECT_TRUE(m.authenticated);
    EXPECT_TRUE(m.mechanism == "PLAIN" || m.mechanism == "LOGIN") << m.mechanism.toStdString();
    EXPECT_EQ(m.greeting, "127.0.0.1");
    EXPECT_EQ(m.subject.toStdString(), Message().subject);
    EXPECT_EQ(m.body.trimmed().replace("\r\n", "\n"),
              QString::fromUtf8("Buongiorno,\nsi invia la comunicazione.\nCordialità"));
    EXPECT_EQ(m.attachments, QStringList{"5.PDF"});
    EXPECT_EQ(m.attachment("5.PDF").toStdString(), pdfBytes);
    EXPECT_TRUE(m.raw().contains("Content-Transfer-Encoding: base64"));
}

TEST_F(SmtpSending, ImplicitTlsOn465WithAuthLogin) {
    TestSmtpServer server({.tls = Tls::Implicit,
                           .user = "birrificio@pec.it",
                           .password = "segreta",
                           .loginOnly = true});
    Serve(server, 465);
    const auto result = net::SendMail(Account(465, true), Message());
    EXPECT_TRUE(result.sent) << result.error;
    const auto received = server.received();
    ASSERT_EQ(received.size(), 1u);
    EXPECT_TRUE(received[0].tls);
    EXPECT_FALSE(received[0].startTls);
    EXPECT_TRUE(received[0].authenticated);
    EXPECT_EQ(received[0].mechanism, "LOGIN");
}

TEST_F(SmtpSending, Port25WithSslUsesStartTls) {
    TestSmtpServer server({.tls = Tls::StartTls});
    Serve(server, 25);
    const auto result = net::SendMail(Account(25, true), Message());
    EXPECT_TRUE(result.sent) << result.error;
    ASSERT_EQ(server.received().size(), 1u);
    EXPECT_TRUE(server.received()[0].startTls);
    // No login is offered: none is tried.
    EXPECT_FALSE(server.received()[0].authenticated);
}

TEST_F(SmtpSending, WithoutSslEveryPortSendsInClear) {
    for (int port : {25, 465, 587}) {
        // The server offers STARTTLS; the account does not ask for it.
        TestSmtpServer server(
            {.offerStartTls = true, .user = "birrificio@pec.it", .password = "segreta"});
        Serve(server, port);
        const auto result = net::SendMail(Account(port, false), Message());
        EXPECT_TRUE(result.sent) << port << " " << result.error;
        ASSERT_EQ(server.received().size(), 1u) << port;
        EXPECT_FALSE(server.received()[0].tls) << port;
        EXPECT_TRUE(server.received()[0].authenticated) << port;
    }
}

// Each case is refused before anything is accepted: the server keeps no message.
TEST_F(SmtpSending, Failures) {
    test::TestCertificates otherHost("DNS:altro.example");
    const struct {
        const char* name;
        SmtpServerOptions server;
        bool trustTestAuthority;
        std::vector<std::string> to;
        std::string reason;
    } cases[] = {
        {"password refused",
         {.tls = Tls::StartTls, .user = "birrificio@pec.it", .password = "altra"},
         true,
         {"dogana@pec.it"},
         "autenticazione rifiutata dal server"},
        {"one recipient of two refused",
         {.tls = Tls::StartTls, .rejectRecipients = {"ufficio@pec.it"}},
         true,
         {"dogana@pec.it", "ufficio@pec.it"},
         "destinatario rifiutato dal server"},
        {"certificate of an unknown authority",
         {.tls = Tls::StartTls},
         false,
         {"dogana@pec.it"},
         "il certificato del server non è valido"},
        {"certificate of another host",
         {.tls = Tls::StartTls, .certificates = &otherHost},
         true,
         {"dogana@pec.it"},
         "il certificato del server non è valido"},
        {"server that speaks only TLS 1.1",
         {.tls = Tls::StartTls, .maxTls = "TLSv1_1"},
         true,
         {"dogana@pec.it"},
         "connessione protetta (TLS) non riuscita"},
        {"address that writes a command",
         {.tls = Tls::StartTls},
         true,
         {"dogana@pec.it", "ufficio@pec.it\r\nRCPT TO:<altro@pec.it>"},
         "destinatario: indirizzo non valido: ufficio@pec.it\\x0D\\x0ARCPT TO:<altro@pec.it>"},
    };
    ASSERT_TRUE(otherHost.made());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestSmtpServer server(c.server);
        Serve(server, 587);
        if (!c.trustTestAuthority) route.caFile.clear();
        const auto result = net::SendMail(Account(587, true), Message(c.to));
        route.caFile = test::LocalCertificates().caFile().toStdString();
        EXPECT_FALSE(result.sent);
        EXPECT_EQ(result.error.rfind(c.reason, 0), 0u) << result.error;
        EXPECT_EQ(server.received().size(), 0u);
    }
}

TEST_F(SmtpSending, NobodyListening) {
    route.ports[587] = 1;  // a privileged port nobody serves in the tests
    const auto result = net::SendMail(Account(587, true), Message(), {.connect = 5s, .total = 10s});
    EXPECT_FALSE(result.sent);
    EXPECT_EQ(result.error.rfind("connessione al server SMTP non riuscita", 0), 0u) << result.error;
}

TEST_F(SmtpSending, MissingAttachmentSendsNothing) {
    TestSmtpServer server({.tls = Tls::StartTls});
    Serve(server, 587);
    auto message = Message();
    message.attachmentPath = dir.filePath("manca.PDF").toStdString();
    const auto result = net::SendMail(Account(587, true), message);
    EXPECT_FALSE(result.sent);
    EXPECT_EQ(result.error.rfind("impossibile leggere l'allegato", 0), 0u) << result.error;
    EXPECT_EQ(server.received().size(), 0u);
}

TEST_F(SmtpSending, InTheBackgroundTheOutcomeIsTheSame) {
    TestSmtpServer server({.tls = Tls::Implicit});
    Serve(server, 465);
    const auto sent = net::SendMailInBackground(Account(465, true), Message());
    EXPECT_TRUE(sent.sent) << sent.error;
    route.caFile.clear();
    const auto refused = net::SendMailInBackground(Account(465, true), Message());
    EXPECT_FALSE(refused.sent);
    EXPECT_EQ(server.received().size(), 1u);
}

}  // namespace
}  // namespace braxol
