// What a brewer waits for when printing a whole year: 10,000 productions and washes on about
// 250 working days, printed as the complete production register straight to a PDF file; and
// the search of productions and washes of that year with its export.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QFileInfo>
#include <filesystem>

#include "production/production_register.h"
#include "production/register_search.h"
#include "reports/output.h"
#include "store/dates.h"
#include "store/movements.h"
#include "store/paths.h"
#include "store/record_file.h"

namespace {

namespace fs = std::filesystem;
using namespace braxol;

constexpr int kRecords = 10000;
constexpr int kYear = 2025;

// The working days of the year: Monday to Friday, about 250 (261 in 2025).
std::vector<double> WorkingDays() {
    std::vector<double> days;
    for (double d = DateFromCivil(kYear, 1, 1); d <= DateFromCivil(kYear, 12, 31); ++d) {
        const int weekday = static_cast<int>(d) % 7;  // 0 = Saturday from 30/12/1899
        if (weekday != 0 && weekday != 1) days.push_back(d);
    }
    return days;
}

struct Year {
    WorkFolders folders;
    std::vector<TMOVIMENTO> records;
    Year() {
        std::string pattern = (fs::temp_directory_path() / "braxol-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) std::abort();
        folders = WorkFolders::At(pattern, fs::path(pattern) / "TEMP_ZYMOTEC");
        folders.create();
        const std::vector<double> days = WorkingDays();
        for (int i = 0; i < kRecords; ++i) {
            TMOVIMENTO r = BlankMovement();
            r.NUMOPE = r.PROGRE = i + 1;
            r.DATMOV = days[static_cast<std::size_t>(i) * days.size() / kRecords];
            r.STATO.set(i % 97 == 5 ? "C" : " ");
            r.TIPREC.set("C");
            r.TIPRIC.set("I");
            r.TIPREG.set("F");
            r.TIPMOV.set("C");
            const bool wash = i % 5 == 4;
            r.CODMOV.set(wash ? "129" : "114");
            r.CODACC.set(wash ? "   " : "001");
            r.TIPDOC.set(wash ? "   " : "VIA");
            r.PRODDO.set(wash ? "LAVAGGIO" : "2203-00011-00-0000");
            r.PRODAZ.set(wash ? "" : (i % 2 ? "BIONDA DOPPIO MALTO" : "IPA"));
            r.NUMDOC.set(std::to_string(i + 1));
            r.DATDOC = r.DATMOV;
            r.DATPEC = r.DATMOV - 1;
            r.MITDES.set("08:30");
            r.ANNPRO.set("2024");
            r.NUMPRO.set("123");
            r.INTER1 = i * 10;
            r.INTER2 = i * 10 + 10;
            r.COERES = 1;
            r.LITPRO = 1000 + i % 7;
            r.GRAPLA = 12.5;
            r.ETTOGR = r.LITPRO * 0.125;
            r.ACCISA = 373.75;
            if (i < kRecords / 2) {
                r.NUMFLU = 1;
                r.DATFLU = r.DATMOV + 1;
            }
            r.ANNOTA.set(r.STATO == "C" ? "lettura errata" : "");
            PadMovement(r);
            records.push_back(r);
        }
        WriteRecords<TMOVIMENTO>(YearFile(folders.registri, kYear, ".RGM"), records);
    }
    ~Year() {
        std::error_code ec;
        fs::remove_all(folders.root, ec);
    }
};

Year& TheYear() {
    static Year year;
    return year;
}

production::ProductionRegisterSettings Settings() {
    production::ProductionRegisterSettings s;
    s.form = production::RegisterForm::Complete;
    s.from = DateFromCivil(kYear, 1, 1);
    s.to = DateFromCivil(kYear, 12, 31);
    s.firstPage = 1;
    s.pagesSuffix = " di 600 Es. Fin. 2025";
    s.office = "UFFICIO DELLE DOGANE DI MILANO 1 protocollo n. 123 del 10/12/2024";
    s.protocolOffice = s.office;
    s.company.DENOM1.set("Birrificio Artigiano della Valle");
    s.company.CACCI1.set("IT00MIA00123X");
    TrimTutente(s.company);
    s.productCodes = "2203-0001 / ";
    return s;
}

// What the brewer waits for: the year read, the register drawn and written as a PDF file.
void BM_YearRegisterToPdf(benchmark::State& state) {
    Year& year = TheYear();
    const fs::path pdf = year.folders.temp / "registro.pdf";
    std::size_t pages = 0;
    for (auto _ : state) {
        const auto records = ScanMovements(YearFile(year.folders.registri, kYear, ".RGM"));
        const reports::Report report = production::ProductionRegister(Settings(), records);
        pages = report.pages().size();
        if (!reports::SaveReportPdf(report, QString::fromStdString(pdf.string()))) std::abort();
    }
    state.counters["pages"] = static_cast<double>(pages);
    state.counters["pdf_bytes"] = static_cast<double>(fs::file_size(pdf));
}

void BM_YearRegisterDrawing(benchmark::State& state) {
    Year& year = TheYear();
    for (auto _ : state)
        benchmark::DoNotOptimize(production::ProductionRegister(Settings(), year.records));
}

// The search of every production and wash of the year: read, export, list; and the list as a PDF.
void BM_YearSearchWithExport(benchmark::State& state) {
    Year& year = TheYear();
    const DateRange range{DateRangeError::None, DateFromCivil(kYear, 1, 1),
                          DateFromCivil(kYear, 12, 31)};
    std::size_t pages = 0;
    for (auto _ : state) {
        const auto outcome = production::RunRegisterSearch(
            year.folders, production::SearchKind::All, range, "Ricerca Produzioni e Lavaggi ");
        pages = outcome.report.pages().size();
    }
    state.counters["pages"] = static_cast<double>(pages);
    state.counters["csv_bytes"] = static_cast<double>(
        fs::file_size(production::SearchCsvPath(year.folders, production::SearchKind::All)));
}

void BM_YearSearchListToPdf(benchmark::State& state) {
    Year& year = TheYear();
    const DateRange range{DateRangeError::None, DateFromCivil(kYear, 1, 1),
                          DateFromCivil(kYear, 12, 31)};
    const auto outcome = production::RunRegisterSearch(year.folders, production::SearchKind::All,
                                                       range, "Ricerca Produzioni e Lavaggi ");
    const QString pdf = QString::fromStdString((year.folders.temp / "ricerca.pdf").string());
    for (auto _ : state) benchmark::DoNotOptimize(reports::SaveReportPdf(outcome.report, pdf));
    state.counters["pdf_bytes"] = static_cast<double>(QFileInfo(pdf).size());
}

BENCHMARK(BM_YearRegisterToPdf)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_YearRegisterDrawing)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_YearSearchWithExport)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_YearSearchListToPdf)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
