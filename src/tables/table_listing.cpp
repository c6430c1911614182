#include "tables/table_listing.h"

#include <algorithm>
#include <functional>

#include "store/dates.h"
#include "store/numbers.h"
#include "store/paths.h"
#include "store/record_file.h"
#include "store/records.h"
#include "store/table_structures.h"

namespace braxol::tables {
namespace {

// How one column is made from a record, and its width: fixed, or -1 for the longest text.
struct Column {
    std::function<std::string(const TTABELLA&)> text;
    int width;
};

Column Slot(int slot, int width = -1) {
    return {[slot](const TTABELLA& r) { return r.text[slot].trimmed(); }, width};
}
Column Date(int number, int width) {
    return {[number](const TTABELLA& r) { return FormatDate(r.num[number]); }, width};
}
Column Amount(int number, int amountWidth, int decimals, int width) {
    return {[=](const TTABELLA& r) { return FormatAmount(r.num[number], amountWidth, decimals); },
            width};
}

std::vector<Column> ColumnsOf(const std::string& table, const TableStructure& structure) {
    if (table == "PROTOCOLLI") return {Slot(0, 11), Date(0, 11), Date(1, 11)};
    if (table == "ACCISE") return {Date(0, 11), Amount(1, 3, 5, 11), Slot(0, 9)};
    if (table == "PRAZ") return {Slot(0), Amount(0, 0, 0, 15), Slot(1, 20), Amount(1, 0, 0, 15)};
    if (table == "TA20") return {Slot(0), Slot(1), Date(0, 10), Date(1, 10), Slot(2, 0)};
    std::vector<Column> columns{Slot(0)};
    for (int slot = 1; slot < kTableFields; ++slot)
        if (structure.widths[slot] > 0) columns.push_back(Slot(slot));
    return columns;
}

}  // namespace

TableListing ListTable(const fs::path& datiGen, std::string_view table) {
    TableListing listing;
    const auto structure = ReadTableStructure(datiGen, table);
    if (!structure) return listing;
    listing.title = structure->title;
    listing.captions = structure->columns();

    const std::vector<TTABELLA> records = ReadRecords<TTABELLA>(TableFile(datiGen, table), false);
    if (records.empty()) return listing;

    const std::vector<Column> columns =
        ColumnsOf(UpperAscii(std::string(TrimBlanks(table))), *structure);
    listing.widths.assign(columns.size(), 0);
    for (std::size_t c = 0; c < columns.size(); ++c)
        if (columns[c].width >= 0) listing.widths[c] = columns[c].width;
    for (const TTABELLA& record : records) {
        ListRow row{record.number, {}};
        for (std::size_t c = 0; c < columns.size(); ++c) {
            row.columns.push_back(columns[c].text(record));
            if (columns[c].width < 0)
                listing.widths[c] =
                    std::max(listing.widths[c], static_cast<int>(row.columns.back().size()));
        }
        listing.rows.push_back(std::move(row));
    }
    return listing;
}

}  // namespace braxol::tables
