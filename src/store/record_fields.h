#pragma once
// The field list of each record layout, so that blanking, padding, trimming, the support tool
// and the file checks share one description of the records.

#include <cstddef>
#include <span>
#include <string_view>

#include "records.h"

namespace braxol {

enum class FieldType { Int32, Double, Text };

struct FieldInfo {
    std::string_view name;
    FieldType type;
    std::size_t offset;
    std::size_t capacity;  // N of a text field; 0 for numbers
};

std::span<const FieldInfo> MovementFields();
std::span<const FieldInfo> TutenteFields();
// TTABELLA as a field list: "number", text slots "text0".."text19", "int0".."int9", "num0".."num29".
std::span<const FieldInfo> TabellaFields();

// Generic operations on a record's bytes through its field list.
void BlankFields(std::byte* record, std::size_t size, std::span<const FieldInfo> fields);
void PadFields(std::byte* record, std::span<const FieldInfo> fields);
void TrimFields(std::byte* record, std::span<const FieldInfo> fields);

}  // namespace braxol
