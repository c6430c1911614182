#pragma once
// The half-written files that a replacement leaves when its writer dies (a kill, a power
// cut): "<file>.~<pid>-<n>@<host>" beside the file ("<file>.~<pid>-<n>" from older copies,
// taken as written on this machine). The next writer of the file removes those whose process
// is gone; the folder check lists them.

#include <filesystem>
#include <optional>
#include <vector>

#include "process_identity.h"

namespace braxol {

namespace fs = std::filesystem;

// The name under which this process writes a new content of `file` beside it (each call a
// new one).
fs::path TempBeside(const fs::path& file);

struct Leftover {
    fs::path path;      // the half-written file
    fs::path dataFile;  // the file it was to replace
    ProcessIdentity writer;
};

// The leftover that this name is, if it is one.
std::optional<Leftover> ParseLeftover(const fs::path& path);
// Leftovers of any file in the folder, sorted by name; none when it cannot be read.
std::vector<Leftover> LeftoversIn(const fs::path& folder);
// Whether the leftover's writer is certainly gone (see ProcessGone).
bool WriterGone(const Leftover& leftover);
// Removes the leftovers of `file` whose writer is gone; best effort, never throws. Returns how
// many it removed.
int RemoveDeadLeftovers(const fs::path& file);

}  // namespace braxol
