// What a brewer waits for on a long register: 10,000 rows on 250 landscape pages, drawn,
// shown in the preview, and written to a PDF file.

#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <QTemporaryDir>

#include "reports/output.h"
#include "reports/preview_window.h"
#include "reports/report.h"

namespace {

using namespace braxol;

constexpr int kRows = 10000;
constexpr int kRowsPerPage = 40;

using reports::Align;

struct Cell {
    double at;  // in widths of "E" from the left edge of the table
    Align align;
};
const Cell kCells[] = {{2, Align::Centre},     {9, Align::Centre},     {24, Align::Centre},
                       {42, Align::Centre},    {61.5, Align::Right},   {66, Align::Centre},
                       {79.5, Align::Right},   {87.5, Align::Right},   {98, Align::Centre},
                       {124.5, Align::Centre}, {146.5, Align::Centre}, {156, Align::Centre}};

QString Amount(int i, int decimals) {
    return QString::number(i * 1.37 + 1000, 'f', decimals).replace('.', ',');
}

// A register as the printing windows draw one: per row twelve cells and a rule under them,
// per page a heading, the column titles and the frame.
reports::Report DrawRegister() {
    reports::Report r(QPageLayout::Landscape);
    auto page = [&](double bottom) {
        r.setFont("Times New Roman", 12, true);
        const double lh12 = r.lineHeight();
        r.text(r.pageWidth() / 2, 2 * lh12, "Ricerca Produzioni dal 01/01/2025 al 31/12/2025",
               Align::Centre);
        r.setFont("Times New Roman", 8);
        const double e = r.textWidth("E"), lh = r.lineHeight(), m = r.pageWidth() / 2 - 80 * e;
        r.line(m, 5 * lh, m + 160 * e, 5 * lh);
        r.line(m, 7 * lh, m + 160 * e, 7 * lh);
        for (double x : {0, 4, 14, 34, 50, 62, 70, 80, 88, 108, 141, 152, 160})
            r.line(m + x * e, 5 * lh, m + x * e, bottom);
        for (const Cell& c : kCells) r.text(m + c.at * e, 6.5 * lh, "Titolo", Align::Centre);
    };
    r.setFont("Times New Roman", 8);
    for (int i = 0; i < kRows; ++i) {
        if (i > 0 && i % kRowsPerPage == 0) r.newPage();
        r.setFont("Times New Roman", 8, false, i % 7 == 0);
        const double e = r.textWidth("E"), lh = r.lineHeight(), m = r.pageWidth() / 2 - 80 * e;
        const double y = (7 + i % kRowsPerPage + 1) * lh;
        const QString texts[] = {QString::number(i + 1),
                                 "12/03/2025",
                                 "12/03/2025 DAS123",
                                 "11/03/2025 08:30",
                                 Amount(i, 0),
                                 "12,5",
                                 Amount(i, 3),
                                 Amount(i, 2),
                                 "1000 -- 2000",
                                 "BIRRA AMBRATA DOPPIO MALTO",
                                 "1",
                                 "0312.C01"};
        for (std::size_t c = 0; c < std::size(kCells); ++c)
            r.text(m + kCells[c].at * e, y, texts[c], kCells[c].align);
        r.line(m, y + lh / 5, m + 160 * e, y + lh / 5);
        if (i % kRowsPerPage == kRowsPerPage - 1) page(y + lh / 5);
    }
    return r;
}

void BM_DrawRegister(benchmark::State& state) {
    std::size_t pages = 0;
    for (auto _ : state) pages = DrawRegister().pages().size();
    state.counters["pages"] = static_cast<double>(pages);
}

void BM_SaveRegisterPdf(benchmark::State& state) {
    const reports::Report r = DrawRegister();
    QTemporaryDir dir;
    const QString path = dir.filePath("registro.pdf");
    for (auto _ : state) benchmark::DoNotOptimize(reports::SaveReportPdf(r, path));
    state.counters["bytes"] = static_cast<double>(QFileInfo(path).size());
}

void BM_OpenPreview(benchmark::State& state) {
    const reports::Report r = DrawRegister();
    for (auto _ : state) {
        reports::TFANTEPRIMA preview(r, "Registro", nullptr);
        preview.show();
        benchmark::DoNotOptimize(preview.grab());  // the first page painted
    }
}

BENCHMARK(BM_DrawRegister)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_SaveRegisterPdf)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_OpenPreview)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
