// The protocol assigned to a released register: its place in PROTOCOLLI.TAB (an entry of the
// same validity start, within half a day, updated; an earlier start first; a protocol never
// entered twice), its recording on the request and in the table under their lock markers, a
// failed write that leaves both files as they were, and which request a protocol read from an
// outcome goes to.

#include <gtest/gtest.h>

#include "flow_test_support.h"
#include "store/io_error.h"
#include "store/lock.h"
#include "store/movements.h"
#include "store/table_structures.h"
#include "support/failing_writes.h"
#include "telematic/assigned_protocols.h"
#include "telematic/register_requests.h"

namespace braxol {
namespace {

using namespace braxol::test;
using namespace braxol::telematic;

TTABELLA Entry(const std::string& number, double validFrom, int recordNumber = 0,
               double protocolDate = 0) {
    TTABELLA t = BlankTabella();
    t.number = recordNumber;
    t.text[0].set(number);
    t.text[2].set("Ufficio di Aosta");
    t.text[10].set("PROTOCOLLI");
    t.num[0] = protocolDate;
    t.num[1] = validFrom;
    PadTabella(t);
    return t;
}

std::vector<std::string> Numbers(const std::vector<TTABELLA>& table) {
    std::vector<std::string> numbers;
    for (const TTABELLA& t : table)
        numbers.push_back(t.text[0].trimmed() + "#" + std::to_string(t.number));
    return numbers;
}

TEST(AssignedProtocols, PlacedByValidityStart) {
    const double jan = Day(2025, 1, 1);
    const double jul = Day(2025, 7, 1);
    const std::vector<TTABELLA> table = {Entry("100", jan, 1), Entry("200", jul, 2)};
    using N = std::vector<std::string>;
    const struct {
        const char* what;
        TTABELLA entry;
        N numbers;
    } rows[] = {
        {"same start, a few hours later, updates", Entry("300", jul + 0.4), {"100#1", "300#2"}},
        {"same start, a few hours earlier, updates", Entry("300", jul - 0.4), {"100#1", "300#2"}},
        {"more than half a day later is new", Entry("300", jul + 0.6), {"100#1", "200#2", "300#3"}},
        {"earlier than every entry goes first",
         Entry("300", Day(2024, 6, 1)),
         {"300#3", "100#1", "200#2"}},
        {"between two entries", Entry("300", Day(2025, 3, 1)), {"100#1", "300#3", "200#2"}},
        {"a protocol already there is not entered twice",
         Entry("100", Day(2025, 9, 1)),
         {"200#2", "100#1"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        std::vector<TTABELLA> t = table;
        PlaceAssignedProtocol(t, row.entry);
        EXPECT_EQ(Numbers(t), row.numbers);
    }
}

TEST(AssignedProtocols, AnUpdateKeepsTheHeading) {
    std::vector<TTABELLA> table = {Entry("100", Day(2025, 1, 1), 1, Day(2024, 12, 1))};
    TTABELLA entry = Entry("300", Day(2025, 1, 1), 0, Day(2025, 1, 5));
    entry.text[2].set("MOSTO di BIRRA");
    PlaceAssignedProtocol(table, entry);
    ASSERT_EQ(table.size(), 1u);
    EXPECT_EQ(table[0].text[2].trimmed(), "Ufficio di Aosta");
    EXPECT_EQ(table[0].num[0], Day(2025, 1, 5));
}

class RecordingProtocols : public ::testing::Test {
protected:
    TempWorkFolder work;
    ScriptedSeams seams;
    const double start = Day(2025, 4, 1);

    void SetUp() override {
        CreateMissingStructures(work.folders().datiGen);
        TMOVIMENTO release = NewRequest(kReleaseRequest);
        release.DATMOV = start;
        release.INTER1 = 518;
        release.ANNOTA.set("MOSTO di BIRRA");
        release.DATFLU = Day(2025, 3, 20);
        release.NUMFLU = 1;
        AddRequest(work.folders().requestsFile(), release);
        AddRequest(work.folders().requestsFile(), NewRequest(kClosingRequest));
    }
    TMOVIMENTO withProtocol(std::int32_t numope = 1) {
        TMOVIMENTO r = ScanMovements(work.folders().requestsFile()).at(0);
        r.NUMOPE = numope;
        r.DATFLU = Day(2025, 3, 25);
        r.ANNPRO.set("2025");
        r.NUMPRO.set("2025000001");
        return r;
    }
    std::vector<TTABELLA> table() const {
        return ReadRecords<TTABELLA>(ProtocolTableFile(work.folders()), false);
    }
};

TEST_F(RecordingProtocols, TheRequestAndTheTableTakeTheProtocol) {
    ASSERT_TRUE(RecordAssignedProtocol(work.folders(), withProtocol()));
    const auto requests = ScanMovements(work.folders().requestsFile());
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].NUMPRO.trimmed(), "2025000001");
    EXPECT_EQ(requests[0].ANNPRO.trimmed(), "2025");
    EXPECT_EQ(requests[0].DATFLU, Day(2025, 3, 25));
    EXPECT_EQ(requests[0].NUMFLU, 1);
    EXPECT_EQ(requests[1].TIPRIC.str(), "F");
    const auto t = table();
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0].number, 1);
    EXPECT_EQ(t[0].text[0].trimmed(), "2025000001");
    EXPECT_EQ(t[0].num[0], Day(2025, 3, 25));
    EXPECT_EQ(t[0].num[1], start);
    EXPECT_EQ(t[0].text[2].trimmed(), "MOSTO di BIRRA");
    EXPECT_EQ(t[0].text[10].trimmed(), "PROTOCOLLI");
    for (const auto& path : {work.folders().requestsFile(), ProtocolTableFile(work.folders())})
        EXPECT_FALSE(fs::exists(LockMarkerPath(path))) << path;

