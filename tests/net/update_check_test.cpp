// The release check against a real update server on 127.0.0.1: the question, the updater,
// the quiet failures and the local release file.

#include "net/update_check.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <cmath>
#include <cstring>
#include <fstream>
#include <limits>
#include <optional>

#include "store/config_files.h"
#include "store/dates.h"
#include "support/qt/scripted_seams.h"
#include "support/temp_folder.h"
#include "test_http_server.h"

namespace braxol {
namespace {

using namespace std::chrono_literals;
using net::UpdateCheck;
using test::ScriptedSeams;
using test::TempWorkFolder;
using test::TestHttpServer;

// The scripted clock's today.
const double kToday = DateFromCivil(2025, 3, 15);
const double kNextMonth = DateFromCivil(2025, 4, 15);
const double kLastYear = DateFromCivil(2024, 3, 15);

QByteArray DateBytes(double date) {
    QByteArray bytes(sizeof date, '\0');
    std::memcpy(bytes.data(), &date, sizeof date);
    return bytes;
}

QByteArray ReadAll(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return QByteArray::fromStdString(
        std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
}

void Touch(const std::filesystem::path& file) {
    std::ofstream(file, std::ios::binary) << "";
}

enum class Server { Answers, Silent, Refuses };

struct Case {
    const char* name;
    Server server = Server::Answers;
    int status = 200;
    QByteArray body = {};
    bool updater = true;  // AGGIORNAMENTO.EXE in the work folder
    std::optional<ui::Answer> answer =
        std::nullopt;  // the planned answer; none: no question expected
    bool startSucceeds = true;
    bool started = false;
    bool quit = false;
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

class UpdateCheckCaseTest : public ::testing::TestWithParam<Case> {
protected:
    TempWorkFolder folder;
    ScriptedSeams seams;
    TestHttpServer server;
};

TEST_P(UpdateCheckCaseTest, AsksOnlyForANewerRelease) {
    const Case& c = GetParam();
    WriteReleaseDate(folder.folders().releaseFile(), kToday);
    if (c.updater) Touch(folder.root() / "AGGIORNAMENTO.EXE");
    if (c.answer) seams.messages.planAnswer(*c.answer);
    seams.shell.succeed = c.startSucceeds;

    UpdateCheck check(folder.folders());
    switch (c.server) {
        case Server::Answers:
            server.answer(c.status, c.body);
            break;
        case Server::Silent:
            server.stayQuiet();
            break;
        case Server::Refuses:
            break;
    }
    const quint16 port = c.server == Server::Refuses ? TestHttpServer::ClosedPort() : server.port();
    check.setHost(QString("http://127.0.0.1:%1").arg(port));
    check.setTimeout(c.server == Server::Silent ? 300ms : 5000ms);
    QSignalSpy finished(&check, &UpdateCheck::finished);
    QSignalSpy quit(&check, &UpdateCheck::quitRequested);

    ASSERT_TRUE(check.start());
    ASSERT_TRUE(finished.wait(5000));
    EXPECT_FALSE(check.running());

    // The request, whenever the server got one.
    if (c.server != Server::Refuses) {
        ASSERT_EQ(server.requests().size(), 1);
        const auto& request = server.requests().front();
        EXPECT_EQ(request.line, "GET /aggiornamenti/VERS_ZYMOTEC.DAT HTTP/1.1");
        EXPECT_EQ(request.header("Accept"), "text/html, */*");
        EXPECT_EQ(request.header("User-Agent"), "Mozilla/3.0 (compatible; Indy Library)");
        EXPECT_EQ(request.header("Host"), "127.0.0.1:" + QByteArray::number(port));
    }

    // The question, and nothing else, ever.
    const auto& shown = seams.messages.shown();
    if (c.answer) {
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_TRUE(shown[0].question);
        EXPECT_EQ(shown[0].text,
                  "E'disponibile un nuovo aggiornamento - premi \"OK\" per AGGIORNARE ");
        EXPECT_EQ(shown[0].severity, ui::Severity::Warning);
    } else {
        EXPECT_TRUE(shown.empty());
    }

    if (c.started) {
        ASSERT_EQ(seams.shell.started.size(), 1u);
        EXPECT_EQ(seams.shell.started[0].first,
                  QString::fromStdString((folder.root() / "AGGIORNAMENTO.EXE").string()));
        EXPECT_TRUE(seams.shell.started[0].second.isEmpty());
    } else {
        EXPECT_TRUE(seams.shell.started.empty());
    }
    EXPECT_EQ(quit.size(), c.quit ? 1 : 0);

    // The local release file is left as it was.
    EXPECT_EQ(ReadReleaseDate(folder.folders().releaseFile()), kToday);
    // A body that arrived is kept in the temporary folder.
    const auto copy = folder.folders().temp / "VERS_ZYMOTEC.DAT";
    if (c.server == Server::Answers && c.status == 200) {
        EXPECT_EQ(ReadAll(copy), c.body);
    } else {
        EXPECT_FALSE(std::filesystem::exists(copy));
    }
}

const QByteArray kNewer = DateBytes(kNextMonth);

INSTANTIATE_TEST_SUITE_P(
    Cases, UpdateCheckCaseTest,
    ::testing::Values(
        Case{.name = "NewerOk",
             .body = kNewer,
             .answer = ui::Answer::Ok,
             .started = true,
             .quit = true},
        Case{.name = "NewerNo", .body = kNewer, .answer = ui::Answer::No},
        // More than one record: the first one counts.
        Case{.name = "NewerFirstOfTwoRecords",
             .body = kNewer + DateBytes(kLastYear),
             .answer = ui::Answer::Ok,
             .started = true,
             .quit = true},
        Case{.name = "NewerUpdaterWillNotStart",
             .body = kNewer,
             .answer = ui::Answer::Ok,
             .startSucceeds = false,
             .started = true},
        Case{.name = "NewerWithoutUpdater", .body = kNewer, .updater = false},
        Case{.name = "SameDate", .body = DateBytes(kToday)},
        Case{.name = "OlderDate", .body = DateBytes(kLastYear)},
        Case{.name = "ShortFile", .body = kNewer.left(7)}, Case{.name = "EmptyFile", .body = {}},
        Case{.name = "NotADate", .body = DateBytes(std::numeric_limits<double>::quiet_NaN())},
        Case{.name = "Infinite", .body = DateBytes(std::numeric_limits<double>::infinity())},
        Case{.name = "NotFound", .status = 404, .body = kNewer},
        Case{.name = "ServerError", .status = 500, .body = kNewer},
        Case{.name = "NoAnswer", .server = Server::Silent},
        Case{.name = "ConnectionRefused", .server = Server::Refuses}),
    [](const auto& info) { return std::string(info.param.name); });

class UpdateCheckTest : public ::testing::Test {
protected:
    // Runs one check against the server and waits for its end.
    void runCheck(UpdateCheck& check) {
        QSignalSpy finished(&check, &UpdateCheck::finished);
        ASSERT_TRUE(check.start());
        ASSERT_TRUE(finished.wait(5000));
    }
    UpdateCheck* makeCheck() {
        auto* check = new UpdateCheck(folder.folders());
        check->setParent(&owner);
        check->setHost(server.base());
        check->setTimeout(5000ms);
        return check;
    }

    TempWorkFolder folder;
    ScriptedSeams seams;
    TestHttpServer server;
    QObject owner;
};

TEST_F(UpdateCheckTest, AMissingReleaseFileIsCreatedWithToday) {
    const auto file = folder.folders().releaseFile();
    ASSERT_FALSE(std::filesystem::exists(file));
    server.answer(200, DateBytes(kToday));
    runCheck(*makeCheck());
    EXPECT_EQ(ReadAll(file), DateBytes(kToday));
    EXPECT_TRUE(seams.messages.shown().empty());
}

TEST_F(UpdateCheckTest, AnEmptyReleaseFileGetsToday) {
    const auto file = folder.folders().releaseFile();
    Touch(file);
    server.answer(404, {});
    runCheck(*makeCheck());
    EXPECT_EQ(ReadAll(file), DateBytes(kToday));
}

TEST_F(UpdateCheckTest, TheCreatedDateIsComparedWithTheServer) {
    Touch(folder.root() / "AGGIORNAMENTO.EXE");
    server.answer(200, DateBytes(kToday + 1));
    seams.messages.planAnswer(ui::Answer::No);
    runCheck(*makeCheck());
    EXPECT_EQ(ReadAll(folder.folders().releaseFile()), DateBytes(kToday));
    EXPECT_EQ(seams.messages.shown().size(), 1u);
}

TEST_F(UpdateCheckTest, TheInstalledDateCountsNotToday) {
    Touch(folder.root() / "AGGIORNAMENTO.EXE");
    WriteReleaseDate(folder.folders().releaseFile(), kLastYear);
    server.answer(200, DateBytes(kLastYear + 30));  // older than today, newer than installed
    seams.messages.planAnswer(ui::Answer::Ok);
    UpdateCheck* check = makeCheck();
    QSignalSpy quit(check, &UpdateCheck::quitRequested);
    runCheck(*check);
    EXPECT_EQ(seams.messages.shown().size(), 1u);
    EXPECT_EQ(seams.shell.started.size(), 1u);
    EXPECT_EQ(quit.size(), 1);
}

TEST_F(UpdateCheckTest, TheUpdaterIsFoundWhateverTheLetterCase) {
    Touch(folder.root() / "Aggiornamento.exe");
    WriteReleaseDate(folder.folders().releaseFile(), kToday);
    server.answer(200, kNewer);
    seams.messages.planAnswer(ui::Answer::Ok);
    runCheck(*makeCheck());
    ASSERT_EQ(seams.shell.started.size(), 1u);
    EXPECT_EQ(seams.shell.started[0].first,
              QString::fromStdString((folder.root() / "Aggiornamento.exe").string()));
}

#ifndef Q_OS_WIN
TEST_F(UpdateCheckTest, AnUpdaterWithoutExtensionIsStartedHere) {
    Touch(folder.root() / "aggiornamento");
    WriteReleaseDate(folder.folders().releaseFile(), kToday);
    server.answer(200, kNewer);
    seams.messages.planAnswer(ui::Answer::Ok);
    runCheck(*makeCheck());
    ASSERT_EQ(seams.shell.started.size(), 1u);
    EXPECT_EQ(seams.shell.started[0].first,
              QString::fromStdString((folder.root() / "aggiornamento").string()));
}
#endif

TEST_F(UpdateCheckTest, ATriggerWhileRunningIsIgnored) {
    WriteReleaseDate(folder.folders().releaseFile(), kToday);
    server.stayQuiet();
    UpdateCheck* check = makeCheck();
    check->setTimeout(300ms);
    QSignalSpy finished(check, &UpdateCheck::finished);
    ASSERT_TRUE(check->start());
    EXPECT_TRUE(check->running());
    EXPECT_FALSE(check->start());
    EXPECT_FALSE(check->start());
    ASSERT_TRUE(finished.wait(5000));
    QTest::qWait(100);
    EXPECT_EQ(finished.size(), 1);
    EXPECT_EQ(server.requests().size(), 1);
    // Over: the next trigger runs again.
    EXPECT_TRUE(check->start());
    ASSERT_TRUE(finished.wait(5000));
    EXPECT_EQ(server.requests().size(), 2);
}

TEST_F(UpdateCheckTest, ADeclinedReleaseIsOfferedAgainByTheNextCheck) {
    Touch(folder.root() / "AGGIORNAMENTO.EXE");
    WriteReleaseDate(folder.folders().releaseFile(), kToday);
    server.answer(200, kNewer);
    seams.messages.planAnswer(ui::Answer::No);
    UpdateCheck* check = makeCheck();
    runCheck(*check);
    EXPECT_EQ(seams.messages.shown().size(), 1u);
    EXPECT_TRUE(check->asked());

    // The next activation: the same release is offered again, and taken.
    seams.messages.planAnswer(ui::Answer::Ok);
    runCheck(*check);
    EXPECT_EQ(seams.messages.shown().size(), 2u);
    EXPECT_EQ(server.requests().size(), 2);
    EXPECT_EQ(seams.shell.started.size(), 1u);
}

TEST_F(UpdateCheckTest, TheDefaultHostIsTheUpdateServer) {
    UpdateCheck check(folder.folders());
    EXPECT_EQ(check.host(), QString(net::kUpdateHost));
    EXPECT_EQ(QString(net::kUpdateHost) + net::kUpdatePath,
              "http://aggiornamenti.braxol.it/aggiornamenti/VERS_ZYMOTEC.DAT");
}

TEST(ReleaseDateFromBytesTest, ReadsTheFirstRecord) {
    EXPECT_EQ(net::ReleaseDateFromBytes(DateBytes(kToday)), kToday);
    EXPECT_EQ(net::ReleaseDateFromBytes(DateBytes(kToday) + "xyz"), kToday);
    EXPECT_EQ(net::ReleaseDateFromBytes(DateBytes(kToday).left(7)), std::nullopt);
    EXPECT_EQ(net::ReleaseDateFromBytes(DateBytes(std::nan(""))), std::nullopt);
    EXPECT_EQ(net::ReleaseDateFromBytes(DateBytes(1e300)), std::nullopt);
}

}  // namespace
}  // namespace braxol
