// The sending window against a real SMTP server on 127.0.0.1 (aiosmtpd) started by each test:
// what reaches the server, the stamp of the communication, and the messages of the outcome.

#include "preventive/send_window.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <memory>

#include "net/smtp_client.h"
#include "preventive/account_window.h"
#include "preventive/letter.h"
#include "preventive/rtf_text.h"
#include "preventive_fixture.h"
#include "support/qt/next_modal.h"
#include "support/smtp/test_smtp_server.h"

namespace braxol {
namespace {

using namespace braxol::preventive;
using namespace braxol::test;
using namespace braxol::test::preventive;
using Tls = SmtpServerOptions::Tls;

const QString kSubject =
    "IT00MIA00123X     - Comunicazione preventiva n. 5/2025 riferita alla "
    "produzione di birra del 16/03/2025";
const QString kSent = "PEC inviata alle ore: 09:05 in data 15/03/2025";

class SendWindow : public PreventiveTest {
protected:
    std::unique_ptr<TFINVIA_PEC> window;
    net::SmtpTestRoute route;
    TMOVIMENTO communication;
    TMOVIMENTO other;

    void SetUp() override {
        PreventiveTest::SetUp();
        // Five past nine and thirty seconds.
        seams.clock.current = QDateTime(QDate(2025, 3, 15), QTime(9, 5, 30));
        other = Communication(1, Day(2025, 3, 10), 4);
        communication = Communication(2, Day(2025, 3, 16), 5);
        WriteMovements(Prv(), {other, communication});
        WriteLetter(PreventiveLetter(LetterCompany(), communication, {}), Letter(2025, 5));
        route.caFile = LocalCertificates().caFile().toStdString();
        net::SetSmtpTestRoute(&route);
    }
    void TearDown() override {
        window.reset();
        net::SetSmtpTestRoute(nullptr);
        PreventiveTest::TearDown();
    }

    // The account of the brewery on a server that plays the port of the account's choice.
    PecAccount Account(const TestSmtpServer& server, int portChoice, bool ssl,
                       const QString& recipients = "dogana@pec.it") {
        EXPECT_TRUE(server.ready()) << server.problem().toStdString();
        route.ports[net::SmtpPortOfChoice(portChoice)] = server.port();
        return {.server = "127.0.0.1",
                .sender = "birrificio@pec.it",
                .password = "segreta",
                .recipients = recipients,
                .portChoice = portChoice,
                .ssl = ssl};
    }

    void Open() {
        window = std::make_unique<TFINVIA_PEC>(SendRequest{work.folders(), communication});
        ShowActive(window.get());
        Settle();
    }
    QWidget* W() { return window.get(); }
    void TypeText(const QString& text) {
        FocusOn(W(), "TESTO");
        ControlAs<QPlainTextEdit>(W(), "TESTO")->clear();
        const QStringList lines = text.split('\n');
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0) PressEnter(W());  // a new line of the text, not the next control
            Type(W(), lines[i]);
        }
    }
    TMOVIMENTO Stored() const { return ReadPrv().at(1); }
};

TEST_F(SendWindow, OpeningShowsTheCommunication) {
    WriteAccount({.server = "smtps.pec.it",
                  .sender = "birrificio@pec.it",
                  .password = "x",
                  .recipients = "dogana@pec.it, ufficio@pec.it"});
    const std::string rtf = PlainTextToRtf(QString::fromUtf8("Testo già inviato\nseconda riga"));
    WriteFileBytes(work.datiGen("TESTOPEC.RTF"), rtf);
    Open();
    EXPECT_EQ(window->windowTitle(), "Invia documento tramite e-mail");
    EXPECT_EQ(ControlAs<QPushButton>(W(), "BMOSTRAALLEGATO")->text(), "Mostra l'allegato: 5.pdf");
    EXPECT_EQ(ControlAs<QLineEdit>(W(), "OGGETTO")->text(), kSubject);
    // The window is wide enough to show the whole subject.
    const auto* subject = ControlAs<QLineEdit>(W(), "OGGETTO");
    EXPECT_GE(subject->width(), subject->fontMetrics().horizontalAdvance(kSubject));
    EXPECT_EQ(subject->cursorPosition(), 0);
    EXPECT_EQ(ControlAs<QLabel>(W(), "LDEST")->text(), "dogana@pec.it, ufficio@pec.it");
    EXPECT_EQ(ControlAs<QPlainTextEdit>(W(), "TESTO")->toPlainText(),
              QString::fromUtf8("Testo già inviato\nseconda riga"));
    EXPECT_EQ(ControlAs<QPushButton>(W(), "BCONF")->text(), "&INVIA  PEC");
    EXPECT_EQ(FocusName(), "TESTO");
    Click(W(), "BMOSTRAALLEGATO");
    EXPECT_EQ(seams.shell.opened, QStringList{QString::fromStdString(Letter(2025, 5).string())});
    EXPECT_EQ(seams.messages.texts(), QStringList{});
}

