// The reminder of a missing excise summary, as the main window runs it on each activation
// with the scripted clock.

#include <QWidget>

#include "tributes/reminder.h"
#include "tributes_test_support.h"

namespace braxol {
namespace {

using namespace braxol::test;

class TributeReminder : public TributesTest {
protected:
    QWidget mainWindow;

    bool Run() { return tributes::TributeReminder(&mainWindow, folders()); }
};

TEST_F(TributeReminder, OnTheFifthWithoutTheRecordE) {
    WriteDer(2025, {StoredTribute("E", "01", 2025, 10, 1, 1, Day(2025, 2, 10))});
    SetToday(2025, 3, 5);
    EXPECT_TRUE(Run());
    EXPECT_EQ(seams.messages.texts(),
              QStringList{"Ricorda di inviare il riepilogo dei tributi: Febbraio 2025"});
    EXPECT_EQ(seams.messages.shown()[0].severity, ui::Severity::Information);
}

TEST_F(TributeReminder, OnTheFifthWithTheRecordE) {
    // Sent or not, an active record E of the period is enough.
    for (int numflu : {0, 3}) {
        WriteDer(2025,
                 {StoredTribute("E", "02", 2025, 10, 1, numflu, numflu ? Day(2025, 3, 2) : 0)});
        SetToday(2025, 3, 5);
        EXPECT_FALSE(Run());
    }
    EXPECT_TRUE(seams.messages.shown().empty());
}

TEST_F(TributeReminder, SilentOnTheFourth) {
    WriteDer(2025, {StoredTribute("E", "01", 2025, 10, 1)});
    for (int day = 1; day <= 4; ++day) {
        SetToday(2025, 3, day);
        EXPECT_FALSE(Run()) << day;
    }
    EXPECT_TRUE(seams.messages.shown().empty());
}

// A superseded record E does not count; its replacing record does.
TEST_F(TributeReminder, OnlyActiveRecordsECount) {
    SetToday(2025, 3, 20);
    WriteDer(2025, {StoredTribute("E", "02", 2025, 10, 1, 1, Day(2025, 3, 2), "C"),
                    StoredTribute("E", "02", 2025, 10, 2, 0, 0, " ", "C"),
                    StoredTribute("R", "02", 2025, 10, 3)});
    EXPECT_TRUE(Run());
    WriteDer(2025, {StoredTribute("E", "02", 2025, 10, 1, 1, Day(2025, 3, 2), "C"),
                    StoredTribute("E", "02", 2025, 10, 2, 0, 0, " ", "C"),
                    StoredTribute("E", "02", 2025, 10, 3, 0, 0, "R")});
    EXPECT_FALSE(Run());
    EXPECT_EQ(seams.messages.shown().size(), 1u);
}

// With an empty tribute file only a production up to the period's end calls for the summary.
TEST_F(TributeReminder, EmptyTributeFileLooksAtTheProductions) {
    SetToday(2025, 1, 10);
    EXPECT_FALSE(Run());
    EXPECT_TRUE(fs::exists(DerFile(2024)));
    EXPECT_TRUE(fs::exists(RgmFile(2024)));
    WriteRgm(2024, {ProductionWith(Day(2024, 12, 20), 10, 12.5, 30)});
    EXPECT_TRUE(Run());
    EXPECT_EQ(
        seams.messages.texts(),
        QStringList{"Ricorda di inviare il riepilogo dei tributi: 2^ quindicina di dicembre 2024"});
}

TEST_F(TributeReminder, DecemberHalves) {
    WriteRgm(2025, {ProductionWith(Day(2025, 11, 3), 10, 12.5, 30)});
    SetToday(2025, 12, 20);
    EXPECT_TRUE(Run());
    SetToday(2025, 12, 10);
    EXPECT_TRUE(Run());
    EXPECT_EQ(
        seams.messages.texts(),
        (QStringList{"Ricorda di inviare il riepilogo dei tributi: 1^ quindicina di dicembre 2025",
                     "Ricorda di inviare il riepilogo dei tributi: Novembre 2025"}));
}

TEST_F(TributeReminder, DamagedFileIsReported) {
    WriteFileBytes(DerFile(2025), std::string(10, 'x'));
    SetToday(2025, 3, 5);
    EXPECT_TRUE(Run());
    ASSERT_EQ(seams.messages.shown().size(), 1u);
    EXPECT_EQ(seams.messages.shown()[0].severity, ui::Severity::Error);
    EXPECT_EQ(FileBytes(DerFile(2025)), std::string(10, 'x'));
}

}  // namespace
}  // namespace braxol
