// The record-file operations on a yearly file of 10,000 movements (about 6 MB), each printed
// against the floor of a safe whole-file replace: copying that file once and flushing the copy
// to disk. The goal is an add within 1.5 times the floor.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "store/dates.h"
#include "store/movements.h"
#include "store/safe_file.h"

namespace {

namespace fs = std::filesystem;
using namespace braxol;
using Clock = std::chrono::steady_clock;

constexpr int kRecords = 10000;

struct Fixture {
    fs::path folder;
    fs::path file;
    fs::path copy;

    Fixture() {
        std::string pattern = (fs::temp_directory_path() / "braxol-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) std::abort();
        folder = pattern;
        file = folder / "2025.RGM";
        copy = folder / "COPIA.RGM";
    }
    ~Fixture() {
        std::error_code ec;
        fs::remove_all(folder, ec);
    }

    // A year of productions: ascending dates, meter readings rising.
    void fill() {
        std::vector<TMOVIMENTO> records;
        records.reserve(kRecords);
        const double first = DateFromCivil(2025, 1, 1);
        for (int i = 0; i < kRecords; ++i) {
            TMOVIMENTO r = BlankMovement();
            r.NUMOPE = i + 1;
            r.PROGRE = i + 1;
            r.DATMOV = first + i * 364 / kRecords;
            r.TIPREC.set("C");
            r.TIPRIC.set("I");
            r.CODMOV.set("114");
            r.INTER1 = i * 10;
            r.INTER2 = i * 10 + 10;
            r.ANNOTA.set("cotta di prova");
            PadMovement(r);
            records.push_back(r);
        }
        WriteRecords<TMOVIMENTO>(file, records);
    }
};

// Copy the file once and flush the copy: the floor of a safe replace.
double CopyAndFlushSeconds(const fs::path& from, const fs::path& to) {
    const auto start = Clock::now();
    const auto content = ReadWholeFile(from);
    const int fd = ::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::size_t done = 0;
    while (done < content->size()) {
        const ssize_t n = ::write(fd, content->data() + done, content->size() - done);
        if (n <= 0) std::abort();
        done += static_cast<std::size_t>(n);
    }
    ::fsync(fd);
    ::close(fd);
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double floorSeconds = 0;

void MeasureFloor() {
    Fixture f;
    f.fill();
    double total = 0;
    constexpr int kRounds = 20;
    for (int i = 0; i < kRounds; ++i) total += CopyAndFlushSeconds(f.file, f.copy);
    floorSeconds = total / kRounds;
}

template <class Op>
void Timed(benchmark::State& state, Fixture& f, Op&& op) {
    double total = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        op(f);
        const double s = std::chrono::duration<double>(Clock::now() - start).count();
        state.SetIterationTime(s);
        total += s;
    }
    if (state.iterations() > 0 && floorSeconds > 0)
        state.counters["x_copy_floor"] =
            total / static_cast<double>(state.iterations()) / floorSeconds;
}

void BM_CopyAndFlush(benchmark::State& state) {
    Fixture f;
    f.fill();
    Timed(state, f, [](Fixture& fx) { CopyAndFlushSeconds(fx.file, fx.copy); });
}

void BM_AddMovement(benchmark::State& state) {
    Fixture f;
    f.fill();
    const TMOVIMENTO none = BlankMovement();
    int day = 0;
    Timed(state, f, [&](Fixture& fx) {
        TMOVIMENTO r = BlankMovement();
        r.DATMOV = DateFromCivil(2025, 1, 1) + (day++ * 37) % 365;  // anywhere in the year
        r.TIPREC.set("C");
        r.TIPRIC.set("I");
        r.CODMOV.set("114");
        r.INTER1 = 1;
        r.INTER2 = 2;
        benchmark::DoNotOptimize(AddMovement(fx.file, r, none));
    });
}

void BM_DeleteMovement(benchmark::State& state) {
    Fixture f;
    f.fill();
    int next = kRecords / 2;
    Timed(state, f,
          [&](Fixture& fx) { benchmark::DoNotOptimize(DeleteMovement(next++, fx.file)); });
}

void BM_CancelOrRectify(benchmark::State& state) {
    Fixture f;
    f.fill();
    int next = kRecords / 2;
    Timed(state, f, [&](Fixture& fx) {
        TMOVIMENTO target = BlankMovement();
        target.NUMOPE = next++;
        TMOVIMENTO r = BlankMovement();
        r.TIPREC.set("C");
        r.ANNOTA.set("rettifica");
        benchmark::DoNotOptimize(CancelOrRectify(fx.file, target, r, RectifyMode::Rectify));
    });
}

void BM_FullScan(benchmark::State& state) {
    Fixture f;
    f.fill();
    Timed(state, f, [](Fixture& fx) {
        int productions = 0;
        for (const auto& r : ScanMovements(fx.file)) productions += r.CODMOV == "114";
        benchmark::DoNotOptimize(productions);
    });
}

BENCHMARK(BM_CopyAndFlush)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(30);
BENCHMARK(BM_AddMovement)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(30);
BENCHMARK(BM_DeleteMovement)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(30);
BENCHMARK(BM_CancelOrRectify)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(30);
BENCHMARK(BM_FullScan)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(30);

}  // namespace

int main(int argc, char** argv) {
    MeasureFloor();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
