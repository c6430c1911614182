#pragma once
// The preventive communications of production, without a window: REGISTRI/<yyyy>.PRV holds
// those whose brew date falls in year yyyy, in increasing order of their annual number
// (INTER2); their PDF letters sit in PREVENTIVE/<yyyy>/<number>.PDF under the work folder.
//
// Writers take the file's lock marker and replace the file whole. File failures throw IoError
// (DamagedFileError for a file that does not hold whole records, which is never written).

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "store/records.h"

namespace braxol::preventive {

namespace fs = std::filesystem;

// REGISTRI/<yyyy>.PRV of the year of the date; throws IoError for a date without a year.
fs::path CommunicationsFile(const fs::path& registri, double date);

// The annual number proposed for a communication of that day: 1 + the number of the last
// record, in file order, dated on or before the day; 1 when there is none.
int ProposedNumber(std::span<const TMOVIMENTO> records, double date);
// The same over the year's file (a missing file proposes 1 and is not created).
int ProposedNumber(const fs::path& registri, double date);

// Whether another communication of the year of `date` already carries the annual number: its
// letter has the same file name, which a second one would overwrite. The communication being
// changed (`chosen`) does not count. A missing file holds none.
bool NumberTaken(const fs::path& registri, double date, int number,
                 const std::optional<TMOVIMENTO>& chosen);

// Numbers the record (1 + the largest NUMOPE) and places it before the first record with a
// greater annual number, or at the end. Returns the record as placed.
TMOVIMENTO PlaceCommunication(std::vector<TMOVIMENTO>& records, TMOVIMENTO record);

// Saves a communication and returns it as stored. A new one (`chosen` without a value) is
// placed in the file of its own year. A change removes the chosen one from the file of its
// year: within one file both happen in one write; across years the new one is added first,
// so that a failure never loses the communication.
TMOVIMENTO SaveCommunication(const fs::path& registri, const std::optional<TMOVIMENTO>& chosen,
                             TMOVIMENTO composed);

// PREVENTIVE/<yyyy>/<number>.PDF under the work folder (found case-insensitively when the
// folders exist with other case).
fs::path LetterPath(const fs::path& root, int year, int number);
// The letter of a communication: the year of its brew date.
std::optional<fs::path> LetterPathOf(const fs::path& root, const TMOVIMENTO& communication);

// After a change that moved a communication to another year or number: the old letter goes,
// unless another communication of its year still carries that number.
void RemoveOldLetter(const fs::path& root, const fs::path& registri, const TMOVIMENTO& before,
                     const TMOVIMENTO& after);

// Records that the communication was sent by certified e-mail: DATPEC `date`, MITDES `time`
// ("HH:MM"), in the record with its NUMOPE of the file of its year, under the lock. False,
// and the file unchanged, when the record is no longer there.
bool StampSent(const fs::path& registri, const TMOVIMENTO& communication, double date,
               const std::string& time);

}  // namespace braxol::preventive
