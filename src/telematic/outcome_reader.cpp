#include "telematic/outcome_reader.h"

#include <QStringDecoder>

#include "store/cp1252.h"

namespace braxol::telematic {
namespace {

constexpr qsizetype kRegistrationAt = 27;  // characters 28-42
constexpr qsizetype kRegistrationLength = 15;
constexpr qsizetype kCodeAt = 42;     // character 43
constexpr qsizetype kMessageAt = 2;   // character 3
constexpr qsizetype kSampled = 4096;  // bytes looked at to recognise UTF-16 without a mark

QString LineText(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError()) return text;
    return QString::fromStdString(Utf8FromCp1252(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))));
}

// UTF-16 written without a byte-order mark: ASCII text has a zero in every other byte.
std::optional<QStringDecoder::Encoding> Utf16WithoutMark(const QByteArray& document) {
    const qsizetype n = std::min(document.size(), kSampled) / 2 * 2;
    if (n < 4) return std::nullopt;
    qsizetype evenZeros = 0, oddZeros = 0;
    for (qsizetype i = 0; i < n; i += 2) {
        if (document[i] == '\0') ++evenZeros;
        if (document[i + 1] == '\0') ++oddZeros;
    }
    const qsizetype pairs = n / 2;
    if (oddZeros * 10 >= pairs * 9 && evenZeros * 20 <= pairs) return QStringDecoder::Utf16LE;
    if (evenZeros * 10 >= pairs * 9 && oddZeros * 20 <= pairs) return QStringDecoder::Utf16BE;
    return std::nullopt;
}

QStringList SplitLines(const QString& text) {
    QString unified = text;
    unified.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace('\r', '\n');
    QStringList lines = unified.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

// What a details line may hold: no control characters of a binary document.
QString Printable(QString text) {
    for (QChar& c : text)
        if (c.category() == QChar::Other_Control && c != '\t') c = ' ';
    return text;
}

}  // namespace

QStringList OutcomeDocumentLines(const QByteArray& document) {
    std::optional<QStringDecoder::Encoding> utf16;
    if (document.startsWith("\xff\xfe"))
        utf16 = QStringDecoder::Utf16LE;
    else if (document.startsWith("\xfe\xff"))
        utf16 = QStringDecoder::Utf16BE;
    else
        utf16 = Utf16WithoutMark(document);
    if (utf16) {
        QStringDecoder decoder(*utf16, QStringDecoder::Flag::Stateless);
        QString text = decoder(document);
        if (text.startsWith(QChar(0xfeff))) text.remove(0, 1);
        return SplitLines(text);
    }

    QByteArray bytes = document;
    if (bytes.startsWith("\xef\xbb\xbf")) bytes.remove(0, 3);
    bytes.replace("\r\n", "\n").replace('\r', '\n');
    QList<QByteArray> raw = bytes.split('\n');
    if (!raw.isEmpty() && raw.last().isEmpty()) raw.removeLast();
    QStringList lines;
    lines.reserve(raw.size());
    for (const QByteArray& line : raw) lines << LineText(line);
    return lines;
}

OutcomeReading ReadMovementOutcome(const QStringList& lines, const QStringList& identifiers) {
    OutcomeReading reading;
    bool recordSeen = false;
    for (const QString& line : lines) {
        if (recordSeen && line.startsWith(' ') && line.size() > 1) {
            const QString message = Printable(line.mid(kMessageAt));
            if (line[1] == 'S')
                reading.details << QStringLiteral("ACCETTATO CON SEGNALAZIONI: ") + message;
            else if (line[1] == 'E')
                reading.details << QStringLiteral("ERRORE SCARTATO: ") + message;
        }
        bool isRecord = false;
        for (const QString& id : identifiers) isRecord = isRecord || line.contains(id);
        if (!isRecord) continue;
        recordSeen = true;
        reading.details << QStringLiteral("N° REGISTRAZIONE DEL FILE: ") +
                               Printable(line.mid(kRegistrationAt, kRegistrationLength));
        // A record line cut short of its outcome code tells nothing: it is no acceptance.
        if (line.size() <= kCodeAt)
            reading.outcome = kOutcomeNegative;
        else
            reading.outcome = line[kCodeAt] == '0' ? kOutcomePositive : kOutcomeRejected;
        reading.details << reading.outcome;
    }
    return reading;
}

OutcomeReader MovementOutcomeReader(const QStringList& identifiers) {
    return
        [identifiers](const QStringList& lines) { return ReadMovementOutcome(lines, identifiers); };
}

QStringList VerificationIdentifiers() {
    return {QStringLiteral("BRAXOL")};
}

QStringList TransmissionIdentifiers() {
    return {QStringLiteral("BRAXOL"), QStringLiteral("TIRVEN")};
}

}  // namespace braxol::telematic
