// Several copies of the program writing one yearly file: the lock marker lets one at a time
// in, and no record is lost or numbered twice.

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "store/lock.h"
#include "store/movements.h"
#include "support/record_builders.h"
#include "support/scripted_lock_prompt.h"
#include "support/temp_folder.h"

namespace braxol {
namespace {

using test::Day;
using test::Production;

constexpr int kWriters = 4;
constexpr int kEach = 200;

[[noreturn]] void RunWriter(const fs::path& file, const fs::path& waits, int writer) {
    try {
        // Waits a millisecond each time the marker is busy and never takes it over.
        test::ScriptedLockPrompt prompt;
        prompt.answerNoWhenUnplanned();
        prompt.setMaxWaits(1000000);
        prompt.onBusy([](const std::string&, int) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        });
        SetLockPrompt(&prompt);
        for (int i = 0; i < kEach; ++i) {
            const int n = writer * kEach + i;
            const double day = Day(2025, 1, 1) + (n * 37) % 365;
            AddMovement(file,
                        Production(day, n * 10, n * 10 + 5,
                                   "W" + std::to_string(writer) + "-" + std::to_string(i)),
                        test::NoSelection());
        }
        // Tell the parent how often this writer found the file busy.
        test::WriteFileBytes(waits / ("waits" + std::to_string(writer)),
                             std::to_string(prompt.busyCount()));
        ::_exit(0);
    } catch (...) {
        ::_exit(1);
    }
}

TEST(Concurrency, FourWritersAddTwoHundredMovementsEach) {
    test::TempWorkFolder tmp;
    const fs::path file = tmp.registri("2025.RGM");

    std::vector<pid_t> children;
    for (int w = 0; w < kWriters; ++w) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) RunWriter(file, tmp.root(), w);
        children.push_back(pid);
    }

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(90);
    std::vector<int> statuses(kWriters, -1);
    int running = kWriters;
    while (running > 0) {
        for (int w = 0; w < kWriters; ++w) {
            if (statuses[w] != -1) continue;
            int status = 0;
            if (::waitpid(children[w], &status, WNOHANG) == children[w]) {
                statuses[w] = status;
                --running;
            }
        }
        if (running > 0 && std::chrono::steady_clock::now() > deadline) {
            for (int w = 0; w < kWriters; ++w)
                if (statuses[w] == -1) ::kill(children[w], SIGKILL);
            for (int w = 0; w < kWriters; ++w)
                if (statuses[w] == -1) ::waitpid(children[w], nullptr, 0);
            FAIL() << "the writers did not finish in time";
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    for (int w = 0; w < kWriters; ++w)
        ASSERT_TRUE(WIFEXITED(statuses[w]) && WEXITSTATUS(statuses[w]) == 0) << "writer " << w;

    const auto records = ScanMovements(file);
    ASSERT_EQ(records.size(), static_cast<std::size_t>(kWriters * kEach));

    std::vector<int> numbers, progressives;
    std::map<std::string, int> notes;
    for (const auto& r : records) {
        numbers.push_back(r.NUMOPE);
        progressives.push_back(r.PROGRE);
        ++notes[r.ANNOTA.trimmed()];
    }
    std::sort(numbers.begin(), numbers.end());
    std::sort(progressives.begin(), progressives.end());
    std::vector<int> expected(kWriters * kEach);
    for (int i = 0; i < kWriters * kEach; ++i) expected[i] = i + 1;
    EXPECT_EQ(numbers, expected) << "NUMOPE 1..800, each once";
    EXPECT_EQ(progressives, expected) << "PROGRE 1..800, each once";
    for (int w = 0; w < kWriters; ++w)
        for (int i = 0; i < kEach; ++i)
            EXPECT_EQ(notes["W" + std::to_string(w) + "-" + std::to_string(i)], 1) << w << "/" << i;

    // Every record went in its place: the file is in date order.
    for (std::size_t i = 1; i < records.size(); ++i)
        EXPECT_LE(records[i - 1].DATMOV, records[i].DATMOV) << "position " << i;

    EXPECT_EQ(test::FolderNames(tmp.folders().registri), std::vector<std::string>{"2025.RGM"});

    // The writers did meet at the marker, or the test proved nothing.
    int waits = 0;
    for (int w = 0; w < kWriters; ++w)
        waits += std::stoi("0" + test::FileBytes(tmp.root() / ("waits" + std::to_string(w))));
    RecordProperty("waits", waits);
    EXPECT_GT(waits, 0);
}

}  // namespace
}  // namespace braxol
