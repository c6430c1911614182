#pragma once
// Whole-file reads and crash-safe replacement. A replaced file is written beside the old one,
// flushed to disk and renamed over it, so that after a crash at any instant the file is either
// the old one or the new one, whole.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace braxol {

namespace fs = std::filesystem;

// The whole content; nothing when the file does not exist. Other failures throw IoError.
std::optional<std::string> ReadWholeFile(const fs::path& path);

// Creates an empty file when none exists (the program's "open or create"). Throws IoError.
void CreateIfMissing(const fs::path& path);

enum class FileAccess { Shared, OwnerOnly };

// Replaces the file with `content`. An existing file keeps its permissions; a new one is
// created with `access`. On failure the old file stays as it was and IoError is thrown.
void ReplaceFileContent(const fs::path& path, std::string_view content,
                        FileAccess access = FileAccess::Shared);

// The seam of every replacement, for tests that prove how a failed write is handled (a full
// disk, a share gone away) where file permissions cannot, as for the superuser. When set, it
// is asked before each replacement; an error number other than 0 makes the replacement fail
// with that error, leaving the file as it was. An empty function removes it.
using WriteFault = std::function<int(const fs::path& path)>;
void SetWriteFault(WriteFault fault);

}  // namespace braxol
