#include "rawmaterials/movement_entry.h"

#include <cmath>

#include "production/brew_computation.h"
#include "store/dates.h"
#include "store/movements.h"
#include "store/numbers.h"
#include "store/paths.h"

namespace braxol::rawmaterials {

fs::path RawMaterialFile(const fs::path& registri, double date) {
    return YearFile(registri, YearOfDate(date).value_or(0), ".MPR");
}

bool ExceedsStock(double stock, double quantity) {
    return stock + kQuantityTolerance < quantity;
}

QString StockText(double stock) {
    return QStringLiteral("MAX= ") + QString::fromStdString(FormatAmount(stock, 0, 0));
}

double StockFor(RawMaterialLedger& ledger, const TMOVIMENTO& composed, const TMOVIMENTO& selected) {
    std::optional<StockExclusion> left;
    if (selected.NUMOPE > 0)
        if (const auto year = YearOfDate(selected.DATMOV))
            left = StockExclusion{*year, selected.NUMOPE};
    return ledger.stock(composed, left);
}

bool SameDocument(const TMOVIMENTO& stored, const TMOVIMENTO& composed) {
    return RoundDecimals(stored.DATMOV, 0) == RoundDecimals(composed.DATMOV, 0) &&
           RoundDecimals(stored.DATDOC, 0) == RoundDecimals(composed.DATDOC, 0) &&
           stored.NUMDOC.padded() == composed.NUMDOC.padded() &&
           stored.PRODDO.padded() == composed.PRODDO.padded() &&
           stored.TIPMOV.padded() == composed.TIPMOV.padded() &&
           std::fabs(stored.QUANTI - composed.QUANTI) <= kQuantityTolerance;
}

bool HasSameDocument(const fs::path& registri, const TMOVIMENTO& composed) {
    for (const TMOVIMENTO& r : ScanMovements(RawMaterialFile(registri, composed.DATMOV)))
        if (SameDocument(r, composed)) return true;
    return false;
}

TMOVIMENTO StartMovement(const TMOVIMENTO& selected) {
    TMOVIMENTO r = selected.NUMOPE > 0 ? selected : BlankMovement();
    r.NUMOPE = 0;
    r.RIFOPE = 0;
    r.DATFLU = 0;
    r.NUMFLU = 0;
    r.PROGRE = 0;
    r.STATO.set(" ");
    r.TIPREC.set("C");
    r.TIPRIC.set("I");
    // The blank movement code tells a raw-material record from a production or a wash.
    r.CODMOV.set("   ");
    return r;
}

TMOVIMENTO StoreMovement(const fs::path& registri, TMOVIMENTO composed,
                         const TMOVIMENTO& selected) {
    PadMovement(composed);
    composed.NUMOPE = 0;
    const fs::path target = RawMaterialFile(registri, composed.DATMOV);
    if (selected.NUMOPE <= 0) return AddMovement(target, composed, BlankMovement());

    const fs::path old = RawMaterialFile(registri, selected.DATMOV);
    if (ResolvePath(old) == ResolvePath(target)) {
        return WithMovementFile(target, [&](MovementFile& file) {
            RemoveMovement(file.records(), selected.NUMOPE);
            const TMOVIMENTO stored = PlaceMovement(file.records(), composed, selected);
            file.save();
            return stored;
        });
    }
    const TMOVIMENTO stored = AddMovement(target, composed, selected);
    try {
        DeleteMovement(selected.NUMOPE, old);
    } catch (const IoError& cause) {
        try {
            DeleteMovement(stored.NUMOPE, target);
        } catch (const IoError&) {
            throw production::OldEntryKeptError(cause, stored, selected);
        }
        throw;
    }
    return stored;
}

}  // namespace braxol::rawmaterials
