#include "folder_check.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <system_error>

#include "file_kinds.h"
#include "store/config_files.h"
#include "store/cp1252.h"
#include "store/io_error.h"
#include "store/leftovers.h"
#include "store/lock.h"
#include "store/paths.h"
#include "store/safe_file.h"

namespace braxol::records {
namespace fs = std::filesystem;

std::vector<std::string> CheckFile(const fs::path& file) {
    std::vector<std::string> problems;
    const auto kind = KindOfFile(file);
    if (!kind) return problems;
    const std::string name = file.string();
    std::optional<std::string> bytes;
    try {
        bytes = ReadWholeFile(file);
    } catch (const IoError& e) {
        problems.push_back(name + ": non leggibile (" + e.reason() + ")");
        return problems;
    }
    if (!bytes) return problems;
    const std::size_t size = RecordSize(*kind);
    if (bytes->size() % size != 0) {
        problems.push_back(name + ": dimensione di " + std::to_string(bytes->size()) +
                           " byte, non multipla del record " + KindName(*kind) + " di " +
                           std::to_string(size) + " byte");
        return problems;
    }
    const auto* data = reinterpret_cast<const std::byte*>(bytes->data());
    const std::size_t count = bytes->size() / size;
    std::map<std::int32_t, std::size_t> seen;  // NUMOPE -> first record index
    for (std::size_t k = 0; k < count; ++k) {
        const std::byte* rec = data + k * size;
        for (const auto& f : FieldsOf(*kind)) {
            if (f.type != FieldType::Text) continue;
            const auto len = static_cast<unsigned char>(rec[f.offset]);
            if (len > f.capacity)
                problems.push_back(name + ": record " + std::to_string(k + 1) + ", campo " +
                                   std::string(f.name) + ": lunghezza " + std::to_string(len) +
                                   " oltre il massimo di " + std::to_string(f.capacity));
        }
        if (*kind == RecordKind::Movement) {
            std::int32_t numope;
            std::memcpy(&numope, rec, sizeof numope);
            const auto [it, inserted] = seen.emplace(numope, k);
            if (!inserted)
                problems.push_back(name + ": NUMOPE " + std::to_string(numope) +
                                   " ripetuto nei record " + std::to_string(it->second + 1) +
                                   " e " + std::to_string(k + 1));
        }
    }
    return problems;
}

std::vector<std::string> CheckSigningPaths(const fs::path& applFile) {
    std::vector<std::string> problems;
    TTABELLA appl;
    try {
        appl = ReadConfigRecord(applFile);
    } catch (const IoError&) {
        return problems;  // reported with the other damaged files
    }
    for (const StoredPath& path : WindowsSigningPaths(appl))
        problems.push_back(applFile.string() + ": " + path.caption + " è un percorso di Windows (" +
                           Utf8FromCp1252(appl.text[path.slot].trimmed()) +
                           "): indicare quello di questo computer in Dati Aziendali → Percorsi "
                           "di FirmaeVerifica (path)");
    return problems;
}

std::vector<std::string> CheckLeftovers(const fs::path& folder) {
    std::vector<std::string> problems;
    for (const Leftover& leftover : LeftoversIn(folder)) {
        const std::string who =
            "processo " + std::to_string(leftover.writer.pid) + " su " + leftover.writer.host;
        if (WriterGone(leftover)) {
            problems.push_back(leftover.path.string() +
                               ": file lasciato a metà da una scrittura interrotta (" + who +
                               ", non più in funzione); lo rimuove la prossima scrittura di " +
                               leftover.dataFile.filename().string());
        } else if (leftover.writer.host != ThisHostName()) {
            problems.push_back(leftover.path.string() + ": file di una scrittura in corso o " +
                               "interrotta su un altro computer (" + who + ")");
        }
    }
    std::error_code ec;
    std::vector<fs::path> markers;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (!name.empty() && name.back() == '$') markers.push_back(it->path());
    }
    std::sort(markers.begin(), markers.end());
    for (const fs::path& marker : markers) {
        const auto holder = ReadLockHolder(marker);
        if (!holder || !ProcessGone(*holder)) continue;
        problems.push_back(marker.string() +
                           ": blocco lasciato da una copia del programma non più in funzione "
                           "(processo " +
                           std::to_string(holder->pid) + " su " + holder->host +
                           "); lo riprende la prossima scrittura del file");
    }
    return problems;
}

CheckReport CheckWorkFolder(const fs::path& root) {
    CheckReport report;
    bool anyFolder = false;
    for (const char* folderName : {"DATI_GEN", "REGISTRI"}) {
        const fs::path folder = ResolvePath(root / folderName);
        std::error_code ec;
        if (!fs::is_directory(folder, ec)) continue;
        anyFolder = true;
        std::vector<fs::path> files;
        for (const auto& entry : fs::directory_iterator(folder, ec)) {
            std::error_code entryError;  // a dangling link is not the folder's fault
            if (entry.is_regular_file(entryError) && KindOfFile(entry.path()))
                files.push_back(entry.path());
        }
        if (ec)
            report.problems.push_back(folder.string() + ": cartella non leggibile (" +
                                      ReasonFromErrno(ec.value()) + ")");
        std::sort(files.begin(), files.end());
        for (const auto& file : files) {
            ++report.filesChecked;
            for (auto& p : CheckFile(file)) report.problems.push_back(std::move(p));
        }
    }
    for (auto& p : CheckSigningPaths(ResolvePath(root / "DATI_GEN" / "APPL.CFG")))
        report.problems.push_back(std::move(p));
    if (anyFolder) {
        for (const fs::path& folder :
             {root, ResolvePath(root / "DATI_GEN"), ResolvePath(root / "REGISTRI")})
            for (auto& p : CheckLeftovers(folder)) report.problems.push_back(std::move(p));
    }
    if (!anyFolder)
        report.problems.push_back(root.string() +
                                  ": non è una cartella di lavoro (mancano DATI_GEN e REGISTRI)");
    return report;
}

}  // namespace braxol::records
