// The JSON lines that `braxol-records load` turns into records: the first byte chooses the
// kind of record, every further line is one record. A line that is not a record of the kind is
// refused with its message; a record read is dumped back as the tool's dump writes it.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "file_kinds.h"
#include "fuzz_input.h"
#include "record_json.h"

using namespace braxol;
using records::RecordKind;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    static constexpr RecordKind kKinds[] = {RecordKind::Movement, RecordKind::Company,
                                            RecordKind::Table, RecordKind::ReleaseDate};
    const RecordKind kind = kKinds[data[0] % 4];
    std::string_view rest = fuzz::AsText(data + 1, size - 1);
    std::vector<std::byte> record(records::RecordSize(kind));
    while (!rest.empty()) {
        const auto end = rest.find('\n');
        const std::string line(rest.substr(0, end));
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
        try {
            records::RecordFromJson(kind, nlohmann::json::parse(line), record.data());
        } catch (const nlohmann::json::exception&) {
            continue;  // "JSON non valido"
        } catch (const records::JsonRecordError&) {
            continue;  // not a record of the kind: its message, nothing written
        }
        (void)records::RecordToJson(kind, record.data()).dump();
    }
    return 0;
}
