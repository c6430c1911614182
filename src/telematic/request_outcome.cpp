#include "telematic/request_outcome.h"

#include <optional>

#include "store/dates.h"
#include "store/record_file.h"
#include "telematic/request_flow_file.h"
#include "ui/seams.h"
#include "ui/text.h"

namespace braxol::telematic {
namespace {

constexpr qsizetype kCodeAt = 42;     // character 43
constexpr qsizetype kTextAfter = 43;  // from character 44

// Where the values stand from the start of their word, and how much of the line is taken.
constexpr qsizetype kNumberFrom = 6;  // "Numero"
constexpr qsizetype kNumberTaken = 17;
constexpr qsizetype kNumberLength = 10;
constexpr qsizetype kDateFrom = 25;  // "Data"
constexpr qsizetype kDateTaken = 37;
constexpr qsizetype kTitleFrom = 7;  // "Titolo"
constexpr qsizetype kTitleTaken = 208;

const QStringList kBlockWords = {"Record", "Tipologia", "Titolo",    "Data",
                                 "Tipo ",  "Famiglia",  "annullato", "chiuso"};

// The text of the line that starts `from` characters after `word` and spans at most `taken`
// characters more than the word's position; nothing when the line has no such word.
std::optional<QString> After(const QString& line, const QString& word, qsizetype from,
                             qsizetype taken) {
    const qsizetype at = line.indexOf(word);
    if (at < 0) return std::nullopt;
    return line.mid(at + from, at + taken).trimmed();
}

// A details line holds no control character of a damaged document.
QString Printable(QString text) {
    for (QChar& c : text)
        if (c.category() == QChar::Other_Control) c = ' ';
    return text;
}

class Capture {
public:
    explicit Capture(double today) : today_(today) {}

    void start(const QString& recordLine) {
        finish();
        current_ = BlankMovement();
        current_.DATFLU = today_;
        if (const auto year = YearOfDate(today_)) current_.ANNPRO.set(std::to_string(*year));
        const auto number = After(recordLine, QStringLiteral("Numero"), kNumberFrom, kNumberTaken);
        ui::SetField(current_.NUMPRO, number ? number->left(kNumberLength).trimmed() : QString());
        release_ = recordLine.contains(QStringLiteral("ha rilasciato"));
        open_ = true;
    }
    void date(const QString& line) {
        if (!open_) return;
        const auto text = After(line, QStringLiteral("Data"), kDateFrom, kDateTaken);
        if (!text) return;
        if (const auto date = ParseDate(text->toStdString())) current_.DATMOV = *date;
    }
    void title(const QString& line) {
        if (!open_) return;
        if (const auto text = After(line, QStringLiteral("Titolo"), kTitleFrom, kTitleTaken))
            ui::SetField(current_.ANNOTA, *text);
    }
    // The block in progress, kept when it is a release that names its protocol.
    void finish() {
        if (open_ && release_ && !current_.NUMPRO.trimmed().empty()) {
            PadMovement(current_);
            releases.push_back(current_);
        }
        open_ = false;
    }
    std::vector<TMOVIMENTO> releases;

private:
    double today_;
    TMOVIMENTO current_ = BlankMovement();
    bool release_ = false;
    bool open_ = false;
};

}  // namespace

RequestOutcome ReadRequestOutcome(const QStringList& lines, double today) {
    RequestOutcome result;
    OutcomeReading& reading = result.reading;
    Capture capture(today);
    bool recordSeen = false;
    const QString id = QString::fromLatin1(kRequestFlowId.data(), kRequestFlowId.size());
    for (const QString& line : lines) {
        if (line.contains(id)) {
            recordSeen = true;
            // A record line cut short of its outcome code tells nothing: it is no acceptance.
            if (line.size() <= kCodeAt)
                reading.outcome = kOutcomeNegative;
            else
                reading.outcome = line[kCodeAt] == '0' ? kOutcomePositive : kOutcomeRejected;
            reading.details << reading.outcome << Printable(line.mid(kTextAfter));
            continue;
        }
        if (!recordSeen) continue;
        bool inBlock = false;
        for (const QString& word : kBlockWords) inBlock = inBlock || line.contains(word);
        if (!inBlock) continue;
        reading.details << Printable(line);
        if (line.contains(QStringLiteral("Record"))) capture.start(line);
        if (line.contains(QStringLiteral("Data"))) capture.date(line);
        if (line.contains(QStringLiteral("Titolo"))) capture.title(line);
    }
    capture.finish();
    result.releases = std::move(capture.releases);
    return result;
}

OutcomeReader RequestOutcomeReader(std::filesystem::path tempFolder) {
    return [tempFolder](const QStringList& lines) {
        RequestOutcome outcome = ReadRequestOutcome(lines, ui::Today());
        RebuildWorkingFile<TMOVIMENTO>(tempFolder / kReleasesFileName, outcome.releases);
        return outcome.reading;
    };
}

}  // namespace braxol::telematic
