// The pieces the registers are drawn from: page labels, the title block with its two boxes, the
// heading grid, struck-out rows and pages that close with their frame when they are full.

#include <gtest/gtest.h>

#include "reports/register_layout.h"
#include "store/records.h"

namespace braxol {
namespace {

using reports::Align;
using reports::DrawCommand;
using reports::RegisterMetrics;
using reports::Report;

const DrawCommand* FindText(const Report& r, const QString& text, int page = 0) {
    for (const auto& c : r.pages().at(static_cast<std::size_t>(page)).commands)
        if (c.kind == DrawCommand::Kind::Text && c.text == text) return &c;
    return nullptr;
}

std::vector<const DrawCommand*> Kind(const Report& r, DrawCommand::Kind kind, int page = 0) {
    std::vector<const DrawCommand*> out;
    for (const auto& c : r.pages().at(static_cast<std::size_t>(page)).commands)
        if (c.kind == kind) out.push_back(&c);
    return out;
}

TEST(PageNumbering, CountsFromTheFirstPageOrNotAtAll) {
    reports::PageNumbering five(5, " di 3 Es. Fin. 2025");
    EXPECT_EQ(five.next(), "Pagina 5 di 3 Es. Fin. 2025");
    EXPECT_EQ(five.next(), "Pagina 6 di 3 Es. Fin. 2025");
    reports::PageNumbering one(1, "");
    EXPECT_EQ(one.next(), "Pagina 1");
    for (int first : {0, -4}) {
        reports::PageNumbering none(first, " di 3");
        EXPECT_EQ(none.next(), std::nullopt);
        EXPECT_EQ(none.next(), std::nullopt);
    }
    reports::PageNumbering defaulted;
    EXPECT_EQ(defaulted.next(), std::nullopt);
}

TEST(RegisterMetrics, EdgesAroundTheCentreInWidthsOfE) {
    Report r(QPageLayout::Landscape);
    const RegisterMetrics m = RegisterMetrics::Measure(r, 77, 74);
    EXPECT_EQ(r.font().size, 8);
    EXPECT_FALSE(r.font().bold);
    EXPECT_DOUBLE_EQ(m.e, r.textWidth("E"));
    EXPECT_DOUBLE_EQ(m.cx, r.pageWidth() / 2);
    EXPECT_NEAR(m.right - m.left, 151 * m.e, 1e-9);
    EXPECT_NEAR(m.at(10), m.left + 10 * m.e, 1e-9);
    EXPECT_NEAR(m.bottom, r.pageHeight() - 8 * m.lh, 1e-9);
    EXPECT_GT(m.left, 0);
    EXPECT_LT(m.right, r.pageWidth());
    EXPECT_GT(m.lh14, m.lh10);
    EXPECT_GT(m.lh10, m.lh);
}

TEST(TitleBlock, TitlesPageLabelAndTheTwoBoxes) {
    Report r(QPageLayout::Landscape);
    const RegisterMetrics m = RegisterMetrics::Measure(r, 77, 74);
    TUTENTE company = BlankTutente();
    company.DENOM1.set("BIRRIFICIO ARTIGIANO");
    company.INDIR1.set("VIA ROMA");
    company.NUMCI1.set("12");
    company.C_A_P1.set("20100");
    company.CITTA1.set("MILANO");
    company.CACCI1.set("IT00MIA00001X");
    TrimTutente(company);
    reports::TitleBlock block;
    block.titles = {"PRIMO TITOLO", "SECONDO TITOLO"};
    block.pageLabelTitle = 1;
    block.office = "UFFICIO DELLE DOGANE DI MILANO\nprotocollo n. 12 del 01/01/2025";
    block.company = reports::CompanyLines(company);
    EXPECT_EQ(block.company, QStringList({"BIRRIFICIO ARTIGIANO", "VIA ROMA, 12", "20100 MILANO",
                                          "CODICE ACCISA: IT00MIA00001X"}));
    reports::PageNumbering pages(7, " di 9");
    const double y1 = reports::DrawTitleBlock(r, m, block, pages);

    const DrawCommand* first = FindText(r, "PRIMO TITOLO");
    const DrawCommand* second = FindText(r, "SECONDO TITOLO");
    ASSERT_TRUE(first && second);
    EXPECT_NEAR(first->baseline, 2 * m.lh14, 1e-9);
    EXPECT_NEAR(second->baseline, 3.5 * m.lh14, 1e-9);
    EXPECT_NEAR(first->box.center().x(), m.cx, 1e-9);
    EXPECT_TRUE(first->font.bold);
    EXPECT_EQ(first->font.size, 14);
    const DrawCommand* label = FindText(r, "Pagina 7 di 9");
    ASSERT_TRUE(label);
    EXPECT_NEAR(label->baseline, 3.5 * m.lh14, 1e-9);
    EXPECT_NEAR(label->box.right(), m.right - m.e10, 1e-9);
    EXPECT_NEAR(y1, 3.5 * m.lh14 + 2 * m.lh10, 1e-9);
    EXPECT_NEAR(FindText(r, "RILASCIATO DALL'UFFICIO:")->box.left(), m.left + m.e10, 1e-9);
    EXPECT_NEAR(FindText(r, "ALLA DITTA:")->box.left(), m.cx + 2 * m.e10, 1e-9);
    const DrawCommand* office = FindText(r, "UFFICIO DELLE DOGANE DI MILANO");
    ASSERT_TRUE(office);
    EXPECT_TRUE(office->font.bold);
    EXPECT_NEAR(office->baseline, y1 + m.lh10, 1e-9);
    EXPECT_NEAR(FindText(r, "protocollo n. 12 del 01/01/2025")->baseline, y1 + 2 * m.lh10, 1e-9);
    EXPECT_NEAR(FindText(r, "CODICE ACCISA: IT00MIA00001X")->baseline, y1 + 4 * m.lh10, 1e-9);
    const auto boxes = Kind(r, DrawCommand::Kind::Rectangle);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_NEAR(boxes[0]->box.left(), m.left, 1e-9);
    EXPECT_NEAR(boxes[0]->box.right(), m.cx, 1e-9);
    EXPECT_NEAR(boxes[1]->box.left(), m.cx + m.e10, 1e-9);
    EXPECT_NEAR(boxes[1]->box.right(), m.right, 1e-9);
    EXPECT_NEAR(boxes[1]->box.bottom(), y1 + 4.3 * m.lh10, 1e-9);
    // Everything written lies inside its box.
    for (const auto* text : Kind(r, DrawCommand::Kind::Text))
        if (text->font.bold && text->font.size == 10) {
            const QRectF& box = text->box.left() < m.cx ? boxes[0]->box : boxes[1]->box;
            EXPECT_GE(text->box.left(), box.left()) << text->text.toStdString();
            EXPECT_LE(text->box.right(), box.right()) << text->text.toStdString();
        }
}

TEST(TitleBlock, LongOfficeAndCompanyTextsStayInTheirBoxes) {
    Report r(QPageLayout::Landscape);
    const RegisterMetrics m = RegisterMetrics::Measure(r, 77, 74);
    reports::TitleBlock block;
    block.titles = {"TITOLO"};
    block.subtitle = "SOTTOTITOLO";
    block.office = QString("UFFICIO ").repeated(25);  // 200 characters on one line
    block.company = {QString("N").repeated(100), "VIA", "CAP", "CODICE ACCISA: X"};
    reports::PageNumbering none;
    const double y1 = reports::DrawTitleBlock(r, m, block, none);
    // The subtitle stands 1.5 LH10 under the title; the box captions come 2 LH10 under the
    // subtitle, so that neither runs into the other.
    const DrawCommand* subtitle = FindText(r, "SOTTOTITOLO");
    ASSERT_TRUE(subtitle);
    EXPECT_NEAR(subtitle->baseline, 2 * m.lh14 + 1.5 * m.lh10, 1e-9);
    EXPECT_NEAR(y1, subtitle->baseline + 2 * m.lh10, 1e-9);
    EXPECT_LT(subtitle->box.bottom(), FindText(r, "ALLA DITTA:")->box.top());
    int officeLines = 0;
    for (const auto* text : Kind(r, DrawCommand::Kind::Text)) {
        if (!text->font.bold || text->font.size > 10) continue;
        if (text->text.startsWith("UFFICIO")) {
            ++officeLines;
            EXPECT_LE(text->box.right(), m.cx);
        } else {
            EXPECT_LE(text->box.right(), m.right) << text->text.toStdString();
        }
        EXPECT_LE(text->baseline, y1 + 4 * m.lh10 + 1e-9);
    }
    EXPECT_GE(officeLines, 2);
    EXPECT_LE(officeLines, 4);
}

TEST(RegisterRows, StruckOutRowsAndTheirRule) {
    Report r(QPageLayout::Landscape);
    const RegisterMetrics m = RegisterMetrics::Measure(r, 77, 74);
    const double rule = reports::DrawRow(
        r, m, 100, {{1.5, Align::Centre, "1"}, {116.5, Align::Right, "1.000"}}, true, 0.25);
    reports::DrawRow(r, m, 120, {{1.5, Align::Centre, "2"}}, false, 0.25);
    EXPECT_NEAR(rule, 100 + 0.25 * m.lh, 1e-9);
    EXPECT_TRUE(FindText(r, "1")->font.strikeOut);
    EXPECT_TRUE(FindText(r, "1.000")->font.strikeOut);
    EXPECT_NEAR(FindText(r, "1.000")->box.right(), m.at(116.5), 1e-9);
    EXPECT_FALSE(FindText(r, "2")->font.strikeOut);
    EXPECT_FALSE(r.font().strikeOut);
    const auto lines = Kind(r, DrawCommand::Kind::Line);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NEAR(lines[0]->box.left(), m.left, 1e-9);
    EXPECT_NEAR(lines[0]->box.right(), m.right, 1e-9);
    EXPECT_NEAR(lines[0]->box.top(), rule, 1e-9);
}

TEST(RegisterPages, AFullPageIsClosedWithTheBottomOfItsRows) {
    Report r(QPageLayout::Landscape);
    std::vector<std::pair<int, double>> closed;  // page, bottom of its rows
    reports::RegisterPages pages(
        r, [](Report& report) { return RegisterMetrics::Measure(report, 77, 74); }, 27.8,
        [&](const RegisterMetrics& m, double rowsBottom) {
            closed.push_back({r.pageNumber(), rowsBottom});
            reports::HeadingGrid grid;
            grid.rules = {{0, 151, reports::FromTop(0)}, {99, 121, reports::FromRows(1.3)}};
            grid.columns = {{0, reports::FromTop(0), reports::FromRows(0)}};
            grid.titleSize = 6;
            grid.titles = {{1.5, 1.4, "Pr."}};
            reports::DrawHeadingGrid(r, m, grid, 200, rowsBottom);
        });
    const RegisterMetrics first = pages.metrics();
    EXPECT_NEAR(pages.y, 27.8 * first.lh, 1e-9);
    int rows = 0;
    while (r.pageNumber() == 1) {
        pages.makeRoom();
        if (r.pageNumber() > 1) break;
        pages.y += first.lh;
        pages.y0 = reports::DrawRow(r, first, pages.y, {{1.5, Align::Centre, "x"}}, false, 0.25);
        pages.y = pages.y0;
        ++rows;
    }
    ASSERT_EQ(closed.size(), 1u);
    EXPECT_EQ(closed[0].first, 1);
    EXPECT_GT(closed[0].second, first.bottom);
    EXPECT_GT(rows, 20);
    // The new page starts from the first-row position again.
    EXPECT_NEAR(pages.y, 27.8 * first.lh, 1e-9);
    // The grid of the closed page: its column rule runs to the bottom of the rows, the total
    // box under them, and the titles are in size 6.
    const auto lines = Kind(r, DrawCommand::Kind::Line);
    const DrawCommand* column = lines.back();
    EXPECT_NEAR(column->box.bottom(), closed[0].second, 1e-9);
    const DrawCommand* total = lines[lines.size() - 2];
    EXPECT_NEAR(total->box.top(), closed[0].second + 1.3 * first.lh, 1e-9);
    EXPECT_EQ(FindText(r, "Pr.")->font.size, 6);
    EXPECT_NEAR(FindText(r, "Pr.")->baseline, 200 + 1.4 * first.lh, 1e-9);
}

}  // namespace
}  // namespace braxol
