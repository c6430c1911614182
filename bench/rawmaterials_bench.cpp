// What a brewer waits for with twenty years of raw-material files of 2,000 movements each:
// opening the load and unload window, the stock shown for an unload (the first question of an
// opening reads every file, the next ones only look whether a file changed), the annual
// balance, and the two registers of a whole year printed to PDF.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>
#include <QLineEdit>
#include <filesystem>

#include "rawmaterials/balance.h"
#include "rawmaterials/daily_register.h"
#include "rawmaterials/material_register.h"
#include "rawmaterials/materials_window.h"
#include "rawmaterials/movement_window.h"
#include "reports/output.h"
#include "store/dates.h"
#include "store/movements.h"
#include "store/paths.h"
#include "store/raw_material_stock.h"
#include "store/record_file.h"
#include "store/table_structures.h"
#include "store/tables.h"
#include "ui/fields.h"
#include "ui/seams.h"

namespace {

namespace fs = std::filesystem;
using namespace braxol;

constexpr int kYears = 20;
constexpr int kMovements = 2000;
const char* const kMaterials[] = {"MALTO PILS", "MALTO MONACO", "LUPPOLO", "LIEVITO", "ZUCCHERO"};

struct Folder {
    WorkFolders folders;
    int last = 0;
    Folder() {
        std::string pattern = (fs::temp_directory_path() / "braxol-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) std::abort();
        folders = WorkFolders::At(pattern, fs::path(pattern) / "TEMP_ZYMOTEC");
        folders.create();
        CreateMissingStructures(folders.datiGen);
        for (const char* name : kMaterials) {
            TTABELLA r = BlankTabella();
            r.text[0].set(name);
            r.text[10].set("MATPRIME");
            InsertTableRecord(TableFile(folders.datiGen, "MATPRIME"), r);
        }
        // The twenty years that a stock reads, from the first one that counts.
        last = kFirstStockYear + kYears - 1;
        for (int year = kFirstStockYear; year <= last; ++year) {
            std::vector<TMOVIMENTO> records;
            const double first = DateFromCivil(year, 1, 1);
            for (int i = 0; i < kMovements; ++i) {
                TMOVIMENTO r = BlankMovement();
                r.NUMOPE = r.PROGRE = i + 1;
                r.DATMOV = r.DATDOC = first + i * 360 / kMovements;
                r.TIPREC.set("C");
                r.TIPRIC.set("I");
                r.TIPMOV.set(i % 3 == 2 ? "S" : "C");
                r.PRODDO.set(kMaterials[i % 5]);
                r.QUANTI = 12.5 + i % 7;
                r.NUMDOC.set("DDT " + std::to_string(i));
                r.PRODAZ.set("Maltificio di prova");
                PadMovement(r);
                records.push_back(r);
            }
            WriteRecords<TMOVIMENTO>(YearFile(folders.registri, year, ".MPR"), records);
        }
        // A year of brews and washes for the balance.
        std::vector<TMOVIMENTO> brews;
        for (int i = 0; i < kMovements; ++i) {
            TMOVIMENTO r = BlankMovement();
            r.NUMOPE = r.PROGRE = i + 1;
            r.DATMOV = DateFromCivil(last, 1, 1) + i * 360 / kMovements;
            r.TIPREC.set("C");
            r.TIPRIC.set("I");
            r.CODMOV.set(i % 5 == 4 ? "129" : "114");
            r.PRODAZ.set(i % 2 ? "AMBRATA" : "BIONDA");
            r.INTER1 = i * 10;
            r.INTER2 = i * 10 + 10;
            r.LITPRO = 10;
            r.COERES = 1;
            PadMovement(r);
            brews.push_back(r);
        }
        WriteRecords<TMOVIMENTO>(YearFile(folders.registri, last, ".RGM"), brews);
    }
    ~Folder() {
        std::error_code ec;
        fs::remove_all(folders.root, ec);
    }
    rawmaterials::MovementRequest request() const {
        return {folders, false, BlankMovement(), 1200, 800};
    }
};

Folder& Shared() {
    static Folder folder;
    return folder;
}

// The menu entry's opening: the window made, shown and closed.
void BM_OpenEntryWindow(benchmark::State& state) {
    const Folder& f = Shared();
    for (auto _ : state) {
        rawmaterials::TFCARSCAMP window(f.request());
        window.show();
        QApplication::processEvents();
        window.hide();
    }
}

// An unload of MALTO PILS at today's date, its material left: the stock shown in LMAX. The
// first question of an opening reads the twenty files; then only the files' stamps are read.
void ShowStock(benchmark::State& state, bool fresh) {
    const Folder& f = Shared();
    auto window = std::make_unique<rawmaterials::TFCARSCAMP>(f.request());
    auto* type = window->findChild<QLineEdit*>("TIPMOV");
    auto* date = window->findChild<ui::DateEdit*>("DATMOV");
    auto* material = window->findChild<QLineEdit*>("PRODDO");
    auto* document = window->findChild<QLineEdit*>("DATDOC");
    // Opens the window on an unload of the last day of the last year, its material typed.
    auto open = [&] {
        window->hide();
        window->show();
        window->activateWindow();
        QApplication::setActiveWindow(window.get());
        QApplication::processEvents();
        window->setUntouched(false);
        type->setText("S");
        date->setDate(DateFromCivil(f.last, 12, 31));
        date->setFocus();  // leaving the type accepts it
        QApplication::processEvents();
    };
    open();
    for (auto _ : state) {
        if (fresh) {
            state.PauseTiming();
            open();
            state.ResumeTiming();
        }
        material->setFocus();
        material->setText("MALTO PILS");
        document->setFocus();  // leaving the material shows the stock
        QApplication::processEvents();
        benchmark::DoNotOptimize(window->shownStock());
    }
    state.counters["reads"] = window->ledger().reads();
    state.counters["stock"] = window->shownStock().value_or(-1);
}
void BM_UnloadStockFirstOfTheOpening(benchmark::State& state) {
    ShowStock(state, true);
}
void BM_UnloadStockAgain(benchmark::State& state) {
    ShowStock(state, false);
}

// The same stocks without a window: every file read for each question, against a ledger.
void BM_RawMaterialStockEachFileRead(benchmark::State& state) {
    const Folder& f = Shared();
    TMOVIMENTO q = BlankMovement();
    q.PRODDO.set("MALTO PILS");
    q.DATMOV = DateFromCivil(f.last, 12, 31);
    for (auto _ : state) benchmark::DoNotOptimize(RawMaterialStock(f.folders.registri, q));
}
void BM_LedgerStockAgain(benchmark::State& state) {
    const Folder& f = Shared();
    RawMaterialLedger ledger(f.folders.registri);
    TMOVIMENTO q = BlankMovement();
    q.PRODDO.set("MALTO PILS");
    q.DATMOV = DateFromCivil(f.last, 12, 31);
    for (auto _ : state) benchmark::DoNotOptimize(ledger.stock(q));
}

// The balance of the last year: twenty raw-material files, TOTALI.MP and COTTE.DAT rebuilt.
void BM_ComputeBalance(benchmark::State& state) {
    const Folder& f = Shared();
    for (auto _ : state) {
        const auto figures = rawmaterials::ComputeBalance(f.folders, f.last, false);
        benchmark::DoNotOptimize(figures.totals.size());
    }
}

// The register of MALTO PILS for the whole last year to PDF: its movements of the twenty
// files, the stock brought forward to 1 January, some 400 rows over a dozen pages.
void BM_MaterialRegisterYearToPdf(benchmark::State& state) {
    const Folder& f = Shared();
    rawmaterials::MaterialRegisterSettings s;
    s.from = DateFromCivil(f.last, 1, 1);
    s.to = DateFromCivil(f.last, 12, 31);
    s.material = "MALTO PILS";
    s.office = "UFFICIO DELLE DOGANE DI MILANO";
    const QString pdf = QString::fromStdString((f.folders.temp / "REGISTRO_MP.PDF").string());
    std::size_t pages = 0;
    for (auto _ : state) {
        const reports::Report report = rawmaterials::MaterialRegister(
            s, rawmaterials::MaterialMovements(f.folders.registri, s.material, s.from));
        if (!reports::SaveReportPdf(report, pdf)) state.SkipWithError("PDF not written");
        pages = report.pages().size();
    }
    state.counters["pages"] = static_cast<double>(pages);
}

// The daily register of the whole last year to PDF: its 2,000 movements, one group of pages
// for each of its days.
void BM_DailyRegisterYearToPdf(benchmark::State& state) {
    const Folder& f = Shared();
    reports::RegisterPrint s;
    s.from = DateFromCivil(f.last, 1, 1);
    s.to = DateFromCivil(f.last, 12, 31);
    const QString pdf = QString::fromStdString((f.folders.temp / "REGISTRO_GG.PDF").string());
    std::size_t pages = 0;
    for (auto _ : state) {
        const reports::Report report = rawmaterials::DailyRegister(
            s, ScanMovements(YearFile(f.folders.registri, f.last, ".MPR")));
        if (!reports::SaveReportPdf(report, pdf)) state.SkipWithError("PDF not written");
        pages = report.pages().size();
    }
    state.counters["pages"] = static_cast<double>(pages);
}

}  // namespace

BENCHMARK(BM_OpenEntryWindow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UnloadStockFirstOfTheOpening)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UnloadStockAgain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RawMaterialStockEachFileRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LedgerStockAgain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ComputeBalance)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MaterialRegisterYearToPdf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DailyRegisterYearToPdf)->Unit(benchmark::kMillisecond);
