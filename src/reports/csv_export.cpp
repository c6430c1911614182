#include "reports/csv_export.h"

namespace braxol::reports {

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
    for (const std::string& f : fields) line += CsvField(f) + ";";
    return line;
}

std::string CsvText(std::string_view header, const std::vector<std::string>& lines) {
    std::string csv = std::string(header) + "\r\n";
    for (const std::string& line : lines) csv += line + "\r\n";
    return csv;
}

}  // namespace braxol::reports
