#include "lock.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <chrono>
#include <thread>

#include "io_error.h"
#include "leftovers.h"
#include "safe_file.h"

namespace braxol {
namespace {

class PatientPrompt : public LockPrompt {
public:
    void busy(const std::string& path, int attempt) override {
        if (attempt > 150)
            throw IoError(path, "il file è in uso da un altro utente; riprovare più tardi");
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    bool takeOver(const std::string&) override { return false; }
};

PatientPrompt defaultPrompt;
LockPrompt* current = nullptr;

bool WriteText(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t n = ::write(fd, text.data(), text.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        text.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Creates the marker with this process's name in it, in one step: written under a name of its
// own and linked to the marker's name, which fails when the marker exists. Where the folder
// has no links (some shares), an exclusive create and then the text. False when the marker
// exists; IoError when it cannot be made.
bool CreateMarker(const fs::path& marker) {
    if (const int err = InjectedFaultAt(marker, WriteStep::Create).error)
        throw IoError(marker.string(), ReasonFromErrno(err));
    const std::string text = LockMarkerText(ThisProcess());
    const fs::path temp = TempBeside(marker);
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) throw IoError(marker.string(), ReasonFromErrno(errno));
    const bool written = WriteText(fd, text);
    ::close(fd);
    if (written && ::link(temp.c_str(), marker.c_str()) == 0) {
        ::unlink(temp.c_str());
        return true;
    }
    const int linkError = errno;
    ::unlink(temp.c_str());
    if (written && linkError == EEXIST) return false;
    fd = ::open(marker.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        if (errno == EEXIST) return false;
        throw IoError(marker.string(), ReasonFromErrno(errno));
    }
    WriteText(fd, text);  // an empty marker still holds the file, as older copies' do
    ::close(fd);
    return true;
}

// The marker now stands for this process (taken over at the user's word).
void RewriteMarker(const fs::path& marker) {
    const int fd = ::open(marker.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return;
    WriteText(fd, LockMarkerText(ThisProcess()));
    ::close(fd);
}

// Removes a marker whose holder is gone, unless another copy replaced it meanwhile: it is
// moved aside first, so that only one copy removes it, and put back when it is no longer the
// one that was read. True when the marker is gone and may be created.
bool RemoveDeadMarker(const fs::path& marker, const std::string& deadText) {
    const fs::path aside = TempBeside(marker);
    if (::rename(marker.c_str(), aside.c_str()) != 0) return errno == ENOENT;
    std::optional<std::string> moved;
    try {
        moved = ReadWholeFile(aside);
    } catch (const IoError&) {
    }
    if (moved && *moved == deadText) {
        ::unlink(aside.c_str());
        return true;
    }
    if (::link(aside.c_str(), marker.c_str()) == 0 || errno == EEXIST) {
        ::unlink(aside.c_str());
    } else {
        ::rename(aside.c_str(), marker.c_str());
    }
    return false;
}

}  // namespace

void LockPrompt::holderGone(const std::string&, const ProcessIdentity&) {}

LockPrompt& CurrentLockPrompt() {
    return current ? *current : defaultPrompt;
}

LockPrompt* SetLockPrompt(LockPrompt* prompt) {
    LockPrompt* previous = current;
    current = prompt;
    return previous;
}

std::string LockBusyMessage(const std::string& path) {
    return "ATTENDERE! IL FILE: " + path +
           " E` APERTO DA UN ALTRO UTENTE \n\n PREMI OK PER RIPROVARE ";
}

std::string LockTakeOverQuestion(const std::string& path, const std::string& yesButton) {
    return "ATTENZIONE! ACCERTARSI CHE IL FILE: " + path +
           " NON SIA APERTO DA UN ALTRO UTENTE\n\n PREMI \"" + yesButton +
           "\" SE NESSUN UTENTE STA UTILIZZANDO IL FILE";
}

std::string LockHolderGoneMessage(const std::string& path, const ProcessIdentity& holder) {
    return "ATTENZIONE! IL FILE: " + path +
           " ERA RIMASTO BLOCCATO DA UNA COPIA DEL PROGRAMMA CHE NON È PIÙ IN FUNZIONE (PROCESSO " +
           std::to_string(holder.pid) + " SU " + holder.host +
           ")\n\n IL BLOCCO VIENE RIMOSSO: PREMI OK PER CONTINUARE ";
}

fs::path LockMarkerPath(const fs::path& path) {
    return fs::path(path.string() + "$");
}

std::string LockMarkerText(const ProcessIdentity& holder) {
    std::string text = "pid=" + std::to_string(holder.pid) + "\nhost=" + holder.host + "\n";
    if (!holder.boot.empty()) text += "boot=" + holder.boot + "\n";
    if (holder.start != 0) text += "start=" + std::to_string(holder.start) + "\n";
    return text;
}

std::optional<ProcessIdentity> ParseLockMarker(std::string_view text) {
    ProcessIdentity holder;
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const auto equals = line.find('=');
        if (equals == std::string_view::npos) continue;
        const std::string_view key = line.substr(0, equals);
        const std::string_view value = line.substr(equals + 1);
        auto number = [&](auto& out) {
            const auto [at, ec] = std::from_chars(value.data(), value.data() + value.size(), out);
            if (ec != std::errc() || at != value.data() + value.size()) out = 0;
        };
        if (key == "pid") number(holder.pid);
        if (key == "host") holder.host = std::string(value);
        if (key == "boot") holder.boot = std::string(value);
        if (key == "start") number(holder.start);
    }
    if (holder.pid <= 0 || holder.host.empty()) return std::nullopt;
    return holder;
}

std::optional<ProcessIdentity> ReadLockHolder(const fs::path& marker) {
    try {
        if (const auto text = ReadWholeFile(marker)) return ParseLockMarker(*text);
    } catch (const IoError&) {
    }
    return std::nullopt;
}

void LockDataFile(const fs::path& path) {
    const fs::path marker = LockMarkerPath(path);
    int attempts = 0;
    bool told = false;  // the notice of a gone holder is shown once
    int released = 0;   // markers gone between the create and the read
    for (;;) {
        if (CreateMarker(marker)) {
            RemoveDeadLeftovers(marker);
            return;
        }
        LockPrompt& prompt = CurrentLockPrompt();
        std::optional<std::string> text;
        bool unreadable = false;
        try {
            text = ReadWholeFile(marker);
        } catch (const IoError&) {
            unreadable = true;
        }
        // Released meanwhile: try again (a marker that is a broken link would never be read).
        if (!text && !unreadable && ++released < 100) continue;
        const auto holder = text ? ParseLockMarker(*text) : std::nullopt;
        if (holder && ProcessGone(*holder)) {
            if (!told) prompt.holderGone(path.string(), *holder);
            told = true;
            if (RemoveDeadMarker(marker, *text)) continue;
        }
        ++attempts;
        prompt.busy(path.string(), attempts);
        // Taken over: the marker left by the other copy now stands for this one.
        if (attempts > 10 && prompt.takeOver(path.string())) {
            RewriteMarker(marker);
            return;
        }
    }
}

void UnlockDataFile(const fs::path& path) {
    ::unlink(LockMarkerPath(path).c_str());
}

}  // namespace braxol
