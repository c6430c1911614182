// braxol-records: support tool for the data files.
//   braxol-records dump FILE [--kind K]   one JSON object per line for each record
//   braxol-records load FILE [--kind K]   writes the file from JSON lines on standard input
//   braxol-records check FOLDER           reports damaged files of a work folder and signing
//                                         paths that only a Windows computer has
//   braxol-records --version

#include <algorithm>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "file_kinds.h"
#include "folder_check.h"
#include "project_version.h"
#include "record_json.h"
#include "store/io_error.h"
#include "store/lock.h"
#include "store/paths.h"
#include "store/record_file.h"

namespace {

using namespace braxol;
using namespace braxol::records;

constexpr int kDamaged = 1;
constexpr int kFailure = 2;

int Usage() {
    std::cerr << "uso: braxol-records dump FILE [--kind TMOVIMENTO|TUTENTE|TTABELLA|DOUBLE]\n"
                 "     braxol-records load FILE [--kind ...] [--empty]  (righe JSON dallo standard "
                 "input)\n"
                 "     braxol-records check CARTELLA\n"
                 "     braxol-records --version\n";
    return kFailure;
}

std::optional<RecordKind> ChooseKind(const fs::path& file,
                                     const std::optional<std::string>& given) {
    if (given) {
        auto kind = KindFromName(*given);
        if (!kind) std::cerr << "tipo di record sconosciuto: " << *given << "\n";
        return kind;
    }
    auto kind = KindOfFile(file);
    if (!kind)
        std::cerr << file.string()
                  << ": tipo di record non riconoscibile dal nome; indicarlo con --kind\n";
    return kind;
}

int Dump(const fs::path& file, RecordKind kind) {
    if (!PathExists(file)) {
        std::cerr << file.string() << ": file inesistente\n";
        return kFailure;
    }
    std::string bytes = ReadRecordBytes(file, RecordSize(kind), false);
    const std::size_t size = RecordSize(kind);
    for (std::size_t at = 0; at < bytes.size(); at += size)
        std::cout
            << RecordToJson(kind, reinterpret_cast<const std::byte*>(bytes.data() + at)).dump()
            << "\n";
    return 0;
}

int Load(const fs::path& file, RecordKind kind, bool allowEmpty) {
    const std::size_t size = RecordSize(kind);
    std::string content;
    std::string line;
    int lineNumber = 0;
    std::vector<std::byte> record(size);
    while (std::getline(std::cin, line)) {
        ++lineNumber;
        if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
        try {
            RecordFromJson(kind, nlohmann::json::parse(line), record.data());
        } catch (const nlohmann::json::exception&) {
            std::cerr << "riga " << lineNumber
                      << ": JSON non valido; il file non è stato scritto\n";
            return kFailure;
        } catch (const JsonRecordError& e) {
            std::cerr << "riga " << lineNumber << ": " << e.what()
                      << "; il file non è stato scritto\n";
            return kFailure;
        }
        content.append(reinterpret_cast<const char*>(record.data()), size);
    }
    if (content.empty() && !allowEmpty) {
        std::cerr << "nessun record da scrivere: il file non è stato scritto (per svuotarlo "
                     "usare --empty)\n";
        return kFailure;
    }
    FileLock lock(file);
    RequireWholeRecords(file, size);
    // The company record and the e-mail account hold passwords.
    const std::string name = UpperAscii(file.filename().string());
    const bool secret = name == "UTENTE.001" || name == "ACCOUNT_PEC.DAT";
    ReplaceFileContent(file, content, secret ? FileAccess::OwnerOnly : FileAccess::Shared);
    return 0;
}

int Check(const fs::path& folder) {
    const CheckReport report = CheckWorkFolder(folder);
    for (const auto& p : report.problems) std::cout << p << "\n";
    if (report.ok()) {
        std::cout << "Controllati " << report.filesChecked << " file: nessun danno trovato.\n";
        return 0;
    }
    std::cout << "Trovati " << report.problems.size() << " problemi in " << report.filesChecked
              << " file controllati.\n";
    return kDamaged;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::optional<std::string> kindName;
    bool allowEmpty = false;
    if (auto it = std::find(args.begin(), args.end(), "--empty"); it != args.end()) {
        allowEmpty = true;
        args.erase(it);
    }
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--kind" && i + 1 < args.size()) {
            kindName = args[i + 1];
            args.erase(args.begin() + static_cast<std::ptrdiff_t>(i),
                       args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
            break;
        }
    }
    if (args.size() == 1 && args[0] == "--version") {
        std::cout << "braxol-records " << kProgramVersion << "\n";
        return 0;
    }
    if (args.size() != 2) return Usage();
    const std::string& command = args[0];
    try {
        if (command == "check") return Check(args[1]);
        if (command != "dump" && command != "load") return Usage();
        const fs::path file = ResolvePath(args[1]);
        const auto kind = ChooseKind(file, kindName);
        if (!kind) return kFailure;
        return command == "dump" ? Dump(file, *kind) : Load(file, *kind, allowEmpty);
    } catch (const IoError& e) {
        std::cerr << e.italianMessage() << "\n";
        return kFailure;
    }
}