TEST_F(SendWindow, SentWithStartTlsOn587ToEveryRecipient) {
    TestSmtpServer server(
        {.tls = Tls::StartTls, .user = "birrificio@pec.it", .password = "segreta"});
    // Blanks around the commas and a trailing comma.
    WriteAccount(Account(server, 2, true, " dogana@pec.it , ufficio@pec.it ,"));
    Open();
    TypeText(QString::fromUtf8("Si invia la comunicazione.\nCordialità"));
    Click(W(), "BCONF");
    EXPECT_EQ(seams.messages.texts(), QStringList{kSent});
    EXPECT_FALSE(window->isVisible());

    const auto received = server.received();
    ASSERT_EQ(received.size(), 1u);
    const auto& m = received[0];
    EXPECT_EQ(m.recipients, (QStringList{"dogana@pec.it", "ufficio@pec.it"}));
    EXPECT_EQ(m.mailFrom, "birrificio@pec.it");
    EXPECT_TRUE(m.startTls);
    EXPECT_TRUE(m.authenticated);
    EXPECT_EQ(m.subject, kSubject.trimmed());
    EXPECT_EQ(m.body.trimmed().replace("\r\n", "\n"),
              QString::fromUtf8("Si invia la comunicazione.\nCordialità"));
    EXPECT_EQ(m.attachments, QStringList{"5.PDF"});
    EXPECT_EQ(m.attachment("5.PDF").toStdString(), FileBytes(Letter(2025, 5)));

    // The communication records the day and the hours and minutes; the other one is untouched.
    const TMOVIMENTO stamped = Stored();
    EXPECT_EQ(stamped.DATPEC, Day(2025, 3, 15));
    EXPECT_EQ(stamped.MITDES.padded(), "09:05           ");
    EXPECT_TRUE(SameBytes(ReadPrv().at(0), other));
    // The text is kept for the next message.
    EXPECT_EQ(RtfToPlainText(FileBytes(work.datiGen("TESTOPEC.RTF"))),
              QString::fromUtf8("Si invia la comunicazione.\nCordialità"));
}

TEST_F(SendWindow, ThePortDecidesTheProtection) {
    const struct {
        const char* name;
        int portChoice;
        bool ssl;
        SmtpServerOptions server;
        bool tls;
        bool startTls;
    } cases[] = {
        {"465 with SSL: implicit TLS", 1, true, {.tls = Tls::Implicit}, true, false},
        {"587 with SSL: STARTTLS", 2, true, {.tls = Tls::StartTls}, true, true},
        {"25 with SSL: STARTTLS", 0, true, {.tls = Tls::StartTls}, true, true},
        {"587 without SSL: in clear", 2, false, {.offerStartTls = true}, false, false},
        {"25 without SSL: in clear", 0, false, {.offerStartTls = true}, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteMovements(Prv(), {other, communication});
        seams.messages.clear();
        TestSmtpServer server(c.server);
        WriteAccount(Account(server, c.portChoice, c.ssl));
        Open();
        Click(W(), "BCONF");
        EXPECT_EQ(seams.messages.texts(), QStringList{kSent});
        const auto received = server.received();
        ASSERT_EQ(received.size(), 1u);
        EXPECT_EQ(received[0].tls, c.tls);
        EXPECT_EQ(received[0].startTls, c.startTls);
        EXPECT_EQ(Stored().DATPEC, Day(2025, 3, 15));
    }
}

TEST_F(SendWindow, RefusedLoginLeavesTheCommunicationToBeSent) {
    TestSmtpServer server({.tls = Tls::StartTls, .user = "birrificio@pec.it", .password = "altra"});
    WriteAccount(Account(server, 2, true));
    Open();
    Click(W(), "BCONF");
    const QStringList messages = seams.messages.texts();
    ASSERT_EQ(messages.size(), 2);
    EXPECT_TRUE(messages[0].startsWith("ERRORE: autenticazione rifiutata dal server"))
        << messages[0].toStdString();
    for (QChar c : messages[0]) EXPECT_GT(c.unicode(), 13);
    EXPECT_EQ(messages[1], kSendFailedMessage);
    EXPECT_EQ(server.received().size(), 0u);
    EXPECT_EQ(Stored().DATPEC, 0);
    EXPECT_TRUE(SameBytes(Stored(), communication));
    EXPECT_FALSE(window->isVisible());
}

TEST_F(SendWindow, TheCopyIsSentAlsoWhenTheFirstPassFails) {
    TestSmtpServer server({.tls = Tls::StartTls, .rejectRecipients = {"ufficio@pec.it"}});
    PecAccount account = Account(server, 2, true, "dogana@pec.it,ufficio@pec.it");
    account.copyToSelf = true;
    WriteAccount(account);
    Open();
    Click(W(), "BCONF");
    const QStringList messages = seams.messages.texts();
    ASSERT_EQ(messages.size(), 3);
    EXPECT_TRUE(messages[0].startsWith("ERRORE: destinatario rifiutato dal server"))
        << messages[0].toStdString();
    EXPECT_EQ(messages[1], kSendFailedMessage);
    EXPECT_EQ(messages[2], kCopySentMessage);
    // Customs got nothing, not even the address that was accepted; the copy says so.
    const auto received = server.received();
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].recipients, QStringList{"birrificio@pec.it"});
    EXPECT_EQ(received[0].subject, "copia PEC NON inviata alla Dogana: " + kSubject);
    EXPECT_EQ(Stored().DATPEC, 0);
}

