#pragma once
// The rows and columns that the list window shows for a code table, one row per table
// record in file order, each row carrying the record's number.
//
// Most tables show text slot 0 and then each text slot 1..9 that the structure gives a width;
// a column is as wide as its longest text. Four tables have columns of their own:
//   PROTOCOLLI  slot 0, number 0 and number 1 as dates            widths 11, 11, 11
//   ACCISE      number 0 as date, the rate (5 decimals), slot 0   widths 11, 11, 9
//   PRAZ        slot 0, number 0, slot 1, number 1                widths -, 15, 20, 15
//   TA20        slot 0, slot 1, number 0 and 1 as dates, slot 2   widths -, -, 10, 10, 0
// A column of width 0 stays in the rows but is not shown.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "tables/row_file.h"

namespace braxol::tables {

namespace fs = std::filesystem;

// Columns narrower than this are widened when shown.
inline constexpr int kMinimumColumnWidth = 5;

struct TableListing {
    std::string title;                  // the structure's title
    std::vector<std::string> captions;  // the structure's column names, in column order
    std::vector<int> widths;            // width of each column in characters; 0: not shown
    std::vector<ListRow> rows;
};

// The listing of DATI_GEN/<table>.TAB. Without a structure, or without records, it is empty
// (the title stays when the structure exists). A damaged file throws IoError.
TableListing ListTable(const fs::path& datiGen, std::string_view table);

}  // namespace braxol::tables
