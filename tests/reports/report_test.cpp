// What a report records: texts by their baseline, on one line unless wrapped on purpose, fonts,
// lines, rectangles and pages.

#include <gtest/gtest.h>

#include "reports/report.h"
#include "support/qt/widget_helpers.h"

namespace braxol {
namespace {

using reports::Align;
using reports::DrawCommand;
using reports::FontSpec;
using reports::Report;

const DrawCommand& LastText(const Report& r) {
    for (auto it = r.pages().back().commands.rbegin(); it != r.pages().back().commands.rend(); ++it)
        if (it->kind == DrawCommand::Kind::Text) return *it;
    throw std::runtime_error("no text");
}

std::vector<const DrawCommand*> Texts(const Report& r, int page = 0) {
    std::vector<const DrawCommand*> texts;
    for (const auto& c : r.pages().at(static_cast<std::size_t>(page)).commands)
        if (c.kind == DrawCommand::Kind::Text) texts.push_back(&c);
    return texts;
}

TEST(ReportText, StandsOnItsBaselineStartingCentredOrEndingAtX) {
    struct Case {
        Align align;
        double left, centre, right;  // which of them lands on x (the others are NaN)
    };
    Report r;
    r.setFont("Times New Roman", 12);
    const double width = r.textWidth("Tipo di birra:");
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (const Case& c : {Case{Align::Left, 300, nan, nan}, Case{Align::Centre, nan, 300, nan},
                          Case{Align::Right, nan, nan, 300}}) {
        SCOPED_TRACE(static_cast<int>(c.align));
        r.text(300, 100, "Tipo di birra:", c.align);
        const DrawCommand& t = LastText(r);
        EXPECT_EQ(t.text, "Tipo di birra:");
        EXPECT_DOUBLE_EQ(t.baseline, 100);
        EXPECT_NEAR(t.box.width(), width, 1e-9);
        if (!std::isnan(c.left)) {
            EXPECT_NEAR(t.box.left(), c.left, 1e-9);
        }
        if (!std::isnan(c.centre)) {
            EXPECT_NEAR(t.box.center().x(), c.centre, 1e-9);
        }
        if (!std::isnan(c.right)) {
            EXPECT_NEAR(t.box.right(), c.right, 1e-9);
        }
        // The box spans the font's height, most of it above the baseline.
        EXPECT_NEAR(t.box.height(), r.lineHeight(), 1e-9);
        EXPECT_LT(t.box.top(), 100 - 0.7 * r.lineHeight());
        EXPECT_GT(t.box.bottom(), 100);
    }
    // Texts written at the same y share the baseline whatever their font.
    r.setFont("Times New Roman", 20, true);
    r.text(10, 100, "GRANDE");
    EXPECT_DOUBLE_EQ(LastText(r).baseline, 100);
    EXPECT_LT(LastText(r).box.top(), Texts(r)[0]->box.top());
}

// A line break, a tab or another control character in a record's text never starts a new line:
// the note stays on its row.
TEST(ReportText, LineBreaksAndControlsAreDrawnAsBlanks) {
    struct Case {
        QString written, drawn;
    };
    const Case cases[] = {
        {"riga uno\r\nriga due", "riga uno riga due"},
        {"a\nb\rc", "a b c"},
        {"a\r\n\r\nb", "a  b"},
        {"colonna\tcolonna", "colonna colonna"},
        {QString("x") + QChar(0x2028) + "y" + QChar(0x85) + "z", "x y z"},
        {"àèìòù € nessun cambio", "àèìòù € nessun cambio"},
        {"", ""},
    };
    Report r;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.written.toStdString());
        EXPECT_EQ(reports::OneLine(c.written), c.drawn);
        r.text(50, 200, c.written);
        EXPECT_EQ(LastText(r).text, c.drawn);
        EXPECT_DOUBLE_EQ(LastText(r).box.height(), r.lineHeight());
        EXPECT_DOUBLE_EQ(LastText(r).box.width(), r.textWidth(c.drawn));
    }
    EXPECT_EQ(r.textWidth("a\nb"), r.textWidth("a b"));
}

TEST(ReportText, WrapsOnlyWhenAskedOneLineHeightApart) {
    Report r;
    r.setFont("Times New Roman", 10);
    const double lh = r.lineHeight();
    const QString note =
        "Cotta interrotta per un guasto alla pompa;\r\nripresa il giorno dopo con il mosto "
        "raffreddato e controllato dal birraio responsabile della produzione\n";
    const int lines = r.textWrapped(40, 300, 150, note);
    const auto texts = Texts(r);
    ASSERT_EQ(lines, static_cast<int>(texts.size()));  // no blank line inside, none counted after
    ASSERT_GE(lines, 4);
    QStringList words;
    for (int i = 0; i < lines; ++i) {
        SCOPED_TRACE(i);
        EXPECT_DOUBLE_EQ(texts[i]->box.left(), 40);
        EXPECT_NEAR(texts[i]->baseline, 300 + i * lh, 1e-9);
        EXPECT_LE(texts[i]->box.width(), 150);
        words << texts[i]->text;
    }
    // Each line holds as many words as fit: the next line's first word would not.
    for (int i = 0; i + 1 < lines; ++i)
        if (!texts[i]->text.endsWith(';')) {
            const QString next = texts[i + 1]->text.section(' ', 0, 0);
            EXPECT_GT(r.textWidth(texts[i]->text + " " + next), 150) << i;
        }
    EXPECT_EQ(words.join(' '), QString(note).replace("\r\n", " ").trimmed());

    // A blank line inside the text counts; a blank text writes nothing.
    Report blank;
    EXPECT_EQ(blank.textWrapped(40, 300, 150, "uno\n\ndue"), 3);
    EXPECT_EQ(Texts(blank).size(), 2u);
    EXPECT_NEAR(Texts(blank)[1]->baseline, 300 + 2 * blank.lineHeight(), 1e-9);
    EXPECT_EQ(blank.textWrapped(40, 400, 150, ""), 0);
    EXPECT_EQ(blank.textWrapped(40, 400, 150, "  \r\n"), 0);
    EXPECT_EQ(Texts(blank).size(), 2u);
}

