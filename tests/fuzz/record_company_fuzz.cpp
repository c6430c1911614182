// The company record DATI_GEN/UTENTE.001 as the program reads it: trimmed, its access address
// joined, its codes checked as the windows check them, written
// into a flow's header, dumped and checked by the support tool.

#include <cstddef>
#include <cstdint>

#include "file_kinds.h"
#include "folder_check.h"
#include "fuzz_input.h"
#include "record_json.h"
#include "store/checks.h"
#include "store/config_files.h"
#include "store/io_error.h"
#include "store/record_file.h"
#include "telematic/flow_file.h"

using namespace braxol;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fs::path file = fuzz::WriteInput("DATI_GEN/UTENTE.001", fuzz::AsText(data, size));
    (void)ReadCompanyOrNothing(file);
    try {
        for (const TUTENTE& stored : ReadRecords<TUTENTE>(file, false))
            (void)records::RecordToJson(records::RecordKind::Company,
                                        reinterpret_cast<const std::byte*>(&stored));
        const auto company = ReadCompany(file);
        if (!company) return 0;
        (void)AccessAddress(*company);
        (void)CheckExciseCode(company->CACCI1.str());
        (void)CheckVatNumber(company->PARIVA.str());
        (void)CheckFiscalCode(company->CODFIS.str());
        (void)telematic::HeaderLine(*company, "ABCD0315.C01", 3);
        (void)telematic::MovementSummaryLine(*company, {});
        TUTENTE changed = *company;
        SetAccessAddress(changed, AccessAddress(*company) + "/servizio");
    } catch (const IoError&) {
        // a damaged file: reported to the user, never written
    }
    (void)records::CheckFile(file);
    return 0;
}
