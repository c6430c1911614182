#include <gtest/gtest.h>

#include <unistd.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "store/io_error.h"
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

class LockTest : public testing::Test {
protected:
    test::TempWorkFolder tmp;
    fs::path file = tmp.registri("2025.RGM");
    fs::path marker = tmp.registri("2025.RGM$");
    test::ScriptedLockPrompt prompt;
    test::ScopedLockPrompt installed{prompt};

    // Another copy of the program holds the file.
    void PlaceMarker() { test::WriteFileBytes(marker, ""); }

    std::vector<Call> Waits(int from, int to) const {
        std::vector<Call> calls;
        for (int i = from; i <= to; ++i) calls.push_back({Call::Busy, file.string(), i});
        return calls;
    }
};

TEST_F(LockTest, TheMarkerIsTheFileNameWithADollar) {
    EXPECT_EQ(LockMarkerPath(file), marker);
    EXPECT_EQ(LockMarkerPath("/a/b/UTENTE.001"), fs::path("/a/b/UTENTE.001$"));
}

TEST_F(LockTest, AFreeFileIsTakenWithoutAsking) {
    LockDataFile(file);
    EXPECT_TRUE(fs::exists(marker));
    const auto holder = ReadLockHolder(marker);
    ASSERT_TRUE(holder) << "the marker names its holder";
    EXPECT_EQ(holder->pid, ::getpid());
    EXPECT_EQ(holder->host, ThisHostName());
    EXPECT_FALSE(fs::exists(file)) << "the lock does not create the data file";
    UnlockDataFile(file);
    EXPECT_FALSE(fs::exists(marker));
    EXPECT_TRUE(prompt.calls().empty());
}

TEST_F(LockTest, UnlockingAFreeFileIsHarmless) {
    UnlockDataFile(file);
    EXPECT_FALSE(fs::exists(marker));
}

TEST_F(LockTest, EachWaitTellsTheUserAndTheEleventhOffersTheTakeOver) {
    PlaceMarker();
    prompt.planTakeOver(true);
    LockDataFile(file);

    std::vector<Call> expected = Waits(1, 11);
    expected.push_back({Call::TakeOver, file.string(), 11});
    EXPECT_EQ(prompt.calls(), expected);
    EXPECT_TRUE(fs::exists(marker)) << "the marker taken over now stands for this copy";
    EXPECT_EQ(ReadLockHolder(marker)->pid, ::getpid());
    UnlockDataFile(file);
    EXPECT_FALSE(fs::exists(marker));
}

TEST_F(LockTest, AnsweringNoKeepsWaitingAndAsksAgain) {
    PlaceMarker();
    prompt.planTakeOver(false);
    prompt.planTakeOver(false);
    prompt.planTakeOver(true);
    LockDataFile(file);

    std::vector<Call> expected = Waits(1, 11);
    expected.push_back({Call::TakeOver, file.string(), 11});
    expected.push_back({Call::Busy, file.string(), 12});
    expected.push_back({Call::TakeOver, file.string(), 12});
    expected.push_back({Call::Busy, file.string(), 13});
    expected.push_back({Call::TakeOver, file.string(), 13});
    EXPECT_EQ(prompt.calls(), expected);
    UnlockDataFile(file);
}

TEST_F(LockTest, AMarkerRemovedDuringTheWaitIsTakenWithoutAskingMore) {
    PlaceMarker();
    prompt.onBusy([&](const std::string&, int attempt) {
        if (attempt == 3) fs::remove(marker);  // the other copy finishes
    });
    LockDataFile(file);
    EXPECT_EQ(prompt.calls(), Waits(1, 3));
    EXPECT_TRUE(fs::exists(marker));
    UnlockDataFile(file);
}

TEST_F(LockTest, TheOperationsWaitForTheMarkerAndReleaseIt) {
    AddMovement(file, Production(Day(2025, 1, 1), 0, 5), NoSelection());
    PlaceMarker();
    prompt.planTakeOver(true);
    EXPECT_EQ(AddMovement(file, Production(Day(2025, 1, 2), 5, 9), NoSelection()).NUMOPE, 2);
    EXPECT_EQ(prompt.busyCount(), 11);
    EXPECT_EQ(prompt.takeOverCount(), 1);
    EXPECT_FALSE(fs::exists(marker));

    for (const auto& operation : std::vector<std::function<void()>>{
             [&] { DeleteMovement(2, file); },
             [&] {
                 CancelOrRectify(file, ScanMovements(file)[0],
                                 Production(Day(2025, 1, 1), 0, 6, "N"), RectifyMode::Rectify);
             },
             [&] { AddMovement(file, Production(Day(2025, 1, 3), 9, 12), NoSelection()); }}) {
        PlaceMarker();
        prompt.clear();
        prompt.onBusy([&](const std::string&, int attempt) {
            if (attempt == 2) fs::remove(marker);
        });
        operation();
        EXPECT_EQ(prompt.busyCount(), 2);
        EXPECT_FALSE(fs::exists(marker));
    }
    EXPECT_EQ(test::Numbers(ScanMovements(file)), (std::vector<int>{1, 2, 3, 4}));
}

