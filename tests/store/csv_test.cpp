// The exports' fields and lines, and the date ranges of the searches and registers, as rows.

#include <gtest/gtest.h>

#include <string>

#include "store/csv.h"
#include "store/date_range.h"
#include "store/dates.h"

namespace braxol {
namespace {

TEST(Csv, FieldsThatWouldShiftTheColumnsAreQuoted) {
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
        {"caff\xE8", "caff\xE8"},  // Windows-1252 bytes go through as they are
    };
    for (const Row& row : rows) EXPECT_EQ(CsvField(row.field), row.written);
    EXPECT_EQ(CsvLine({"1", "a;b", "", " "}), "1;\"a;b\";; ;");
    EXPECT_EQ(CsvLine({}), "");
    EXPECT_EQ(CsvText("A;B;", {"1;2;", "3;4;"}), "A;B;\r\n1;2;\r\n3;4;\r\n");
    EXPECT_EQ(CsvText("A;B;", {}), "A;B;\r\n");
}

TEST(DateRangeCheck, RowsOfTypedRanges) {
    struct Row {
        const char* start;
        const char* end;
        RangeYears years;
        DateRangeError error;
        int days;
    };
    const Row rows[] = {
        {"01/03/2025", "31/03/2025", RangeYears::Any, DateRangeError::None, 31},
        {"15/03/2025", "15/03/2025", RangeYears::Same, DateRangeError::None, 1},
        {"15/12/2024", "15/01/2025", RangeYears::Any, DateRangeError::None, 32},
        {"15/12/2024", "15/01/2025", RangeYears::Same, DateRangeError::End, 0},
        {"31/02/2025", "15/03/2025", RangeYears::Any, DateRangeError::Start, 0},
        {"  /  /    ", "15/03/2025", RangeYears::Any, DateRangeError::Start, 0},
        {"01/01/1999", "15/03/2025", RangeYears::Any, DateRangeError::Start, 0},
        {"01/01/2101", "02/01/2101", RangeYears::Any, DateRangeError::Start, 0},
        {"31/12/2100", "31/12/2100", RangeYears::Same, DateRangeError::None, 1},
        {"01/01/2000", "01/01/2101", RangeYears::Any, DateRangeError::End, 0},
        {"10/03/2025", "09/03/2025", RangeYears::Any, DateRangeError::End, 0},
        {"10/03/2025", "32/03/2025", RangeYears::Any, DateRangeError::End, 0},
    };
    for (const Row& row : rows) {
        const DateRange r = CheckDateRange(row.start, row.end, row.years);
        EXPECT_EQ(r.error, row.error) << row.start << " " << row.end;
        if (row.error != DateRangeError::None) continue;
        EXPECT_EQ(r.days(), row.days) << row.start << " " << row.end;
        EXPECT_EQ(r.from, *ParseDate(row.start));
        EXPECT_EQ(r.to, *ParseDate(row.end));
    }
}

}  // namespace
}  // namespace braxol
