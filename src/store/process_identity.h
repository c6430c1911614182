#pragma once
// Who a copy of the program is, as its lock markers and half-written files record it, and
// whether a copy so recorded is still running. Only a copy of this same machine can be known
// to be gone; one of another machine sharing the folder is never judged.

#include <optional>
#include <string>

namespace braxol {

struct ProcessIdentity {
    long pid = 0;
    std::string host;
    // Set by this program's markers; empty or 0 in files of older copies. The boot tells a
    // process of an earlier run of the machine (a power cut), the start time a reused number.
    std::string boot;
    unsigned long long start = 0;
};

// This process.
const ProcessIdentity& ThisProcess();
// The machine's name, as gethostname() gives it.
const std::string& ThisHostName();

// True only when the process certainly no longer runs: recorded on this machine, and the
// machine restarted since, or no process has the number, or it has ended (a zombie), or
// another process now bears it. Any doubt counts as running.
bool ProcessGone(const ProcessIdentity& process);

}  // namespace braxol
