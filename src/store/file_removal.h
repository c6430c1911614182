#pragma once
// Removing a file, as the program deletes the files it owns (the signing folders' flows).

#include <filesystem>

namespace braxol {

// Removes the file; false when there was none. A removal changes the folder as a replacement
// does, so the write seam of safe_file.h (SetWriteFault, WriteStep::Remove) is asked first.
// Throws IoError.
bool RemoveFile(const std::filesystem::path& path);

}  // namespace braxol
