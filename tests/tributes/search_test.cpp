// The tribute search: the range checks and the CSV fields as table rows; the window worked
// as a user works it, with the list caught on its way to the preview and the CSV exports
// compared byte for byte with golden/<case>/.

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <map>
#include <memory>

#include "reports/preview_window.h"
#include "support/qt/next_modal.h"
#include "tributes/search_window.h"
#include "tributes/tribute_search.h"
#include "tributes_test_support.h"

namespace braxol {
namespace {

using namespace braxol::test;
using tributes::TFRICREGDER;
using tributes::TributeKind;

TEST(SearchRange, ChecksOfTheTypedRange) {
    using tributes::RangeError;
    struct Row {
        const char* start;
        const char* end;
        RangeError error;
        int year, from, to;
    };
    const Row rows[] = {
        {"01/2015", "22", RangeError::None, 2015, 1, 22},
        {"11/2015", "22", RangeError::None, 2015, 11, 22},
        {"12/2015", "21", RangeError::None, 2015, 12, 21},
        {"03/2015", "3", RangeError::None, 2015, 3, 3},
        {"13/2015", "22", RangeError::Start, 0, 0, 0},
        {"00/2015", "22", RangeError::Start, 0, 0, 0},
        {"/", "22", RangeError::Start, 0, 0, 0},
        {"01/1999", "22", RangeError::Year, 0, 0, 0},
        {"01/2101", "22", RangeError::Year, 0, 0, 0},
        {"01/2000", "1", RangeError::None, 2000, 1, 1},
        {"01/2015", "23", RangeError::End, 0, 0, 0},
        {"01/2015", "0", RangeError::End, 0, 0, 0},
        {"01/2015", "", RangeError::End, 0, 0, 0},
        {"12/2015", "11", RangeError::EndBeforeStart, 0, 0, 0},
    };
    for (const Row& row : rows) {
        const auto check = tributes::CheckSearchRange(row.start, row.end);
        EXPECT_EQ(check.error, row.error) << row.start << " " << row.end;
        if (row.error != RangeError::None) continue;
        EXPECT_EQ(check.range.year, row.year) << row.start;
        EXPECT_EQ(check.range.fromPeriod, row.from) << row.start;
        EXPECT_EQ(check.range.toPeriod, row.to) << row.start;
    }
}

class SearchWindow : public TributesTest {
protected:
    std::unique_ptr<TFRICREGDER> window;
    std::vector<reports::Report> previews;
    QStringList previewTitles;

    void Open(QChar mode = QLatin1Char('T')) {
        window = std::make_unique<TFRICREGDER>(Request(mode), nullptr);
        window->setPreview([this](const reports::Report& report, const QString& title) {
            previews.push_back(report);
            previewTitles << title;
        });
        ShowActive(window.get());
    }
    QWidget* W() { return window.get(); }
    QString Shown(const QString& name) { return TributesTest::Shown(W(), name); }

    // Types the range over the proposed one and confirms with the mouse.
    void Search(const QString& start, const QString& end) {
        Retype(W(), "MDADA", start);
        PressEnter(W());
        ControlAs<QLineEdit>(W(), "MDAAL")->selectAll();
        Type(W(), end);
        Click(W(), "BCONF");
    }

    std::string Csv(TributeKind kind) const {
        return FileBytes(tributes::SearchCsvPath(folders(), kind));
    }

