#pragma once
// A record as one JSON object: keys are the field names, strings trimmed and in UTF-8,
// numbers (dates too) as JSON numbers that read back to the same double. A table record is
// {"number":n,"text":[20 strings],"int":[10],"num":[30]}. Numbers that JSON cannot hold
// (NaN, infinities) are written as the strings "NaN", "Infinity", "-Infinity".

#include <cstddef>
#include <stdexcept>
#include <string>

#include <nlohmann/json.hpp>

#include "file_kinds.h"

namespace braxol::records {

// A JSON line that does not describe a record of the kind; the message is in Italian.
class JsonRecordError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

nlohmann::ordered_json RecordToJson(RecordKind kind, const std::byte* record);
// Fills `record` (RecordSize(kind) bytes): blank values first, then the keys given; strings
// padded. Throws JsonRecordError.
void RecordFromJson(RecordKind kind, const nlohmann::json& object, std::byte* record);

}  // namespace braxol::records
