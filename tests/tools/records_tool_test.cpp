// The support tool driven as a user runs it: a real process on files of a temporary work folder.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "store/leftovers.h"
#include "store/lock.h"
#include "store/movements.h"
#include "store/safe_file.h"
#include "support/shell_command.h"
#include "support/temp_folder.h"

namespace braxol {
namespace {

namespace fs = std::filesystem;
using json = nlohmann::ordered_json;

// Runs the tool with `input` on standard input, from the work folder.
test::ShellOutcome Tool(const fs::path& cwd, const std::string& args,
                        const std::string& input = "") {
    const fs::path in = cwd / "stdin.txt";
    std::ofstream(in, std::ios::binary) << input;
    return test::RunShell("cd " + test::ShellQuoted(cwd.string()) +
                          " && '" BRAXOL_RECORDS_TOOL "' " + args + " < " +
                          test::ShellQuoted(in.string()));
}

std::vector<json> Lines(const std::string& out) {
    std::vector<json> lines;
    std::istringstream s(out);
    for (std::string line; std::getline(s, line);) lines.push_back(json::parse(line));
    return lines;
}

// A movement with every field away from its blank value, texts at full length included.
json FullMovement(int numope) {
    return {{"NUMOPE", numope},     {"RIFOPE", -1},
            {"DATFLU", 46096.5},    {"NUMFLU", 7},
            {"STATO", "R"},         {"DATMOV", 46000},
            {"TIPREC", "C"},        {"TIPRIC", "I"},
            {"TIPREG", "F"},        {"CODUFF", "ABCDEFGH"},
            {"ANNPRO", "2025"},     {"NUMPRO", "1234567890"},
            {"PROGRE", 42},         {"PRODAZ", std::string(98, 'x') + "é€"},
            {"PRODDO", "22030001"}, {"QUANTI", 0.1},
            {"COERES", 1.0 / 3.0},  {"LITPRO", 1234.56789},
            {"INTER1", 2147483647}, {"INTER2", -2147483647 - 1},
            {"ETTOGR", 125.375},    {"GRAPLA", 12.5},
            {"FLAGS1", "S"},        {"DATPEC", 45999.75},
            {"TIPDOC", "VIA"},      {"NUMDOC", "N° 12"},
            {"DATDOC", 46000},      {"CODPAE", "22"},
            {"MITDES", "10:30"},    {"TIPMOV", "C"},
            {"CODMOV", "114"},      {"CODACC", "001"},
            {"ACCISA", 373.75},     {"ANNOTA", "Nota con «accenti» àèìòù e “virgolette” — fine"}};
}

class RecordsTool : public ::testing::Test {
protected:
    test::TempWorkFolder work;
};

TEST_F(RecordsTool, LoadThenDumpKeepsEveryFieldOfEachKind) {
    json tutente = {{"RISERV0", 0},
                    {"CACCI1", "IT00AOA12345B"},
                    {"DENOM1", "Birrificio Città"},
                    {"INDACC1", std::string(100, 'a')},
                    {"PARIVA", "00000000000"},
                    {"CODFIS", "RSSMRA80A01H501U"},
                    {"CITTA1", "AOSTA"},
                    {"CODUTE", "AB12"},
                    {"UFFDO1", "AOD001"},
                    {"INDACC2", "SC=1&ST=1"},
                    {"CAUESO", "E"},
                    {"TIPOIN", "A"}};
    json tabella = {{"number", 3},
                    {"text", {"€ uno", "", "tre"}},
                    {"int", {1, -2, 3}},
                    {"num", {0.1, 1e300, -2.5, 46000.25}}};
    struct Case {
        std::string file;
        std::vector<json> records;
    } cases[] = {
        {"REGISTRI/2025.RGM", {FullMovement(1), FullMovement(2)}},
        {"DATI_GEN/UTENTE.001", {tutente}},
        {"DATI_GEN/TA20.TAB", {tabella}},
        {"DATI_GEN/VERS_ZYMOTEC.DAT", {json{{"date", 46000.123456789}}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        std::string input;
        for (const auto& r : c.records) input += r.dump() + "\n";
        const test::ShellOutcome load = Tool(work.root(), "load " + c.file, input);
        ASSERT_EQ(load.status, 0) << load.out;
        const test::ShellOutcome dump = Tool(work.root(), "dump " + c.file);
        ASSERT_EQ(dump.status, 0) << dump.out;
        const auto lines = Lines(dump.out);
        ASSERT_EQ(lines.size(), c.records.size());
        for (std::size_t i = 0; i < lines.size(); ++i)
            for (const auto& [key, value] : c.records[i].items()) {
                if (value.is_array()) {
                    for (std::size_t k = 0; k < value.size(); ++k)
                        EXPECT_EQ(lines[i][key][k], value[k]) << key << "[" << k << "]";
                } else {
                    EXPECT_EQ(lines[i][key], value) << key;
                }
            }
    }
}

TEST_F(RecordsTool, LoadWritesPaddedRecordsThatTheStoreReads) {
    const test::ShellOutcome load =
        Tool(work.root(), "load REGISTRI/2025.RGM", FullMovement(9).dump() + "\n");
    ASSERT_EQ(load.status, 0) << load.out;
    const auto records = ScanMovements(work.registri("2025.RGM"));
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].NUMOPE, 9);
    EXPECT_EQ(records[0].CODUFF.len, 8);
    EXPECT_EQ(records[0].STATO.view(), "R");
    EXPECT_EQ(records[0].TIPDOC.view(), "VIA");
    EXPECT_EQ(records[0].ANNOTA.len, 250);                                    // padded
    EXPECT_EQ(static_cast<unsigned char>(records[0].PRODAZ.data[99]), 0x80);  // "€"
}

TEST_F(RecordsTool, NumbersThatJsonCannotHoldRoundTrip) {
    const json r = {
        {"NUMOPE", 1}, {"DATFLU", "NaN"}, {"QUANTI", "Infinity"}, {"ACCISA", "-Infinity"}};
    ASSERT_EQ(Tool(work.root(), "load REGISTRI/2025.RGM", r.dump() + "\n").status, 0);
    const auto line = Lines(Tool(work.root(), "dump REGISTRI/2025.RGM").out).at(0);
    EXPECT_EQ(line["DATFLU"], "NaN");
    EXPECT_EQ(line["QUANTI"], "Infinity");
    EXPECT_EQ(line["ACCISA"], "-Infinity");
}

TEST_F(RecordsTool, BadInputLeavesTheFileAsItWas) {
    ASSERT_EQ(Tool(work.root(), "load REGISTRI/2025.RGM", FullMovement(1).dump() + "\n").status, 0);
    const auto before = ReadWholeFile(work.registri("2025.RGM"));
    const std::string bad[] = {
        "{\"NUMOPE\":1}\n{not json\n",    "{\"NUMOPE\":\"uno\"}\n",    "{\"SCONOSCIUTO\":1}\n",
        "{\"STATO\":\"troppo lungo\"}\n", "{\"NUMOPE\":4294967296}\n",
    };
    for (const auto& input : bad) {
        SCOPED_TRACE(input);
        const test::ShellOutcome r = Tool(work.root(), "load REGISTRI/2025.RGM", input);
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.out.find("il file non è stato scritto"), std::string::npos) << r.out;
        EXPECT_EQ(ReadWholeFile(work.registri("2025.RGM")), before);
    }
}

TEST_F(RecordsTool, LoadRefusesWhatWouldLoseOrChangeData) {
    ASSERT_EQ(Tool(work.root(), "load REGISTRI/2025.RGM", FullMovement(1).dump() + "\n").status, 0);
    const auto before = ReadWholeFile(work.registri("2025.RGM"));
    struct Case {
        const char* what;
        std::string input;
        const char* message;
    } cases[] = {
        {"no records at all", "", "nessun record da scrivere"},
        {"a character Windows-1252 cannot hold", "{\"ANNOTA\":\"Birra 日本\"}\n",
         "caratteri che i file del programma non possono contenere"},
        {"an unsigned number beyond 32 bits", "{\"NUMOPE\":18446744073709551615}\n",
         "intero a 32 bit"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const test::ShellOutcome r = Tool(work.root(), "load REGISTRI/2025.RGM", c.input);
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.out.find(c.message), std::string::npos) << r.out;
        EXPECT_EQ(ReadWholeFile(work.registri("2025.RGM")), before);
    }
    // Emptying a file is possible, on purpose.
    EXPECT_EQ(Tool(work.root(), "load REGISTRI/2025.RGM --empty", "").status, 0);
    EXPECT_EQ(std::filesystem::file_size(work.registri("2025.RGM")), 0u);
}

TEST_F(RecordsTool, DumpOfAMissingFileIsAnError) {
    const test::ShellOutcome r = Tool(work.root(), "dump REGISTRI/1999.RGM");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.out.find("file inesistente"), std::string::npos) << r.out;
}

