// A data file held by another copy: the program waits with a message on each try and, after
// ten, asks whether to take the file over, naming the button as the user reads it.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <fstream>

#include "store/lock.h"
#include "store/movements.h"
#include "support/qt/scripted_seams.h"
#include "support/qt/widget_helpers.h"
#include "support/temp_folder.h"
#include "ui/lock_prompt_box.h"

namespace braxol {
namespace {

using namespace braxol::test;

// Qt's Italian captions of the standard buttons, for the life of the object.
class ItalianButtons {
public:
    ItalianButtons() {
        EXPECT_TRUE(
            translator_.load("qtbase_it", QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
        QApplication::installTranslator(&translator_);
    }
    ~ItalianButtons() { QApplication::removeTranslator(&translator_); }

private:
    QTranslator translator_;
};

TEST(LockMessages, WaitsWithABoxEachTimeThenOffersTheTakeOver) {
    ItalianButtons italian;
    TempWorkFolder work;
    ScriptedSeams seams;
    ui::BoxLockPrompt prompt;
    LockPrompt* previous = SetLockPrompt(&prompt);
    const auto file = work.registri("2025.RGM");
    std::ofstream(LockMarkerPath(file).string());  // left by a copy that stopped

    seams.messages.planAnswer(ui::Answer::No);
    seams.messages.planAnswer(ui::Answer::Yes);
    TMOVIMENTO r = BlankMovement();
    r.TIPREC.set("C");
    r.TIPRIC.set("I");
    const TMOVIMENTO stored = AddMovement(file, r, BlankMovement());
    SetLockPrompt(previous);

    EXPECT_EQ(stored.NUMOPE, 1);
    const auto& shown = seams.messages.shown();
    // Eleven waits, the question (No), a twelfth wait, the question (Yes).
    ASSERT_EQ(shown.size(), 14u);
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const bool question = i == 11 || i == 13;
        EXPECT_EQ(shown[i].question, question) << i;
        EXPECT_EQ(shown[i].text.toStdString(), question ? LockTakeOverQuestion(file.string(), "Sì")
                                                        : LockBusyMessage(file.string()))
            << i;
    }
    EXPECT_FALSE(std::filesystem::exists(LockMarkerPath(file)));
    EXPECT_TRUE(shown[11].text.contains("PREMI \"Sì\" SE NESSUN UTENTE"));
}

}  // namespace
}  // namespace braxol
