// A program killed at any instant while it stamps a flow (or takes the stamp off) leaves,
// once the next start has finished what the journal holds, every record of the flow stamped
// or none: never half a flow, which would be sent twice or never.
//
// As the store's crash test does: a child process marks the flow, detaches it, marks it
// again, for ever, and after each operation appends a byte to a count on disk. The parent
// kills it with SIGKILL at a random instant, clears what the killed writer left beside the
// registers (its lock markers and temporary files, not the journal), runs the start-up's
// FinishInterruptedStamps, and checks that the flow is whole: stamped as after the counted
// operations, or as after one more. Then a new child goes on from there.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <iostream>
#include <random>
#include <thread>

#include "store/io_error.h"
#include "store/lock.h"
#include "store/movements.h"
#include "support/record_builders.h"
#include "support/temp_folder.h"
#include "telematic/flow_marking.h"
#include "telematic/flow_stamps.h"

namespace braxol::telematic {
namespace {

using namespace braxol::test;
namespace fs = std::filesystem;

constexpr int kFlowNumber = 7;
constexpr int kRegisterRecords = 240;
constexpr int kTributeRecords = 12;

// In the child a marker that nobody removed would mean the parent failed to clean up.
class NoWaiting : public LockPrompt {
public:
    void busy(const std::string&, int) override { ::_exit(5); }
    bool takeOver(const std::string&) override { ::_exit(5); }
};

struct Books {
    WorkFolders folders;
    double flowDay = Day(2025, 3, 20);
    std::vector<TMOVIMENTO> copies;  // the flow window's: every other record chosen

    fs::path rgm() const { return YearFile(folders.registri, 2025, ".RGM"); }
    fs::path der() const { return YearFile(folders.registri, 2025, ".DER"); }

