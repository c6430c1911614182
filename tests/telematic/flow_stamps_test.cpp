// A flow's stamp changes all together over the files that hold its records: marked after a
// good outcome, detached by the detach window. A write that fails after the first file was
// rewritten leaves the journal, and the next start finishes the flow; one that fails before
// leaves nothing changed and nothing to finish.

#include <gtest/gtest.h>

#include "store/io_error.h"
#include "store/movements.h"
#include "support/failing_writes.h"
#include "support/record_builders.h"
#include "support/temp_folder.h"
#include "telematic/flow_marking.h"
#include "telematic/flow_stamps.h"

namespace braxol::telematic {
namespace {

using namespace braxol::test;
namespace fs = std::filesystem;

class FlowStamps : public ::testing::Test {
protected:
    TempWorkFolder work;
    const double flowDay = Day(2025, 3, 20);
    std::vector<TMOVIMENTO> registers = {Stored(Production(Day(2025, 3, 10), 0, 100), 1, 1),
                                         Stored(Wash(Day(2025, 3, 11), 100, 110), 2, 2),
                                         Stored(Production(Day(2025, 3, 12), 110, 200), 3, 3)};
    std::vector<TMOVIMENTO> tributes = {Stored(Tribute("E", "02", 760), 1, 1)};

    FlowStamps() {
        tributes[0].ANNPRO.set("2025");
        WriteMovements(rgm(), registers);
        WriteMovements(der(), tributes);
    }
    fs::path rgm() const { return work.registri("2025.RGM"); }
    fs::path der() const { return work.registri("2025.DER"); }
    static TMOVIMENTO Stamped(TMOVIMENTO r, double date, int number) {
        r.DATFLU = date;
        r.NUMFLU = number;
        return r;
    }
    // The flow window's copies: the production of the 10th, the wash and the record E chosen.
    std::vector<TMOVIMENTO> copies() const {
        return {Stamped(registers[0], flowDay, 1), Stamped(registers[1], flowDay, 1), registers[2],
                Stamped(tributes[0], flowDay, 1)};
    }
    // The flow's records on disk: how many carry its stamp.
    int stampedOnDisk() const {
        int n = 0;
        for (const auto& file : {rgm(), der()})
            for (const TMOVIMENTO& r : ScanMovements(file)) n += r.NUMFLU == 1;
        return n;
    }
    std::vector<std::string> journals() const {
        std::vector<std::string> names;
        for (const auto& name : FolderNames(work.folders().registri))
            if (name.ends_with(kStampJournalExtension)) names.push_back(name);
        return names;
    }
};

TEST_F(FlowStamps, MarkedThenDetachedAllTogether) {
    EXPECT_EQ(MarkFlowRecords(work.folders(), copies()), 3);
    EXPECT_TRUE(SameBytes(ScanMovements(rgm()), {Stamped(registers[0], flowDay, 1),
                                                 Stamped(registers[1], flowDay, 1), registers[2]}));
    EXPECT_TRUE(SameBytes(ScanMovements(der()), {Stamped(tributes[0], flowDay, 1)}));
    EXPECT_TRUE(journals().empty());
    // Again: nothing more to stamp.
    EXPECT_EQ(MarkFlowRecords(work.folders(), copies()), 0);

    // The detach takes the records as listed, a time of day in the stamp notwithstanding.
    std::vector<TMOVIMENTO> listed = ScanMovements(rgm());
    listed.resize(2);
    listed.push_back(ScanMovements(der())[0]);
    listed[0].DATFLU += 0.3;
    EXPECT_EQ(DetachFlowRecords(work.folders(), listed), 3);
    EXPECT_TRUE(SameBytes(ScanMovements(rgm()), registers));
    EXPECT_TRUE(SameBytes(ScanMovements(der()), tributes));
    EXPECT_TRUE(journals().empty());
}

// A record that another flow carries by now is not taken from it.
TEST_F(FlowStamps, ADetachLeavesARecordOfAnotherFlow) {
    MarkFlowRecords(work.folders(), copies());
    const std::vector<TMOVIMENTO> listed = {ScanMovements(rgm())[0], ScanMovements(rgm())[1]};
    auto onDisk = ScanMovements(rgm());
    onDisk[1] = Stamped(registers[1], flowDay + 1, 1);
    WriteMovements(rgm(), onDisk);
    EXPECT_EQ(DetachFlowRecords(work.folders(), listed), 1);
    EXPECT_EQ(ScanMovements(rgm())[0].NUMFLU, 0);
    EXPECT_EQ(ScanMovements(rgm())[1].DATFLU, flowDay + 1);
}

// Records are looked up in the files of their own year; the year of the listing stands in only
// when the record's own cannot be read.
TEST_F(FlowStamps, EachRecordInItsOwnYear) {
    TMOVIMENTO noYear = Stored(Tribute("E", "03", 10), 2, 2);
    WriteMovements(der(), {tributes[0], noYear});
    WriteMovements(work.registri("2024.DER"), {Stored(Tribute("E", "22", 5), 2, 2)});
    EXPECT_EQ(MarkFlowRecords(work.folders(), {Stamped(noYear, flowDay, 4)}, 2025), 1);
    EXPECT_EQ(ScanMovements(der())[1].NUMFLU, 4);
    EXPECT_EQ(ScanMovements(work.registri("2024.DER"))[0].NUMFLU, 0);
}

TEST_F(FlowStamps, AWriteFailingBeforeAnyFileChangesNothingAndLeavesNothing) {
    {
        FailingWrites failing(
            [](const fs::path& p) { return p.extension() == kStampJournalExtension; });
        EXPECT_THROW(MarkFlowRecords(work.folders(), copies()), IoError);
        EXPECT_EQ(failing.failures(), 1);
    }
    EXPECT_EQ(stampedOnDisk(), 0);
    EXPECT_TRUE(journals().empty());
    EXPECT_EQ(FinishInterruptedStamps(work.folders()), 0);
    EXPECT_EQ(stampedOnDisk(), 0);
}

TEST_F(FlowStamps, AWriteFailingHalfWayIsFinishedAtTheNextStart) {
    {
        FailingWrites failing(rgm());
        EXPECT_THROW(MarkFlowRecords(work.folders(), copies()), IoError);
    }
    // The record E was written first (files go in name order), the productions not.
    EXPECT_EQ(stampedOnDisk(), 1);
    ASSERT_EQ(journals().size(), 1u);
    EXPECT_FALSE(fs::exists(LockMarkerPath(rgm())));

    EXPECT_EQ(FinishInterruptedStamps(work.folders()), 2);
    EXPECT_EQ(stampedOnDisk(), 3);
    EXPECT_TRUE(journals().empty());
    EXPECT_EQ(FinishInterruptedStamps(work.folders()), 0);
}

TEST_F(FlowStamps, AJournalThatCannotBeReadIsReportedAndKept) {
    const fs::path journal = work.registri("000000000000001-1-0.TIMBRI");
    for (const char* content : {"", "BRAXOL TIMBRI 1\nREGISTRI/2025.RGM\t1\n",
                                "BRAXOL TIMBRI 1\n../fuori/2025.RGM\t1\t0\t0\t45736\t1\n"}) {
        SCOPED_TRACE(content);
        WriteFileBytes(journal, content);
        EXPECT_THROW(FinishInterruptedStamps(work.folders()), IoError);
        EXPECT_TRUE(fs::exists(journal));
        EXPECT_EQ(stampedOnDisk(), 0);
    }
}

}  // namespace
}  // namespace braxol::telematic
