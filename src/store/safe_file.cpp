#include "safe_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "file_removal.h"
#include "io_error.h"
#include "leftovers.h"

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

void WriteBytes(int fd, std::string_view data, const fs::path& path) {
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            Fail(path, errno);
        }
        data.remove_prefix(static_cast<std::size_t>(n));
    }
}

// Writes the content; an injected fault lets part of it reach the file first.
void WriteAll(int fd, std::string_view data, const fs::path& path) {
    const InjectedFault fault = InjectedFaultAt(path, WriteStep::Write);
    if (fault.error != 0) {
        WriteBytes(fd, data.substr(0, std::min(fault.afterBytes, data.size())), path);
        Fail(path, fault.error);
    }
    WriteBytes(fd, data, path);
}

// Fails the step when the installed fault says so.
void Step(const fs::path& path, WriteStep step) {
    if (const int err = InjectedFaultAt(path, step).error) Fail(path, err);
}

void SyncFolder(const fs::path& folder) {
    Fd dir{::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (dir.fd >= 0) ::fsync(dir.fd);  // best effort: some file systems refuse it
}

WriteFault& InstalledWriteFault() {
    static WriteFault fault;
    return fault;
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
    if (const int err = InjectedFaultAt(path, WriteStep::Create).error) {
        struct stat st {};
        if (::stat(path.c_str(), &st) != 0) Fail(path, err);
        return;
    }
    Fd f{::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666)};
    if (f.fd < 0 && errno != EEXIST) Fail(path, errno);
}

void SetWriteFault(WriteFault fault) {
    InstalledWriteFault() = std::move(fault);
}

InjectedFault InjectedFaultAt(const fs::path& path, WriteStep step) {
    const WriteFault& fault = InstalledWriteFault();
    return fault ? fault(path, step) : InjectedFault{};
}

bool RemoveFile(const fs::path& path) {
    Step(path, WriteStep::Remove);
    if (::unlink(path.c_str()) == 0) return true;
    if (errno == ENOENT) return false;
    Fail(path, errno);
}

void ReplaceFileContent(const fs::path& path, std::string_view content, FileAccess access,
                        OldFile old) {
    Step(path, WriteStep::Replace);
    mode_t mode = access == FileAccess::OwnerOnly ? 0600 : 0666;
    bool keepMode = false;
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
        keepMode = true;
    } else if (errno == ENOENT && old == OldFile::MustExist) {
        throw IoError(path.string(),
                      "il file è scomparso durante la modifica: non viene ricreato; controllare "
                      "la cartella");
    }
    RemoveDeadLeftovers(path);
    Step(path, WriteStep::Create);
    const fs::path temp = TempBeside(path);
    Fd f{::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode)};
    if (f.fd < 0) Fail(path, errno);
    try {
        if (keepMode) ::fchmod(f.fd, mode);  // the umask must not narrow an existing file's mode
        WriteAll(f.fd, content, path);
        Step(path, WriteStep::Flush);
        if (::fsync(f.fd) != 0) Fail(path, errno);
        if (::close(f.release()) != 0) Fail(path, errno);
        Step(path, WriteStep::Rename);
        if (::rename(temp.c_str(), path.c_str()) != 0) Fail(path, errno);
    } catch (...) {
        ::unlink(temp.c_str());
        throw;
    }
    SyncFolder(path.parent_path());
}

}  // namespace braxol
