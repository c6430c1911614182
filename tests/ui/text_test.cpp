// Texts typed in the windows become Windows-1252 record bytes: what the code page holds stays,
// the rest becomes its nearest Windows-1252 writing.

#include <gtest/gtest.h>

#include "ui/text.h"

namespace braxol {
namespace {

TEST(RecordText, LettersOutsideWindows1252BecomeTheirPlainForm) {
    struct Row {
        const char* typed;  // UTF-8
        std::string bytes;  // Windows-1252
    } rows[] = {
        {"Birra chiara", "Birra chiara"},
        {"città € 10 – più", "citt\xE0 \x80 10 \x96 pi\xF9"},  // all in the code page
        {"Gődöllő", "God\xF6llo"},
        {"Łódź",
         "L\xF3"
         "dz"},
        {"Ðakovo đ",
         "\xD0"
         "akovo d"},  // "Ð" is in the code page, "đ" is not
        {"ﬁltrata", "filtrata"},
        {"Ā ă ș ț", "A a s t"},
        {"x−y ‐ ″", "x-y - \""},
        {"漢字 ?", "?? ?"},
        {"😀", "?"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(ui::ToRecord(QString::fromUtf8(r.typed)), r.bytes) << r.typed;
}

TEST(RecordText, EveryWindows1252CharacterGoesBackAndForth) {
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(ui::ToRecord(ui::FromRecord(all)), all);
}

}  // namespace
}  // namespace braxol
