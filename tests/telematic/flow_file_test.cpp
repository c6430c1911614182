// The flow file's pieces without a window: number and text writing, the header's fixed
// columns, the records that get no line, and the marking of a flow's records in the files of
// their own years.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "flow_test_support.h"
#include "store/lock.h"
#include "store/movements.h"
#include "support/scripted_lock_prompt.h"
#include "telematic/flow_file.h"
#include "telematic/flow_marking.h"
#include "ui/text.h"

namespace braxol {
namespace {

using namespace braxol::test;
using namespace braxol::telematic;

TEST(FlowFile, DecimalsAsTheColumnsWantThem) {
    struct Row {
        double value;
        int decimals;
        const char* text;
    } rows[] = {{1234.5, 5, "1234.50000"},
                {1234.5, 2, "1234.50"},
                {0, 2, "0.00"},
                {-0.004, 2, "0.00"},  // never "-0.00"
                {-12.345, 2, "-12.35"},
                {2.675, 2, "2.68"},  // half away from zero after the reduction to 5 decimals
                {1234567.891, 5, "1234567.89100"},
                {std::numeric_limits<double>::quiet_NaN(), 2, "0.00"}};
    for (const auto& r : rows) EXPECT_EQ(FlowDecimal(r.value, r.decimals), r.text) << r.value;
}

TEST(FlowFile, TextsNeverSplitALineNorShiftAColumn) {
    EXPECT_EQ(FlowText("a\tb\rc\nd"), "a b c d");
    EXPECT_EQ(FlowText(std::string("x\0y\x7F\x81\x8D\x8F\x90\x9D", 9)), "x y      ");
    EXPECT_EQ(FlowText("caff\xE8 \x80 5"), "caff\xE8 \x80 5");  // Windows-1252 stays
}

TEST(FlowFile, UserCodesThatCanNameAFile) {
    for (const char* good : {"ABCD", "ab12", "0001"}) EXPECT_TRUE(IsUsableUserCode(good)) << good;
    for (const char* bad : {"", "ABC", "ABCDE", "../x", "A B1", "AB/D",
                            "AB\xC8"
                            "D"})
        EXPECT_FALSE(IsUsableUserCode(bad)) << bad;
}

TEST(FlowFile, HeaderKeepsItsColumnsWithShortCompanyFields) {
    TUTENTE company = BlankTutente();
    company.CODUTE.set("AB");
    company.SEZDOG.set("12");
    company.PARIVA.set("123");
    EXPECT_EQ(HeaderLine(company, "AB  0315.C07", 4),
              "AB  " + std::string(12, ' ') + "AB  0315.C07" + std::string(12, ' ') + "12    " +
                  "    " + "123        " + "     001 00004");
    const std::string renunciation = HeaderLine(GoldenCompany(), "ABCD0315.C01", 2, "002");
    EXPECT_EQ(renunciation.size(), 75u);
    EXPECT_EQ(renunciation.substr(61), "     002 00002");
}

TEST(FlowFile, RecordsOfOtherKindsGetNoLineAndAreNotCounted) {
    TMOVIMENTO request = BlankMovement();
    request.TIPREC.set("B");
    TMOVIMENTO material = RawMaterial(Day(2017, 3, 1), "C", "MALTO", 10);
    material.TIPREC.set("M");
    const FlowFile flow =
        BuildMovementFlow(GoldenCompany(), {request, Production(Day(2017, 3, 1), 0, 100), material},
                          Day(2017, 3, 15), 1);
    EXPECT_EQ(flow.counts.details(), 1);
    EXPECT_EQ(flow.lineCount, 3);
    EXPECT_EQ(flow.name, "ABCD0315.C01");
    EXPECT_EQ(std::count(flow.bytes.begin(), flow.bytes.end(), '\n'), 3);
    EXPECT_TRUE(flow.bytes.starts_with("ABCD" + std::string(12, ' ') + "ABCD0315.C01"));
}

// A note typed with letters that Windows-1252 lacks reaches the flow as their nearest
// Windows-1252 writing, never as bytes of another encoding.
TEST(FlowFile, TypedLettersOutsideWindows1252ArriveAsTheirPlainForm) {
    TMOVIMENTO r = Production(Day(2017, 3, 1), 0, 100);
    ui::SetField(r.ANNOTA, QStringLiteral("Gődöllő – Łódź ﬁne 3×2 €"));
    PadMovement(r);
    const std::string line = MovementDetailLine(GoldenCompany(), r, Day(2017, 3, 15));
    // "ö", "ó", "–", "×" and "€" are Windows-1252 letters; "ő", "Ł", "ź" and "ﬁ" are not.
    EXPECT_NE(line.find("NOTA: God\xF6llo \x96 L\xF3"
                        "dz fine 3\xD7"
                        "2 \x80\t"),
              std::string::npos)
        << line;
}

class FlowMarking : public FlowTest {
protected:
    std::vector<TMOVIMENTO> rgm2016 = {Stored(Production(Day(2016, 12, 30), 0, 100), 1, 1)};
    std::vector<TMOVIMENTO> rgm2017 = {Stored(Production(Day(2017, 1, 2), 100, 200), 1, 1),
                                       Stored(Wash(Day(2017, 1, 3), 200, 210), 2, 2)};
    std::vector<TMOVIMENTO> der2016 = {StoredE(1, "22")};

