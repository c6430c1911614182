// What a brewer waits for on a yearly register of 10,000 productions and washes: opening the
// movement chooser, opening the deletion window, and saving a production.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>

#include "production/brew_computation.h"
#include "production/deletion_window.h"
#include "production/movement_chooser.h"
#include "store/dates.h"
#include "store/movements.h"
#include "store/paths.h"
#include "store/record_file.h"
#include "ui/seams.h"

namespace {

namespace fs = std::filesystem;
using namespace braxol;

constexpr int kRecords = 10000;

struct Register {
    WorkFolders folders;
    int year = 0;
    Register() {
        std::string pattern = (fs::temp_directory_path() / "braxol-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) std::abort();
        folders = WorkFolders::At(pattern, fs::path(pattern) / "TEMP_ZYMOTEC");
        folders.create();
        year = ui::Seams::clock().today().year();
        // A year of brews and washes, half of them already sent.
        std::vector<TMOVIMENTO> records;
        const double first = DateFromCivil(year, 1, 1);
        for (int i = 0; i < kRecords; ++i) {
            TMOVIMENTO r = BlankMovement();
            r.NUMOPE = r.PROGRE = i + 1;
            r.DATMOV = first + i * 360 / kRecords;
            r.TIPREC.set("C");
            r.TIPRIC.set("I");
            r.TIPREG.set("F");
            r.TIPMOV.set("C");
            r.CODMOV.set(i % 5 == 4 ? "129" : "114");
            r.PRODAZ.set("AMBRATA");
            r.INTER1 = i * 10;
            r.INTER2 = i * 10 + 10;
            r.LITPRO = 1000;
            r.GRAPLA = 12.5;
            r.ETTOGR = 125;
            r.ACCISA = 373.75;
            if (i < kRecords / 2) {
                r.NUMFLU = 1;
                r.DATFLU = r.DATMOV + 1;
            }
            r.ANNOTA.set("cotta di prova");
            PadMovement(r);
            records.push_back(r);
        }
        WriteRecords<TMOVIMENTO>(YearFile(folders.registri, year, ".RGM"), records);
    }
    ~Register() {
        std::error_code ec;
        fs::remove_all(folders.root, ec);
    }
};

void BM_OpenChooser(benchmark::State& state) {
    Register reg;
    production::TFSCEGLIMOVIMENTO chooser({reg.folders, 'M', 12, 1200, 800});
    for (auto _ : state) {
        chooser.show();
        benchmark::DoNotOptimize(chooser.rows().size());
        chooser.hide();
    }
    state.counters["rows"] = static_cast<double>(chooser.rows().size());
}

void BM_OpenDeletionWindow(benchmark::State& state) {
    Register reg;
    production::TFCANCMOVIM deletion({reg.folders, 'C', 1, 1200, 800});
    for (auto _ : state) {
        deletion.show();
        benchmark::DoNotOptimize(deletion.listed().size());
        deletion.hide();
    }
    state.counters["lines"] = static_cast<double>(deletion.listed().size());
}

void BM_SaveProduction(benchmark::State& state) {
    Register reg;
    int day = 0;
    for (auto _ : state) {
        TMOVIMENTO r = BlankMovement();
        r.DATMOV = DateFromCivil(reg.year, 1, 1) + (day++ * 37) % 360;
        r.TIPREC.set("C");
        r.TIPRIC.set("I");
        r.CODMOV.set("114");
        r.INTER1 = 1;
        r.INTER2 = 2;
        benchmark::DoNotOptimize(production::SaveEntry(
            reg.folders.registri, production::EntryMode::New, BlankMovement(), r));
    }
}

BENCHMARK(BM_OpenChooser)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_OpenDeletionWindow)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_SaveProduction)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(30);

}  // namespace
