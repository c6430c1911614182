#include "tributes/tribute_records.h"

#include "store/numbers.h"
#include "tributes/periods.h"

namespace braxol::tributes {
namespace {

TMOVIMENTO Tribute(std::string_view kind, const std::string& year, const std::string& period,
                   const std::string& chapter, const std::string& note) {
    TMOVIMENTO r = BlankMovement();
    r.TIPREC.set(kind);
    r.TIPRIC.set("I");
    r.ANNPRO.set(year);
    r.CODPAE.set(period);
    r.MITDES.set(chapter);
    r.ANNOTA.set(std::string_view(note).substr(0, kNoteLength));
    return r;
}

}  // namespace

double ExciseAmount(std::string_view text) {
    return RoundDecimals(ParseAmount(text, 2), 2);
}

TMOVIMENTO ComposeExcise(const ExciseEntry& e) {
    TMOVIMENTO r = Tribute(kExciseKind, e.year, e.period, e.chapter, e.note);
    r.QUANTI = ExciseAmount(e.amount);
    PadMovement(r);
    return r;
}

TMOVIMENTO ComposeCorrection(const CorrectionEntry& e) {
    TMOVIMENTO r = Tribute(kCorrectionKind, e.year, e.period, e.chapter, e.note);
    using A = CorrectionEntry;
    auto amount = [&](A::Amount a) { return RoundDecimals(ParseAmount(e.amounts[a], 2), 2); };
    r.QUANTI = amount(A::HigherTributes);
    r.COERES = amount(A::MinimumPenalty);
    r.LITPRO = amount(A::Reduction);
    r.ETTOGR = amount(A::Penalty);
    r.GRAPLA = amount(A::InterestRate);
    r.DATPEC = amount(A::Interest);
    r.INTER1 = ParseInteger(e.days);
    r.DATDOC = e.paymentDate;
    PadMovement(r);
    return r;
}

std::array<double, CorrectionEntry::kAmounts> CorrectionAmounts(const TMOVIMENTO& r) {
    return {r.QUANTI, r.COERES, r.LITPRO, r.ETTOGR, r.GRAPLA, r.DATPEC};
}

}  // namespace braxol::tributes
