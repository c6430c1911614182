#include "tables/table_edits.h"

#include <stdexcept>

#include "store/io_error.h"
#include "store/lock.h"
#include "store/paths.h"
#include "store/record_file.h"
#include "store/tables.h"

namespace braxol::tables {
namespace {

template <class Place>
TTABELLA Replace(const fs::path& given, std::int32_t oldNumber, Place place) {
    const fs::path path = ResolvePath(given);
    FileLock lock(path);
    auto file = RecordFile<TTABELLA>::OpenOrCreate(path);
    RemoveTableRecord(file.records(), oldNumber);
    TTABELLA stored;
    try {
        stored = place(file.records());
    } catch (const std::overflow_error& e) {
        throw IoError(path.string(), e.what());
    }
    file.save();
    return stored;
}

}  // namespace

TTABELLA ReplaceTableRecord(const fs::path& tableFile, std::int32_t oldNumber, TTABELLA record) {
    return Replace(tableFile, oldNumber, [&](std::vector<TTABELLA>& records) {
        return PlaceTableRecord(records, record);
    });
}

TTABELLA ReplaceTableRecordByDate(const fs::path& tableFile, std::int32_t oldNumber,
                                  TTABELLA record, int dateSlot) {
    return Replace(tableFile, oldNumber, [&](std::vector<TTABELLA>& records) {
        return PlaceTableRecordByDate(records, record, dateSlot);
    });
}

}  // namespace braxol::tables
