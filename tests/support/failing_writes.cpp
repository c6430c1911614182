#include "support/failing_writes.h"

#include "store/safe_file.h"

namespace braxol::test {

FailingWrites::FailingWrites(std::function<bool(const std::filesystem::path&)> fails, int error) {
    SetWriteFault([this, fails = std::move(fails), error](const std::filesystem::path& path) {
        if (!fails(path)) return 0;
        ++failures_;
        return error;
    });
}

FailingWrites::FailingWrites(const std::filesystem::path& file, int error)
    : FailingWrites(
          [file](const std::filesystem::path& path) {
              return std::filesystem::weakly_canonical(path) ==
                     std::filesystem::weakly_canonical(file);
          },
          error) {}

FailingWrites::~FailingWrites() {
    SetWriteFault({});
}

}  // namespace braxol::test
