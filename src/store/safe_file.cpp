#include "safe_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

#include "file_removal.h"
#include "io_error.h"

namespace braxol {
namespace {

[[noreturn]] void Fail(const fs::path& path, int err) {
    throw IoError(path.string(), ReasonFromErrno(err));
}

// Closes the descriptor on every path out.
struct Fd {
    int fd = -1;
    ~Fd() {
        if (fd >= 0) ::close(fd);
    }
    int release() {
        int f = fd;
        fd = -1;
        return f;
    }
};

void WriteAll(int fd, std::string_view data, const fs::path& path) {
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            Fail(path, errno);
        }
        data.remove_prefix(static_cast<std::size_t>(n));
    }
}

void SyncFolder(const fs::path& folder) {
    Fd dir{::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (dir.fd >= 0) ::fsync(dir.fd);  // best effort: some file systems refuse it
}

WriteFault& InstalledWriteFault() {
    static WriteFault fault;
    return fault;
}

void AskWriteFault(const fs::path& path) {
    if (const WriteFault& fault = InstalledWriteFault()) {
        if (const int err = fault(path)) Fail(path, err);
    }
}

fs::path TempBeside(const fs::path& path) {
    static std::atomic<unsigned> counter{0};
    return fs::path(path.string() + ".~" + std::to_string(::getpid()) + "-" +
                    std::to_string(counter++));
}

}  // namespace

std::optional<std::string> ReadWholeFile(const fs::path& path) {
    Fd f{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
    if (f.fd < 0) {
        if (errno == ENOENT) return std::nullopt;
        Fail(path, errno);
    }
    std::string content;
    struct stat st {};
    if (::fstat(f.fd, &st) == 0 && st.st_size > 0)
        content.reserve(static_cast<std::size_t>(st.st_size));
    char buf[1 << 16];
    for (;;) {
        const ssize_t n = ::read(f.fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            Fail(path, errno);
        }
        if (n == 0) break;
        content.append(buf, static_cast<std::size_t>(n));
    }
    return content;
}

void CreateIfMissing(const fs::path& path) {
    Fd f{::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666)};
    if (f.fd < 0 && errno != EEXIST) Fail(path, errno);
}

void SetWriteFault(WriteFault fault) {
    InstalledWriteFault() = std::move(fault);
}

bool RemoveFile(const fs::path& path) {
    AskWriteFault(path);
    if (::unlink(path.c_str()) == 0) return true;
    if (errno == ENOENT) return false;
    Fail(path, errno);
}

void ReplaceFileContent(const fs::path& path, std::string_view content, FileAccess access) {
    AskWriteFault(path);
    mode_t mode = access == FileAccess::OwnerOnly ? 0600 : 0666;
    bool keepMode = false;
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
        keepMode = true;
    }
    const fs::path temp = TempBeside(path);
    Fd f{::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode)};
    if (f.fd < 0) Fail(path, errno);
    try {
        if (keepMode) ::fchmod(f.fd, mode);  // the umask must not narrow an existing file's mode
        WriteAll(f.fd, content, path);
        if (::fsync(f.fd) != 0) Fail(path, errno);
        if (::close(f.release()) != 0) Fail(path, errno);
        if (::rename(temp.c_str(), path.c_str()) != 0) Fail(path, errno);
    } catch (...) {
        ::unlink(temp.c_str());
        throw;
    }
    SyncFolder(path.parent_path());
}

}  // namespace braxol
