#include "telematic/register_requests.h"

#include <algorithm>
#include <limits>

#include "store/io_error.h"
#include "store/movements.h"

namespace braxol::telematic {

bool FamilyAccepted(int family) {
    return family >= kFirstFamily && family <= kLastFamily;
}

TMOVIMENTO NewRequest(char kind) {
    TMOVIMENTO r = BlankMovement();
    r.TIPREC.set("B");
    r.TIPRIC.set(std::string(1, kind));
    r.TIPREG.set("F");
    r.FLAGS1.set("S");
    return r;
}

bool IsReleaseRequest(const TMOVIMENTO& r) {
    return r.TIPREC == "B" && r.TIPRIC == std::string(1, kReleaseRequest);
}

std::optional<std::size_t> FindRequest(const std::vector<TMOVIMENTO>& requests,
                                       std::int32_t numope) {
    const auto it = std::find_if(requests.begin(), requests.end(),
                                 [numope](const TMOVIMENTO& r) { return r.NUMOPE == numope; });
    if (it == requests.end()) return std::nullopt;
    return static_cast<std::size_t>(it - requests.begin());
}

TMOVIMENTO AppendRequest(std::vector<TMOVIMENTO>& requests, TMOVIMENTO request) {
    std::int32_t largest = 0;
    for (const TMOVIMENTO& r : requests) largest = std::max(largest, r.NUMOPE);
    if (largest == std::numeric_limits<std::int32_t>::max())
        throw IoError("PROTRETE.DAT", "numeri delle richieste esauriti");
    PadMovement(request);
    request.NUMOPE = largest + 1;
    requests.push_back(request);
    return request;
}

TMOVIMENTO AddRequest(const fs::path& file, TMOVIMENTO request) {
    return WithMovementFile(file, [&](MovementFile& f) {
        const TMOVIMENTO stored = AppendRequest(f.records(), request);
        f.save();
        return stored;
    });
}

std::optional<TMOVIMENTO> AddModification(const fs::path& file, std::int32_t chosen,
                                          TMOVIMENTO modification) {
    return WithMovementFile(file, [&](MovementFile& f) -> std::optional<TMOVIMENTO> {
        auto& records = f.records();
        const auto at = FindRequest(records, chosen);
        if (!at) return std::nullopt;
        PadMovement(modification);
        TMOVIMENTO& request = records[*at];
        request.DATMOV = modification.DATMOV;
        request.ANNOTA = modification.ANNOTA;
        request.INTER1 = modification.INTER1;
        const TMOVIMENTO stored = AppendRequest(records, modification);
        f.save();
        return stored;
    });
}

}  // namespace braxol::telematic
