// How a text is laid on the lines of a report: on one line, or wrapped into a box.

#include "reports/report.h"

namespace braxol::reports {
namespace {

// Characters that a font does not draw as themselves: C0 and C1 controls, DEL, and the Unicode
// line and paragraph separators, at which a text layout would break the line.
bool IsControl(QChar c) {
    const char16_t u = c.unicode();
    return u < 0x20 || (u >= 0x7F && u <= 0x9F) || u == 0x2028 || u == 0x2029;
}

}  // namespace

QString OneLine(const QString& text) {
    const auto first = std::find_if(text.begin(), text.end(), IsControl);
    if (first == text.end()) return text;
    QString line;
    line.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        line += IsControl(text[i]) ? QChar(' ') : text[i];
    }
    return line;
}

QStringList WrapText(const QString& text, double width,
                     const std::function<double(const QString&)>& measure) {
    QStringList lines;
    QString normalised = text;
    normalised.replace("\r\n", "\n").replace('\r', '\n');
    for (const QString& paragraph : normalised.split('\n')) {
        QString line;
        for (QString word : OneLine(paragraph).split(' ')) {
            const QString candidate = line.isEmpty() ? word : line + " " + word;
            if (measure(candidate) <= width) {
                line = candidate;
                continue;
            }
            if (!line.isEmpty()) lines << line;
            // A word wider than the box is cut where the box ends.
            while (word.size() > 1 && measure(word) > width) {
                qsizetype fit = 1;
                while (fit < word.size() && measure(word.left(fit + 1)) <= width) ++fit;
                lines << word.left(fit);
                word = word.mid(fit);
            }
            line = word;
        }
        lines << line;
    }
    return lines;
}

}  // namespace braxol::reports
