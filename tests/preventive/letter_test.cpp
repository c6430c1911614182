// The letter of a preventive communication, read from its recorded drawing commands: where
// each text stands (in lines from the top and in widths of the letter "O"), which is bold, and
// the signature's box.

#include "preventive/letter.h"

#include <gtest/gtest.h>

#include <QImage>
#include <optional>

#include "preventive_fixture.h"
#include "reports/report.h"
#include "store/cp1252.h"

namespace braxol {
namespace {

using namespace braxol::preventive;
using namespace braxol::test;
using namespace braxol::test::preventive;
using reports::DrawCommand;

// The letter's measures, as the letter takes them.
struct Measures {
    double w, line, centre, margin;
    explicit Measures(const reports::Report& r) {
        reports::Report probe;
        probe.setFont("TIMES NEW ROMAN", 10);
        w = probe.textWidth("O");
        line = probe.lineHeight();
        centre = r.pageWidth() / 2;
        margin = centre - 40 * w;
    }
};

// The line of the letter a text stands on: its baseline is at the bottom of that line.
double LineOf(const DrawCommand& c, const Measures& m) {
    return c.baseline / m.line - 1;
}

struct Placed {
    double line;   // top, in lines
    double left;   // points
    double right;  // points
    bool bold;
};

std::optional<Placed> Find(const reports::Report& r, const QString& text) {
    const Measures m(r);
    for (const DrawCommand& c : r.pages().at(0).commands)
        if (c.kind == DrawCommand::Kind::Text && c.text == text)
            return Placed{LineOf(c, m), c.box.left(), c.box.right(), c.font.bold};
    return std::nullopt;
}

const DrawCommand* Picture(const reports::Report& r) {
    for (const DrawCommand& c : r.pages().at(0).commands)
        if (c.kind == DrawCommand::Kind::Picture) return &c;
    return nullptr;
}

TMOVIMENTO Sample(double plato = 12.5, const std::string& beer = "BIONDA",
                  const std::string& note = "") {
    TMOVIMENTO c = Communication(1, Day(2025, 3, 16), 5, beer, plato);
    c.ANNOTA.set(Cp1252FromUtf8(note));
    PadMovement(c);
    return c;
}

QImage Signature(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

TEST(Letter, FollowsTheLayoutOfTheLetter) {
    const auto letter = PreventiveLetter(LetterCompany(), Sample(), {});
    ASSERT_EQ(letter.pages().size(), 1u);
    EXPECT_EQ(letter.pages()[0].orientation, QPageLayout::Portrait);
    const Measures m(letter);

    // The heading, centred and bold.
    const struct {
        const char* text;
        int line;
    } heading[] = {{"Birrificio di prova", 6},
                   {"Via dei Mulini, 12/b", 7},
                   {"MILANO", 8},
                   {"Partita IVA 00000000000", 9},
                   {"Codice d'accisa IT00MIA00123X", 10}};
    for (const auto& h : heading) {
        const auto p = Find(letter, QString::fromUtf8(h.text));
        ASSERT_TRUE(p) << h.text;
        EXPECT_NEAR(p->line, h.line, 1e-6) << h.text;
        EXPECT_NEAR((p->left + p->right) / 2, m.centre, 1e-6) << h.text;
        EXPECT_TRUE(p->bold) << h.text;
    }
    const struct {
        const char* text;
        int line;
        double indent;
        bool bold;
    } body[] = {
        {"OGGETTO: comunicazione preventiva di lavorazione.", 17, 4, true},
        {"Rif.: art.5 Circolare 5/D del 6 maggio 2014.", 20, 4, false},
        {"Si comunicano i dati relativi alla prossima produzione di questo Deposito "
         "Autorizzato: ",
         25, 6, false},
    };
    for (const auto& b : body) {
        const auto p = Find(letter, QString::fromUtf8(b.text));
        ASSERT_TRUE(p) << b.text;
        EXPECT_NEAR(p->line, b.line, 1e-6) << b.text;
        EXPECT_NEAR(p->left, m.margin + b.indent * m.w, 1e-6) << b.text;
        EXPECT_EQ(p->bold, b.bold) << b.text;
    }

    // Labels end at the centre, values start one "O" after it, one row every two lines.
    const struct {
        const char* label;
        const char* value;
        int line;
    } rows[] = {
        {"Numero progressivo annuale:", "5", 29},
        {"Data della produzione:", "16/03/2025", 31},
        {"Tipo di birra da produrre:", "BIONDA", 33},
        {"Grado plato:", "12,5", 35},
        {"Tini di fermentazione in cui avverrà la maturazione del prodotto:", "T1 T2", 37},
        {"Volume di mosto che si presume produrre:", "1.200 litri", 39},
        {"Lettura del contatore fiscale al momento della comunicazione:", "5000", 41},
    };
    for (const auto& row : rows) {
        const auto label = Find(letter, QString::fromUtf8(row.label));
        const auto value = Find(letter, QString::fromUtf8(row.value));
        ASSERT_TRUE(label && value) << row.label;
        EXPECT_NEAR(label->line, row.line, 1e-6) << row.label;
        EXPECT_NEAR(label->right, m.centre, 1e-6) << row.label;
        EXPECT_FALSE(label->bold) << row.label;
        EXPECT_NEAR(value->line, row.line, 1e-6) << row.label;
        EXPECT_NEAR(value->left, m.centre + m.w, 1e-6) << row.label;
        EXPECT_TRUE(value->bold) << row.label;
    }
    EXPECT_EQ(Picture(letter), nullptr);
}

TEST(Letter, NoPlatoRowAtZeroAndTheRowsMoveUp) {
    const auto letter = PreventiveLetter(LetterCompany(), Sample(0, "ROSSA"), {});
    EXPECT_FALSE(Find(letter, "Grado plato:"));
    EXPECT_NEAR(Find(letter, QString::fromUtf8("Tini di fermentazione in cui avverrà la "
                                               "maturazione del prodotto:"))
                    ->line,
                35, 1e-6);
    EXPECT_NEAR(Find(letter, "Lettura del contatore fiscale al momento della comunicazione:")->line,
                39, 1e-6);
}

// The beer type's lines as the letter measures them: bold, with 39 "O" of room to the margin.
QStringList LinesOf(const std::string& beer) {
    reports::Report probe;
    probe.setFont("TIMES NEW ROMAN", 10, true);
    const double room = 39 * probe.textWidth("O");
    return BeerTypeLines(QString::fromStdString(beer), room,
                         [&](const QString& t) { return probe.textWidth(t); });
}

TEST(Letter, LongBeerTypeWrapsAsItsFieldAndNothingIsLost) {
    const std::string beer =
        "birra artigianale doppio malto ambrata alle castagne del monte amiata con miele di "
        "acacia e scorze";
    const QStringList lines = LinesOf(beer);
    ASSERT_EQ(lines.size(), 3);
    for (const QString& l : lines) EXPECT_LE(l.size(), kBeerTypeWrap);
    EXPECT_EQ(lines.join(' ').toStdString(), beer);

    const auto letter = PreventiveLetter(LetterCompany(), Sample(12.5, beer), {});
    const Measures m(letter);
    EXPECT_NEAR(Find(letter, lines[0])->line, 33, 1e-6);
    EXPECT_NEAR(Find(letter, lines[1])->line, 34, 1e-6);
    EXPECT_NEAR(Find(letter, lines[2])->line, 35, 1e-6);
    EXPECT_NEAR(Find(letter, "Grado plato:")->line, 36, 1e-6);
    for (const QString& l : lines) EXPECT_LE(Find(letter, l)->right, m.centre + 40 * m.w + 1e-6);

    // Two lines fit in the row as it is.
    const auto two = PreventiveLetter(
        LetterCompany(), Sample(12.5, "birra artigianale doppio malto ambrata alle castagne"), {});
    EXPECT_NEAR(Find(two, "Grado plato:")->line, 35, 1e-6);
}

TEST(Letter, BeerTypeOfWideLettersStaysOnThePage) {
    // 47 characters in capitals: within the field's 48, wider than the room to the margin.
    const std::string beer = "WEIZENBOCK MAXIMUM WOODWORM MEMORIAL MOONWALKER";
    const QStringList lines = LinesOf(beer);
    EXPECT_EQ(lines.size(), 2);
    EXPECT_EQ(lines.join(' ').toStdString(), beer);
    const auto letter = PreventiveLetter(LetterCompany(), Sample(12.5, beer), {});
    const Measures m(letter);
    for (const QString& l : lines) EXPECT_LE(Find(letter, l)->right, m.centre + 40 * m.w + 1e-6);
    EXPECT_LE(m.centre + 40 * m.w, letter.pageWidth());
}

TEST(Letter, NoteAndSignature) {
    const std::string note =
        "La cotta sarà eseguita nel pomeriggio con il mosto della mattina; il travaso nei tini "
        "avverrà il giorno seguente dopo il raffreddamento completo del mosto.";
    const auto letter =
        PreventiveLetter(LetterCompany(), Sample(12.5, "BIONDA", note), Signature(400, 100));
    const Measures m(letter);
    // The note, wrapped to the letter's text, from three lines below the last value.
    std::vector<const DrawCommand*> noteLines;
    for (const DrawCommand& c : letter.pages()[0].commands)
        if (c.kind == DrawCommand::Kind::Text && LineOf(c, m) > 43) noteLines.push_back(&c);
    ASSERT_GE(noteLines.size(), 2u);
    QStringList joined;
    for (std::size_t i = 0; i < noteLines.size(); ++i) {
        EXPECT_NEAR(LineOf(*noteLines[i], m), 44 + static_cast<double>(i), 1e-6);
        EXPECT_NEAR(noteLines[i]->box.left(), m.margin + 4 * m.w, 1e-6);
        EXPECT_LE(noteLines[i]->box.width(), 72 * m.w + 1e-6);
        EXPECT_FALSE(noteLines[i]->font.bold);
        joined << noteLines[i]->text;
    }
    EXPECT_EQ(joined.join(' ').toStdString(), note);

    // The signature: 20 "O" wide, its proportions kept, six lines below the note.
    const DrawCommand* picture = Picture(letter);
    ASSERT_NE(picture, nullptr);
    const double lastNote = 44 + static_cast<double>(noteLines.size()) - 1;
    EXPECT_NEAR(picture->box.top() / m.line, lastNote + 6, 1e-6);
    EXPECT_NEAR(picture->box.width(), 20 * m.w, 1e-6);
    EXPECT_NEAR(picture->box.height(), 20 * m.w / 4, 1e-6);
    // Centred in the box that starts 40 "O" from the margin and is 10 "O" wider than it.
    EXPECT_NEAR(picture->box.left(), m.margin + 45 * m.w, 1e-6);
}

TEST(Letter, TallSignatureWithoutNote) {
    const auto letter = PreventiveLetter(LetterCompany(), Sample(), Signature(100, 400));
    const Measures m(letter);
    const DrawCommand* picture = Picture(letter);
    ASSERT_NE(picture, nullptr);
    // Eight lines below the last value; at most six lines high.
    EXPECT_NEAR(picture->box.top() / m.line, 41 + 8, 1e-6);
    EXPECT_NEAR(picture->box.height(), 6 * m.line, 1e-6);
    EXPECT_NEAR(picture->box.width(), 6 * m.line / 4, 1e-6);
}

TEST(Letter, WrittenWholeIntoFoldersMadeForIt) {
    TempWorkFolder work;
    const fs::path path = LetterPath(work.root(), 2025, 5);
    WriteLetter(PreventiveLetter(LetterCompany(), Sample(), {}), path);
    EXPECT_EQ(FileBytes(path).substr(0, 5), "%PDF-");
    EXPECT_EQ(FolderNames(path.parent_path()), std::vector<std::string>{"5.PDF"});
    EXPECT_EQ(path, work.root() / "PREVENTIVE" / "2025" / "5.PDF");
}

TEST(Letter, SignatureIsReadWhenPresent) {
    TempWorkFolder work;
    EXPECT_TRUE(LoadSignature(work.folders().datiGen).isNull());
    ASSERT_TRUE(Signature(30, 10).save(
        QString::fromStdString((work.folders().datiGen / "FIRMA.BMP").string()), "BMP"));
    EXPECT_EQ(LoadSignature(work.folders().datiGen).size(), QSize(30, 10));
}

}  // namespace
}  // namespace braxol
