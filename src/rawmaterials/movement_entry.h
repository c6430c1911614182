#pragma once
// What the load and unload window computes and stores, without the window: the checks that
// compare figures, the stock shown for an unload, the document already stored, and the save of
// a new or changed movement in the yearly file REGISTRI/<yyyy>.MPR of its date.

#include <QString>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

#include "store/raw_material_stock.h"
#include "store/records.h"

namespace braxol::rawmaterials {

namespace fs = std::filesystem;

// The messages of the window.
inline const QString kDocumentAfterMovement =
    QStringLiteral("ATTENZIONE LA DATA DEL DOCUMENTO E' SUCCESSIVA A QUELLA DEL MOVIMENTO");
inline const QString kQuantityRequired = QStringLiteral("quantità obbligatoria");
inline const QString kOverStock = QStringLiteral("Quantità superiore alla giacenza ");
inline const QString kDocumentStored = QStringLiteral("ATTENZIONE DOCUMENTO GIA` IN MEMORIA !");

// Loads and unloads.
inline constexpr std::string_view kLoad = "C";
inline constexpr std::string_view kUnload = "S";

// Quantities and the stock are read and kept with 5 decimals; two of them closer than this
// are the same.
inline constexpr int kQuantityDecimals = 5;
inline constexpr double kQuantityTolerance = 0.000009;

// REGISTRI/<yyyy>.MPR of the date's year.
fs::path RawMaterialFile(const fs::path& registri, double date);

// Whether an unload of `quantity` takes more than the stock holds.
bool ExceedsStock(double stock, double quantity);
// "MAX= " and the stock with as many decimals as it has.
QString StockText(double stock);

// The stock an unload may draw on at the composed record's date: in a change, without the
// movement being changed (`selected`, NUMOPE 0 when none).
double StockFor(RawMaterialLedger& ledger, const TMOVIMENTO& composed, const TMOVIMENTO& selected);

// Whether the stored record is the same document as the composed one: same day of movement and
// of document, same document number, material and type, and a quantity within the tolerance.
bool SameDocument(const TMOVIMENTO& stored, const TMOVIMENTO& composed);
// Whether the file of the composed record's year already holds the same document (the file is
// created when missing).
bool HasSameDocument(const fs::path& registri, const TMOVIMENTO& composed);

// The record the confirmation composes before the fields fill it: blank for a new movement, a
// copy of the selected one for a change; unnumbered, active, an insertion of the register.
TMOVIMENTO StartMovement(const TMOVIMENTO& selected);

// Stores the composed movement in the file of its year and returns it as stored. A new one
// (selected NUMOPE 0) gets the next NUMOPE and PROGRE. A changed one leaves the file of its own
// old year and takes a new NUMOPE where it lands, keeping its PROGRE: within one file both in
// one write; across years the new one is stored first and the old one removed after. When the
// old one cannot be removed the new one is taken back out, so that exactly one copy stays and
// the IoError says why; only when that fails too does OldEntryKeptError (production) tell that
// both years hold it.
TMOVIMENTO StoreMovement(const fs::path& registri, TMOVIMENTO composed, const TMOVIMENTO& selected);

}  // namespace braxol::rawmaterials
