// The communications file without a window: the number proposed, the place of a number, the
// change into another year, the letter that follows the communication, the stamp of the PEC.

#include "preventive/communications.h"

#include <gtest/gtest.h>

#include "preventive_fixture.h"
#include "store/lock.h"

namespace braxol {
namespace {

using namespace braxol::preventive;
using namespace braxol::test;
using namespace braxol::test::preventive;

class Communications : public PreventiveTest {};

TEST_F(Communications, ProposedNumber) {
    const std::vector<TMOVIMENTO> year = {Communication(1, Day(2025, 1, 10), 1),
                                          Communication(2, Day(2025, 2, 10), 2),
                                          Communication(3, Day(2025, 4, 10), 3)};
    const struct {
        double day;
        int number;
    } cases[] = {{Day(2025, 1, 5), 1},
                 {Day(2025, 1, 10), 2},
                 {Day(2025, 3, 1), 3},
                 {Day(2025, 4, 10), 4},
                 {Day(2025, 12, 31), 4}};
    for (const auto& c : cases) EXPECT_EQ(ProposedNumber(year, c.day), c.number) << c.day;
    // A year without its file starts from 1, and no file is made for it.
    EXPECT_EQ(ProposedNumber(work.folders().registri, Day(2026, 1, 2)), 1);
    EXPECT_FALSE(fs::exists(Prv(2026)));
}

TEST_F(Communications, NumberFivePlacedBetweenFourAndSeven) {
    WriteMovements(Prv(),
                   {Communication(1, Day(2025, 3, 1), 3), Communication(4, Day(2025, 3, 2), 4),
                    Communication(2, Day(2025, 3, 5), 7)});
    const TMOVIMENTO stored = SaveCommunication(work.folders().registri, std::nullopt,
                                                Communication(0, Day(2025, 3, 4), 5));
    EXPECT_EQ(stored.NUMOPE, 5);
    const auto records = ReadPrv();
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[0].INTER2, 3);
    EXPECT_EQ(records[1].INTER2, 4);
    EXPECT_EQ(records[2].INTER2, 5);
    EXPECT_EQ(records[3].INTER2, 7);
    EXPECT_TRUE(SameBytes(records[2], stored));
    EXPECT_FALSE(fs::exists(LockMarkerPath(Prv())));
}

TEST_F(Communications, ChangeIntoAnotherYearMovesTheRecordAndItsLetter) {
    const TMOVIMENTO chosen = Communication(1, Day(2025, 12, 30), 40);
    WriteMovements(Prv(2025), {Communication(2, Day(2025, 12, 1), 39), chosen});
    PutLetter(2025, 40, "%PDF vecchia");
    TMOVIMENTO changed = chosen;
    changed.DATMOV = changed.DATDOC = Day(2026, 1, 2);
    changed.INTER2 = 1;
    const TMOVIMENTO stored = SaveCommunication(work.folders().registri, chosen, changed);
    RemoveOldLetter(work.root(), work.folders().registri, chosen, stored);
    EXPECT_EQ(Numbers(ReadPrv(2025)), std::vector<int>{2});
    const auto moved = ReadPrv(2026);
    ASSERT_EQ(moved.size(), 1u);
    EXPECT_EQ(moved[0].INTER2, 1);
    EXPECT_EQ(moved[0].NUMOPE, 1);
    EXPECT_FALSE(fs::exists(Letter(2025, 40)));
}

TEST_F(Communications, ALetterStillCarriedByAnotherCommunicationStays) {
    const TMOVIMENTO chosen = Communication(1, Day(2025, 3, 1), 8);
    WriteMovements(Prv(), {chosen, Communication(2, Day(2025, 3, 2), 8)});
    PutLetter(2025, 8, "%PDF");
    TMOVIMENTO changed = chosen;
    changed.INTER2 = 9;
    const TMOVIMENTO stored = SaveCommunication(work.folders().registri, chosen, changed);
    RemoveOldLetter(work.root(), work.folders().registri, chosen, stored);
    EXPECT_TRUE(fs::exists(Letter(2025, 8)));
    const auto records = ReadPrv();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1].INTER2, 9);
    EXPECT_EQ(records[1].NUMOPE, 3);
}

TEST_F(Communications, StampOfTheSending) {
    const TMOVIMENTO c = Communication(4, Day(2025, 3, 16), 5);
    WriteMovements(Prv(), {Communication(1, Day(2025, 3, 1), 4), c});
    EXPECT_TRUE(StampSent(work.folders().registri, c, Day(2025, 3, 15), "09:05"));
    const auto records = ReadPrv();
    EXPECT_EQ(records[0].DATPEC, 0);
    EXPECT_EQ(records[1].DATPEC, Day(2025, 3, 15));
    EXPECT_EQ(records[1].MITDES.padded(), "09:05           ");
    TMOVIMENTO gone = c;
    gone.NUMOPE = 9;
    const std::string before = FileBytes(Prv());
    EXPECT_FALSE(StampSent(work.folders().registri, gone, Day(2025, 3, 15), "10:00"));
    EXPECT_EQ(FileBytes(Prv()), before);
}

}  // namespace
}  // namespace braxol
