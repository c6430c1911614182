#include "support/configuration.h"

#include "store/config_files.h"
#include "store/table_structures.h"
#include "store/tables.h"

namespace braxol::test {

void WriteConfiguration(const WorkFolders& folders, const CompleteConfiguration& c) {
    TUTENTE company = BlankTutente();
    company.CAUESO.set(c.meter);
    company.DATPSW.set(c.passwordDate);
    SetAccessAddress(company, c.accessAddress);
    WriteCompany(folders.companyFile(), company);
    TTABELLA paths = BlankTabella();
    paths.text[0].set(c.signingProgram);
    paths.text[1].set(c.toSignFolder);
    paths.text[2].set(c.signedFolder);
    WriteConfigRecord(folders.applFile(), paths);
    TTABELLA web = BlankTabella();
    web.text[3].set(c.realAddress);
    web.text[5].set(c.testAddress);
    web.text[7].set(c.homeAddress);
    WriteConfigRecord(folders.webFile(), web);
}

void AddCustomsOffice(const WorkFolders& folders, const std::string& code,
                      const std::string& name) {
    TTABELLA office = BlankTabella();
    office.text[0].set(code);
    office.text[1].set(name);
    office.text[10].set("TA03");
    InsertTableRecord(TableFile(folders.datiGen, "TA03"), office);
}

}  // namespace braxol::test
