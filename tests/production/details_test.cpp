// The details report of one production or wash, read from its recorded drawing commands.

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <cmath>
#include <map>

#include "chooser_fixture.h"
#include "production/details_report.h"

namespace braxol {
namespace {

using namespace braxol::test;
using reports::DrawCommand;

const QStringList kLabels = {"Data, Numero e Nome del flusso telematico:",
                             "Stato del movimento:",
                             "Tipo Record:",
                             "Tipo di richiesta:",
                             "Tipo di registro:",
                             "Codice ufficio:",
                             "Anno e numero protocollo registro:",
                             "Numero progressivo di registrazione:",
                             "Data e numero del movimento:",
                             "Data e ora della comunicazione preventiva:",
                             "Tipo di birra:",
                             "Codice tabella prodotti del S.T.D.:",
                             "Coefficiente di resa:",
                             "Lettura iniziale misuratore:",
                             "Lettura finale misuratore:",
                             "Litri di birra prodotti:",
                             "Grado plato:",
                             "Ettogradi di birra prodotti:",
                             "Accisa assolta:",
                             "Annotazioni:"};

// What the report wrote on each line: the label and the value after it.
struct Line {
    const DrawCommand* label = nullptr;
    std::vector<const DrawCommand*> values;
};

std::map<int, Line> Lines(const reports::Report& report) {
    std::map<int, Line> lines;
    const double height = report.lineHeight();
    const double x = report.pageWidth() / 3.7;
    for (const DrawCommand& c : report.pages().at(0).commands) {
        if (c.kind != DrawCommand::Kind::Text) continue;
        // Line 1 is the first label, on the fifth line from the top.
        const int line = static_cast<int>(std::lround(c.baseline / height)) - 4;
        if (c.box.right() <= x + 0.01)
            lines[line].label = &c;
        else
            lines[line].values.push_back(&c);
    }
    return lines;
}

QString ValueOf(const std::map<int, Line>& lines, int line) {
    const auto it = lines.find(line);
    if (it == lines.end() || it->second.values.empty()) return "<none>";
    return it->second.values.front()->text;
}

class Details : public MovementWindowTest {};

TEST_F(Details, ProductionShowsEveryFieldAfterItsLabel) {
    const TMOVIMENTO r =
        Sent(Brew(2, Day(2025, 2, 10), 2000, 3000, "cotta regolare"), Day(2025, 3, 5), 2);
    const reports::Report report = production::DetailsReport(r, "AB12");
    ASSERT_EQ(report.pages().size(), 1u);
    EXPECT_EQ(report.pages()[0].orientation, QPageLayout::Landscape);

    const auto lines = Lines(report);
    const QStringList values = {"05/03/2025 - 2 - AB120305.C02",
                                "attivo",
                                "C",
                                "inserimento",
                                "F",
                                "ITPDM100",
                                "2025 - 12345",
                                "2",
                                "10/02/2025 - 7",
                                "09/02/2025 - 08:30",
                                "BIONDA",
                                "22030001",
                                "1",
                                "2000",
                                "3000",
                                "1.000",
                                "12,5",
                                "125",
                                "373,75",
                                "cotta regolare"};
    ASSERT_EQ(lines.size(), 20u);
    const double x = report.pageWidth() / 3.7;
    double valueLeft = -1;
    for (int i = 1; i <= 20; ++i) {
        SCOPED_TRACE(i);
        const Line& line = lines.at(i);
        ASSERT_NE(line.label, nullptr);
        EXPECT_EQ(line.label->text, kLabels[i - 1]);
        // Every label ends at the same point; every value starts at the same point after it.
        EXPECT_NEAR(line.label->box.right(), x, 0.01);
        EXPECT_NEAR(line.label->baseline, (4 + i) * report.lineHeight(), 0.01);
        EXPECT_EQ(line.label->font.family, "Times New Roman");
        EXPECT_DOUBLE_EQ(line.label->font.size, 10.5);
        ASSERT_EQ(line.values.size(), 1u);
        EXPECT_EQ(line.values[0]->text, values[i - 1]);
        if (valueLeft < 0) valueLeft = line.values[0]->box.left();
        EXPECT_NEAR(line.values[0]->box.left(), valueLeft, 0.01);
        EXPECT_DOUBLE_EQ(line.values[0]->baseline, line.label->baseline);
    }
    EXPECT_GE(valueLeft, x);
    EXPECT_LT(valueLeft, x + 5);
}

TEST_F(Details, StateFlowAndRequestTexts) {
    struct Case {
        TMOVIMENTO record;
        QString flow, state, request;
    };
    TMOVIMENTO cancelled = Sent(Brew(4, Day(2025, 2, 20), 1, 2), Day(2025, 11, 30), 12);
    cancelled.STATO.set("C");
    TMOVIMENTO cancellation = Brew(5, Day(2025, 2, 20), 1, 2);
    cancellation.TIPRIC.set("C");
    const std::vector<Case> cases = {
        {Brew(1, Day(2025, 1, 5), 1, 2), "da inviare", "attivo", "inserimento"},
        {cancelled, "30/11/2025 - 12 - AB121130.C12", "cancellato", "inserimento"},
        {cancellation, "da inviare", "attivo", "cancella"},
    };
    for (const Case& c : cases) {
        const reports::Report report = production::DetailsReport(c.record, "AB12");
        const auto lines = Lines(report);
        EXPECT_EQ(ValueOf(lines, 1), c.flow);
        EXPECT_EQ(ValueOf(lines, 2), c.state);
        EXPECT_EQ(ValueOf(lines, 4), c.request);
    }
}

TEST_F(Details, WashPrintsItsOwnValuesAndWrapsALongNote) {
    std::string note;
    for (int i = 0; note.size() < 230; ++i) note += "lavaggio" + std::to_string(i) + " ";
    note.pop_back();
    const TMOVIMENTO r = WashOf(3, Day(2025, 2, 12), 3000, 3050, note);
    const reports::Report report = production::DetailsReport(r, "AB12");
    const auto lines = Lines(report);

    for (int i = 1; i <= 20; ++i) {
        ASSERT_TRUE(lines.count(i)) << i;
        ASSERT_NE(lines.at(i).label, nullptr) << i;
        EXPECT_EQ(lines.at(i).label->text, kLabels[i - 1]);
    }
    EXPECT_EQ(ValueOf(lines, 1), "da inviare");
    EXPECT_EQ(ValueOf(lines, 9), "30/12/1899 - ");
    EXPECT_EQ(ValueOf(lines, 10), "<none>");
    EXPECT_EQ(ValueOf(lines, 11), "****** LAVAGGIO *******");
    EXPECT_EQ(ValueOf(lines, 12), "LAVAGGIO");
    EXPECT_EQ(ValueOf(lines, 13), "<none>");
    EXPECT_EQ(ValueOf(lines, 14), "3000");
    EXPECT_EQ(ValueOf(lines, 15), "3050");
    for (int i = 16; i <= 19; ++i) EXPECT_EQ(ValueOf(lines, i), "<none>") << i;

    // The note starts on its label's line and goes on, one report line per wrapped line.
    QStringList wrapped;
    double left = -1;
    for (int i = 20; lines.count(i); ++i) {
        ASSERT_EQ(lines.at(i).values.size(), 1u) << i;
        const DrawCommand* c = lines.at(i).values[0];
        wrapped << c->text;
        EXPECT_LE(c->box.width(), production::kNoteWidth);
        if (left < 0) left = c->box.left();
        EXPECT_NEAR(c->box.left(), left, 0.01);
    }
    EXPECT_GE(wrapped.size(), 2);
    EXPECT_EQ(wrapped.join(' '), QString::fromStdString(note));
    EXPECT_EQ(lines.at(21).label, nullptr);
}

TEST_F(Details, ShowsThePreview) {
    // The preview is modal: close it as soon as it shows.
    bool shown = false;
    QTimer::singleShot(0, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == "FANTEPRIMA" && w->isVisible()) {
                shown = true;
                EXPECT_EQ(w->windowTitle(), "Dettagli del movimento");
                static_cast<QDialog*>(w)->accept();
            }
    });
    production::ShowDetails(nullptr, Brew(1, Day(2025, 1, 5), 1, 2), "AB12");
    EXPECT_TRUE(shown);
}

}  // namespace
}  // namespace braxol
