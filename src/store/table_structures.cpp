#include "table_structures.h"

#include <algorithm>
#include <system_error>

#include "cp1252.h"
#include "io_error.h"
#include "paths.h"
#include "record_file.h"

namespace braxol {
namespace {

fs::path FileOfTable(const fs::path& datiGen, std::string_view table, std::string_view extension) {
    return ResolvePath(datiGen / (std::string(TrimBlanks(table)) + std::string(extension)));
}

struct Field {
    const char* label;  // UTF-8 in the source, stored as Windows-1252
    std::int32_t width;
};

TableStructure Make(const char* name, const char* title, std::initializer_list<Field> fields,
                    const char* columns) {
    TableStructure s;
    s.keyFields = 1;
    s.name = name;
    s.title = Cp1252FromUtf8(title);
    std::size_t i = 0;
    for (const Field& f : fields) {
        s.labels[i] = Cp1252FromUtf8(f.label);
        s.widths[i] = f.width;
        ++i;
    }
    s.columnNames = Cp1252FromUtf8(columns);
    return s;
}

// Every table is keyed on its first text slot. Field n describes text slot n-1; the generic
// code-table window shows fields 1 and 2 in LE1 and LE2, and the generic list shows slot 0 and
// every other slot with a width. The tables with a list of their own (ACCISE, PRAZ,
// PROTOCOLLI, TA20) name the columns of that list, in its order.
std::vector<TableStructure> BuildDefaults() {
    return {
        Make("TA20", "Codici doganali identificativi dei prodotti (TA20)",
             {{"Codice doganale del prodotto", 21}, {"Descrizione", 250}},
             "Codice;Descrizione;Valido dal;Valido al;"),
        Make("ACCISE", "Tabella delle Accise", {{"Capitolo", 5}},
             "Dalla data;Importo dell'accisa su Hlg;Capitolo;"),
        Make("TA03", "Uffici Doganali", {{"Ufficio Dogana", 8}, {"Descrizione", 100}},
             "Ufficio Dogana;Descrizione;"),
        Make("TA05C", "Tipi di Documento (TA05-c)", {{"Tipo Documento", 3}, {"Descrizione", 100}},
             "Tipo Documento;Descrizione;"),
        Make("PRAZ", "Tipi di birra prodotti",
             {{"Tipo di birra in produzione", 100}, {"Codice doganale del prodotto", 21}},
             "Tipo di birra in produzione;Coefficiente di resa per la produzione;"
             "Codice doganale del prodotto;Grado Plato;"),
        Make("PROTOCOLLI", "Protocollo dei Registri delle produzioni proprie",
             {{"N. del Protocollo", 10},
              {"", 0},
              {"Dati dell'ufficio vidimante il registro delle produzioni (max 200)", 200}},
             "N. del Protocollo;Data del Protocollo;Valido dalla data;"),
        Make("MATPRIME", "Tabella Materie Prime", {{"Materia Prima", 21}}, "Materia Prima;"),
    };
}

}  // namespace

int TableStructure::keyCount() const {
    return std::clamp<int>(keyFields, 0, TTABELLA::kTexts);
}

std::vector<std::string> TableStructure::columns() const {
    std::vector<std::string> names;
    std::string_view rest = columnNames;
    while (!rest.empty()) {
        const auto end = rest.find(';');
        const std::string_view name = rest.substr(0, end);
        if (end == std::string_view::npos) {
            if (!TrimBlanks(name).empty()) names.emplace_back(TrimBlanks(name));
            break;
        }
        names.emplace_back(TrimBlanks(name));
        rest.remove_prefix(end + 1);
    }
    return names;
}

fs::path StructureFile(const fs::path& datiGen, std::string_view table) {
    return FileOfTable(datiGen, table, ".STR");
}

fs::path TableFile(const fs::path& datiGen, std::string_view table) {
    return FileOfTable(datiGen, table, ".TAB");
}

fs::path TableCsvFile(const fs::path& datiGen, std::string_view table) {
    return FileOfTable(datiGen, table, ".CSV");
}

bool IsValidTableName(std::string_view table) {
    const std::string_view name = TrimBlanks(table);
    if (name < std::string_view("0")) return false;
    return name.find_first_of(std::string_view("/\\\0", 3)) == std::string_view::npos;
}

TableStructure StructureFromRecord(const TTABELLA& record) {
    TableStructure s;
    s.keyFields = record.number;
    for (int i = 0; i < kTableFields; ++i) {
        s.labels[i] = record.text[i].trimmed();
        s.widths[i] = record.integer[i];
    }
    s.name = record.text[10].trimmed();
    s.title = record.text[11].trimmed();
    s.columnNames = record.text[12].trimmed();
    return s;
}

TTABELLA StructureRecord(const TableStructure& s) {
    TTABELLA r = BlankTabella();
    r.number = s.keyFields;
    for (int i = 0; i < kTableFields; ++i) {
        r.text[i].set(s.labels[i]);
        r.integer[i] = s.widths[i];
    }
    r.text[10].set(TrimBlanks(s.name));
    r.text[11].set(s.title);
    r.text[12].set(s.columnNames);
    PadTabella(r);
    return r;
}

std::optional<TableStructure> ReadTableStructure(const fs::path& datiGen, std::string_view table) {
    const auto records = ReadRecords<TTABELLA>(StructureFile(datiGen, table), false);
    if (records.empty()) return std::nullopt;
    return StructureFromRecord(records.front());
}

void WriteTableStructure(const fs::path& datiGen, const TableStructure& structure) {
    if (!IsValidTableName(structure.name))
        throw IoError(structure.name, "nome della tabella non valido");
    const TTABELLA record = StructureRecord(structure);
    WriteRecords<TTABELLA>(StructureFile(datiGen, structure.name), std::span(&record, 1));
}

std::span<const TableStructure> DefaultStructures() {
    static const std::vector<TableStructure> defaults = BuildDefaults();
    return defaults;
}

std::optional<TableStructure> DefaultStructure(std::string_view table) {
    const std::string wanted = UpperAscii(std::string(TrimBlanks(table)));
    for (const TableStructure& s : DefaultStructures())
        if (s.name == wanted) return s;
    return std::nullopt;
}

std::vector<std::string> CreateMissingStructures(const fs::path& datiGen) {
    std::vector<std::string> created;
    for (const TableStructure& s : DefaultStructures()) {
        const fs::path file = StructureFile(datiGen, s.name);
        std::error_code ec;
        const bool exists = fs::exists(fs::symlink_status(file, ec));
        if (ec && ec != std::errc::no_such_file_or_directory)
            throw IoError(file.string(), ReasonFromErrno(ec.value()));
        if (exists) continue;
        WriteTableStructure(datiGen, s);
        created.push_back(s.name);
    }
    return created;
}

}  // namespace braxol
