// Writes the seed corpus of the fuzz targets (tests/fuzz/corpus/<target>/) from real files:
// the golden files of the tests, records composed as the entry windows compose them, and the
// documents and replies that the training customs service writes.
//   fuzz_make_seeds <corpus folder>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "file_kinds.h"
#include "record_json.h"
#include "sim_flow_check.h"
#include "sim_outcome.h"
#include "sim_soap.h"
#include "store/dates.h"
#include "store/records.h"
#include "store/safe_file.h"
#include "store/table_structures.h"
#include "store/tables.h"
#include "support/record_builders.h"

namespace {

namespace fs = std::filesystem;
using namespace braxol;
using records::RecordKind;

fs::path corpus;

void Seed(const std::string& target, const std::string& name, std::string_view bytes) {
    fs::create_directories(corpus / target);
    std::ofstream out(corpus / target / name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

template <class T>
std::string Bytes(const std::vector<T>& records) {
    return {reinterpret_cast<const char*>(records.data()), records.size() * sizeof(T)};
}

std::string FileText(const fs::path& file) {
    return ReadWholeFile(file).value_or("");
}

// The records of a golden .jsonl file, as the support tool's load writes them.
std::string RecordsOfJsonLines(const fs::path& file, RecordKind kind) {
    std::string bytes;
    std::string record(records::RecordSize(kind), '\0');
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        if (line.empty()) continue;
        records::RecordFromJson(kind, nlohmann::json::parse(line),
                                reinterpret_cast<std::byte*>(record.data()));
        bytes += record;
    }
    return bytes;
}

// The golden files below tests/, not the corpus itself.
std::vector<fs::path> GoldenFiles() {
    std::vector<fs::path> files;
    const fs::path tests = BRAXOL_TESTS_DIR;
    for (auto it = fs::recursive_directory_iterator(tests); it != fs::recursive_directory_iterator();
         ++it) {
        if (it->path() == tests / "fuzz") it.disable_recursion_pending();
        else if (it->is_regular_file()) files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

// A seed's name from its golden file's path below tests/.
std::string NameOf(const fs::path& file) {
    std::string name = file.lexically_relative(BRAXOL_TESTS_DIR).string();
    for (char& c : name)
        if (c == '/') c = '_';
    return name;
}

void RecordFiles() {
    for (const fs::path& file : GoldenFiles()) {
        if (file.extension() != ".jsonl") continue;
        // UTENTE.jsonl holds the company record UTENTE.001.
        const auto kind = file.stem() == "UTENTE" ? std::optional(RecordKind::Company)
                                                  : records::KindOfFile(file.stem());
        if (!kind) continue;
        const std::string kindByte(1, static_cast<char>(*kind));
        Seed("records_load", NameOf(file), kindByte + FileText(file));
        const std::string target =
            *kind == RecordKind::Movement ? "record_movements" : "record_company";
        Seed(target, NameOf(file), RecordsOfJsonLines(file, *kind));
    }
    const double day = test::Day(2024, 3, 15);
    Seed("record_movements", "built_entries",
         Bytes(std::vector<TMOVIMENTO>{
             test::Stored(test::Production(day, 100, 250, "cotta chiara"), 1, 1),
             test::Stored(test::Wash(day, 250, 260), 2, 2),
             test::Stored(test::RawMaterial(day, "C", "MALTO PILS", 125.5), 3, 1),
             test::Stored(test::Tribute("E", "03", 1234.56), 4, 0, "A", "R")}));

    std::vector<TTABELLA> structures;
    for (const TableStructure& s : DefaultStructures()) structures.push_back(StructureRecord(s));
    Seed("record_table", "default_structures", Bytes(structures));
    Seed("record_table", "ACCISE.STR",
         Bytes(std::vector{StructureRecord(*DefaultStructure("ACCISE"))}));
    std::vector<TTABELLA> rates;
    for (const auto& [year, rate] : {std::pair{2019, 2.99}, {2022, 2.97}, {2024, 2.99}}) {
        TTABELLA r = BlankTabella();
        r.text[0].set("1411");
        r.text[10].set("ACCISE");
        r.num[kExciseDateSlot] = DateFromCivil(year, 1, 1);
        r.num[kExciseRateSlot] = rate;
        PlaceTableRecordByDate(rates, r, kExciseDateSlot);
    }
    Seed("record_table", "ACCISE.TAB", Bytes(rates));
    Seed("records_load", "ACCISE.TAB.jsonl",
         std::string(1, static_cast<char>(RecordKind::Table)) +
             records::RecordToJson(RecordKind::Table, reinterpret_cast<const std::byte*>(&rates[0]))
                 .dump() +
             "\n");

    const double release = DateFromCivil(2024, 11, 5);
    const std::string releaseBytes(reinterpret_cast<const char*>(&release), sizeof release);
    Seed("record_value", "VERS_ZYMOTEC.DAT", releaseBytes);
    Seed("update_reply", "VERS_ZYMOTEC.DAT", releaseBytes);
    Seed("records_load", "VERS_ZYMOTEC.DAT.jsonl",
         std::string(1, static_cast<char>(RecordKind::ReleaseDate)) + "{\"date\":45601}\n");

    Seed("table_csv", "TA03.CSV",
         "0101;BIRRA CHIARA;X;;LAGER\r\n0102;BIRRA \"ROSSA\";;X;ALE\r\n!commento\r\n"
         " riga saltata\r\n0103;BIRRA SCURA\r\n\r\n0104;;;;;;;;;;;oltre\r\n");
}

void Flows() {
    for (const fs::path& file : GoldenFiles()) {
        const std::string ext = file.extension().string();
        if (ext.size() != 4 || ext.substr(0, 3) != ".C0") continue;
        const std::string name = file.filename().string();
        const std::string flow = FileText(file);
        Seed("sim_flow", NameOf(file), name + "\n" + flow);
        const sim::FlowCheck check = sim::CheckFlow(flow, name);
        const std::string outcome =
            check.requestFlow ? sim::BuildRequestOutcomeDocument(
                                    name, check, "000000000000001",
                                    std::vector<std::string>(check.requests.size(), "000123"))
                              : sim::BuildOutcomeDocument(name, check, "000000000000001");
        Seed(check.requestFlow ? "request_outcome" : "outcome_document", NameOf(file), outcome);
        // The outcome of the same flow with a damaged detail line.
        std::string damaged = flow;
        if (const auto at = damaged.find("\r\n");
            at != std::string::npos && at + 40 < damaged.size())
            damaged[at + 30] = '#';
        const sim::FlowCheck refused = sim::CheckFlow(damaged, name);
        if (!check.requestFlow)
            Seed("outcome_document", NameOf(file) + ".errori",
                 sim::BuildOutcomeDocument(name, refused, "000000000000002"));

        const std::string envelope = sim::ResultEnvelope("get", "esito allegato");
        const sim::HttpBody mime = sim::MimeWithAttachment(envelope, outcome);
        const sim::HttpBody dime = sim::DimeWithAttachment(envelope, outcome);
        Seed("soap_reply", NameOf(file) + ".mime", mime.contentType + "\n" + mime.body);
        Seed("soap_reply", NameOf(file) + ".dime", dime.contentType + "\n" + dime.body);
    }
    Seed("soap_reply", "put_result",
         "text/xml; charset=utf-8\n" + sim::ResultEnvelope("put", "File acquisito con successo"));
    Seed(
        "soap_reply", "fault",
        "text/xml; charset=utf-8\n" + sim::FaultEnvelope("soapenv:Server", "Utente non abilitato"));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "uso: fuzz_make_seeds CARTELLA\n";
        return 2;
    }
    corpus = argv[1];
    RecordFiles();
    Flows();
    return 0;
}
