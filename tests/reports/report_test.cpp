// Reports read back from their recorded commands, and written to PDF through each output.

#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QRegularExpression>
#include <QTimer>

#include "reports/output.h"
#include "reports/preview_window.h"
#include "reports/report.h"
#include "support/qt/scripted_seams.h"
#include "support/qt/widget_helpers.h"
#include "support/temp_folder.h"

namespace braxol {
namespace {

using namespace braxol::test;
using reports::DrawCommand;
using reports::Report;

const DrawCommand& LastText(const Report& r) {
    for (auto it = r.pages().back().commands.rbegin(); it != r.pages().back().commands.rend(); ++it)
        if (it->kind == DrawCommand::Kind::Text) return *it;
    throw std::runtime_error("no text");
}

// Pages of a PDF file, counted on its page objects.
int PdfPages(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return -1;
    const QByteArray data = f.readAll();
    if (!data.startsWith("%PDF")) return -1;
    return static_cast<int>(
        QString::fromLatin1(data).count(QRegularExpression("/Type\\s*/Page[^s]")));
}

TEST(Report, PlacesTextRightCentredAndLeftOnTheCurrentLine) {
    Report r;
    r.setFont("Times New Roman", 12);
    r.setY(100);
    r.textRight(300, "Tipo di birra:");
    const QRectF right = LastText(r).box;
    EXPECT_NEAR(right.right(), 300, 0.01);
    EXPECT_DOUBLE_EQ(right.top(), 100);
    r.textRight(300, "Litri:");
    EXPECT_NEAR(LastText(r).box.right(), 300, 0.01);  // labels end at the same point

    r.newLine();
    EXPECT_DOUBLE_EQ(r.y(), 100 + r.lineHeight());
    r.textCentered(r.pageWidth() / 2, "REGISTRO");
    EXPECT_NEAR(LastText(r).box.center().x(), r.pageWidth() / 2, 0.01);

    r.textLeft(50, "a\tb\t\tc", {100, 200, 300});
    const auto texts = r.texts(0);
    EXPECT_EQ(texts.mid(3), (QStringList{"a", "b", "c"}));
    const auto& cmds = r.pages().back().commands;
    EXPECT_DOUBLE_EQ(cmds[cmds.size() - 3].box.left(), 50);
    EXPECT_DOUBLE_EQ(cmds[cmds.size() - 2].box.left(), 150);
    EXPECT_DOUBLE_EQ(cmds[cmds.size() - 1].box.left(), 350);
}

TEST(Report, RecordsFontsStrikeOutLinesAndPages) {
    Report r(QPageLayout::Landscape);
    EXPECT_GT(r.pageWidth(), r.pageHeight());
    const double normal = r.textWidth("WWWW");
    r.setFont("Courier New", 9, true, true);
    EXPECT_NE(r.textWidth("WWWW"), normal);
    r.textLeft(10, "cancellato");
    EXPECT_TRUE(LastText(r).font.strikeOut);
    EXPECT_TRUE(LastText(r).font.bold);
    EXPECT_EQ(LastText(r).font.family, "Courier New");
    r.setStrikeOut(false);
    r.setPen(2);
    r.moveTo(10, 20);
    r.lineTo(110, 20);
    r.rectangle(QRectF(10, 30, 100, 50));
    const auto& line = r.pages()[0].commands[1];
    EXPECT_EQ(line.kind, DrawCommand::Kind::Line);
    EXPECT_EQ(line.box.topLeft(), QPointF(10, 20));
    EXPECT_EQ(line.box.bottomRight(), QPointF(110, 20));
    EXPECT_DOUBLE_EQ(line.pen.width, 2);

    r.setY(500);
    r.newPage();
    r.setOrientation(QPageLayout::Portrait);
    EXPECT_EQ(r.y(), 0);
    r.textLeft(10, "seconda");
    ASSERT_EQ(r.pages().size(), 2u);
    EXPECT_EQ(r.pages()[0].orientation, QPageLayout::Landscape);
    EXPECT_EQ(r.pages()[1].orientation, QPageLayout::Portrait);
    EXPECT_EQ(r.texts(1), QStringList{"seconda"});
}

Report TwoPages() {
    Report r;
    r.setFont("Times New Roman", 12);
    r.textCentered(r.pageWidth() / 2, "Pagina uno – àèìòù €");
    QImage picture(20, 10, QImage::Format_RGB32);
    picture.fill(Qt::red);
    r.picture(QRectF(50, 50, 100, 50), picture);
    r.newPage();
    r.setOrientation(QPageLayout::Landscape);
    r.textLeft(20, "Pagina due");
    return r;
}

// The dark pixels' bounding box of a page painted at `dpi`, in points.
QRectF InkBox(const reports::Page& page, int dpi) {
    const double scale = dpi / 72.0;
    QImage image(int(595 * scale), int(842 * scale), QImage::Format_RGB32);
    image.setDotsPerMeterX(int(dpi / 0.0254));
    image.setDotsPerMeterY(int(dpi / 0.0254));
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(scale, scale);
    reports::PaintPage(page, painter, QRectF());
    painter.end();
    int left = image.width(), top = image.height(), right = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    return QRectF(left / scale, top / scale, (right - left + 1) / scale,
                  (bottom - top + 1) / scale);
}

// What is painted lands where the report recorded it, at screen and at printer resolution.
TEST(ReportOutput, TextIsPaintedInsideItsRecordedBoxAtAnyResolution) {
    Report r;
    r.setFont("Times New Roman", 20);
    r.setY(100);
    r.textLeft(100, "MMMMMMMMMM");
    const QRectF recorded = r.pages()[0].commands[0].box;
    for (int dpi : {72, 300}) {
        SCOPED_TRACE(dpi);
        const QRectF ink = InkBox(r.pages()[0], dpi);
        EXPECT_NEAR(ink.left(), recorded.left(), 3);
        EXPECT_NEAR(ink.right(), recorded.right(), 3);
        EXPECT_GE(ink.top(), recorded.top() - 1);
        EXPECT_LE(ink.bottom(), recorded.bottom() + 1);
    }
}

TEST(ReportOutput, PdfFilePrinterAndPreviewWriteEveryPage) {
    TempWorkFolder work;
    ScriptedSeams seams;
    const Report r = TwoPages();
    const QString direct = QString::fromStdString((work.root() / "diretto.pdf").string());
    ASSERT_TRUE(reports::SaveReportPdf(r, direct));
    EXPECT_EQ(PdfPages(direct), 2);

    seams.print.pdfPath = QString::fromStdString((work.root() / "stampante.pdf").string());
    ASSERT_TRUE(reports::PrintWithDialog(r, nullptr));
    EXPECT_EQ(PdfPages(seams.print.pdfPath), 2);

    seams.print.accept = false;
    EXPECT_FALSE(reports::PrintWithDialog(r, nullptr));

    EXPECT_FALSE(reports::SaveReportPdf(r, "/nonesiste/cartella/x.pdf"));
}

TEST(ReportOutput, PreviewGoesThroughPagesAndSavesAPdf) {
    TempWorkFolder work;
    ScriptedSeams seams;
    const Report r = TwoPages();
    reports::TFANTEPRIMA preview(r, "Dettagli", nullptr);
    ShowActive(&preview);
    auto* label = ControlAs<QLabel>(&preview, "LPAGINA");
    EXPECT_EQ(label->text(), "Pagina 1 di 2");
    Click(&preview, "BSUCCESSIVA");
    EXPECT_EQ(label->text(), "Pagina 2 di 2");
    Click(&preview, "BSUCCESSIVA");
    EXPECT_EQ(preview.pageShown(), 2);

    const QString path = QString::fromStdString((work.root() / "anteprima").string());
    seams.files.planPath(path);
    Click(&preview, "BSALVAPDF");
    EXPECT_EQ(PdfPages(path + ".pdf"), 2);

    seams.files.planPath("/nonesiste/x.pdf");
    Click(&preview, "BSALVAPDF");
    EXPECT_TRUE(seams.messages.saw("IMPOSSIBILE SCRIVERE IL FILE /nonesiste/x.pdf"));
}

}  // namespace
}  // namespace braxol
