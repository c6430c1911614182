#include "work_folders.h"

#include "io_error.h"
#include "paths.h"

namespace braxol {

WorkFolders WorkFolders::At(const fs::path& root, const fs::path& temp) {
    WorkFolders w;
    w.root = root;
    w.datiGen = ResolvePath(root / "DATI_GEN");
    w.registri = ResolvePath(root / "REGISTRI");
    w.temp = temp;
    return w;
}

fs::path WorkFolders::DefaultTemp() {
    std::error_code ec;
    fs::path base = fs::temp_directory_path(ec);
    if (ec) base = "/tmp";
    return base / "TEMP_ZYMOTEC";
}

void WorkFolders::create() const {
    for (const auto& folder : {datiGen, registri, temp}) {
        std::error_code ec;
        fs::create_directories(folder, ec);
        if (ec) throw IoError(folder.string(), ReasonFromErrno(ec.value()));
    }
}

fs::path WorkFolders::inDatiGen(const fs::path& name) const { return ResolvePath(datiGen / name); }
fs::path WorkFolders::inTemp(const fs::path& name) const { return ResolvePath(temp / name); }
fs::path WorkFolders::companyFile() const { return inDatiGen("UTENTE.001"); }
fs::path WorkFolders::applFile() const { return inDatiGen("APPL.CFG"); }
fs::path WorkFolders::webFile() const { return inDatiGen("WEB.CFG"); }
fs::path WorkFolders::pecAccountFile() const { return inDatiGen("ACCOUNT_PEC.DAT"); }
fs::path WorkFolders::releaseFile() const { return inDatiGen("VERS_ZYMOTEC.DAT"); }
fs::path WorkFolders::requestsFile() const { return inDatiGen("PROTRETE.DAT"); }

}  // namespace braxol
