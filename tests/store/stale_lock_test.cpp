// Markers left by copies of the program that died: one of a process that is gone from this
// machine is taken over after one notice; a live holder, a holder of another machine and an
// empty marker (older copies, the Windows program) are waited for as always. The holders here
// are real processes, killed for real.

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "store/io_error.h"
#include "store/leftovers.h"
#include "store/lock.h"
#include "store/movements.h"
#include "support/record_builders.h"
#include "support/scripted_lock_prompt.h"
#include "support/temp_folder.h"

namespace braxol {
namespace {

using Call = test::ScriptedLockPrompt::Call;
using test::Day;
using test::NoSelection;
using test::Production;

// Another copy of the program: a child process that takes the file's marker and keeps it
// until it is killed.
class OtherCopy {
public:
    explicit OtherCopy(const fs::path& file) {
        int ready[2];
        if (::pipe(ready) != 0) throw std::runtime_error("pipe");
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(ready[0]);
            try {
                LockDataFile(file);
            } catch (...) {
                ::_exit(2);
            }
            const char byte = 1;
            if (::write(ready[1], &byte, 1) != 1) ::_exit(3);
            for (;;) ::pause();
        }
        ::close(ready[1]);
        char byte = 0;
        const bool holds = ::read(ready[0], &byte, 1) == 1;
        ::close(ready[0]);
        if (!holds) throw std::runtime_error("the other copy did not take the marker");
    }
    ~OtherCopy() { kill(); }

    // A kill -9, as a power cut or a crash: the marker stays.
    void kill() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
    pid_t pid() const { return pid_; }

private:
    pid_t pid_ = -1;
};

class StaleLock : public testing::Test {
protected:
    test::TempWorkFolder tmp;
    fs::path file = tmp.registri("2025.RGM");
    fs::path marker = LockMarkerPath(file);
    test::ScriptedLockPrompt prompt;
    test::ScopedLockPrompt installed{prompt};

