#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "store/record_fields.h"
#include "store/records.h"

namespace braxol {
namespace {

TEST(Records, BlankMovementHasBlankTextsAndZeroNumbers) {
    const TMOVIMENTO r = BlankMovement();
    EXPECT_EQ(r.NUMOPE, 0);
    EXPECT_EQ(r.ANNOTA.view(), std::string(250, ' '));
    EXPECT_EQ(r.CODMOV.view(), "   ");
}

// ---- The field lists cover each record --------------------------------------------------

struct LayoutCase {
    const char* name;
    std::span<const FieldInfo> (*fields)();
    std::size_t size;
    std::vector<std::pair<std::size_t, std::size_t>> gaps;  // [from, to)
};

void PrintTo(const LayoutCase& c, std::ostream* os) {
    *os << c.name;
}

class FieldLists : public testing::TestWithParam<LayoutCase> {};

// Every byte of a record belongs to exactly one field, except the alignment gaps: a field
// missing from a list would escape blanking, padding and trimming.
TEST_P(FieldLists, CoverEveryByteButTheGaps) {
    const auto& c = GetParam();
    std::vector<int> owners(c.size, 0);
    for (const auto& f : c.fields()) {
        const std::size_t width = f.type == FieldType::Text     ? f.capacity + 1
                                  : f.type == FieldType::Double ? 8
                                                                : 4;
        ASSERT_LE(f.offset + width, c.size) << f.name;
        for (std::size_t i = f.offset; i < f.offset + width; ++i) ++owners[i];
    }
    std::vector<bool> gap(c.size, false);
    for (auto [from, to] : c.gaps)
        for (std::size_t i = from; i < to; ++i) gap[i] = true;
    for (std::size_t i = 0; i < c.size; ++i)
        EXPECT_EQ(owners[i], gap[i] ? 0 : 1) << c.name << " byte " << i;
}

INSTANTIATE_TEST_SUITE_P(
    Records, FieldLists,
    testing::Values(
        LayoutCase{
            "TMOVIMENTO",
            MovementFields,
            sizeof(TMOVIMENTO),
            {{22, 24}, {63, 64}, {191, 192}, {242, 248}, {282, 288}, {326, 328}, {587, 592}}},
        LayoutCase{"TUTENTE", TutenteFields, sizeof(TUTENTE), {{605, 608}}},
        LayoutCase{"TTABELLA", TabellaFields, sizeof(TTABELLA), {}}));

TEST(Records, FieldNamesAreUnique) {
    for (auto list : {MovementFields(), TutenteFields(), TabellaFields()}) {
        std::set<std::string_view> names;
        for (const auto& f : list) EXPECT_TRUE(names.insert(f.name).second) << f.name;
    }
    EXPECT_EQ(MovementFields().size(), 34u);
    EXPECT_EQ(TutenteFields().size(), 22u);
    EXPECT_EQ(TabellaFields().size(), 61u);
}

// ---- Blank, pad and trim through the raw bytes of each record type ------------------------

// Reads a text field out of a record's bytes, as a file would hold it.
struct RawText {
    unsigned length;
    std::string bytes;  // all N bytes after the length byte
};

RawText TextAt(const void* record, const FieldInfo& f) {
    const auto* p = static_cast<const unsigned char*>(record) + f.offset;
    return {p[0], std::string(reinterpret_cast<const char*>(p + 1), f.capacity)};
}

void SetRawText(void* record, const FieldInfo& f, unsigned length, std::string_view bytes) {
    auto* p = static_cast<unsigned char*>(record) + f.offset;
    p[0] = static_cast<unsigned char>(length);
    std::memset(p + 1, '#', f.capacity);  // what is beyond the length is undefined on disk
    std::memcpy(p + 1, bytes.data(), std::min(bytes.size(), f.capacity));
}

template <class R>
struct Ops {
    static void Blank(R& r);
    static void Pad(R& r);
    static void Trim(R& r);
    static std::span<const FieldInfo> Fields();
};

template <>
struct Ops<TMOVIMENTO> {
    static void Blank(TMOVIMENTO& r) { BlankMovement(r); }
    static void Pad(TMOVIMENTO& r) { PadMovement(r); }
    static void Trim(TMOVIMENTO& r) { TrimMovement(r); }
    static std::span<const FieldInfo> Fields() { return MovementFields(); }
};
template <>
struct Ops<TUTENTE> {
    static void Blank(TUTENTE& r) { BlankTutente(r); }
    static void Pad(TUTENTE& r) { PadTutente(r); }
    static void Trim(TUTENTE& r) { TrimTutente(r); }
    static std::span<const FieldInfo> Fields() { return TutenteFields(); }
};
template <>
struct Ops<TTABELLA> {
    static void Blank(TTABELLA& r) { BlankTabella(r); }
    static void Pad(TTABELLA& r) { PadTabella(r); }
    static void Trim(TTABELLA& r) { TrimTabella(r); }
    static std::span<const FieldInfo> Fields() { return TabellaFields(); }
};

template <class R>
class RecordOps : public testing::Test {};

using RecordTypes = testing::Types<TMOVIMENTO, TUTENTE, TTABELLA>;
TYPED_TEST_SUITE(RecordOps, RecordTypes);

// Numbers of every field set to distinct values, so that a text routine that strays into a
// neighbour shows.
template <class R>
void FillNumbers(R& r) {
    int k = 1;
    for (const auto& f : Ops<R>::Fields()) {
        auto* p = reinterpret_cast<unsigned char*>(&r) + f.offset;
        if (f.type == FieldType::Int32) {
            const std::int32_t v = 1000 + k++;
            std::memcpy(p, &v, 4);
        } else if (f.type == FieldType::Double) {
            const double v = 0.5 + k++;
            std::memcpy(p, &v, 8);
        }
    }
}

template <class R>
void ExpectNumbersFilled(const R& r) {
    int k = 1;
    for (const auto& f : Ops<R>::Fields()) {
        const auto* p = reinterpret_cast<const unsigned char*>(&r) + f.offset;
        if (f.type == FieldType::Int32) {
            std::int32_t v;
            std::memcpy(&v, p, 4);
            EXPECT_EQ(v, 1000 + k++) << f.name;
        } else if (f.type == FieldType::Double) {
            double v;
            std::memcpy(&v, p, 8);
            EXPECT_EQ(v, 0.5 + k++) << f.name;
        }
    }
}

TYPED_TEST(RecordOps, BlankSetsNumbersToZeroAndTextsToBlanks) {
    TypeParam r;
    std::memset(&r, 0xA5, sizeof r);
    Ops<TypeParam>::Blank(r);
    for (const auto& f : Ops<TypeParam>::Fields()) {
        const auto* p = reinterpret_cast<const unsigned char*>(&r) + f.offset;
        if (f.type == FieldType::Text) {
            const RawText t = TextAt(&r, f);
            EXPECT_EQ(t.length, f.capacity) << f.name;
            EXPECT_EQ(t.bytes, std::string(f.capacity, ' ')) << f.name;
        } else {
            const std::size_t width = f.type == FieldType::Double ? 8 : 4;
            for (std::size_t i = 0; i < width; ++i) EXPECT_EQ(p[i], 0) << f.name;
        }
    }
}

TYPED_TEST(RecordOps, BlankRecordsAreByteIdentical) {
    // Two blanks made over different garbage must be the same bytes, gaps included, so that
    // files written from them compare equal.
    TypeParam a, b;
    std::memset(&a, 0x11, sizeof a);
    std::memset(&b, 0xEE, sizeof b);
    Ops<TypeParam>::Blank(a);
    Ops<TypeParam>::Blank(b);
    EXPECT_EQ(std::memcmp(&a, &b, sizeof a), 0);
}

TYPED_TEST(RecordOps, PadFillsEveryTextToItsLengthAndLeavesNumbers) {
    TypeParam r;
    Ops<TypeParam>::Blank(r);
    FillNumbers(r);
    for (const auto& f : Ops<TypeParam>::Fields())
        if (f.type == FieldType::Text) SetRawText(&r, f, 1, "X");
    Ops<TypeParam>::Pad(r);
    for (const auto& f : Ops<TypeParam>::Fields()) {
        if (f.type != FieldType::Text) continue;
        const RawText t = TextAt(&r, f);
        EXPECT_EQ(t.length, f.capacity) << f.name;
        EXPECT_EQ(t.bytes, "X" + std::string(f.capacity - 1, ' ')) << f.name;
    }
    ExpectNumbersFilled(r);
}

TYPED_TEST(RecordOps, TrimRemovesBlanksAtBothEndsAndLeavesNumbers) {
    TypeParam r;
    Ops<TypeParam>::Blank(r);
    FillNumbers(r);
    for (const auto& f : Ops<TypeParam>::Fields()) {
        if (f.type != FieldType::Text) continue;
        std::string text = f.capacity >= 3 ? " A" : "A";
        text.resize(f.capacity, ' ');
        SetRawText(&r, f, static_cast<unsigned>(f.capacity), text);
    }
    Ops<TypeParam>::Trim(r);
    for (const auto& f : Ops<TypeParam>::Fields()) {
        if (f.type != FieldType::Text) continue;
        const RawText t = TextAt(&r, f);
        EXPECT_EQ(t.length, 1u) << f.name;
        EXPECT_EQ(t.bytes[0], 'A') << f.name;
    }
    ExpectNumbersFilled(r);
}

TYPED_TEST(RecordOps, AllBlankTextsTrimToEmpty) {
    TypeParam r;
    Ops<TypeParam>::Blank(r);
    Ops<TypeParam>::Trim(r);
    for (const auto& f : Ops<TypeParam>::Fields()) {
        if (f.type != FieldType::Text) continue;
        EXPECT_EQ(TextAt(&r, f).length, 0u) << f.name;
    }
    Ops<TypeParam>::Pad(r);
    TypeParam blank;
    Ops<TypeParam>::Blank(blank);
    EXPECT_EQ(std::memcmp(&r, &blank, sizeof r), 0);
}

TYPED_TEST(RecordOps, ALengthByteAboveTheFieldIsReadAsItsLength) {
    TypeParam r;
    Ops<TypeParam>::Blank(r);
    FillNumbers(r);
    for (const auto& f : Ops<TypeParam>::Fields())
        if (f.type == FieldType::Text) SetRawText(&r, f, 255, "Z");
    TypeParam padded = r;
    Ops<TypeParam>::Pad(padded);
    Ops<TypeParam>::Trim(r);
    for (const auto& f : Ops<TypeParam>::Fields()) {
        if (f.type != FieldType::Text) continue;
        // Read as N bytes: "Z" and N-1 "#"; nothing from the following field.
        const std::string expected = "Z" + std::string(f.capacity - 1, '#');
        EXPECT_EQ(TextAt(&padded, f).length, f.capacity) << f.name;
        EXPECT_EQ(TextAt(&padded, f).bytes, expected) << f.name;
        EXPECT_EQ(TextAt(&r, f).length, f.capacity) << f.name;
        EXPECT_EQ(TextAt(&r, f).bytes, expected) << f.name;
    }
    ExpectNumbersFilled(r);
    ExpectNumbersFilled(padded);
}

// ---- PStr ---------------------------------------------------------------------------------

TEST(PStr, ALengthByteAboveNIsReadAsN) {
    PStr<4> s;
    std::memcpy(s.data, "ABCD", 4);
    for (int len : {5, 100, 255}) {
        s.len = static_cast<std::uint8_t>(len);
        EXPECT_EQ(s.view(), "ABCD");
        EXPECT_EQ(s.padded(), "ABCD");
        EXPECT_EQ(s.trimmed(), "ABCD");
    }
    s.len = 2;
    EXPECT_EQ(s.view(), "AB");
    EXPECT_EQ(s.padded(), "AB  ");
}

TEST(PStr, SetCutsAndPadsWithBlanks) {
    PStr<4> s;
    s.set("ABCDEFG");
    EXPECT_EQ(s.len, 4);
    EXPECT_EQ(s.view(), "ABCD");
    s.set("A");
    EXPECT_EQ(s.len, 1);
    EXPECT_EQ(std::string(s.data, 4), "A   ");
    s.set("");
    EXPECT_EQ(s.len, 0);
    EXPECT_EQ(s.padded(), "    ");
    s.set("AB");
    s.set(std::string_view{});  // no pointer at all: the sanitized build checks the copy
    EXPECT_EQ(s.len, 0);
    EXPECT_EQ(std::string(s.data, 4), "    ");
}

struct TrimCase {
    std::string stored;
    std::string trimmed;
};

class PStrTrim : public testing::TestWithParam<TrimCase> {};

TEST_P(PStrTrim, RemovesBlanksAndControlsAtBothEnds) {
    PStr<10> s;
    s.set(GetParam().stored);
    EXPECT_EQ(s.trimmed(), GetParam().trimmed);
    s.trim();
    EXPECT_EQ(s.view(), GetParam().trimmed);
    EXPECT_EQ(s.len, GetParam().trimmed.size());
}

INSTANTIATE_TEST_SUITE_P(Rows, PStrTrim,
                         testing::Values(TrimCase{"", ""}, TrimCase{"          ", ""},
                                         TrimCase{"  AB  ", "AB"}, TrimCase{"A B", "A B"},
                                         TrimCase{"\tAB\r\n", "AB"}, TrimCase{"AB", "AB"},
                                         TrimCase{std::string("\0AB\0", 4), "AB"},
                                         TrimCase{" \xE0 ", "\xE0"},  // à is not a blank
                                         TrimCase{"ABCDEFGHIJ", "ABCDEFGHIJ"}));

TEST(PStr, ComparisonIsOnThePaddedText) {
    PStr<3> s;
    s.set("C");
    EXPECT_TRUE(s == "C");
    EXPECT_TRUE(s == "C  ");
    EXPECT_FALSE(s == " C");
    EXPECT_FALSE(s == "CC");
    s.set("");
    EXPECT_TRUE(s == "   ");
    EXPECT_TRUE(s == "");
    s.blank();
    EXPECT_EQ(s.len, 3);
    EXPECT_TRUE(s == "   ");
}

TEST(Records, PadThenTrimGivesTheTypedText) {
    TMOVIMENTO r = BlankMovement();
    r.ANNOTA.set("  nota di prova ");
    r.STATO.set("C");
    r.CODPAE.set("2");
    PadMovement(r);
    EXPECT_EQ(r.ANNOTA.len, 250);
    EXPECT_EQ(r.CODPAE.view(), "2 ");
    TrimMovement(r);
    EXPECT_EQ(r.ANNOTA.view(), "nota di prova");
    EXPECT_EQ(r.STATO.view(), "C");
    EXPECT_EQ(r.CODPAE.view(), "2");
}

TEST(Records, TabellaSecondGroupOfSlots) {
    TTABELLA t = BlankTabella();
    t.text[10].set(" dieci ");
    t.text[19].set("diciannove");
    t.integer[9] = 9;
    t.num[29] = 29.5;
    TrimTabella(t);
    EXPECT_EQ(t.text[10].view(), "dieci");
    EXPECT_EQ(t.text[19].view(), "diciannove");
    EXPECT_EQ(t.text[9].view(), "");
    PadTabella(t);
    EXPECT_EQ(t.text[19].len, 250);
    EXPECT_EQ(t.integer[9], 9);
    EXPECT_EQ(t.num[29], 29.5);
    // slot 10 starts at byte 2514
    EXPECT_EQ(reinterpret_cast<const char*>(&t)[2514], static_cast<char>(250));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&t) + 2515, 5), "dieci");
}

}  // namespace
}  // namespace braxol
