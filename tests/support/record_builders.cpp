#include "support/record_builders.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "store/dates.h"
#include "store/table_structures.h"
#include "store/tables.h"

namespace braxol::test {

double Day(int year, int month, int day) {
    return DateFromCivil(year, month, day);
}

namespace {

TMOVIMENTO RegisterMovement(double day, int inter1, int inter2, std::string_view codmov) {
    TMOVIMENTO r = BlankMovement();
    r.DATMOV = day;
    r.STATO.set(" ");
    r.TIPREC.set("C");
    r.TIPRIC.set("I");
    r.TIPREG.set("F");
    r.FLAGS1.set("S");
    r.TIPMOV.set("C");
    r.CODMOV.set(codmov);
    r.CODUFF.set("ITPDM100");
    r.ANNPRO.set("2025");
    r.NUMPRO.set("12345");
    r.INTER1 = inter1;
    r.INTER2 = inter2;
    return r;
}

}  // namespace

TMOVIMENTO Production(double day, int inter1, int inter2, std::string_view note) {
    TMOVIMENTO r = RegisterMovement(day, inter1, inter2, "114");
    r.CODACC.set("001");
    r.TIPDOC.set("VIA");
    r.PRODAZ.set("BIONDA");
    r.PRODDO.set("22030001");
    r.COERES = 1.0;
    r.LITPRO = inter2 - inter1;
    r.GRAPLA = 12.5;
    r.ETTOGR = r.LITPRO / 100.0 * r.GRAPLA;
    r.DATDOC = day;
    r.ANNOTA.set(note);
    PadMovement(r);
    return r;
}

TMOVIMENTO Wash(double day, int inter1, int inter2) {
    TMOVIMENTO r = RegisterMovement(day, inter1, inter2, "129");
    r.PRODDO.set("LAVAGGIO");
    r.COERES = 1.0;
    PadMovement(r);
    return r;
}

TMOVIMENTO RawMaterial(double day, std::string_view tipmov, std::string_view material,
                       double quantity) {
    TMOVIMENTO r = BlankMovement();
    r.DATMOV = day;
    r.STATO.set(" ");
    r.TIPREC.set("C");
    r.TIPRIC.set("I");
    r.TIPMOV.set(tipmov);
    r.PRODDO.set(material);
    r.QUANTI = quantity;
    PadMovement(r);
    return r;
}

TMOVIMENTO Tribute(std::string_view tiprec, std::string_view period, double amount) {
    TMOVIMENTO r = BlankMovement();
    r.STATO.set(" ");
    r.TIPREC.set(tiprec);
    r.TIPRIC.set("I");
    r.ANNPRO.set("2025");
    r.CODPAE.set(period);
    r.QUANTI = amount;
    PadMovement(r);
    return r;
}

TMOVIMENTO Stored(TMOVIMENTO r, int numope, int progre, std::string_view stato,
                  std::string_view tipric) {
    r.NUMOPE = numope;
    r.PROGRE = progre;
    r.STATO.set(stato);
    r.TIPRIC.set(tipric);
    PadMovement(r);
    return r;
}

TMOVIMENTO NoSelection() {
    return BlankMovement();
}

std::string FileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const fs::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

void WriteMovements(const fs::path& path, const std::vector<TMOVIMENTO>& records) {
    WriteFileBytes(path, std::string_view(reinterpret_cast<const char*>(records.data()),
                                          records.size() * sizeof(TMOVIMENTO)));
}

std::vector<std::string> FolderNames(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool SameBytes(const TMOVIMENTO& a, const TMOVIMENTO& b) {
    return std::memcmp(&a, &b, sizeof(TMOVIMENTO)) == 0;
}

bool SameBytes(const std::vector<TMOVIMENTO>& a, const std::vector<TMOVIMENTO>& b) {
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(TMOVIMENTO)) == 0);
}

std::vector<int> Numbers(const std::vector<TMOVIMENTO>& records) {
    std::vector<int> n;
    for (const auto& r : records) n.push_back(r.NUMOPE);
    return n;
}

void AddProtocol(const WorkFolders& folders, const std::string& number, double protocolDate,
                 double validFrom, const std::string& office) {
    TTABELLA r = BlankTabella();
    r.text[0].set(number);
    r.text[2].set(office);
    r.text[10].set("PROTOCOLLI");
    r.num[0] = protocolDate;
    r.num[1] = validFrom;
    InsertTableRecordByDate(TableFile(folders.datiGen, "PROTOCOLLI"), r, kProtocolValidFromSlot);
}

}  // namespace braxol::test
