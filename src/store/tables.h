#pragma once
// The code tables: DATI_GEN/<table>.TAB, TTABELLA records described by DATI_GEN/<table>.STR
// (table_structures.h). In a table record text slot 0 is the key and text slot 10 the table's
// name. Tables are kept in ascending order of the padded text slot 0, compared byte by byte;
// the excise and protocol tables are kept in date order instead.
//
// Writers take the file's lock marker and replace the file whole (record_file.h), so a crash
// leaves the old or the new table. A missing table reads as empty and is created by the first
// writer. Every failure throws IoError; a file that does not hold whole records throws
// DamagedFileError and is never written.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "records.h"
#include "table_structures.h"

namespace braxol {

namespace fs = std::filesystem;

// Shown by the windows when FindByKey finds no structure, and when a table window opens on a
// table without one.
inline constexpr std::string_view kMissingFileStructureMessage = "STRUTTURA DEL FILE MANCANTE";
inline constexpr std::string_view kMissingTableStructureMessage =
    "STRUTTURA DELLA TABELLA MANCANTE";

// Slots of the excise table ACCISE: text 0 the budget chapter, number 0 the valid-from date,
// number 1 the excise per hectolitre-degree.
inline constexpr int kExciseDateSlot = 0;
inline constexpr int kExciseRateSlot = 1;
// Slot of the protocol table PROTOCOLLI that orders it: number 1, the register's valid-from date.
inline constexpr int kProtocolValidFromSlot = 1;

enum class KeyLookup { Found, NotFound, NoStructure };

struct TableLookup {
    KeyLookup status = KeyLookup::NotFound;
    TTABELLA record = BlankTabella();  // the found record, or the blank one; trimmed

    bool found() const { return status == KeyLookup::Found; }
};

// How a key is matched: byte by byte, or without regard to the case of letters (a beer type
// typed in lower case finds the type the table holds in upper case).
enum class LetterCase { Exact, Ignored };

// The first record of <table>.TAB whose text slots 0..k-1 (k from the structure) equal those
// of `key`, both padded. With k = 0 that is the first record. NoStructure when <table>.STR is
// missing or empty: the caller shows kMissingFileStructureMessage and answers "not found".
TableLookup FindByKey(const fs::path& datiGen, std::string_view table, const TTABELLA& key,
                      LetterCase letterCase = LetterCase::Exact);

// The first record with this record number, trimmed; nothing when there is none.
std::optional<TTABELLA> ReadByNumber(std::int32_t number, const fs::path& tableFile);

// Pads the record and, under the lock marker, numbers it when its number is 0 (1 + the largest
// number in the file) and writes it before the first record whose text slot 0 is greater, or
// at the end. Returns the record as stored.
TTABELLA InsertTableRecord(const fs::path& tableFile, TTABELLA record);

// As InsertTableRecord, for the tables kept in date order: the record goes before the first
// record whose number slot `dateSlot` is later than its own (kExciseDateSlot for ACCISE,
// kProtocolValidFromSlot for PROTOCOLLI).
TTABELLA InsertTableRecordByDate(const fs::path& tableFile, TTABELLA record, int dateSlot);

// Under the lock marker, removes the first record with this number; the following records move
// up one place. False, and the file unchanged, when there is none.
bool DeleteTableRecord(std::int32_t number, const fs::path& tableFile);

enum class RateMode {
    Exact,    // the first record whose valid-from date is the given day
    InForce,  // the last record, in file order, whose valid-from date is not after the day
};

struct ExciseRate {
    bool found = false;                // InForce: only when the rate is above 0.001
    TTABELLA record = BlankTabella();  // the record the mode selects, or the blank one; trimmed
};

// The excise rate of DATI_GEN/ACCISE.TAB at a date; dates are compared as whole days
// (RoundDecimals with 0 decimals).
ExciseRate ExciseRateAt(const fs::path& datiGen, RateMode mode, double date);

// The table record one line of a CSV import gives: the first ten ";"-separated fields become
// text slots 0-9, fields 3 and 4 being flags (empty or blank: "N", "X": "S"); text slot 10 the
// table name; number 0. Nothing for a line to skip: empty, or starting with a blank, a control
// character or "!". The line is Windows-1252 text without its line end.
std::optional<TTABELLA> RecordFromCsvLine(std::string_view line, std::string_view table);

// Replaces <table>.TAB with the records of DATI_GEN/<table>.CSV, placed and numbered as if
// inserted one by one into an empty table, and returns how many there are. The CSV file is
// read before anything is written: when it is missing or unreadable the table stays as it was.
std::size_t ImportTableCsv(const fs::path& datiGen, std::string_view table);

// The same operations on records in memory, for the file operations above and for windows
// that change several records at once. Numbering a record in a table that already holds the
// largest int32 throws std::overflow_error (IoError from the file operations).
std::optional<std::size_t> FindKeyIn(std::span<const TTABELLA> records, const TTABELLA& key,
                                     int keyFields, LetterCase letterCase = LetterCase::Exact);
TTABELLA PlaceTableRecord(std::vector<TTABELLA>& records, TTABELLA record);
TTABELLA PlaceTableRecordByDate(std::vector<TTABELLA>& records, TTABELLA record, int dateSlot);
bool RemoveTableRecord(std::vector<TTABELLA>& records, std::int32_t number);

}  // namespace braxol
