#include "sim_cms.h"

// pem.h first: cms.h declares its PEM readers only when it has been included.
#include <openssl/pem.h>

#include <openssl/bio.h>
#include <openssl/cms.h>
#include <openssl/err.h>

#include <memory>

namespace braxol::sim {
namespace {

using Bio = std::unique_ptr<BIO, decltype(&BIO_free)>;
using Cms = std::unique_ptr<CMS_ContentInfo, decltype(&CMS_ContentInfo_free)>;
using Store = std::unique_ptr<X509_STORE, decltype(&X509_STORE_free)>;

SignedFlow Failed(std::string error) {
    SignedFlow flow;
    flow.error = std::move(error);
    ERR_clear_error();
    return flow;
}

std::string OpenSslError() {
    const unsigned long code = ERR_peek_last_error();
    if (code == 0) return {};
    char text[256];
    ERR_error_string_n(code, text, sizeof text);
    return std::string(" (") + text + ")";
}

}  // namespace

SignedFlow OpenSignedFlow(std::string_view signedFile) {
    if (signedFile.empty()) return Failed("file firmato vuoto");
    const auto size = static_cast<int>(signedFile.size());
    Bio in(BIO_new_mem_buf(signedFile.data(), size), BIO_free);
    Cms cms(d2i_CMS_bio(in.get(), nullptr), CMS_ContentInfo_free);
    if (!cms) {
        Bio pem(BIO_new_mem_buf(signedFile.data(), size), BIO_free);
        cms.reset(PEM_read_bio_CMS(pem.get(), nullptr, nullptr, nullptr));
    }
    if (!cms) return Failed("il file non è una busta CMS firmata");
    if (OBJ_obj2nid(CMS_get0_type(cms.get())) != NID_pkcs7_signed)
        return Failed("la busta CMS non contiene una firma");
    if (CMS_get0_content(cms.get()) == nullptr || *CMS_get0_content(cms.get()) == nullptr)
        return Failed("il file firmato non contiene il flusso (firma separata)");

    Bio out(BIO_new(BIO_s_mem()), BIO_free);
    Store store(X509_STORE_new(), X509_STORE_free);
    if (CMS_verify(cms.get(), nullptr, store.get(), nullptr, out.get(),
                   CMS_NO_SIGNER_CERT_VERIFY | CMS_BINARY) != 1)
        return Failed("firma non valida" + OpenSslError());

    char* data = nullptr;
    const long length = BIO_get_mem_data(out.get(), &data);
    SignedFlow flow;
    flow.ok = true;
    flow.content.assign(data, static_cast<std::size_t>(length));
    return flow;
}

}  // namespace braxol::sim
