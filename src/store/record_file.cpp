#include "record_file.h"

#include <sys/stat.h>

#include <cerrno>

#include "io_error.h"

namespace braxol {

std::string ReadRecordBytes(const fs::path& path, std::size_t recordSize, bool create) {
    if (create) CreateIfMissing(path);
    auto bytes = ReadWholeFile(path);
    if (!bytes) return {};
    if (bytes->size() % recordSize != 0)
        throw DamagedFileError(path.string(), static_cast<long long>(bytes->size()), recordSize);
    return std::move(*bytes);
}

void RequireWholeRecords(const fs::path& path, std::size_t recordSize) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        if (errno == ENOENT) return;
        throw IoError(path.string(), ReasonFromErrno(errno));
    }
    if (static_cast<std::size_t>(st.st_size) % recordSize != 0)
        throw DamagedFileError(path.string(), static_cast<long long>(st.st_size), recordSize);
}

}  // namespace braxol
