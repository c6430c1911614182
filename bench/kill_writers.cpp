// Writers of a large yearly file killed at random instants (run by hand):
//   build/bench/kill_writers [writers, default 300] [records, default 10000]
// Each writer is a child process that adds productions to REGISTRI/2025.RGM until it is killed
// with SIGKILL after a random delay. After each kill the file must be whole (whole records, every
// record of before still there, none twice) and whatever the killed writer left beside it (its
// lock marker, its half-written file) must be gone once the next writer has run: it takes the
// marker over after its one notice and removes the half-written files. The waits a writer had
// to go through (there should be none) and the notices are counted in a file the writers append
// to. Prints what was left after the kills and what is left at the end.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "store/dates.h"
#include "store/lock.h"
#include "store/movements.h"
#include "store/record_file.h"

namespace fs = std::filesystem;
using namespace braxol;

namespace {

fs::path gEvents;  // one letter per event: N a notice, B a wait

void Note(char event) {
    std::ofstream(gEvents, std::ios::app) << event;
}

class CountingPrompt : public LockPrompt {
public:
    void busy(const std::string&, int attempt) override {
        Note('B');
        if (attempt > 50) ::_exit(5);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    bool takeOver(const std::string&) override { return false; }
    void holderGone(const std::string&, const ProcessIdentity&) override { Note('N'); }
};

TMOVIMENTO Brew(int n) {
    TMOVIMENTO r = BlankMovement();
    r.TIPREC.set("P");
    r.DATMOV = 45658 + n % 365;  // 2025
    r.INTER1 = n * 10;
    r.INTER2 = n * 10 + 5;
    r.LITPRO = 100 + n % 900;
    r.ANNOTA.set("COTTA " + std::to_string(n));
    PadMovement(r);
    return r;
}

[[noreturn]] void RunWriter(const fs::path& file, int first) {
    try {
        CountingPrompt prompt;
        SetLockPrompt(&prompt);
        for (int n = first;; ++n) AddMovement(file, Brew(n), BlankMovement());
    } catch (...) {
        ::_exit(2);
    }
}

std::vector<std::string> Beside(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder))
        if (e.path().filename() != "2025.RGM") names.push_back(e.path().filename().string());
    return names;
}

}  // namespace

int main(int argc, char** argv) {
    const int writers = argc > 1 ? std::atoi(argv[1]) : 300;
    const int records = argc > 2 ? std::atoi(argv[2]) : 10000;
    char pattern[] = "/tmp/kill_writers.XXXXXX";
    if (!::mkdtemp(pattern)) return 1;
    const fs::path root = pattern;
    const fs::path registri = root / "REGISTRI";
    fs::create_directories(registri);
    const fs::path file = registri / "2025.RGM";
    gEvents = root / "events";

    {
        std::vector<TMOVIMENTO> start;
        for (int n = 1; n <= records; ++n) {
            TMOVIMENTO r = Brew(n);
            r.NUMOPE = n;
            r.PROGRE = n;
            start.push_back(r);
        }
        WriteRecords<TMOVIMENTO>(file, start);
    }
    // The time of one write decides the window in which the kills fall.
    auto t0 = std::chrono::steady_clock::now();
    AddMovement(file, Brew(records + 1), BlankMovement());
    const auto oneWrite = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - t0);
    std::mt19937 random(20251210);
    std::uniform_int_distribution<long> delay(0, 3 * oneWrite.count());

    int broken = 0, markersLeft = 0, halfWrittenLeft = 0, mostBeside = 0, landed = 0;
    std::uintmax_t halfWrittenBytes = 0;
    std::set<std::int32_t> before;
    for (const auto& r : ScanMovements(file)) before.insert(r.NUMOPE);
    const auto start = std::chrono::steady_clock::now();
    for (int k = 0; k < writers; ++k) {
        const pid_t child = ::fork();
        if (child < 0) return 1;
        if (child == 0) RunWriter(file, records + 2 + k * 1000);
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        if (!WIFSIGNALED(status)) {
            std::cerr << "writer " << k << " stopped by itself: " << WEXITSTATUS(status) << "\n";
            ++broken;
        }
        // The file: whole records, every record of before, none twice.
        std::set<std::int32_t> now;
        try {
            for (const auto& r : ScanMovements(file))
                if (!now.insert(r.NUMOPE).second) ++broken;
        } catch (const std::exception& e) {
            std::cerr << "after kill " << k << ": " << e.what() << "\n";
            ++broken;
            break;
        }
        for (const auto n : before)
            if (!now.count(n)) ++broken;
        if (now.size() > before.size()) ++landed;
        before = std::move(now);

        const auto names = Beside(registri);
        mostBeside = std::max(mostBeside, static_cast<int>(names.size()));
        for (const auto& name : names) {
            if (name == "2025.RGM$") {
                ++markersLeft;
            } else {
                ++halfWrittenLeft;
                halfWrittenBytes += fs::file_size(registri / name);
            }
        }
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    // The next start: one more writer, here.
    CountingPrompt prompt;
    SetLockPrompt(&prompt);
    AddMovement(file, Brew(9999999), BlankMovement());
    const auto leftAtEnd = Beside(registri);
    std::string events;
    std::getline(std::ifstream(gEvents), events);
    const auto notices = std::count(events.begin(), events.end(), 'N');
    const auto waits = std::count(events.begin(), events.end(), 'B');

    std::cout << writers << " writers of a " << records << "-record file (one write "
              << oneWrite.count() / 1000.0 << " ms), killed in " << seconds << " s\n"
              << "  kills after which the file was not whole: " << broken << "\n"
              << "  kills that landed at least one new record: " << landed << "\n"
              << "  kills that left a lock marker: " << markersLeft << "\n"
              << "  half-written files left by kills: " << halfWrittenLeft << " ("
              << halfWrittenBytes / 1e6 << " MB in all)\n"
              << "  most files beside the register at once: " << mostBeside << "\n"
              << "  notices of a dead holder: " << notices << ", waits: " << waits << "\n"
              << "  left beside the register after the next writer: " << leftAtEnd.size() << "\n"
              << "  records at the end: " << before.size() + 1 << "\n";
    fs::remove_all(root);
    return broken == 0 && leftAtEnd.empty() && waits == 0 ? 0 : 1;
}
