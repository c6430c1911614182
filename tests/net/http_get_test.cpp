// The HTTP GET client against a real server on 127.0.0.1: body, headers, failures, time limit.

#include "net/http_get.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include "test_http_server.h"

namespace braxol {
namespace {

using namespace std::chrono_literals;
using net::HttpFailure;
using net::HttpGet;
using net::HttpResult;
using test::TestHttpServer;

// Runs one request and waits for its outcome.
HttpResult Fetch(HttpGet& client, const QUrl& url, const net::HttpHeaders& headers = {}) {
    HttpResult result;
    bool done = false;
    QObject::connect(
        &client, &HttpGet::finished, &client,
        [&](const HttpResult& r) {
            result = r;
            done = true;
        },
        Qt::SingleShotConnection);
    EXPECT_TRUE(client.get(url, headers));
    EXPECT_TRUE(QTest::qWaitFor([&] { return done; }, 10000));
    return result;
}

TEST(HttpGetTest, DeliversTheBodyAndSendsTheHeaders) {
    TestHttpServer server;
    server.answer(200, QByteArray("\x01\x02\x00\x03", 4));
    HttpGet client;
    const HttpResult r = Fetch(client, QUrl(server.base() + "/cartella/file.dat"),
                               {{"Accept", "text/html, */*"}, {"User-Agent", "Prova/1.0"}});
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(r.failure, HttpFailure::None);
    EXPECT_EQ(r.status, 200);
    EXPECT_EQ(r.body, QByteArray("\x01\x02\x00\x03", 4));
    EXPECT_TRUE(net::FailureText(r).isEmpty());
    ASSERT_EQ(server.requests().size(), 1);
    const auto& request = server.requests().front();
    EXPECT_EQ(request.line, "GET /cartella/file.dat HTTP/1.1");
    EXPECT_EQ(request.header("Accept"), "text/html, */*");
    EXPECT_EQ(request.header("User-Agent"), "Prova/1.0");
    EXPECT_EQ(request.header("Host"), "127.0.0.1:" + QByteArray::number(server.port()));
}

TEST(HttpGetTest, AnEmptyBodyIsStillAnAnswer) {
    TestHttpServer server;
    server.answer(200, {});
    HttpGet client;
    const HttpResult r = Fetch(client, QUrl(server.base() + "/vuoto"));
    EXPECT_TRUE(r.ok());
    EXPECT_TRUE(r.body.isEmpty());
}

struct StatusCase {
    int status;
};

class HttpGetStatusTest : public ::testing::TestWithParam<StatusCase> {};

TEST_P(HttpGetStatusTest, AStatusOtherThan200IsAFailure) {
    TestHttpServer server;
    server.answer(GetParam().status, "pagina di errore");
    HttpGet client;
    const HttpResult r = Fetch(client, QUrl(server.base() + "/file"));
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.failure, HttpFailure::HttpStatus);
    EXPECT_EQ(r.status, GetParam().status);
    EXPECT_TRUE(r.body.isEmpty());
    EXPECT_EQ(net::FailureText(r),
              QString("IL SERVER HA RISPOSTO CON IL CODICE HTTP %1").arg(GetParam().status));
}

INSTANTIATE_TEST_SUITE_P(Statuses, HttpGetStatusTest,
                         ::testing::Values(StatusCase{204}, StatusCase{403}, StatusCase{404},
                                           StatusCase{500}, StatusCase{503}),
                         [](const auto& info) { return std::to_string(info.param.status); });

TEST(HttpGetTest, AServerThatNeverAnswersRunsIntoTheTimeLimit) {
    TestHttpServer server;
    server.stayQuiet();
    HttpGet client;
    client.setTimeout(300ms);
    QElapsedTimer clock;
    clock.start();
    const HttpResult r = Fetch(client, QUrl(server.base() + "/file"));
    EXPECT_EQ(r.failure, HttpFailure::Timeout);
    EXPECT_EQ(net::FailureText(r), "IL SERVER NON HA RISPOSTO IN TEMPO");
    EXPECT_GE(clock.elapsed(), 250);
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_EQ(server.requests().size(), 1);
    EXPECT_FALSE(client.running());
}

TEST(HttpGetTest, ARefusedConnectionIsReported) {
    HttpGet client;
    const HttpResult r =
        Fetch(client, QUrl(QString("http://127.0.0.1:%1/file").arg(TestHttpServer::ClosedPort())));
    EXPECT_EQ(r.failure, HttpFailure::ConnectionRefused);
    EXPECT_EQ(r.status, 0);
}

TEST(HttpGetTest, OneRequestAtATime) {
    TestHttpServer server;
    server.stayQuiet();
    HttpGet client;
    client.setTimeout(300ms);
    QSignalSpy finished(&client, &HttpGet::finished);
    EXPECT_TRUE(client.get(QUrl(server.base() + "/primo")));
    EXPECT_TRUE(client.running());
    EXPECT_FALSE(client.get(QUrl(server.base() + "/secondo")));
    ASSERT_TRUE(finished.wait(5000));
    QTest::qWait(50);
    EXPECT_EQ(finished.size(), 1);
    ASSERT_EQ(server.requests().size(), 1);
    EXPECT_EQ(server.requests().front().line, "GET /primo HTTP/1.1");
}

TEST(HttpGetTest, ACancelledRequestReportsNothing) {
    TestHttpServer server;
    server.stayQuiet();
    HttpGet client;
    client.setTimeout(200ms);
    QSignalSpy finished(&client, &HttpGet::finished);
    ASSERT_TRUE(client.get(QUrl(server.base() + "/file")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !server.requests().isEmpty(); }, 5000));
    client.cancel();
    EXPECT_FALSE(client.running());
    QTest::qWait(400);
    EXPECT_EQ(finished.size(), 0);
}

TEST(HttpGetTest, TheClientCanBeUsedAgain) {
    TestHttpServer server;
    HttpGet client;
    server.answer(404, {});
    EXPECT_EQ(Fetch(client, QUrl(server.base() + "/a")).failure, HttpFailure::HttpStatus);
    server.answer(200, "ok");
    const HttpResult r = Fetch(client, QUrl(server.base() + "/b"));
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(r.body, "ok");
}

}  // namespace
}  // namespace braxol
