#include "config_files.h"

#include <cstring>
#include <vector>

#include "io_error.h"
#include "paths.h"
#include "record_file.h"

namespace braxol {

std::optional<TUTENTE> ReadCompany(const fs::path& file) {
    const auto records = ReadRecords<TUTENTE>(file, false);
    if (records.empty()) return std::nullopt;
    TUTENTE company = records.front();
    TrimTutente(company);
    return company;
}

std::optional<TUTENTE> ReadCompanyOrNothing(const fs::path& file) {
    try {
        return ReadCompany(file);
    } catch (const IoError&) {
        return std::nullopt;
    }
}

void WriteCompany(const fs::path& file, TUTENTE company) {
    PadTutente(company);
    WriteRecords<TUTENTE>(file, std::span(&company, 1), FileAccess::OwnerOnly);
}

std::string AccessAddress(const TUTENTE& company) {
    return std::string(TrimBlanks(company.INDACC1.str() + company.INDACC2.str()));
}

void SetAccessAddress(TUTENTE& company, std::string_view address) {
    const std::string_view first = address.substr(0, std::min<std::size_t>(address.size(), 100));
    const std::string_view rest = address.size() > 100 ? address.substr(100) : std::string_view{};
    company.INDACC1.set(first);
    company.INDACC2.set(rest);
    company.INDACC1.pad();
    company.INDACC2.pad();
}

TTABELLA ReadConfigRecord(const fs::path& file) {
    const auto records = ReadRecords<TTABELLA>(file, false);
    TTABELLA record = records.empty() ? BlankTabella() : records.front();
    TrimTabella(record);
    return record;
}

TTABELLA ReadConfigRecordOrBlank(const fs::path& file) {
    try {
        return ReadConfigRecord(file);
    } catch (const IoError&) {
        TTABELLA blank = BlankTabella();
        TrimTabella(blank);
        return blank;
    }
}

void WriteConfigRecord(const fs::path& file, TTABELLA record, bool ownerOnly) {
    PadTabella(record);
    WriteRecords<TTABELLA>(file, std::span(&record, 1),
                           ownerOnly ? FileAccess::OwnerOnly : FileAccess::Shared);
}

std::optional<double> ReadReleaseDate(const fs::path& file) {
    try {
        const auto dates = ReadRecords<double>(file, false);
        if (dates.empty()) return std::nullopt;
        return dates.front();
    } catch (const IoError&) {
        return std::nullopt;
    }
}

void WriteReleaseDate(const fs::path& file, double date) {
    WriteRecords<double>(file, std::span(&date, 1));
}

std::vector<StoredPath> WindowsSigningPaths(const TTABELLA& appl) {
    std::vector<StoredPath> found;
    for (const StoredPath& path : kSigningPaths)
        if (IsWindowsPath(appl.text[path.slot].trimmed())) found.push_back(path);
    return found;
}

}  // namespace braxol
