#include "firma_signer.h"

#include <openssl/bio.h>
#include <openssl/cms.h>
#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/pkcs12.h>
#include <openssl/provider.h>
#include <openssl/rand.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>
#include <sys/stat.h>

#include "store/io_error.h"
#include "store/safe_file.h"

namespace braxol::firma {
namespace {

template <class T, void (*Free)(T*)>
struct Deleter {
    void operator()(T* p) const { Free(p); }
};
using Bio = std::unique_ptr<BIO, Deleter<BIO, BIO_free_all>>;
using Cert = std::unique_ptr<X509, Deleter<X509, X509_free>>;
using Key = std::unique_ptr<EVP_PKEY, Deleter<EVP_PKEY, EVP_PKEY_free>>;
using Cms = std::unique_ptr<CMS_ContentInfo, Deleter<CMS_ContentInfo, CMS_ContentInfo_free>>;
using Pkcs12 = std::unique_ptr<PKCS12, Deleter<PKCS12, PKCS12_free>>;
using Ext = std::unique_ptr<X509_EXTENSION, Deleter<X509_EXTENSION, X509_EXTENSION_free>>;

void FreeCertStack(STACK_OF(X509) * s) {
    sk_X509_pop_free(s, X509_free);
}
using Chain = std::unique_ptr<STACK_OF(X509), Deleter<STACK_OF(X509), FreeCertStack>>;

// The reason OpenSSL gives for the last failure.
std::string OpenSslReason() {
    const unsigned long code = ERR_get_error();
    ERR_clear_error();
    if (code == 0) return "errore sconosciuto";
    char text[256];
    ERR_error_string_n(code, text, sizeof text);
    return text;
}

[[noreturn]] void Fail(const std::string& what) {
    throw FirmaError(what + ": " + OpenSslReason());
}

std::string BioText(BIO* bio) {
    char* data = nullptr;
    const long size = BIO_get_mem_data(bio, &data);
    return std::string(data, static_cast<std::size_t>(size));
}

std::string ReadFile(const fs::path& file) {
    try {
        const auto content = ReadWholeFile(file);
        if (!content) throw FirmaError("file inesistente: " + file.string());
        return *content;
    } catch (const IoError& e) {
        throw FirmaError(e.italianMessage());
    }
}

void WriteOwnerOnly(const fs::path& file, const std::string& content) {
    try {
        ReplaceFileContent(file, content, FileAccess::OwnerOnly);
    } catch (const IoError& e) {
        throw FirmaError(e.italianMessage());
    }
}

void AddExtension(X509* cert, int nid, const char* value) {
    X509V3_CTX ctx;
    X509V3_set_ctx_nodb(&ctx);
    X509V3_set_ctx(&ctx, cert, cert, nullptr, nullptr, 0);
    Ext ext(X509V3_EXT_conf_nid(nullptr, &ctx, nid, value));
    if (!ext || !X509_add_ext(cert, ext.get(), -1)) Fail("estensione del certificato di prova");
}

// A self-signed certificate for signing, valid ten years.
Cert MakeTestCertificate(EVP_PKEY* key) {
    Cert cert(X509_new());
    if (!cert) Fail("certificato di prova");
    X509_set_version(cert.get(), X509_VERSION_3);
    unsigned char serial[16];
    if (RAND_bytes(serial, sizeof serial) != 1) Fail("numero di serie del certificato di prova");
    serial[0] &= 0x7F;
    std::unique_ptr<BIGNUM, Deleter<BIGNUM, BN_free>> bn(BN_bin2bn(serial, sizeof serial, nullptr));
    BN_to_ASN1_INTEGER(bn.get(), X509_get_serialNumber(cert.get()));
    X509_gmtime_adj(X509_getm_notBefore(cert.get()), -60);
    X509_gmtime_adj(X509_getm_notAfter(cert.get()), 10L * 365 * 24 * 3600);
    X509_NAME* name = X509_get_subject_name(cert.get());
    auto add = [name](const char* field, const char* value) {
        X509_NAME_add_entry_by_txt(name, field, MBSTRING_UTF8,
                                   reinterpret_cast<const unsigned char*>(value), -1, -1, 0);
    };
    add("O", "BRAXOL");
    add("CN", "Certificato di prova di braxol-firma (non valido per la dogana)");
    X509_set_issuer_name(cert.get(), name);
    X509_set_pubkey(cert.get(), key);
    AddExtension(cert.get(), NID_basic_constraints, "critical,CA:FALSE");
    AddExtension(cert.get(), NID_key_usage, "critical,digitalSignature,nonRepudiation");
    AddExtension(cert.get(), NID_subject_key_identifier, "hash");
    if (!X509_sign(cert.get(), key, EVP_sha256())) Fail("firma del certificato di prova");
    return cert;
}

}  // namespace

struct Signer::Keys {
    Cert cert;
    Key key;
    Chain chain;
};

Signer::Signer(std::unique_ptr<Keys> keys) : keys_(std::move(keys)) {}
Signer::Signer(Signer&&) noexcept = default;
Signer& Signer::operator=(Signer&&) noexcept = default;
Signer::~Signer() = default;

Signer Signer::FromPkcs12(const fs::path& file, const std::string& password) {
    const std::string bytes = ReadFile(file);
    auto parse = [&](Keys& keys) {
        Bio in(BIO_new_mem_buf(bytes.data(), static_cast<int>(bytes.size())));
        Pkcs12 p12(d2i_PKCS12_bio(in.get(), nullptr));
        if (!p12) return false;
        EVP_PKEY* key = nullptr;
        X509* cert = nullptr;
        STACK_OF(X509)* ca = nullptr;
        if (!PKCS12_parse(p12.get(), password.c_str(), &key, &cert, &ca)) return false;
        keys.key.reset(key);
        keys.cert.reset(cert);
        keys.chain.reset(ca);
        return true;
    };
    auto keys = std::make_unique<Keys>();
    if (!parse(*keys)) {
        // Certificates exported by older programs use ciphers that OpenSSL keeps apart, loaded
        // (with the default ciphers beside them) for this reading only: a provider still loaded
        // when the process ends keeps what OpenSSL cached for it, never freed.
        ERR_clear_error();
        OSSL_PROVIDER* legacy = OSSL_PROVIDER_load(nullptr, "legacy");
        OSSL_PROVIDER* standard = OSSL_PROVIDER_load(nullptr, "default");
        const bool read = parse(*keys);
        for (OSSL_PROVIDER* loaded : {legacy, standard})
            if (loaded) OSSL_PROVIDER_unload(loaded);
        if (!read)
            Fail("impossibile leggere il certificato " + file.string() +
                 " (password errata o file non PKCS#12)");
    }
    if (!keys->cert || !keys->key)
        throw FirmaError("il file " + file.string() + " non contiene certificato e chiave privata");
    if (X509_check_private_key(keys->cert.get(), keys->key.get()) != 1)
        Fail("la chiave privata del file " + file.string() + " non corrisponde al certificato");
    return Signer(std::move(keys));
}

Signer Signer::TestCertificate(const fs::path& folder, bool* created) {
    const fs::path certFile = folder / kTestCertificateName;
    const fs::path keyFile = folder / kTestKeyName;
    auto keys = std::make_unique<Keys>();
    std::error_code ec;
    if (fs::exists(certFile, ec) && fs::exists(keyFile, ec)) {
        const std::string certPem = ReadFile(certFile);
        const std::string keyPem = ReadFile(keyFile);
        Bio certIn(BIO_new_mem_buf(certPem.data(), static_cast<int>(certPem.size())));
        Bio keyIn(BIO_new_mem_buf(keyPem.data(), static_cast<int>(keyPem.size())));
        keys->cert.reset(PEM_read_bio_X509(certIn.get(), nullptr, nullptr, nullptr));
        keys->key.reset(PEM_read_bio_PrivateKey(keyIn.get(), nullptr, nullptr, nullptr));
        if (!keys->cert || !keys->key)
            Fail("certificato di prova illeggibile in " + folder.string());
        if (created) *created = false;
        return Signer(std::move(keys));
    }

    fs::create_directories(folder, ec);
    if (ec)
        throw FirmaError("impossibile creare la cartella " + folder.string() + ": " + ec.message());
    ::chmod(folder.c_str(), S_IRWXU);
    keys->key.reset(EVP_RSA_gen(2048));
    if (!keys->key) Fail("chiave del certificato di prova");
    keys->cert = MakeTestCertificate(keys->key.get());

    Bio keyOut(BIO_new(BIO_s_mem()));
    Bio certOut(BIO_new(BIO_s_mem()));
    if (!PEM_write_bio_PrivateKey(keyOut.get(), keys->key.get(), nullptr, nullptr, 0, nullptr,
                                  nullptr) ||
        !PEM_write_bio_X509(certOut.get(), keys->cert.get()))
        Fail("scrittura del certificato di prova");
    WriteOwnerOnly(keyFile, BioText(keyOut.get()));
    WriteOwnerOnly(certFile, BioText(certOut.get()));
    if (created) *created = true;
    return Signer(std::move(keys));
}

std::string Signer::sign(std::string_view content) const {
    Bio in(BIO_new_mem_buf(content.data(), static_cast<int>(content.size())));
    // Binary: the flow's CR LF travel as they are.
    Cms cms(
        CMS_sign(keys_->cert.get(), keys_->key.get(), keys_->chain.get(), in.get(), CMS_BINARY));
    if (!cms) Fail("firma non riuscita");
    Bio out(BIO_new(BIO_s_mem()));
    if (!i2d_CMS_bio(out.get(), cms.get())) Fail("firma non riuscita");
    return BioText(out.get());
}

std::string Signer::subject() const {
    Bio out(BIO_new(BIO_s_mem()));
    X509_NAME_print_ex(out.get(), X509_get_subject_name(keys_->cert.get()), 0,
                       XN_FLAG_ONELINE & ~ASN1_STRFLGS_ESC_MSB);
    return BioText(out.get());
}

std::string Signer::certificatePem() const {
    Bio out(BIO_new(BIO_s_mem()));
    PEM_write_bio_X509(out.get(), keys_->cert.get());
    return BioText(out.get());
}

}  // namespace braxol::firma
