#pragma once
// A work folder whose configuration passes the readiness check: company data entered,
// signing folders and customs web addresses given.

#include <string>

#include "store/work_folders.h"

namespace braxol::test {

struct CompleteConfiguration {
    std::string meter = "C";   // "C" litre counter, "E" energy meter
    std::string passwordDate;  // "DD/MM/YYYY" or empty
    std::string accessAddress;
    std::string signingProgram = "/opt/firma/FirmaVerifica";
    std::string toSignFolder = "/firma/dafirmare/";
    std::string signedFolder = "/firma/firmati/";
    std::string realAddress = "https://reale.example/";
    std::string testAddress = "https://prova.example/";
    std::string homeAddress = "https://dogane.example/";
};

void WriteConfiguration(const WorkFolders& folders, const CompleteConfiguration& c = {});

// A customs office in the table of offices (TA03), as its window stores it.
void AddCustomsOffice(const WorkFolders& folders, const std::string& code = "IT012100",
                      const std::string& name = "UFFICIO DELLE DOGANE DI AOSTA");

}  // namespace braxol::test
