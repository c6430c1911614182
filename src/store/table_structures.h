#pragma once
// The structure of a code table: DATI_GEN/<table>.STR, one TTABELLA record that tells how many
// text slots form the key, the label and width of the ten text fields, the table's title and
// the column names of its list. Texts are Windows-1252 bytes, as in the files.
//
// Structure record:  number = key fields; text 0-9 = labels of fields 1-10 (field n is text
// slot n-1 of the table records); integer 0-9 = widths (0 = field not used); text 10 = table
// name; text 11 = title; text 12 = column names, each ended by ";".

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "records.h"

namespace braxol {

namespace fs = std::filesystem;

inline constexpr int kTableFields = 10;

struct TableStructure {
    std::int32_t keyFields = 0;                       // text slots 0..k-1 form the key
    std::array<std::string, kTableFields> labels;     // "ETICHETTA CAMPO" of fields 1-10
    std::array<std::int32_t, kTableFields> widths{};  // "DIM" of fields 1-10, in characters
    std::string name;                                 // "NOME TABELLA"
    std::string title;                                // "TITOLO TABELLA": window and list caption
    std::string columnNames;                          // "NOMI DEI CAMPI SEPARATI DA ;"

    // The key fields as the lookups use them: a stored count below 0 counts as 0, one above
    // the number of text slots as all of them.
    int keyCount() const;
    // The column names, each trimmed. A last name without its ";" is taken as well.
    std::vector<std::string> columns() const;

    bool operator==(const TableStructure&) const = default;
};

// The files of a table in DATI_GEN, found case-insensitively; a missing file keeps the name
// given (trimmed) and the upper-case extension.
fs::path StructureFile(const fs::path& datiGen, std::string_view table);  // <table>.STR
fs::path TableFile(const fs::path& datiGen, std::string_view table);      // <table>.TAB
fs::path TableCsvFile(const fs::path& datiGen, std::string_view table);   // <table>.CSV

// A name under which a table may be created: trimmed, it compares not below "0", and it holds
// no path separator.
bool IsValidTableName(std::string_view table);

// Conversion between the structure and its record (the record padded, as it is stored).
TableStructure StructureFromRecord(const TTABELLA& record);
TTABELLA StructureRecord(const TableStructure& structure);

// The first record of <table>.STR; nothing when the file is missing or empty. A damaged file
// throws DamagedFileError, any other failure IoError.
std::optional<TableStructure> ReadTableStructure(const fs::path& datiGen, std::string_view table);

// Recreates <name>.STR holding the one structure record (name trimmed). An invalid name, a
// damaged existing file or a failed write throws IoError; the old file then stays as it was.
void WriteTableStructure(const fs::path& datiGen, const TableStructure& structure);

// The structures that the program's windows and lists expect for its own tables: TA20, ACCISE,
// TA03, TA05C, PRAZ, PROTOCOLLI, MATPRIME.
std::span<const TableStructure> DefaultStructures();
std::optional<TableStructure> DefaultStructure(std::string_view table);

// Writes the default structure of each of the program's tables whose structure file does not
// exist; an existing file (even an empty or damaged one) is left alone. Returns the names of
// the tables whose structure was written. Throws IoError.
std::vector<std::string> CreateMissingStructures(const fs::path& datiGen);

}  // namespace braxol
