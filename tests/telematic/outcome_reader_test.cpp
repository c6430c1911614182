// Reading the outcome document of a movement flow: one table of documents and what they give
// (the outcome text and the lines of DETTAGLI.TXT), damaged documents included.

#include <gtest/gtest.h>

#include "support/qt/widget_helpers.h"
#include "telematic/outcome_reader.h"

namespace braxol::telematic {
namespace {

// A record line: identifier, 21 characters up to character 27, registration number in 28-42,
// outcome code in 43, and the rest.
QByteArray RecordLine(const QByteArray& registration, char code, const QByteArray& id = "BRAXOL") {
    return id + QByteArray("IT00BGA00123X00000000").left(27 - id.size()) + registration + code +
           " FLUSSO";
}

struct Case {
    const char* what;
    QByteArray document;
    QString outcome;
    QStringList details;
    QStringList identifiers = VerificationIdentifiers();
};

const QString kRegistration = QStringLiteral("N° REGISTRAZIONE DEL FILE: ");

class OutcomeReading : public ::testing::TestWithParam<Case> {};

TEST_P(OutcomeReading, GivesTheOutcomeAndTheDetails) {
    const Case& c = GetParam();
    const auto reading = ReadMovementOutcome(OutcomeDocumentLines(c.document), c.identifiers);
    EXPECT_EQ(reading.outcome, c.outcome);
    EXPECT_EQ(reading.details, c.details);
}

INSTANTIATE_TEST_SUITE_P(
    Table, OutcomeReading,
    ::testing::Values(
        Case{"accepted with a warning and an error",
             "ESITO\r\n" + RecordLine("202500000000001", '0') +
                 "\r\n Sseconda riga\r\n Eterza riga\r\n",
             kOutcomePositive,
             {kRegistration + "202500000000001", "ESITO POSITIVO",
              "ACCETTATO CON SEGNALAZIONI: seconda riga", "ERRORE SCARTATO: terza riga"}},
        Case{"blank-led lines before the record line are ignored",
             " Sprima\r\n Eprima\r\n" + RecordLine("REG000000000002", '0') + "\r\n",
             kOutcomePositive,
             {kRegistration + "REG000000000002", "ESITO POSITIVO"}},
        Case{"rejected",
             RecordLine("REG000000000003", '1') + "\r\n Eintestazione errata\r\n",
             kOutcomeRejected,
             {kRegistration + "REG000000000003", "ESITO NEGATIVO - SCARTATO",
              "ERRORE SCARTATO: intestazione errata"}},
        Case{"a later record line overrides",
             RecordLine("REG000000000004", '0') + "\r\n" + RecordLine("REG000000000005", '2') +
                 "\r\n",
             kOutcomeRejected,
             {kRegistration + "REG000000000004", "ESITO POSITIVO",
              kRegistration + "REG000000000005", "ESITO NEGATIVO - SCARTATO"}},
        Case{"other lines and blank-led lines of another letter are not copied",
             RecordLine("REG000000000006", '0') + "\r\nnota qualsiasi\r\n Xaltro\r\n \r\n",
             kOutcomePositive,
             {kRegistration + "REG000000000006", "ESITO POSITIVO"}},
        Case{"TIRVEN only where asked for",
             RecordLine("REG000000000007", '0', "TIRVEN") + "\r\n",
             kOutcomeNegative,
             {}},
        Case{"TIRVEN in the transmission window",
             RecordLine("REG000000000007", '0', "TIRVEN") + "\r\n",
             kOutcomePositive,
             {kRegistration + "REG000000000007", "ESITO POSITIVO"},
             TransmissionIdentifiers()},
        Case{"no record line", "nessun esito\r\n Equalcosa\r\n", kOutcomeNegative, {}},
        Case{"empty", "", kOutcomeNegative, {}},
        Case{"LF line ends",
             RecordLine("REG000000000008", '0') + "\n Savviso\n",
             kOutcomePositive,
             {kRegistration + "REG000000000008", "ESITO POSITIVO",
              "ACCETTATO CON SEGNALAZIONI: avviso"}},
        Case{"CR line ends",
             RecordLine("REG000000000009", '0') + "\r Savviso",
             kOutcomePositive,
             {kRegistration + "REG000000000009", "ESITO POSITIVO",
              "ACCETTATO CON SEGNALAZIONI: avviso"}},
        Case{"truncated record line",
             "BRAXOLIT00BGA00123X00000000REG00",
             kOutcomeNegative,
             {kRegistration + "REG00", "ESITO NEGATIVO"}},
        Case{"without line ends",
             RecordLine("REG000000000010", '0') + " Equalcosa",
             kOutcomePositive,
             {kRegistration + "REG000000000010", "ESITO POSITIVO"}},
        Case{"Windows-1252 text",
             RecordLine("REG000000000011", '0') + "\r\n Sun'unit\xe0 \xe8 ferma\r\n",
             kOutcomePositive,
             {kRegistration + "REG000000000011", "ESITO POSITIVO",
              QString::fromUtf8("ACCETTATO CON SEGNALAZIONI: un'unità è ferma")}},
        Case{"UTF-8 text",
             RecordLine("REG000000000012", '0') + "\r\n Sun'unit\xc3\xa0\r\n",
             kOutcomePositive,
             {kRegistration + "REG000000000012", "ESITO POSITIVO",
              QString::fromUtf8("ACCETTATO CON SEGNALAZIONI: un'unità")}},
        Case{"UTF-16 with its mark",
             QByteArray("\xff\xfe", 2) +
                 QByteArray(reinterpret_cast<const char*>(
                                QString::fromLatin1(RecordLine("REG000000000013", '0') +
                                                    "\r\n Sok\r\n")
                                    .utf16()),
                            2 * (RecordLine("REG000000000013", '0').size() + 7)),
             kOutcomePositive,
             {kRegistration + "REG000000000013", "ESITO POSITIVO",
              "ACCETTATO CON SEGNALAZIONI: ok"}},
        Case{"UTF-16 without a mark",
             QByteArray(
                 reinterpret_cast<const char*>(
                     QString::fromLatin1(RecordLine("REG000000000014", '1') + "\r\n").utf16()),
                 2 * (RecordLine("REG000000000014", '1').size() + 2)),
             kOutcomeRejected,
             {kRegistration + "REG000000000014", "ESITO NEGATIVO - SCARTATO"}},
        Case{"binary",
             QByteArray("\x00\x01\x02\xff\xfe\x00\r\n\x80\x81"
                        "BRAX\x00OL",
                        18),
             kOutcomeNegative,
             {}},
        Case{"record line inside a signed document",
             QByteArray("0\x82\x01\x00\x06\x09*\x86H\x86\xf7\r\n", 13) +
                 RecordLine("REG000000000015", '0') + "\r\n Snota\r\n" +
                 QByteArray("\xa0\x82\x00\x01\x00", 5),
             kOutcomePositive,
             {kRegistration + "REG000000000015", "ESITO POSITIVO",
              "ACCETTATO CON SEGNALAZIONI: nota"}}),
    [](const ::testing::TestParamInfo<Case>& info) {
        std::string name;
        for (const char* c = info.param.what; *c; ++c)
            if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
        return name;
    });

TEST(OutcomeDocument, AHugeLineWithoutEndsIsReadWithoutTrouble) {
    QByteArray huge(4 * 1024 * 1024, 'x');
    huge.replace(1000, RecordLine("REG000000000016", '0').size(),
                 RecordLine("REG000000000016", '0'));
    const auto reading = ReadMovementOutcome(OutcomeDocumentLines(huge), VerificationIdentifiers());
    EXPECT_EQ(reading.outcome, kOutcomeRejected);  // character 43 of the line is an "x"
}

}  // namespace
}  // namespace braxol::telematic
