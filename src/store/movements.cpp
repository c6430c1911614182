#include "movements.h"

#include <algorithm>

#include "dates.h"
#include "lock.h"
#include "numbers.h"
#include "paths.h"
#include "raw_material_stock.h"

namespace braxol {
namespace {

bool IsActiveInsertion(const TMOVIMENTO& r) {
    return r.TIPRIC == "I" && !(r.STATO == "C");
}

bool IsTribute(const TMOVIMENTO& r) { return r.TIPREC == "E" || r.TIPREC == "R"; }

// Where the new record goes: before which stored record, or over which one.
struct Placement {
    enum Kind { Append, InsertBefore, Replace } kind = Append;
    std::size_t position = 0;
};

Placement FindPlace(const std::vector<TMOVIMENTO>& records, const TMOVIMENTO& n) {
    const double newDay = n.DATMOV;
    const bool isRegister = n.TIPREC == "C";
    for (std::size_t i = 0; i < records.size(); ++i) {
        const TMOVIMENTO& r = records[i];
        const bool replace = r.NUMFLU == 0 && IsActiveInsertion(r) && IsTribute(n) &&
                             r.CODPAE.padded() == n.CODPAE.padded() &&
                             r.TIPREC.padded() == n.TIPREC.padded();
        if (replace) return {Placement::Replace, i};

        bool insert = false;
        if (isRegister) {
            const double day = RoundDecimals(r.DATMOV, 0);
            if (day > newDay && IsActiveInsertion(r)) {
                insert = true;
            } else if (day == newDay) {
                const bool rawMaterial = r.CODMOV == "   ";
                // On one day raw-material loads precede unloads, and productions and washes
                // follow their meter readings.
                insert = rawMaterial ? r.TIPMOV == "S" : r.INTER1 >= n.INTER2;
            }
        } else if (IsTribute(n)) {
            insert = r.CODPAE.padded() > n.CODPAE.padded();
        }
        if (insert) return {Placement::InsertBefore, i};
    }
    return {Placement::Append, records.size()};
}

}  // namespace

MovementFile OpenOrCreate(const fs::path& path) {
    return MovementFile::OpenOrCreate(ResolvePath(path));
}

std::vector<TMOVIMENTO> ScanMovements(const fs::path& path) {
    return ReadRecords<TMOVIMENTO>(ResolvePath(path), true);
}

TMOVIMENTO PlaceMovement(std::vector<TMOVIMENTO>& records, TMOVIMENTO n,
                         const TMOVIMENTO& selected) {
    PadMovement(n);
    n.DATMOV = RoundDecimals(n.DATMOV, 0);
    if (n.NUMOPE == 0) {
        std::int32_t maxNumope = 0;
        std::int32_t maxProgre = 0;
        for (const auto& r : records) {
            maxNumope = std::max(maxNumope, r.NUMOPE);
            if (!(r.STATO == "C") && (r.TIPRIC == "I" || r.TIPRIC == "A"))
                maxProgre = std::max(maxProgre, r.PROGRE);
        }
        n.NUMOPE = maxNumope + 1;
        n.PROGRE = maxProgre + 1;
    }
    if (selected.NUMOPE > 0 && selected.PROGRE > 0) n.PROGRE = selected.PROGRE;

    const Placement place = FindPlace(records, n);
    switch (place.kind) {
        case Placement::Replace: records[place.position] = n; break;
        case Placement::InsertBefore:
            records.insert(records.begin() + static_cast<std::ptrdiff_t>(place.position), n);
            break;
        case Placement::Append: records.push_back(n); break;
    }
    return n;
}

bool RemoveMovement(std::vector<TMOVIMENTO>& records, std::int32_t numope) {
    const auto it = std::find_if(records.begin(), records.end(),
                                 [&](const TMOVIMENTO& r) { return r.NUMOPE == numope; });
    if (it == records.end()) return false;
    records.erase(it);
    return true;
}

bool CancelOrRectifyIn(std::vector<TMOVIMENTO>& records, const TMOVIMENTO& target,
                       TMOVIMENTO n, RectifyMode mode) {
    PadMovement(n);
    n.NUMOPE = 0;
    std::int32_t maxNumope = 0;
    for (const auto& r : records) maxNumope = std::max(maxNumope, r.NUMOPE);
    const auto it = std::find_if(records.begin(), records.end(),
                                 [&](const TMOVIMENTO& r) { return r.NUMOPE == target.NUMOPE; });
    if (it == records.end()) return false;

    TMOVIMENTO& found = *it;
    const bool registerMovement = found.TIPREC == "C";
    found.STATO.set("C");
    if (registerMovement) found.ANNOTA = n.ANNOTA;
    const TMOVIMENTO cancelled = found;
    auto position = (it - records.begin()) + 1;

    TMOVIMENTO cancellation = cancelled;
    cancellation.NUMOPE = maxNumope + 1;
    cancellation.RIFOPE = target.NUMOPE;
    cancellation.STATO.set(" ");
    cancellation.DATFLU = 0;
    cancellation.NUMFLU = 0;
    cancellation.TIPRIC.set("C");
    cancellation.ANNOTA = n.ANNOTA;
    records.insert(records.begin() + position, cancellation);
    ++position;

    if (mode == RectifyMode::Rectify) {
        n.NUMOPE = maxNumope + 2;
        n.RIFOPE = target.NUMOPE;
        n.STATO.set("R");
        n.TIPRIC.set("I");
        if (registerMovement) n.PROGRE = cancelled.PROGRE;
        records.insert(records.begin() + position, n);
    }
    return true;
}

TMOVIMENTO AddMovement(const fs::path& path, TMOVIMENTO record, const TMOVIMENTO& selected) {
    return WithMovementFile(path, [&](MovementFile& file) {
        const TMOVIMENTO stored = PlaceMovement(file.records(), record, selected);
        file.save();
        return stored;
    });
}

bool DeleteMovement(std::int32_t numope, const fs::path& path) {
    return WithMovementFile(path, [&](MovementFile& file) {
        if (!RemoveMovement(file.records(), numope)) return false;
        file.save();
        return true;
    });
}

bool CancelOrRectify(const fs::path& path, const TMOVIMENTO& target, TMOVIMENTO record,
                     RectifyMode mode) {
    return WithMovementFile(path, [&](MovementFile& file) {
        if (!CancelOrRectifyIn(file.records(), target, record, mode)) return false;
        file.save();
        return true;
    });
}

double RawMaterialStock(const fs::path& registri, const TMOVIMENTO& q) {
    return RawMaterialLedger(registri).stock(q);
}

}  // namespace braxol
