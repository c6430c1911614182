#pragma once
// Runs a command line through the shell, as a user types it, for tests of the command-line
// tools: what it wrote (standard output and error together) and its exit status.

#include <string>

namespace braxol::test {

struct ShellOutcome {
    int status;  // -1 when the command did not end normally
    std::string out;
};

ShellOutcome RunShell(const std::string& command);

// The text in single quotes, for a path in a command line.
std::string ShellQuoted(const std::string& text);

}  // namespace braxol::test
