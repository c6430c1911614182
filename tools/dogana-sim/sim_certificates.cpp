#include "sim_certificates.h"

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <cstdio>
#include <ctime>
#include <memory>
#include <stdexcept>
#include <string>

namespace braxol::sim {
namespace {

using Key = std::unique_ptr<EVP_PKEY, decltype(&EVP_PKEY_free)>;
using Cert = std::unique_ptr<X509, decltype(&X509_free)>;
using File = std::unique_ptr<FILE, decltype(&std::fclose)>;

constexpr long kValidSeconds = 10L * 365 * 24 * 3600;

void Require(bool ok, const char* what) {
    if (!ok) throw std::runtime_error(std::string("certificati del simulatore: ") + what);
}

Key NewKey() {
    Key key(EVP_EC_gen("P-256"), EVP_PKEY_free);
    Require(key != nullptr, "chiave non generata");
    return key;
}

void AddExtension(X509* cert, X509* issuer, int nid, const char* value) {
    X509V3_CTX ctx;
    X509V3_set_ctx_nodb(&ctx);
    X509V3_set_ctx(&ctx, issuer, cert, nullptr, nullptr, 0);
    X509_EXTENSION* ext = X509V3_EXT_conf_nid(nullptr, &ctx, nid, value);
    Require(ext != nullptr, "estensione non valida");
    X509_add_ext(cert, ext, -1);
    X509_EXTENSION_free(ext);
}

Cert NewCertificate(EVP_PKEY* key, const char* commonName, long serial) {
    Cert cert(X509_new(), X509_free);
    Require(cert != nullptr, "certificato non creato");
    X509_set_version(cert.get(), 2);
    ASN1_INTEGER_set(X509_get_serialNumber(cert.get()), serial);
    X509_gmtime_adj(X509_getm_notBefore(cert.get()), -3600);
    X509_gmtime_adj(X509_getm_notAfter(cert.get()), kValidSeconds);
    X509_set_pubkey(cert.get(), key);
    X509_NAME* name = X509_get_subject_name(cert.get());
    X509_NAME_add_entry_by_txt(name, "O", MBSTRING_ASC,
                               reinterpret_cast<const unsigned char*>("BRAXOL addestramento"), -1,
                               -1, 0);
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC,
                               reinterpret_cast<const unsigned char*>(commonName), -1, -1, 0);
    return cert;
}

File Open(const fs::path& path, bool secret) {
    if (secret) {
        // Created owner-only before anything is written into it.
        File f(std::fopen(path.c_str(), "wb"), std::fclose);
        Require(f != nullptr, "file non scrivibile");
        fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write,
                        fs::perm_options::replace);
        return f;
    }
    File f(std::fopen(path.c_str(), "wb"), std::fclose);
    Require(f != nullptr, "file non scrivibile");
    return f;
}

void WriteCertificate(const fs::path& path, X509* cert) {
    File f = Open(path, false);
    Require(PEM_write_X509(f.get(), cert) == 1, "certificato non scritto");
}

void WriteKey(const fs::path& path, EVP_PKEY* key) {
    File f = Open(path, true);
    Require(PEM_write_PrivateKey(f.get(), key, nullptr, nullptr, 0, nullptr, nullptr) == 1,
            "chiave non scritta");
}

Cert ReadCertificate(const fs::path& path) {
    File f(std::fopen(path.c_str(), "rb"), std::fclose);
    Require(f != nullptr, "certificato dell'autorità non leggibile");
    Cert cert(PEM_read_X509(f.get(), nullptr, nullptr, nullptr), X509_free);
    Require(cert != nullptr, "certificato dell'autorità non valido");
    return cert;
}

Key ReadKey(const fs::path& path) {
    File f(std::fopen(path.c_str(), "rb"), std::fclose);
    Require(f != nullptr, "chiave dell'autorità non leggibile");
    Key key(PEM_read_PrivateKey(f.get(), nullptr, nullptr, nullptr), EVP_PKEY_free);
    Require(key != nullptr, "chiave dell'autorità non valida");
    return key;
}

}  // namespace

SimCertificates EnsureCertificates(const fs::path& folder) {
    fs::create_directories(folder);
    const SimCertificates files{folder / "ca.pem", folder / "server.pem", folder / "server.key"};
    const fs::path authorityKey = folder / "ca.key";

    if (!fs::exists(files.authority) || !fs::exists(authorityKey)) {
        Key key = NewKey();
        Cert ca = NewCertificate(key.get(), "BRAXOL simulatore dogana - autorita di prova",
                                 static_cast<long>(std::time(nullptr)));
        X509_set_issuer_name(ca.get(), X509_get_subject_name(ca.get()));
        AddExtension(ca.get(), ca.get(), NID_basic_constraints, "critical,CA:TRUE");
        AddExtension(ca.get(), ca.get(), NID_key_usage, "critical,keyCertSign,cRLSign");
        AddExtension(ca.get(), ca.get(), NID_subject_key_identifier, "hash");
        Require(X509_sign(ca.get(), key.get(), EVP_sha256()) > 0, "firma dell'autorità");
        WriteKey(authorityKey, key.get());
        WriteCertificate(files.authority, ca.get());
        fs::remove(files.serverCert);  // a new authority needs a new server certificate
    }
    if (!fs::exists(files.serverCert) || !fs::exists(files.serverKey)) {
        Cert ca = ReadCertificate(files.authority);
        Key caKey = ReadKey(authorityKey);
        Key key = NewKey();
        Cert server =
            NewCertificate(key.get(), "127.0.0.1", static_cast<long>(std::time(nullptr)) + 1);
        X509_set_issuer_name(server.get(), X509_get_subject_name(ca.get()));
        AddExtension(server.get(), ca.get(), NID_basic_constraints, "critical,CA:FALSE");
        AddExtension(server.get(), ca.get(), NID_key_usage, "critical,digitalSignature");
        AddExtension(server.get(), ca.get(), NID_ext_key_usage, "serverAuth");
        AddExtension(server.get(), ca.get(), NID_subject_alt_name, "IP:127.0.0.1");
        AddExtension(server.get(), ca.get(), NID_authority_key_identifier, "keyid:always");
        Require(X509_sign(server.get(), caKey.get(), EVP_sha256()) > 0, "firma del server");
        WriteKey(files.serverKey, key.get());
        WriteCertificate(files.serverCert, server.get());
    }
    return files;
}

}  // namespace braxol::sim