    static TMOVIMENTO StoredE(int numope, const char* period) {
        TMOVIMENTO e = Tribute("E", period, 100);
        e.ANNPRO.set("2016");
        return Stored(e, numope, numope);
    }
    static TMOVIMENTO Sent(TMOVIMENTO r, double date, int number) {
        r.DATFLU = date;
        r.NUMFLU = number;
        return r;
    }
    void writeFiles() {
        WriteMovements(rgm(2016), rgm2016);
        WriteMovements(rgm(2017), rgm2017);
        WriteMovements(der(2016), der2016);
    }
};

TEST_F(FlowMarking, EachRecordInTheFileOfItsOwnYear) {
    writeFiles();
    const double date = Day(2017, 1, 5);
    // NUMOPE 1 is in three files: each copy finds its own.
    const int marked =
        MarkFlowRecords(work.folders(), {Sent(rgm2016[0], date, 4), rgm2017[0],
                                         Sent(rgm2017[1], date, 4), Sent(der2016[0], date, 4)});
    EXPECT_EQ(marked, 3);
    EXPECT_TRUE(SameBytes(ScanMovements(rgm(2016)), {Sent(rgm2016[0], date, 4)}));
    EXPECT_TRUE(SameBytes(ScanMovements(rgm(2017)), {rgm2017[0], Sent(rgm2017[1], date, 4)}));
    EXPECT_TRUE(SameBytes(ScanMovements(der(2016)), {Sent(der2016[0], date, 4)}));
    EXPECT_EQ(FolderNames(work.folders().registri),
              (std::vector<std::string>{"2016.DER", "2016.RGM", "2017.RGM"}));
}

TEST_F(FlowMarking, ARecordSentMeanwhileKeepsItsFlow) {
    rgm2017[0] = Sent(rgm2017[0], Day(2017, 1, 4), 1);
    writeFiles();
    EXPECT_EQ(MarkFlowRecords(work.folders(), {Sent(rgm2017[0], Day(2017, 1, 5), 2)}), 0);
    EXPECT_TRUE(SameBytes(ScanMovements(rgm(2017)), rgm2017));
}

// Nothing is written before every file's lock is held: a copy of the program that holds one
// of them sees none of this flow's records marked, and then all of them.
TEST_F(FlowMarking, AllOrNoneWhileAnotherCopyHoldsALock) {
    writeFiles();
    LockDataFile(der(2016));
    ScriptedLockPrompt prompt;
    ScopedLockPrompt scoped(prompt);
    bool checkedWhileWaiting = false;
    prompt.onBusy([&](const std::string& path, int) {
        EXPECT_EQ(path, der(2016).string());
        EXPECT_TRUE(SameBytes(ScanMovements(rgm(2016)), rgm2016));
        EXPECT_TRUE(SameBytes(ScanMovements(rgm(2017)), rgm2017));
        checkedWhileWaiting = true;
        UnlockDataFile(der(2016));
    });
    const double date = Day(2017, 1, 5);
    EXPECT_EQ(MarkFlowRecords(work.folders(), {Sent(rgm2016[0], date, 1), Sent(rgm2017[1], date, 1),
                                               Sent(der2016[0], date, 1)}),
              3);
    EXPECT_TRUE(checkedWhileWaiting);
    EXPECT_EQ(ScanMovements(rgm(2016))[0].NUMFLU, 1);
    EXPECT_EQ(ScanMovements(der(2016))[0].NUMFLU, 1);
    EXPECT_FALSE(fs::exists(LockMarkerPath(rgm(2017))));
}

}  // namespace
}  // namespace braxol
