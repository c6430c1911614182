#include "telematic/flow_marking.h"

#include <optional>

#include "store/dates.h"
#include "store/numbers.h"
#include "store/paths.h"
#include "telematic/flow_stamps.h"

namespace braxol::telematic {
namespace {

constexpr int kFirstYear = 1900;
constexpr int kLastYear = 9999;

// The record's own year when it is a year, otherwise the year of the listing.
std::optional<int> YearOr(std::optional<int> own, int listedYear) {
    if (own && *own >= kFirstYear && *own <= kLastYear) return own;
    if (listedYear >= kFirstYear && listedYear <= kLastYear) return listedYear;
    return std::nullopt;
}

// The yearly file that holds the record, by its own year; nothing for other kinds.
std::optional<fs::path> FileOf(const WorkFolders& folders, const TMOVIMENTO& r, int listedYear) {
    if (r.TIPREC == "C") {
        const auto year = YearOr(YearOfDate(r.DATMOV), listedYear);
        if (!year) return std::nullopt;
        return YearFile(folders.registri, *year, ".RGM");
    }
    if (r.TIPREC == "E" || r.TIPREC == "R") {
        const auto year = YearOr(ParseInteger(r.ANNPRO.trimmed()), listedYear);
        if (!year) return std::nullopt;
        return YearFile(folders.registri, *year, ".DER");
    }
    return std::nullopt;
}

}  // namespace

int MarkFlowRecords(const WorkFolders& folders, const std::vector<TMOVIMENTO>& copies,
                    int listedYear) {
    std::vector<StampChange> changes;
    for (const TMOVIMENTO& copy : copies) {
        if (copy.NUMFLU == 0) continue;
        if (const auto file = FileOf(folders, copy, listedYear))
            changes.push_back({*file, copy.NUMOPE, {}, {copy.DATFLU, copy.NUMFLU}});
    }
    return ApplyStampChanges(folders, changes);
}

int MarkRequestsSent(const WorkFolders& folders, const std::vector<TMOVIMENTO>& chosen) {
    std::vector<StampChange> changes;
    for (const TMOVIMENTO& copy : chosen)
        if (copy.NUMFLU != 0)
            changes.push_back(
                {folders.requestsFile(), copy.NUMOPE, {}, {copy.DATFLU, copy.NUMFLU}});
    return ApplyStampChanges(folders, changes);
}

int DetachFlowRecords(const WorkFolders& folders, const std::vector<TMOVIMENTO>& listed,
                      int listedYear) {
    std::vector<StampChange> changes;
    for (const TMOVIMENTO& copy : listed) {
        if (copy.NUMFLU == 0) continue;
        if (const auto file = FileOf(folders, copy, listedYear))
            changes.push_back({*file, copy.NUMOPE, {copy.DATFLU, copy.NUMFLU}, {}});
    }
    return ApplyStampChanges(folders, changes);
}

}  // namespace braxol::telematic
