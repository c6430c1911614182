#pragma once
// The company record (UTENTE.001), the one-record configuration files (APPL.CFG, WEB.CFG,
// ACCOUNT_PEC.DAT) and the release date (VERS_ZYMOTEC.DAT).

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "records.h"

namespace braxol {

namespace fs = std::filesystem;

// The company record, trimmed; nothing when the file is missing or empty. A damaged file
// throws DamagedFileError, other failures IoError.
std::optional<TUTENTE> ReadCompany(const fs::path& file);
// As the start-up checks read it: any failure counts as no company record.
std::optional<TUTENTE> ReadCompanyOrNothing(const fs::path& file);
// Pads and writes the one record, readable and writable by the owner only (it holds the
// customs password). A damaged file is not overwritten.
void WriteCompany(const fs::path& file, TUTENTE company);

// The customs access address is INDACC1 followed by INDACC2 (117 characters at most).
std::string AccessAddress(const TUTENTE& company);
void SetAccessAddress(TUTENTE& company, std::string_view address);

// Record 0 of a configuration file, trimmed; the blank record when the file is missing or
// empty. A damaged file throws DamagedFileError.
TTABELLA ReadConfigRecord(const fs::path& file);
// As the windows read it: a file that cannot be read gives the blank record.
TTABELLA ReadConfigRecordOrBlank(const fs::path& file);
void WriteConfigRecord(const fs::path& file, TTABELLA record, bool ownerOnly = false);

// The paths of APPL.CFG, each with the caption of its field in the paths window: slot 0 the
// signing program, 1 the folder of the files to sign, 2 the folder of the signed files.
struct StoredPath {
    int slot;
    const char* caption;  // UTF-8
};
inline constexpr StoredPath kSigningPaths[] = {
    {0, "Programma \"FIRMAVERIFICA\""},
    {1, "Cartella di destinazione dei FILE da FIRMARE"},
    {2, "Cartella di destinazione dei FILE FIRMATI"},
};
// The paths of this APPL.CFG record that are Windows paths (IsWindowsPath), in slot order.
std::vector<StoredPath> WindowsSigningPaths(const TTABELLA& appl);

// The installed release date; nothing when missing or unreadable.
std::optional<double> ReadReleaseDate(const fs::path& file);
void WriteReleaseDate(const fs::path& file, double date);

}  // namespace braxol
