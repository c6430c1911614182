#include "production/brew_computation.h"

#include <algorithm>
#include <cmath>

#include "store/dates.h"
#include "store/io_error.h"
#include "store/lock.h"
#include "store/movements.h"
#include "store/numbers.h"
#include "store/paths.h"
#include "store/record_file.h"
#include "store/safe_file.h"
#include "store/table_structures.h"
#include "store/tables.h"

namespace braxol::production {
namespace {

constexpr double kSmallestValue = 0.000001;
constexpr double kLargestCoefficient = 99999.99999;
constexpr double kLargestLitres = 99999999999.99999;
constexpr double kLargestPlato = 99.99999;
constexpr double kLowestPlato = 7;
constexpr double kSmallestRate = 0.001;

// PRAZ: text 0 the beer type, text 1 its product code, number 0 the yield coefficient,
// number 1 the degrees Plato. TA20: text 0 the product code. PROTOCOLLI: text 0 the number,
// number 0 the protocol date, number 1 the valid-from date.
constexpr const char* kBeerTypes = "PRAZ";
constexpr const char* kProductCodes = "TA20";
constexpr const char* kProtocols = "PROTOCOLLI";
constexpr int kBeerCoefficientSlot = 0;
constexpr int kBeerPlatoSlot = 1;
constexpr int kProtocolDateSlot = 0;

double Day(double date) {
    return RoundDecimals(date, 0);
}

bool IsActive(const TMOVIMENTO& r) {
    return !(r.STATO == "C");
}

std::string YearText(double date) {
    const auto year = YearOfDate(date);
    if (!year) return {};
    std::string text = std::to_string(*year);
    if (text.size() < 4) text.insert(0, 4 - text.size(), '0');
    return text;
}

template <class Op>
auto UnderLock(const fs::path& given, Op&& op) {
    const fs::path path = ResolvePath(given);
    FileLock lock(path);
    MovementFile file = MovementFile::OpenOrCreate(path);
    return op(file);
}

}  // namespace

std::string ProvinceOf(std::string_view exciseCode) {
    std::string code(exciseCode);
    code.resize(std::max<std::size_t>(code.size(), 6), ' ');
    return code.substr(4, 2);
}

bool WholeHectolitreDegrees(std::string_view exciseCode) {
    const std::string province = ProvinceOf(exciseCode);
    return province == "VR" || province == "GO" || province == "BZ" || province == "PN" ||
           TrimBlanks(exciseCode) == kWholeDegreesExciseCode;
}

bool ExciseTypedByHand(std::string_view exciseCode) {
    return ProvinceOf(exciseCode) == "AO";
}

Decimal LitresFromReadings(int initial, int final, bool energyMeter, Decimal coefficient,
                           bool wholeLitres) {
    const Decimal advance = Decimal::FromInteger(MeterAdvance(initial, final));
    if (!energyMeter) return advance;
    return (advance * coefficient).Rounded(wholeLitres ? 0 : 5);
}

Decimal HectolitreDegrees(Decimal litres, Decimal plato, std::string_view exciseCode) {
    return (plato * litres)
        .DividedByPowerOfTen(2)
        .Rounded(WholeHectolitreDegrees(exciseCode) ? 0 : 5);
}

Decimal ExciseDue(Decimal hectolitreDegrees, Decimal rate) {
    return (hectolitreDegrees * rate).Rounded(2);
}

BrewFigures ComputeBrew(Decimal litres, Decimal plato, std::string_view exciseCode,
                        std::optional<Decimal> rate, Decimal typedExcise) {
    BrewFigures f;
    f.litres = litres;
    f.plato = plato;
    f.hectolitreDegrees = HectolitreDegrees(litres, plato, exciseCode);
    if (ExciseTypedByHand(exciseCode))
        f.excise = typedExcise;
    else if (rate)
        f.excise = ExciseDue(f.hectolitreDegrees, *rate);
    return f;
}

RangeCheck CheckCoefficient(double coefficient) {
    if (!(coefficient >= kSmallestValue)) return RangeCheck::TooSmall;
    if (coefficient > kLargestCoefficient) return RangeCheck::TooLarge;
    return RangeCheck::Ok;
}

RangeCheck CheckLitres(double litres) {
    if (!(litres >= kSmallestValue)) return RangeCheck::TooSmall;
    if (litres > kLargestLitres) return RangeCheck::TooLarge;
    return RangeCheck::Ok;
}

RangeCheck CheckPlato(double plato) {
    if (plato > kLargestPlato) return RangeCheck::TooLarge;
    if (plato < kLowestPlato) return RangeCheck::TooSmall;
    return RangeCheck::Ok;
}

bool ReadingsInOrder(int initial, int final) {
    return initial < final;
}

std::int64_t MeterAdvance(int initial, int final) {
    return std::int64_t{final} - std::int64_t{initial};
}

TimeCheck CheckPecTime(std::string_view text) {
    std::string t(TrimBlanks(text));
    t.resize(std::max<std::size_t>(t.size(), 5), ' ');
    auto in = [](char c, char low, char high) { return c >= low && c <= high; };
    if (!in(t[0], '0', '2') || !in(t[1], '0', '9') || !in(t[3], '0', '5') || !in(t[4], '0', '9'))
        return TimeCheck::BadFormat;
    if ((t[0] - '0') * 10 + (t[1] - '0') >= 24) return TimeCheck::BadHour;
    return TimeCheck::Ok;
}

bool PecBeforeProduction(double pecDate, double productionDate) {
    return Day(pecDate) < Day(productionDate);
}

double DayBefore(double productionDate) {
    return Day(productionDate) - 1;
}

std::optional<RegisterProtocol> ProtocolInForceIn(std::span<const TTABELLA> protocols,
                                                  double date) {
    const TTABELLA* found = nullptr;
    for (const TTABELLA& p : protocols)
        if (Day(p.num[kProtocolValidFromSlot]) <= Day(date)) found = &p;
    if (!found) return std::nullopt;
    RegisterProtocol protocol;
    protocol.number = found->text[0].trimmed().substr(0, 10);
    protocol.protocolDate = found->num[kProtocolDateSlot];
    protocol.validFrom = found->num[kProtocolValidFromSlot];
    protocol.office = found->text[2].trimmed();
    protocol.year = YearText(protocol.protocolDate);
    return protocol;
}

std::optional<RegisterProtocol> ProtocolInForce(const fs::path& datiGen, double date) {
    const auto protocols = ReadRecords<TTABELLA>(TableFile(datiGen, kProtocols), false);
    return ProtocolInForceIn(protocols, date);
}

std::string ProtocolReference(const RegisterProtocol& protocol) {
    return "prot. " + std::string(TrimBlanks(protocol.number)) + "/" + protocol.year;
}

std::optional<double> ExciseRateInForce(const fs::path& datiGen, double date) {
    const ExciseRate rate = ExciseRateAt(datiGen, RateMode::InForce, date);
    if (!rate.found || !(rate.record.num[kExciseRateSlot] > kSmallestRate)) return std::nullopt;
    return rate.record.num[kExciseRateSlot];
}

namespace {

struct RawLookup {
    bool structure = false;
    std::optional<TTABELLA> record;  // as stored, not trimmed
};

// As FindByKey, but the record found keeps its texts as stored: a product code keeps the
// leading blanks of an empty first part, which the lookups in TA20 compare too.
RawLookup FindStored(const fs::path& datiGen, const char* table, const TTABELLA& key,
                     LetterCase letterCase = LetterCase::Exact) {
    RawLookup result;
    const auto structure = ReadTableStructure(datiGen, table);
    if (!structure) return result;
    result.structure = true;
    const auto records = ReadRecords<TTABELLA>(TableFile(datiGen, table), false);
    if (const auto at = FindKeyIn(records, key, structure->keyCount(), letterCase))
        result.record = records[*at];
    return result;
}

}  // namespace

BeerType LookUpBeerType(const fs::path& datiGen, std::string_view beerType) {
    BeerType result;
    TTABELLA key = BlankTabella();
    key.text[0].set(beerType);
    key.text[10].set(kBeerTypes);
    // A type typed in lower case is the type the table holds in upper case.
    const RawLookup type = FindStored(datiGen, kBeerTypes, key, LetterCase::Ignored);
    if (!type.structure) {
        result.status = BeerType::Status::NoStructure;
        return result;
    }
    if (!type.record) return result;
    result.type = type.record->text[0].trimmed();
    result.coefficient = type.record->num[kBeerCoefficientSlot];
    result.plato = type.record->num[kBeerPlatoSlot];

    TTABELLA codeKey = BlankTabella();
    codeKey.text[0].set(type.record->text[1].view());
    codeKey.text[10].set(kProductCodes);
    const RawLookup code = FindStored(datiGen, kProductCodes, codeKey);
    if (!code.structure) {
        result.status = BeerType::Status::NoStructure;
        return result;
    }
    if (!code.record) {
        result.status = BeerType::Status::NoProductCode;
        return result;
    }
    result.status = BeerType::Status::Found;
    result.productCode = code.record->text[0].str().substr(0, 21);
    return result;
}

std::string WashProductCode(const fs::path& datiGen) {
    const fs::path file = ResolvePath(datiGen / "CODLAVAGGI.TXT");
    const auto content = ReadWholeFile(file);
    if (!content) {
        ReplaceFileContent(file, std::string(kDefaultWashProductCode) + "\r\n");
        return std::string(kDefaultWashProductCode);
    }
    std::string line = content->substr(0, content->find('\n'));
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line.substr(0, 21);
}

fs::path RegisterFile(const fs::path& registri, double date) {
    const auto year = YearOfDate(date);
    if (!year) throw IoError((registri / "????.RGM").string(), "data del movimento non valida");
    return YearFile(registri, *year, ".RGM");
}

std::optional<TMOVIMENTO> LastReadingIn(std::span<const TMOVIMENTO> records, double date) {
    std::optional<TMOVIMENTO> candidate;
    for (const TMOVIMENTO& r : records)
        if (IsActive(r) && r.TIPRIC == "I" && Day(r.DATMOV) <= Day(date)) candidate = r;
    return candidate;
}

std::optional<int> ProposedInitialReading(const fs::path& registri, double date) {
    const auto year = YearOfDate(date);
    if (!year) return std::nullopt;
    auto candidate = LastReadingIn(ScanMovements(YearFile(registri, *year, ".RGM")), date);
    if (!candidate || candidate->INTER2 == 0) {
        if (auto earlier =
                LastReadingIn(ScanMovements(YearFile(registri, *year - 1, ".RGM")), date))
            candidate = earlier;
    }
    if (!candidate || candidate->INTER2 <= 0) return std::nullopt;
    return candidate->INTER2;
}

bool SameProduction(const TMOVIMENTO& s, const TMOVIMENTO& n) {
    return IsActive(s) && Day(s.DATMOV) == Day(n.DATMOV) &&
           s.TIPDOC.padded() == n.TIPDOC.padded() && s.CODMOV.padded() == n.CODMOV.padded() &&
           s.NUMDOC.padded() == n.NUMDOC.padded() && Day(s.DATDOC) == Day(n.DATDOC) &&
           Day(s.DATPEC) == Day(n.DATPEC) && s.MITDES.padded() == n.MITDES.padded() &&
           s.TIPRIC.padded() == n.TIPRIC.padded() &&
           RoundDecimals(s.LITPRO, 5) == RoundDecimals(n.LITPRO, 5) &&
           RoundDecimals(s.GRAPLA, 5) == RoundDecimals(n.GRAPLA, 5);
}

bool SameWash(const TMOVIMENTO& s, const TMOVIMENTO& n) {
    return IsActive(s) && Day(s.DATMOV) == Day(n.DATMOV) &&
           s.CODMOV.padded() == n.CODMOV.padded() && s.INTER1 == n.INTER1 && s.INTER2 == n.INTER2 &&
           s.TIPRIC.padded() == n.TIPRIC.padded();
}

bool HasDuplicateIn(std::span<const TMOVIMENTO> records, const TMOVIMENTO& composed,
                    std::int32_t chosenNumope) {
    const bool production = composed.CODMOV == kProductionCode;
    return std::any_of(records.begin(), records.end(), [&](const TMOVIMENTO& r) {
        if (r.NUMOPE == chosenNumope) return false;
        return production ? SameProduction(r, composed) : SameWash(r, composed);
    });
}

bool HasDuplicate(const fs::path& registri, const TMOVIMENTO& composed, const TMOVIMENTO& chosen) {
    TMOVIMENTO padded = composed;
    PadMovement(padded);
    const fs::path file = RegisterFile(registri, composed.DATMOV);
    const bool chosenHere = chosen.NUMOPE != 0 && RegisterFile(registri, chosen.DATMOV) == file;
    return HasDuplicateIn(ScanMovements(file), padded, chosenHere ? chosen.NUMOPE : 0);
}

TMOVIMENTO StartRecord(EntryMode mode, const TMOVIMENTO& chosen) {
    if (mode == EntryMode::New) return BlankMovement();
    TMOVIMENTO r = chosen;
    r.NUMOPE = 0;
    r.RIFOPE = 0;
    r.DATFLU = 0;
    r.NUMFLU = 0;
    r.PROGRE = 0;
    return r;
}

namespace {

void SetRegisterFields(TMOVIMENTO& r, const TUTENTE& company) {
    r.NUMOPE = 0;
    r.RIFOPE = 0;
    r.DATFLU = 0;
    r.NUMFLU = 0;
    r.PROGRE = 0;
    r.STATO.set(" ");
    r.TIPREC.set("C");
    r.TIPRIC.set("I");
    r.TIPREG.set("F");
    r.CODUFF.set(company.UFFDO1.trimmed());
    r.FLAGS1.set("S");
    r.TIPMOV.set("C");
}

}  // namespace

void SetProductionFields(TMOVIMENTO& r, const TUTENTE& company) {
    SetRegisterFields(r, company);
    r.TIPDOC.set("VIA");
    r.CODMOV.set(kProductionCode);
    r.CODACC.set("001");
}

void SetWashFields(TMOVIMENTO& r, const TUTENTE& company) {
    SetRegisterFields(r, company);
    r.COERES = 1.0;
    r.CODMOV.set(kWashCode);
    r.CODACC.set("   ");
}

OldEntryKeptError::OldEntryKeptError(const IoError& cause, const TMOVIMENTO& stored,
                                     const TMOVIMENTO& old)
    : IoError(cause.path(), cause.reason()), stored_(stored), old_(old) {}

std::vector<TMOVIMENTO> SaveEntry(const fs::path& registri, EntryMode mode,
                                  const TMOVIMENTO& chosen, TMOVIMENTO composed) {
    // A new, changed or replacing record is numbered by the save and waits for a flow.
    PadMovement(composed);
    composed.NUMOPE = 0;
    composed.RIFOPE = 0;
    composed.DATFLU = 0;
    composed.NUMFLU = 0;
    const fs::path target = RegisterFile(registri, composed.DATMOV);
    switch (mode) {
        case EntryMode::New:
            return {AddMovement(target, composed, BlankMovement())};
        case EntryMode::Change: {
            const fs::path old = RegisterFile(registri, chosen.DATMOV);
            if (ResolvePath(old) == ResolvePath(target)) {
                return {UnderLock(target, [&](MovementFile& file) {
                    RemoveMovement(file.records(), chosen.NUMOPE);
                    const TMOVIMENTO stored = PlaceMovement(file.records(), composed, chosen);
                    file.save();
                    return stored;
                })};
            }
            const TMOVIMENTO stored = AddMovement(target, composed, chosen);
            try {
                DeleteMovement(chosen.NUMOPE, old);
            } catch (const IoError& e) {
                throw OldEntryKeptError(e, stored, chosen);
            }
            return {stored};
        }
        case EntryMode::RectifyCancel:
        case EntryMode::RectifyChange: {
            const RectifyMode how =
                mode == EntryMode::RectifyChange ? RectifyMode::Rectify : RectifyMode::CancelOnly;
            return UnderLock(RegisterFile(registri, chosen.DATMOV), [&](MovementFile& file) {
                std::vector<TMOVIMENTO> written;
                auto& records = file.records();
                if (!CancelOrRectifyIn(records, chosen, composed, how)) return written;
                file.save();
                const auto it = std::find_if(records.begin(), records.end(), [&](const auto& r) {
                    return r.NUMOPE == chosen.NUMOPE;
                });
                const std::size_t added = how == RectifyMode::Rectify ? 2 : 1;
                for (auto next = it + 1; next != records.end() && written.size() < added; ++next)
                    written.push_back(*next);
                return written;
            });
        }
    }
    return {};
}

}  // namespace braxol::production
