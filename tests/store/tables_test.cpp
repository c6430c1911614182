#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#include "store/dates.h"
#include "store/io_error.h"
#include "store/lock.h"
#include "store/record_file.h"
#include "store/records.h"
#include "store/safe_file.h"
#include "store/table_structures.h"
#include "store/tables.h"
#include "support/temp_folder.h"

namespace braxol {
namespace {

using test::TempWorkFolder;

TTABELLA Row(std::string_view key, std::int32_t number = 0, std::string_view second = "") {
    TTABELLA r = BlankTabella();
    r.number = number;
    r.text[0].set(key);
    r.text[1].set(second);
    r.text[10].set("PROVA");
    PadTabella(r);
    return r;
}

TTABELLA DatedRow(std::string_view key, std::int32_t number, double date, double value) {
    TTABELLA r = Row(key, number);
    r.num[0] = date;
    r.num[1] = value;
    return r;
}

void WriteTable(const fs::path& file, const std::vector<TTABELLA>& rows) {
    WriteRecords<TTABELLA>(file, rows);
}

std::vector<std::string> Keys(const fs::path& file) {
    std::vector<std::string> keys;
    for (const TTABELLA& r : ReadRecords<TTABELLA>(file, false))
        keys.push_back(r.text[0].trimmed());
    return keys;
}

std::vector<std::int32_t> Numbers(const fs::path& file) {
    std::vector<std::int32_t> numbers;
    for (const TTABELLA& r : ReadRecords<TTABELLA>(file, false)) numbers.push_back(r.number);
    return numbers;
}

std::string Content(const fs::path& file) {
    return ReadWholeFile(file).value_or("<missing>");
}

void WriteText(const fs::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary);
    out << bytes;
}

void WriteStructure(const TempWorkFolder& w, std::string_view table, std::int32_t keyFields) {
    TableStructure s;
    s.keyFields = keyFields;
    s.name = table;
    s.title = "Prova";
    s.labels[0] = "Codice";
    s.widths[0] = 10;
    s.labels[1] = "Descrizione";
    s.widths[1] = 50;
    s.columnNames = "Codice;Descrizione;";
    WriteTableStructure(w.folders().datiGen, s);
}

double Date(int y, int m, int d) {
    return DateFromCivil(y, m, d);
}

// --- Ordered insertion and numbering --------------------------------------------------------

struct InsertCase {
    const char* name;
    std::vector<std::pair<std::string, std::int32_t>> stored;  // key, number, in file order
    std::string key;
    std::int32_t number;  // as given to the insertion
    std::vector<std::string> expectedKeys;
    std::int32_t expectedNumber;
};

void PrintTo(const InsertCase& c, std::ostream* os) {
    *os << c.name;
}

class TableInsertion : public ::testing::TestWithParam<InsertCase> {};

TEST_P(TableInsertion, PlacesAndNumbersTheRecord) {
    const InsertCase& c = GetParam();
    TempWorkFolder w;
    const fs::path file = w.datiGen("PROVA.TAB");
    std::vector<TTABELLA> rows;
    for (const auto& [key, number] : c.stored) rows.push_back(Row(key, number));
    if (!rows.empty()) WriteTable(file, rows);

    const TTABELLA stored = InsertTableRecord(file, Row(c.key, c.number));

    EXPECT_EQ(Keys(file), c.expectedKeys);
    EXPECT_EQ(stored.number, c.expectedNumber);
    EXPECT_EQ(stored.text[0].view().size(), 250u) << "stored padded";
    const auto back = ReadByNumber(c.expectedNumber, file);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->text[0].str(), TrimBlanks(c.key));
    EXPECT_FALSE(fs::exists(LockMarkerPath(file))) << "lock marker released";
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TableInsertion,
    ::testing::Values(
        InsertCase{"BetweenTakesLargestPlusOne", {{"A", 1}, {"C", 3}}, "B", 0, {"A", "B", "C"}, 4},
        InsertCase{"IntoMissingFile", {}, "A", 0, {"A"}, 1},
        InsertCase{"BeforeAll", {{"B", 7}, {"C", 2}}, "A", 0, {"A", "B", "C"}, 8},
        InsertCase{"AfterAll", {{"A", 1}, {"B", 2}}, "Z", 0, {"A", "B", "Z"}, 3},
        InsertCase{
            "EqualKeyGoesAfter", {{"A", 1}, {"B", 2}, {"C", 3}}, "B", 0, {"A", "B", "B", "C"}, 4},
        InsertCase{"GivenNumberIsKept", {{"A", 1}, {"C", 3}}, "B", 2, {"A", "B", "C"}, 2},
        // Byte order of the padded text: lower case after upper case, "A" (padded with blanks)
        // before "A1", Windows-1252 letters after ASCII.
        InsertCase{"LowerCaseAfterUpper", {{"B", 1}, {"a", 2}}, "Z", 0, {"B", "Z", "a"}, 3},
        InsertCase{"ShorterKeyFirst", {{"A1", 1}}, "A", 0, {"A", "A1"}, 2},
        InsertCase{"Cp1252AfterAscii", {{"Z", 1}}, "\xC8", 0, {"Z", "\xC8"}, 2},
        InsertCase{"LeadingBlankFirst", {{"A", 1}}, " B", 0, {"B", "A"}, 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TableInsertionByDate, GoesBeforeTheFirstLaterDateWhateverItsKey) {
    TempWorkFolder w;
    const fs::path file = w.datiGen("PROTOCOLLI.TAB");
    // Number 0 the protocol date, number 1 the valid-from date.
    const std::vector<TTABELLA> rows{DatedRow("900", 1, Date(2019, 12, 1), Date(2020, 1, 1)),
                                     DatedRow("100", 2, Date(2020, 12, 1), Date(2021, 1, 1))};
    WriteTable(file, rows);

    TTABELLA n = Row("500");
    n.num[0] = Date(2020, 5, 1);
    n.num[1] = Date(2020, 6, 1);
    const TTABELLA stored = InsertTableRecordByDate(file, n, kProtocolValidFromSlot);

    EXPECT_EQ(Keys(file), (std::vector<std::string>{"900", "500", "100"}));
    EXPECT_EQ(stored.number, 3);
}

TEST(TableInsertionByDate, SameDateGoesAfterAndLaterDateAppends) {
    std::vector<TTABELLA> rows{DatedRow("1402", 1, Date(2020, 1, 1), 0.5)};
    PlaceTableRecordByDate(rows, DatedRow("1402", 0, Date(2020, 1, 1), 0.6), kExciseDateSlot);
    PlaceTableRecordByDate(rows, DatedRow("1402", 0, Date(2022, 1, 1), 0.7), kExciseDateSlot);
    PlaceTableRecordByDate(rows, DatedRow("1402", 0, Date(2019, 1, 1), 0.4), kExciseDateSlot);
    std::vector<double> rates;
    for (const auto& r : rows) rates.push_back(r.num[kExciseRateSlot]);
    EXPECT_EQ(rates, (std::vector<double>{0.4, 0.5, 0.6, 0.7}));
    EXPECT_EQ(rows[0].number, 4);
}

TEST(TableInsertion, NumberingStopsAtTheLargestInteger) {
    TempWorkFolder w;
    const fs::path file = w.datiGen("PROVA.TAB");
    WriteTable(file, {Row("A", INT32_MAX)});
    const std::string before = Content(file);
    EXPECT_THROW(InsertTableRecord(file, Row("B")), IoError);
    EXPECT_EQ(Content(file), before);
}

// --- Deletion -------------------------------------------------------------------------------

TEST(TableDeletion, RemovesTheFirstRecordWithTheNumber) {
    TempWorkFolder w;
    const fs::path file = w.datiGen("PROVA.TAB");
    WriteTable(file, {Row("A", 1), Row("B", 2), Row("C", 2), Row("D", 4)});

    EXPECT_TRUE(DeleteTableRecord(2, file));
    EXPECT_EQ(Keys(file), (std::vector<std::string>{"A", "C", "D"}));
    EXPECT_EQ(fs::file_size(file), 3 * sizeof(TTABELLA));
    EXPECT_FALSE(fs::exists(LockMarkerPath(file)));
}

TEST(TableDeletion, UnknownNumberLeavesTheFileAlone) {
    TempWorkFolder w;
    const fs::path file = w.datiGen("PROVA.TAB");
    WriteTable(file, {Row("A", 1)});
    const std::string before = Content(file);
    EXPECT_FALSE(DeleteTableRecord(9, file));
    EXPECT_EQ(Content(file), before);
}

// --- Key lookup and the changed key ---------------------------------------------------------

TEST(FindByKey, FindsTheFirstEqualKeyTrimmed) {
    TempWorkFolder w;
    WriteStructure(w, "PROVA", 1);
    WriteTable(w.datiGen("PROVA.TAB"), {Row("A", 1, "uno"), Row("B", 2, "due"), Row("B", 3)});

    const TableLookup found = FindByKey(w.folders().datiGen, "PROVA", Row("B"));
    ASSERT_EQ(found.status, KeyLookup::Found);
    EXPECT_EQ(found.record.number, 2);
    EXPECT_EQ(found.record.text[1].str(), "due");

    const TableLookup missing = FindByKey(w.folders().datiGen, "PROVA", Row("b"));
    EXPECT_EQ(missing.status, KeyLookup::NotFound);
    EXPECT_EQ(missing.record.number, 0);
    EXPECT_EQ(missing.record.text[0].str(), "");
}

TEST(FindByKey, ZeroKeyFieldsMatchTheFirstRecord) {
    TempWorkFolder w;
    WriteStructure(w, "PROVA", 0);
    WriteTable(w.datiGen("PROVA.TAB"), {Row("A", 5), Row("B", 6)});

    const TableLookup found = FindByKey(w.folders().datiGen, "PROVA", Row("ZZZ"));
    ASSERT_TRUE(found.found());
    EXPECT_EQ(found.record.number, 5);
}

TEST(FindByKey, ZeroKeyFieldsOnAnEmptyTableFindNothing) {
    TempWorkFolder w;
    WriteStructure(w, "PROVA", 0);
    EXPECT_EQ(FindByKey(w.folders().datiGen, "PROVA", Row("A")).status, KeyLookup::NotFound);
    EXPECT_FALSE(fs::exists(w.datiGen("PROVA.TAB"))) << "a reader creates no table";
}

TEST(FindByKey, TwoKeyFieldsCompareBothSlots) {
    TempWorkFolder w;
    WriteStructure(w, "PROVA", 2);
    WriteTable(w.datiGen("PROVA.TAB"), {Row("A", 1, "x"), Row("A", 2, "y")});
    EXPECT_EQ(FindByKey(w.folders().datiGen, "PROVA", Row("A", 0, "y")).record.number, 2);
    EXPECT_FALSE(FindByKey(w.folders().datiGen, "PROVA", Row("A", 0, "z")).found());
}

TEST(FindByKey, MissingOrEmptyStructureIsReported) {
    TempWorkFolder w;
    WriteTable(w.datiGen("PROVA.TAB"), {Row("A", 1)});
    EXPECT_EQ(FindByKey(w.folders().datiGen, "PROVA", Row("A")).status, KeyLookup::NoStructure);
    WriteText(w.datiGen("PROVA.STR"), "");
    EXPECT_EQ(FindByKey(w.folders().datiGen, "PROVA", Row("A")).status, KeyLookup::NoStructure);
}

TEST(FindByKey, DamagedTableThrows) {
    TempWorkFolder w;
    WriteStructure(w, "PROVA", 1);
    WriteText(w.datiGen("PROVA.TAB"), "not a table");
    EXPECT_THROW(FindByKey(w.folders().datiGen, "PROVA", Row("A")), DamagedFileError);
}

TEST(FindByKey, FindsFilesInOtherLetterCase) {
    TempWorkFolder w;
    WriteStructure(w, "prova", 1);
    WriteTable(w.datiGen("prova.tab"), {Row("A", 1)});
    EXPECT_TRUE(FindByKey(w.folders().datiGen, "PROVA", Row("A")).found());
}

// The table windows change a key as: look the new key up; when it is taken by another record,
// refuse ("CODICE GIA` UTILIZZATO"); otherwise delete the old record and insert it anew with
// its old number.
TEST(ChangedKey, FreeKeyMovesTheRecordAndKeepsItsNumber) {
    TempWorkFolder w;
    const fs::path& datiGen = w.folders().datiGen;
    WriteStructure(w, "PROVA", 1);
    const fs::path file = w.datiGen("PROVA.TAB");
    WriteTable(file, {Row("A", 1), Row("B", 2), Row("D", 3)});

    const TableLookup old = FindByKey(datiGen, "PROVA", Row("A"));
    ASSERT_TRUE(old.found());
    TTABELLA edited = old.record;
    edited.text[0].set("C");
    ASSERT_FALSE(FindByKey(datiGen, "PROVA", edited).found());
    ASSERT_TRUE(DeleteTableRecord(old.record.number, file));
    InsertTableRecord(file, edited);

    EXPECT_EQ(Keys(file), (std::vector<std::string>{"B", "C", "D"}));
    EXPECT_EQ(Numbers(file), (std::vector<std::int32_t>{2, 1, 3}));
}

TEST(ChangedKey, UsedKeyIsFoundSoTheChangeIsRefused) {
    TempWorkFolder w;
    WriteStructure(w, "PROVA", 1);
    WriteTable(w.datiGen("PROVA.TAB"), {Row("A", 1), Row("B", 2)});
    TTABELLA edited = FindByKey(w.folders().datiGen, "PROVA", Row("A")).record;
    edited.text[0].set("B");
    const TableLookup taken = FindByKey(w.folders().datiGen, "PROVA", edited);
    ASSERT_TRUE(taken.found());
    EXPECT_NE(taken.record.number, 1);
}

// --- Read by number -------------------------------------------------------------------------

TEST(ReadByNumber, GivesTheFirstRecordWithTheNumberTrimmed) {
    TempWorkFolder w;
    const fs::path file = w.datiGen("PROVA.TAB");
    WriteTable(file, {Row("A", 1), Row("B", 2, "primo"), Row("C", 2)});
    const auto r = ReadByNumber(2, file);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->text[0].str(), "B");
    EXPECT_EQ(r->text[1].str(), "primo");
    EXPECT_EQ(r->text[10].str(), "PROVA");
    EXPECT_FALSE(ReadByNumber(7, file).has_value());
    EXPECT_FALSE(ReadByNumber(1, w.datiGen("ALTRA.TAB")).has_value());
    EXPECT_FALSE(fs::exists(w.datiGen("ALTRA.TAB")));
}

// --- Excise rate at a date ------------------------------------------------------------------

struct RateCase {
    const char* name;
    RateMode mode;
    double date;
    bool found;
    double rate;  // of the record returned; 0 for the blank record
};

void PrintTo(const RateCase& c, std::ostream* os) {
    *os << c.name;
}

class ExciseRateAtDate : public ::testing::TestWithParam<RateCase> {
protected:
    void SetUp() override {
        WriteTable(w.datiGen("ACCISE.TAB"), {
                                                DatedRow("1402", 1, Date(2020, 1, 1), 2.5),
                                                DatedRow("1402", 2, Date(2021, 1, 1), 3.0),
                                                DatedRow("1402", 3, Date(2021, 1, 1) + 0.3, 3.1),
                                                DatedRow("1402", 4, Date(2022, 1, 1), 0.001),
                                            });
    }
    TempWorkFolder w;
};

TEST_P(ExciseRateAtDate, SelectsTheRecordOfTheMode) {
    const RateCase& c = GetParam();
    const ExciseRate r = ExciseRateAt(w.folders().datiGen, c.mode, c.date);
    EXPECT_EQ(r.found, c.found);
    EXPECT_DOUBLE_EQ(r.record.num[kExciseRateSlot], c.rate);
    if (c.rate == 0) {
        EXPECT_EQ(r.record.number, 0);
        EXPECT_EQ(r.record.text[0].str(), "");
    } else {
        EXPECT_EQ(r.record.text[0].str(), "1402");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ExciseRateAtDate,
    ::testing::Values(
        RateCase{"InForceBeforeTheFirstDate", RateMode::InForce, Date(2019, 12, 31), false, 0},
        RateCase{"InForceOnTheFirstDate", RateMode::InForce, Date(2020, 1, 1), true, 2.5},
        RateCase{"InForceBetweenDates", RateMode::InForce, Date(2020, 7, 15), true, 2.5},
        // Both records of 01/01/2021 are that day; the last in file order is in force.
        RateCase{"InForceTakesTheLastOfTheDay", RateMode::InForce, Date(2021, 1, 1), true, 3.1},
        // Dates are rounded to whole days, half away from zero: late evening counts as the
        // next day, morning as the same day.
        RateCase{"InForceEveningRoundsToNextDay", RateMode::InForce, Date(2019, 12, 31) + 0.6, true,
                 2.5},
        RateCase{"InForceMorningStaysBefore", RateMode::InForce, Date(2019, 12, 31) + 0.4, false,
                 0},
        RateCase{"InForceRateNotAboveLimit", RateMode::InForce, Date(2023, 1, 1), false, 0.001},
        RateCase{"ExactFirstOfTheDay", RateMode::Exact, Date(2021, 1, 1), true, 3.0},
        RateCase{"ExactZeroRateIsFound", RateMode::Exact, Date(2022, 1, 1), true, 0.001},
        RateCase{"ExactOtherDay", RateMode::Exact, Date(2020, 7, 15), false, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ExciseRateAt, MissingTableFindsNothing) {
    TempWorkFolder w;
    EXPECT_FALSE(ExciseRateAt(w.folders().datiGen, RateMode::InForce, Date(2024, 1, 1)).found);
    EXPECT_FALSE(ExciseRateAt(w.folders().datiGen, RateMode::Exact, Date(2024, 1, 1)).found);
}

// --- CSV import -----------------------------------------------------------------------------

TEST(CsvLine, FlagFieldsBecomeNOrS) {
    const auto r = RecordFromCsvLine("X;Y;;X", "TA03");
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->text[0].trimmed(), "X");
    EXPECT_EQ(r->text[1].trimmed(), "Y");
    EXPECT_EQ(r->text[2].trimmed(), "N");
    EXPECT_EQ(r->text[3].trimmed(), "S");
    for (int i = 4; i < 10; ++i) EXPECT_EQ(r->text[i].view(), std::string(250, ' ')) << i;
    EXPECT_EQ(r->text[10].trimmed(), "TA03");
    EXPECT_EQ(r->number, 0);
}

struct CsvCase {
    const char* name;
    std::string line;
    bool skipped;
    std::vector<std::string> slots;  // trimmed text slots 0-9
};

void PrintTo(const CsvCase& c, std::ostream* os) {
    *os << c.name;
}

class CsvLines : public ::testing::TestWithParam<CsvCase> {};

TEST_P(CsvLines, GiveTheTextSlots) {
    const CsvCase& c = GetParam();
    const auto r = RecordFromCsvLine(c.line, "PROVA");
    ASSERT_EQ(!r.has_value(), c.skipped);
    if (!r) return;
    std::vector<std::string> slots;
    for (int i = 0; i < 10; ++i) slots.push_back(r->text[i].trimmed());
    EXPECT_EQ(slots, c.slots);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CsvLines,
    ::testing::Values(
        CsvCase{"Empty", "", true, {}}, CsvCase{"LeadingBlank", " A;B", true, {}},
        CsvCase{"LeadingTab", "\tA;B", true, {}}, CsvCase{"Comment", "!A;B", true, {}},
        CsvCase{"KeyOnly", "A", false, {"A", "", "N", "N", "", "", "", "", "", ""}},
        CsvCase{"BlankFlagIsN", "A;B; ;  ", false, {"A", "B", "N", "N", "", "", "", "", "", ""}},
        CsvCase{"OtherFlagStays", "A;B;S;n", false, {"A", "B", "S", "n", "", "", "", "", "", ""}},
        CsvCase{"EmptyKeyAfterSemicolon", ";B", false, {"", "B", "N", "N", "", "", "", "", "", ""}},
        CsvCase{"TenFieldsAndMore",
                "0;1;X;X;4;5;6;7;8;9;10;11",
                false,
                {"0", "1", "S", "S", "4", "5", "6", "7", "8", "9"}},
        CsvCase{"Cp1252Bytes",
                "CAFF\xC8;Qualit\xE0",
                false,
                {"CAFF\xC8", "Qualit\xE0", "N", "N", "", "", "", "", "", ""}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CsvLine, LongFieldIsCutTo250) {
    const auto r = RecordFromCsvLine(std::string(300, 'A') + ";B", "PROVA");
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->text[0].view(), std::string(250, 'A'));
    EXPECT_EQ(r->text[1].trimmed(), "B");
}

TEST(CsvImport, ReplacesTheTableSortedAndNumberedInLineOrder) {
    TempWorkFolder w;
    const fs::path file = w.datiGen("TA03.TAB");
    WriteTable(file, {Row("OLD", 40)});
    WriteText(w.datiGen("TA03.CSV"),
              "C;terzo\r\n!commento\r\nA;primo\r\n\r\nB;secondo\nA;ancora\rD;ultimo");

    EXPECT_EQ(ImportTableCsv(w.folders().datiGen, "TA03"), 5u);

    EXPECT_EQ(Keys(file), (std::vector<std::string>{"A", "A", "B", "C", "D"}));
    EXPECT_EQ(Numbers(file), (std::vector<std::int32_t>{2, 4, 3, 1, 5}));
    const auto r = ReadByNumber(4, file);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->text[1].str(), "ancora");
    EXPECT_EQ(r->text[10].str(), "TA03");
    EXPECT_FALSE(fs::exists(LockMarkerPath(file)));
}

TEST(CsvImport, GivesWhatInsertingLineByLineGives) {
    TempWorkFolder w;
    const std::string csv = "M;1\nB;2\nM;3\n\xC8;4\na;5\nB;6\nA1;7\nA;8\n";
    WriteText(w.datiGen("UNO.CSV"), csv);
    ImportTableCsv(w.folders().datiGen, "UNO");

    const fs::path byHand = w.datiGen("DUE.TAB");
    std::string_view rest = csv;
    while (!rest.empty()) {
        const auto end = rest.find('\n');
        InsertTableRecord(byHand, *RecordFromCsvLine(rest.substr(0, end), "UNO"));
        rest.remove_prefix(end + 1);
    }
    EXPECT_EQ(Content(w.datiGen("UNO.TAB")), Content(byHand));
}

TEST(CsvImport, MissingCsvLeavesTheTableAlone) {
    TempWorkFolder w;
    const fs::path file = w.datiGen("TA03.TAB");
    WriteTable(file, {Row("A", 1)});
    const std::string before = Content(file);
    EXPECT_THROW(ImportTableCsv(w.folders().datiGen, "TA03"), IoError);
    EXPECT_EQ(Content(file), before);
}

TEST(CsvImport, DamagedTableIsNotOverwritten) {
    TempWorkFolder w;
    WriteText(w.datiGen("TA03.TAB"), "danneggiato");
    WriteText(w.datiGen("TA03.CSV"), "A;B\n");
    EXPECT_THROW(ImportTableCsv(w.folders().datiGen, "TA03"), DamagedFileError);
    EXPECT_EQ(Content(w.datiGen("TA03.TAB")), "danneggiato");
}

TEST(CsvImport, InvalidNameIsRefused) {
    TempWorkFolder w;
    EXPECT_THROW(ImportTableCsv(w.folders().datiGen, "  "), IoError);
    EXPECT_THROW(ImportTableCsv(w.folders().datiGen, "!X"), IoError);
    EXPECT_THROW(ImportTableCsv(w.folders().datiGen, "A/B"), IoError);
}

// --- Damaged files and the lock marker ------------------------------------------------------

TEST(TableWriters, DamagedFileIsReportedAndNeverWritten) {
    TempWorkFolder w;
    const fs::path file = w.datiGen("PROVA.TAB");
    WriteText(file, std::string(sizeof(TTABELLA) + 3, 'x'));
    EXPECT_THROW(InsertTableRecord(file, Row("A")), DamagedFileError);
    EXPECT_THROW(DeleteTableRecord(1, file), DamagedFileError);
    EXPECT_THROW(ReadByNumber(1, file), DamagedFileError);
    EXPECT_EQ(fs::file_size(file), sizeof(TTABELLA) + 3);
    EXPECT_FALSE(fs::exists(LockMarkerPath(file)));
}

class GiveUpPrompt : public LockPrompt {
public:
    void busy(const std::string& path, int) override {
        ++calls;
        throw IoError(path, "in uso");
    }
    bool takeOver(const std::string&) override { return false; }
    int calls = 0;
};

TEST(TableWriters, WaitOnTheLockMarker) {
    TempWorkFolder w;
    const fs::path file = w.datiGen("PROVA.TAB");
    WriteTable(file, {Row("A", 1)});
    const std::string before = Content(file);
    WriteText(LockMarkerPath(file), "");

    GiveUpPrompt prompt;
    LockPrompt* previous = SetLockPrompt(&prompt);
    EXPECT_THROW(InsertTableRecord(file, Row("B")), IoError);
    EXPECT_THROW(DeleteTableRecord(1, file), IoError);
    SetLockPrompt(previous);

    EXPECT_EQ(prompt.calls, 2);
    EXPECT_EQ(Content(file), before);
}

// --- Structures -----------------------------------------------------------------------------

TEST(TableStructure, RoundTripsThroughItsFile) {
    TempWorkFolder w;
    TableStructure s;
    s.keyFields = 2;
    s.name = " PROVA ";
    s.title = "Titolo \xE0";
    for (int i = 0; i < kTableFields; ++i) {
        s.labels[i] = "Campo " + std::to_string(i + 1);
        s.widths[i] = i * 3;
    }
    s.columnNames = "Uno;Due;";
    WriteTableStructure(w.folders().datiGen, s);

    const auto back = ReadTableStructure(w.folders().datiGen, "PROVA");
    ASSERT_TRUE(back.has_value());
    s.name = "PROVA";
    EXPECT_EQ(*back, s);

    const auto records = ReadRecords<TTABELLA>(w.datiGen("PROVA.STR"), false);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].number, 2);
    EXPECT_EQ(records[0].integer[4], 12);
    EXPECT_EQ(records[0].text[10].trimmed(), "PROVA");
    EXPECT_EQ(records[0].text[12].trimmed(), "Uno;Due;");
}

TEST(TableStructure, MissingOrEmptyReadsAsNothing) {
    TempWorkFolder w;
    EXPECT_FALSE(ReadTableStructure(w.folders().datiGen, "PROVA").has_value());
    WriteText(w.datiGen("PROVA.STR"), "");
    EXPECT_FALSE(ReadTableStructure(w.folders().datiGen, "PROVA").has_value());
    WriteText(w.datiGen("PROVA.STR"), "xx");
    EXPECT_THROW(ReadTableStructure(w.folders().datiGen, "PROVA"), DamagedFileError);
}

TEST(TableStructure, InvalidNameIsNotWritten) {
    TempWorkFolder w;
    TableStructure s;
    s.name = "";
    EXPECT_THROW(WriteTableStructure(w.folders().datiGen, s), IoError);
    EXPECT_TRUE(fs::is_empty(w.folders().datiGen));
}

struct ColumnsCase {
    const char* text;
    std::vector<std::string> names;
};

TEST(TableStructure, SplitsTheColumnNames) {
    const std::vector<ColumnsCase> rows{
        {"", {}},
        {"Uno;", {"Uno"}},
        {"Uno;Due;", {"Uno", "Due"}},
        {" Uno ; Due;", {"Uno", "Due"}},
        {"Uno;;Tre;", {"Uno", "", "Tre"}},
        {"Uno;Due", {"Uno", "Due"}},
    };
    for (const auto& row : rows) {
        TableStructure s;
        s.columnNames = row.text;
        EXPECT_EQ(s.columns(), row.names) << row.text;
    }
}

TEST(TableStructure, KeyCountIsKeptWithinTheTextSlots) {
    TableStructure s;
    for (const auto& [stored, used] :
         std::vector<std::pair<int, int>>{{-3, 0}, {0, 0}, {1, 1}, {20, 20}, {99, 20}}) {
        s.keyFields = stored;
        EXPECT_EQ(s.keyCount(), used) << stored;
    }
}

TEST(TableNames, ValidWhenNotBelowZeroAndWithoutSeparators) {
    EXPECT_TRUE(IsValidTableName("TA20"));
    EXPECT_TRUE(IsValidTableName(" PRAZ "));
    EXPECT_TRUE(IsValidTableName("0"));
    EXPECT_FALSE(IsValidTableName(""));
    EXPECT_FALSE(IsValidTableName("   "));
    EXPECT_FALSE(IsValidTableName("!A"));
    EXPECT_FALSE(IsValidTableName("..\\X"));
    EXPECT_FALSE(IsValidTableName("A/B"));
}

// --- Default structures ---------------------------------------------------------------------

TEST(DefaultStructures, CoverTheProgramsTables) {
    std::vector<std::string> names;
    for (const TableStructure& s : DefaultStructures()) names.push_back(s.name);
    EXPECT_EQ(names, (std::vector<std::string>{"TA20", "ACCISE", "TA03", "TA05C", "PRAZ",
                                               "PROTOCOLLI", "MATPRIME"}));
}

struct DefaultCase {
    const char* table;
    const char* title;
    std::vector<std::pair<int, int>> fields;  // text slot, width of the used fields
    std::size_t columns;                      // names the table's list needs
};

void PrintTo(const DefaultCase& c, std::ostream* os) {
    *os << c.table;
}

class DefaultStructureOf : public ::testing::TestWithParam<DefaultCase> {};

TEST_P(DefaultStructureOf, HoldsWhatItsWindowsAndListNeed) {
    const DefaultCase& c = GetParam();
    const auto s = DefaultStructure(c.table);
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(s->keyFields, 1);
    EXPECT_EQ(s->name, c.table);
    EXPECT_EQ(s->title, c.title);
    std::vector<std::pair<int, int>> used;
    for (int i = 0; i < kTableFields; ++i) {
        if (s->widths[i] > 0) {
            used.emplace_back(i, s->widths[i]);
            EXPECT_FALSE(s->labels[i].empty()) << "field " << i + 1;
        }
    }
    EXPECT_EQ(used, c.fields);
    EXPECT_EQ(s->columns().size(), c.columns);
    EXPECT_EQ(s->columnNames.back(), ';');
    // The record must hold every text whole.
    EXPECT_EQ(StructureFromRecord(StructureRecord(*s)), *s);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DefaultStructureOf,
    ::testing::Values(DefaultCase{"TA20",
                                  "Codici doganali identificativi dei prodotti (TA20)",
                                  {{0, 21}, {1, 250}},
                                  4},
                      DefaultCase{"ACCISE", "Tabella delle Accise", {{0, 5}}, 3},
                      DefaultCase{"TA03", "Uffici Doganali", {{0, 8}, {1, 100}}, 2},
                      DefaultCase{"TA05C", "Tipi di Documento (TA05-c)", {{0, 3}, {1, 100}}, 2},
                      DefaultCase{"PRAZ", "Tipi di birra prodotti", {{0, 100}, {1, 21}}, 4},
                      DefaultCase{"PROTOCOLLI",
                                  "Protocollo dei Registri delle produzioni proprie",
                                  {{0, 10}, {2, 200}},
                                  3},
                      DefaultCase{"MATPRIME", "Tabella Materie Prime", {{0, 21}}, 1}),
    [](const auto& info) { return std::string(info.param.table); });

TEST(DefaultStructures, LookedUpInAnyCase) {
    EXPECT_TRUE(DefaultStructure("praz").has_value());
    EXPECT_FALSE(DefaultStructure("ALTRA").has_value());
}

TEST(DefaultStructures, AreCreatedOnlyWhenMissing) {
    TempWorkFolder w;
    const fs::path& datiGen = w.folders().datiGen;
    TableStructure own = *DefaultStructure("PRAZ");
    own.title = "Le nostre birre";
    own.keyFields = 2;
    WriteTableStructure(datiGen, own);
    const std::string ownPraz = Content(w.datiGen("PRAZ.STR"));
    WriteText(w.datiGen("ta03.str"), "");         // other letter case, empty
    WriteText(w.datiGen("MATPRIME.STR"), "xyz");  // damaged

    const auto created = CreateMissingStructures(datiGen);
    EXPECT_EQ(created, (std::vector<std::string>{"TA20", "ACCISE", "TA05C", "PROTOCOLLI"}));
    EXPECT_EQ(Content(w.datiGen("PRAZ.STR")), ownPraz);
    EXPECT_EQ(Content(w.datiGen("ta03.str")), "");
    EXPECT_EQ(Content(w.datiGen("MATPRIME.STR")), "xyz");
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(datiGen))
        files.push_back(entry.path().filename().string());
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files,
              (std::vector<std::string>{"ACCISE.STR", "MATPRIME.STR", "PRAZ.STR", "PROTOCOLLI.STR",
                                        "TA05C.STR", "TA20.STR", "ta03.str"}));
    for (const char* table : {"TA20", "ACCISE", "TA05C", "PROTOCOLLI"})
        EXPECT_EQ(ReadTableStructure(datiGen, table), DefaultStructure(table)) << table;

    const std::string acciseBefore = Content(w.datiGen("ACCISE.STR"));
    EXPECT_TRUE(CreateMissingStructures(datiGen).empty());
    EXPECT_EQ(Content(w.datiGen("ACCISE.STR")), acciseBefore);
}

TEST(DefaultStructures, MakeTheTablesUsable) {
    TempWorkFolder w;
    const fs::path& datiGen = w.folders().datiGen;
    CreateMissingStructures(datiGen);
    InsertTableRecord(TableFile(datiGen, "MATPRIME"), Row("MALTO"));
    InsertTableRecord(TableFile(datiGen, "MATPRIME"), Row("LUPPOLO"));
    EXPECT_EQ(FindByKey(datiGen, "MATPRIME", Row("MALTO")).record.number, 1);
    EXPECT_EQ(Keys(TableFile(datiGen, "MATPRIME")), (std::vector<std::string>{"LUPPOLO", "MALTO"}));
}

}  // namespace
}  // namespace braxol
