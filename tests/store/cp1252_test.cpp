#include <gtest/gtest.h>

#include <string>

#include "store/cp1252.h"

namespace braxol {
namespace {

TEST(Cp1252, EveryByteRoundTripsThroughUtf8) {
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        const std::string utf8 = Utf8FromCp1252(byte);
        EXPECT_EQ(Cp1252FromUtf8(utf8), byte) << "byte " << b;
        if (b < 0x80) {
            EXPECT_EQ(utf8, byte) << "byte " << b;
        } else {
            EXPECT_GE(utf8.size(), 2u) << "byte " << b;
        }
    }
}

TEST(Cp1252, AllBytesInOneTextRoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(Cp1252FromUtf8(Utf8FromCp1252(all)), all);
}

struct Pair {
    std::string cp1252;
    std::string utf8;
};

class Cp1252Pairs : public testing::TestWithParam<Pair> {};

TEST_P(Cp1252Pairs, ConvertBothWays) {
    EXPECT_EQ(Utf8FromCp1252(GetParam().cp1252), GetParam().utf8);
    EXPECT_EQ(Cp1252FromUtf8(GetParam().utf8), GetParam().cp1252);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Cp1252Pairs,
    testing::Values(Pair{"\x80", "\xE2\x82\xAC"},  // €
                    Pair{"\xE0", "\xC3\xA0"},      // à
                    Pair{"\xC8", "\xC3\x88"},      // È
                    Pair{"\xF9", "\xC3\xB9"},      // ù
                    Pair{"\xA0", "\xC2\xA0"},      // no-break space
                    Pair{"\xFF", "\xC3\xBF"},      // ÿ
                    Pair{"\x8A", "\xC5\xA0"},      // Š
                    Pair{"\x9F", "\xC5\xB8"},      // Ÿ
                    Pair{"\x92", "\xE2\x80\x99"},  // ’
                    Pair{"\x85", "\xE2\x80\xA6"},  // …
                    Pair{"\x96", "\xE2\x80\x93"},  // –
                    Pair{"\x81", "\xC2\x81"},      // undefined: its own C1 value
                    Pair{"\x9D", "\xC2\x9D"},      //
                    Pair{"", ""}, Pair{"CITT\xC0 100 \x80", "CITT\xC3\x80 100 \xE2\x82\xAC"}));

struct Unmappable {
    std::string utf8;
    std::string cp1252;
};

class Cp1252Unmappable : public testing::TestWithParam<Unmappable> {};

TEST_P(Cp1252Unmappable, BecomesQuestionMark) {
    EXPECT_EQ(Cp1252FromUtf8(GetParam().utf8), GetParam().cp1252);
}

INSTANTIATE_TEST_SUITE_P(Rows, Cp1252Unmappable,
                         testing::Values(Unmappable{"\xE6\xBC\xA2", "?"},      // 漢
                                         Unmappable{"\xF0\x9F\x98\x80", "?"},  // an emoji, 4 bytes
                                         Unmappable{"\xC4\x80", "?"},          // Ā
                                         Unmappable{"a\xE2\x82\xACz\xE2\x84\xA2\xE2\x88\x9E",
                                                    "a\x80z\x99?"},          // ∞
                                         Unmappable{"\xFF", "?"},            // not UTF-8 at all
                                         Unmappable{"\x80", "?"},            // a lone continuation
                                         Unmappable{"\xC3", "?"},            // cut short at the end
                                         Unmappable{"\xC3(", "?("},          // bad continuation
                                         Unmappable{"\xED\xA0\x80", "?"}));  // a surrogate

// Overlong forms must not smuggle a NUL, a "/" or plain letters into a record.
TEST(Cp1252, MalformedInputNeverYieldsOtherBytesThanQuestionMarks) {
    for (const std::string s :
         {"\xE2\x82", "\xF0\x9F\x98", "\xF8\x88\x80\x80\x80", "\xFE\xFF", "\xC0\x80", "\xC1\xA1",
          "\xE0\x80\xAF", "\xF0\x80\x80\xAF", "\xF4\x90\x80\x80"}) {
        const std::string out = Cp1252FromUtf8(s);
        EXPECT_FALSE(out.empty());
        EXPECT_EQ(out.find_first_not_of('?'), std::string::npos) << out;
    }
}

// Every lower-case letter of the code page has its capital; the rest stays as it is.
TEST(Cp1252, UpperCaseLetters) {
    auto upper = [](const std::string& utf8) {
        std::string bytes = Cp1252FromUtf8(utf8);
        for (char& c : bytes) c = UpperCp1252(c);
        return Utf8FromCp1252(bytes);
    };
    EXPECT_EQ(upper("birra più chiara"), "BIRRA PIÙ CHIARA");
    EXPECT_EQ(upper("àèéìòùçñöþ šœžÿ"), "ÀÈÉÌÒÙÇÑÖÞ ŠŒŽŸ");
    EXPECT_EQ(upper("÷ ß µ 12,5 € ÀÈ"), "÷ ß µ 12,5 € ÀÈ");
}

}  // namespace
}  // namespace braxol
