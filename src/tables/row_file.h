#pragma once
// TABELLA.TXT, the row file in the temporary folder through which the list window and the
// chooser windows receive their rows. Windows-1252 text, lines ended by CR LF:
//   <first column>          a line not starting with "@" or TAB begins a new row
//   @<record number>        the row's record number, in decimal
//   <TAB><next column>      one line per further column
// Texts are written on one line: line ends and TABs inside a text become blanks.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace braxol::tables {

namespace fs = std::filesystem;

inline constexpr std::string_view kRowFileName = "TABELLA.TXT";

// One row of a list: the record number it stands for and its column texts (Windows-1252).
struct ListRow {
    std::int32_t number = 0;
    std::vector<std::string> columns;

    bool operator==(const ListRow&) const = default;
};

std::string RowFileText(const std::vector<ListRow>& rows);
// Lines "@" or TAB before the first row are ignored; a row without "@" line has number 0.
std::vector<ListRow> ParseRowFile(std::string_view text);

// Replaces the file with the rows (an empty list gives an empty file). Throws IoError.
void WriteRowFile(const fs::path& file, const std::vector<ListRow>& rows);
// The rows of the file; none when it does not exist. Throws IoError.
std::vector<ListRow> ReadRowFile(const fs::path& file);

// Sorts the rows by the text of the column in plain character order (upper and lower case
// apart, so dates sort by day first), keeping the order of equal texts; a row without that
// column counts as empty. Returns where the row at index `current` went: 0 when it is no row.
int SortRowsByColumn(std::vector<ListRow>& rows, std::size_t column, int current);

}  // namespace braxol::tables
