#include "preventive/letter.h"

#include <QImageReader>
#include <system_error>

#include "reports/output.h"
#include "store/dates.h"
#include "store/io_error.h"
#include "store/numbers.h"
#include "store/paths.h"
#include "ui/text.h"

namespace braxol::preventive {
namespace {

const QString kFont = QStringLiteral("TIMES NEW ROMAN");
constexpr double kFontSize = 10;

// Lines from the top of the page.
constexpr int kHeadingLine = 6;
constexpr int kSubjectLine = 17;
constexpr int kReferenceLine = 20;
constexpr int kOpeningLine = 25;
constexpr int kFirstRowLine = 29;
constexpr int kRowStep = 2;
constexpr int kNoteGap = 3;             // from the last value to the first note line
constexpr int kSignatureGap = 6;        // from the last note line to the signature
constexpr int kSignatureNoNoteGap = 8;  // from the last value, when there is no note

// Distances in widths of the letter "O".
constexpr double kHalfText = 40;        // from the centre to the left margin
constexpr double kIndent = 4;           // of the subject, the reference and the note
constexpr double kOpeningIndent = 6;    // of the opening sentence
constexpr double kSignatureLeft = 40;   // from the margin, where the signature's box starts
constexpr double kSignatureBox = 10;    // the box is this much wider than the signature
constexpr double kSignatureWidth = 20;  // the signature's width
constexpr double kSignatureLines = 6;   // its greatest height, in lines

QString Amount(double value) {
    return QString::fromStdString(FormatAmount(value, 0, 0));
}

}  // namespace

QStringList BeerTypeLines(const QString& beerType, double room,
                          const std::function<double(const QString&)>& measure) {
    // A line fits when both its characters and its width fit: the larger share decides.
    auto share = [&](const QString& t) {
        return std::max(static_cast<double>(t.size()) / kBeerTypeWrap, measure(t) / room);
    };
    QStringList lines = reports::WrapText(beerType.trimmed(), 1.0, share);
    while (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
    return lines;
}

reports::Report PreventiveLetter(const TUTENTE& stored, const TMOVIMENTO& communication,
                                 const QImage& signature) {
    TUTENTE company = stored;
    TrimTutente(company);
    TMOVIMENTO c = communication;
    TrimMovement(c);

    reports::Report letter(QPageLayout::Portrait);
    letter.setFont(kFont, kFontSize);
    const double w = letter.textWidth("O");
    const double lineHeight = letter.lineHeight();
    const double centre = letter.pageWidth() / 2;
    const double margin = centre - kHalfText * w;
    // Line n of the letter, its top n lines from the top of the page, has its baseline at the
    // bottom of the line.
    auto baseline = [&](double n) { return (n + 1) * lineHeight; };
    using reports::Align;

    letter.setBold(true);
    const QString heading[] = {
        ui::FromField(company.DENOM1),
        ui::FromField(company.INDIR1) + ", " + ui::FromField(company.NUMCI1),
        ui::FromField(company.CITTA1),
        "Partita IVA " + ui::FromField(company.PARIVA),
        "Codice d'accisa " + ui::FromField(company.CACCI1),
    };
    for (int i = 0; i < 5; ++i)
        letter.text(centre, baseline(kHeadingLine + i), heading[i], Align::Centre);
    letter.text(margin + kIndent * w, baseline(kSubjectLine),
                "OGGETTO: comunicazione preventiva di lavorazione.");
    letter.setBold(false);
    letter.text(margin + kIndent * w, baseline(kReferenceLine),
                "Rif.: art.5 Circolare 5/D del 6 maggio 2014.");
    letter.text(margin + kOpeningIndent * w, baseline(kOpeningLine),
                "Si comunicano i dati relativi alla prossima produzione di questo Deposito "
                "Autorizzato: ");

    // The rows: a label ending at the centre, its value (or values, one a line) after it.
    int row = kFirstRowLine;
    int lastValue = row;
    auto addRow = [&](const QString& label, const QStringList& values) {
        letter.setBold(false);
        letter.text(centre, baseline(row), label, Align::Right);
        letter.setBold(true);
        for (qsizetype i = 0; i < values.size(); ++i)
            letter.text(centre + w, baseline(row + static_cast<double>(i)), values[i]);
        lastValue = row + static_cast<int>(std::max<qsizetype>(values.size(), 1)) - 1;
        // A beer type of three lines pushes the rows that follow one line down.
        row += std::max(kRowStep, static_cast<int>(values.size()));
    };
    addRow("Numero progressivo annuale:", {QString::number(c.INTER2)});
    addRow("Data della produzione:", {QString::fromStdString(FormatDate(c.DATMOV))});
    letter.setBold(true);
    const QStringList beerType =
        BeerTypeLines(ui::FromField(c.PRODAZ), (kHalfText - 1) * w,
                      [&](const QString& t) { return letter.textWidth(t); });
    addRow("Tipo di birra da produrre:", beerType);
    if (c.GRAPLA > 0) addRow("Grado plato:", {Amount(c.GRAPLA)});
    addRow("Tini di fermentazione in cui avverrà la maturazione del prodotto:",
           {ui::FromField(c.NUMDOC)});
    addRow("Volume di mosto che si presume produrre:", {Amount(c.LITPRO) + " litri"});
    addRow("Lettura del contatore fiscale al momento della comunicazione:",
           {QString::number(c.INTER1)});

    // The note, wrapped to the width of the letter's text.
    letter.setBold(false);
    const double textWidth = 2 * (kHalfText - kIndent) * w;
    const int firstNote = lastValue + kNoteGap;
    const int noteLines = letter.textWrapped(margin + kIndent * w, baseline(firstNote), textWidth,
                                             ui::FromField(c.ANNOTA));
    const int signatureLine =
        noteLines > 0 ? firstNote + noteLines - 1 + kSignatureGap : lastValue + kSignatureNoNoteGap;

    if (!signature.isNull() && signature.width() > 0 && signature.height() > 0) {
        double width = kSignatureWidth * w;
        double height = width * signature.height() / signature.width();
        if (height > kSignatureLines * lineHeight) {
            height = kSignatureLines * lineHeight;
            width = height * signature.width() / signature.height();
        }
        // Its proportions kept, centred in the box the letter gives it.
        const double boxLeft = margin + kSignatureLeft * w;
        const double boxWidth = kSignatureBox * w + width;
        const QRectF box(boxLeft + (boxWidth - width) / 2, signatureLine * lineHeight, width,
                         height);
        letter.picture(box, signature);
    }
    return letter;
}

QImage LoadSignature(const fs::path& datiGen) {
    const fs::path path = ResolvePath(datiGen / "FIRMA.BMP");
    // A signature that cannot be reached leaves the letter unsigned, as a missing one does.
    std::error_code unreachable;
    if (!fs::exists(path, unreachable)) return {};
    QImageReader reader(QString::fromStdString(path.string()));
    reader.setDecideFormatFromContent(true);
    return reader.read();
}

void WriteLetter(const reports::Report& letter, const fs::path& path) {
    std::error_code error;
    fs::create_directories(path.parent_path(), error);
    if (error) throw IoError(path.parent_path().string(), ReasonFromErrno(error.value()));
    fs::path partial = path;
    partial += ".tmp";
    if (!reports::SaveReportPdf(letter, QString::fromStdString(partial.string()))) {
        fs::remove(partial, error);
        throw IoError(path.string(), "impossibile scrivere il PDF");
    }
    fs::rename(partial, path, error);
    if (error) {
        const std::string reason = ReasonFromErrno(error.value());
        fs::remove(partial, error);
        throw IoError(path.string(), reason);
    }
}

}  // namespace braxol::preventive