TEST_F(RecordsTool, PasswordFilesAreWrittenForTheOwnerOnly) {
    for (const char* file : {"DATI_GEN/UTENTE.001", "DATI_GEN/ACCOUNT_PEC.DAT"}) {
        ASSERT_EQ(Tool(work.root(), std::string("load ") + file, "{}\n").status, 0) << file;
        EXPECT_EQ(
            std::filesystem::status(work.root() / file).permissions() & std::filesystem::perms::all,
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write)
            << file;
    }
}

TEST_F(RecordsTool, DamagedFileIsReportedAndNeverWritten) {
    const fs::path file = work.registri("2024.RGM");
    const std::string damaged(592 + 10, 'x');
    std::ofstream(file, std::ios::binary) << damaged;
    const test::ShellOutcome load =
        Tool(work.root(), "load REGISTRI/2024.RGM", FullMovement(1).dump() + "\n");
    EXPECT_EQ(load.status, 2);
    EXPECT_NE(load.out.find("602"), std::string::npos) << load.out;
    EXPECT_EQ(*ReadWholeFile(file), damaged);
    EXPECT_FALSE(fs::exists(file.string() + "$"));
    EXPECT_EQ(Tool(work.root(), "dump REGISTRI/2024.RGM").status, 2);
}

TEST_F(RecordsTool, KindComesFromTheNameOrFromTheOption) {
    EXPECT_EQ(Tool(work.root(), "dump DATI_GEN/NOTE.TXT").status, 2);
    const json t = {{"number", 1}};
    ASSERT_EQ(Tool(work.root(), "load DATI_GEN/PROVA.BIN --kind TTABELLA", t.dump() + "\n").status,
              0);
    EXPECT_EQ(fs::file_size(work.datiGen("PROVA.BIN")), 5304u);
    ASSERT_EQ(Tool(work.root(), "load DATI_GEN/CP.DAT", t.dump() + "\n").status, 0);
    EXPECT_EQ(fs::file_size(work.datiGen("CP.DAT")), 5304u);
    ASSERT_EQ(Tool(work.root(), "load DATI_GEN/ACCOUNT_PEC.DAT", t.dump() + "\n").status, 0);
    EXPECT_EQ(fs::file_size(work.datiGen("ACCOUNT_PEC.DAT")), 5304u);
    ASSERT_EQ(
        Tool(work.root(), "load DATI_GEN/PROTRETE.DAT", json{{"NUMOPE", 1}}.dump() + "\n").status,
        0);
    EXPECT_EQ(fs::file_size(work.datiGen("PROTRETE.DAT")), 592u);
}

