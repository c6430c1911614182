#pragma once
// Which record a data file holds, told by its name.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

#include "store/record_fields.h"

namespace braxol::records {

enum class RecordKind { Movement, Company, Table, ReleaseDate };

// Known names first (UTENTE.001, ACCOUNT_PEC.DAT, CP.DAT, VERS_ZYMOTEC.DAT), then the
// extension: .RGM .DER .MPR .PRV .DAT .MOV .MP movements; .TAB .STR .CFG tables.
std::optional<RecordKind> KindOfFile(const std::filesystem::path& file);
// "TMOVIMENTO", "TUTENTE", "TTABELLA", "DOUBLE" (any case) as given to --kind.
std::optional<RecordKind> KindFromName(const std::string& name);
std::string KindName(RecordKind kind);

std::size_t RecordSize(RecordKind kind);
// The fields of the record; ReleaseDate is one Double named "date".
std::span<const FieldInfo> FieldsOf(RecordKind kind);

}  // namespace braxol::records
