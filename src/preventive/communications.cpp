#include "preventive/communications.h"

#include <algorithm>
#include <system_error>

#include "store/dates.h"
#include "store/io_error.h"
#include "store/movements.h"
#include "store/numbers.h"
#include "store/paths.h"

namespace braxol::preventive {
namespace {

double Day(double date) {
    return RoundDecimals(date, 0);
}

int YearOf(double date) {
    const auto year = YearOfDate(date);
    if (!year) throw IoError(FormatDate(date), "data non valida");
    return *year;
}

}  // namespace

fs::path CommunicationsFile(const fs::path& registri, double date) {
    return YearFile(registri, YearOf(date), ".PRV");
}

int ProposedNumber(std::span<const TMOVIMENTO> records, double date) {
    int number = 1;
    for (const TMOVIMENTO& r : records)
        if (Day(r.DATMOV) <= Day(date)) number = r.INTER2 + 1;
    return number;
}

int ProposedNumber(const fs::path& registri, double date) {
    const fs::path file = ResolvePath(CommunicationsFile(registri, date));
    return ProposedNumber(ReadRecords<TMOVIMENTO>(file, false), date);
}

bool NumberTaken(const fs::path& registri, double date, int number,
                 const std::optional<TMOVIMENTO>& chosen) {
    const fs::path file = ResolvePath(CommunicationsFile(registri, date));
    const bool chosenHere =
        chosen && ResolvePath(CommunicationsFile(registri, chosen->DATMOV)) == file;
    const auto records = ReadRecords<TMOVIMENTO>(file, false);
    return std::any_of(records.begin(), records.end(), [&](const TMOVIMENTO& r) {
        return r.INTER2 == number && !(chosenHere && r.NUMOPE == chosen->NUMOPE);
    });
}

TMOVIMENTO PlaceCommunication(std::vector<TMOVIMENTO>& records, TMOVIMENTO record) {
    PadMovement(record);
    std::int32_t highest = 0;
    for (const TMOVIMENTO& r : records) highest = std::max(highest, r.NUMOPE);
    record.NUMOPE = highest + 1;
    const auto later = std::find_if(records.begin(), records.end(),
                                    [&](const TMOVIMENTO& r) { return r.INTER2 > record.INTER2; });
    records.insert(later, record);
    return record;
}

TMOVIMENTO SaveCommunication(const fs::path& registri, const std::optional<TMOVIMENTO>& chosen,
                             TMOVIMENTO composed) {
    composed.NUMOPE = 0;
    const fs::path target = CommunicationsFile(registri, composed.DATMOV);
    auto add = [&](MovementFile& file, std::optional<std::int32_t> removed) {
        if (removed) RemoveMovement(file.records(), *removed);
        const TMOVIMENTO stored = PlaceCommunication(file.records(), composed);
        file.save();
        return stored;
    };
    if (!chosen) return WithMovementFile(target, [&](MovementFile& f) { return add(f, {}); });
    const fs::path old = CommunicationsFile(registri, chosen->DATMOV);
    if (ResolvePath(old) == ResolvePath(target))
        return WithMovementFile(target, [&](MovementFile& f) { return add(f, chosen->NUMOPE); });
    const TMOVIMENTO stored = WithMovementFile(target, [&](MovementFile& f) { return add(f, {}); });
    DeleteMovement(chosen->NUMOPE, old);
    return stored;
}

fs::path LetterPath(const fs::path& root, int year, int number) {
    return ResolvePath(root / "PREVENTIVE" / std::to_string(year) /
                       (std::to_string(number) + ".PDF"));
}

std::optional<fs::path> LetterPathOf(const fs::path& root, const TMOVIMENTO& communication) {
    const auto year = YearOfDate(communication.DATMOV);
    if (!year) return std::nullopt;
    return LetterPath(root, *year, communication.INTER2);
}

void RemoveOldLetter(const fs::path& root, const fs::path& registri, const TMOVIMENTO& before,
                     const TMOVIMENTO& after) {
    const auto old = LetterPathOf(root, before);
    if (!old || old == LetterPathOf(root, after)) return;
    const auto others =
        ReadRecords<TMOVIMENTO>(ResolvePath(CommunicationsFile(registri, before.DATMOV)), false);
    const bool stillUsed = std::any_of(others.begin(), others.end(), [&](const TMOVIMENTO& r) {
        return r.INTER2 == before.INTER2;
    });
    if (stillUsed) return;
    std::error_code ignored;  // a letter that cannot go stays; the record is what counts
    fs::remove(*old, ignored);
}

bool StampSent(const fs::path& registri, const TMOVIMENTO& communication, double date,
               const std::string& time) {
    return WithMovementFile(
        CommunicationsFile(registri, communication.DATMOV), [&](MovementFile& file) {
            auto& records = file.records();
            const auto it = std::find_if(records.begin(), records.end(), [&](const TMOVIMENTO& r) {
                return r.NUMOPE == communication.NUMOPE;
            });
            if (it == records.end()) return false;
            it->DATPEC = date;
            it->MITDES.set(time);
            PadMovement(*it);
            file.save();
            return true;
        });
}

}  // namespace braxol::preventive
