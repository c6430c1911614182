#include "csv.h"

namespace braxol {

std::string CsvField(std::string_view field) {
    if (field.find_first_of(";\"\r\n") == std::string_view::npos) return std::string(field);
    std::string quoted = "\"";
    for (char c : field) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

std::string CsvLine(const std::vector<std::string>& fields) {
    std::string line;
    for (const std::string& f : fields) {
        line += CsvField(f);
        line += ';';
    }
    return line;
}

std::string CsvText(std::string_view header, const std::vector<std::string>& lines) {
    std::string csv = std::string(header) + std::string(kCsvLineEnd);
    for (const std::string& line : lines) csv += line + std::string(kCsvLineEnd);
    return csv;
}

}  // namespace braxol