    // Recorded again (from the menu, after an outcome): still one entry.
    ASSERT_TRUE(RecordAssignedProtocol(work.folders(), withProtocol()));
    EXPECT_EQ(table().size(), 1u);
}

TEST_F(RecordingProtocols, NothingIsWrittenForARequestNoLongerThere) {
    const std::string before = FileBytes(work.folders().requestsFile());
    EXPECT_FALSE(RecordAssignedProtocol(work.folders(), withProtocol(7)));
    EXPECT_EQ(FileBytes(work.folders().requestsFile()), before);
    EXPECT_TRUE(table().empty());
}

TEST_F(RecordingProtocols, AFailedWriteOfTheTableLeavesTheRequestAsItWas) {
    const std::string before = FileBytes(work.folders().requestsFile());
    {
        FailingWrites failing(ProtocolTableFile(work.folders()));
        EXPECT_THROW(RecordAssignedProtocol(work.folders(), withProtocol()), IoError);
        EXPECT_EQ(failing.failures(), 1);
    }
    EXPECT_EQ(FileBytes(work.folders().requestsFile()), before);
    EXPECT_TRUE(table().empty());
    EXPECT_FALSE(fs::exists(LockMarkerPath(work.folders().requestsFile())));
}

TEST(AssignedProtocols, APendingReleaseTakesEachProtocolOnce) {
    auto request = [](int numope, char kind, const char* protocol) {
        TMOVIMENTO r = NewRequest(kind);
        r.NUMOPE = numope;
        r.NUMPRO.set(protocol);
        PadMovement(r);
        return r;
    };
    const std::vector<TMOVIMENTO> requests = {request(1, 'R', "2024000007"), request(2, 'M', ""),
                                              request(3, 'R', ""), request(4, 'R', "")};
    auto captured = [](const char* protocol) {
        TMOVIMENTO r = BlankMovement();
        r.NUMPRO.set(protocol);
        return r;
    };
    const std::vector<TTABELLA> table = {Entry("2023000001", Day(2023, 1, 1), 1)};
    using Offered = std::vector<std::int32_t>;
    EXPECT_EQ(PendingReleaseFor(requests, table, captured("2025000001"), Offered{}), 2u);
    EXPECT_EQ(PendingReleaseFor(requests, table, captured("2025000001"), Offered{3}), 3u);
    EXPECT_EQ(PendingReleaseFor(requests, table, captured("2025000001"), Offered{3, 4}),
              std::nullopt);
    // Named by an outcome again: recorded on a request, or in the table.
    EXPECT_EQ(PendingReleaseFor(requests, table, captured("2024000007"), Offered{}), std::nullopt);
    EXPECT_EQ(PendingReleaseFor(requests, table, captured("2023000001"), Offered{}), std::nullopt);
    EXPECT_EQ(PendingReleaseFor(requests, table, captured(""), Offered{}), std::nullopt);
}

}  // namespace
}  // namespace braxol
