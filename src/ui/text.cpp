#include "ui/text.h"

#include <QList>
#include <algorithm>

namespace braxol::ui {
namespace {

// Windows-1252 bytes of one code point; "?" when the code page has no such character.
std::string Cp1252Of(char32_t c) {
    return Cp1252FromUtf8(QString::fromUcs4(&c, 1).toStdString());
}

bool Holds(char32_t c) {
    return c == U'?' || Cp1252Of(c) != "?";
}

// Letters and signs that no decomposition brings back to Windows-1252.
char32_t LookAlike(char32_t c) {
    switch (c) {
        case U'ł':
            return U'l';
        case U'Ł':
            return U'L';
        case U'đ':
            return U'd';
        case U'Đ':
            return U'D';
        case U'ħ':
            return U'h';
        case U'Ħ':
            return U'H';
        case U'ı':
            return U'i';
        case U'ŧ':
            return U't';
        case U'Ŧ':
            return U'T';
        case U'ŋ':
            return U'n';
        case U'Ŋ':
            return U'N';
        case U'ĸ':
            return U'k';
        case U'ə':
            return U'e';
        case U'Ə':
            return U'E';
        case U'‐':
        case U'‑':
        case U'‒':
        case U'−':
        case U'⁃':
            return U'-';
        case U'′':
        case U'‛':
            return U'\'';
        case U'″':
        case U'‟':
            return U'"';
        case U'\u00A0':
        case U'\u2007':
        case U'\u202F':
            return U' ';
        default:
            return 0;
    }
}

std::string Replacement(char32_t c) {
    if (const char32_t look = LookAlike(c)) return Cp1252Of(look);
    const QString decomposed = QString::fromUcs4(&c, 1).normalized(QString::NormalizationForm_KD);
    std::string bytes;
    for (const char32_t part : decomposed.toUcs4()) {
        if (QChar::isMark(part)) continue;  // the accent of a decomposed letter
        if (Holds(part))
            bytes += Cp1252Of(part);
        else if (const char32_t look = LookAlike(part))
            bytes += Cp1252Of(look);
        else
            return "?";
    }
    return bytes.empty() ? "?" : bytes;
}

}  // namespace

std::string ToRecord(const QString& text) {
    // Most texts hold nothing that Windows-1252 lacks: one conversion does.
    std::string plain = Cp1252FromUtf8(text.toStdString());
    if (std::count(plain.begin(), plain.end(), '?') == text.count(QLatin1Char('?'))) return plain;
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (const char32_t c : text.toUcs4()) bytes += Holds(c) ? Cp1252Of(c) : Replacement(c);
    return bytes;
}

}  // namespace braxol::ui
