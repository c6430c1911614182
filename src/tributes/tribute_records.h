#pragma once
// The records E and R as the entry windows compose them from what the user typed. Texts are
// Windows-1252 bytes, as the records hold them; amounts are read the Italian way and kept
// with 2 decimals. Both records leave DATMOV 0 and every field they do not name blank, and
// come back padded, ready for AddMovement or CancelOrRectify.

#include <array>
#include <string>
#include <string_view>

#include "store/records.h"

namespace braxol::tributes {

// Longest note the windows keep.
inline constexpr int kNoteLength = 250;

// The excise summary of a period.
struct ExciseEntry {
    std::string year;     // ANNPRO, "yyyy"
    std::string period;   // CODPAE, "01".."11", "21", "22"
    std::string chapter;  // MITDES, the budget chapter
    std::string amount;   // QUANTI as typed, e.g. "1.234,56"
    std::string note;     // ANNOTA
};

// The amount typed for a record E: read with 2 decimals and rounded to 2 decimals.
double ExciseAmount(std::string_view text);
TMOVIMENTO ComposeExcise(const ExciseEntry& entry);

// The voluntary late-payment correction of a period. Every amount is stored as typed, rounded
// to 2 decimals, whatever its sign; the days are a whole number, negative when typed so.
struct CorrectionEntry {
    enum Amount {
        HigherTributes,  // QUANTI "Importo maggiori tributi dovuti"
        MinimumPenalty,  // COERES "Sanzione minima"
        Reduction,       // LITPRO "Percentuale di riduzione"
        Penalty,         // ETTOGR "Importo sanzione"
        InterestRate,    // GRAPLA "Tasso legale"
        Interest,        // DATPEC "Importo interessi moratori dovuti"
        kAmounts
    };
    std::string year;
    std::string period;
    std::string chapter;
    std::array<std::string, kAmounts> amounts;
    std::string days;        // INTER1 "Giorni trascorsi dal termine di pagamento"
    double paymentDate = 0;  // DATDOC "Data del versamento"
    std::string note;
};

TMOVIMENTO ComposeCorrection(const CorrectionEntry& entry);

// The amounts of a stored record R, in the order of CorrectionEntry::Amount.
std::array<double, CorrectionEntry::kAmounts> CorrectionAmounts(const TMOVIMENTO& record);

}  // namespace braxol::tributes
