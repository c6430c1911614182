// What each output makes of a report: ink where the commands say, every page in its own
// orientation on paper, in a PDF file and in the preview.

#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include "reports/output.h"
#include "reports/page_view.h"
#include "reports/preview_window.h"
#include "reports/report.h"
#include "support/qt/scripted_seams.h"
#include "support/qt/widget_helpers.h"
#include "support/temp_folder.h"

namespace braxol {
namespace {

using namespace braxol::test;
using reports::Align;
using reports::Report;

QString PathIn(const TempWorkFolder& work, const char* name) {
    return QString::fromStdString((work.root() / name).string());
}

// The sheet sizes of a PDF file's pages, in points, in page order.
std::vector<QSize> PdfSheets(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QString data = QString::fromLatin1(f.readAll());
    std::vector<QSize> sheets;
    static const QRegularExpression box(R"(/MediaBox\s*\[\s*0\s+0\s+([\d.]+)\s+([\d.]+)\s*\])");
    for (auto it = box.globalMatch(data); it.hasNext();) {
        const auto m = it.next();
        sheets.emplace_back(qRound(m.captured(1).toDouble()), qRound(m.captured(2).toDouble()));
    }
    return sheets;
}

const QSize kPortrait(595, 842);
const QSize kLandscape(842, 595);

// Portrait, landscape, portrait: each page with a rule along its top edge and a text.
Report MixedPages() {
    Report r;
    for (auto orientation :
         {QPageLayout::Portrait, QPageLayout::Landscape, QPageLayout::Portrait}) {
        if (r.pages().back().commands.size() > 0) r.newPage();
        r.setOrientation(orientation);
        r.setPen(3);
        r.line(20, 20, r.pageWidth() - 20, 20);
        r.setFont("Times New Roman", 12);
        r.text(r.pageWidth() / 2, 60, "Pagina – àèìòù €", Align::Centre);
    }
    QImage picture(20, 10, QImage::Format_RGB32);
    picture.fill(Qt::red);
    r.picture(QRectF(50, 80, 100, 50), picture);
    return r;
}

// The dark pixels' bounding box of an image, in the image's pixels.
QRect Ink(const QImage& image) {
    int left = image.width(), top = image.height(), right = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

// The ink of a page painted at `dpi`, in points.
QRectF InkOnPage(const reports::Page& page, int dpi) {
    const double scale = dpi / 72.0;
    const QSizeF points = reports::LayoutOf(page).fullRect(QPageLayout::Point).size();
    QImage image((points * scale).toSize(), QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(scale, scale);
    reports::PaintPage(page, painter);
    painter.end();
    const QRect ink = Ink(image);
    return QRectF(ink.left() / scale, ink.top() / scale, (ink.width()) / scale,
                  (ink.height()) / scale);
}

// Capitals stand on the baseline; what hangs below it stays within the font's descent; a line
// break in the text keeps it on its line. At screen and at printer resolution.
TEST(ReportOutput, TextIsPaintedOnItsBaselineInsideItsBox) {
    struct Case {
        QString text;
        bool descends;
    };
    const Case cases[] = {{"MMMMHHHH", false}, {"gjpqy", true}, {"RIGA UNO\nRIGA DUE", false}};
    for (const Case& c : cases) {
        Report r(QPageLayout::Landscape);
        r.setFont("Times New Roman", 20);
        r.text(100, 100, c.text);
        const QRectF box = r.pages()[0].commands[0].box;
        for (int dpi : {72, 300}) {
            SCOPED_TRACE(c.text.toStdString() + " " + std::to_string(dpi));
            const QRectF ink = InkOnPage(r.pages()[0], dpi);
            EXPECT_NEAR(ink.left(), box.left(), 3);
            EXPECT_NEAR(ink.right(), box.right(), 3);
            EXPECT_GE(ink.top(), box.top() - 1);
            EXPECT_LE(ink.bottom(), box.bottom() + 1);
            if (c.descends)
                EXPECT_GT(ink.bottom(), 103);
            else
                EXPECT_NEAR(ink.bottom(), 100, 1);
        }
    }
}

TEST(ReportOutput, EveryPageKeepsItsOrientationInPdfAndOnThePrinter) {
    TempWorkFolder work;
    ScriptedSeams seams;
    const Report r = MixedPages();
    const std::vector<QSize> expected = {kPortrait, kLandscape, kPortrait};

    const QString direct = PathIn(work, "diretto.pdf");
    ASSERT_TRUE(reports::SaveReportPdf(r, direct));
    EXPECT_EQ(PdfSheets(direct), expected);

    // Through the printer path: the print dialog hands over a printer that writes a PDF file.
    seams.print.pdfPath = PathIn(work, "stampante.pdf");
    ASSERT_TRUE(reports::PrintWithDialog(r, nullptr));
    EXPECT_EQ(PdfSheets(seams.print.pdfPath), expected);

    seams.print.accept = false;
    seams.print.pdfPath = PathIn(work, "annullata.pdf");
    EXPECT_FALSE(reports::PrintWithDialog(r, nullptr));
    EXPECT_FALSE(QFile::exists(seams.print.pdfPath));

    EXPECT_FALSE(reports::SaveReportPdf(r, "/nonesiste/cartella/x.pdf"));
}

// A device that keeps the sheet it started with, as some printer drivers do.
class FixedSheetWriter : public QPdfWriter {
public:
    using QPdfWriter::QPdfWriter;
    bool setPageLayout(const QPageLayout& layout) override {
        return !paintingActive() && QPdfWriter::setPageLayout(layout);
    }
};

// The page as poppler draws it from the PDF file, at 36 dpi; null without poppler.
QImage RenderedPdfPage(const QString& pdf, int page) {
    const QString pdftoppm = QStandardPaths::findExecutable("pdftoppm");
    if (pdftoppm.isEmpty()) return {};
    QProcess p;
    const QString n = QString::number(page);
    p.start(pdftoppm, {"-r", "36", "-f", n, "-l", n, "-singlefile", "-png", pdf, pdf + "-" + n});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return {};
    return QImage(pdf + "-" + n + ".png");
}

// On a sheet of the other orientation a page is turned a quarter clockwise: its top edge runs
// down the sheet's right edge, and nothing is cut off.
TEST(ReportOutput, APageOnASheetOfTheOtherOrientationIsTurned) {
    TempWorkFolder work;
    const Report r = MixedPages();
    const QString path = PathIn(work, "fisso.pdf");
    {
        FixedSheetWriter writer(path);
        writer.setResolution(300);
        ASSERT_TRUE(reports::PaintReport(r, writer));
    }
    EXPECT_EQ(PdfSheets(path), (std::vector<QSize>{kPortrait, kPortrait, kPortrait}));

    const QImage first = RenderedPdfPage(path, 1);
    const QImage turned = RenderedPdfPage(path, 2);
    if (first.isNull() || turned.isNull()) GTEST_SKIP() << "pdftoppm non disponibile";
    const double point = 0.5;  // pixels at 36 dpi
    // The rule of the portrait page runs across its top; the landscape page's rule runs down
    // the right edge, its whole length on the sheet.
    const QRect rule = Ink(first);
    EXPECT_NEAR(rule.top(), 18 * point, 2);
    EXPECT_NEAR(rule.width(), (595 - 40) * point, 3);
    const QRect turnedInk = Ink(turned);
    EXPECT_NEAR(turnedInk.right(), (595 - 18.5) * point, 2);
    EXPECT_NEAR(turnedInk.top(), 20 * point, 2);
    EXPECT_NEAR(turnedInk.bottom(), (842 - 20) * point, 2);
}

TEST(ReportOutput, PreviewShowsEachPageInItsOrientationAndSavesAPdf) {
    TempWorkFolder work;
    ScriptedSeams seams;
    const Report r = MixedPages();
    reports::TFANTEPRIMA preview(r, "Dettagli", nullptr);
    ShowActive(&preview);
    auto* label = ControlAs<QLabel>(&preview, "LPAGINA");
    auto* view = ControlAs<reports::PageView>(&preview, "ANTEPRIMA");
    auto portrait = [&] { return view->sheetSize().height() > view->sheetSize().width(); };
    EXPECT_EQ(label->text(), "Pagina 1 di 3");
    EXPECT_TRUE(portrait());
    // The whole page fits the view; the page width fills it, the view scrolling down the page.
    EXPECT_LE(view->sheetSize().height(), view->viewport()->height());
    const int whole = view->sheetSize().width();
    Click(&preview, "BLARGHEZZA");
    EXPECT_GT(view->sheetSize().width(), whole);
    EXPECT_GT(view->sheetSize().height(), view->viewport()->height());
    EXPECT_LE(view->sheetSize().width(), view->viewport()->width());
    Click(&preview, "BPAGINAINTERA");
    EXPECT_EQ(view->sheetSize().width(), whole);
    {
        // A window may open the preview zoomed to the page width.
        reports::TFANTEPRIMA wide(r, "Bilancio", nullptr, reports::Zoom::PageWidth);
        ShowActive(&wide);
        auto* wideView = ControlAs<reports::PageView>(&wide, "ANTEPRIMA");
        EXPECT_EQ(wideView->zoom(), reports::Zoom::PageWidth);
        EXPECT_GT(wideView->sheetSize().width(), whole);
    }
    ShowActive(&preview);

    Click(&preview, "BSUCCESSIVA");
    EXPECT_EQ(label->text(), "Pagina 2 di 3");
    EXPECT_FALSE(portrait());
    EXPECT_LE(view->sheetSize().width(), view->viewport()->width());

    FocusOn(&preview, "ANTEPRIMA");
    PressKey(&preview, Qt::Key_PageDown);
    EXPECT_EQ(label->text(), "Pagina 3 di 3");
    EXPECT_TRUE(portrait());
    Click(&preview, "BSUCCESSIVA");
    EXPECT_EQ(preview.pageShown(), 3);
    Click(&preview, "BPRIMA");
    EXPECT_EQ(preview.pageShown(), 1);
    Click(&preview, "BULTIMA");
    EXPECT_EQ(preview.pageShown(), 3);
    FocusOn(&preview, "ANTEPRIMA");
    PressKey(&preview, Qt::Key_PageUp);
    EXPECT_EQ(label->text(), "Pagina 2 di 3");

    // The page on screen is the page on paper: the rule along its top edge.
    const QImage shown = Control(&preview, "FOGLIO")->grab().toImage();
    const QRect ink = Ink(shown);
    EXPECT_NEAR(ink.top(), shown.height() * 20.0 / 595, 3);
    EXPECT_NEAR(ink.width(), shown.width() * (842 - 40) / 842.0, 4);

    const QString path = PathIn(work, "anteprima");
    seams.files.planPath(path);
    Click(&preview, "BSALVAPDF");
    EXPECT_EQ(PdfSheets(path + ".pdf"), (std::vector<QSize>{kPortrait, kLandscape, kPortrait}));

    seams.print.pdfPath = PathIn(work, "stampa.pdf");
    Click(&preview, "BSTAMPA");
    EXPECT_EQ(seams.print.asked, 1);
    EXPECT_EQ(PdfSheets(seams.print.pdfPath).size(), 3u);

    seams.files.planPath("/nonesiste/x.pdf");
    Click(&preview, "BSALVAPDF");
    EXPECT_TRUE(seams.messages.saw("IMPOSSIBILE SCRIVERE IL FILE /nonesiste/x.pdf"));
}

}  // namespace
}  // namespace braxol
