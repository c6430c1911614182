#pragma once
// DATI_GEN/PROTMP.TXT: the lines of the office box of the register of one raw material
// ("Estremi del protocollo della Dogana"), saved at every print and shown again when the
// window opens. Windows-1252 text, each line ended by CR LF.

#include <QString>
#include <filesystem>
#include <optional>

namespace braxol::rawmaterials {

namespace fs = std::filesystem;

inline constexpr const char* kOfficeBoxFileName = "PROTMP.TXT";

// The text of the box, its lines joined by "\n"; nothing when the file does not exist. Throws
// IoError.
std::optional<QString> ReadOfficeBox(const fs::path& datiGen);
// Replaces the file with the text's lines. Throws IoError; the old file then stays.
void SaveOfficeBox(const fs::path& datiGen, const QString& text);

}  // namespace braxol::rawmaterials
