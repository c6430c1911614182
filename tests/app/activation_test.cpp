// What the main window runs each time it becomes active: the release check against a real
// update server on 127.0.0.1, whose question comes before the reminder of a missing excise
// summary.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <cstring>
#include <fstream>

#include "app/main_window.h"
#include "net/update_check.h"
#include "store/config_files.h"
#include "store/paths.h"
#include "support/configuration.h"
#include "support/qt/scripted_seams.h"
#include "support/qt/widget_helpers.h"
#include "support/record_builders.h"
#include "support/temp_folder.h"
#include "test_http_server.h"

namespace braxol {
namespace {

using namespace braxol::test;
using namespace std::chrono_literals;

const QString kReminder = "Ricorda di inviare il riepilogo dei tributi: Marzo 2025";

QByteArray DateBytes(double date) {
    QByteArray bytes(sizeof date, '\0');
    std::memcpy(bytes.data(), &date, sizeof date);
    return bytes;
}

// What the window manager does when a window over `window` closes.
void GiveBackActivation(QWidget* window) {
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window));
}

// The scripted answers, each shown in a real message box over the main window that closes
// as soon as it is the active window: the main window loses its activation to the box and
// gets it back when the box closes, as with a user.
class RealBoxes : public ScriptedMessages {
public:
    void inform(QWidget* parent, const QString& text, ui::Severity severity) override {
        ScriptedMessages::inform(parent, text, severity);
        showAndClose(parent, text);
    }
    ui::Answer ask(QWidget* parent, const QString& text, ui::Buttons buttons,
                   ui::Severity severity) override {
        const ui::Answer answer = ScriptedMessages::ask(parent, text, buttons, severity);
        showAndClose(parent, text);
        return answer;
    }

private:
    static void showAndClose(QWidget* parent, const QString& text) {
        QMessageBox box(QMessageBox::Information, "BRAXOL", text, QMessageBox::Ok, parent);
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &box, [&box] {
            if (box.isVisible() && QApplication::activeWindow() == &box) box.accept();
        });
        poll.start(5);
        box.exec();
        // As a window manager does it: once the box has gone, and to the main window only
        // when no other box has taken its place.
        if (!parent) return;
        QWidget* window = parent->window();
        QTimer::singleShot(0, window, [window] {
            if (!QApplication::activeModalWidget()) window->activateWindow();
        });
    }
};

class Activation : public ::testing::Test {
protected:
    TempWorkFolder work;
    ScriptedSeams seams;
    TestHttpServer server;
    app::RunState state;

    void SetUp() override {
        // The 5th of April: March has productions and no excise summary yet.
        seams.clock.current = QDateTime(QDate(2025, 4, 5), QTime(9, 0));
        state.folders = work.folders();
        WriteConfiguration(state.folders);
        WriteMovements(YearFile(state.folders.registri, 2025, ".RGM"),
                       {Stored(Production(Day(2025, 3, 5), 100, 200), 1, 1)});
        WriteReleaseDate(state.folders.releaseFile(), Day(2025, 3, 1));
        std::ofstream(work.root() / "AGGIORNAMENTO.EXE") << "";
    }

    // The release check of the program, asking the test's server.
    std::unique_ptr<net::UpdateCheck> releaseCheck(app::TFPRINCIPALE& main) {
        auto check = std::make_unique<net::UpdateCheck>(state.folders, &main);
        check->setHost(server.base());
        main.setUpdateCheck(check.get());
        return check;
    }

    // Waits until the activation's check and reminder are over.
    static void waitForTheEnd(const app::TFPRINCIPALE& main) {
        QDeadlineTimer deadline(5000);
        while (main.activationRunning() && !deadline.hasExpired()) QTest::qWait(5);
        ASSERT_FALSE(main.activationRunning());
    }
};

