#include "process_identity.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <fstream>
#include <sstream>

namespace braxol {
namespace {

std::string ReadBootId() {
    std::ifstream in("/proc/sys/kernel/random/boot_id");
    std::string id;
    std::getline(in, id);
    return id;
}

// State letter and start time (clock ticks after boot) of a process from /proc/<pid>/stat;
// nothing when it cannot be read.
struct ProcStat {
    char state = '?';
    unsigned long long start = 0;
};

std::optional<ProcStat> ReadProcStat(long pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(in, line)) return std::nullopt;
    // The command name in parentheses may hold blanks: the fields follow its last ")".
    const auto close = line.rfind(')');
    if (close == std::string::npos) return std::nullopt;
    std::istringstream fields(line.substr(close + 1));
    ProcStat stat;
    fields >> stat.state;
    std::string skip;
    for (int field = 4; field < 22; ++field) fields >> skip;  // ppid .. itrealvalue
    fields >> stat.start;
    if (!fields) return std::nullopt;
    return stat;
}

}  // namespace

const std::string& ThisHostName() {
    static const std::string host = [] {
        char name[HOST_NAME_MAX + 1] = {};
        if (::gethostname(name, sizeof name - 1) != 0) return std::string();
        return std::string(name);
    }();
    return host;
}

const ProcessIdentity& ThisProcess() {
    // Not cached: a forked child is another process.
    thread_local ProcessIdentity me;
    const long pid = static_cast<long>(::getpid());
    if (me.pid != pid) {
        me.pid = pid;
        me.host = ThisHostName();
        static const std::string boot = ReadBootId();
        me.boot = boot;
        const auto stat = ReadProcStat(pid);
        me.start = stat ? stat->start : 0;
    }
    return me;
}

bool ProcessGone(const ProcessIdentity& process) {
    if (process.pid <= 0 || process.host.empty() || process.host != ThisHostName()) return false;
    const ProcessIdentity& me = ThisProcess();
    if (!process.boot.empty() && !me.boot.empty() && process.boot != me.boot) return true;
    if (::kill(static_cast<pid_t>(process.pid), 0) != 0 && errno == ESRCH) return true;
    const auto stat = ReadProcStat(process.pid);
    if (!stat) return false;
    if (stat->state == 'Z' || stat->state == 'X') return true;
    return process.start != 0 && stat->start != process.start;
}

}  // namespace braxol
