#include "telematic/assigned_protocols.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "store/io_error.h"
#include "store/lock.h"
#include "store/movements.h"
#include "store/paths.h"
#include "store/record_file.h"
#include "store/table_structures.h"
#include "store/tables.h"
#include "telematic/register_requests.h"

namespace braxol::telematic {
namespace {

constexpr const char* kProtocolTable = "PROTOCOLLI";
constexpr int kProtocolDateSlot = 0;
constexpr int kHeadingSlot = 2;
constexpr int kTableNameSlot = 10;
constexpr double kHalfDay = 0.5;

bool SameNumber(std::string_view stored, std::string_view number) {
    return !TrimBlanks(number).empty() && TrimBlanks(stored) == TrimBlanks(number);
}

}  // namespace

fs::path ProtocolTableFile(const WorkFolders& folders) {
    return ResolvePath(TableFile(folders.datiGen, kProtocolTable));
}

TTABELLA ProtocolEntryOf(const TMOVIMENTO& request) {
    TTABELLA entry = BlankTabella();
    entry.text[0].set(request.NUMPRO.trimmed());
    entry.num[kProtocolDateSlot] = request.DATFLU;
    entry.num[kProtocolValidFromSlot] = request.DATMOV;
    entry.text[kHeadingSlot].set(request.ANNOTA.trimmed());
    entry.text[kTableNameSlot].set(kProtocolTable);
    PadTabella(entry);
    return entry;
}

TTABELLA PlaceAssignedProtocol(std::vector<TTABELLA>& table, TTABELLA entry) {
    PadTabella(entry);
    const auto sameNumber = std::find_if(table.begin(), table.end(), [&](const TTABELLA& r) {
        return SameNumber(r.text[0].view(), entry.text[0].view());
    });
    if (sameNumber != table.end()) {
        TTABELLA stored = *sameNumber;
        stored.num[kProtocolDateSlot] = entry.num[kProtocolDateSlot];
        stored.num[kProtocolValidFromSlot] = entry.num[kProtocolValidFromSlot];
        table.erase(sameNumber);
        return PlaceTableRecordByDate(table, stored, kProtocolValidFromSlot);
    }
    const double start = entry.num[kProtocolValidFromSlot];
    const auto sameStart = std::find_if(table.begin(), table.end(), [start](const TTABELLA& r) {
        return std::fabs(r.num[kProtocolValidFromSlot] - start) < kHalfDay;
    });
    if (sameStart != table.end()) {
        sameStart->text[0] = entry.text[0];
        sameStart->num[kProtocolDateSlot] = entry.num[kProtocolDateSlot];
        return *sameStart;
    }
    entry.number = 0;
    return PlaceTableRecordByDate(table, entry, kProtocolValidFromSlot);
}

bool ProtocolRecorded(std::span<const TMOVIMENTO> requests, std::span<const TTABELLA> table,
                      std::string_view number) {
    for (const TMOVIMENTO& r : requests)
        if (IsReleaseRequest(r) && SameNumber(r.NUMPRO.view(), number)) return true;
    for (const TTABELLA& t : table)
        if (SameNumber(t.text[0].view(), number)) return true;
    return false;
}

bool RecordAssignedProtocol(const WorkFolders& folders, const TMOVIMENTO& request) {
    const fs::path requestsPath = ResolvePath(folders.requestsFile());
    const fs::path tablePath = ProtocolTableFile(folders);
    FileLock requestsLock(requestsPath);
    FileLock tableLock(tablePath);
    MovementFile requests = MovementFile::OpenOrCreate(requestsPath);
    RecordFile<TTABELLA> table = RecordFile<TTABELLA>::OpenOrCreate(tablePath);
    const auto at = FindRequest(requests.records(), request.NUMOPE);
    if (!at) return false;
    TMOVIMENTO stored = request;
    PadMovement(stored);
    requests.RewriteInPlace(*at, stored);
    try {
        PlaceAssignedProtocol(table.records(), ProtocolEntryOf(stored));
    } catch (const std::overflow_error& e) {
        throw IoError(tablePath.string(), e.what());
    }
    table.save();
    requests.save();
    return true;
}

std::optional<std::size_t> PendingReleaseFor(std::span<const TMOVIMENTO> requests,
                                             std::span<const TTABELLA> table,
                                             const TMOVIMENTO& captured,
                                             std::span<const std::int32_t> offered) {
    if (captured.NUMPRO.trimmed().empty()) return std::nullopt;
    if (ProtocolRecorded(requests, table, captured.NUMPRO.view())) return std::nullopt;
    for (std::size_t i = 0; i < requests.size(); ++i) {
        const TMOVIMENTO& r = requests[i];
        if (!IsReleaseRequest(r) || !r.NUMPRO.trimmed().empty()) continue;
        if (std::find(offered.begin(), offered.end(), r.NUMOPE) != offered.end()) continue;
        return i;
    }
    return std::nullopt;
}

}  // namespace braxol::telematic
