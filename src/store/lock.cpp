#include "lock.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

#include "io_error.h"

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

}  // namespace

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

fs::path LockMarkerPath(const fs::path& path) {
    return fs::path(path.string() + "$");
}

void LockDataFile(const fs::path& path) {
    const fs::path marker = LockMarkerPath(path);
    int attempts = 0;
    for (;;) {
        const int fd = ::open(marker.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            return;
        }
        if (errno != EEXIST) throw IoError(marker.string(), ReasonFromErrno(errno));
        ++attempts;
        LockPrompt& prompt = CurrentLockPrompt();
        prompt.busy(path.string(), attempts);
        // Taken over: the marker left by the other copy now stands for this one.
        if (attempts > 10 && prompt.takeOver(path.string())) return;
    }
}

void UnlockDataFile(const fs::path& path) {
    ::unlink(LockMarkerPath(path).c_str());
}

}  // namespace braxol
