#pragma once
// What the whole-road tests share: a new brewery's work folder with its signing folders, the
// signing stand-in (braxol-firma) started through the desktop shell, and two training customs
// services on 127.0.0.1 standing for the test and the real environment.

#include <gtest/gtest.h>

#include <QDateTime>
#include <filesystem>

#include "app/run_state.h"
#include "app/startup.h"
#include "program_shell.h"
#include "support/qt/scripted_seams.h"
#include "support/temp_folder.h"
#include "support/training_services.h"

namespace braxol::test {

class RoadTest : public ::testing::Test {
protected:
    TempWorkFolder base;
    ScriptedSeams seams;
    ProgramShell shell;
    TrainingServices services{base.root()};
    sim::DoganaSimulator& testService = services.test();
    sim::DoganaSimulator& realService = services.real();
    app::RunState state;
    std::filesystem::path root = base.root() / "birrificio";
    std::filesystem::path toSign = root / "firma" / "DAFIRMARE";
    std::filesystem::path signedFiles = root / "firma" / "FIRMATI";

    // The work folder prepared as at the first start, on `today`.
    void startOn(const QDate& today) {
        shell.settings = base.root() / "config";
        ui::Seams::setShell(&shell);
        seams.clock.current = QDateTime(today, QTime(9, 0));
        std::filesystem::create_directory(root);
        state.folders = WorkFolders::At(root, root / "tmp");
        ASSERT_TRUE(app::PrepareWorkFolder(state, nullptr));
        std::filesystem::create_directories(toSign);
        std::filesystem::create_directories(signedFiles);
    }
};

}  // namespace braxol::test
