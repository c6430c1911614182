#include "tables.h"

#include <algorithm>
#include <cerrno>
#include <limits>
#include <stdexcept>
#include <string>

#include "cp1252.h"
#include "io_error.h"
#include "lock.h"
#include "numbers.h"
#include "paths.h"
#include "record_file.h"

namespace braxol {
namespace {

using TableText = PStr<250>;

// Byte-wise comparison of two text slots as stored, right-padded with blanks; with
// LetterCase::Ignored, of their upper-case letters.
int ComparePadded(const TableText& a, const TableText& b,
                  LetterCase letterCase = LetterCase::Exact) {
    const std::string_view x = a.view();
    const std::string_view y = b.view();
    auto at = [letterCase](std::string_view s, std::size_t i) {
        const char c = i < s.size() ? s[i] : ' ';
        return static_cast<unsigned char>(letterCase == LetterCase::Ignored ? UpperCp1252(c) : c);
    };
    for (std::size_t i = 0; i < TableText::capacity; ++i) {
        const auto cx = at(x, i);
        const auto cy = at(y, i);
        if (cx != cy) return cx < cy ? -1 : 1;
    }
    return 0;
}

void RequireNumberSlot(int slot) {
    if (slot < 0 || slot >= TTABELLA::kNumbers)
        throw std::out_of_range("number slot " + std::to_string(slot));
}

// Pads the record and gives it 1 + the largest number of the table when it has none.
void PrepareForInsertion(const std::vector<TTABELLA>& records, TTABELLA& record) {
    PadTabella(record);
    if (record.number != 0) return;
    std::int32_t largest = 0;
    for (const TTABELLA& r : records) largest = std::max(largest, r.number);
    if (largest == std::numeric_limits<std::int32_t>::max())
        throw std::overflow_error("numeri dei record esauriti");
    record.number = largest + 1;
}

template <class Before>
TTABELLA InsertBeforeFirst(std::vector<TTABELLA>& records, TTABELLA record, Before goesBefore) {
    PrepareForInsertion(records, record);
    const auto at = std::find_if(records.begin(), records.end(),
                                 [&](const TTABELLA& r) { return goesBefore(record, r); });
    records.insert(at, record);
    return record;
}

// The writers take the file's marker and work on the file found case-insensitively.
template <class Op>
auto UnderLock(const fs::path& given, Op&& op) {
    const fs::path path = ResolvePath(given);
    FileLock lock(path);
    RecordFile<TTABELLA> file = RecordFile<TTABELLA>::OpenOrCreate(path);
    try {
        return op(file);
    } catch (const std::overflow_error& e) {
        throw IoError(path.string(), e.what());
    }
}

std::vector<TTABELLA> ReadTable(const fs::path& file) {
    return ReadRecords<TTABELLA>(ResolvePath(file), false);
}

TTABELLA Trimmed(TTABELLA r) {
    TrimTabella(r);
    return r;
}

double Day(double date) {
    return RoundDecimals(date, 0);
}

// Calls `take` with each line of the text, without its end (CR LF, LF or a lone CR).
template <class Take>
void ForEachLine(std::string_view text, Take take) {
    while (!text.empty()) {
        const auto end = text.find_first_of("\r\n");
        if (end == std::string_view::npos) {
            take(text);
            return;
        }
        take(text.substr(0, end));
        const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
        text.remove_prefix(end + (crlf ? 2 : 1));
    }
}

}  // namespace

std::optional<std::size_t> FindKeyIn(std::span<const TTABELLA> records, const TTABELLA& key,
                                     int keyFields, LetterCase letterCase) {
    const int k = std::clamp(keyFields, 0, TTABELLA::kTexts);
    for (std::size_t i = 0; i < records.size(); ++i) {
        bool equal = true;
        for (int s = 0; s < k && equal; ++s)
            equal = ComparePadded(records[i].text[s], key.text[s], letterCase) == 0;
        if (equal) return i;
    }
    return std::nullopt;
}

TTABELLA PlaceTableRecord(std::vector<TTABELLA>& records, TTABELLA record) {
    return InsertBeforeFirst(records, record, [](const TTABELLA& n, const TTABELLA& r) {
        return ComparePadded(r.text[0], n.text[0]) > 0;
    });
}

TTABELLA PlaceTableRecordByDate(std::vector<TTABELLA>& records, TTABELLA record, int dateSlot) {
    RequireNumberSlot(dateSlot);
    return InsertBeforeFirst(records, record, [dateSlot](const TTABELLA& n, const TTABELLA& r) {
        return r.num[dateSlot] > n.num[dateSlot];
    });
}

bool RemoveTableRecord(std::vector<TTABELLA>& records, std::int32_t number) {
    const auto it = std::find_if(records.begin(), records.end(),
                                 [&](const TTABELLA& r) { return r.number == number; });
    if (it == records.end()) return false;
    records.erase(it);
    return true;
}

TableLookup FindByKey(const fs::path& datiGen, std::string_view table, const TTABELLA& key,
                      LetterCase letterCase) {
    TableLookup result;
    if (const auto structure = ReadTableStructure(datiGen, table)) {
        const std::vector<TTABELLA> records = ReadTable(TableFile(datiGen, table));
        if (const auto at = FindKeyIn(records, key, structure->keyCount(), letterCase)) {
            result.status = KeyLookup::Found;
            result.record = records[*at];
        }
    } else {
        result.status = KeyLookup::NoStructure;
    }
    TrimTabella(result.record);
    return result;
}

std::optional<TTABELLA> ReadByNumber(std::int32_t number, const fs::path& tableFile) {
    for (const TTABELLA& r : ReadTable(tableFile))
        if (r.number == number) return Trimmed(r);
    return std::nullopt;
}

TTABELLA InsertTableRecord(const fs::path& tableFile, TTABELLA record) {
    return UnderLock(tableFile, [&](RecordFile<TTABELLA>& file) {
        const TTABELLA stored = PlaceTableRecord(file.records(), record);
        file.save();
        return stored;
    });
}

TTABELLA InsertTableRecordByDate(const fs::path& tableFile, TTABELLA record, int dateSlot) {
    RequireNumberSlot(dateSlot);
    return UnderLock(tableFile, [&](RecordFile<TTABELLA>& file) {
        const TTABELLA stored = PlaceTableRecordByDate(file.records(), record, dateSlot);
        file.save();
        return stored;
    });
}

bool DeleteTableRecord(std::int32_t number, const fs::path& tableFile) {
    return UnderLock(tableFile, [&](RecordFile<TTABELLA>& file) {
        if (!RemoveTableRecord(file.records(), number)) return false;
        file.save();
        return true;
    });
}

ExciseRate ExciseRateAt(const fs::path& datiGen, RateMode mode, double date) {
    const double day = Day(date);
    const std::vector<TTABELLA> records = ReadTable(TableFile(datiGen, "ACCISE"));
    const TTABELLA* chosen = nullptr;
    for (const TTABELLA& r : records) {
        const double from = Day(r.num[kExciseDateSlot]);
        if (mode == RateMode::Exact) {
            if (from == day) {
                chosen = &r;
                break;
            }
        } else if (from <= day) {
            chosen = &r;
        }
    }
    ExciseRate result;
    if (chosen) {
        result.record = *chosen;
        result.found = mode == RateMode::Exact || chosen->num[kExciseRateSlot] > 0.001;
    }
    TrimTabella(result.record);
    return result;
}

std::optional<TTABELLA> RecordFromCsvLine(std::string_view line, std::string_view table) {
    if (line.empty()) return std::nullopt;
    const auto first = static_cast<unsigned char>(line.front());
    if (first <= ' ' || first == '!') return std::nullopt;

    // Forty separators more than the line holds: a short line gives empty fields.
    std::string text(line);
    text.append(40, ';');
    TTABELLA r = BlankTabella();
    std::string_view rest = text;
    for (int slot = 0; slot < kTableFields; ++slot) {
        const auto end = rest.find(';');
        std::string_view field = rest.substr(0, end);
        rest.remove_prefix(end + 1);
        if (slot == 2 || slot == 3) {
            if (TrimBlanks(field).empty())
                field = "N";
            else if (TrimBlanks(field) == "X")
                field = "S";
        }
        r.text[slot].set(field);
    }
    r.text[10].set(TrimBlanks(table));
    r.number = 0;
    PadTabella(r);
    return r;
}

std::size_t ImportTableCsv(const fs::path& datiGen, std::string_view table) {
    if (!IsValidTableName(table))
        throw IoError(std::string(table), "nome della tabella non valido");
    const fs::path csv = TableCsvFile(datiGen, table);
    const auto text = ReadWholeFile(csv);
    if (!text) throw IoError(csv.string(), ReasonFromErrno(ENOENT));

    std::vector<TTABELLA> records;
    ForEachLine(*text, [&](std::string_view line) {
        if (auto r = RecordFromCsvLine(line, table)) records.push_back(*r);
    });
    // Inserted one by one into the emptied table, each record would get 1 + the largest number
    // so far and go after every record whose key is not greater than its own: the records
    // numbered in line order, then sorted by key, equal keys keeping their order.
    for (std::size_t i = 0; i < records.size(); ++i)
        records[i].number = static_cast<std::int32_t>(i + 1);
    std::stable_sort(records.begin(), records.end(), [](const TTABELLA& a, const TTABELLA& b) {
        return ComparePadded(a.text[0], b.text[0]) < 0;
    });

    const fs::path file = TableFile(datiGen, table);
    FileLock lock(file);
    WriteRecords<TTABELLA>(file, records);
    return records.size();
}

}  // namespace braxol
