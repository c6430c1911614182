#pragma once
// The texts of a production or wash as the printed registers and the searches show them.

#include <QString>

#include "store/records.h"

namespace braxol::production {

// "dd/mm/yyyy"; empty for a date never given (0) or one that cannot be shown.
QString RegisterDate(double date);

// The date and time of the preventive communication: date, a blank, the time.
QString PecText(const TMOVIMENTO& r);

// An amount with as many decimals as it has (at most 5), or with exactly `decimals`.
QString RegisterAmount(double value, int decimals = 0);

// Why a register whose figures cannot be totalled (a damaged or foreign file) is not printed.
inline constexpr const char* kFiguresBeyondRange = "importi troppo grandi per il calcolo";

}  // namespace braxol::production
