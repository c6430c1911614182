#pragma once
// Saving a changed table record: the old record is removed and the new one placed in one
// replacement of the file, under its lock marker, so that a failure leaves the table as it
// was and never loses the record.

#include <cstdint>
#include <filesystem>

#include "store/records.h"

namespace braxol::tables {

namespace fs = std::filesystem;

// Removes the record numbered `oldNumber` (when there is one) and inserts `record` in key
// order, numbered 1 + the largest when its number is 0. Returns the record as stored.
// Throws IoError.
TTABELLA ReplaceTableRecord(const fs::path& tableFile, std::int32_t oldNumber, TTABELLA record);

// The same for the tables kept in date order (number slot `dateSlot`).
TTABELLA ReplaceTableRecordByDate(const fs::path& tableFile, std::int32_t oldNumber,
                                  TTABELLA record, int dateSlot);

}  // namespace braxol::tables
