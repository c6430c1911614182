#pragma once
// What a window must show after a disk fault struck its write (failing_writes.h): the input/
// output error box naming the file, as its first message; the old file byte for byte (for a
// file moved away: the moved file untouched and no new one in its place); no lock marker and
// no half-written file beside it.

#include <filesystem>
#include <string>

#include "support/failing_writes.h"
#include "support/qt/scripted_seams.h"

namespace braxol::test {

void ExpectFaultReported(const ScriptedMessages& messages, const std::filesystem::path& file,
                         const std::string& before, DiskFault fault);

// Puts the file back where a Vanished fault moved it from (for the next case of a table).
void RestoreVanished(const std::filesystem::path& file);

}  // namespace braxol::test
