// The training customs service's own pieces: the flow check against the flow tables, the
// outcome document, the signature, and the strict reading of SOAP requests.

#include <gtest/gtest.h>

#include <QByteArray>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "net/soap_envelope.h"
#include "sim_cms.h"
#include "sim_flow_check.h"
#include "sim_outcome.h"
#include "sim_server.h"
#include "sim_soap.h"
#include "support/cms/cms_signing.h"

namespace braxol::sim {
namespace {

namespace fs = std::filesystem;

std::string Golden(const std::string& name) {
    std::ifstream in(fs::path(BRAXOL_SIM_GOLDEN) / name, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

const std::string kFlowName = "ABCD0315.C01";

std::string Replaced(std::string s, const std::string& from, const std::string& to) {
    const std::size_t at = s.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) s.replace(at, from.size(), to);
    return s;
}

std::string Texts(const FlowCheck& check) {
    std::string all;
    for (const Finding& f : check.findings) all += std::string(1, f.kind) + f.text + "\n";
    return all;
}

TEST(FlowCheck, AHandWrittenFlowPassesWithTheWarningOfItsZeroExcise) {
    const FlowCheck check = CheckFlow(Golden(kFlowName), kFlowName);
    EXPECT_FALSE(check.rejected) << Texts(check);
    EXPECT_EQ(check.exciseCode, "IT00BGA00123X");
    EXPECT_EQ(check.detailLines, 4);
    ASSERT_EQ(check.findings.size(), 1u) << Texts(check);
    EXPECT_EQ(check.findings[0].kind, 'S');
    EXPECT_EQ(check.findings[0].text, "riga 4: produzione con accisa pari a zero");
}

TEST(Faults, AreNamedAsTheCommandLineNamesThem) {
    EXPECT_EQ(FaultFromName("rifiuta"), Fault::Refuse);
    EXPECT_EQ(FaultFromName("scarta"), Fault::Discard);
    EXPECT_EQ(FaultFromName("nessuno"), Fault::None);
    EXPECT_EQ(FaultFromName("altro"), std::nullopt);
}

struct Fault {
    const char* what;
    std::function<std::string(std::string)> change;
    bool rejected;        // the whole file is refused
    const char* finding;  // part of the first error's text
};

class FlowFaults : public ::testing::TestWithParam<Fault> {};

TEST_P(FlowFaults, AreFoundOnTheirLine) {
    const Fault& fault = GetParam();
    const FlowCheck check = CheckFlow(fault.change(Golden(kFlowName)), kFlowName);
    EXPECT_EQ(check.rejected, fault.rejected) << Texts(check);
    EXPECT_NE(Texts(check).find(fault.finding), std::string::npos) << Texts(check);
}

const std::string kProduction1 = "DDT\t12\t20250314\t";

INSTANTIATE_TEST_SUITE_P(
    Table, FlowFaults,
    ::testing::Values(
        Fault{"line count", [](std::string f) { return Replaced(f, "00006\r\n", "00007\r\n"); },
              true, "Eriga 1: numero di righe dichiarato 00007, righe presenti 6"},
        Fault{"short header",
              [](std::string f) { return Replaced(f, "     001 00006", "001 00006"); }, true,
              "riga 1: la riga di testata deve avere 75 caratteri"},
        Fault{"another flow name",
              [](std::string f) { return Replaced(f, "ABCD0315.C01  ", "ABCD0315.C02  "); }, true,
              "diverso dal nome del file"},
        Fault{
            "VAT number",
            [](std::string f) { return Replaced(f, "12345678903     001", "12345678904     001"); },
            true, "riga 1: partita IVA \"12345678904\" errata"},
        Fault{"excise code",
              [](std::string f) {
                  std::size_t at;
                  while ((at = f.find("IT00BGA00123X")) != std::string::npos)
                      f.replace(at, 13, "IT00BGB00123X");
                  return f;
              },
              true, "riga 2: codice d'accisa \"IT00BGB00123X\" errato"},
        Fault{"summary count",
              [](std::string f) { return Replaced(f, "     3\t0\t1\t", "     2\t0\t1\t"); }, true,
              "riepilogo: righe C dichiarato \"2\", atteso 3"},
        Fault{"LF line ends",
              [](std::string f) {
                  std::size_t at;
                  while ((at = f.find("\r\n")) != std::string::npos) f.erase(at, 1);
                  return f;
              },
              true, "riga 1: riga non terminata da CR LF"},
        Fault{"date of the key",
              [](std::string f) { return Replaced(f, "20250314CIF", "20250231CIF"); }, false,
              "riga 3: data della chiave \"20250231\" non valida"},
        Fault{"litres with a comma",
              [](std::string f) { return Replaced(f, "1000.00000", "1000,00000"); }, false,
              "riga 3: colonna 9 litri non nel formato con 5 decimali"},
        Fault{"excise with five decimals",
              [](std::string f) { return Replaced(f, "358.80", "358.80000"); }, false,
              "riga 3: colonna 26 accisa non nel formato con 2 decimali"},
        Fault{"document date",
              [](std::string f) { return Replaced(f, kProduction1, "DDT\t12\t2025031\t"); }, false,
              "riga 3: colonna 19 data del documento non valida"},
        Fault{"record kind", [](std::string f) { return Replaced(f, "00000000EI", "00000000XI"); },
              true, "riga 6: tipo record \"X\" sconosciuto"},
        Fault{"missing column",
              [](std::string f) { return Replaced(f, "\tNOTA: lavaggio\t", "\t"); }, false,
              "riga 5: attese 30 colonne, trovate 29"},
        Fault{"no final TAB",
              [](std::string f) { return Replaced(f, "NOTA: febbraio\t", "NOTA: febbraio"); },
              false, "riga 6: la riga non termina con un TAB"},
        Fault{"tax period 12",
              [](std::string f) { return Replaced(f, "2025\t02\t", "2025\t12\t"); }, false,
              "riga 6: colonna 2 periodo d'imposta non valido"},
        Fault{"request kind",
              [](std::string f) { return Replaced(f, "20250315CIF", "20250315CXF"); }, false,
              "riga 5: tipo richiesta \"X\" sconosciuto"}),
    [](const ::testing::TestParamInfo<Fault>& info) {
        std::string name;
        for (const char* c = info.param.what; *c; ++c)
            if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
        return name;
    });

TEST(FlowCheck, DamagedInputIsReportedNeverCrashes) {
    for (const std::string& flow :
         {std::string(), std::string("\r\n"), std::string("ABCD\r\n"), std::string(5000, '\0'),
          std::string("BRAXOL\r\nBRAXOL\r\nBRAXOL\r\n"), Golden(kFlowName).substr(0, 200)}) {
        const FlowCheck check = CheckFlow(flow, kFlowName);
        EXPECT_TRUE(check.rejected);
        EXPECT_FALSE(check.findings.empty());
    }
}

TEST(OutcomeDocument, MatchesTheGoldenDocument) {
    const FlowCheck check = CheckFlow(Golden(kFlowName), kFlowName);
    EXPECT_EQ(BuildOutcomeDocument(kFlowName, check, "202500000000001"), Golden("ABCD0315.J01"));
}

TEST(OutcomeDocument, CarriesRegistrationAndCodeAtTheirCharacters) {
    FlowCheck check = CheckFlow(Golden(kFlowName), kFlowName);
    for (bool rejected : {false, true}) {
        check.rejected = rejected;
        const std::string doc = BuildOutcomeDocument(kFlowName, check, "REG000000000042");
        const std::size_t at = doc.find("\r\nBRAXOL") + 2;
        EXPECT_EQ(doc.substr(at + 27, 15), "REG000000000042");
        EXPECT_EQ(doc[at + 42], rejected ? '1' : '0');
    }
}

TEST(OutcomeNames, FollowTheFlowName) {
    EXPECT_EQ(OutcomeNameOf("ABCD0315.C01"), "ABCD0315.J01");
    EXPECT_EQ(StoredOutcomeName("ABCD0315.J01.p7m"), "ABCD0315.J01");
    EXPECT_EQ(StoredOutcomeName("abcd0315.j01"), "ABCD0315.J01");
}

TEST(SignedFlow, OpensASignatureAndRefusesAChangedOne) {
    const std::string flow = Golden(kFlowName);
    const SignedFlow good = OpenSignedFlow(test::SignForTest(flow));
    ASSERT_TRUE(good.ok) << good.error;
    EXPECT_EQ(good.content, flow);

    const SignedFlow changed = OpenSignedFlow(test::TamperedSignature(flow));
    EXPECT_FALSE(changed.ok);
    EXPECT_EQ(changed.error.rfind("firma non valida", 0), 0u) << changed.error;

    EXPECT_FALSE(OpenSignedFlow(flow).ok);
    EXPECT_FALSE(OpenSignedFlow("").ok);
}

TEST(SoapRequests, TheProgramsRequestsAreReadAsAStrictServerReadsThem) {
    const std::vector<net::SoapArgument> put{QByteArray("\x01\x02firmato", 9),
                                             QString("ABCD0315.C01.p7m")};
    const QByteArray request = net::BuildSoapRequest(net::PutOperation(), put);
    const SoapCall call = ReadSoapCall(request.toStdString());
    ASSERT_TRUE(call.ok) << call.problem;
    EXPECT_EQ(call.operation, "put");
    EXPECT_EQ(call.text.at("fileMsg_Nome"), "ABCD0315.C01.p7m");
    EXPECT_EQ(call.bytes.at("fileMsg_Content"), std::string("\x01\x02firmato", 9));

    const std::vector<net::SoapArgument> get{QString("ABCD0315.J01")};
    const SoapCall fetch =
        ReadSoapCall(net::BuildSoapRequest(net::GetOperation(), get).toStdString());
    ASSERT_TRUE(fetch.ok) << fetch.problem;
    EXPECT_EQ(fetch.text.at("fileName"), "ABCD0315.J01");
}

TEST(SoapRequests, RefusesWhatAStrictServerRefuses) {
    const std::string good =
        net::BuildSoapRequest(net::GetOperation(), std::vector<net::SoapArgument>{QString("X")})
            .toStdString();
    const std::vector<std::pair<std::string, std::string>> cases{
        {Replaced(good, " xsi:type=\"xsd:string\"", ""), "senza il tipo atteso"},
        {Replaced(good, "urn:TelematicoFtpWsBindingImpl", "urn:altro"), "namespace sconosciuto"},
        {Replaced(good, "http://schemas.xmlsoap.org/soap/envelope/",
                  "http://www.w3.org/2003/05/soap-envelope"),
         "non è una busta SOAP 1.1"},
        {Replaced(good, "SOAP-ENV:encodingStyle", "SOAP-ENV:altroStile"), "encodingStyle"},
        {"<html><body>portale</body></html>", "non è una busta SOAP 1.1"},
        {good.substr(0, good.size() / 2), "XML non valido"},
    };
    for (const auto& [request, problem] : cases) {
        const SoapCall call = ReadSoapCall(request);
        EXPECT_FALSE(call.ok) << request;
        EXPECT_NE(call.problem.find(problem), std::string::npos) << call.problem;
    }
}

}  // namespace
}  // namespace braxol::sim