    // The listed rows as their period texts, with the strike-out of each.
    std::vector<std::pair<QString, bool>> PeriodCells(const reports::Report& report) const {
        std::vector<std::pair<QString, bool>> cells;
        for (const auto& page : report.pages())
            for (const auto& c : page.commands)
                if (c.kind == reports::DrawCommand::Kind::Text && c.text.contains('/') &&
                    c.text.size() == 7)
                    cells.push_back({c.text, c.font.strikeOut});
        return cells;
    }
};

TEST_F(SearchWindow, OpensOnTheWholeCurrentYear) {
    Open();
    EXPECT_EQ(window->objectName(), "FRICREGDER");
    EXPECT_EQ(window->windowTitle(), "Ricerca nei registri tributi");
    EXPECT_EQ(FocusName(), "MDADA");
    EXPECT_EQ(Shown("MDADA"), "01/2025");
    EXPECT_EQ(Shown("MDAAL"), "22");
    EXPECT_TRUE(ControlAs<QRadioButton>(W(), "RREGISTRI_E")->isChecked());
    EXPECT_EQ(ControlAs<QRadioButton>(W(), "RREGISTRI_E")->text(), "Registro accise");
    EXPECT_EQ(ControlAs<QRadioButton>(W(), "RREGISTRI_R")->text(), "Registro ravvedimenti");
    EXPECT_TRUE(Control(W(), "BAPRI")->isHidden());
    EXPECT_EQ(ControlAs<QLabel>(W(), "lfile")->text(), "");

    // Searching the proposed range at once lists an empty, new file.
    Click(W(), "BCONF");
    ASSERT_EQ(previews.size(), 1u);
    EXPECT_EQ(previewTitles[0], "Registro accise dal 01/2025 al 22/2025");
    EXPECT_FALSE(Control(W(), "BAPRI")->isHidden());
    EXPECT_TRUE(fs::exists(DerFile(2025)));
    EXPECT_EQ(Csv(TributeKind::Excise), "Periodo;Accise a debito;Capitolo;Flusso;T.;S.;Note;\r\n");
}

// From 11/2015 to 22: periods 11, 21 and 22, records E only, in file order.
TEST_F(SearchWindow, RangeFromNovemberToTheEndOfTheYear) {
    WriteDer(2015, {StoredTribute("E", "03", 2015, 40, 1, 7, Day(2015, 3, 15)),
                    StoredTribute("E", "10", 2015, 1234.5, 2, 2, Day(2015, 11, 16)),
                    StoredTribute("E", "11", 2015, 1500, 3, 1, Day(2015, 12, 15)),
                    StoredTribute("R", "11", 2015, 77, 4), StoredTribute("E", "21", 2015, 910.1, 5),
                    StoredTribute("E", "22", 2015, 0, 6)});
    Open();
    Search("112015", "22");
    ASSERT_EQ(previews.size(), 1u);
    EXPECT_EQ(previewTitles[0], "Registro accise dal 11/2015 al 22/2015");
    const auto& listed = window->lastSearch()->listed;
    EXPECT_EQ(Numbers(listed), (std::vector<int>{3, 5, 6}));
    const QStringList texts = previews[0].texts(0);
    for (const char* t : {"11/2015", "1.500,00", "1215.C01", "21/2015", "910,10", "22/2015", "0,00",
                          "Registro accise dal 11/2015 al 22/2015", "Accise a debito", "Capit.",
                          "Flusso", "Periodo"})
        EXPECT_TRUE(texts.contains(t)) << t;
    EXPECT_FALSE(texts.contains("03/2015"));
    EXPECT_EQ(ControlAs<QLabel>(W(), "lfile")->text(),
              "Ricerca salvata in: " +
                  QString::fromStdString(
                      tributes::SearchCsvPath(folders(), TributeKind::Excise).string()));
    ExpectGolden("range_11_to_22", "RICERCA_E.CSV", Csv(TributeKind::Excise));
}

// December alone: 12 is no period, so 12/2015 to 21 lists period 21 only.
TEST_F(SearchWindow, StartInDecemberListsItsHalves) {
    WriteDer(2015, {StoredTribute("E", "11", 2015, 1, 1), StoredTribute("E", "21", 2015, 2, 2),
                    StoredTribute("E", "22", 2015, 3, 3)});
    Open();
    Search("122015", "21");
    ASSERT_EQ(previews.size(), 1u);
    EXPECT_EQ(Numbers(window->lastSearch()->listed), (std::vector<int>{2}));
    // An end before the start is refused: the focus goes back to the start.
    Search("122015", "11");
    EXPECT_EQ(FocusName(), "MDADA");
    EXPECT_EQ(previews.size(), 1u);
}

TEST_F(SearchWindow, WrongRangesMoveTheFocus) {
    Open();
    struct Row {
        QString start, end, focus;
    };
    const Row rows[] = {{"132015", "22", "MDADA"},
                        {"011999", "22", "MDADA"},
                        {"012015", "23", "MDAAL"},
                        {"012015", "00", "MDAAL"}};
    for (const Row& row : rows) {
        Search(row.start, row.end);
        EXPECT_EQ(FocusName(), row.focus)
            << row.start.toStdString() << " " << row.end.toStdString();
    }
    EXPECT_TRUE(previews.empty());
    EXPECT_TRUE(seams.messages.shown().empty());
    EXPECT_TRUE(Control(W(), "BAPRI")->isHidden());
}

// "Ricerca Tributi Inviati": only sent records; 7 sent on 15 March shows as 0315.C07.
TEST_F(SearchWindow, SentRecordsOnly) {
    WriteDer(2015, {StoredTribute("E", "02", 2015, 20, 1, 7, Day(2015, 3, 15)),
                    StoredTribute("E", "03", 2015, 30, 2)});
    Open(QLatin1Char('t'));
    EXPECT_EQ(window->windowTitle(), "Ricerca tributi inviati");
    Search("012015", "22");
    ASSERT_EQ(previews.size(), 1u);
    EXPECT_EQ(Numbers(window->lastSearch()->listed), (std::vector<int>{1}));
    EXPECT_TRUE(previews[0].texts(0).contains("0315.C07"));
    ExpectGolden("sent_only", "RICERCA_E.CSV", Csv(TributeKind::Excise));

    // In mode all the unsent record is listed too, with a blank flow column.
    Open(QLatin1Char('T'));
    Search("012015", "22");
    EXPECT_EQ(Numbers(window->lastSearch()->listed), (std::vector<int>{1, 2}));
    ExpectGolden("all_records", "RICERCA_E.CSV", Csv(TributeKind::Excise));
}

// After a modify-rectification of the record E of period 03: three rows for 03, the
// superseded record and its cancellation struck out, the replacing record not.
TEST_F(SearchWindow, ModifyRectificationListsThreeRows) {
    const TMOVIMENTO sent = StoredTribute("E", "03", 2015, 40, 1, 7, Day(2015, 3, 15));
    WriteDer(2015, {sent, StoredTribute("E", "04", 2015, 50, 2)});
    TMOVIMENTO replacing = StoredTribute("E", "03", 2015, 42.5, 0);
    replacing.ANNOTA.set("importo corretto");
    PadMovement(replacing);
    ASSERT_TRUE(CancelOrRectify(DerFile(2015), sent, replacing, RectifyMode::Rectify));
    Open();
    Search("032015", "3");
    ASSERT_EQ(previews.size(), 1u);
    EXPECT_EQ(Numbers(window->lastSearch()->listed), (std::vector<int>{1, 3, 4}));
    const auto cells = PeriodCells(previews[0]);
    ASSERT_EQ(cells.size(), 3u);
    EXPECT_EQ(cells[0], std::make_pair(QString("03/2015"), true));
    EXPECT_EQ(cells[1], std::make_pair(QString("03/2015"), true));
    EXPECT_EQ(cells[2], std::make_pair(QString("03/2015"), false));
    ExpectGolden("modify_rectification", "RICERCA_E.CSV", Csv(TributeKind::Excise));
}

// "Registro ravvedimenti" writes RICERCA_R.CSV, thirteen columns a line.
TEST_F(SearchWindow, RecordsRHaveThirteenColumns) {
    TMOVIMENTO r = StoredTribute("R", "04", 2015, -1234.5, 1, 3, Day(2015, 6, 2));
    r.COERES = 30;
    r.LITPRO = 33.33;
    r.ETTOGR = 10;
    r.GRAPLA = 0.8;
    r.INTER1 = -5;
    r.DATPEC = 1.24;
    r.ANNOTA.set("versato in ritardo");
    PadMovement(r);
    WriteDer(2015,
             {StoredTribute("E", "04", 2015, 50, 2), r, StoredTribute("R", "05", 2015, 9, 3)});
    Open();
    ControlAs<QRadioButton>(W(), "RREGISTRI_R")->setChecked(true);
    Search("042015", "22");
    ASSERT_EQ(previews.size(), 1u);
    EXPECT_EQ(previewTitles[0], "Registro ravvedimenti dal 04/2015 al 22/2015");
    EXPECT_EQ(Numbers(window->lastSearch()->listed), (std::vector<int>{1, 3}));
    const QStringList texts = previews[0].texts(0);
    for (const char* t : {"-1.234,50", "33,33", "-5", "0602.C03", "Importo interessi"})
        EXPECT_TRUE(texts.contains(t)) << t;
    const std::string csv = Csv(TributeKind::Correction);
    std::size_t start = 0;
    int lines = 0;
    for (std::size_t end; (end = csv.find("\r\n", start)) != std::string::npos; start = end + 2) {
        EXPECT_EQ(std::count(csv.begin() + start, csv.begin() + end, ';'), 13);
        ++lines;
    }
    EXPECT_EQ(lines, 3);
    EXPECT_FALSE(fs::exists(tributes::SearchCsvPath(folders(), TributeKind::Excise)));
    ExpectGolden("records_r", "RICERCA_R.CSV", Csv(TributeKind::Correction));
}

// Notes holding ";", a double quote, a line break or an accented letter stay in their column.
TEST_F(SearchWindow, NotesAreQuotedWhereTheyWouldShiftTheColumns) {
    auto noted = [](const char* period, int numope, const std::string& note) {
        TMOVIMENTO r = StoredTribute("E", period, 2015, 10, numope);
        r.ANNOTA.set(note);
        PadMovement(r);
        return r;
    };
    WriteDer(2015, {noted("01", 1, "chiuso; pagato"), noted("02", 2, "detto \"acconto\""),
                    noted("03", 3, "riga uno\r\nriga due"), noted("04", 4, "pi\xF9 tardi")});
    Open();
    Search("012015", "22");
    const std::string csv = Csv(TributeKind::Excise);
    EXPECT_NE(csv.find(";\"chiuso; pagato\";\r\n"), std::string::npos);
    EXPECT_NE(csv.find(";\"detto \"\"acconto\"\"\";\r\n"), std::string::npos);
    EXPECT_NE(csv.find(";\"riga uno\r\nriga due\";\r\n"), std::string::npos);
    EXPECT_NE(csv.find(";pi\xF9 tardi;\r\n"), std::string::npos);
    ExpectGolden("quoted_fields", "RICERCA_E.CSV", csv);
}

TEST_F(SearchWindow, OpenTheFileThroughTheShell) {
    Open();
    Search("012015", "22");
    ASSERT_FALSE(Control(W(), "BAPRI")->isHidden());
    Click(W(), "BAPRI");
    EXPECT_EQ(seams.shell.opened,
              QStringList{QString::fromStdString(
                  tributes::SearchCsvPath(folders(), TributeKind::Excise).string())});
    EXPECT_TRUE(window->isVisible());
    // Leaving the start field empties the label until the next search.
    FocusOn(W(), "MDADA");
    FocusOn(W(), "MDAAL");
    EXPECT_EQ(ControlAs<QLabel>(W(), "lfile")->text(), "");
}

// Enter on a focused "apri il file" opens the file; it does not search again. Enter on the
// choice of the register moves on without searching.
TEST_F(SearchWindow, EnterPressesTheFocusedButtonOnly) {
    Open();
    Search("012015", "22");
    ASSERT_EQ(previews.size(), 1u);
    FocusOn(W(), "BAPRI");
    PressEnter(W());
    EXPECT_EQ(seams.shell.opened,
              QStringList{QString::fromStdString(
                  tributes::SearchCsvPath(folders(), TributeKind::Excise).string())});
    EXPECT_EQ(previews.size(), 1u);
    FocusOn(W(), "RREGISTRI_R");
    PressEnter(W());
    EXPECT_EQ(FocusName(), "MDADA");
    EXPECT_EQ(previews.size(), 1u);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(SearchWindow, LongListsGoOnNewPagesWithTheirHeading) {
    std::vector<TMOVIMENTO> many;
    for (int i = 1; i <= 80; ++i) many.push_back(StoredTribute("E", "05", 2015, i, i));
    WriteDer(2015, many);
    Open();
    Search("012015", "22");
    ASSERT_EQ(previews.size(), 1u);
    const auto& pages = previews[0].pages();
    ASSERT_GE(pages.size(), 2u);
    for (std::size_t p = 0; p < pages.size(); ++p)
        EXPECT_TRUE(previews[0]
                        .texts(static_cast<int>(p))
                        .contains("Registro accise dal 01/2015 al 22/2015"))
            << p;
    EXPECT_EQ(PeriodCells(previews[0]).size(), 80u);
    EXPECT_EQ(pages[0].orientation, QPageLayout::Landscape);
}

// Each row stands on its baseline one line below the last, a fifth of a line above its rule;
// the heading stands on the second line of its font, the column titles between their rules.
TEST(SearchList, RowsStandOnTheirBaselinesAboveTheirRules) {
    using reports::DrawCommand;
    const reports::Report report = tributes::SearchReport(
        {StoredTribute("E", "01", 2015, 10, 1), StoredTribute("E", "02", 2015, 20, 2, 0, 0, "C")},
        TributeKind::Excise, "Registro accise dal 01/2015 al 22/2015");
    const double lh = reports::LineHeight({"Times New Roman", 10});
    const double lh12 = reports::LineHeight({"Times New Roman", 12, true});
    std::map<QString, const DrawCommand*> texts;
    std::vector<double> rules;
    for (const DrawCommand& c : report.pages().at(0).commands) {
        if (c.kind == DrawCommand::Kind::Text) texts[c.text] = &c;
        if (c.kind == DrawCommand::Kind::Line && c.box.top() == c.box.bottom())
            rules.push_back(c.box.top());
    }
    EXPECT_NEAR(texts.at("Registro accise dal 01/2015 al 22/2015")->baseline, 2 * lh12, 1e-9);
    EXPECT_NEAR(texts.at("Periodo")->baseline, 5.8 * lh, 1e-9);
    EXPECT_NEAR(texts.at("01/2015")->baseline, 7 * lh, 1e-9);
    EXPECT_NEAR(texts.at("10,00")->baseline, 7 * lh, 1e-9);
    EXPECT_NEAR(texts.at("02/2015")->baseline, 8 * lh, 1e-9);
    EXPECT_TRUE(texts.at("02/2015")->font.strikeOut);
    EXPECT_FALSE(texts.at("01/2015")->font.strikeOut);
    // Rules under the rows, then the frame's rules at 5 and 6.1 lines.
    ASSERT_EQ(rules.size(), 4u);
    EXPECT_NEAR(rules[0], 7.2 * lh, 1e-9);
    EXPECT_NEAR(rules[1], 8.2 * lh, 1e-9);
    EXPECT_NEAR(rules[2], 5 * lh, 1e-9);
    EXPECT_NEAR(rules[3], 6.1 * lh, 1e-9);
    // The ink of a row keeps clear of the rules above and below it.
    const DrawCommand* row = texts.at("02/2015");
    EXPECT_GT(row->box.top(), rules[0] - 1);
    EXPECT_LT(row->box.bottom(), rules[1]);
}

TEST_F(SearchWindow, DamagedTributeFileIsReportedAndTheCsvKept) {
    WriteFileBytes(DerFile(2015), std::string(100, 'x'));
    WriteFileBytes(tributes::SearchCsvPath(folders(), TributeKind::Excise), "precedente");
    Open();
    Search("012015", "22");
    ASSERT_EQ(seams.messages.shown().size(), 1u);
    EXPECT_EQ(seams.messages.shown()[0].severity, ui::Severity::Error);
    EXPECT_TRUE(previews.empty());
    EXPECT_TRUE(Control(W(), "BAPRI")->isHidden());
    EXPECT_EQ(Csv(TributeKind::Excise), "precedente");
    EXPECT_EQ(FileBytes(DerFile(2015)), std::string(100, 'x'));
}

// Without a replacement the list opens in the report preview.
TEST_F(SearchWindow, ListOpensInThePreview) {
    WriteDer(2025, {StoredTribute("E", "01", 2025, 10, 1)});
    window = std::make_unique<TFRICREGDER>(Request(), nullptr);
    ShowActive(window.get());
    int pages = -1;
    NextModal<reports::TFANTEPRIMA> preview([&](reports::TFANTEPRIMA* p) {
        pages = static_cast<int>(window->lastSearch()->report.pages().size());
        p->reject();
    });
    Click(W(), "BCONF");
    EXPECT_TRUE(preview.answered());
    EXPECT_EQ(pages, 1);
    EXPECT_FALSE(Control(W(), "BAPRI")->isHidden());
}

}  // namespace
}  // namespace braxol
