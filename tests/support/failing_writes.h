#pragma once
// Makes the program's file writing fail, as a full disk, a broken share or a read-only folder
// would, through its own write seam: the way to prove how a failed write is handled when the
// tests run as the superuser, whom file permissions do not stop.

#include <cerrno>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>

#include "store/safe_file.h"

namespace braxol::test {

// The disk faults that a writer must survive.
enum class DiskFault {
    ShortWrite,      // the write fails after some bytes (a full disk)
    FailingFlush,    // the flush to the disk fails (a device error)
    FailingRename,   // the new content cannot replace the old file
    ReadOnlyFolder,  // nothing can be created in the file's folder
    Vanished,        // the file is moved away between its reading and its writing
};
inline constexpr DiskFault kAllDiskFaults[] = {DiskFault::ShortWrite, DiskFault::FailingFlush,
                                               DiskFault::FailingRename, DiskFault::ReadOnlyFolder,
                                               DiskFault::Vanished};
std::string DiskFaultName(DiskFault fault);

class FailingWrites {
public:
    // Replacements and removals of the files that `fails` picks fail with `error` before they
    // begin, for the life of the object; the others go through.
    explicit FailingWrites(std::function<bool(const std::filesystem::path&)> fails,
                           int error = ENOSPC);
    // Every replacement and removal of this one file fails.
    explicit FailingWrites(const std::filesystem::path& file, int error = ENOSPC);
    // The fault strikes the writing of this file (of its folder for ReadOnlyFolder). A vanished
    // file is moved to vanishedTo(file).
    FailingWrites(const std::filesystem::path& file, DiskFault fault);
    ~FailingWrites();
    FailingWrites(const FailingWrites&) = delete;
    FailingWrites& operator=(const FailingWrites&) = delete;

    // How many steps failed so far (for Vanished: how many files were moved away).
    int failures() const { return failures_; }

    static std::filesystem::path vanishedTo(const std::filesystem::path& file);

private:
    int failures_ = 0;
};

}  // namespace braxol::test