TEST_F(Activation, TheUpdateQuestionComesBeforeTheReminder) {
    struct Case {
        const char* name;
        QByteArray published;              // empty: the server is down
        std::optional<ui::Answer> answer;  // to the question, when one comes
        QStringList shown;
        bool updaterStarted = false;
    } cases[] = {
        {"Newer, declined",
         DateBytes(Day(2025, 4, 1)),
         ui::Answer::No,
         {net::UpdateQuestion(), kReminder}},
        {"Newer, taken: no reminder",
         DateBytes(Day(2025, 4, 1)),
         ui::Answer::Ok,
         {net::UpdateQuestion()},
         true},
        {"Same release", DateBytes(Day(2025, 3, 1)), std::nullopt, {kReminder}},
        {"Server down", {}, std::nullopt, {kReminder}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        seams.messages.clear();
        seams.shell.started.clear();
        if (c.published.isEmpty())
            server.stayQuiet();
        else
            server.answer(200, c.published);
        if (c.answer) seams.messages.planAnswer(*c.answer);

        app::TFPRINCIPALE main(state);
        auto check = releaseCheck(main);
        if (c.published.isEmpty()) check->setTimeout(200ms);
        QSignalSpy quit(check.get(), &net::UpdateCheck::quitRequested);
        main.activated();
        waitForTheEnd(main);

        EXPECT_EQ(seams.messages.texts(), c.shown);
        EXPECT_EQ(seams.shell.started.size(), c.updaterStarted ? 1u : 0u);
        EXPECT_EQ(quit.size(), c.updaterStarted ? 1 : 0);
        // The program is ending: a further activation asks and reminds nothing.
        if (c.updaterStarted) {
            main.activated();
            EXPECT_FALSE(main.activationRunning());
            EXPECT_EQ(seams.messages.texts(), c.shown);
        }
    }
}

// A release the user declined is offered again at the next activation, and an activation
// while the check is still under way adds nothing.
TEST_F(Activation, ADeclinedReleaseIsOfferedAgainNextTime) {
    server.answer(200, DateBytes(Day(2025, 4, 1)));
    app::TFPRINCIPALE main(state);
    auto check = releaseCheck(main);
    for (int round = 1; round <= 2; ++round) {
        seams.messages.planAnswer(ui::Answer::No);
        main.activated();
        main.activated();
        waitForTheEnd(main);
    }
    EXPECT_EQ(seams.messages.texts(),
              (QStringList{net::UpdateQuestion(), kReminder, net::UpdateQuestion(), kReminder}));
    EXPECT_EQ(server.requests().size(), 2);
}

// With real boxes: the activation that the question's and the reminder's own boxes give back
// when they close runs nothing; closing another window over the main one is a new activation.
TEST_F(Activation, OwnBoxesClosingAreNotANewActivation) {
    RealBoxes boxes;
    ui::Seams::setMessages(&boxes);
    server.answer(200, DateBytes(Day(2025, 4, 1)));
    app::TFPRINCIPALE main(state);
    auto check = releaseCheck(main);

    boxes.planAnswer(ui::Answer::No);
    ShowActive(&main);
    waitForTheEnd(main);
    Settle();  // the reminder's box gives the activation back
    EXPECT_TRUE(main.isActiveWindow());
    EXPECT_FALSE(main.activationRunning());
    EXPECT_EQ(boxes.texts(), (QStringList{net::UpdateQuestion(), kReminder}));
    EXPECT_EQ(server.requests().size(), 1);

    // A window of the menu opens over the main one and closes.
    boxes.planAnswer(ui::Answer::No);
    {
        QDialog other(&main);
        QTimer::singleShot(0, &other, [&other] {
            EXPECT_TRUE(QTest::qWaitForWindowActive(&other));
            other.accept();
        });
        other.exec();
    }
    GiveBackActivation(&main);
    QDeadlineTimer deadline(5000);
    while (boxes.texts().size() < 4 && !deadline.hasExpired()) QTest::qWait(5);
    waitForTheEnd(main);
    EXPECT_EQ(boxes.texts(),
              (QStringList{net::UpdateQuestion(), kReminder, net::UpdateQuestion(), kReminder}));
    EXPECT_EQ(server.requests().size(), 2);
    ui::Seams::setMessages(&seams.messages);
}

}  // namespace
}  // namespace braxol
