#pragma once
// Makes the program's file replacements fail, as a full disk would, through its own write
// seam: the way to prove how a failed write is handled when the tests run as the superuser,
// whom file permissions do not stop.

#include <cerrno>
#include <filesystem>
#include <functional>

namespace braxol::test {

class FailingWrites {
public:
    // Replacements of the files that `fails` picks fail with `error` for the life of the
    // object; the others go through.
    explicit FailingWrites(std::function<bool(const std::filesystem::path&)> fails,
                           int error = ENOSPC);
    // Every replacement of this one file fails.
    explicit FailingWrites(const std::filesystem::path& file, int error = ENOSPC);
    ~FailingWrites();
    FailingWrites(const FailingWrites&) = delete;
    FailingWrites& operator=(const FailingWrites&) = delete;

    // How many replacements failed so far.
    int failures() const { return failures_; }

private:
    int failures_ = 0;
};

}  // namespace braxol::test