TEST_F(LockTest, ReadersDoNotTakeTheMarker) {
    AddMovement(file, Production(Day(2025, 1, 1), 0, 5), NoSelection());
    PlaceMarker();
    prompt.setMaxWaits(0);
    EXPECT_EQ(ScanMovements(file).size(), 1u);
    EXPECT_TRUE(prompt.calls().empty());
}

TEST_F(LockTest, AWaitAbandonedByThePromptLeavesTheFileAndTheOtherMarker) {
    AddMovement(file, Production(Day(2025, 1, 1), 0, 5), NoSelection());
    const std::string before = test::FileBytes(file);
    PlaceMarker();
    // The default prompt gives up with an IoError; a scripted one can do the same.
    class GiveUp : public LockPrompt {
    public:
        void busy(const std::string& path, int) override { throw IoError(path, "in uso"); }
        bool takeOver(const std::string&) override { return false; }
    } giveUp;
    test::ScopedLockPrompt scoped(giveUp);
    EXPECT_THROW(AddMovement(file, Production(Day(2025, 1, 2), 5, 9), NoSelection()), IoError);
    EXPECT_EQ(test::FileBytes(file), before);
    EXPECT_TRUE(fs::exists(marker)) << "the marker belongs to the other copy";
}

TEST_F(LockTest, FileLockReleasesOnEveryPathOut) {
    try {
        FileLock lock(file);
        EXPECT_TRUE(fs::exists(marker));
        throw std::runtime_error("failure inside the operation");
    } catch (const std::runtime_error&) {
    }
    EXPECT_FALSE(fs::exists(marker));
}

TEST_F(LockTest, TheMessagesNameTheFile) {
    const std::string p = file.string();
    EXPECT_EQ(LockBusyMessage(p), "ATTENDERE! IL FILE: " + p +
                                      " E` APERTO DA UN ALTRO UTENTE \n\n PREMI OK PER RIPROVARE ");
    EXPECT_EQ(LockTakeOverQuestion(p, "Sì"),
              "ATTENZIONE! ACCERTARSI CHE IL FILE: " + p +
                  " NON SIA APERTO DA UN ALTRO UTENTE\n\n PREMI \"Sì\" SE NESSUN UTENTE STA "
                  "UTILIZZANDO IL FILE");
}

TEST_F(LockTest, TheWaitsNameTheDataFileNotTheMarker) {
    PlaceMarker();
    prompt.planTakeOver(true);
    LockDataFile(file);
    for (const auto& call : prompt.calls()) EXPECT_EQ(call.path, file.string());
    UnlockDataFile(file);
}

TEST_F(LockTest, AFolderThatCannotHoldTheMarkerIsAnIoErrorNotAWait) {
    prompt.setMaxWaits(0);
    test::WriteFileBytes(tmp.registri("FILE"), "x");
    const fs::path inside = tmp.registri("FILE") / "2025.RGM";
    EXPECT_THROW(LockDataFile(inside), IoError);
    EXPECT_THROW(AddMovement(inside, Production(Day(2025, 1, 1), 0, 5), NoSelection()), IoError);
    EXPECT_THROW(LockDataFile(tmp.registri("MANCA") / "2025.RGM"), IoError);
    EXPECT_TRUE(prompt.calls().empty());
}

TEST_F(LockTest, AReadOnlyFolderIsAnIoErrorNotAWait) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
    prompt.setMaxWaits(0);
    fs::permissions(tmp.folders().registri, fs::perms(0555));
    try {
        LockDataFile(file);
        ADD_FAILURE() << "the marker was created in a read-only folder";
    } catch (const IoError& e) {
        EXPECT_EQ(e.path(), marker.string());
        EXPECT_NE(e.italianMessage().find("permesso negato"), std::string::npos)
            << e.italianMessage();
    }
    fs::permissions(tmp.folders().registri, fs::perms(0755));
    EXPECT_TRUE(prompt.calls().empty());
}

TEST_F(LockTest, TheMarkerIsExclusiveWithinOneProcessToo) {
    LockDataFile(file);
    prompt.planTakeOver(false);
    prompt.onBusy([](const std::string&, int attempt) {
        if (attempt == 12) throw std::runtime_error("the user gives up");
    });
    EXPECT_THROW(LockDataFile(file), std::runtime_error);
    EXPECT_EQ(prompt.busyCount(), 12);
    EXPECT_EQ(prompt.takeOverCount(), 1);
    EXPECT_TRUE(fs::exists(marker)) << "the first holder keeps it";
    UnlockDataFile(file);
    EXPECT_FALSE(fs::exists(marker));
}

TEST(LockPromptInstall, SetReturnsThePreviousAndNullRestoresTheDefault) {
    test::ScriptedLockPrompt a, b;
    LockPrompt* original = SetLockPrompt(&a);
    EXPECT_EQ(&CurrentLockPrompt(), &a);
    EXPECT_EQ(SetLockPrompt(&b), &a);
    EXPECT_EQ(&CurrentLockPrompt(), &b);
    EXPECT_EQ(SetLockPrompt(nullptr), &b);
    LockPrompt& fallback = CurrentLockPrompt();
    EXPECT_NE(&fallback, &a);
    EXPECT_NE(&fallback, &b);
    SetLockPrompt(original);
}

}  // namespace
}  // namespace braxol
