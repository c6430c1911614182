#include "firma_flows.h"

#include <algorithm>

#include "store/config_files.h"
#include "store/cp1252.h"
#include "store/io_error.h"
#include "store/safe_file.h"
#include "store/work_folders.h"

namespace braxol::firma {
namespace {

bool Digits(const std::string& s, std::size_t from, std::size_t count) {
    return std::all_of(s.begin() + static_cast<std::ptrdiff_t>(from),
                       s.begin() + static_cast<std::ptrdiff_t>(from + count),
                       [](char c) { return c >= '0' && c <= '9'; });
}

fs::path FolderOf(const TTABELLA& paths, int slot) {
    return fs::path(Utf8FromCp1252(paths.text[slot].trimmed()));
}

}  // namespace

WorkSetup ReadWorkSetup(const fs::path& workFolder) {
    const WorkFolders folders = WorkFolders::At(workFolder, WorkFolders::DefaultTemp());
    WorkSetup setup;
    try {
        const TTABELLA paths = ReadConfigRecord(folders.applFile());
        setup.toSign = FolderOf(paths, 1);
        setup.signedFiles = FolderOf(paths, 2);
        const auto company = ReadCompany(folders.companyFile());
        if (company) setup.userCode = company->CODUTE.trimmed();
    } catch (const IoError& e) {
        throw FirmaError(e.italianMessage());
    }
    if (setup.toSign.empty() || setup.signedFiles.empty())
        throw FirmaError(
            "le cartelle dei file da firmare e dei file firmati non sono indicate in " +
            folders.applFile().string() + ": impostarle nel programma BRAXOL");
    if (setup.userCode.size() != 4)
        throw FirmaError("il codice utente dei dati aziendali (" + folders.companyFile().string() +
                         ") manca o non è di 4 caratteri");
    return setup;
}

bool IsFlowName(const std::string& name, const std::string& userCode) {
    return name.size() == 12 && userCode.size() == 4 && name.compare(0, 4, userCode) == 0 &&
           Digits(name, 4, 4) && name.compare(8, 2, ".C") == 0 && Digits(name, 10, 2);
}

std::vector<std::string> PendingFlows(const WorkSetup& setup) {
    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(setup.toSign, ec);
    if (ec)
        throw FirmaError("cartella dei file da firmare non leggibile: " + setup.toSign.string() +
                         " (" + ec.message() + ")");
    for (const auto& entry : it) {
        const std::string name = entry.path().filename().string();
        std::error_code typeError;
        if (!entry.is_regular_file(typeError) || !IsFlowName(name, setup.userCode)) continue;
        if (fs::exists(setup.signedFiles / (name + ".p7m"), typeError)) continue;
        names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<SigningResult> SignPending(const WorkSetup& setup, const Signer& signer) {
    std::vector<SigningResult> results;
    for (const std::string& name : PendingFlows(setup)) {
        SigningResult result{name, setup.signedFiles / (name + ".p7m"), {}};
        try {
            const auto content = ReadWholeFile(setup.toSign / name);
            if (!content) continue;  // taken away meanwhile
            ReplaceFileContent(result.signedFile, signer.sign(*content));
        } catch (const IoError& e) {
            result.error = e.italianMessage();
        } catch (const FirmaError& e) {
            result.error = e.what();
        }
        results.push_back(std::move(result));
    }
    return results;
}

}  // namespace braxol::firma
