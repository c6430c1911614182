#pragma once
// Golden files of what leaves the program: <folder>/<case>/<name>, compared byte for byte. With
// BRAXOL_UPDATE_GOLDEN set, the actual bytes are written there instead (to be looked at before
// committing them).

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/record_builders.h"

namespace braxol::test {

inline void ExpectGoldenIn(const std::filesystem::path& folder, const std::string& testCase,
                           const std::string& name, const std::string& actual) {
    const std::filesystem::path golden = folder / testCase / name;
    const char* update = std::getenv("BRAXOL_UPDATE_GOLDEN");
    if (update && *update) {
        std::filesystem::create_directories(golden.parent_path());
        WriteFileBytes(golden, actual);
    }
    ASSERT_TRUE(std::filesystem::exists(golden)) << golden;
    EXPECT_EQ(FileBytes(golden), actual) << "differs from " << golden;
}

}  // namespace braxol::test
