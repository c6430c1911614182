// The request flows without a window: the line of each request kind, the summary, the texts
// kept on their line, the renunciation's kind; and the training service's check of what the
// program writes, with the faults it finds on their line.

#include <gtest/gtest.h>

#include "flow_test_support.h"
#include "sim_flow_check.h"
#include "telematic/register_requests.h"
#include "telematic/request_flow_file.h"

namespace braxol {
namespace {

using namespace braxol::test;
using namespace braxol::telematic;

// A stored request of this kind for the register with protocol 2025/2025000001.
TMOVIMENTO Request(char kind, int numope = 1) {
    TMOVIMENTO r = NewRequest(kind);
    r.NUMOPE = numope;
    r.DATMOV = Day(2025, 4, 1);
    r.INTER1 = 518;
    r.ANNOTA.set("MOSTO di BIRRA");
    if (kind != kReleaseRequest) {
        r.ANNPRO.set("2025");
        r.NUMPRO.set("2025000001");
        r.DATFLU = Day(2025, 3, 25);
    }
    PadMovement(r);
    return r;
}

// The values after the key and its TAB, each followed by a TAB.
std::vector<std::string> ValuesOf(const std::string& line) {
    std::vector<std::string> values;
    std::size_t start = 22;
    for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
        values.push_back(line.substr(start, tab - start));
    EXPECT_EQ(start, line.size()) << "the last value is followed by a TAB";
    return values;
}

TEST(RequestFlowFile, EachKindCarriesItsColumns) {
    using V = std::vector<std::string>;
    const struct {
        char kind;
        V values;
    } rows[] = {
        {'R', {"F", "", "", "MOSTO di BIRRA", "20250401", "S", "518"}},
        {'M', {"", "2025", "2025000001", "MOSTO di BIRRA", "20250401", "", "518"}},
        {'F', {"", "2025", "2025000001", "", "", "", ""}},
        {'A', {"", "2025", "2025000001", "", "", "", ""}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.kind);
        const std::string line = RequestDetailLine(GoldenCompany(), Request(row.kind));
        EXPECT_EQ(line.substr(0, 22), std::string("REGTELIT00AOA12345BB") + row.kind + "\t");
        EXPECT_EQ(ValuesOf(line), row.values);
    }
    TMOVIMENTO production = Production(Day(2025, 4, 1), 0, 100);
    EXPECT_EQ(RequestDetailLine(GoldenCompany(), production), "");
}

TEST(RequestFlowFile, SummaryCountsTheRequestsAndTextsStayOnTheirLine) {
    TMOVIMENTO release = Request('R', 1);
    release.ANNOTA.set("Mosto\tdi\r\nbirra \xE8 \x80");
    const FlowFile flow =
        BuildRequestFlow(GoldenCompany(), {release, Request('F', 2)}, Day(2025, 3, 20), 1);
    EXPECT_EQ(flow.name, "ABCD0320.C01");
    EXPECT_EQ(flow.lineCount, 4);
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; (end = flow.bytes.find("\r\n", start)) != std::string::npos;
         start = end + 2)
        lines.push_back(flow.bytes.substr(start, end - start));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].size(), 75u);
    EXPECT_TRUE(lines[0].ends_with("     001 00004"));
    EXPECT_EQ(lines[1], "REGTELIT00AOA12345BA12345678903     2\t3\t\t");
    EXPECT_EQ(ValuesOf(lines[2])[3], "Mosto di  birra \xE8 \x80");
}

TEST(RequestFlowFile, RenunciationIsOfKind002OnlyUnderTheProgramsOwnCode) {
    TUTENTE company = GoldenCompany();
    EXPECT_EQ(BuildRenunciationFlow(company, Day(2025, 6, 1), Day(2025, 3, 20), 2).bytes,
              HeaderLine(company, "ABCD0320.C02", 2) + "\r\n" +
                  "REGTELIT00AOA12345BA12345678903     0\t1\t20250601\t\r\n");
    company.CACCI1.set("IT00ZZC00003M");
    EXPECT_EQ(
        BuildRenunciationFlow(company, Day(2025, 6, 1), Day(2025, 3, 20), 2).bytes.substr(61, 14),
        "     002 00002");
}

// The training service takes what the program writes, request by request.
TEST(RequestFlowFile, TheTrainingServiceTakesTheProgramsFlows) {
    TUTENTE program = GoldenCompany();
    program.CACCI1.set("IT00ZZC00003M");
    const struct {
        const char* what;
        FlowFile flow;
        bool renunciation;
    } rows[] = {
        {"requests",
         BuildRequestFlow(GoldenCompany(),
                          {Request('R', 1), Request('M', 2), Request('F', 3), Request('A', 4)},
                          Day(2025, 3, 20), 1),
         false},
        {"renunciation",
         BuildRenunciationFlow(GoldenCompany(), Day(2025, 6, 1), Day(2025, 3, 20), 2), true},
        {"renunciation 002", BuildRenunciationFlow(program, Day(2025, 6, 1), Day(2025, 3, 20), 3),
         true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const sim::FlowCheck check = sim::CheckFlow(row.flow.bytes, row.flow.name);
        EXPECT_FALSE(check.rejected);
        EXPECT_TRUE(check.findings.empty()) << check.findings.front().text;
        EXPECT_TRUE(check.requestFlow);
        EXPECT_EQ(check.renunciation, row.renunciation);
        for (const sim::RequestLine& r : check.requests) EXPECT_TRUE(r.accepted) << r.kind;
    }
    const sim::FlowCheck check = sim::CheckFlow(rows[0].flow.bytes, rows[0].flow.name);
    ASSERT_EQ(check.requests.size(), 4u);
    EXPECT_EQ(check.requests[0].kind, 'R');
    EXPECT_EQ(check.requests[0].title, "MOSTO di BIRRA");
    EXPECT_EQ(check.requests[0].validFrom, "20250401");
    EXPECT_EQ(check.requests[2].number, "2025000001");
}

TEST(RequestFlowFile, TheTrainingServiceFindsFaultsOnTheirLine) {
    auto flowOf = [](TMOVIMENTO r) {
        return BuildRequestFlow(GoldenCompany(), {r}, Day(2025, 3, 20), 1);
    };
    TMOVIMENTO family = Request('R');
    family.INTER1 = 499;
    TMOVIMENTO noProtocol = Request('F');
    noProtocol.NUMPRO.set("");
    FlowFile miscounted = flowOf(Request('R'));
    miscounted.bytes.replace(miscounted.bytes.find("     1\t2\t"), 9, "     2\t3\t");
    const struct {
        const char* what;
        FlowFile flow;
        bool rejected;
        const char* finding;
    } rows[] = {
        {"family 499", flowOf(family), false, "riga 3: colonna 7 codice famiglia"},
        {"closing without protocol", flowOf(noProtocol), false,
         "riga 3: colonna 3 numero del protocollo mancante"},
        {"requests miscounted", miscounted, true, "riga 2: riepilogo: richieste dichiarate \"2\""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const sim::FlowCheck check = sim::CheckFlow(row.flow.bytes, row.flow.name);
        EXPECT_EQ(check.rejected, row.rejected);
        ASSERT_FALSE(check.findings.empty());
        EXPECT_TRUE(check.findings.front().text.starts_with(row.finding))
            << check.findings.front().text;
        if (!row.rejected) {
            EXPECT_FALSE(check.requests.front().accepted);
        }
    }
}

}  // namespace
}  // namespace braxol
