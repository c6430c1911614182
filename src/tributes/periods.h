#pragma once
// Tax periods of the excise and the tribute file of a reference year.
//
// A period is a two-digit code: "01".."11" for January to November, "21" and "22" for the
// first (days 1-15) and second (16-31) half of December; there is no "12". Codes sort in
// string order, which is also the chronological order. The records E and R of a reference
// year live in REGISTRI/<year>.DER, ordered by period.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/records.h"
#include "store/work_folders.h"

namespace braxol::tributes {

namespace fs = std::filesystem;

// TIPREC of the two tribute records.
inline constexpr std::string_view kExciseKind = "E";      // excise summary of a period
inline constexpr std::string_view kCorrectionKind = "R";  // voluntary late-payment correction

// Reference years the entry windows accept.
inline constexpr int kFirstYear = 2008;
inline constexpr int kLastYear = 2060;
bool IsReferenceYear(int year);

// REGISTRI/<year>.DER and REGISTRI/<year>.RGM.
fs::path TributeFile(const WorkFolders& folders, int year);
fs::path RegisterFile(const WorkFolders& folders, int year);

// The code of a period number (1..11, 21, 22) on two digits; nothing for any other number.
std::optional<std::string> PeriodCode(int number);
// The code typed in a period field: its first two characters read as a number.
std::optional<std::string> PeriodCodeFromText(std::string_view text);
// "Gennaio".."Novembre", "1^ quindicina di dicembre", "2^ quindicina di dicembre"; "" for a
// code that is not a period.
std::string PeriodName(std::string_view code);
// The name, " - " and the year: "Marzo - 2015".
std::string PeriodDescription(std::string_view code, std::string_view year);

struct PeriodDays {
    double first = 0;  // day counts, whole days
    double last = 0;
};
// First and last day of the period in the year; nothing for a code that is not a period.
std::optional<PeriodDays> PeriodBounds(std::string_view code, int year);

// The period proposed for the next record E of a year's tribute records: the one after the
// period of the last active record E (after "11" comes "21", "22" stays "22"), "01" when there
// is none.
std::string ProposeNextPeriod(const std::vector<TMOVIMENTO>& tributes);

// Whether a period already holds an active record of a kind: the first record of the period
// with that TIPREC, TIPRIC "I" and STATO other than "C".
enum class PeriodStatus { Free, Unsent, Sent };
struct PeriodRecord {
    PeriodStatus status = PeriodStatus::Free;
    TMOVIMENTO record = BlankMovement();  // the record found, as stored
};
PeriodRecord FindPeriodRecord(const std::vector<TMOVIMENTO>& tributes, std::string_view kind,
                              std::string_view code);

// The chapter of the excise rate in force on the day (its first 5 characters, trimmed), ""
// when no rate is in force. Throws IoError.
std::string DefaultChapter(const fs::path& datiGen, double day);

}  // namespace braxol::tributes
