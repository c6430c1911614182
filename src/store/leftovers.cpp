#include "leftovers.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <charconv>
#include <string>
#include <system_error>

namespace braxol {
namespace {

constexpr std::string_view kMark = ".~";

// Reads the digits at the front of `text`, consuming them.
std::optional<long> TakeNumber(std::string_view& text) {
    long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end == text.data()) return std::nullopt;
    text.remove_prefix(static_cast<std::size_t>(end - text.data()));
    return value;
}

}  // namespace

fs::path TempBeside(const fs::path& file) {
    static std::atomic<unsigned> counter{0};
    const ProcessIdentity& me = ThisProcess();
    std::string name = file.string() + std::string(kMark) + std::to_string(me.pid) + "-" +
                       std::to_string(counter++);
    if (!me.host.empty()) name += "@" + me.host;
    return name;
}

std::optional<Leftover> ParseLeftover(const fs::path& path) {
    const std::string name = path.filename().string();
    const auto mark = name.rfind(kMark);
    if (mark == std::string::npos || mark == 0) return std::nullopt;
    std::string_view rest = std::string_view(name).substr(mark + kMark.size());
    const auto pid = TakeNumber(rest);
    if (!pid || *pid <= 0 || rest.empty() || rest.front() != '-') return std::nullopt;
    rest.remove_prefix(1);
    if (!TakeNumber(rest)) return std::nullopt;
    Leftover leftover;
    leftover.path = path;
    leftover.dataFile = path.parent_path() / name.substr(0, mark);
    leftover.writer.pid = *pid;
    if (rest.empty()) {
        leftover.writer.host = ThisHostName();  // older copies wrote no host
    } else {
        if (rest.front() != '@' || rest.size() == 1) return std::nullopt;
        leftover.writer.host = std::string(rest.substr(1));
    }
    return leftover;
}

std::vector<Leftover> LeftoversIn(const fs::path& folder) {
    std::vector<Leftover> found;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (auto leftover = ParseLeftover(it->path())) found.push_back(std::move(*leftover));
    }
    std::sort(found.begin(), found.end(),
              [](const Leftover& a, const Leftover& b) { return a.path < b.path; });
    return found;
}

bool WriterGone(const Leftover& leftover) {
    return ProcessGone(leftover.writer);
}

int RemoveDeadLeftovers(const fs::path& file) {
    const fs::path folder = file.parent_path().empty() ? fs::path(".") : file.parent_path();
    const std::string prefix = file.filename().string() + std::string(kMark);
    int removed = 0;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.compare(0, prefix.size(), prefix) != 0) continue;
        const auto leftover = ParseLeftover(it->path());
        if (!leftover || leftover->dataFile.filename() != file.filename()) continue;
        if (WriterGone(*leftover) && ::unlink(it->path().c_str()) == 0) ++removed;
    }
    return removed;
}

}  // namespace braxol
