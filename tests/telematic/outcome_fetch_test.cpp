// FetchOutcome without a window: the attempts and their messages by caller, the two lines
// left when no document comes, DETTAGLI.TXT in Windows-1252, the old attachment removed
// first, a call cancelled by the window, and the outcome names.

#include <gtest/gtest.h>

#include "scripted_transport.h"
#include "store/safe_file.h"
#include "support/qt/scripted_seams.h"
#include "support/qt/widget_helpers.h"
#include "support/record_builders.h"
#include "support/temp_folder.h"
#include "telematic/outcome_fetch.h"

namespace braxol::telematic {
namespace {

using namespace braxol::test;
using net::SoapFailure;

const std::string kDocument =
    "BRAXOLIT00BGA00123X00000000202500000000001"
    "0 FLUSSO ACQUISITO\r\n Sl'unit\xe0 \xe8 ferma\r\n";

class FetchOutcomeTest : public ::testing::Test {
protected:
    TempWorkFolder work;
    ScriptedSeams seams;
    ScriptedTransport transport{work.folders().temp};
    QString shown;
    int displays = 0;

    OutcomeRequest Request(OutcomeCaller caller, int attempts) {
        OutcomeRequest r;
        r.caller = caller;
        r.outcomeName = "ABCD0315.J01";
        r.attempts = attempts;
        r.tempFolder = work.folders().temp;
        r.reader = MovementOutcomeReader(VerificationIdentifiers());
        r.display = [this](const QString& text) {
            shown = text;
            ++displays;
        };
        return r;
    }
    std::string Details() const { return FileBytes(work.folders().temp / kDetailsFileName); }
};

TEST_F(FetchOutcomeTest, ADocumentGivesItsOutcomeAndDetails) {
    transport.plan({SoapFailure::None, kDocument});
    const OutcomeResult result = FetchOutcome(transport, Request(OutcomeCaller::Verification, 1));
    EXPECT_EQ(result.outcome, "ESITO POSITIVO");
    EXPECT_FALSE(result.cancelled);
    EXPECT_EQ(transport.asked, QStringList({"ABCD0315.J01"}));
    EXPECT_EQ(Details(),
              "N\xb0 REGISTRAZIONE DEL FILE: 202500000000001\r\nESITO POSITIVO\r\n"
              "ACCETTATO CON SEGNALAZIONI: l'unit\xe0 \xe8 ferma\r\n");
    EXPECT_EQ(displays, 1);
    EXPECT_EQ(shown,
              QString::fromUtf8("N° REGISTRAZIONE DEL FILE: 202500000000001\r\nESITO POSITIVO\r\n"
                                "ACCETTATO CON SEGNALAZIONI: l'unità è ferma\r\n"));
    EXPECT_TRUE(seams.messages.shown().empty());
}

struct AttemptCase {
    OutcomeCaller caller;
    int attempts;
    std::vector<SoapFailure> failures;  // of the calls made, in order
    QStringList messages;
    QString outcome;
    std::string details;
};

const char* kNoDetails = " -- DETTAGLI NON PERVENUTI DAL WEBSERVICE -- \r\n";
const QString kRetry = QString::fromUtf8(
    "Tentativo di connessione N. %1, verifica la disponibilità del sito delle dogane");
const QString kWait = QStringLiteral(
    "Tentativo di prelievo esito senza risposta, attendi qualche secondo prima di fare il "
    "prossimo tentativo");

TEST_F(FetchOutcomeTest, AttemptsAndMessagesByCaller) {
    const std::vector<AttemptCase> cases{
        {OutcomeCaller::Transmission,
         3,
         {SoapFailure::Timeout, SoapFailure::Fault, SoapFailure::None},
         {kRetry.arg(1), kRetry.arg(2)},
         "ESITO POSITIVO",
         ""},
        {OutcomeCaller::Transmission,
         3,
         {SoapFailure::ConnectionRefused, SoapFailure::NotSoap, SoapFailure::HttpStatus},
         {kRetry.arg(1), kRetry.arg(2), kRetry.arg(3)},
         "ESITO NEGATIVO",
         std::string(kNoDetails) +
             "    Interroga il sistema telematico doganale E.D.I. per l'esito. \r\n"},
        {OutcomeCaller::Verification,
         1,
         {SoapFailure::Certificate},
         {kWait},
         "ESITO NEGATIVO",
         std::string(kNoDetails) +
             "    Usa la funzione INTERROGAZIONE sul sito EDI REALE per verificare che il flusso "
             "sia stato acquisito. \r\n"},
    };
    for (const AttemptCase& c : cases) {
        seams.messages.clear();
        ScriptedTransport script(work.folders().temp);
        for (SoapFailure f : c.failures)
            script.plan({f, f == SoapFailure::None ? std::optional(kDocument) : std::nullopt});
        const OutcomeResult result = FetchOutcome(script, Request(c.caller, c.attempts));
        EXPECT_EQ(script.asked.size(), static_cast<qsizetype>(c.failures.size()));
        EXPECT_EQ(seams.messages.texts(), c.messages);
        EXPECT_EQ(result.outcome, c.outcome);
        if (!c.details.empty()) {
            EXPECT_EQ(Details(), c.details);
        }
    }
}

TEST_F(FetchOutcomeTest, NoDocumentLeavesTheTwoLinesAndAnOldAttachmentIsNotRead) {
    // The outcome of an earlier flow must never pass for this one's.
    ReplaceFileContent(work.folders().temp / "BORLANDSOAPATTACHMENT0", kDocument);
    transport.plan({SoapFailure::None, std::nullopt});
    const OutcomeResult result = FetchOutcome(transport, Request(OutcomeCaller::Verification, 1));
    EXPECT_EQ(result.outcome, "ESITO NEGATIVO");
    EXPECT_FALSE(std::filesystem::exists(work.folders().temp / "BORLANDSOAPATTACHMENT0"));
    EXPECT_EQ(Details().substr(0, 47), kNoDetails);
    EXPECT_TRUE(shown.startsWith(" -- DETTAGLI NON PERVENUTI"));
    EXPECT_TRUE(seams.messages.shown().empty());
}

TEST_F(FetchOutcomeTest, ACancelledCallStopsWithoutMessagesOrFurtherAttempts) {
    transport.plan({SoapFailure::Cancelled, std::nullopt});
    const OutcomeResult result = FetchOutcome(transport, Request(OutcomeCaller::Transmission, 3));
    EXPECT_TRUE(result.cancelled);
    EXPECT_EQ(result.outcome, "ESITO NEGATIVO");
    EXPECT_EQ(transport.asked.size(), 1);
    EXPECT_TRUE(seams.messages.shown().empty());
    EXPECT_EQ(displays, 0);
}

TEST(OutcomeNames, TheTenthCharacterBecomesJ) {
    EXPECT_EQ(OutcomeNameOf("ABCD0315.C01"), "ABCD0315.J01");
    EXPECT_EQ(OutcomeNameOf("ABCD0315.C01.p7m"), "ABCD0315.J01.p7m");
    EXPECT_EQ(OutcomeNameOf("ABC"), "ABC");
}

}  // namespace
}  // namespace braxol::telematic
