// The tax periods without a window, one row per case: codes and descriptions, first and last
// days, the proposal of the next period, the record of a period, the period total over the
// production register with its working file RIEP.DAT, and the last period of the reminder.

#include <optional>
#include <string>
#include <vector>

#include "store/numbers.h"
#include "tributes/period_total.h"
#include "tributes/periods.h"
#include "tributes/reminder.h"
#include "tributes/tribute_records.h"
#include "tributes_test_support.h"

namespace braxol {
namespace {

using namespace braxol::test;
using namespace braxol::tributes;

TEST(TaxPeriods, CodesOfTheTypedNumbers) {
    struct Row {
        const char* typed;
        std::optional<std::string> code;
    };
    const Row rows[] = {{"1", "01"},   {"3", "03"}, {"03", "03"}, {"11", "11"}, {"12", {}},
                        {"00", {}},    {"23", {}},  {"21", "21"}, {"22", "22"}, {"", {}},
                        {"223", "22"}, {"20", {}},  {"0", {}},    {"13", {}},   {"9", "09"}};
    for (const Row& row : rows)
        EXPECT_EQ(PeriodCodeFromText(row.typed), row.code) << "typed " << row.typed;
}

TEST(TaxPeriods, Descriptions) {
    struct Row {
        const char* code;
        const char* description;
    };
    const Row rows[] = {{"01", "Gennaio - 2015"},
                        {"02", "Febbraio - 2015"},
                        {"03", "Marzo - 2015"},
                        {"09", "Settembre - 2015"},
                        {"11", "Novembre - 2015"},
                        {"21", "1^ quindicina di dicembre - 2015"},
                        {"22", "2^ quindicina di dicembre - 2015"}};
    for (const Row& row : rows) EXPECT_EQ(PeriodDescription(row.code, "2015"), row.description);
    EXPECT_EQ(PeriodName("12"), "");
    EXPECT_EQ(PeriodName("3"), "");
}

TEST(TaxPeriods, FirstAndLastDays) {
    struct Row {
        const char* code;
        int year;
        double first;
        double last;
    };
    const Row rows[] = {{"01", 2015, Day(2015, 1, 1), Day(2015, 1, 31)},
                        {"02", 2015, Day(2015, 2, 1), Day(2015, 2, 28)},
                        {"02", 2016, Day(2016, 2, 1), Day(2016, 2, 29)},
                        {"04", 2015, Day(2015, 4, 1), Day(2015, 4, 30)},
                        {"11", 2015, Day(2015, 11, 1), Day(2015, 11, 30)},
                        {"21", 2015, Day(2015, 12, 1), Day(2015, 12, 15)},
                        {"22", 2015, Day(2015, 12, 16), Day(2015, 12, 31)}};
    for (const Row& row : rows) {
        const auto days = PeriodBounds(row.code, row.year);
        ASSERT_TRUE(days.has_value()) << row.code;
        EXPECT_EQ(days->first, row.first) << row.code << "/" << row.year;
        EXPECT_EQ(days->last, row.last) << row.code << "/" << row.year;
    }
    EXPECT_FALSE(PeriodBounds("12", 2015).has_value());
}

TMOVIMENTO E(std::string_view period, int numope, std::string_view stato = " ",
             std::string_view tipric = "I", int numflu = 0) {
    return StoredTribute("E", period, 2015, 100, numope, numflu, numflu ? Day(2015, 4, 2) : 0,
                         stato, tipric);
}
TMOVIMENTO R(std::string_view period, int numope) {
    return StoredTribute("R", period, 2015, 100, numope);
}

TEST(TaxPeriods, ProposalOfTheNextPeriod) {
    struct Row {
        const char* what;
        std::vector<TMOVIMENTO> tributes;
        const char* proposal;
    };
    const Row rows[] = {
        {"no record E", {}, "01"},
        {"only records R", {R("04", 1)}, "01"},
        {"01 and 02", {E("01", 1), E("02", 2)}, "03"},
        {"after 09", {E("09", 1)}, "10"},
        {"after 11", {E("01", 1), E("11", 2)}, "21"},
        {"after 21", {E("21", 1)}, "22"},
        {"after 22", {E("21", 1), E("22", 2)}, "22"},
        {"a superseded last record", {E("02", 1), E("03", 2, "C")}, "03"},
        {"a cancellation last", {E("02", 1), E("03", 2, "C"), E("03", 3, " ", "C")}, "03"},
        {"a replacing record last", {E("02", 1, "C"), E("02", 2, " ", "C"), E("02", 3, "R")}, "03"},
        {"a record R after the last E", {E("05", 1), R("07", 2)}, "06"},
        {"sent records count", {E("06", 1, " ", "I", 3)}, "07"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(ProposeNextPeriod(row.tributes), row.proposal) << row.what;
}

TEST(TaxPeriods, RecordOfAPeriod) {
    const std::vector<TMOVIMENTO> file = {
        E("02", 1, "C", "I", 4), E("02", 2, " ", "C"), E("02", 3, "R"),
        E("03", 4, " ", "I", 5), R("04", 5),           E("05", 6, "C"),
        E("05", 7, " ", "C")};
    struct Row {
        const char* kind;
        const char* code;
        PeriodStatus status;
        int numope;
    };
    const Row rows[] = {{"E", "02", PeriodStatus::Unsent, 3}, {"E", "03", PeriodStatus::Sent, 4},
                        {"E", "04", PeriodStatus::Free, 0},   {"R", "04", PeriodStatus::Unsent, 5},
                        {"R", "03", PeriodStatus::Free, 0},   {"E", "05", PeriodStatus::Free, 0},
                        {"E", "01", PeriodStatus::Free, 0}};
    for (const Row& row : rows) {
        const PeriodRecord found = FindPeriodRecord(file, row.kind, row.code);
        EXPECT_EQ(found.status, row.status) << row.kind << " " << row.code;
        EXPECT_EQ(found.record.NUMOPE, row.numope) << row.kind << " " << row.code;
    }
}

class PeriodTotals : public TributesTest {};

// Which register records count in the total of March 2015, one row each.
TEST_F(PeriodTotals, CountedRecords) {
    WriteUsualRates();
    struct Row {
        const char* what;
        TMOVIMENTO record;
        bool counts;
    };
    const Row rows[] = {
        {"a production", ProductionWith(Day(2015, 3, 10), 30.4, 12.5, 80), true},
        {"on the first day", ProductionWith(Day(2015, 3, 1), 30.4, 12.5, 80), true},
        {"on the last day", ProductionWith(Day(2015, 3, 31), 30.4, 12.5, 80), true},
        {"the day before", ProductionWith(Day(2015, 2, 28), 30.4, 12.5, 80), false},
        {"the day after", ProductionWith(Day(2015, 4, 1), 30.4, 12.5, 80), false},
        {"superseded", ProductionWith(Day(2015, 3, 10), 30.4, 12.5, 80, "C"), false},
        {"a cancellation", ProductionWith(Day(2015, 3, 10), 30.4, 12.5, 80, " ", "C"), false},
        {"a replacing record", ProductionWith(Day(2015, 3, 10), 30.4, 12.5, 80, "R"), true},
        {"a wash", Stored(Wash(Day(2015, 3, 10), 1000, 1010), 1, 1), false},
    };
    for (const Row& row : rows) {
        WriteRgm(2015, {row.record});
        const PeriodTotal total = ComputePeriodTotal(folders(), 2015, "03");
        EXPECT_EQ(total.counted, row.counts ? 1 : 0) << row.what;
        EXPECT_DOUBLE_EQ(total.total.ToDouble(), row.counts ? 30.4 : 0.0) << row.what;
    }
}

// A register with a rectified production, a wash, and three productions of two (Plato, rate)
// pairs: the total and RIEP.DAT.
TEST_F(PeriodTotals, TotalAndWorkingFile) {
    WriteUsualRates();
    WriteRgm(2015, {
                       ProductionWith(Day(2015, 3, 2), 30.40, 12.5, 80),
                       Stored(Wash(Day(2015, 3, 3), 1080, 1085), 2, 2),
                       ProductionWith(Day(2015, 3, 5), 50.00, 14.0, 120, "C"),
                       ProductionWith(Day(2015, 3, 5), 50.00, 14.0, 120, " ", "C"),
                       ProductionWith(Day(2015, 3, 5), 45.60, 14.0, 107, "R"),
                       ProductionWith(Day(2015, 3, 20), 19.00, 12.5, 50),
                       ProductionWith(Day(2015, 4, 2), 99.00, 12.5, 200),
                   });
    const PeriodTotal total = ComputePeriodTotal(folders(), 2015, "03");
    EXPECT_EQ(total.counted, 3);
    EXPECT_DOUBLE_EQ(total.total.Rounded(2).ToDouble(), 95.0);
    const auto summary = ReadRecords<TMOVIMENTO>(folders().inTemp("RIEP.DAT"), false);
    ASSERT_EQ(summary.size(), 2u);
    EXPECT_DOUBLE_EQ(summary[0].GRAPLA, 12.5);
    EXPECT_DOUBLE_EQ(summary[0].ACCISA, 3.04);
    EXPECT_DOUBLE_EQ(summary[0].LITPRO, 130);
    EXPECT_EQ(summary[0].DATMOV, Day(2015, 3, 2));
    EXPECT_DOUBLE_EQ(summary[1].GRAPLA, 14.0);
    EXPECT_DOUBLE_EQ(summary[1].ACCISA, 3.04);
    EXPECT_DOUBLE_EQ(summary[1].LITPRO, 107);
    EXPECT_TRUE(summary[1].STATO == "R");
}

// Productions on both sides of a change of rate make two records of the same Plato; a day
// without a rate in force keeps the production's own excise.
TEST_F(PeriodTotals, RatesInForceSplitTheWorkingFile) {
    WriteRates({RateRecord(1, Day(2015, 3, 10), 3.04), RateRecord(2, Day(2015, 3, 20), 2.99)});
    WriteRgm(2015, {ProductionWith(Day(2015, 3, 5), 7.5, 12.5, 20),
                    ProductionWith(Day(2015, 3, 12), 30.4, 12.5, 80),
                    ProductionWith(Day(2015, 3, 25), 29.9, 12.5, 80),
                    ProductionWith(Day(2015, 3, 26), 29.9, 12.500001, 80)});
    const PeriodTotal total = ComputePeriodTotal(folders(), 2015, "03");
    EXPECT_DOUBLE_EQ(total.total.Rounded(2).ToDouble(), 97.7);
    ASSERT_EQ(total.summary.size(), 3u);
    EXPECT_DOUBLE_EQ(total.summary[0].ACCISA, 7.5);
    EXPECT_DOUBLE_EQ(total.summary[1].ACCISA, 3.04);
    EXPECT_DOUBLE_EQ(total.summary[2].ACCISA, 2.99);
    EXPECT_DOUBLE_EQ(total.summary[2].LITPRO, 160);
}

TEST_F(PeriodTotals, DecemberHalvesAndEmptyPeriods) {
    WriteUsualRates();
    WriteRgm(2015, {ProductionWith(Day(2015, 12, 15), 10, 12.5, 30),
                    ProductionWith(Day(2015, 12, 16), 20, 12.5, 60)});
    EXPECT_DOUBLE_EQ(ComputePeriodTotal(folders(), 2015, "21").total.ToDouble(), 10);
    EXPECT_DOUBLE_EQ(ComputePeriodTotal(folders(), 2015, "22").total.ToDouble(), 20);
    const PeriodTotal none = ComputePeriodTotal(folders(), 2015, "05");
    EXPECT_TRUE(none.total.IsZero());
    EXPECT_TRUE(none.summary.empty());
    EXPECT_EQ(FileBytes(folders().inTemp("RIEP.DAT")), "");
    // A missing register is created empty.
    EXPECT_TRUE(ComputePeriodTotal(folders(), 2016, "01").total.IsZero());
    EXPECT_TRUE(fs::exists(RgmFile(2016)));
}

TEST_F(PeriodTotals, DamagedRegisterIsReportedAndNotWritten) {
    WriteFileBytes(RgmFile(2015), std::string(700, 'x'));
    WriteFileBytes(folders().inTemp("RIEP.DAT"), "");
    EXPECT_THROW(ComputePeriodTotal(folders(), 2015, "03"), DamagedFileError);
    EXPECT_EQ(FileBytes(RgmFile(2015)), std::string(700, 'x'));
}

// A register holding an excise beyond any period (only a damaged or foreign file does) cannot
// be totalled: the error names it, and the working file is not rewritten.
TEST_F(PeriodTotals, FiguresBeyondAnyPeriodAreReported) {
    WriteUsualRates();
    WriteRgm(2015, {ProductionWith(Day(2015, 3, 2), 1e15, 12.5, 80)});
    WriteFileBytes(folders().inTemp("RIEP.DAT"), "before");
    try {
        ComputePeriodTotal(folders(), 2015, "03");
        ADD_FAILURE() << "no error";
    } catch (const IoError& e) {
        EXPECT_EQ(e.path(), RgmFile(2015).string());
        EXPECT_EQ(e.reason(), "importi troppo grandi per il calcolo");
    }
    EXPECT_EQ(FileBytes(folders().inTemp("RIEP.DAT")), "before");
}

TEST(RecordComposition, CorrectionAmountsAreKeptWithTwoDecimals) {
    CorrectionEntry e;
    e.year = "2015";
    e.period = "04";
    e.chapter = "1402";
    e.amounts = {"1.234,567", "-10", "33,333", "", "0,5", "12,345"};
    e.days = "-5";
    e.paymentDate = Day(2015, 6, 1);
    e.note = std::string(300, 'n');
    const TMOVIMENTO r = ComposeCorrection(e);
    EXPECT_DOUBLE_EQ(r.QUANTI, 1234.57);
    EXPECT_DOUBLE_EQ(r.COERES, -10);
    EXPECT_DOUBLE_EQ(r.LITPRO, 33.33);
    EXPECT_DOUBLE_EQ(r.ETTOGR, 0);
    EXPECT_DOUBLE_EQ(r.GRAPLA, 0.5);
    EXPECT_DOUBLE_EQ(r.DATPEC, 12.35);
    EXPECT_EQ(r.INTER1, -5);
    EXPECT_EQ(r.DATDOC, Day(2015, 6, 1));
    EXPECT_EQ(r.DATMOV, 0);
    EXPECT_EQ(r.TIPREC.padded(), "R");
    EXPECT_EQ(r.TIPRIC.padded(), "I");
    EXPECT_EQ(r.ANNPRO.padded(), "2015");
    EXPECT_EQ(r.CODPAE.padded(), "04");
    EXPECT_EQ(r.ANNOTA.str(), std::string(250, 'n'));
    EXPECT_EQ(r.MITDES.str(), "1402            ");
    EXPECT_EQ(r.CODACC.str(), "   ");
}

TEST(RecordComposition, ExciseAmounts) {
    struct Row {
        const char* typed;
        double amount;
    };
    const Row rows[] = {{"", 0},         {"0", 0},   {"1.234,56", 1234.56}, {"33,333", 33.33},
                        {"2,345", 2.35}, {"-5", -5}, {"12.5", 125}};
    for (const Row& row : rows) EXPECT_DOUBLE_EQ(ExciseAmount(row.typed), row.amount) << row.typed;
}

TEST(Reminder, LastTaxPeriodOfTheDay) {
    struct Row {
        int y, m, d;
        std::optional<std::string> code;
        int year;
        double end;
    };
    const Row rows[] = {
        {2025, 3, 4, {}, 0, 0},
        {2025, 3, 1, {}, 0, 0},
        {2025, 3, 5, "02", 2025, Day(2025, 2, 28)},
        {2024, 3, 5, "02", 2024, Day(2024, 2, 28)},
        {2025, 1, 10, "22", 2024, Day(2024, 12, 31)},
        {2025, 12, 20, "21", 2025, Day(2025, 12, 16)},
        {2025, 12, 10, "11", 2025, Day(2025, 11, 30)},
        {2025, 12, 15, "11", 2025, Day(2025, 11, 30)},
        {2025, 12, 16, "21", 2025, Day(2025, 12, 16)},
        {2025, 5, 31, "04", 2025, Day(2025, 4, 30)},
        {2025, 8, 5, "07", 2025, Day(2025, 7, 31)},
    };
    for (const Row& row : rows) {
        const auto period = LastTaxPeriod(row.y, row.m, row.d);
        const std::string day = std::to_string(row.d) + "/" + std::to_string(row.m);
        ASSERT_EQ(period.has_value(), row.code.has_value()) << day;
        if (!period) continue;
        EXPECT_EQ(period->code, *row.code) << day;
        EXPECT_EQ(period->year, row.year) << day;
        EXPECT_EQ(period->endDate, row.end) << day;
    }
}

}  // namespace
}  // namespace braxol
