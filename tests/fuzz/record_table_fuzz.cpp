// A file of TTABELLA records as the program reads it: a code table DATI_GEN/<table>.TAB with
// its structure <table>.STR, and a one-record configuration file (APPL.CFG). The same bytes
// serve as the table, its structure and the configuration: looked up by key and number, the
// excise rate found, listed in the list window's rows, a record placed and removed, dumped
// and checked by the support tool.

#include <cstddef>
#include <cstdint>
#include <stdexcept>

#include "file_kinds.h"
#include "folder_check.h"
#include "fuzz_input.h"
#include "record_json.h"
#include "store/config_files.h"
#include "store/dates.h"
#include "store/io_error.h"
#include "store/numbers.h"
#include "store/record_file.h"
#include "store/tables.h"
#include "tables/row_file.h"
#include "tables/table_listing.h"

using namespace braxol;

namespace {

void WorkOnTable(const fs::path& datiGen, std::string_view table) {
    const fs::path file = TableFile(datiGen, table);
    if (const auto structure = ReadTableStructure(datiGen, table)) {
        (void)structure->keyCount();
        (void)structure->columns();
        (void)StructureRecord(*structure);
    }
    std::vector<TTABELLA> stored = ReadRecords<TTABELLA>(file, false);
    for (const TTABELLA& record : stored) {
        (void)records::RecordToJson(records::RecordKind::Table,
                                    reinterpret_cast<const std::byte*>(&record));
        (void)FormatDate(record.num[kExciseDateSlot]);
        (void)FormatAmount(record.num[kExciseRateSlot], 11, 5);
    }
    const TTABELLA key = stored.empty() ? BlankTabella() : stored.front();
    (void)FindByKey(datiGen, table, key);
    (void)FindByKey(datiGen, table, key, LetterCase::Ignored);
    (void)ReadByNumber(stored.empty() ? 1 : stored.back().number, file);
    const double day = DateFromCivil(2024, 6, 1);
    (void)ExciseRateAt(datiGen, RateMode::InForce, day);
    (void)ExciseRateAt(datiGen, RateMode::Exact, day);
    const auto listing = tables::ListTable(datiGen, table);
    (void)tables::ParseRowFile(tables::RowFileText(listing.rows));
    try {
        std::vector<TTABELLA> changed = stored;
        const TTABELLA placed = PlaceTableRecord(changed, BlankTabella());
        (void)PlaceTableRecordByDate(changed, key, kExciseDateSlot);
        (void)RemoveTableRecord(changed, placed.number);
    } catch (const std::overflow_error&) {
        // no record number left: refused
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::AsText(data, size);
    const fs::path datiGen = fuzz::FuzzFolder() / "DATI_GEN";
    for (const char* name : {"ACCISE.TAB", "ACCISE.STR", "TA03.TAB", "TA03.STR", "APPL.CFG"})
        fuzz::WriteInput(fs::path("DATI_GEN") / name, bytes);
    for (const char* table : {"ACCISE", "TA03"}) {
        try {
            WorkOnTable(datiGen, table);
        } catch (const IoError&) {
            // a damaged file: reported to the user, never written
        }
    }
    (void)ReadConfigRecordOrBlank(datiGen / "APPL.CFG");
    (void)records::CheckFile(datiGen / "ACCISE.TAB");
    (void)records::CheckFile(datiGen / "ACCISE.STR");
    return 0;
}
