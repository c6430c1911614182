// Reading a request flow's outcome: the record line gives the outcome, the "Record" blocks
// give the registers released (only those that say "ha rilasciato" and name their protocol),
// what is copied to the details, and PROTRE_TE.DAT rewritten at each reading. The training
// service's documents read back into the protocols it released.

#include <gtest/gtest.h>

#include "flow_test_support.h"
#include "sim_flow_check.h"
#include "sim_outcome.h"
#include "telematic/register_requests.h"
#include "telematic/request_flow_file.h"
#include "telematic/request_outcome.h"
#include "ui/text.h"

namespace braxol {
namespace {

using namespace braxol::test;
using namespace braxol::telematic;

// A record line: the outcome code at character 43.
QString RecordLine(char code) {
    return QStringLiteral("REGTELIT00AOA12345B00000000202500000000017") + QChar(code) +
           QStringLiteral(" RICHIESTE ACQUISITE");
}

const QStringList kTwoBlocks = {
    QStringLiteral("ESITO DEL FLUSSO ABCD0320.C01"),
    QStringLiteral("Record 0 - prima del record: non letto Numero 9999999999"),
    RecordLine('0'),
    QStringLiteral(" riga di servizio"),
    QStringLiteral("Record 1 - richiesta di modifica del Registro Telematico Numero 2024000007"),
    QStringLiteral("Titolo: BIRRA ARTIGIANALE"),
    QStringLiteral("Data inizio validità:    01/02/2024"),
    QStringLiteral("Record 2 - richiesta di rilascio: l'Ufficio ha rilasciato il Registro "
                   "Telematico Numero 2025000001"),
    QStringLiteral("Tipologia del registro: F"),
    QStringLiteral("Titolo: MOSTO di BIRRA più"),
    QStringLiteral("Data inizio validità:    01/04/2025"),
    QStringLiteral("Famiglia prodotto: 518"),
};

TEST(RequestOutcome, OnlyTheBlockThatSaysHaRilasciatoIsARelease) {
    const RequestOutcome outcome = ReadRequestOutcome(kTwoBlocks, Day(2025, 3, 21));
    EXPECT_EQ(outcome.reading.outcome, kOutcomePositive);
    ASSERT_EQ(outcome.releases.size(), 1u);
    const TMOVIMENTO& r = outcome.releases[0];
    EXPECT_EQ(r.NUMPRO.trimmed(), "2025000001");
    EXPECT_EQ(r.ANNPRO.trimmed(), "2025");
    EXPECT_EQ(r.DATFLU, Day(2025, 3, 21));
    EXPECT_EQ(r.DATMOV, Day(2025, 4, 1));
    EXPECT_EQ(ui::FromField(r.ANNOTA), "MOSTO di BIRRA più");
    EXPECT_EQ(r.NUMPRO.view().size(), 10u) << "stored padded";
    EXPECT_EQ(r.ANNOTA.view().size(), 250u);
    EXPECT_EQ(r.TIPREC.str(), " ");

    // The outcome, the record line's text after it, then the lines of the blocks; nothing from
    // before the record line, nor lines without a word of the blocks.
    QStringList expected{kOutcomePositive, " RICHIESTE ACQUISITE"};
    for (int i = 4; i < kTwoBlocks.size(); ++i) expected << kTwoBlocks[i];
    EXPECT_EQ(outcome.reading.details, expected);
}

TEST(RequestOutcome, OutcomesAndReleasesThatAreNone) {
    const struct {
        const char* what;
        QStringList lines;
        QString outcome;
        std::size_t releases;
    } rows[] = {
        {"no record line", {"Record 1 - ha rilasciato Numero 1"}, kOutcomeNegative, 0},
        {"rejected", {RecordLine('1')}, kOutcomeRejected, 0},
        {"record line cut short", {"REGTELIT00AOA12345B"}, kOutcomeNegative, 0},
        {"release without number",
         {RecordLine('0'), "Record 1 - l'Ufficio ha rilasciato il Registro Telematico"},
         kOutcomePositive,
         0},
        {"two releases",
         {RecordLine('0'), "Record 1 - ha rilasciato Numero 11",
          "Record 2 - ha rilasciato Numero 12"},
         kOutcomePositive,
         2},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const RequestOutcome outcome = ReadRequestOutcome(row.lines, Day(2025, 3, 21));
        EXPECT_EQ(outcome.reading.outcome, row.outcome);
        EXPECT_EQ(outcome.releases.size(), row.releases);
    }
}

TEST(RequestOutcome, EachReadingRewritesTheReleasesFile) {
    TempWorkFolder work;
    ScriptedSeams seams;
    const OutcomeReader reader = RequestOutcomeReader(work.folders().temp);
    const fs::path file = work.folders().inTemp(kReleasesFileName);
    reader(kTwoBlocks);
    ASSERT_EQ(ReadRecords<TMOVIMENTO>(file, false).size(), 1u);
    reader({RecordLine('0')});
    EXPECT_TRUE(fs::exists(file));
    EXPECT_EQ(ReadRecords<TMOVIMENTO>(file, false).size(), 0u);
}

// The training service's answer to a release and a closing, read as the program reads it.
TEST(RequestOutcome, TheTrainingServicesDocumentGivesItsProtocols) {
    TMOVIMENTO release = NewRequest(kReleaseRequest);
    release.DATMOV = Day(2025, 4, 1);
    release.INTER1 = 518;
    release.ANNOTA.set("MOSTO di BIRRA pi\xF9");
    TMOVIMENTO closing = NewRequest(kClosingRequest);
    closing.ANNPRO.set("2024");
    closing.NUMPRO.set("2024000007");
    const FlowFile flow =
        BuildRequestFlow(GoldenCompany(), {closing, release}, Day(2025, 3, 20), 1);
    const sim::FlowCheck check = sim::CheckFlow(flow.bytes, flow.name);
    const std::string document =
        sim::BuildRequestOutcomeDocument(flow.name, check, "202500000000017", {"", "2025000042"});

    const RequestOutcome outcome = ReadRequestOutcome(
        OutcomeDocumentLines(QByteArray::fromStdString(document)), Day(2025, 3, 21));
    EXPECT_EQ(outcome.reading.outcome, kOutcomePositive);
    ASSERT_EQ(outcome.releases.size(), 1u);
    EXPECT_EQ(outcome.releases[0].NUMPRO.trimmed(), "2025000042");
    EXPECT_EQ(outcome.releases[0].DATMOV, Day(2025, 4, 1));
    EXPECT_EQ(outcome.releases[0].ANNOTA.trimmed(), "MOSTO di BIRRA pi\xF9");
    EXPECT_TRUE(outcome.reading.details.join("\n").contains("è stato chiuso"))
        << outcome.reading.details.join("\n").toStdString();
}

}  // namespace
}  // namespace braxol
