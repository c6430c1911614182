// A writer killed at random instants must leave its yearly file whole: the records of the
// operations it finished, or those plus the one it was doing, never a mix.
//
// A child process runs a fixed sequence of operations (each chosen from its index and the
// records in the file) and, after each one, appends the index to a journal on disk. The parent
// kills it with SIGKILL, replays the same operations on records in memory with the in-memory
// routines, and compares the file byte for byte with the state after the journalled operations
// or the state one operation later. Then it starts a new child from where the file is, which
// takes over the marker of the killed one and removes its half-written files.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <iostream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "store/io_error.h"
#include "store/lock.h"
#include "store/movements.h"
#include "support/record_builders.h"
#include "support/scripted_lock_prompt.h"
#include "support/temp_folder.h"

namespace braxol {
namespace {

using test::Day;
using test::FolderNames;
using test::Production;
using test::SameBytes;

constexpr std::size_t kMaxRecords = 60;

std::uint64_t Mix(std::uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

struct Op {
    enum Kind { Add, Delete, Cancel, Rectify } kind;
    TMOVIMENTO record;    // Add, Cancel, Rectify
    TMOVIMENTO selected;  // Add
    TMOVIMENTO target;    // Cancel, Rectify
    std::int32_t numope;  // Delete
};

// The operation number `index` does on a file holding `records`.
Op ChooseOp(std::uint32_t index, const std::vector<TMOVIMENTO>& records) {
    const std::uint64_t h = Mix(index);
    const int choice = static_cast<int>(h % 100);
    const std::size_t pick = records.empty() ? 0 : (h >> 8) % records.size();
    const std::string note = "OPERAZIONE " + std::to_string(index);
    Op op{};
    op.selected = BlankMovement();
    if (!records.empty() && (records.size() > kMaxRecords || choice < 22)) {
        op.kind = Op::Delete;
        op.numope = records[pick].NUMOPE;
    } else if (choice < 27) {
        op.kind = Op::Delete;  // a number that is not there: nothing changes
        op.numope = 100000 + static_cast<std::int32_t>(index);
    } else if (!records.empty() && choice < 42) {
        op.kind = (h >> 40) % 2 ? Op::Rectify : Op::Cancel;
        op.target = records[pick];
        const int from = records[pick].INTER1;
        op.record =
            Production(records[pick].DATMOV, from, from + static_cast<int>((h >> 20) % 90), note);
    } else {
        op.kind = Op::Add;
        const double day = Day(2025, 1, 1) + static_cast<double>((h >> 16) % 365);
        const int from = static_cast<int>((h >> 32) % 5000);
        op.record = Production(day, from, from + 1 + static_cast<int>((h >> 48) % 80), note);
        // Now and then a change of a stored record, which keeps its progressive number.
        if (!records.empty() && choice >= 92) op.selected = records[pick];
    }
    return op;
}

void ApplyToFile(const Op& op, const fs::path& file) {
    switch (op.kind) {
        case Op::Add:
            AddMovement(file, op.record, op.selected);
            break;
        case Op::Delete:
            DeleteMovement(op.numope, file);
            break;
        case Op::Cancel:
            CancelOrRectify(file, op.target, op.record, RectifyMode::CancelOnly);
            break;
        case Op::Rectify:
            CancelOrRectify(file, op.target, op.record, RectifyMode::Rectify);
            break;
    }
}

void ApplyInMemory(const Op& op, std::vector<TMOVIMENTO>& records) {
    switch (op.kind) {
        case Op::Add:
            PlaceMovement(records, op.record, op.selected);
            break;
        case Op::Delete:
            RemoveMovement(records, op.numope);
            break;
        case Op::Cancel:
            CancelOrRectifyIn(records, op.target, op.record, RectifyMode::CancelOnly);
            break;
        case Op::Rectify:
            CancelOrRectifyIn(records, op.target, op.record, RectifyMode::Rectify);
            break;
    }
}

// In the child a wait means that the marker of a killed writer was not taken over.
class NoWaiting : public LockPrompt {
public:
    void busy(const std::string&, int) override { ::_exit(5); }
    bool takeOver(const std::string&) override { ::_exit(5); }
};

void AppendIndex(int fd, std::uint32_t index) {
    if (::write(fd, &index, sizeof index) != sizeof index || ::fsync(fd) != 0) ::_exit(4);
}

// The child: operations from `next` on, for ever.
[[noreturn]] void RunWriter(const fs::path& file, const fs::path& journal, std::uint32_t next) {
    try {
        NoWaiting prompt;
        SetLockPrompt(&prompt);
        const int fd = ::open(journal.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
        if (fd < 0) ::_exit(3);
        for (std::uint32_t index = next;; ++index) {
            ApplyToFile(ChooseOp(index, ScanMovements(file)), file);
            AppendIndex(fd, index);
        }
    } catch (...) {
        ::_exit(2);
    }
}

std::vector<std::uint32_t> ReadJournal(const fs::path& journal) {
    const std::string bytes = test::FileBytes(journal);
    std::vector<std::uint32_t> entries(bytes.size() / sizeof(std::uint32_t));
    if (!entries.empty()) std::memcpy(entries.data(), bytes.data(), entries.size() * 4);
    return entries;
}

std::string Describe(const std::vector<TMOVIMENTO>& records) {
    std::string s;
    for (const auto& r : records) s += std::to_string(r.NUMOPE) + " ";
    return s;
}

TEST(Crash, AWriterKilledAtAnyInstantLeavesAWholeFile) {
    test::TempWorkFolder tmp;
    const fs::path file = tmp.registri("2025.RGM");
    const fs::path journal = tmp.root() / "journal";
    test::WriteFileBytes(journal, "");

    // Enough kills, and enough finished operations between them that the kills fall inside
    // operations of every kind; the time budget holds on a busy machine too.
    constexpr int kTargetKills = 400;
    constexpr std::uint32_t kTargetOperations = 400;
    const auto budget = std::chrono::seconds(30);
    const auto start = std::chrono::steady_clock::now();
    std::mt19937 random(20250315);
    // The window in which a kill falls adapts to the speed of the disk: wider when the writer
    // finished nothing, narrower when it finished many operations.
    int windowMicros = 6000;

    std::vector<TMOVIMENTO> shadow;  // the file after the journalled operations
    std::uint32_t done = 0;          // operations in the journal
    int kills = 0, inFlightLanded = 0, markersLeft = 0, temporariesLeft = 0, mostLeftAtOnce = 0;

    while ((kills < kTargetKills || done < kTargetOperations) &&
           std::chrono::steady_clock::now() - start < budget) {
        const std::uint32_t doneBefore = done;
        const pid_t child = ::fork();
        ASSERT_GE(child, 0) << std::strerror(errno);
        if (child == 0) RunWriter(file, journal, done);

        std::uniform_int_distribution<int> delayMicros(0, windowMicros);
        std::this_thread::sleep_for(std::chrono::microseconds(delayMicros(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
            << "the writer stopped by itself, exit code "
            << (WIFEXITED(status) ? WEXITSTATUS(status) : -1);
        ++kills;

        // Replay what the journal says was finished.
        const auto entries = ReadJournal(journal);
        ASSERT_GE(entries.size(), done);
        for (std::uint32_t i = done; i < entries.size(); ++i) {
            ASSERT_EQ(entries[i], i) << "journal out of step";
            ApplyInMemory(ChooseOp(i, shadow), shadow);
        }
        done = static_cast<std::uint32_t>(entries.size());
        std::vector<TMOVIMENTO> next = shadow;
        ApplyInMemory(ChooseOp(done, shadow), next);

        // The file: whole records, and exactly one of the two states.
        std::vector<TMOVIMENTO> onDisk;
        try {
            onDisk = ScanMovements(file);
        } catch (const IoError& e) {
            FAIL() << "after kill " << kills << ": " << e.what();
        }
        ASSERT_EQ(fs::file_size(file) % sizeof(TMOVIMENTO), 0u);
        if (!SameBytes(onDisk, shadow)) {
            ASSERT_TRUE(SameBytes(onDisk, next))
                << "after kill " << kills << " and " << done << " operations the file holds "
                << Describe(onDisk) << "\nexpected " << Describe(shadow) << "\n      or "
                << Describe(next);
            // The operation in flight was finished but not journalled.
            shadow = std::move(next);
            const int fd = ::open(journal.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
            ASSERT_GE(fd, 0);
            ASSERT_EQ(::write(fd, &done, sizeof done), static_cast<ssize_t>(sizeof done));
            ::close(fd);
            ++done;
            ++inFlightLanded;
        }

        const std::uint32_t finished = done - doneBefore;
        if (finished == 0) windowMicros = std::min(windowMicros * 5 / 4, 100000);
        if (finished > 4) windowMicros = std::max(windowMicros * 9 / 10, 2000);

        // What the killed writers left (a marker, half-written files) is left for the next
        // writer, which takes the marker over and removes the files, since their processes
        // are gone: nothing piles up.
        int leftNow = 0;
        for (const auto& name : FolderNames(tmp.folders().registri)) {
            if (name == "2025.RGM") continue;
            if (name == "2025.RGM$") {
                ++markersLeft;
            } else if (name.rfind("2025.RGM.~", 0) == 0 || name.rfind("2025.RGM$.~", 0) == 0) {
                ++temporariesLeft;
            } else {
                FAIL() << "unexpected file beside the register: " << name;
            }
            ++leftNow;
        }
        mostLeftAtOnce = std::max(mostLeftAtOnce, leftNow);
    }

    // One more writer, here, finds what the last one left and clears it.
    {
        test::ScriptedLockPrompt prompt;
        test::ScopedLockPrompt installed(prompt);
        ApplyToFile(ChooseOp(done, shadow), file);
        for (const auto& call : prompt.calls())
            EXPECT_EQ(call.kind, test::ScriptedLockPrompt::Call::HolderGone) << "no waits";
    }
    EXPECT_EQ(FolderNames(tmp.folders().registri), std::vector<std::string>{"2025.RGM"});

    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::cout << "[ crash    ] " << kills << " kills in " << seconds << " s, " << done
              << " operations, " << inFlightLanded << " finished but not journalled, "
              << markersLeft << " markers and " << temporariesLeft << " temporary files left, "
              << shadow.size() << " records at the end, window " << windowMicros << " us, at most "
              << mostLeftAtOnce << " files beside the register at once\n";
    RecordProperty("kills", kills);
    RecordProperty("operations", static_cast<int>(done));
    EXPECT_GE(kills, 200);
    EXPECT_GE(done, 200u) << "the writer hardly ran: the kills prove little";
    EXPECT_GT(markersLeft, 0) << "no kill landed inside an operation";
    EXPECT_LE(mostLeftAtOnce, 6) << "the leftovers of killed writers pile up";
}

}  // namespace
}  // namespace braxol
