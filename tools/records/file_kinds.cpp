#include "file_kinds.h"

#include "store/paths.h"
#include "store/records.h"

namespace braxol::records {

std::optional<RecordKind> KindOfFile(const std::filesystem::path& file) {
    const std::string name = UpperAscii(file.filename().string());
    if (name == "UTENTE.001") return RecordKind::Company;
    if (name == "ACCOUNT_PEC.DAT" || name == "CP.DAT") return RecordKind::Table;
    if (name == "VERS_ZYMOTEC.DAT") return RecordKind::ReleaseDate;
    const std::string ext = UpperAscii(file.extension().string());
    for (const char* e : {".RGM", ".DER", ".MPR", ".PRV", ".DAT", ".MOV", ".MP"})
        if (ext == e) return RecordKind::Movement;
    for (const char* e : {".TAB", ".STR", ".CFG"})
        if (ext == e) return RecordKind::Table;
    return std::nullopt;
}

std::optional<RecordKind> KindFromName(const std::string& name) {
    const std::string n = UpperAscii(name);
    if (n == "TMOVIMENTO") return RecordKind::Movement;
    if (n == "TUTENTE") return RecordKind::Company;
    if (n == "TTABELLA") return RecordKind::Table;
    if (n == "DOUBLE") return RecordKind::ReleaseDate;
    return std::nullopt;
}

std::string KindName(RecordKind kind) {
    switch (kind) {
        case RecordKind::Movement:
            return "TMOVIMENTO";
        case RecordKind::Company:
            return "TUTENTE";
        case RecordKind::Table:
            return "TTABELLA";
        case RecordKind::ReleaseDate:
            return "DOUBLE";
    }
    return "";
}

std::size_t RecordSize(RecordKind kind) {
    switch (kind) {
        case RecordKind::Movement:
            return sizeof(TMOVIMENTO);
        case RecordKind::Company:
            return sizeof(TUTENTE);
        case RecordKind::Table:
            return sizeof(TTABELLA);
        case RecordKind::ReleaseDate:
            return sizeof(double);
    }
    return 0;
}

std::span<const FieldInfo> FieldsOf(RecordKind kind) {
    static const FieldInfo kDate[] = {{"date", FieldType::Double, 0, 0}};
    switch (kind) {
        case RecordKind::Movement:
            return MovementFields();
        case RecordKind::Company:
            return TutenteFields();
        case RecordKind::Table:
            return TabellaFields();
        case RecordKind::ReleaseDate:
            return kDate;
    }
    return {};
}

}  // namespace braxol::records
