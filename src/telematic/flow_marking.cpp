#include "telematic/flow_marking.h"

#include <map>
#include <memory>
#include <optional>
#include <unordered_map>

#include "store/dates.h"
#include "store/lock.h"
#include "store/movements.h"
#include "store/numbers.h"
#include "store/paths.h"

namespace braxol::telematic {
namespace {

// The yearly file that holds the record, by its own year; nothing for other kinds.
std::optional<fs::path> FileOf(const WorkFolders& folders, const TMOVIMENTO& r) {
    if (r.TIPREC == "C") {
        const auto year = YearOfDate(r.DATMOV);
        if (!year) return std::nullopt;
        return ResolvePath(YearFile(folders.registri, *year, ".RGM"));
    }
    if (r.TIPREC == "E" || r.TIPREC == "R")
        return ResolvePath(YearFile(folders.registri, ParseInteger(r.ANNPRO.trimmed()), ".DER"));
    return std::nullopt;
}

}  // namespace

int MarkFlowRecords(const WorkFolders& folders, const std::vector<TMOVIMENTO>& copies) {
    // The chosen records, grouped by file; the files in name order, so that two copies of the
    // program take their locks in the same order.
    std::map<fs::path, std::vector<const TMOVIMENTO*>> byFile;
    for (const TMOVIMENTO& copy : copies) {
        if (copy.NUMFLU == 0) continue;
        if (const auto file = FileOf(folders, copy)) byFile[*file].push_back(&copy);
    }

    std::vector<std::unique_ptr<FileLock>> locks;
    std::vector<MovementFile> files;
    for (const auto& [path, chosen] : byFile) {
        locks.push_back(std::make_unique<FileLock>(path));
        files.push_back(MovementFile::OpenOrCreate(path));
    }

    int marked = 0;
    std::vector<bool> changed(files.size(), false);
    std::size_t index = 0;
    for (const auto& [path, chosen] : byFile) {
        auto& records = files[index].records();
        // The first record of each operation number, as a scan from the start finds it.
        std::unordered_map<std::int32_t, std::size_t> first;
        for (std::size_t i = records.size(); i-- > 0;) first[records[i].NUMOPE] = i;
        for (const TMOVIMENTO* copy : chosen) {
            const auto found = first.find(copy->NUMOPE);
            if (found == first.end()) continue;
            TMOVIMENTO& stored = records[found->second];
            if (stored.NUMFLU != 0) continue;
            stored.DATFLU = copy->DATFLU;
            stored.NUMFLU = copy->NUMFLU;
            changed[index] = true;
            ++marked;
        }
        ++index;
    }
    for (std::size_t i = 0; i < files.size(); ++i)
        if (changed[i]) files[i].save();
    return marked;
}

}  // namespace braxol::telematic
