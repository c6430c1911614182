#include "preventive/rtf_text.h"

#include <QStringDecoder>
#include <cctype>
#include <vector>

#include "store/cp1252.h"

namespace braxol::preventive {
namespace {

constexpr std::string_view kHeader =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}\\uc1\\pard\\f0"
    "\\fs20 ";

// Groups whose content is not text of the document.
bool IsSkippedDestination(std::string_view word) {
    static const char* const kSkipped[] = {"fonttbl",
                                           "colortbl",
                                           "stylesheet",
                                           "info",
                                           "pict",
                                           "object",
                                           "header",
                                           "footer",
                                           "headerl",
                                           "headerr",
                                           "footerl",
                                           "footerr",
                                           "listtable",
                                           "listoverridetable",
                                           "rsidtbl",
                                           "generator",
                                           "xmlnstbl",
                                           "themedata",
                                           "colorschememapping",
                                           "latentstyles",
                                           "datastore",
                                           "fldinst",
                                           "filetbl",
                                           "revtbl",
                                           "bkmkstart",
                                           "bkmkend",
                                           "field"};
    for (const char* s : kSkipped)
        if (word == s) return true;
    return false;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

QString FromCp1252(char byte) {
    return QString::fromStdString(Utf8FromCp1252(std::string_view(&byte, 1)));
}

QString NotRtf(std::string_view bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (utf8.hasError()) text = QString::fromStdString(Utf8FromCp1252(bytes));
    return text;
}

}  // namespace

std::string PlainTextToRtf(const QString& text) {
    std::string out(kHeader);
    const QString normal = QString(text).replace("\r\n", "\n").replace('\r', '\n');
    for (QChar c : normal) {
        const char16_t u = c.unicode();
        if (u == '\n') {
            out += "\\par\n";
        } else if (u == '\t') {
            out += "\\tab ";
        } else if (u == '\\' || u == '{' || u == '}') {
            out += '\\';
            out += static_cast<char>(u);
        } else if (u >= 0x20 && u < 0x7f) {
            out += static_cast<char>(u);
        } else {
            const std::string byte = Cp1252FromUtf8(QString(c).toStdString());
            if (byte.size() == 1 && (byte != "?")) {
                static const char* hex = "0123456789abcdef";
                const auto b = static_cast<unsigned char>(byte[0]);
                out += "\\'";
                out += hex[b >> 4];
                out += hex[b & 15];
            } else {
                // \u takes a signed 16-bit number; "?" is what a reader without Unicode shows.
                out += "\\u" + std::to_string(static_cast<std::int16_t>(u)) + "?";
            }
        }
    }
    // Every paragraph ends with \par, the last one too, as word processors write it.
    out += "\\par\n}";
    return out;
}

QString RtfToPlainText(std::string_view rtf) {
    if (rtf.substr(0, 5) != "{\\rtf") return NotRtf(rtf);
    struct Group {
        bool skip = false;
        int fallback = 1;  // characters after \uN that stand for it
    };
    std::vector<Group> groups{Group{}};
    QString out;
    int toSkip = 0;  // fallback characters still to pass over
    auto put = [&](const QString& s) {
        if (groups.back().skip) return;
        if (toSkip > 0) {
            --toSkip;
            return;
        }
        out += s;
    };
    std::size_t i = 0;
    while (i < rtf.size()) {
        const char c = rtf[i];
        if (c == '{') {
            groups.push_back(groups.back());
            ++i;
        } else if (c == '}') {
            if (groups.size() > 1) groups.pop_back();
            toSkip = 0;
            ++i;
        } else if (c == '\r' || c == '\n') {
            ++i;
        } else if (c != '\\') {
            put(FromCp1252(c));
            ++i;
        } else if (i + 1 >= rtf.size()) {
            ++i;
        } else {
            const char next = rtf[i + 1];
            if (std::isalpha(static_cast<unsigned char>(next))) {
                std::size_t j = i + 1;
                while (j < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[j]))) ++j;
                const std::string_view word = rtf.substr(i + 1, j - i - 1);
                bool hasNumber = false;
                long number = 0;
                bool negative = false;
                if (j < rtf.size() && rtf[j] == '-') {
                    negative = true;
                    ++j;
                }
                while (j < rtf.size() && std::isdigit(static_cast<unsigned char>(rtf[j]))) {
                    number = number * 10 + (rtf[j] - '0');
                    hasNumber = true;
                    ++j;
                }
                if (negative) number = -number;
                if (j < rtf.size() && rtf[j] == ' ') ++j;  // the delimiter belongs to the word
                i = j;
                if (word == "par" || word == "line") {
                    put("\n");
                } else if (word == "tab") {
                    put("\t");
                } else if (word == "uc" && hasNumber) {
                    groups.back().fallback = static_cast<int>(number);
                } else if (word == "u" && hasNumber) {
                    if (number < 0) number += 65536;
                    put(QString(QChar(static_cast<char16_t>(number))));
                    toSkip = groups.back().fallback;
                } else if (word == "emdash") {
                    put(QString(QChar(0x2014)));
                } else if (word == "endash") {
                    put(QString(QChar(0x2013)));
                } else if (IsSkippedDestination(word)) {
                    groups.back().skip = true;
                }
            } else if (next == '\'') {
                const int high = i + 2 < rtf.size() ? HexValue(rtf[i + 2]) : -1;
                const int low = i + 3 < rtf.size() ? HexValue(rtf[i + 3]) : -1;
                if (high >= 0 && low >= 0) {
                    put(FromCp1252(static_cast<char>(high * 16 + low)));
                    i += 4;
                } else {
                    i += 2;
                }
            } else if (next == '*') {
                groups.back().skip = true;
                i += 2;
            } else if (next == '\n' || next == '\r') {
                put("\n");
                i += 2;
            } else if (next == '~') {
                put(" ");
                i += 2;
            } else if (next == '_') {
                put("-");
                i += 2;
            } else if (next == '-') {
                i += 2;
            } else {
                put(QString(QChar(next)));  // \\ \{ \} and any other symbol stand for themselves
                i += 2;
            }
        }
    }
    // The last paragraph's \par ends the text; it adds no line of its own.
    if (out.endsWith('\n')) out.chop(1);
    return out;
}

}  // namespace braxol::preventive
