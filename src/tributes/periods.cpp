#include "tributes/periods.h"

#include <array>

#include "store/dates.h"
#include "store/numbers.h"
#include "store/paths.h"
#include "store/pstring.h"
#include "store/tables.h"

namespace braxol::tributes {
namespace {

constexpr std::array<std::string_view, 11> kMonths = {"Gennaio",   "Febbraio", "Marzo",   "Aprile",
                                                      "Maggio",    "Giugno",   "Luglio",  "Agosto",
                                                      "Settembre", "Ottobre",  "Novembre"};

bool IsActiveInsertion(const TMOVIMENTO& r) {
    return r.TIPRIC == "I" && !(r.STATO == "C");
}

int DaysInMonth(int year, int month) {
    int day = 31;
    while (!IsValidCivil(year, month, day)) --day;
    return day;
}

}  // namespace

bool IsReferenceYear(int year) {
    return year >= kFirstYear && year <= kLastYear;
}

fs::path TributeFile(const WorkFolders& folders, int year) {
    return YearFile(folders.registri, year, ".DER");
}

fs::path RegisterFile(const WorkFolders& folders, int year) {
    return YearFile(folders.registri, year, ".RGM");
}

std::optional<std::string> PeriodCode(int number) {
    if (!((number >= 1 && number <= 11) || number == 21 || number == 22)) return std::nullopt;
    std::string code = std::to_string(number);
    if (code.size() < 2) code.insert(0, "0");
    return code;
}

std::optional<std::string> PeriodCodeFromText(std::string_view text) {
    return PeriodCode(ParseInteger(text.substr(0, 2)));
}

std::string PeriodName(std::string_view code) {
    if (code.size() != 2) return {};
    const int number = ParseInteger(code);
    if (PeriodCode(number) != std::string(code)) return {};
    if (number == 21) return "1^ quindicina di dicembre";
    if (number == 22) return "2^ quindicina di dicembre";
    return std::string(kMonths[static_cast<std::size_t>(number - 1)]);
}

std::string PeriodDescription(std::string_view code, std::string_view year) {
    return PeriodName(code) + " - " + std::string(year);
}

std::optional<PeriodDays> PeriodBounds(std::string_view code, int year) {
    if (PeriodName(code).empty() || year < 1 || year > 9999) return std::nullopt;
    const int number = ParseInteger(code);
    if (number == 21) return PeriodDays{DateFromCivil(year, 12, 1), DateFromCivil(year, 12, 15)};
    if (number == 22) return PeriodDays{DateFromCivil(year, 12, 16), DateFromCivil(year, 12, 31)};
    return PeriodDays{DateFromCivil(year, number, 1),
                      DateFromCivil(year, number, DaysInMonth(year, number))};
}

std::string ProposeNextPeriod(const std::vector<TMOVIMENTO>& tributes) {
    const TMOVIMENTO* last = nullptr;
    for (const TMOVIMENTO& r : tributes)
        if (r.TIPREC == kExciseKind && IsActiveInsertion(r)) last = &r;
    if (!last) return "01";
    const int number = ParseInteger(last->CODPAE.view());
    if (number == 11) return "21";
    if (number >= 21) return "22";
    return PeriodCode(number + 1).value_or("01");
}

PeriodRecord FindPeriodRecord(const std::vector<TMOVIMENTO>& tributes, std::string_view kind,
                              std::string_view code) {
    for (const TMOVIMENTO& r : tributes) {
        if (!(r.CODPAE == code) || !(r.TIPREC == kind) || !IsActiveInsertion(r)) continue;
        return {r.NUMFLU > 0 ? PeriodStatus::Sent : PeriodStatus::Unsent, r};
    }
    return {};
}

std::string DefaultChapter(const fs::path& datiGen, double day) {
    const ExciseRate rate = ExciseRateAt(datiGen, RateMode::InForce, day);
    if (!rate.found) return {};
    const std::string chapter = rate.record.text[0].trimmed();
    return std::string(TrimBlanks(std::string_view(chapter).substr(0, 5)));
}

}  // namespace braxol::tributes
