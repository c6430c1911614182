#pragma once
// The simulator's own certificate authority and the server certificate it signs for
// 127.0.0.1, made on first use in the simulator's folder. The program is told to trust the
// authority's file (ca.pem) in the web-addresses window.

#include <filesystem>

namespace braxol::sim {

namespace fs = std::filesystem;

struct SimCertificates {
    fs::path authority;   // ca.pem: the file to trust
    fs::path serverCert;  // server.pem
    fs::path serverKey;   // server.key, readable by the owner only
};

// Makes what is missing in `folder` (created when needed). The server certificate names the
// address 127.0.0.1 only. Throws std::runtime_error.
SimCertificates EnsureCertificates(const fs::path& folder);

}  // namespace braxol::sim
