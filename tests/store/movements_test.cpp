#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <numeric>
#include <string>
#include <vector>

#include "store/io_error.h"
#include "store/lock.h"
#include "store/movements.h"
#include "store/paths.h"
#include "store/raw_material_stock.h"
#include "store/record_file.h"
#include "support/record_builders.h"
#include "support/scripted_lock_prompt.h"
#include "support/temp_folder.h"

namespace braxol {
namespace {

using test::Day;
using test::FileBytes;
using test::NoSelection;
using test::Numbers;
using test::Production;
using test::RawMaterial;
using test::SameBytes;
using test::Stored;
using test::Tribute;
using test::Wash;
using test::WriteMovements;

const double D = Day(2025, 3, 10);

class MovementFileTest : public testing::Test {
protected:
    // Every operation must leave whole records, its marker released and no temporary file.
    void TearDown() override { ExpectClean(); }

    void ExpectClean() {
        for (const auto& name : test::FolderNames(tmp.folders().registri)) {
            EXPECT_EQ(name.find('$'), std::string::npos) << "marker left: " << name;
            EXPECT_EQ(name.find(".~"), std::string::npos) << "temporary left: " << name;
            const auto size = fs::file_size(tmp.folders().registri / name);
            EXPECT_EQ(size % sizeof(TMOVIMENTO), 0u) << name << " holds " << size << " bytes";
        }
    }

    std::vector<TMOVIMENTO> Read() const { return ScanMovements(file); }

    test::TempWorkFolder tmp;
    fs::path file = tmp.registri("2025.RGM");
    test::ScriptedLockPrompt prompt;  // no marker is expected: any wait fails the test
    test::ScopedLockPrompt installed{prompt};

    void SetUp() override { prompt.setMaxWaits(0); }
};

// ---- Numbering ----------------------------------------------------------------------------

TEST_F(MovementFileTest, AMissingFileGetsNumberOneAndIsCreated) {
    ASSERT_FALSE(fs::exists(file));
    const TMOVIMENTO stored = AddMovement(file, Production(D, 0, 100), NoSelection());
    EXPECT_EQ(stored.NUMOPE, 1);
    EXPECT_EQ(stored.PROGRE, 1);
    const auto records = Read();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_TRUE(SameBytes(records[0], stored));
    EXPECT_EQ(fs::file_size(file), 592u);
}

TEST_F(MovementFileTest, AnEmptyFileGetsNumberOne) {
    test::WriteFileBytes(file, "");
    const TMOVIMENTO stored = AddMovement(file, Production(D, 0, 100), NoSelection());
    EXPECT_EQ(stored.NUMOPE, 1);
    EXPECT_EQ(stored.PROGRE, 1);
    EXPECT_EQ(fs::file_size(file), 592u);
}

TEST_F(MovementFileTest, TheStoredRecordIsPaddedAndItsDateWhole) {
    TMOVIMENTO r = Production(D + 0.6, 0, 100);
    r.ANNOTA.set("breve");  // not padded, as a careless caller might leave it
    const TMOVIMENTO stored = AddMovement(file, r, NoSelection());
    EXPECT_EQ(stored.DATMOV, D + 1);
    EXPECT_EQ(stored.ANNOTA.len, 250);
    const auto records = Read();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].DATMOV, D + 1);
    EXPECT_EQ(records[0].ANNOTA.padded(), records[0].ANNOTA.view());
}

struct Existing {
    int numope;
    int progre;
    const char* stato;
    const char* tipric;
};

struct NumberingCase {
    const char* name;
    std::vector<Existing> stored;
    int numope;
    int progre;
};

void PrintTo(const NumberingCase& c, std::ostream* os) {
    *os << c.name;
}

class Numbering : public MovementFileTest, public testing::WithParamInterface<NumberingCase> {};

