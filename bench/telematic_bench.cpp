// What a brewer waits for when a whole year of 10,000 productions and washes goes out in one
// flow: the flow window opening on them, the flow file built, and the records marked as sent.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>

#include "store/config_files.h"
#include "store/dates.h"
#include "store/paths.h"
#include "store/record_file.h"
#include "telematic/flow_file.h"
#include "telematic/flow_marking.h"
#include "telematic/flow_window.h"
#include "ui/seams.h"

namespace {

namespace fs = std::filesystem;
using namespace braxol;

constexpr int kRecords = 10000;

struct Year {
    WorkFolders folders;
    int year = ui::Seams::clock().today().year();
    std::vector<TMOVIMENTO> records;
    TUTENTE company = BlankTutente();
    Year() {
        std::string pattern = (fs::temp_directory_path() / "braxol-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) std::abort();
        folders = WorkFolders::At(pattern, fs::path(pattern) / "TEMP_ZYMOTEC");
        folders.create();
        fs::create_directories(folders.root / "DAFIRMARE");
        fs::create_directories(folders.root / "FIRMATI");
        const double first = DateFromCivil(year, 1, 1);
        for (int i = 0; i < kRecords; ++i) {
            TMOVIMENTO r = BlankMovement();
            r.NUMOPE = r.PROGRE = i + 1;
            r.DATMOV = first + i * 360 / kRecords;
            r.TIPREC.set("C");
            r.TIPRIC.set("I");
            r.CODMOV.set(i % 5 == 4 ? "129" : "114");
            r.ANNPRO.set(std::to_string(year));
            r.PRODDO.set("1105-22030001");
            r.PRODAZ.set("AMBRATA");
            r.INTER1 = i * 10;
            r.INTER2 = i * 10 + 10;
            r.LITPRO = 1000;
            r.GRAPLA = 12.5;
            r.ETTOGR = 125;
            r.ACCISA = 373.75;
            r.ANNOTA.set("cotta di prova");
            PadMovement(r);
            records.push_back(r);
        }
        WriteRecords<TMOVIMENTO>(YearFile(folders.registri, year, ".RGM"), records);
        company.CODUTE.set("ABCD");
        company.CACCI1.set("IT00AOA12345B");
        company.PARIVA.set("12345678903");
    }
    ~Year() { fs::remove_all(folders.root); }
};

// Movements dated after today are announced with a message box: nobody is there to close it.
class Silent : public ui::MessageSeam {
public:
    void inform(QWidget*, const QString&, ui::Severity) override {}
    ui::Answer ask(QWidget*, const QString&, ui::Buttons, ui::Severity) override {
        return ui::Answer::No;
    }
};

Year& TheYear() {
    static Silent silent;
    ui::Seams::setMessages(&silent);
    static Year y;
    return y;
}

void OpenFlowWindow(benchmark::State& state) {
    Year& y = TheYear();
    TTABELLA paths = BlankTabella();
    paths.text[1].set((y.folders.root / "DAFIRMARE").string() + "/");
    paths.text[2].set((y.folders.root / "FIRMATI").string() + "/");
    telematic::FlowWindowRequest request{y.folders, y.company, paths, nullptr, nullptr, {}};
    for (auto _ : state) {
        telematic::TFCREAFIRMAINVIAREGISTRO window(request);
        window.show();
        window.hide();
    }
}
BENCHMARK(OpenFlowWindow)->Unit(benchmark::kMillisecond);

void BuildFlow(benchmark::State& state) {
    Year& y = TheYear();
    for (auto _ : state) {
        const auto flow =
            telematic::BuildMovementFlow(y.company, y.records, y.records[0].DATMOV, 1);
        benchmark::DoNotOptimize(flow.bytes.data());
    }
}
BENCHMARK(BuildFlow)->Unit(benchmark::kMillisecond);

void MarkFlowRecords(benchmark::State& state) {
    Year& y = TheYear();
    std::vector<TMOVIMENTO> copies = y.records;
    for (auto& c : copies) c.NUMFLU = 1;
    const fs::path file = YearFile(y.folders.registri, y.year, ".RGM");
    for (auto _ : state) {
        state.PauseTiming();
        WriteRecords<TMOVIMENTO>(file, y.records);
        state.ResumeTiming();
        benchmark::DoNotOptimize(telematic::MarkFlowRecords(y.folders, copies));
    }
}
BENCHMARK(MarkFlowRecords)->Unit(benchmark::kMillisecond);

}  // namespace
