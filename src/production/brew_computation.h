#pragma once
// What the production and wash windows compute and store, without a window: litres from the
// meter readings, hectolitre-degrees and excise with the province rules, the register protocol
// and the excise rate in force at a date, the initial reading proposed for a new entry, the
// duplicate test and the save of an entry in the yearly register REGISTRI/<yyyy>.RGM.
//
// Amounts follow the program's rounding (half away from zero after a first reduction to 5
// decimals), in exact decimal; dates are compared as whole days. File failures throw IoError
// (DamagedFileError for a file that does not hold whole records, which is never written).

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "store/decimal.h"
#include "store/io_error.h"
#include "store/records.h"

namespace braxol::production {

namespace fs = std::filesystem;

// How an entry window works on the register: a new entry, the change of an unsent one, or the
// rectification of a sent one (cancelled only, or cancelled and replaced).
enum class EntryMode { New, Change, RectifyCancel, RectifyChange };

inline bool IsRectify(EntryMode mode) {
    return mode == EntryMode::RectifyCancel || mode == EntryMode::RectifyChange;
}

// Movement codes of the register.
inline constexpr std::string_view kProductionCode = "114";
inline constexpr std::string_view kWashCode = "129";
// The wash product code written into DATI_GEN/CODLAVAGGI.TXT when the file is missing.
inline constexpr std::string_view kDefaultWashProductCode = "22021000";
// The one warehouse, in Aosta, whose hectolitre-degrees go to whole numbers.
inline constexpr std::string_view kWholeDegreesExciseCode = "IT00AOB00317M";

// ---- Company --------------------------------------------------------------------------------

// The province of the warehouse: the 5th and 6th characters of its excise code (blanks when
// the code is shorter).
std::string ProvinceOf(std::string_view exciseCode);
// Hectolitre-degrees go to whole numbers in the provinces VR, GO, BZ and PN and for the
// warehouse kWholeDegreesExciseCode; elsewhere they keep 5 decimals.
bool WholeHectolitreDegrees(std::string_view exciseCode);
// In the province AO the excise is typed (or computed on request), not computed by itself.
bool ExciseTypedByHand(std::string_view exciseCode);

// ---- Meter, litres, degrees, excise ---------------------------------------------------------
//
// Worked out in exact decimal (store/decimal.h) from the figures as typed or stored, each
// product kept whole until its one rounding; a window turns what its fields hold into Decimals
// with Decimal::FromDouble and stores the results with ToDouble(). A result beyond a figure's
// range throws DecimalOverflow.

// Litres of a brew from the readings: a litre counter gives final - initial; an energy meter
// gives (final - initial) x coefficient, rounded to whole litres when `wholeLitres` (company
// TIPOIN "A") and to 5 decimals otherwise.
Decimal LitresFromReadings(int initial, int final, bool energyMeter, Decimal coefficient,
                           bool wholeLitres);

// Plato x litres / 100, rounded as the province requires (see WholeHectolitreDegrees).
Decimal HectolitreDegrees(Decimal litres, Decimal plato, std::string_view exciseCode);
// Hectolitre-degrees x rate, rounded to 2 decimals (after the reduction to 5).
Decimal ExciseDue(Decimal hectolitreDegrees, Decimal rate);

struct BrewFigures {
    Decimal litres;
    Decimal plato;
    Decimal hectolitreDegrees;
    Decimal excise;
};

// The figures stored with a production. `rate` is the excise rate in force (nothing when no
// rate is in force: the excise is then 0); in the province AO the excise is `typedExcise`.
BrewFigures ComputeBrew(Decimal litres, Decimal plato, std::string_view exciseCode,
                        std::optional<Decimal> rate, Decimal typedExcise);

// ---- Checks of typed values -----------------------------------------------------------------

enum class RangeCheck { Ok, TooSmall, TooLarge };
// Yield coefficient of an energy meter: from 0,000001 to 99.999,99999.
RangeCheck CheckCoefficient(double coefficient);
// Litres: from 0,000001 to 99.999.999.999,99999.
RangeCheck CheckLitres(double litres);
// Degrees Plato: above 99,99999 is refused; below 7 (TooSmall) is only worth a warning.
RangeCheck CheckPlato(double plato);

// Initial reading below the final one.
bool ReadingsInOrder(int initial, int final);
// How far the meter went from the initial to the final reading; any two readings fit.
std::int64_t MeterAdvance(int initial, int final);

enum class TimeCheck { Ok, BadFormat, BadHour };
// The time of the preventive communication, "hh:mm" (blanks where nothing was typed).
TimeCheck CheckPecTime(std::string_view text);

// Whether the PEC date is at least one day before the production date.
bool PecBeforeProduction(double pecDate, double productionDate);
// The day before a production date, the default PEC date.
double DayBefore(double productionDate);

// ---- Tables ---------------------------------------------------------------------------------

// The register protocol of table PROTOCOLLI in force at a date.
struct RegisterProtocol {
    std::string number;  // text slot 0, trimmed, at most 10 characters
    std::string year;    // "yyyy" of the protocol date
    double protocolDate = 0;
    double validFrom = 0;
    std::string office;  // text slot 2: the stamping office as the registers print it, trimmed
};

// The last protocol, in file order, whose valid-from date is on or before the date.
std::optional<RegisterProtocol> ProtocolInForceIn(std::span<const TTABELLA> protocols, double date);
// The same over DATI_GEN/PROTOCOLLI.TAB (a missing table has no protocol).
std::optional<RegisterProtocol> ProtocolInForce(const fs::path& datiGen, double date);
// "prot. <number>/<year>", the reference the windows show.
std::string ProtocolReference(const RegisterProtocol& protocol);

// The excise rate per hectolitre-degree in force at a date; nothing when none is above 0,001.
std::optional<double> ExciseRateInForce(const fs::path& datiGen, double date);

// A beer type of table PRAZ with its customs product code of table TA20.
struct BeerType {
    enum class Status {
        Found,
        UnknownType,    // not in PRAZ
        NoProductCode,  // its product code is not in TA20
        NoStructure,    // PRAZ.STR or TA20.STR is missing
    } status = Status::UnknownType;
    std::string type;         // PRAZ text 0 as the table holds it, trimmed
    std::string productCode;  // TA20 text slot 0 as stored (blanks kept), at most 21 characters
    double coefficient = 0;   // PRAZ number 0: the default yield coefficient
    double plato = 0;         // PRAZ number 1: the default degrees Plato
};

// Looks up the beer type (Windows-1252 text, compared with trailing blanks and the case of
// letters ignored).
BeerType LookUpBeerType(const fs::path& datiGen, std::string_view beerType);

// The wash product code: the first line of DATI_GEN/CODLAVAGGI.TXT, at most 21 characters.
// A missing file is created holding kDefaultWashProductCode.
std::string WashProductCode(const fs::path& datiGen);

// ---- Register -------------------------------------------------------------------------------

// REGISTRI/<yyyy>.RGM of the year of the date; throws IoError for a date without a year.
fs::path RegisterFile(const fs::path& registri, double date);

// The record whose final reading a new entry starts from: the last one in file order that is
// active (STATO not "C"), inserted (TIPRIC "I") and dated on or before the day. Productions and
// washes alike: they share the meter. Nothing when there is none.
std::optional<TMOVIMENTO> LastReadingIn(std::span<const TMOVIMENTO> records, double date);

// The initial reading proposed for an entry of that day: the final reading of LastReadingIn
// over this year's register or, when that finds nothing or a final reading of 0, over the
// previous year's. Nothing unless the reading found is above 0. Scanning a year without a
// register creates it empty.
std::optional<int> ProposedInitialReading(const fs::path& registri, double date);

// Whether `stored` is the same production or wash as the composed record (active, same day,
// and the same identifying fields of its kind).
bool SameProduction(const TMOVIMENTO& stored, const TMOVIMENTO& composed);
bool SameWash(const TMOVIMENTO& stored, const TMOVIMENTO& composed);

// Whether the register of the composed record's year already holds the same production or
// wash (by its CODMOV), the chosen record itself excepted. An operation number names a record
// only within its own register: the chosen record is passed by only when it belongs to the
// register of the composed record's year.
bool HasDuplicateIn(std::span<const TMOVIMENTO> records, const TMOVIMENTO& composed,
                    std::int32_t chosenNumope);
bool HasDuplicate(const fs::path& registri, const TMOVIMENTO& composed, const TMOVIMENTO& chosen);

// The record under construction before the window fills it: blank for a new entry, otherwise
// a copy of the chosen record without its numbers and flow (NUMOPE, RIFOPE, DATFLU, NUMFLU and
// PROGRE 0).
TMOVIMENTO StartRecord(EntryMode mode, const TMOVIMENTO& chosen);
// The fixed fields of a production and of a wash (status, request, register, office, codes).
void SetProductionFields(TMOVIMENTO& record, const TUTENTE& company);
void SetWashFields(TMOVIMENTO& record, const TUTENTE& company);

// A change that moved an entry to another year's register stored it there and then could not
// take it out of the register of its old year: both registers hold it now. Saving again would
// store it a second time; the old record is to be deleted by hand.
class OldEntryKeptError : public IoError {
public:
    OldEntryKeptError(const IoError& cause, const TMOVIMENTO& stored, const TMOVIMENTO& old);
    // The record stored in the new register, and the one left in the old register.
    const TMOVIMENTO& stored() const { return stored_; }
    const TMOVIMENTO& old() const { return old_; }

private:
    TMOVIMENTO stored_;
    TMOVIMENTO old_;
};

// Saves the composed record as the mode requires and returns the records the save wrote:
// - New: added to the register of its own year (next NUMOPE and PROGRE, in date and meter
//   order);
// - Change: the chosen record leaves the register of its year and the composed one is added to
//   the register of its own year, with a new NUMOPE and the chosen record's PROGRE. Within one
//   register both happen in one write; across years the new one is added first, so that a
//   failure never loses the production (a failure after that throws OldEntryKeptError);
// - RectifyCancel / RectifyChange: in the chosen record's register, the chosen record is
//   cancelled (STATO "C", the new note) and followed by its cancellation record and, for a
//   change, by the composed record as its replacement (STATO "R").
// Nothing is written, and nothing returned, when the chosen record of a rectification is no
// longer in its register.
std::vector<TMOVIMENTO> SaveEntry(const fs::path& registri, EntryMode mode,
                                  const TMOVIMENTO& chosen, TMOVIMENTO composed);

}  // namespace braxol::production