    void write() {
        std::vector<TMOVIMENTO> registers, tributes;
        for (int i = 0; i < kRegisterRecords; ++i)
            registers.push_back(
                i % 3 == 2
                    ? Stored(Wash(Day(2025, 1, 1) + i / 4, i * 10, i * 10 + 5), i + 1, i + 1)
                    : Stored(Production(Day(2025, 1, 1) + i / 4, i * 10, i * 10 + 5, "cotta"),
                             i + 1, i + 1));
        for (int i = 0; i < kTributeRecords; ++i) {
            TMOVIMENTO e = Tribute("E", i < 11 ? "0" + std::to_string(i % 9 + 1) : "21", 100 + i);
            e.ANNPRO.set("2025");
            tributes.push_back(Stored(e, i + 1, i + 1));
        }
        WriteMovements(rgm(), registers);
        WriteMovements(der(), tributes);
        for (const auto* file : {&registers, &tributes})
            for (std::size_t i = 0; i < file->size(); ++i) {
                TMOVIMENTO copy = (*file)[i];
                if (i % 2 == 0) {
                    copy.DATFLU = flowDay;
                    copy.NUMFLU = kFlowNumber;
                }
                copies.push_back(copy);
            }
    }
    int flowRecords() const {
        return static_cast<int>(std::count_if(copies.begin(), copies.end(),
                                              [](const TMOVIMENTO& c) { return c.NUMFLU != 0; }));
    }
    // How many records on disk carry the flow's stamp.
    int stamped() const {
        int n = 0;
        for (const auto& file : {rgm(), der()})
            for (const TMOVIMENTO& r : ScanMovements(file))
                n += CarriesStamp(r, {flowDay, kFlowNumber});
        return n;
    }
    // The flow's records as the detach window lists them.
    std::vector<TMOVIMENTO> listed() const {
        std::vector<TMOVIMENTO> records;
        for (const auto& file : {rgm(), der()})
            for (const TMOVIMENTO& r : ScanMovements(file))
                if (CarriesStamp(r, {flowDay, kFlowNumber})) records.push_back(r);
        return records;
    }
};

// The child: marks when nothing is stamped, detaches when everything is, for ever.
[[noreturn]] void RunStamper(const Books& books, const fs::path& count) {
    try {
        NoWaiting prompt;
        SetLockPrompt(&prompt);
        const int fd = ::open(count.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
        if (fd < 0) ::_exit(3);
        const int all = books.flowRecords();
        for (;;) {
            const int stamped = books.stamped();
            if (stamped == 0)
                MarkFlowRecords(books.folders, books.copies);
            else if (stamped == all)
                DetachFlowRecords(books.folders, books.listed());
            else
                ::_exit(7);  // half a flow: the parent let it through
            const char done = 1;
            if (::write(fd, &done, 1) != 1 || ::fsync(fd) != 0) ::_exit(4);
        }
    } catch (...) {
        ::_exit(2);
    }
}

TEST(FlowStampsCrash, AKillAtAnyInstantLeavesTheFlowWholeAfterTheNextStart) {
    TempWorkFolder work;
    Books books;
    books.folders = work.folders();
    books.write();
    const int all = books.flowRecords();
    const fs::path count = work.root() / "operazioni";
    WriteFileBytes(count, "");

    constexpr int kTargetKills = 300;
    constexpr std::size_t kTargetOperations = 150;
    const auto budget = std::chrono::seconds(40);
    const auto start = std::chrono::steady_clock::now();
    std::mt19937 random(20250320);
    int windowMicros = 20000;  // adapts to the speed of the disk, as in the store's test

    std::size_t done = 0;
    int kills = 0, halfOnDisk = 0, journalsLeft = 0, markersLeft = 0, landed = 0;
    while ((kills < kTargetKills || done < kTargetOperations) &&
           std::chrono::steady_clock::now() - start < budget) {
        const std::size_t doneBefore = done;
        const pid_t child = ::fork();
        ASSERT_GE(child, 0) << std::strerror(errno);
        if (child == 0) RunStamper(books, count);

        std::uniform_int_distribution<int> delay(0, windowMicros);
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
            << "the stamper stopped by itself, exit code "
            << (WIFEXITED(status) ? WEXITSTATUS(status) : -1);
        ++kills;

        // What the killed program left: half a flow may be on disk until the next start.
        const int before = books.stamped();
        if (before != 0 && before != all) ++halfOnDisk;
        for (const auto& name : FolderNames(work.folders().registri)) {
            if (name == "2025.RGM" || name == "2025.DER") continue;
            if (name.ends_with(kStampJournalExtension)) {
                ++journalsLeft;
                continue;
            }
            if (name.ends_with("$"))
                ++markersLeft;
            else
                ASSERT_NE(name.find(".~"), std::string::npos) << "unexpected file: " << name;
            fs::remove(work.folders().registri / name);
        }

        // The next start.
        try {
            FinishInterruptedStamps(work.folders());
        } catch (const IoError& e) {
            FAIL() << "after kill " << kills << ": " << e.what();
        }
        for (const auto& name : FolderNames(work.folders().registri))
            ASSERT_FALSE(name.ends_with(kStampJournalExtension)) << name;

        // Whole: the state after the counted operations, or after one more.
        done = FileBytes(count).size();
        const int after = books.stamped();
        ASSERT_TRUE(after == 0 || after == all) << "after kill " << kills << " the flow has "
                                                << after << " of " << all << " records stamped";
        const bool stampedAfterCounted = done % 2 == 1;
        if ((after == all) != stampedAfterCounted) {
            // The operation in flight was finished (by the killed program or by the journal)
            // but not counted.
            const int fd = ::open(count.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
            ASSERT_GE(fd, 0);
            const char one = 1;
            ASSERT_EQ(::write(fd, &one, 1), 1);
            ::close(fd);
            ++done;
            ++landed;
        }

        const std::size_t finished = done - doneBefore;
        if (finished == 0) windowMicros = std::min(windowMicros * 5 / 4, 400000);
        if (finished > 3) windowMicros = std::max(windowMicros * 9 / 10, 2000);
    }

    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::cout << "[ crash    ] " << kills << " kills in " << seconds << " s, " << done
              << " operations, " << landed << " finished but not counted, " << journalsLeft
              << " journals and " << markersLeft << " markers left, " << halfOnDisk
              << " times half a flow on disk before the next start, window " << windowMicros
              << " us\n";
    RecordProperty("kills", kills);
    RecordProperty("operations", static_cast<int>(done));
    EXPECT_GE(kills, 100);
    EXPECT_GE(done, 60u) << "the stamper hardly ran: the kills prove little";
    EXPECT_GT(journalsLeft, 0) << "no kill landed inside an operation";
}

}  // namespace
}  // namespace braxol::telematic
