#include "support/qt/disk_fault_checks.h"

#include <gtest/gtest.h>

#include "store/lock.h"
#include "support/record_builders.h"

namespace braxol::test {
namespace fs = std::filesystem;

void ExpectFaultReported(const ScriptedMessages& messages, const fs::path& file,
                         const std::string& before, DiskFault fault) {
    ASSERT_FALSE(messages.shown().empty()) << "no error shown";
    const auto& first = messages.shown().front();
    EXPECT_EQ(first.severity, ui::Severity::Error);
    EXPECT_TRUE(first.text.startsWith("ERRORE DI LETTURA/SCRITTURA SUL FILE "))
        << first.text.toStdString();
    EXPECT_TRUE(first.text.contains(QString::fromStdString(file.filename().string())))
        << first.text.toStdString();
    if (fault == DiskFault::Vanished) {
        EXPECT_EQ(FileBytes(FailingWrites::vanishedTo(file)), before);
        EXPECT_FALSE(fs::exists(file)) << "the vanished file was created anew";
    } else {
        EXPECT_EQ(FileBytes(file), before) << "the old file changed";
    }
    EXPECT_FALSE(fs::exists(LockMarkerPath(file))) << "a lock marker was left";
    for (const auto& name : FolderNames(file.parent_path()))
        EXPECT_EQ(name.find(".~"), std::string::npos) << "a half-written file was left: " << name;
}

void RestoreVanished(const fs::path& file) {
    const fs::path moved = FailingWrites::vanishedTo(file);
    if (fs::exists(moved)) fs::rename(moved, file);
}

}  // namespace braxol::test
