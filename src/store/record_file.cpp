#include "record_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

void ReadRecordsInto(const fs::path& path, std::size_t recordSize, bool create,
                     const std::function<void*(std::size_t)>& place) {
    if (create) CreateIfMissing(path);
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT && !create) return;
        throw IoError(path.string(), ReasonFromErrno(errno));
    }
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat st {};
    if (::fstat(fd, &st) != 0) throw IoError(path.string(), ReasonFromErrno(errno));
    const auto size = static_cast<std::size_t>(st.st_size);
    if (size % recordSize != 0)
        throw DamagedFileError(path.string(), static_cast<long long>(size), recordSize);
    if (size == 0) return;
    auto* dest = static_cast<char*>(place(size / recordSize));
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::read(fd, dest + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw IoError(path.string(), ReasonFromErrno(errno));
        if (n == 0) throw IoError(path.string(), "il file si è accorciato durante la lettura");
        done += static_cast<std::size_t>(n);
    }
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
