#include "support/cms/cms_signing.h"

#include <openssl/bio.h>
#include <openssl/cms.h>
#include <openssl/evp.h>
#include <openssl/x509.h>

#include <memory>
#include <stdexcept>

namespace braxol::test {
namespace {

using Bio = std::unique_ptr<BIO, decltype(&BIO_free)>;
using Cms = std::unique_ptr<CMS_ContentInfo, decltype(&CMS_ContentInfo_free)>;
using Key = std::unique_ptr<EVP_PKEY, decltype(&EVP_PKEY_free)>;
using Cert = std::unique_ptr<X509, decltype(&X509_free)>;

void Require(bool ok, const char* what) {
    if (!ok) throw std::runtime_error(what);
}

}  // namespace

std::string SignForTest(std::string_view content) {
    Key key(EVP_EC_gen("P-256"), EVP_PKEY_free);
    Require(key != nullptr, "key");
    Cert cert(X509_new(), X509_free);
    X509_set_version(cert.get(), 2);
    ASN1_INTEGER_set(X509_get_serialNumber(cert.get()), 7);
    X509_gmtime_adj(X509_getm_notBefore(cert.get()), -3600);
    X509_gmtime_adj(X509_getm_notAfter(cert.get()), 3600);
    X509_set_pubkey(cert.get(), key.get());
    X509_NAME* name = X509_get_subject_name(cert.get());
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC,
                               reinterpret_cast<const unsigned char*>("Birrificio di prova"), -1,
                               -1, 0);
    X509_set_issuer_name(cert.get(), name);
    Require(X509_sign(cert.get(), key.get(), EVP_sha256()) > 0, "certificate");

    Bio in(BIO_new_mem_buf(content.data(), static_cast<int>(content.size())), BIO_free);
    Cms cms(CMS_sign(cert.get(), key.get(), nullptr, in.get(), CMS_BINARY), CMS_ContentInfo_free);
    Require(cms != nullptr, "sign");
    Bio out(BIO_new(BIO_s_mem()), BIO_free);
    Require(i2d_CMS_bio(out.get(), cms.get()) == 1, "encode");
    char* data = nullptr;
    const long length = BIO_get_mem_data(out.get(), &data);
    return std::string(data, static_cast<std::size_t>(length));
}

std::string TamperedSignature(std::string_view content) {
    std::string signedFile = SignForTest(content);
    // The content travels as it is inside the DER: change one of its bytes.
    const std::size_t at = signedFile.find(std::string(content.substr(0, 16)));
    Require(at != std::string::npos, "content not found");
    signedFile[at + 4] = signedFile[at + 4] == 'X' ? 'Y' : 'X';
    return signedFile;
}

}  // namespace braxol::test
