#include "support/failing_writes.h"

namespace braxol::test {
namespace fs = std::filesystem;

namespace {

bool SameFile(const fs::path& a, const fs::path& b) {
    return fs::weakly_canonical(a) == fs::weakly_canonical(b);
}

}  // namespace

std::string DiskFaultName(DiskFault fault) {
    switch (fault) {
        case DiskFault::ShortWrite:
            return "ShortWrite";
        case DiskFault::FailingFlush:
            return "FailingFlush";
        case DiskFault::FailingRename:
            return "FailingRename";
        case DiskFault::ReadOnlyFolder:
            return "ReadOnlyFolder";
        case DiskFault::Vanished:
            return "Vanished";
    }
    return "?";
}

FailingWrites::FailingWrites(std::function<bool(const fs::path&)> fails, int error) {
    SetWriteFault([this, fails = std::move(fails), error](const fs::path& path, WriteStep step) {
        if ((step != WriteStep::Replace && step != WriteStep::Remove) || !fails(path))
            return InjectedFault{};
        ++failures_;
        return InjectedFault{error};
    });
}

FailingWrites::FailingWrites(const fs::path& file, int error)
    : FailingWrites([file](const fs::path& path) { return SameFile(path, file); }, error) {}

FailingWrites::FailingWrites(const fs::path& file, DiskFault fault) {
    SetWriteFault([this, file, fault](const fs::path& path, WriteStep step) -> InjectedFault {
        switch (fault) {
            case DiskFault::ShortWrite:
                if (step != WriteStep::Write || !SameFile(path, file)) return {};
                ++failures_;
                return {ENOSPC, 100};  // a part of the first record reaches the disk
            case DiskFault::FailingFlush:
                if (step != WriteStep::Flush || !SameFile(path, file)) return {};
                ++failures_;
                return {EIO};
            case DiskFault::FailingRename:
                if (step != WriteStep::Rename || !SameFile(path, file)) return {};
                ++failures_;
                return {EACCES};
            case DiskFault::ReadOnlyFolder:
                if (step != WriteStep::Create || !SameFile(path.parent_path(), file.parent_path()))
                    return {};
                ++failures_;
                return {EROFS};
            case DiskFault::Vanished:
                if (step != WriteStep::Replace || !SameFile(path, file) || !fs::exists(file))
                    return {};
                ++failures_;
                fs::rename(file, vanishedTo(file));
                return {};
        }
        return {};
    });
}

fs::path FailingWrites::vanishedTo(const fs::path& file) {
    return file.parent_path() / (file.filename().string() + ".spostato");
}

FailingWrites::~FailingWrites() {
    SetWriteFault({});
}

}  // namespace braxol::test