TEST(WrapText, BreaksAtBlanksAndCutsLongWords) {
    const auto letters = [](const QString& t) { return static_cast<double>(t.size()); };
    EXPECT_EQ(reports::WrapText("uno due tre quattro", 7, letters),
              (QStringList{"uno due", "tre", "quattro"}));
    EXPECT_EQ(reports::WrapText("abcdefghij xy", 4, letters),
              (QStringList{"abcd", "efgh", "ij", "xy"}));
    EXPECT_EQ(reports::WrapText("a\nb", 10, letters), (QStringList{"a", "b"}));
    EXPECT_EQ(reports::WrapText("a\r\nb\rc", 10, letters), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(reports::WrapText("a\tb", 1, letters), (QStringList{"a", "b"}));
    EXPECT_EQ(reports::WrapText("", 10, letters), (QStringList{""}));
}

TEST(ReportFonts, MeasuresOfAnyFontWithoutSwitching) {
    Report r;
    r.setFont("Times New Roman", 14, true);
    const double width14 = r.textWidth("CARICO del 03/03/2025");
    const double height14 = r.lineHeight();
    r.setFont("Times New Roman", 8);
    const FontSpec big{"Times New Roman", 14, true};
    EXPECT_DOUBLE_EQ(reports::TextWidth(big, "CARICO del 03/03/2025"), width14);
    EXPECT_DOUBLE_EQ(reports::LineHeight(big), height14);
    EXPECT_GT(reports::LineHeight(big), r.lineHeight() * 14 / 8 - 0.5);
    // Strike-out draws a line through the text and changes no measure.
    EXPECT_DOUBLE_EQ(reports::TextWidth({"Times New Roman", 14, true, true}, "CARICO"),
                     reports::TextWidth(big, "CARICO"));
    // Bold and another family are other fonts.
    EXPECT_NE(reports::TextWidth({"Times New Roman", 14}, "WWWW"), reports::TextWidth(big, "WWWW"));
    EXPECT_NE(reports::TextWidth({"Courier New", 14, true}, "iiii"),
              reports::TextWidth(big, "iiii"));
}

TEST(Report, RecordsFontsStrikeOutLinesRectanglesAndPages) {
    Report r(QPageLayout::Landscape);
    EXPECT_GT(r.pageWidth(), r.pageHeight());
    EXPECT_EQ(r.pageNumber(), 1);
    r.setFont("Courier New", 9, true, true);
    r.text(10, 20, "cancellato");
    EXPECT_EQ(LastText(r).font, (FontSpec{"Courier New", 9, true, true}));
    r.setStrikeOut(false);
    r.setBold(false);
    r.text(10, 30, "attivo");
    EXPECT_EQ(LastText(r).font, (FontSpec{"Courier New", 9, false, false}));
    r.setFont("Times New Roman", 8, true, true);
    r.setFont("Times New Roman", 10);  // a new font clears bold and strike-out
    EXPECT_EQ(r.font(), FontSpec{});

    r.setPen(2);
    r.line(10, 40, 110, 40);
    r.moveTo(10, 50);
    r.lineTo(60, 50);
    r.lineTo(60, 90);
    r.rectangle(QRectF(QPointF(10, 100), QPointF(110, 150)));
    const auto& cmds = r.pages()[0].commands;
    ASSERT_EQ(cmds.size(), 6u);
    const std::pair<QPointF, QPointF> lines[] = {
        {{10, 40}, {110, 40}}, {{10, 50}, {60, 50}}, {{60, 50}, {60, 90}}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(cmds[2 + i].kind, DrawCommand::Kind::Line);
        EXPECT_EQ(cmds[2 + i].box.topLeft(), lines[i].first);
        EXPECT_EQ(cmds[2 + i].box.bottomRight(), lines[i].second);
        EXPECT_DOUBLE_EQ(cmds[2 + i].pen.width, 2);
    }
    EXPECT_EQ(cmds[5].kind, DrawCommand::Kind::Rectangle);
    EXPECT_EQ(cmds[5].box, QRectF(10, 100, 100, 50));

    r.newPage();
    EXPECT_EQ(r.pageNumber(), 2);
    r.setOrientation(QPageLayout::Portrait);
    EXPECT_LT(r.pageWidth(), r.pageHeight());
    r.text(10, 20, "seconda");
    r.newPage();
    ASSERT_EQ(r.pages().size(), 3u);
    EXPECT_EQ(r.pages()[0].orientation, QPageLayout::Landscape);
    EXPECT_EQ(r.pages()[1].orientation, QPageLayout::Portrait);
    EXPECT_EQ(r.pages()[2].orientation, QPageLayout::Portrait);  // the pages that follow too
    EXPECT_EQ(r.texts(1), QStringList{"seconda"});
}

}  // namespace
}  // namespace braxol
