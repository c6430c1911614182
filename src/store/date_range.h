#pragma once
// The range of dates that the searches, the summary and the registers print: two typed dates
// "dd/mm/yyyy", each a real date of a year from 2000 to 2100, the end not before the start;
// the registers also want both in one year, since they read one year's file.

#include <string_view>

namespace braxol {

// Which field a failed check sends the user back to.
enum class DateRangeError { None, Start, End };

struct DateRange {
    DateRangeError error = DateRangeError::None;
    double from = 0;  // whole days
    double to = 0;
    int days() const { return static_cast<int>(to - from) + 1; }
};

enum class RangeYears { Any, Same };

DateRange CheckDateRange(std::string_view start, std::string_view end,
                         RangeYears years = RangeYears::Any);

}  // namespace braxol