TEST_P(Numbering, NewNumbersFollowTheHighest) {
    std::vector<TMOVIMENTO> records;
    int day = 0;
    for (const auto& e : GetParam().stored)
        records.push_back(
            Stored(Production(D + day++, 0, 10), e.numope, e.progre, e.stato, e.tipric));
    WriteMovements(file, records);
    const TMOVIMENTO stored = AddMovement(file, Production(D + 100, 0, 10), NoSelection());
    EXPECT_EQ(stored.NUMOPE, GetParam().numope);
    EXPECT_EQ(stored.PROGRE, GetParam().progre);
    EXPECT_EQ(Read().back().NUMOPE, GetParam().numope);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Numbering,
    testing::Values(
        NumberingCase{"Empty", {}, 1, 1}, NumberingCase{"OneActive", {{1, 1, " ", "I"}}, 2, 2},
        NumberingCase{"HighestAnywhere", {{7, 2, " ", "I"}, {3, 5, " ", "I"}}, 8, 6},
        NumberingCase{"CancelledDoesNotCount", {{1, 1, " ", "I"}, {2, 9, "C", "I"}}, 3, 2},
        NumberingCase{"CancellationDoesNotCount", {{1, 1, " ", "I"}, {2, 9, " ", "C"}}, 3, 2},
        NumberingCase{"ReplacingCounts", {{1, 1, " ", "I"}, {2, 9, "R", "I"}}, 3, 10},
        NumberingCase{"TypeACounts", {{1, 4, " ", "A"}}, 2, 5},
        NumberingCase{"OnlyCancelled", {{5, 3, "C", "I"}, {6, 3, " ", "C"}}, 7, 1},
        NumberingCase{"CancelledNumberStillCounts", {{40, 1, "C", "I"}}, 41, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MovementFileTest, CancellationsDoNotRaiseTheProgressiveButReplacementsDo) {
    AddMovement(file, Production(D, 0, 100), NoSelection());  // 1, PROGRE 1
    const auto second = AddMovement(file, Production(D + 1, 100, 200), NoSelection());  // 2
    ASSERT_EQ(second.PROGRE, 2);

    TMOVIMENTO note = Production(D + 1, 100, 200, "ANNULLATA PER ERRORE");
    ASSERT_TRUE(CancelOrRectify(file, second, note, RectifyMode::CancelOnly));
    // Record 2 is now "C" and record 3 its cancellation: neither counts.
    EXPECT_EQ(AddMovement(file, Production(D + 2, 200, 300), NoSelection()).PROGRE, 2);

    const auto records = Read();
    ASSERT_EQ(Numbers(records), (std::vector<int>{1, 2, 3, 4}));
    TMOVIMENTO fix = Production(D + 2, 200, 310, "LETTURA CORRETTA");
    ASSERT_TRUE(CancelOrRectify(file, records[3], fix, RectifyMode::Rectify));
    // 4 cancelled, 5 its cancellation, 6 its replacement with PROGRE 2, which counts.
    EXPECT_EQ(AddMovement(file, Production(D + 3, 310, 400), NoSelection()).PROGRE, 3);
    EXPECT_EQ(Numbers(Read()), (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
}

// ---- Placement ----------------------------------------------------------------------------

struct PlaceCase {
    const char* name;
    std::vector<TMOVIMENTO> stored;  // NUMOPE 1..n in file order
    TMOVIMENTO added;
    std::size_t position;
    bool replaces = false;
};

void PrintTo(const PlaceCase& c, std::ostream* os) {
    *os << c.name;
}

TMOVIMENTO Sent(TMOVIMENTO r, int numflu = 3) {
    r.NUMFLU = numflu;
    r.DATFLU = Day(2025, 4, 16);
    return r;
}
TMOVIMENTO WithStatus(TMOVIMENTO r, const char* stato, const char* tipric) {
    r.STATO.set(stato);
    r.TIPRIC.set(tipric);
    return r;
}
TMOVIMENTO Load(double day, const char* material = "MALTO") {
    return RawMaterial(day, "C", material, 10);
}
TMOVIMENTO Unload(double day, const char* material = "MALTO") {
    return RawMaterial(day, "S", material, 4);
}
TMOVIMENTO E(const char* period) {
    return Tribute("E", period, 100);
}
TMOVIMENTO R(const char* period) {
    return Tribute("R", period, 100);
}

class Placement : public MovementFileTest, public testing::WithParamInterface<PlaceCase> {};

TEST_P(Placement, PutsTheNewRecordInItsPlace) {
    const auto& c = GetParam();
    std::vector<TMOVIMENTO> before;
    for (std::size_t i = 0; i < c.stored.size(); ++i) {
        TMOVIMENTO r = c.stored[i];
        r.NUMOPE = static_cast<int>(i) + 1;
        r.PROGRE = static_cast<int>(i) + 1;
        before.push_back(r);
    }
    WriteMovements(file, before);
    const TMOVIMENTO stored = AddMovement(file, c.added, NoSelection());
    EXPECT_EQ(stored.NUMOPE, static_cast<int>(before.size()) + 1);

    std::vector<TMOVIMENTO> expected = before;
    if (c.replaces)
        expected[c.position] = stored;
    else
        expected.insert(expected.begin() + static_cast<std::ptrdiff_t>(c.position), stored);
    const auto after = Read();
    EXPECT_EQ(Numbers(after), Numbers(expected));
    EXPECT_TRUE(SameBytes(after, expected));
}

INSTANTIATE_TEST_SUITE_P(
    Productions, Placement,
    testing::Values(
        // Same day as a stored production whose INTER1 is 100.
        PlaceCase{"SameDayInter1EqualsNewInter2GoesBefore",
                  {Production(D, 100, 200), Production(D + 1, 300, 400)},
                  Production(D, 50, 100),
                  0},
        PlaceCase{"SameDayInter1AboveNewInter2GoesBefore",
                  {Production(D, 100, 200), Production(D + 1, 300, 400)},
                  Production(D, 50, 99),
                  0},
        PlaceCase{"SameDayInter1BelowNewInter2GoesAfter",
                  {Production(D, 100, 200), Production(D + 1, 300, 400)},
                  Production(D, 200, 250),
                  1},
        PlaceCase{"SameDaySecondOfThree",
                  {Production(D, 0, 100), Production(D, 200, 300), Production(D + 1, 300, 400)},
                  Production(D, 100, 200),
                  1},
        PlaceCase{"WashFollowsItsReadingsToo",
                  {Production(D, 100, 200), Wash(D, 200, 210)},
                  Wash(D, 90, 100),
                  0},
        PlaceCase{"EarlierDayGoesFirst", {Production(D, 100, 200)}, Production(D - 1, 500, 600), 0},
        PlaceCase{"LaterDayIsAppended",
                  {Production(D, 100, 200), Production(D + 1, 300, 400)},
                  Production(D + 2, 0, 1),
                  2},
        PlaceCase{"FractionOfTheStoredDateIsRounded",
                  {Production(D + 0.4, 100, 200), Production(D + 1, 300, 400)},
                  Production(D, 200, 250),
                  1},
        PlaceCase{"FractionOfTheNewDateIsRounded",
                  {Production(D, 100, 200), Production(D + 1, 300, 400)},
                  Production(D + 0.7, 350, 500),
                  2},
        // Only an active insertion of a later day pulls the new record before it.
        PlaceCase{"LaterCancelledDoesNotPull",
                  {WithStatus(Production(D + 5, 0, 1), "C", "I")},
                  Production(D, 10, 20),
                  1},
        PlaceCase{"LaterCancellationRecordDoesNotPull",
                  {WithStatus(Production(D + 5, 0, 1), " ", "C")},
                  Production(D, 10, 20),
                  1},
        PlaceCase{"LaterReplacementPulls",
                  {WithStatus(Production(D + 5, 0, 1), "R", "I")},
                  Production(D, 10, 20),
                  0},
        PlaceCase{"LaterActivePulls", {Production(D + 5, 0, 1)}, Production(D, 10, 20), 0}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    RawMaterials, Placement,
    testing::Values(
        PlaceCase{"UnloadBeforeTheFirstUnloadOfTheDay",
                  {Load(D - 1), Load(D), Unload(D), Unload(D, "LUPPOLO"), Load(D + 1)},
                  Unload(D, "LIEVITO"),
                  2},
        PlaceCase{"LoadBeforeTheFirstUnloadOfTheDay",
                  {Load(D - 1), Load(D), Unload(D), Unload(D, "LUPPOLO"), Load(D + 1)},
                  Load(D, "LIEVITO"),
                  2},
        PlaceCase{"UnloadAfterTheLoadsOfItsDay",
                  {Load(D), Load(D, "LUPPOLO"), Load(D + 1)},
                  Unload(D),
                  2},
        PlaceCase{"UnloadAfterTheLoadsOfTheLastDay", {Load(D), Load(D + 1)}, Unload(D + 1), 2},
        PlaceCase{
            "LoadOfAnEarlierDay", {Load(D - 1), Load(D), Unload(D)}, Load(D - 1, "LUPPOLO"), 1}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Tributes, Placement,
    testing::Values(
        PlaceCase{"SecondEOfAnUnsentPeriodReplacesTheFirst", {E("01")}, E("01"), 0, true},
        PlaceCase{"SecondEOfASentPeriodGoesAfterIt", {Sent(E("01"))}, E("01"), 1},
        PlaceCase{
            "UnsentEReplacedAmongOthers", {Sent(E("01")), E("02"), E("03")}, E("02"), 1, true},
        PlaceCase{"PeriodOrder", {Sent(E("01")), Sent(E("03"))}, E("02"), 1},
        PlaceCase{"DecemberHalvesAfterNovember", {Sent(E("21"))}, E("11"), 0},
        PlaceCase{"SecondHalfOfDecemberLast", {Sent(E("11")), Sent(E("21"))}, E("22"), 2},
        PlaceCase{"CancelledEIsNotReplaced", {WithStatus(E("01"), "C", "I")}, E("01"), 1},
        PlaceCase{"CancellationOfEIsNotReplaced", {WithStatus(E("01"), " ", "C")}, E("01"), 1},
        PlaceCase{"RDoesNotReplaceE", {E("01")}, R("01"), 1},
        PlaceCase{"RReplacesAnUnsentROfItsPeriod", {E("03"), R("03")}, R("03"), 1, true},
        PlaceCase{"RBeforeALaterPeriod", {Sent(E("01")), Sent(E("05"))}, R("03"), 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MovementFileTest, SecondRecordEReplacesUntilTheFirstIsSent) {
    const auto first = AddMovement(file, Tribute("E", "03", 100), NoSelection());
    const auto second = AddMovement(file, Tribute("E", "03", 250), NoSelection());
    auto records = Read();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].NUMOPE, 2);
    EXPECT_EQ(records[0].QUANTI, 250);
    EXPECT_TRUE(SameBytes(records[0], second));
    EXPECT_EQ(first.NUMOPE, 1);

    // The flow stamps it...
    records[0] = Sent(records[0], 1);
    WriteMovements(file, records);
    // ...and from then on a new record E of the period goes after it.
    const auto third = AddMovement(file, Tribute("E", "03", 300), NoSelection());
    records = Read();
    ASSERT_EQ(Numbers(records), (std::vector<int>{2, 3}));
    EXPECT_TRUE(SameBytes(records[1], third));
}

// ---- Deleting -----------------------------------------------------------------------------

class Deleting : public MovementFileTest {
protected:
    void SetUp() override {
        MovementFileTest::SetUp();
        for (int i = 0; i < 4; ++i)
            AddMovement(file, Production(D + i, i * 100, i * 100 + 50), NoSelection());
        records = Read();
        ASSERT_EQ(Numbers(records), (std::vector<int>{1, 2, 3, 4}));
    }
    std::vector<TMOVIMENTO> records;
};

TEST_F(Deleting, TheLastRecordTruncatesByOneRecord) {
    const std::string before = FileBytes(file);
    ASSERT_TRUE(DeleteMovement(4, file));
    const std::string after = FileBytes(file);
    EXPECT_EQ(after.size(), before.size() - 592);
    EXPECT_EQ(after, before.substr(0, before.size() - 592));
}

TEST_F(Deleting, AMiddleRecordClosesTheGap) {
    ASSERT_TRUE(DeleteMovement(2, file));
    EXPECT_TRUE(SameBytes(Read(), {records[0], records[2], records[3]}));
}

TEST_F(Deleting, TheFirstRecord) {
    ASSERT_TRUE(DeleteMovement(1, file));
    EXPECT_TRUE(SameBytes(Read(), {records[1], records[2], records[3]}));
}

TEST_F(Deleting, TheOnlyRecordLeavesAnEmptyFile) {
    for (int n : {1, 2, 3, 4}) ASSERT_TRUE(DeleteMovement(n, file));
    EXPECT_EQ(fs::file_size(file), 0u);
}

TEST_F(Deleting, AMissingNumberChangesNothing) {
    const std::string before = FileBytes(file);
    const auto stamp = fs::last_write_time(file);
    for (int n : {0, 5, -1, 1000}) {
        EXPECT_FALSE(DeleteMovement(n, file));
        EXPECT_EQ(FileBytes(file), before);
    }
    EXPECT_EQ(fs::last_write_time(file), stamp);
}

TEST_F(Deleting, OnlyTheFirstMatchIsRemoved) {
    auto twice = records;
    twice[3].NUMOPE = 2;  // a damaged file with a repeated number
    WriteMovements(file, twice);
    ASSERT_TRUE(DeleteMovement(2, file));
    EXPECT_TRUE(SameBytes(Read(), {twice[0], twice[2], twice[3]}));
}

TEST_F(MovementFileTest, DeletingInAMissingFileCreatesItEmpty) {
    EXPECT_FALSE(DeleteMovement(1, file));
    ASSERT_TRUE(fs::exists(file));
    EXPECT_EQ(fs::file_size(file), 0u);
}

// ---- Cancelling and rectifying ------------------------------------------------------------

// The cancellation record the procedure must build from the target as it was stored.
TMOVIMENTO ExpectedCancellation(TMOVIMENTO target, int numope, std::string_view note) {
    target.STATO.set("C");
    target.ANNOTA.set(note);
    PadMovement(target);
    TMOVIMENTO c = target;
    c.NUMOPE = numope;
    c.RIFOPE = target.NUMOPE;
    c.STATO.set(" ");
    c.DATFLU = 0;
    c.NUMFLU = 0;
    c.TIPRIC.set("C");
    PadMovement(c);
    return c;
}

TEST_F(MovementFileTest, RectifyingTheLastRecordAppendsCancellationAndReplacement) {
    for (int i = 0; i < 3; ++i)
        AddMovement(file, Production(D + i, i * 100, i * 100 + 50), NoSelection());
    auto records = Read();
    records[2] = Sent(records[2], 2);
    WriteMovements(file, records);
    const TMOVIMENTO target = records[2];

    const TMOVIMENTO fix = Production(D + 2, 200, 270, "LETTURA ERRATA DEL CONTALITRI");
    ASSERT_TRUE(CancelOrRectify(file, target, fix, RectifyMode::Rectify));

    const auto after = Read();
    ASSERT_EQ(after.size(), 5u);
    EXPECT_EQ(fs::file_size(file), 5u * 592);
    EXPECT_TRUE(SameBytes(after[0], records[0]));
    EXPECT_TRUE(SameBytes(after[1], records[1]));

    TMOVIMENTO cancelledTarget = target;
    cancelledTarget.STATO.set("C");
    cancelledTarget.ANNOTA.set("LETTURA ERRATA DEL CONTALITRI");
    PadMovement(cancelledTarget);
    EXPECT_TRUE(SameBytes(after[2], cancelledTarget));  // still sent, now cancelled
    EXPECT_EQ(after[2].NUMFLU, 2);

    EXPECT_TRUE(
        SameBytes(after[3], ExpectedCancellation(target, 4, "LETTURA ERRATA DEL CONTALITRI")));
    EXPECT_EQ(after[3].PROGRE, 3);
    EXPECT_TRUE(after[3].TIPRIC == "C");

    TMOVIMENTO replacement = fix;
    replacement.NUMOPE = 5;
    replacement.RIFOPE = 3;
    replacement.STATO.set("R");
    replacement.TIPRIC.set("I");
    replacement.PROGRE = 3;
    PadMovement(replacement);
    EXPECT_TRUE(SameBytes(after[4], replacement));
    EXPECT_EQ(after[4].INTER2, 270);
}

class CancelInTheMiddle : public MovementFileTest,
                          public testing::WithParamInterface<RectifyMode> {};

TEST_P(CancelInTheMiddle, NewRecordsGoRightAfterTheTarget) {
    // Twenty records numbered out of order: 7 at position 3, the highest (20) elsewhere.
    std::vector<int> numbers(20);
    std::iota(numbers.begin(), numbers.end(), 1);
    std::swap(numbers[3], numbers[6]);    // 7 at position 3
    std::swap(numbers[10], numbers[19]);  // 20 at position 10
    std::vector<TMOVIMENTO> records;
    for (int i = 0; i < 20; ++i)
        records.push_back(Stored(Sent(Production(D + i, i * 10, i * 10 + 5)), numbers[i], i + 1));
    WriteMovements(file, records);

    ASSERT_TRUE(CancelOrRectify(file, records[3], Production(D + 3, 30, 36, "NOTA"), GetParam()));
    const auto after = Read();
    const bool rectify = GetParam() == RectifyMode::Rectify;
    ASSERT_EQ(after.size(), rectify ? 22u : 21u);

    std::vector<int> expected = numbers;
    expected.insert(expected.begin() + 4, 21);
    if (rectify) expected.insert(expected.begin() + 5, 22);
    EXPECT_EQ(Numbers(after), expected);
    EXPECT_TRUE(after[3].STATO == "C");
    EXPECT_TRUE(SameBytes(after[4], ExpectedCancellation(records[3], 21, "NOTA")));
    if (rectify) {
        EXPECT_EQ(after[5].RIFOPE, 7);
        EXPECT_TRUE(after[5].STATO == "R");
        EXPECT_EQ(after[5].PROGRE, 4);
        EXPECT_EQ(after[5].NUMFLU, 0);
    }
    // Everything else untouched.
    const std::size_t added = rectify ? 2 : 1;
    for (std::size_t i = 0; i < 20; ++i) {
        if (i == 3) continue;
        EXPECT_TRUE(SameBytes(after[i < 4 ? i : i + added], records[i])) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, CancelInTheMiddle,
                         testing::Values(RectifyMode::CancelOnly, RectifyMode::Rectify),
                         [](const auto& info) {
                             return info.param == RectifyMode::Rectify ? "Rectify" : "CancelOnly";
                         });

TEST_F(MovementFileTest, RecordEKeepsItsNoteAndTheReplacementItsOwnProgressive) {
    TMOVIMENTO e = Sent(Tribute("E", "02", 500));
    e.ANNOTA.set("ORIGINALE");
    PadMovement(e);
    WriteMovements(file, {Stored(e, 1, 1)});
    TMOVIMENTO fix = Tribute("E", "02", 550);
    fix.ANNOTA.set("IMPORTO CORRETTO");
    fix.PROGRE = 42;  // as the composed record carries it
    PadMovement(fix);
    ASSERT_TRUE(CancelOrRectify(file, Stored(e, 1, 1), fix, RectifyMode::Rectify));
    const auto after = Read();
    ASSERT_EQ(after.size(), 3u);
    EXPECT_TRUE(after[0].STATO == "C");
    EXPECT_EQ(after[0].ANNOTA.trimmed(), "ORIGINALE");
    EXPECT_EQ(after[1].ANNOTA.trimmed(), "IMPORTO CORRETTO");
    EXPECT_TRUE(after[1].TIPRIC == "C");
    EXPECT_EQ(after[1].QUANTI, 500);
    EXPECT_EQ(after[2].PROGRE, 42);
    EXPECT_EQ(after[2].QUANTI, 550);
    EXPECT_EQ(after[2].NUMOPE, 3);
}

TEST_F(MovementFileTest, CancellingAMissingTargetChangesNothing) {
    for (int i = 0; i < 3; ++i)
        AddMovement(file, Production(D + i, i * 100, i * 100 + 50), NoSelection());
    const std::string before = FileBytes(file);
    TMOVIMENTO ghost = Production(D, 0, 1);
    ghost.NUMOPE = 9;
    for (auto mode : {RectifyMode::CancelOnly, RectifyMode::Rectify}) {
        EXPECT_FALSE(CancelOrRectify(file, ghost, Production(D, 0, 1, "X"), mode));
        EXPECT_EQ(FileBytes(file), before);
    }
}

TEST_F(MovementFileTest, TheNewRecordsNumberIsIgnored) {
    AddMovement(file, Production(D, 0, 50), NoSelection());
    TMOVIMENTO fix = Production(D, 0, 60, "N");
    fix.NUMOPE = 77;
    ASSERT_TRUE(CancelOrRectify(file, Read()[0], fix, RectifyMode::Rectify));
    EXPECT_EQ(Numbers(Read()), (std::vector<int>{1, 2, 3}));
}

// ---- Changing an unsent record ------------------------------------------------------------

TEST_F(MovementFileTest, ChangingAnUnsentRecordKeepsItsProgressive) {
    for (int i = 0; i < 3; ++i)
        AddMovement(file, Production(D + i, i * 100, i * 100 + 50), NoSelection());
    const auto records = Read();
    const TMOVIMENTO selected = records[1];

    ASSERT_TRUE(DeleteMovement(selected.NUMOPE, file));
    const TMOVIMENTO changed = AddMovement(file, Production(D + 1, 100, 80 + 100), selected);
    EXPECT_EQ(changed.NUMOPE, 4);
    EXPECT_EQ(changed.PROGRE, 2);
    const auto after = Read();
    EXPECT_EQ(Numbers(after), (std::vector<int>{1, 4, 3}));
    EXPECT_EQ(after[1].INTER2, 180);
}

struct SelectionCase {
    const char* name;
    int newNumope, newProgre;
    int selectedNumope, selectedProgre;
    int numope, progre;  // as stored
};

void PrintTo(const SelectionCase& c, std::ostream* os) {
    *os << c.name;
}

class Selection : public MovementFileTest, public testing::WithParamInterface<SelectionCase> {};

TEST_P(Selection, DecidesTheProgressive) {
    const auto& c = GetParam();
    WriteMovements(file, {Stored(Production(D, 0, 10), 5, 8)});
    TMOVIMENTO n = Production(D + 1, 10, 20);
    n.NUMOPE = c.newNumope;
    n.PROGRE = c.newProgre;
    TMOVIMENTO selected = Production(D, 0, 10);
    selected.NUMOPE = c.selectedNumope;
    selected.PROGRE = c.selectedProgre;
    const auto stored = AddMovement(file, n, selected);
    EXPECT_EQ(stored.NUMOPE, c.numope);
    EXPECT_EQ(stored.PROGRE, c.progre);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Selection,
    testing::Values(SelectionCase{"NoSelection", 0, 0, 0, 0, 6, 9},
                    SelectionCase{"SelectedKeepsItsProgressive", 0, 0, 3, 2, 6, 2},
                    SelectionCase{"SelectedWithoutProgressive", 0, 0, 3, 0, 6, 9},
                    SelectionCase{"SelectedWithoutNumber", 0, 0, 0, 2, 6, 9},
                    SelectionCase{"NumberedRecordKeepsItsNumbers", 12, 4, 0, 0, 12, 4},
                    SelectionCase{"NumberedRecordTakesTheSelectedProgressive", 12, 4, 3, 2, 12, 2}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Raw-material stock -------------------------------------------------------------------

class Stock : public MovementFileTest {
protected:
    fs::path Year(int y) const { return YearFile(tmp.folders().registri, y, ".MPR"); }
    double StockOf(const char* material, double day) const {
        TMOVIMENTO q = BlankMovement();
        q.PRODDO.set(material);
        PadMovement(q);
        q.DATMOV = day;
        return RawMaterialStock(tmp.folders().registri, q);
    }
};

TEST_F(Stock, Before2014ItIsZero) {
    WriteMovements(Year(2013), {Stored(Load(Day(2013, 5, 1)), 1, 1)});
    EXPECT_EQ(StockOf("MALTO", Day(2013, 12, 31)), 0.0);
    EXPECT_EQ(StockOf("MALTO", Day(2013, 5, 1)), 0.0);
    // and 2013 is not counted later either
    EXPECT_EQ(StockOf("MALTO", Day(2014, 1, 1)), 0.0);
}

TEST_F(Stock, SumsLoadsLessUnloadsOverTheYears) {
    TMOVIMENTO cancelled = Stored(RawMaterial(Day(2015, 6, 1), "S", "MALTO", 1), 2, 2, "C", "I");
    TMOVIMENTO noKind = Stored(RawMaterial(Day(2015, 6, 2), " ", "MALTO", 50), 3, 3);
    WriteMovements(Year(2014), {Stored(RawMaterial(Day(2014, 1, 1), "C", "MALTO", 10), 1, 1),
                                Stored(RawMaterial(Day(2014, 12, 31), "S", "MALTO", 2.5), 2, 2)});
    WriteMovements(Year(2015),
                   {Stored(RawMaterial(Day(2015, 2, 1), "C", "MALTO", 4.25), 1, 1), cancelled,
                    noKind, Stored(RawMaterial(Day(2015, 3, 1), "C", "LUPPOLO", 100), 4, 4),
                    Stored(RawMaterial(Day(2015, 3, 1), "C", "MALTO PILS", 100), 5, 5)});
    WriteMovements(Year(2016), {Stored(RawMaterial(Day(2016, 3, 1), "C", "MALTO", 7), 1, 1),
                                Stored(RawMaterial(Day(2016, 3, 2), "S", "MALTO", 3), 2, 2)});
    WriteMovements(Year(2017), {Stored(RawMaterial(Day(2017, 1, 1), "C", "MALTO", 1000), 1, 1)});

    EXPECT_DOUBLE_EQ(StockOf("MALTO", Day(2016, 3, 1)), 10 - 2.5 + 4.25 - 1 + 7);
    EXPECT_DOUBLE_EQ(StockOf("MALTO", Day(2016, 3, 2)), 10 - 2.5 + 4.25 - 1 + 7 - 3);
    EXPECT_DOUBLE_EQ(StockOf("MALTO", Day(2014, 12, 30)), 10);
    EXPECT_DOUBLE_EQ(StockOf("MALTO", Day(2014, 12, 31)), 7.5);
    EXPECT_DOUBLE_EQ(StockOf("LUPPOLO", Day(2020, 1, 1)), 100);
    EXPECT_DOUBLE_EQ(StockOf("MALTO PILS", Day(2015, 3, 1)), 100);
    EXPECT_DOUBLE_EQ(StockOf("ORZO", Day(2020, 1, 1)), 0);
}

TEST_F(Stock, QuantitiesAreRoundedToFiveDecimals) {
    // Each quantity is rounded before it is added: 1.12346 + 0 + 0, not 1.123464.
    WriteMovements(Year(2014),
                   {Stored(RawMaterial(Day(2014, 2, 1), "C", "LIEVITO", 1.123456), 1, 1),
                    Stored(RawMaterial(Day(2014, 2, 2), "C", "LIEVITO", 0.000004), 2, 2),
                    Stored(RawMaterial(Day(2014, 2, 3), "C", "LIEVITO", 0.000004), 3, 3)});
    EXPECT_DOUBLE_EQ(StockOf("LIEVITO", Day(2014, 3, 1)), 1.12346);
}

// Ten loads of 0,1 make exactly 1, and a quantity beyond any stock is reported with the file
// that holds it, never added up wrapped.
TEST_F(Stock, SumsAreExactAndQuantitiesBeyondAnyStockAreReported) {
    std::vector<TMOVIMENTO> tenths;
    for (int i = 1; i <= 10; ++i)
        tenths.push_back(Stored(RawMaterial(Day(2014, 2, i), "C", "LIEVITO", 0.1), i, i));
    WriteMovements(Year(2014), tenths);
    EXPECT_EQ(StockOf("LIEVITO", Day(2014, 3, 1)), 1.0);

    WriteMovements(Year(2015), {Stored(RawMaterial(Day(2015, 1, 2), "C", "LIEVITO", 1e20), 1, 1)});
    try {
        StockOf("LIEVITO", Day(2015, 3, 1));
        ADD_FAILURE() << "no error";
    } catch (const IoError& e) {
        EXPECT_EQ(e.path(), Year(2015).string());
        EXPECT_EQ(e.reason(), "quantità troppo grandi per il calcolo");
    }
}

TEST_F(Stock, AnInvalidDateGivesZero) {
    WriteMovements(Year(2014), {Stored(Load(Day(2014, 2, 1)), 1, 1)});
    EXPECT_EQ(StockOf("MALTO", std::numeric_limits<double>::quiet_NaN()), 0.0);
}

// A ledger reads each yearly file once, however many stocks it gives, and reads a file again
// once it has changed on disk (a record added, or one replaced by another of the same size).
TEST_F(Stock, ALedgerReadsEachFileOnceUntilItChanges) {
    WriteMovements(Year(2014), {Stored(RawMaterial(Day(2014, 1, 1), "C", "MALTO", 10), 1, 1)});
    WriteMovements(Year(2015), {Stored(RawMaterial(Day(2015, 1, 1), "C", "MALTO", 5), 1, 1)});
    RawMaterialLedger ledger(tmp.folders().registri);
    TMOVIMENTO q = BlankMovement();
    q.PRODDO.set("MALTO");
    q.DATMOV = Day(2016, 6, 1);
    for (int i = 0; i < 50; ++i) EXPECT_DOUBLE_EQ(ledger.stock(q), 15);
    EXPECT_EQ(ledger.reads(), 3);  // 2014, 2015 and the 2016 file it created
    EXPECT_TRUE(fs::exists(Year(2016)));

    AddMovement(Year(2015), RawMaterial(Day(2015, 2, 1), "S", "MALTO", 4), NoSelection());
    EXPECT_DOUBLE_EQ(ledger.stock(q), 11);
    EXPECT_EQ(ledger.reads(), 4);

    auto records = ScanMovements(Year(2015));
    records[1].QUANTI = 1;  // same size, other content
    WriteRecords<TMOVIMENTO>(Year(2015), records);
    EXPECT_DOUBLE_EQ(ledger.stock(q), 14);
    EXPECT_EQ(ledger.reads(), 5);

    ledger.forget();
    EXPECT_DOUBLE_EQ(ledger.stock(q), 14);
    EXPECT_EQ(ledger.reads(), 8);
}

// The movement being changed is left out of the stock it may draw on: only its own file and
// number name it.
TEST_F(Stock, TheMovementBeingChangedIsLeftOut) {
    WriteMovements(Year(2015), {Stored(RawMaterial(Day(2015, 3, 10), "C", "MALTO", 100), 1, 1),
                                Stored(RawMaterial(Day(2015, 3, 10), "S", "MALTO", 30), 2, 2)});
    WriteMovements(Year(2016), {Stored(RawMaterial(Day(2016, 1, 5), "S", "MALTO", 20), 2, 1)});
    RawMaterialLedger ledger(tmp.folders().registri);
    TMOVIMENTO q = BlankMovement();
    q.PRODDO.set("MALTO");
    q.DATMOV = Day(2016, 2, 1);
    EXPECT_DOUBLE_EQ(ledger.stock(q), 50);
    EXPECT_DOUBLE_EQ(ledger.stock(q, StockExclusion{2015, 2}), 80);
    EXPECT_DOUBLE_EQ(ledger.stock(q, StockExclusion{2016, 2}), 70);
    EXPECT_DOUBLE_EQ(ledger.stock(q, StockExclusion{2016, 9}), 50);
}

// ---- Many operations: sizes and order stay sound ------------------------------------------

TEST_F(MovementFileTest, ASequenceOfOperationsKeepsWholeRecordsAndDateOrder) {
    for (int i = 0; i < 40; ++i) {
        const double day = D + (i * 37) % 90;
        int highest = 0;
        for (const auto& r : Read()) highest = std::max(highest, r.NUMOPE);
        const auto stored = AddMovement(file, Production(day, i * 10, i * 10 + 5), NoSelection());
        EXPECT_EQ(stored.NUMOPE, highest + 1);
        if (i % 5 == 4) DeleteMovement(i - 2, file);
        if (i % 7 == 6) {
            const auto records = Read();
            const TMOVIMENTO& target = records[records.size() / 2];
            CancelOrRectify(file, target, Production(target.DATMOV, 0, 1, "R"),
                            i % 2 ? RectifyMode::Rectify : RectifyMode::CancelOnly);
        }
        EXPECT_EQ(fs::file_size(file) % 592, 0u);
        ExpectClean();
    }
    // Insertions keep the active records (replacements included) in date order.
    double last = -1e9;
    for (const auto& r : Read()) {
        if (!(r.TIPRIC == "I") || r.STATO == "C") continue;
        EXPECT_GE(r.DATMOV, last);
        last = r.DATMOV;
    }
}

}  // namespace
}  // namespace braxol
