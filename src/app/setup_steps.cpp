#include "app/setup_steps.h"

#include "app/configuration_check.h"
#include "store/config_files.h"
#include "store/io_error.h"
#include "store/record_file.h"
#include "store/table_structures.h"
#include "store/tables.h"

namespace braxol::app {
namespace {

bool TableHoldsRecords(const WorkFolders& folders, const char* table) {
    try {
        return !ReadRecords<TTABELLA>(TableFile(folders.datiGen, table), false).empty();
    } catch (const IoError&) {
        return false;
    }
}

template <const char* table>
bool TableFilled(const WorkFolders& folders, double) {
    return TableHoldsRecords(folders, table);
}

constexpr char kOffices[] = "TA03";
constexpr char kProductCodes[] = "TA20";
constexpr char kBeerTypes[] = "PRAZ";
constexpr char kProtocols[] = "PROTOCOLLI";

bool CompanyDone(const WorkFolders& folders, double) {
    const auto company = ReadCompanyOrNothing(folders.companyFile());
    return company && CompanyDataEntered(*company);
}

bool ExciseRateDone(const WorkFolders& folders, double today) {
    try {
        return ExciseRateAt(folders.datiGen, RateMode::InForce, today).found;
    } catch (const IoError&) {
        return false;
    }
}

bool SigningPathsDone(const WorkFolders& folders, double) {
    const TTABELLA paths = ReadConfigRecordOrBlank(folders.applFile());
    return SigningFoldersGiven(paths) && SigningPathsOfThisComputer(paths);
}

bool WebAddressesDone(const WorkFolders& folders, double) {
    return WebAddressesGiven(ReadConfigRecordOrBlank(folders.webFile()));
}

// The register protocols come last: their window opens only once the checks pass.
const SetupStep kSteps[] = {
    {"Dati fiscali e anagrafici dell'azienda", "Action9", CompanyDone},
    {"Uffici doganali", "Action4", TableFilled<kOffices>},
    {"Codici dei prodotti", "Action2", TableFilled<kProductCodes>},
    {"Importo dell'accisa in vigore", "Action3", ExciseRateDone},
    {"Tipi di birra prodotti", "Action8", TableFilled<kBeerTypes>},
    {"Programma di firma e sue cartelle", "Action10", SigningPathsDone},
    {"Indirizzi web delle dogane", "Action11", WebAddressesDone},
    {"Protocolli dei registri", "Action7", TableFilled<kProtocols>},
};

}  // namespace

std::span<const SetupStep> SetupSteps() {
    return kSteps;
}

}  // namespace braxol::app
