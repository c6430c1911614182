#pragma once
// The semicolon-separated exports of the searches, as a spreadsheet on Windows reads them:
// Windows-1252 bytes, lines ended by CR LF, every field followed by ";", and a field that would
// shift the columns or split the line quoted.

#include <string>
#include <string_view>
#include <vector>

namespace braxol::reports {

// A field as a spreadsheet reads it back whole: a field holding ";", a double quote or a line
// break is surrounded with double quotes and its double quotes are doubled.
std::string CsvField(std::string_view field);

// The fields of one line, each written with CsvField and followed by ";", without the line end.
std::string CsvLine(const std::vector<std::string>& fields);

// The whole file: the header line (written as given) and the lines, each ended by CR LF.
std::string CsvText(std::string_view header, const std::vector<std::string>& lines);

}  // namespace braxol::reports
