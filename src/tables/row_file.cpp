#include "tables/row_file.h"

#include <algorithm>
#include <charconv>

#include "store/safe_file.h"

namespace braxol::tables {
namespace {

std::string OneLine(std::string_view text) {
    std::string line(text);
    for (char& c : line)
        if (c == '\r' || c == '\n' || c == '\t') c = ' ';
    return line;
}

std::int32_t NumberOf(std::string_view digits) {
    std::int32_t n = 0;
    const char* first = digits.data();
    const char* last = digits.data() + digits.size();
    while (first < last && *first == ' ') ++first;
    std::from_chars(first, last, n);
    return n;
}

}  // namespace

std::string RowFileText(const std::vector<ListRow>& rows) {
    std::string text;
    for (const ListRow& row : rows) {
        text += row.columns.empty() ? std::string() : OneLine(row.columns.front());
        text += "\r\n@" + std::to_string(row.number) + "\r\n";
        for (std::size_t i = 1; i < row.columns.size(); ++i)
            text += "\t" + OneLine(row.columns[i]) + "\r\n";
    }
    return text;
}

std::vector<ListRow> ParseRowFile(std::string_view text) {
    std::vector<ListRow> rows;
    while (!text.empty()) {
        const auto end = text.find_first_of("\r\n");
        const std::string_view line = text.substr(0, end);
        if (end == std::string_view::npos) {
            text = {};
        } else {
            const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
            text.remove_prefix(end + (crlf ? 2 : 1));
        }
        if (!line.empty() && line.front() == '@') {
            if (!rows.empty()) rows.back().number = NumberOf(line.substr(1));
        } else if (!line.empty() && line.front() == '\t') {
            if (!rows.empty()) rows.back().columns.emplace_back(line.substr(1));
        } else {
            rows.push_back({0, {std::string(line)}});
        }
    }
    return rows;
}

void WriteRowFile(const fs::path& file, const std::vector<ListRow>& rows) {
    ReplaceFileContent(file, RowFileText(rows));
}

std::vector<ListRow> ReadRowFile(const fs::path& file) {
    const auto text = ReadWholeFile(file);
    return text ? ParseRowFile(*text) : std::vector<ListRow>{};
}

int SortRowsByColumn(std::vector<ListRow>& rows, std::size_t column, int current) {
    const std::size_t keep = current >= 0 ? static_cast<std::size_t>(current) : rows.size();
    std::vector<std::size_t> order(rows.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    auto textOf = [&](std::size_t i) -> std::string_view {
        const auto& columns = rows[i].columns;
        return column < columns.size() ? std::string_view(columns[column]) : std::string_view();
    };
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return textOf(a) < textOf(b); });
    std::vector<ListRow> sorted;
    sorted.reserve(order.size());
    int selected = 0;
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (order[i] == keep) selected = static_cast<int>(i);
        sorted.push_back(rows[order[i]]);
    }
    rows = std::move(sorted);
    return selected;
}

}  // namespace braxol::tables
