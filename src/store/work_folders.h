#pragma once
// The folders of a work folder and the names of the files the program keeps in them.

#include <filesystem>

namespace braxol {

namespace fs = std::filesystem;

struct WorkFolders {
    fs::path root;      // the folder the program starts in
    fs::path datiGen;   // root/DATI_GEN: company record, configuration, code tables
    fs::path registri;  // root/REGISTRI: the yearly record files
    fs::path temp;      // working files rebuilt by one window for another

    // The folders of `root` (found case-insensitively when they exist with other case).
    static WorkFolders At(const fs::path& root, const fs::path& temp);
    // TEMP_ZYMOTEC inside the system's temporary folder.
    static fs::path DefaultTemp();

    // Creates DATI_GEN, REGISTRI and the temporary folder when missing. Throws IoError.
    void create() const;

    fs::path companyFile() const;      // DATI_GEN/UTENTE.001
    fs::path applFile() const;         // DATI_GEN/APPL.CFG
    fs::path webFile() const;          // DATI_GEN/WEB.CFG
    fs::path pecAccountFile() const;   // DATI_GEN/ACCOUNT_PEC.DAT
    fs::path releaseFile() const;      // DATI_GEN/VERS_ZYMOTEC.DAT
    fs::path requestsFile() const;     // DATI_GEN/PROTRETE.DAT
    fs::path inDatiGen(const fs::path& name) const;
    fs::path inTemp(const fs::path& name) const;
};

}  // namespace braxol
