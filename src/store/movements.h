#pragma once
// The yearly movement files (productions and washes .RGM, records E and R .DER, raw materials
// .MPR, preventive communications .PRV, register requests PROTRETE.DAT) and the operations
// that every entry window shares. The writers take the file's lock marker; each change
// replaces the file whole, so a crash leaves the old or the new file.

#include <cstdint>
#include <filesystem>
#include <vector>

#include "lock.h"
#include "paths.h"
#include "record_file.h"
#include "records.h"

namespace braxol {

using MovementFile = RecordFile<TMOVIMENTO>;

// Opens a movement file, creating it empty when missing. Throws IoError.
MovementFile OpenOrCreate(const fs::path& path);
// Every record of the file, in file order (the scan of all readers).
std::vector<TMOVIMENTO> ScanMovements(const fs::path& path);

// Stores the record in its place, numbering it when its NUMOPE is 0. `selected` is the stored
// record being changed (NUMOPE 0 when none): a changed record keeps its PROGRE. Returns the
// record as stored.
TMOVIMENTO AddMovement(const fs::path& path, TMOVIMENTO record, const TMOVIMENTO& selected);

// Removes the first record with this NUMOPE; false (file unchanged) when there is none.
bool DeleteMovement(std::int32_t numope, const fs::path& path);

enum class RectifyMode { CancelOnly, Rectify };

// Marks the target cancelled and adds its cancellation record and, when rectifying, the
// replacing record, right after it. False (file unchanged) when the target is not found.
bool CancelOrRectify(const fs::path& path, const TMOVIMENTO& target, TMOVIMENTO record,
                     RectifyMode mode);

// Runs `op` on the file (found case-insensitively, created when missing) under its lock marker;
// `op` saves what it changed. Returns what `op` returns.
template <class Op>
auto WithMovementFile(const fs::path& given, Op&& op) {
    const fs::path path = ResolvePath(given);
    FileLock lock(path);
    MovementFile file = MovementFile::OpenOrCreate(path);
    return op(file);
}

// Stock of raw material q.PRODDO at the date q.DATMOV over REGISTRI/<year>.MPR from 2014 on:
// the exact decimal sum of the quantities, each taken to 5 decimals (store/decimal.h), as the
// nearest Double. A file holding quantities beyond any stock throws IoError naming it. A window
// that asks often keeps a RawMaterialLedger (raw_material_stock.h) instead.
double RawMaterialStock(const fs::path& registri, const TMOVIMENTO& query);

// The same operations on records in memory, for the file operations above and for windows
// that change several records at once.
TMOVIMENTO PlaceMovement(std::vector<TMOVIMENTO>& records, TMOVIMENTO record,
                         const TMOVIMENTO& selected);
bool RemoveMovement(std::vector<TMOVIMENTO>& records, std::int32_t numope);
bool CancelOrRectifyIn(std::vector<TMOVIMENTO>& records, const TMOVIMENTO& target,
                       TMOVIMENTO record, RectifyMode mode);

}  // namespace braxol