TEST_F(SendWindow, TheCopyAfterTheSending) {
    TestSmtpServer server({.tls = Tls::Implicit});
    PecAccount account = Account(server, 1, true);
    account.copyToSelf = true;
    WriteAccount(account);
    Open();
    Click(W(), "BCONF");
    EXPECT_EQ(seams.messages.texts(), (QStringList{kSent, kCopySentMessage}));
    const auto received = server.received();
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0].recipients, QStringList{"dogana@pec.it"});
    EXPECT_EQ(received[1].recipients, QStringList{"birrificio@pec.it"});
    EXPECT_EQ(received[1].subject,
              "copia PEC inviata alle ore: 09:05            del 15/03/2025 " + kSubject);
    EXPECT_EQ(received[1].attachment("5.PDF"), received[0].attachment("5.PDF"));
}

TEST_F(SendWindow, AnAddressThatWouldWriteCommandsSendsNothing) {
    TestSmtpServer server({.tls = Tls::StartTls});
    PecAccount account =
        Account(server, 2, true, "dogana@pec.it,ufficio@pec.it\r\nRCPT TO:<altro@pec.it>");
    account.copyToSelf = true;
    WriteAccount(account);
    Open();
    Click(W(), "BCONF");
    const QStringList messages = seams.messages.texts();
    ASSERT_EQ(messages.size(), 3);
    EXPECT_TRUE(messages[0].startsWith("ERRORE: destinatario: indirizzo non valido"))
        << messages[0].toStdString();
    EXPECT_EQ(messages[1], kSendFailedMessage);
    EXPECT_EQ(messages[2], kCopySentMessage);
    const auto received = server.received();
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].recipients, QStringList{"birrificio@pec.it"});
    EXPECT_EQ(Stored().DATPEC, 0);
}

TEST_F(SendWindow, MissingAccountIsAskedForAtTheOpening) {
    NextModal<TFACCOUNT_PEC> account([](TFACCOUNT_PEC* w) {
        ShowActive(w);
        Retype(w, "ST1250_0", "smtps.pec.it");
        Retype(w, "ST1250_1", "birrificio@pec.it");
        Retype(w, "st1250_2", "segreta");
        Retype(w, "ST1250_3", "dogana@pec.it");
        Click(w, "BCONF");
    });
    Open();
    ASSERT_TRUE(account.answered());
    Settle();
    EXPECT_EQ(ControlAs<QLabel>(W(), "LDEST")->text(), "dogana@pec.it");
}

TEST_F(SendWindow, AccountLeftWithoutSavingIsNotAskedForAgain) {
    NextModal<TFACCOUNT_PEC> account([](TFACCOUNT_PEC* w) { w->reject(); });
    Open();
    ASSERT_TRUE(account.answered());
    Settle();
    EXPECT_EQ(account.opened(), 1);
    EXPECT_EQ(ControlAs<QLabel>(W(), "LDEST")->text(), kNoRecipientsText);
    // Sending without customs addresses sends to the account window and closes.
    NextModal<TFACCOUNT_PEC> again([](TFACCOUNT_PEC* w) { w->reject(); });
    Click(W(), "BCONF");
    EXPECT_EQ(again.opened(), 1);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(Stored().DATPEC, 0);
}

TEST_F(SendWindow, AnAccountThatCannotBeReachedIsReportedNotAskedFor) {
    fs::create_symlink(work.folders().pecAccountFile(), work.folders().pecAccountFile());
    NextModal<TFACCOUNT_PEC> account([](TFACCOUNT_PEC* w) { w->reject(); });
    Open();
    Settle();
    EXPECT_EQ(account.opened(), 0);
    ASSERT_EQ(seams.messages.shown().size(), 1u);
    EXPECT_EQ(seams.messages.shown()[0].severity, ui::Severity::Error);
    EXPECT_EQ(ControlAs<QLabel>(W(), "LDEST")->text(), kNoRecipientsText);
}

}  // namespace
}  // namespace braxol
