// The CSV import of a code table: DATI_GEN/<table>.CSV read line by line into the table's
// records, which replace <table>.TAB; the table is then listed as the list window shows it.

#include <cstddef>
#include <cstdint>

#include "fuzz_input.h"
#include "store/io_error.h"
#include "store/table_structures.h"
#include "store/tables.h"
#include "tables/table_listing.h"

using namespace braxol;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fs::path datiGen = fuzz::FuzzFolder() / "DATI_GEN";
    fuzz::WriteInput("DATI_GEN/TA03.CSV", fuzz::AsText(data, size));
    static const bool structured = [&] {
        WriteTableStructure(datiGen, *DefaultStructure("TA03"));
        return true;
    }();
    (void)structured;
    try {
        fs::remove(TableFile(datiGen, "TA03"));
        (void)ImportTableCsv(datiGen, "TA03");
        (void)tables::ListTable(datiGen, "TA03");
    } catch (const IoError&) {
        // reported to the user; the table stays as it was
    }
    return 0;
}
