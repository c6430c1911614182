#include "support/shell_command.h"

#include <sys/wait.h>

#include <cstdio>

namespace braxol::test {

ShellOutcome RunShell(const std::string& command) {
    FILE* p = ::popen(("(" + command + ") 2>&1").c_str(), "r");
    if (!p) return {-1, ""};
    std::string out;
    char buf[4096];
    while (std::size_t n = std::fread(buf, 1, sizeof buf, p)) out.append(buf, n);
    const int status = ::pclose(p);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

std::string ShellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

}  // namespace braxol::test
