#include "telematic/flow_stamps.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <charconv>
#include <chrono>
#include <cmath>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string_view>
#include <system_error>
#include <unordered_map>

#include "store/io_error.h"
#include "store/lock.h"
#include "store/movements.h"
#include "store/numbers.h"
#include "store/paths.h"
#include "store/safe_file.h"

namespace braxol::telematic {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kJournalHeader = "BRAXOL TIMBRI 1";
constexpr double kSameDay = 0.1;

double WholeDay(double date) {
    return RoundDecimals(date, 0);
}

std::string Number(double value) {
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return std::string(buffer, end);
}

template <class T>
bool Parse(std::string_view text, T& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

std::vector<std::string_view> Split(std::string_view line, char separator) {
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t at = line.find(separator, start);
        parts.push_back(line.substr(start, at == std::string_view::npos ? at : at - start));
        if (at == std::string_view::npos) return parts;
        start = at + 1;
    }
}

// One line per change: the file (from the work folder), NUMOPE, the stamp before, the stamp
// after; numbers written so that they read back exactly, whatever the locale.
std::string JournalText(const WorkFolders& folders, const std::vector<StampChange>& changes) {
    std::string text = std::string(kJournalHeader) + "\n";
    for (const StampChange& c : changes) {
        text += ResolvePath(c.file).lexically_relative(folders.root).generic_string() + "\t" +
                std::to_string(c.numope) + "\t" + Number(c.from.date) + "\t" +
                std::to_string(c.from.number) + "\t" + Number(c.to.date) + "\t" +
                std::to_string(c.to.number) + "\n";
    }
    return text;
}

std::vector<StampChange> ReadJournal(const WorkFolders& folders, const fs::path& journal) {
    const auto text = ReadWholeFile(journal);
    if (!text) return {};
    const auto damaged = [&journal] {
        return IoError(journal.string(), "registro delle modifiche dei flussi non leggibile");
    };
    std::vector<std::string_view> lines = Split(*text, '\n');
    if (lines.empty() || lines.front() != kJournalHeader) throw damaged();
    std::vector<StampChange> changes;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (lines[i].empty()) continue;
        const auto fields = Split(lines[i], '\t');
        StampChange c;
        if (fields.size() != 6 || fields[0].empty() || !Parse(fields[1], c.numope) ||
            !Parse(fields[2], c.from.date) || !Parse(fields[3], c.from.number) ||
            !Parse(fields[4], c.to.date) || !Parse(fields[5], c.to.number))
            throw damaged();
        const fs::path relative{std::string(fields[0])};
        if (relative.is_absolute() || std::any_of(relative.begin(), relative.end(),
                                                  [](const fs::path& p) { return p == ".."; }))
            throw damaged();
        c.file = folders.root / relative;
        changes.push_back(c);
    }
    return changes;
}

fs::path NewJournalPath(const WorkFolders& folders) {
    static std::atomic<int> counter{0};
    const auto millis = std::chrono::duration_cast<std::chrono::milliseconds>(
                            std::chrono::system_clock::now().time_since_epoch())
                            .count();
    std::ostringstream name;
    name.fill('0');
    name.width(15);
    name << millis;
    name << "-" << ::getpid() << "-" << counter++ << kStampJournalExtension;
    return folders.registri / name.str();
}

void RemoveJournal(const fs::path& journal) {
    std::error_code error;
    fs::remove(journal, error);
    if (error) throw IoError(journal.string(), ReasonFromErrno(error.value()));
}

// Locks every file of the changes, reads them, changes them in memory; then, when something
// changed, runs `beforeWrites` (which writes the journal) and rewrites the changed files.
// `written` counts the files rewritten, for the caller's clean-up.
int ApplyUnderLocks(const std::vector<StampChange>& changes,
                    const std::function<void()>& beforeWrites, int& written) {
    std::map<fs::path, std::vector<const StampChange*>> byFile;
    for (const StampChange& c : changes) byFile[ResolvePath(c.file)].push_back(&c);

    std::vector<std::unique_ptr<FileLock>> locks;
    std::vector<MovementFile> files;
    for (const auto& [path, fileChanges] : byFile) {
        locks.push_back(std::make_unique<FileLock>(path));
        files.push_back(MovementFile::OpenOrCreate(path));
    }

    int changed = 0;
    std::vector<bool> dirty(files.size(), false);
    std::size_t index = 0;
    for (const auto& [path, fileChanges] : byFile) {
        auto& records = files[index].records();
        // The first record of each operation number, as a scan from the start finds it.
        std::unordered_map<std::int32_t, std::size_t> first;
        for (std::size_t i = records.size(); i-- > 0;) first[records[i].NUMOPE] = i;
        for (const StampChange* c : fileChanges) {
            const auto found = first.find(c->numope);
            if (found == first.end()) continue;
            TMOVIMENTO& stored = records[found->second];
            if (!CarriesStamp(stored, c->from)) continue;
            if (stored.DATFLU == c->to.date && stored.NUMFLU == c->to.number) continue;
            stored.DATFLU = c->to.date;
            stored.NUMFLU = c->to.number;
            dirty[index] = true;
            ++changed;
        }
        ++index;
    }
    if (changed == 0) return 0;
    beforeWrites();
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (!dirty[i]) continue;
        files[i].save();
        ++written;
    }
    return changed;
}

}  // namespace

bool CarriesStamp(const TMOVIMENTO& record, const FlowStamp& stamp) {
    if (record.NUMFLU != stamp.number) return false;
    return stamp.number == 0 ||
           std::fabs(WholeDay(record.DATFLU) - WholeDay(stamp.date)) < kSameDay;
}

int ApplyStampChanges(const WorkFolders& folders, const std::vector<StampChange>& changes) {
    fs::path journal;
    int written = 0;
    try {
        const int changed = ApplyUnderLocks(
            changes,
            [&] {
                const fs::path path = NewJournalPath(folders);
                ReplaceFileContent(path, JournalText(folders, changes));
                journal = path;
            },
            written);
        if (!journal.empty()) RemoveJournal(journal);
        return changed;
    } catch (const IoError&) {
        // Nothing rewritten yet: nothing to finish later either.
        if (!journal.empty() && written == 0) {
            std::error_code ignored;
            fs::remove(journal, ignored);
        }
        throw;
    }
}

int FinishInterruptedStamps(const WorkFolders& folders) {
    std::vector<fs::path> journals;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folders.registri, error)) {
        if (UpperAscii(entry.path().extension().string()) == kStampJournalExtension)
            journals.push_back(entry.path());
    }
    if (error) throw IoError(folders.registri.string(), ReasonFromErrno(error.value()));
    std::sort(journals.begin(), journals.end());

    int changed = 0;
    for (const fs::path& journal : journals) {
        int written = 0;
        changed += ApplyUnderLocks(
            ReadJournal(folders, journal), [] {}, written);
        RemoveJournal(journal);
    }
    return changed;
}

}  // namespace braxol::telematic
