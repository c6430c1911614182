#pragma once
// Where the customs file-transfer service answers: the addresses of the real and the test
// environment, and an extra certificate authority to trust (a training simulator, a
// company proxy). They live in DATI_GEN/WEBSERVICE.CFG, one table record: slot 0 the real
// environment, slot 1 the test environment, slot 2 the PEM file of the authority. A blank
// address stands for the default one.

#include <QString>

#include "store/work_folders.h"

namespace braxol::net {

inline constexpr const char* kEndpointsFileName = "WEBSERVICE.CFG";

struct ServiceEndpoints {
    QString real;
    QString test;
    QString caFile;  // empty: only the system's authorities
};

ServiceEndpoints DefaultEndpoints();

// The file's addresses, blank ones replaced by the defaults; a missing file is written with
// the defaults first. Throws IoError (DamagedFileError for a file of the wrong size).
ServiceEndpoints ReadOrCreateEndpoints(const WorkFolders& folders);
// Keeps the file's other slots. Throws IoError.
void WriteEndpoints(const WorkFolders& folders, const ServiceEndpoints& endpoints);

}  // namespace braxol::net
