// The fields and lines of the semicolon-separated exports.

#include <gtest/gtest.h>

#include "reports/csv_export.h"

namespace braxol {
namespace {

TEST(CsvExport, FieldsThatWouldShiftTheColumnsAreQuoted) {
    struct Row {
        std::string field;
        std::string written;
    };
    const Row rows[] = {
        {"", ""},
        {"1.234,56", "1.234,56"},
        {"semplice nota", "semplice nota"},
        {"a;b", "\"a;b\""},
        {"riga uno\r\nriga due", "\"riga uno\r\nriga due\""},
        {"solo\ncapo", "\"solo\ncapo\""},
        {"detto \"buono\"", "\"detto \"\"buono\"\"\""},
        {"\"", "\"\"\"\""},
        {"; \"x\"", "\"; \"\"x\"\"\""},
    };
    for (const Row& row : rows) EXPECT_EQ(reports::CsvField(row.field), row.written);
}

TEST(CsvExport, EveryFieldIsFollowedBySemicolonAndEveryLineEndsWithCrLf) {
    EXPECT_EQ(reports::CsvLine({"3", "", "a;b"}), "3;;\"a;b\";");
    EXPECT_EQ(reports::CsvLine({}), "");
    EXPECT_EQ(reports::CsvText("A;B;", {"1;2;", "3;4;"}), "A;B;\r\n1;2;\r\n3;4;\r\n");
    EXPECT_EQ(reports::CsvText("A;B;", {}), "A;B;\r\n");
}

}  // namespace
}  // namespace braxol