TEST_F(RecordsTool, CheckFindsEveryKindOfDamage) {
    test::ShellOutcome r = Tool(work.root(), "check .");
    EXPECT_EQ(r.status, 0) << r.out;

    ASSERT_EQ(Tool(work.root(), "load REGISTRI/2025.RGM",
                   FullMovement(1).dump() + "\n" + FullMovement(1).dump() + "\n")
                  .status,
              0);
    std::string table(5304, '\0');
    table[4] = static_cast<char>(251);  // length byte beyond the 250 of a text slot
    std::ofstream(work.datiGen("TA03.TAB"), std::ios::binary) << table;
    std::ofstream(work.registri("2024.DER"), std::ios::binary) << std::string(100, 'x');
    std::ofstream(work.datiGen("NOTE.TXT"), std::ios::binary) << "non è un file di record";

    r = Tool(work.root(), "check .");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("NUMOPE 1 ripetuto"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("TA03.TAB: record 1, campo text0: lunghezza 251"), std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("2024.DER: dimensione di 100 byte"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("NOTE.TXT"), std::string::npos) << r.out;
}

// What killed writers left: listed while their processes are gone, cleared by the next writer.
TEST_F(RecordsTool, CheckListsWhatKilledWritersLeft) {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0);  // a process number nobody bears now
    const std::string gone = std::to_string(child);
    const std::string host = ThisHostName();
    ProcessIdentity dead;
    dead.pid = child;
    dead.host = host;
    std::ofstream(work.registri("2025.RGM"), std::ios::binary) << "";
    std::ofstream(work.registri("2025.RGM.~" + gone + "-4@" + host), std::ios::binary) << "mezzo";
    std::ofstream(work.datiGen("PRAZ.TAB.~" + gone + "-0"), std::ios::binary) << "mezzo";
    std::ofstream(work.registri("2025.RGM$"), std::ios::binary) << LockMarkerText(dead);
    std::ofstream(work.registri("2024.RGM$"), std::ios::binary) << "";  // older copies: unknown
    std::ofstream(work.registri("2024.RGM.~" + std::to_string(::getpid()) + "-1@" + host),
                  std::ios::binary)
        << "in corso";

    test::ShellOutcome r = Tool(work.root(), "check .");
    EXPECT_EQ(r.status, 1) << r.out;
    EXPECT_NE(r.out.find("2025.RGM.~" + gone + "-4@" + host +
                         ": file lasciato a metà da una scrittura interrotta (processo " + gone +
                         " su " + host + ", non più in funzione)"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("PRAZ.TAB.~" + gone + "-0: file lasciato a metà"), std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("2025.RGM$: blocco lasciato da una copia del programma non più in "
                         "funzione (processo " +
                         gone + " su " + host + ")"),
              std::string::npos)
        << r.out;
    EXPECT_EQ(r.out.find("2024.RGM"), std::string::npos) << "live or unknown: " << r.out;

    // The next writer of the register takes the marker over and removes its leftover.
    AddMovement(work.registri("2025.RGM"), BlankMovement(), BlankMovement());
    r = Tool(work.root(), "check .");
    EXPECT_EQ(r.out.find("2025.RGM"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("PRAZ.TAB.~"), std::string::npos) << r.out;
}

TEST_F(RecordsTool, CheckRefusesAFolderThatIsNotAWorkFolder) {
    const test::ShellOutcome r = Tool(work.root(), "check REGISTRI");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("non è una cartella di lavoro"), std::string::npos) << r.out;
}

// A data folder copied from Windows keeps the signing paths of that computer in APPL.CFG:
// the check names each one, with where to change it; paths of this computer pass.
TEST_F(RecordsTool, CheckNamesTheSigningPathsOfAWindowsComputer) {
    struct Row {
        const char* name;
        std::vector<std::string> slots;                     // text slots 0, 1, 2
        std::vector<std::pair<int, std::string>> reported;  // slot and caption
    };
    const Row rows[] = {
        {"this computer", {"/opt/firma/FirmaVerifica", "/srv/firma/dafirmare/", "/srv/firma/"}, {}},
        {"a drive letter",
         {"", "c:/FIRMA/DAFIRMARE/", "/srv/firma/"},
         {{1, "Cartella di destinazione dei FILE da FIRMARE"}}},
        {"the whole Windows set",
         {"C:\\Programmi\\FirmaVerifica\\FirmaVerifica.exe", "C:\\FIRMA\\DAFIRMARE\\",
          "\\\\server\\firma\\FIRMATI\\"},
         {{0, "Programma \"FIRMAVERIFICA\""},
          {1, "Cartella di destinazione dei FILE da FIRMARE"},
          {2, "Cartella di destinazione dei FILE FIRMATI"}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const json appl = {{"number", 0}, {"text", row.slots}};
        ASSERT_EQ(Tool(work.root(), "load DATI_GEN/APPL.CFG", appl.dump() + "\n").status, 0);
        const test::ShellOutcome r = Tool(work.root(), "check .");
        EXPECT_EQ(r.status, row.reported.empty() ? 0 : 1) << r.out;
        std::string expected;
        for (const auto& [slot, caption] : row.reported)
            expected += "./DATI_GEN/APPL.CFG: " + caption + " è un percorso di Windows (" +
                        row.slots[static_cast<std::size_t>(slot)] +
                        "): indicare quello di questo computer in Dati Aziendali → Percorsi di "
                        "FirmaeVerifica (path)\n";
        EXPECT_EQ(r.out.substr(0, expected.size()), expected);
    }
}

TEST_F(RecordsTool, TellsItsVersion) {
    const test::ShellOutcome r = Tool(work.root(), "--version");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "braxol-records " BRAXOL_VERSION "\n");
}

}  // namespace
}  // namespace braxol
