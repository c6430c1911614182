#pragma once
// Which flows wait for a signature, and their signing: every flow file of the brewery's user
// code in the folder of files to sign that has no signed twin (flow name + ".p7m") in the
// folder of signed files.

#include <filesystem>
#include <string>
#include <vector>

#include "firma_error.h"
#include "firma_signer.h"

namespace braxol::firma {

namespace fs = std::filesystem;

struct WorkSetup {
    fs::path toSign;       // the DAFIRMARE folder of APPL.CFG
    fs::path signedFiles;  // the FIRMATI folder
    std::string userCode;  // CODUTE of the company record
};

// The folders of DATI_GEN/APPL.CFG and the user code of DATI_GEN/UTENTE.001 of a work folder.
// Throws FirmaError when they are missing.
WorkSetup ReadWorkSetup(const fs::path& workFolder);

// A flow file name of this user: CODUTE + MMDD + ".C" + two digits.
bool IsFlowName(const std::string& name, const std::string& userCode);

// The names of the flows waiting for a signature, in name order.
std::vector<std::string> PendingFlows(const WorkSetup& setup);

struct SigningResult {
    std::string flow;     // the flow's name
    fs::path signedFile;  // where the signed file was written
    std::string error;    // empty when signed
};

// Signs every waiting flow; each signed file is written beside and renamed into place, so
// that nobody ever sees half of it.
std::vector<SigningResult> SignPending(const WorkSetup& setup, const Signer& signer);

}  // namespace braxol::firma
