#include "work_folders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

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
    const fs::path shared = base / "TEMP_ZYMOTEC";
    // The working files (exports, lists, copies of records) are the user's own: a folder of
    // that name that belongs to somebody else, or is not a plain folder, is not used.
    struct stat st {};
    if (::lstat(shared.c_str(), &st) != 0 || (S_ISDIR(st.st_mode) && st.st_uid == ::geteuid()))
        return shared;
    return base / ("TEMP_ZYMOTEC-" + std::to_string(::geteuid()));
}

void WorkFolders::create() const {
    for (const auto& folder : {datiGen, registri}) {
        std::error_code ec;
        fs::create_directories(folder, ec);
        if (ec) throw IoError(folder.string(), ReasonFromErrno(ec.value()));
    }
    // The temporary folder is readable by its owner only.
    std::error_code ec;
    if (!PathExists(temp)) {
        fs::create_directories(temp.parent_path(), ec);
        if (::mkdir(temp.c_str(), 0700) != 0 && errno != EEXIST)
            throw IoError(temp.string(), ReasonFromErrno(errno));
    }
    if (!fs::is_directory(temp, ec))
        throw IoError(temp.string(), "la cartella temporanea non è una cartella");
}

fs::path WorkFolders::inDatiGen(const fs::path& name) const {
    return ResolvePath(datiGen / name);
}
fs::path WorkFolders::inTemp(const fs::path& name) const {
    return ResolvePath(temp / name);
}
fs::path WorkFolders::companyFile() const {
    return inDatiGen("UTENTE.001");
}
fs::path WorkFolders::applFile() const {
    return inDatiGen("APPL.CFG");
}
fs::path WorkFolders::webFile() const {
    return inDatiGen("WEB.CFG");
}
fs::path WorkFolders::pecAccountFile() const {
    return inDatiGen("ACCOUNT_PEC.DAT");
}
fs::path WorkFolders::releaseFile() const {
    return inDatiGen("VERS_ZYMOTEC.DAT");
}
fs::path WorkFolders::requestsFile() const {
    return inDatiGen("PROTRETE.DAT");
}

}  // namespace braxol
