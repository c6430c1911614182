#pragma once
// Signing with OpenSSL: a CMS SignedData in DER with the signed content attached, the file the
// customs service accepts as a ".p7m".

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "firma_error.h"

namespace braxol::firma {

namespace fs = std::filesystem;

inline constexpr const char* kTestCertificateName = "certificato-prova.pem";
inline constexpr const char* kTestKeyName = "chiave-prova.pem";

class Signer {
public:
    // The certificate and key of a PKCS#12 file (older files with legacy ciphers too).
    // Throws FirmaError (a wrong password included).
    static Signer FromPkcs12(const fs::path& file, const std::string& password);
    // The self-signed test certificate of the settings folder, created there the first time
    // (folder and files readable by their owner only); `created` tells whether it was made now.
    // Throws FirmaError.
    static Signer TestCertificate(const fs::path& folder, bool* created = nullptr);

    Signer(Signer&&) noexcept;
    Signer& operator=(Signer&&) noexcept;
    ~Signer();

    // The CMS SignedData (DER) of the bytes, the bytes attached unchanged. Throws FirmaError.
    std::string sign(std::string_view content) const;
    // The certificate's subject, one line.
    std::string subject() const;
    // The certificate in PEM, for whoever verifies the signatures.
    std::string certificatePem() const;

private:
    struct Keys;
    explicit Signer(std::unique_ptr<Keys> keys);
    std::unique_ptr<Keys> keys_;
};

}  // namespace braxol::firma