    // A process number that no process bears now: a child that has ended.
    static long GonePid() {
        const pid_t child = ::fork();
        if (child == 0) ::_exit(0);
        ::waitpid(child, nullptr, 0);
        return child;
    }
    void PlaceMarkerOf(const ProcessIdentity& holder) {
        test::WriteFileBytes(marker, LockMarkerText(holder));
    }
};

TEST_F(StaleLock, TheMarkerOfAKilledCopyIsTakenOverAfterOneNotice) {
    AddMovement(file, Production(Day(2025, 1, 1), 0, 5), NoSelection());
    OtherCopy other(file);
    const pid_t otherPid = other.pid();
    ASSERT_EQ(ReadLockHolder(marker)->pid, otherPid);
    other.kill();

    EXPECT_EQ(AddMovement(file, Production(Day(2025, 1, 2), 5, 9), NoSelection()).NUMOPE, 2);
    EXPECT_EQ(prompt.calls(),
              (std::vector<Call>{{Call::HolderGone, file.string(), static_cast<int>(otherPid)}}));
    EXPECT_FALSE(fs::exists(marker));
    EXPECT_EQ(test::FolderNames(tmp.folders().registri), std::vector<std::string>{"2025.RGM"});
}

TEST_F(StaleLock, TwoLiveCopiesExcludeEachOther) {
    OtherCopy other(file);
    prompt.planTakeOver(false);
    prompt.onBusy([](const std::string&, int attempt) {
        if (attempt == 12) throw std::runtime_error("the user gives up");
    });
    EXPECT_THROW(LockDataFile(file), std::runtime_error);
    EXPECT_EQ(prompt.busyCount(), 12);
    EXPECT_EQ(prompt.takeOverCount(), 1) << "the question of today, no notice";
    EXPECT_EQ(ReadLockHolder(marker)->pid, other.pid()) << "the live copy keeps its marker";

    // Once it dies, the same wait ends with the notice.
    other.kill();
    prompt.clear();
    LockDataFile(file);
    ASSERT_EQ(prompt.calls().size(), 1u);
    EXPECT_EQ(prompt.calls()[0].kind, Call::HolderGone);
    EXPECT_EQ(ReadLockHolder(marker)->pid, ::getpid());
    UnlockDataFile(file);
}

TEST_F(StaleLock, TheNoticeSaysWhoHeldTheFile) {
    ProcessIdentity holder;
    holder.pid = 4242;
    holder.host = "birrificio";
    EXPECT_EQ(LockHolderGoneMessage("/dati/REGISTRI/2025.RGM", holder),
              "ATTENZIONE! IL FILE: /dati/REGISTRI/2025.RGM ERA RIMASTO BLOCCATO DA UNA COPIA DEL "
              "PROGRAMMA CHE NON È PIÙ IN FUNZIONE (PROCESSO 4242 SU birrificio)\n\n IL BLOCCO "
              "VIENE RIMOSSO: PREMI OK PER CONTINUARE ");
}

// Who the holder is decides between the notice and the waits of today.
TEST_F(StaleLock, OnlyAHolderCertainlyGoneFromThisMachineIsTakenOver) {
    const ProcessIdentity& me = ThisProcess();
    struct Case {
        std::string name;
        std::string markerText;
        bool takenOver;
    };
    ProcessIdentity gone{GonePid(), me.host, me.boot, 0};
    ProcessIdentity elsewhere{GonePid(), me.host + "-altro", "", 0};
    ProcessIdentity beforeRestart{me.pid, me.host, "un-altro-avvio", me.start};
    ProcessIdentity reusedNumber{me.pid, me.host, me.boot, me.start + 1};
    ProcessIdentity zombieFree{1, me.host, me.boot, 0};  // init never dies
    const std::vector<Case> cases = {
        {"gone", LockMarkerText(gone), true},
        {"gone, written on Windows",
         "pid=" + std::to_string(gone.pid) + "\r\nhost=" + me.host + "\r\n", true},
        {"before the machine restarted", LockMarkerText(beforeRestart), true},
        {"its number now borne by another", LockMarkerText(reusedNumber), true},
        {"empty (older copies)", "", false},
        {"unreadable text", "\x01\x02 nothing", false},
        {"without host", "pid=" + std::to_string(gone.pid) + "\n", false},
        {"of another machine", LockMarkerText(elsewhere), false},
        {"alive", LockMarkerText(zombieFree), false},
        {"this very process", LockMarkerText(me), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::WriteFileBytes(marker, c.markerText);
        prompt.clear();
        prompt.planTakeOver(true);  // the answer of today, after ten waits
        LockDataFile(file);
        if (c.takenOver) {
            ASSERT_EQ(prompt.calls().size(), 1u);
            EXPECT_EQ(prompt.calls()[0].kind, Call::HolderGone);
        } else {
            EXPECT_EQ(prompt.busyCount(), 11);
            EXPECT_EQ(prompt.takeOverCount(), 1);
        }
        EXPECT_EQ(ReadLockHolder(marker)->pid, me.pid) << "the marker now names this copy";
        UnlockDataFile(file);
    }
}

TEST_F(StaleLock, TheNoticeIsShownOnceEvenWhenAnotherCopyIsQuicker) {
    ProcessIdentity gone{GonePid(), ThisHostName(), "", 0};
    PlaceMarkerOf(gone);
    // Between the notice and the removal, another live copy removes the dead marker and takes
    // the file: this copy waits for it as for any live holder.
    OtherCopy* other = nullptr;
    struct NoticeThenRace : test::ScriptedLockPrompt {
        std::function<void()> race;
        void holderGone(const std::string& path, const ProcessIdentity& holder) override {
            ScriptedLockPrompt::holderGone(path, holder);
            race();
        }
    } racing;
    test::ScopedLockPrompt scoped(racing);
    std::unique_ptr<OtherCopy> quicker;
    racing.race = [&] {
        fs::remove(marker);
        quicker = std::make_unique<OtherCopy>(file);
        other = quicker.get();
    };
    racing.onBusy([&](const std::string&, int attempt) {
        if (attempt == 2) other->kill();  // it dies too: one notice was enough
    });
    LockDataFile(file);
    EXPECT_EQ(racing.calls().size(), 3u);  // the notice, then two waits
    EXPECT_EQ(racing.calls()[0].kind, Call::HolderGone);
    EXPECT_EQ(racing.busyCount(), 2);
    EXPECT_EQ(ReadLockHolder(marker)->pid, ::getpid());
    UnlockDataFile(file);
}

TEST_F(StaleLock, TheHalfWrittenFilesOfKilledWritersAreRemovedByTheNextWriter) {
    AddMovement(file, Production(Day(2025, 1, 1), 0, 5), NoSelection());
    const long gone = GonePid();
    const std::string host = ThisHostName();
    const std::vector<std::string> dead = {
        "2025.RGM.~" + std::to_string(gone) + "-3@" + host,
        "2025.RGM.~" + std::to_string(gone) + "-0",  // older copies: no machine
        "2025.RGM$.~" + std::to_string(gone) + "-1@" + host,
    };
    const std::vector<std::string> kept = {
        "2025.RGM.~" + std::to_string(::getpid()) + "-99@" + host,      // a write in progress
        "2025.RGM.~" + std::to_string(gone) + "-3@" + host + "-altro",  // another machine
        "2025.DER.~" + std::to_string(gone) + "-3@" + host,             // another file's
        "2025.RGM.~notes",                                              // not one of ours
    };
    for (const auto& name : dead) test::WriteFileBytes(tmp.registri(name), "mezzo");
    for (const auto& name : kept) test::WriteFileBytes(tmp.registri(name), "mezzo");

    AddMovement(file, Production(Day(2025, 1, 2), 5, 9), NoSelection());
    EXPECT_TRUE(prompt.calls().empty());
    std::vector<std::string> expected = kept;
    expected.push_back("2025.RGM");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(test::FolderNames(tmp.folders().registri), expected);
}

TEST(Leftovers, TheirNamesTellTheFileAndTheWriter) {
    const auto leftover = ParseLeftover("/d/REGISTRI/2025.RGM.~1234-7@birrificio-2");
    ASSERT_TRUE(leftover);
    EXPECT_EQ(leftover->dataFile, fs::path("/d/REGISTRI/2025.RGM"));
    EXPECT_EQ(leftover->writer.pid, 1234);
    EXPECT_EQ(leftover->writer.host, "birrificio-2");
    EXPECT_EQ(ParseLeftover("/d/2025.RGM.~1234-7")->writer.host, ThisHostName());
    for (const char* name : {"2025.RGM", "2025.RGM.~", "2025.RGM.~12", "2025.RGM.~12-",
                             "2025.RGM.~x-1", "2025.RGM.~12-1@", "2025.RGM.~12-1x", ".~12-1"})
        EXPECT_FALSE(ParseLeftover(name)) << name;
    const auto own = ParseLeftover(TempBeside("/d/PRAZ.TAB"));
    ASSERT_TRUE(own);
    EXPECT_EQ(own->writer.pid, ::getpid());
    EXPECT_FALSE(WriterGone(*own));
}

}  // namespace
}  // namespace braxol
