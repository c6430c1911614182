#include "record_fields.h"

#include <array>
#include <cstring>
#include <string>
#include <vector>

namespace braxol {
namespace {

#define INT_FIELD(R, F) FieldInfo{#F, FieldType::Int32, offsetof(R, F), 0}
#define DBL_FIELD(R, F) FieldInfo{#F, FieldType::Double, offsetof(R, F), 0}
#define TXT_FIELD(R, F) FieldInfo{#F, FieldType::Text, offsetof(R, F), decltype(R::F)::capacity}

const FieldInfo kMovement[] = {
    INT_FIELD(TMOVIMENTO, NUMOPE), INT_FIELD(TMOVIMENTO, RIFOPE), DBL_FIELD(TMOVIMENTO, DATFLU),
    INT_FIELD(TMOVIMENTO, NUMFLU), TXT_FIELD(TMOVIMENTO, STATO),  DBL_FIELD(TMOVIMENTO, DATMOV),
    TXT_FIELD(TMOVIMENTO, TIPREC), TXT_FIELD(TMOVIMENTO, TIPRIC), TXT_FIELD(TMOVIMENTO, TIPREG),
    TXT_FIELD(TMOVIMENTO, CODUFF), TXT_FIELD(TMOVIMENTO, ANNPRO), TXT_FIELD(TMOVIMENTO, NUMPRO),
    INT_FIELD(TMOVIMENTO, PROGRE), TXT_FIELD(TMOVIMENTO, PRODAZ), TXT_FIELD(TMOVIMENTO, PRODDO),
    DBL_FIELD(TMOVIMENTO, QUANTI), DBL_FIELD(TMOVIMENTO, COERES), DBL_FIELD(TMOVIMENTO, LITPRO),
    INT_FIELD(TMOVIMENTO, INTER1), INT_FIELD(TMOVIMENTO, INTER2), DBL_FIELD(TMOVIMENTO, ETTOGR),
    DBL_FIELD(TMOVIMENTO, GRAPLA), TXT_FIELD(TMOVIMENTO, FLAGS1), DBL_FIELD(TMOVIMENTO, DATPEC),
    TXT_FIELD(TMOVIMENTO, TIPDOC), TXT_FIELD(TMOVIMENTO, NUMDOC), DBL_FIELD(TMOVIMENTO, DATDOC),
    TXT_FIELD(TMOVIMENTO, CODPAE), TXT_FIELD(TMOVIMENTO, MITDES), TXT_FIELD(TMOVIMENTO, TIPMOV),
    TXT_FIELD(TMOVIMENTO, CODMOV), TXT_FIELD(TMOVIMENTO, CODACC), DBL_FIELD(TMOVIMENTO, ACCISA),
    TXT_FIELD(TMOVIMENTO, ANNOTA),
};

const FieldInfo kTutente[] = {
    INT_FIELD(TUTENTE, RISERV0), TXT_FIELD(TUTENTE, CACCI1),  TXT_FIELD(TUTENTE, RISERV1),
    TXT_FIELD(TUTENTE, DENOM1),  TXT_FIELD(TUTENTE, INDACC1), TXT_FIELD(TUTENTE, PARIVA),
    TXT_FIELD(TUTENTE, CODFIS),  TXT_FIELD(TUTENTE, INDIR1),  TXT_FIELD(TUTENTE, INDIR2),
    TXT_FIELD(TUTENTE, NUMCI1),  TXT_FIELD(TUTENTE, RISERV2), TXT_FIELD(TUTENTE, C_A_P1),
    TXT_FIELD(TUTENTE, DATPSW),  TXT_FIELD(TUTENTE, CITTA1),  TXT_FIELD(TUTENTE, CITTA2),
    TXT_FIELD(TUTENTE, CODUTE),  TXT_FIELD(TUTENTE, UFFDO1),  TXT_FIELD(TUTENTE, RISERV3),
    TXT_FIELD(TUTENTE, SEZDOG),  TXT_FIELD(TUTENTE, INDACC2), TXT_FIELD(TUTENTE, CAUESO),
    TXT_FIELD(TUTENTE, TIPOIN),
};

#undef INT_FIELD
#undef DBL_FIELD
#undef TXT_FIELD

// Names must outlive the table, so they are kept in a static list built once.
std::vector<FieldInfo> BuildTabella() {
    static std::vector<std::string> names;
    std::vector<FieldInfo> f;
    names.reserve(1 + TTABELLA::kTexts + TTABELLA::kIntegers + TTABELLA::kNumbers);
    auto name = [](std::string n) -> std::string_view { return names.emplace_back(std::move(n)); };
    f.push_back({name("number"), FieldType::Int32, offsetof(TTABELLA, number), 0});
    for (int i = 0; i < TTABELLA::kTexts; ++i)
        f.push_back({name("text" + std::to_string(i)), FieldType::Text,
                     offsetof(TTABELLA, text) + i * sizeof(PStr<250>), 250});
    for (int i = 0; i < TTABELLA::kIntegers; ++i)
        f.push_back({name("int" + std::to_string(i)), FieldType::Int32,
                     offsetof(TTABELLA, integer) + i * sizeof(std::int32_t), 0});
    for (int i = 0; i < TTABELLA::kNumbers; ++i)
        f.push_back({name("num" + std::to_string(i)), FieldType::Double,
                     offsetof(TTABELLA, num) + i * sizeof(double), 0});
    return f;
}

// Text field access through raw bytes: byte 0 is the length, then N bytes of text.
std::string_view TextAt(const std::byte* rec, const FieldInfo& f) {
    const auto* p = reinterpret_cast<const char*>(rec + f.offset);
    std::size_t len = static_cast<unsigned char>(p[0]);
    if (len > f.capacity) len = f.capacity;
    return {p + 1, len};
}

void SetTextAt(std::byte* rec, const FieldInfo& f, std::string_view s) {
    auto* p = reinterpret_cast<char*>(rec + f.offset);
    const std::size_t n = std::min(s.size(), f.capacity);
    std::memmove(p + 1, s.data(), n);
    std::memset(p + 1 + n, ' ', f.capacity - n);
    p[0] = static_cast<char>(static_cast<unsigned char>(n));
}

}  // namespace

std::span<const FieldInfo> MovementFields() { return kMovement; }
std::span<const FieldInfo> TutenteFields() { return kTutente; }
std::span<const FieldInfo> TabellaFields() {
    static const std::vector<FieldInfo> fields = BuildTabella();
    return fields;
}

void BlankFields(std::byte* record, std::size_t size, std::span<const FieldInfo> fields) {
    std::memset(record, 0, size);
    for (const auto& f : fields)
        if (f.type == FieldType::Text) SetTextAt(record, f, std::string(f.capacity, ' '));
}

void PadFields(std::byte* record, std::span<const FieldInfo> fields) {
    for (const auto& f : fields) {
        if (f.type != FieldType::Text) continue;
        std::string s(TextAt(record, f));
        s.resize(f.capacity, ' ');
        SetTextAt(record, f, s);
    }
}

void TrimFields(std::byte* record, std::span<const FieldInfo> fields) {
    for (const auto& f : fields) {
        if (f.type != FieldType::Text) continue;
        const std::string s(TrimBlanks(TextAt(record, f)));
        SetTextAt(record, f, s);
    }
}

}  // namespace braxol
