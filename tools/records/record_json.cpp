#include "record_json.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "store/cp1252.h"
#include "store/pstring.h"
#include "store/records.h"

namespace braxol::records {
namespace {

using json = nlohmann::json;
using ojson = nlohmann::ordered_json;

ojson NumberToJson(double v) {
    if (std::isnan(v)) return "NaN";
    if (std::isinf(v)) return v > 0 ? "Infinity" : "-Infinity";
    return v;
}

double NumberFromJson(const json& v, const std::string& key) {
    if (v.is_number()) return v.get<double>();
    if (v.is_string()) {
        const auto s = v.get<std::string>();
        if (s == "NaN") return std::numeric_limits<double>::quiet_NaN();
        if (s == "Infinity") return std::numeric_limits<double>::infinity();
        if (s == "-Infinity") return -std::numeric_limits<double>::infinity();
    }
    throw JsonRecordError("il campo " + key + " deve essere un numero");
}

std::int32_t IntFromJson(const json& v, const std::string& key) {
    if (v.is_number_unsigned() && v.get<std::uint64_t>() > std::uint64_t{INT32_MAX})
        throw JsonRecordError("il campo " + key + " deve essere un intero a 32 bit");
    if (v.is_number_integer()) {
        const auto i = v.get<std::int64_t>();
        if (i >= std::numeric_limits<std::int32_t>::min() &&
            i <= std::numeric_limits<std::int32_t>::max())
            return static_cast<std::int32_t>(i);
    }
    throw JsonRecordError("il campo " + key + " deve essere un intero a 32 bit");
}

std::string TextFromJson(const json& v, const std::string& key, std::size_t capacity) {
    if (!v.is_string()) throw JsonRecordError("il campo " + key + " deve essere un testo");
    const std::string text = v.get<std::string>();
    std::string bytes = Cp1252FromUtf8(text);
    if (Utf8FromCp1252(bytes) != text)
        throw JsonRecordError("il campo " + key +
                              " contiene caratteri che i file del programma non possono contenere");
    if (bytes.size() > capacity)
        throw JsonRecordError("il campo " + key + " supera i " + std::to_string(capacity) +
                              " caratteri");
    return bytes;
}

std::string TextAt(const std::byte* rec, const FieldInfo& f) {
    const auto* p = reinterpret_cast<const char*>(rec + f.offset);
    const std::size_t len = std::min<std::size_t>(static_cast<unsigned char>(p[0]), f.capacity);
    return Utf8FromCp1252(TrimBlanks(std::string_view(p + 1, len)));
}

void SetTextAt(std::byte* rec, const FieldInfo& f, const std::string& bytes) {
    auto* p = reinterpret_cast<char*>(rec + f.offset);
    std::memset(p + 1, ' ', f.capacity);
    std::memcpy(p + 1, bytes.data(), bytes.size());
    p[0] = static_cast<char>(f.capacity);  // stored padded
}

template <class T>
T Load(const std::byte* rec, std::size_t offset) {
    T v;
    std::memcpy(&v, rec + offset, sizeof v);
    return v;
}

template <class T>
void Store(std::byte* rec, std::size_t offset, T v) {
    std::memcpy(rec + offset, &v, sizeof v);
}

ojson FieldToJson(const std::byte* rec, const FieldInfo& f) {
    switch (f.type) {
        case FieldType::Int32:
            return Load<std::int32_t>(rec, f.offset);
        case FieldType::Double:
            return NumberToJson(Load<double>(rec, f.offset));
        case FieldType::Text:
            return TextAt(rec, f);
    }
    return nullptr;
}

void FieldFromJson(std::byte* rec, const FieldInfo& f, const json& v, const std::string& key) {
    switch (f.type) {
        case FieldType::Int32:
            Store(rec, f.offset, IntFromJson(v, key));
            break;
        case FieldType::Double:
            Store(rec, f.offset, NumberFromJson(v, key));
            break;
        case FieldType::Text:
            SetTextAt(rec, f, TextFromJson(v, key, f.capacity));
            break;
    }
}

void Blank(RecordKind kind, std::byte* rec) {
    std::memset(rec, 0, RecordSize(kind));
    if (kind == RecordKind::ReleaseDate) return;
    BlankFields(rec, RecordSize(kind), FieldsOf(kind));
}

// Table records group their slots into arrays.
ojson TableToJson(const std::byte* rec) {
    TTABELLA t;
    std::memcpy(&t, rec, sizeof t);
    ojson o;
    o["number"] = t.number;
    ojson text = ojson::array(), ints = ojson::array(), nums = ojson::array();
    for (const auto& s : t.text) text.push_back(Utf8FromCp1252(s.trimmed()));
    for (auto i : t.integer) ints.push_back(i);
    for (auto d : t.num) nums.push_back(NumberToJson(d));
    o["text"] = text;
    o["int"] = ints;
    o["num"] = nums;
    return o;
}

void TableFromJson(const json& o, std::byte* rec) {
    TTABELLA t = BlankTabella();
    auto array = [&](const char* key, std::size_t size) -> const json* {
        if (!o.contains(key)) return nullptr;
        const json& a = o.at(key);
        if (!a.is_array() || a.size() > size)
            throw JsonRecordError(std::string("il campo ") + key +
                                  " deve essere un elenco di al più " + std::to_string(size) +
                                  " valori");
        return &a;
    };
    for (const auto& [key, value] : o.items())
        if (key != "number" && key != "text" && key != "int" && key != "num")
            throw JsonRecordError("campo sconosciuto: " + key);
    if (o.contains("number")) t.number = IntFromJson(o.at("number"), "number");
    if (const json* a = array("text", TTABELLA::kTexts))
        for (std::size_t i = 0; i < a->size(); ++i) {
            const std::string key = "text[" + std::to_string(i) + "]";
            t.text[i].set(TextFromJson((*a)[i], key, 250));
            t.text[i].pad();
        }
    if (const json* a = array("int", TTABELLA::kIntegers))
        for (std::size_t i = 0; i < a->size(); ++i)
            t.integer[i] = IntFromJson((*a)[i], "int[" + std::to_string(i) + "]");
    if (const json* a = array("num", TTABELLA::kNumbers))
        for (std::size_t i = 0; i < a->size(); ++i)
            t.num[i] = NumberFromJson((*a)[i], "num[" + std::to_string(i) + "]");
    std::memcpy(rec, &t, sizeof t);
}

}  // namespace

ojson RecordToJson(RecordKind kind, const std::byte* record) {
    if (kind == RecordKind::Table) return TableToJson(record);
    ojson o = ojson::object();
    for (const auto& f : FieldsOf(kind)) o[std::string(f.name)] = FieldToJson(record, f);
    return o;
}

void RecordFromJson(RecordKind kind, const json& object, std::byte* record) {
    if (!object.is_object()) throw JsonRecordError("ogni riga deve essere un oggetto JSON");
    if (kind == RecordKind::Table) return TableFromJson(object, record);
    Blank(kind, record);
    const auto fields = FieldsOf(kind);
    for (const auto& item : object.items()) {
        // Not a structured binding: clang 14 cannot capture one in the lambda.
        const std::string& key = item.key();
        const json& value = item.value();
        const auto f = std::find_if(fields.begin(), fields.end(),
                                    [&](const FieldInfo& fi) { return fi.name == key; });
        if (f == fields.end()) throw JsonRecordError("campo sconosciuto: " + key);
        FieldFromJson(record, *f, value, key);
    }
}

}  // namespace braxol::records
