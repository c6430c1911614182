// What the production and wash windows compute and store, without a window: one row per case
// for the figures, the checks and the proposal; the register files read after each save.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "brew_fixture.h"
#include "production/brew_computation.h"
#include "store/io_error.h"
#include "store/lock.h"
#include "store/numbers.h"

namespace braxol {
namespace {

using namespace braxol::production;
using namespace braxol::test;
using namespace braxol::test::brew;

// ---- Figures --------------------------------------------------------------------------------

struct FigureRow {
    const char* exciseCode;
    double litres;
    double plato;
    std::optional<double> rate;
    double typedExcise;
    const char* degrees;  // as DOUBL4 shows them
    const char* excise;   // as DOUBL7 shows it
};

TEST(BrewFigures, ProvinceRules) {
    const FigureRow rows[] = {
        {"IT00MIA00123X", 1000, 12.5, 2.99, 0, "125,00000", "373,75"},
        {"IT00VRA00123X", 1000, 12.5, 2.99, 0, "125,00000", "373,75"},
        {"IT00MIA00123X", 1003, 12.5, 2.99, 0, "125,37500", "374,87"},
        // 125,375 hectolitre-degrees go to 125 in Verona, Gorizia, Bolzano and Pordenone.
        {"IT00VRA00123X", 1003, 12.5, 2.99, 0, "125,00000", "373,75"},
        {"IT00GOA00123X", 1003, 12.5, 2.99, 0, "125,00000", "373,75"},
        {"IT00BZA00123X", 1003, 12.5, 2.99, 0, "125,00000", "373,75"},
        {"IT00PNA00123X", 1003, 12.5, 2.99, 0, "125,00000", "373,75"},
        // In Aosta the excise is the one typed; one warehouse there rounds the degrees too.
        {"IT00AOA12345B", 1003, 12.5, 2.99, 100.5, "125,37500", "100,50"},
        {"IT00AOB00317M", 1003, 12.5, 2.99, 100.5, "125,00000", "100,50"},
        // No rate in force: no excise.
        {"IT00MIA00123X", 1000, 12.5, std::nullopt, 0, "125,00000", "0,00"},
        // Half a cent goes up: 0,125 x 2,5 = 0,3125 -> 0,31; 0,02 x 0,25 = 0,005 -> 0,01.
        {"IT00MIA00123X", 1, 12.5, 2.5, 0, "0,12500", "0,31"},
        {"IT00MIA00123X", 2, 1, 0.25, 0, "0,02000", "0,01"},
        {"", 1000, 12.5, 2.99, 0, "125,00000", "373,75"},
    };
    for (const FigureRow& row : rows) {
        SCOPED_TRACE(std::string(row.exciseCode) + " " + std::to_string(row.litres));
        std::optional<Decimal> rate;
        if (row.rate) rate = Decimal::FromDouble(*row.rate);
        const BrewFigures f =
            ComputeBrew(Decimal::FromDouble(row.litres), Decimal::FromDouble(row.plato),
                        row.exciseCode, rate, Decimal::FromDouble(row.typedExcise));
        EXPECT_EQ(f.hectolitreDegrees.Format(0, 5), row.degrees);
        EXPECT_EQ(f.excise.Format(0, 2), row.excise);
        EXPECT_EQ(f.litres.ToDouble(), row.litres);
        EXPECT_EQ(f.plato.ToDouble(), row.plato);
    }
}

TEST(BrewFigures, Province) {
    EXPECT_EQ(ProvinceOf("IT00VRA00123X"), "VR");
    EXPECT_EQ(ProvinceOf("IT00"), "  ");
    EXPECT_TRUE(ExciseTypedByHand("IT00AOA12345B"));
    EXPECT_FALSE(ExciseTypedByHand("IT00MIA00123X"));
    EXPECT_TRUE(WholeHectolitreDegrees("IT00AOB00317M"));
    EXPECT_FALSE(WholeHectolitreDegrees("IT00AOB00318M"));
}

struct LitreRow {
    int initial;
    int final;
    bool energy;
    double coefficient;
    bool whole;
    const char* shown;  // automatic decimals
};

TEST(BrewFigures, LitresFromTheMeter) {
    const LitreRow rows[] = {
        {5000, 6250, false, 1, false, "1.250"},
        {5000, 6250, false, 2.5, true, "1.250"},  // a litre counter ignores the coefficient
        {1000, 1400, true, 2.5, false, "1.000"},
        {1000, 1400, true, 2.5, true, "1.000"},
        {1000, 1400, true, 2.33333, false, "933,332"},
        {1000, 1400, true, 2.33333, true, "933"},
        {1000, 1001, true, 0.000015, false, "0,00002"},
        {1000, 1003, true, 0.5, true, "2"},  // 1,5 goes up
    };
    for (const LitreRow& row : rows) {
        SCOPED_TRACE(row.shown);
        EXPECT_EQ(LitresFromReadings(row.initial, row.final, row.energy,
                                     Decimal::FromDouble(row.coefficient), row.whole)
                      .Format(),
                  row.shown);
    }
}

// ---- Checks ---------------------------------------------------------------------------------

TEST(BrewChecks, PecTime) {
    const std::pair<const char*, TimeCheck> rows[] = {
        {"10:30", TimeCheck::Ok},        {"00:00", TimeCheck::Ok},
        {"23:59", TimeCheck::Ok},        {" 10:30 ", TimeCheck::Ok},
        {"24:00", TimeCheck::BadHour},   {"29:59", TimeCheck::BadHour},
        {"30:00", TimeCheck::BadFormat}, {"12:60", TimeCheck::BadFormat},
        {"  :  ", TimeCheck::BadFormat}, {"", TimeCheck::BadFormat},
        {"1:30", TimeCheck::BadFormat},  {"ab:cd", TimeCheck::BadFormat},
    };
    for (const auto& [text, expected] : rows) {
        SCOPED_TRACE(text);
        EXPECT_EQ(CheckPecTime(text), expected);
    }
}

TEST(BrewChecks, Ranges) {
    EXPECT_EQ(CheckCoefficient(0), RangeCheck::TooSmall);
    EXPECT_EQ(CheckCoefficient(0.0000009), RangeCheck::TooSmall);
    EXPECT_EQ(CheckCoefficient(0.000001), RangeCheck::Ok);
    EXPECT_EQ(CheckCoefficient(99999.99999), RangeCheck::Ok);
    EXPECT_EQ(CheckCoefficient(100000), RangeCheck::TooLarge);
    EXPECT_EQ(CheckLitres(0), RangeCheck::TooSmall);
    EXPECT_EQ(CheckLitres(-5), RangeCheck::TooSmall);
    EXPECT_EQ(CheckLitres(99999999999.99999), RangeCheck::Ok);
    EXPECT_EQ(CheckLitres(100000000000.0), RangeCheck::TooLarge);
    EXPECT_EQ(CheckPlato(99.99999), RangeCheck::Ok);
    EXPECT_EQ(CheckPlato(100), RangeCheck::TooLarge);
    EXPECT_EQ(CheckPlato(7), RangeCheck::Ok);
    EXPECT_EQ(CheckPlato(6.9), RangeCheck::TooSmall);
    EXPECT_TRUE(ReadingsInOrder(1000, 1001));
    EXPECT_FALSE(ReadingsInOrder(1000, 1000));
    EXPECT_FALSE(ReadingsInOrder(1001, 1000));
}

TEST(BrewChecks, PecDate) {
    const double day = Day(2025, 3, 10);
    EXPECT_TRUE(PecBeforeProduction(day - 1, day));
    EXPECT_TRUE(PecBeforeProduction(day - 0.6, day));  // the day before, evening
    EXPECT_FALSE(PecBeforeProduction(day, day));
    EXPECT_FALSE(PecBeforeProduction(day + 1, day));
    EXPECT_EQ(DayBefore(day), Day(2025, 3, 9));
}

// ---- Tables ---------------------------------------------------------------------------------

using BrewTables = BrewTest;

TEST_F(BrewTables, ProtocolInForceAtADate) {
    AddProtocol(work.folders(), "P2-LUNGO-NUMERO", Day(2025, 6, 20), Day(2025, 7, 1));
    EXPECT_FALSE(ProtocolInForce(work.folders().datiGen, Day(2023, 12, 31)));
    const auto first = ProtocolInForce(work.folders().datiGen, Day(2024, 1, 1));
    ASSERT_TRUE(first);
    EXPECT_EQ(first->number, "123");
    EXPECT_EQ(first->year, "2024");
    EXPECT_EQ(ProtocolReference(*first), "prot. 123/2024");
    EXPECT_EQ(ProtocolInForce(work.folders().datiGen, Day(2025, 6, 30))->number, "123");
    const auto second = ProtocolInForce(work.folders().datiGen, Day(2025, 7, 1));
    ASSERT_TRUE(second);
    EXPECT_EQ(second->number, "P2-LUNGO-N");  // ten characters
    EXPECT_EQ(second->year, "2025");
}

TEST_F(BrewTables, NoProtocolTable) {
    fs::remove(TableFile(work.folders().datiGen, "PROTOCOLLI"));
    EXPECT_FALSE(ProtocolInForce(work.folders().datiGen, Day(2025, 3, 1)));
    EXPECT_FALSE(fs::exists(TableFile(work.folders().datiGen, "PROTOCOLLI")));
}

TEST_F(BrewTables, ExciseRateInForce) {
    AddRate(work.folders(), Day(2025, 1, 1), 3.10);
    AddRate(work.folders(), Day(2025, 6, 1), 0.0005);  // not a rate
    EXPECT_FALSE(ExciseRateInForce(work.folders().datiGen, Day(2019, 12, 31)));
    EXPECT_DOUBLE_EQ(*ExciseRateInForce(work.folders().datiGen, Day(2024, 12, 31)), 2.99);
    EXPECT_DOUBLE_EQ(*ExciseRateInForce(work.folders().datiGen, Day(2025, 1, 1)), 3.10);
    EXPECT_FALSE(ExciseRateInForce(work.folders().datiGen, Day(2025, 6, 1)));
}

TEST_F(BrewTables, BeerTypeAndProductCode) {
    BeerType b = LookUpBeerType(work.folders().datiGen, "BIONDA");
    EXPECT_EQ(b.status, BeerType::Status::Found);
    EXPECT_EQ(b.productCode, kBeerCode);  // as stored, leading blanks kept
    EXPECT_EQ(b.plato, 12.5);
    EXPECT_EQ(LookUpBeerType(work.folders().datiGen, "BIONDA   ").status, BeerType::Status::Found);
    // The case of letters does not count; the type comes back as the table holds it.
    EXPECT_EQ(LookUpBeerType(work.folders().datiGen, "bionda").type, "BIONDA");
    EXPECT_EQ(LookUpBeerType(work.folders().datiGen, "bionde").status,
              BeerType::Status::UnknownType);
    AddBeerType(work.folders(), "SCURA", "9999-99999999-  -    ", 1, 0);
    EXPECT_EQ(LookUpBeerType(work.folders().datiGen, "SCURA").status,
              BeerType::Status::NoProductCode);
    fs::remove(StructureFile(work.folders().datiGen, "PRAZ"));
    EXPECT_EQ(LookUpBeerType(work.folders().datiGen, "BIONDA").status,
              BeerType::Status::NoStructure);
}

TEST_F(BrewTables, WashProductCode) {
    const fs::path file = work.datiGen("CODLAVAGGI.TXT");
    EXPECT_EQ(WashProductCode(work.folders().datiGen), "22021000");
    EXPECT_EQ(FileBytes(file), "22021000\r\n");
    WriteFileBytes(file, "3824999 \r\nSECONDA\r\n");
    EXPECT_EQ(WashProductCode(work.folders().datiGen), "3824999 ");
    EXPECT_EQ(FileBytes(file), "3824999 \r\nSECONDA\r\n");
    WriteFileBytes(file, "");
    EXPECT_EQ(WashProductCode(work.folders().datiGen), "");
    EXPECT_EQ(FileBytes(file), "");
}

// ---- Proposal -------------------------------------------------------------------------------

using BrewProposal = BrewTest;

TEST_F(BrewProposal, LastEarlierRecordOfTheYear) {
    WriteMovements(Register(), {StoredBrew(1, Day(2025, 1, 5), 1000, 2000),
                                StoredWash(2, Day(2025, 1, 10), 2000, 2050),
                                StoredBrew(3, Day(2025, 1, 15), 2050, 3000)});
    EXPECT_EQ(ProposedInitialReading(work.folders().registri, Day(2025, 1, 8)), 2000);
    // A wash counts like a production, also on the same day.
    EXPECT_EQ(ProposedInitialReading(work.folders().registri, Day(2025, 1, 10)), 2050);
    EXPECT_EQ(ProposedInitialReading(work.folders().registri, Day(2025, 3, 1)), 3000);
}

TEST_F(BrewProposal, CancelledAndCancellationRecordsDoNotCount) {
    WriteMovements(Register(), {StoredBrew(1, Day(2025, 1, 5), 1000, 2000),
                                Stored(Production(Day(2025, 1, 6), 2000, 2500), 2, 2, "C"),
                                Stored(Production(Day(2025, 1, 6), 2000, 2500), 3, 2, " ", "C")});
    EXPECT_EQ(ProposedInitialReading(work.folders().registri, Day(2025, 1, 8)), 2000);
}

TEST_F(BrewProposal, FromThePreviousYear) {
    WriteMovements(Register(2024), {StoredBrew(1, Day(2024, 12, 10), 1000, 1400),
                                    StoredWash(2, Day(2024, 12, 20), 1400, 1450)});
    EXPECT_EQ(ProposedInitialReading(work.folders().registri, Day(2025, 1, 10)), 1450);
    // This year's register did not exist: scanning it created it empty.
    EXPECT_TRUE(fs::exists(Register(2025)));
    EXPECT_EQ(fs::file_size(Register(2025)), 0u);
    // A record of this year with a final reading of 0 sends the proposal there too.
    WriteMovements(Register(), {StoredWash(1, Day(2025, 1, 2), 0, 0)});
    EXPECT_EQ(ProposedInitialReading(work.folders().registri, Day(2025, 1, 10)), 1450);
    // Later records of this year are not "before".
    WriteMovements(Register(), {StoredBrew(1, Day(2025, 2, 2), 5000, 6000)});
    EXPECT_EQ(ProposedInitialReading(work.folders().registri, Day(2025, 1, 10)), 1450);
}

TEST_F(BrewProposal, NothingToPropose) {
    EXPECT_EQ(ProposedInitialReading(work.folders().registri, Day(2025, 1, 10)), std::nullopt);
    WriteMovements(Register(2024), {StoredWash(1, Day(2024, 12, 20), 0, 0)});
    EXPECT_EQ(ProposedInitialReading(work.folders().registri, Day(2025, 1, 10)), std::nullopt);
}

TEST_F(BrewProposal, DamagedRegisterIsReported) {
    WriteFileBytes(Register(), std::string(100, 'x'));
    EXPECT_THROW(ProposedInitialReading(work.folders().registri, Day(2025, 1, 10)),
                 DamagedFileError);
    EXPECT_EQ(FileBytes(Register()), std::string(100, 'x'));
}

// ---- Duplicates -----------------------------------------------------------------------------

TEST(BrewDuplicates, SameProductionAndWash) {
    const double day = Day(2025, 3, 10);
    const TMOVIMENTO stored = StoredBrew(4, day, 1000, 2000);
    TMOVIMENTO composed = stored;
    composed.NUMOPE = 0;
    composed.INTER1 = 1;  // readings do not identify a production
    const std::vector<TMOVIMENTO> records{stored};
    EXPECT_TRUE(HasDuplicateIn(records, composed, 0));
    EXPECT_FALSE(HasDuplicateIn(records, composed, 4));  // the record being changed
    struct Change {
        const char* what;
        void (*apply)(TMOVIMENTO&);
    };
    const Change changes[] = {
        {"DATMOV", [](TMOVIMENTO& r) { r.DATMOV += 1; }},
        {"NUMDOC", [](TMOVIMENTO& r) { r.NUMDOC.set("8"); }},
        {"DATDOC", [](TMOVIMENTO& r) { r.DATDOC += 1; }},
        {"DATPEC", [](TMOVIMENTO& r) { r.DATPEC -= 1; }},
        {"MITDES", [](TMOVIMENTO& r) { r.MITDES.set("08:31"); }},
        {"TIPRIC", [](TMOVIMENTO& r) { r.TIPRIC.set("C"); }},
        {"LITPRO", [](TMOVIMENTO& r) { r.LITPRO += 0.00001; }},
        {"GRAPLA", [](TMOVIMENTO& r) { r.GRAPLA += 0.00001; }},
    };
    for (const Change& c : changes) {
        SCOPED_TRACE(c.what);
        TMOVIMENTO other = composed;
        c.apply(other);
        PadMovement(other);
        EXPECT_FALSE(HasDuplicateIn(records, other, 0));
    }
    TMOVIMENTO cancelled = stored;
    cancelled.STATO.set("C");
    EXPECT_FALSE(HasDuplicateIn(std::vector<TMOVIMENTO>{cancelled}, composed, 0));

    const TMOVIMENTO wash = StoredWash(5, day, 2000, 2050);
    TMOVIMENTO again = wash;
    again.NUMOPE = 0;
    again.ANNOTA.set("altra nota");
    PadMovement(again);
    EXPECT_TRUE(HasDuplicateIn(std::vector<TMOVIMENTO>{stored, wash}, again, 0));
    again.INTER2 = 2051;
    EXPECT_FALSE(HasDuplicateIn(std::vector<TMOVIMENTO>{stored, wash}, again, 0));
}

// ---- Save -----------------------------------------------------------------------------------

class BrewSave : public BrewTest {
protected:
    TMOVIMENTO Composed(const TMOVIMENTO& r) { return StartRecord(EntryMode::Change, r); }
    std::vector<int> NumbersOf(int year = 2025) { return Numbers(Read(year)); }
    std::vector<int> ReadingsOf(int year = 2025) {
        std::vector<int> readings;
        for (const auto& r : Read(year)) readings.push_back(r.INTER1);
        return readings;
    }
};

TEST_F(BrewSave, NewEntriesFollowTheMeterWithinADay) {
    const double day = Day(2025, 3, 10);
    const fs::path& registri = work.folders().registri;
    SaveEntry(registri, EntryMode::New, BlankMovement(), Composed(StoredBrew(0, day, 1000, 1400)));
    // Entered later, read earlier: it goes before.
    SaveEntry(registri, EntryMode::New, BlankMovement(), Composed(StoredBrew(0, day, 600, 1000)));
    SaveEntry(registri, EntryMode::New, BlankMovement(), Composed(StoredBrew(0, day, 1450, 1800)));
    // A wash between the productions of the day.
    const auto wash = SaveEntry(registri, EntryMode::New, BlankMovement(),
                                Composed(StoredWash(0, day, 1400, 1450)));
    ASSERT_EQ(wash.size(), 1u);
    EXPECT_EQ(wash[0].NUMOPE, 4);
    EXPECT_EQ(wash[0].PROGRE, 4);
    // A production of the day before goes first.
    SaveEntry(registri, EntryMode::New, BlankMovement(),
              Composed(StoredBrew(0, day - 1, 100, 600)));
    EXPECT_EQ(ReadingsOf(), (std::vector<int>{100, 600, 1000, 1400, 1450}));
    EXPECT_EQ(NumbersOf(), (std::vector<int>{5, 2, 1, 4, 3}));
}

TEST_F(BrewSave, ChangeWithinTheYearKeepsTheProgressive) {
    const double day = Day(2025, 3, 10);
    WriteMovements(Register(), {StoredBrew(1, day, 1000, 1400), StoredBrew(2, day + 1, 1400, 1800),
                                StoredBrew(3, day + 2, 1800, 2000)});
    const TMOVIMENTO chosen = Read()[1];
    TMOVIMENTO changed = Composed(chosen);
    changed.DATMOV = day + 5;
    changed.NUMDOC.set("9");
    const auto written = SaveEntry(work.folders().registri, EntryMode::Change, chosen, changed);
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(NumbersOf(), (std::vector<int>{1, 3, 4}));
    EXPECT_EQ(Read()[2].PROGRE, 2);
    EXPECT_EQ(Read()[2].NUMDOC.trimmed(), "9");
}

TEST_F(BrewSave, ChangeToAnotherYearKeepsTheProgressive) {
    WriteMovements(Register(2024), {StoredBrew(1, Day(2024, 12, 1), 500, 800),
                                    StoredBrew(2, Day(2024, 12, 20), 800, 1000)});
    WriteMovements(Register(), {StoredBrew(1, Day(2025, 1, 8), 1000, 1400),
                                StoredBrew(2, Day(2025, 1, 9), 1400, 1800),
                                StoredBrew(3, Day(2025, 1, 10), 1800, 2000)});
    const TMOVIMENTO chosen = Read()[1];
    TMOVIMENTO changed = Composed(chosen);
    changed.DATMOV = Day(2024, 12, 31);
    changed.DATDOC = changed.DATMOV;
    SaveEntry(work.folders().registri, EntryMode::Change, chosen, changed);
    EXPECT_EQ(NumbersOf(2025), (std::vector<int>{1, 3}));
    const auto last = Read(2024);
    ASSERT_EQ(last.size(), 3u);
    EXPECT_EQ(last[2].NUMOPE, 3);
    EXPECT_EQ(last[2].PROGRE, 2);
    EXPECT_EQ(last[2].DATMOV, Day(2024, 12, 31));
}

class BrewRectify : public BrewSave {
protected:
    // Twenty sent productions numbered 1..20, the one numbered 7 in the third place.
    void SetUp() override {
        BrewSave::SetUp();
        std::vector<TMOVIMENTO> records;
        std::vector<int> order{1, 2, 7, 3, 4, 5, 6};
        for (int n = 8; n <= 20; ++n) order.push_back(n);
        int reading = 1000;
        for (int n : order) {
            records.push_back(
                SentOn(StoredBrew(n, Day(2025, 2, 1) + records.size(), reading, reading + 100),
                       Day(2025, 3, 1), 1));
            reading += 100;
        }
        records[2].PROGRE = 33;
        WriteMovements(Register(), records);
    }
    TMOVIMENTO Chosen() {
        TMOVIMENTO r = Read()[2];
        TrimMovement(r);
        return r;
    }
};

TEST_F(BrewRectify, CancelAddsTheCancellationRightAfter) {
    TMOVIMENTO composed = Composed(Chosen());
    composed.ANNOTA.set("errore di lettura");
    const auto written =
        SaveEntry(work.folders().registri, EntryMode::RectifyCancel, Chosen(), composed);
    ASSERT_EQ(written.size(), 1u);
    const auto records = Read();
    ASSERT_EQ(records.size(), 21u);
    EXPECT_EQ(records[2].NUMOPE, 7);
    EXPECT_EQ(records[2].STATO.str(), "C");
    EXPECT_EQ(records[2].ANNOTA.trimmed(), "errore di lettura");
    EXPECT_EQ(records[2].NUMFLU, 1);
    const TMOVIMENTO& c = records[3];
    EXPECT_EQ(c.NUMOPE, 21);
    EXPECT_EQ(c.RIFOPE, 7);
    EXPECT_EQ(c.TIPRIC.str(), "C");
    EXPECT_EQ(c.STATO.str(), " ");
    EXPECT_EQ(c.NUMFLU, 0);
    EXPECT_EQ(c.DATFLU, 0);
    EXPECT_EQ(c.PROGRE, 33);
    EXPECT_EQ(c.ANNOTA.trimmed(), "errore di lettura");
    EXPECT_EQ(records[4].NUMOPE, 3);
    EXPECT_TRUE(SameBytes(written[0], c));
}

TEST_F(BrewRectify, ChangeAddsCancellationAndReplacement) {
    TMOVIMENTO composed = Composed(Chosen());
    composed.ANNOTA.set("litri corretti");
    composed.LITPRO = 95;
    composed.NUMFLU = 1;                // a copy that kept its flow still waits for the next one
    composed.DATMOV = Day(2026, 1, 2);  // stays in the register of the rectified record
    const auto written =
        SaveEntry(work.folders().registri, EntryMode::RectifyChange, Chosen(), composed);
    ASSERT_EQ(written.size(), 2u);
    const auto records = Read();
    ASSERT_EQ(records.size(), 22u);
    EXPECT_EQ(Numbers(records)[2], 7);
    EXPECT_EQ(records[3].NUMOPE, 21);
    EXPECT_EQ(records[3].TIPRIC.str(), "C");
    const TMOVIMENTO& r = records[4];
    EXPECT_EQ(r.NUMOPE, 22);
    EXPECT_EQ(r.RIFOPE, 7);
    EXPECT_EQ(r.STATO.str(), "R");
    EXPECT_EQ(r.TIPRIC.str(), "I");
    EXPECT_EQ(r.PROGRE, 33);
    EXPECT_EQ(r.LITPRO, 95);
    EXPECT_EQ(r.NUMFLU, 0);
    EXPECT_EQ(records[5].NUMOPE, 3);
    EXPECT_FALSE(fs::exists(Register(2026)));
}

TEST_F(BrewRectify, MissingTargetWritesNothing) {
    const std::string before = FileBytes(Register());
    TMOVIMENTO gone = Chosen();
    gone.NUMOPE = 99;
    EXPECT_TRUE(
        SaveEntry(work.folders().registri, EntryMode::RectifyCancel, gone, Composed(gone)).empty());
    EXPECT_EQ(FileBytes(Register()), before);
}

TEST_F(BrewSave, DamagedRegisterIsNeverWritten) {
    WriteFileBytes(Register(), std::string(700, 'x'));
    EXPECT_THROW(SaveEntry(work.folders().registri, EntryMode::New, BlankMovement(),
                           Composed(StoredBrew(0, Day(2025, 3, 1), 1, 2))),
                 DamagedFileError);
    EXPECT_EQ(FileBytes(Register()), std::string(700, 'x'));
    EXPECT_FALSE(fs::exists(LockMarkerPath(Register())));
}

}  // namespace
}  // namespace braxol
