#pragma once
// The semicolon-separated exports that a spreadsheet reads (searches of the registers and of
// the tributes): Windows-1252 text, CR LF line ends, a header line, every field followed by
// ";". Texts come from the records as they are, already Windows-1252.

#include <string>
#include <string_view>
#include <vector>

namespace braxol {

// A field as a spreadsheet reads it back whole: a field holding ";", a double quote or a line
// break is surrounded with double quotes and its double quotes are doubled.
std::string CsvField(std::string_view field);

// The fields of one line, each quoted where needed and followed by ";", without the line end.
std::string CsvLine(const std::vector<std::string>& fields);

// A line and its CR LF.
inline constexpr std::string_view kCsvLineEnd = "\r\n";

// The whole file: the header line (written as given) and the lines, each ended by CR LF.
std::string CsvText(std::string_view header, const std::vector<std::string>& lines);

}  // namespace braxol
