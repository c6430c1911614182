#pragma once
// The lines of the flow window's check list: one per unsent production, wash, record E or R.

#include <QString>

#include "store/records.h"

namespace braxol::telematic {

// " <CANCELLA> " for a cancellation, " <INS> " for an insertion.
QString FlowListMarker(const TMOVIMENTO& record);

// The line of a trimmed record of the yearly .RGM file: "Produzione del ..." or
// "Lavaggio del ...".
QString RegisterListLine(const TMOVIMENTO& record);

// The line of a trimmed record of the yearly .DER file: "<year> <period> ... Riepilogo
// accisa ..." or "... Ravvedimento ...".
QString TributeListLine(const TMOVIMENTO& record);

// The line of a trimmed register request: its kind (" <RILASCIO> ", " <MODIFICA> ",
// " <CHIUSURA> ", " <ANNULLA RILASCIO> "), validity start, family, protocol and title.
QString RequestListLine(const TMOVIMENTO& record);

}  // namespace braxol::telematic
