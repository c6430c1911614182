#pragma once
// The company record (UTENTE.001), the one-record configuration files (APPL.CFG, WEB.CFG,
// ACCOUNT_PEC.DAT) and the release date (VERS_ZYMOTEC.DAT).

#include <filesystem>
#include <optional>
#include <string>

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

// The installed release date; nothing when missing or unreadable.
std::optional<double> ReadReleaseDate(const fs::path& file);
void WriteReleaseDate(const fs::path& file, double date);

}  // namespace braxol
