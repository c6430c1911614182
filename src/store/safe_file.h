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

// Whether the file replaced was there when its old content was read: a writer that changes
// what it read must not create the file anew when it has vanished meanwhile (moved away, a
// share gone), which would leave two versions of the books.
enum class OldFile { MayBeMissing, MustExist };

// Replaces the file with `content`. An existing file keeps its permissions; a new one is
// created with `access`. On failure the old file stays as it was and IoError is thrown.
// Half-written files that dead writers left beside it are removed first (leftovers.h).
void ReplaceFileContent(const fs::path& path, std::string_view content,
                        FileAccess access = FileAccess::Shared,
                        OldFile old = OldFile::MayBeMissing);

// The seam of the store's file writing, for tests that prove how a failed write is handled (a
// full disk, a share gone away, a read-only folder) where file permissions cannot, as for the
// superuser. When set, it is asked at each step; an error number other than 0 makes the step
// fail with that error. An empty function removes it.
enum class WriteStep {
    Replace,  // a replacement begins (the path: the file replaced)
    Create,   // a new file is created: a replacement's temporary (the path: the file
              // replaced), a lock marker or a file created empty (the path: that file)
    Write,    // the new content is written (the file replaced)
    Flush,    // the new content is flushed to the disk (the file replaced)
    Rename,   // the new content is renamed over the old file (the file replaced)
    Remove,   // a file is removed (file_removal.h; the path: that file)
};
struct InjectedFault {
    int error = 0;               // 0: the step goes through
    std::size_t afterBytes = 0;  // WriteStep::Write: the bytes written before it fails
};
using WriteFault = std::function<InjectedFault(const fs::path& path, WriteStep step)>;
void SetWriteFault(WriteFault fault);
// What the installed fault does to this step (nothing when none is installed).
InjectedFault InjectedFaultAt(const fs::path& path, WriteStep step);

}  // namespace braxol
