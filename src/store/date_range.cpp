#include "date_range.h"

#include <cmath>

#include "dates.h"

namespace braxol {
namespace {

// The year of a date that the checks accept, or 0.
int AcceptedYear(double date) {
    const auto civil = CivilFromDate(date);
    return civil && civil->year >= 2000 && civil->year <= 2100 ? civil->year : 0;
}

}  // namespace

DateRange CheckDateRange(std::string_view start, std::string_view end, RangeYears years) {
    DateRange range;
    const auto from = ParseDate(start);
    const int fromYear = from ? AcceptedYear(*from) : 0;
    if (fromYear == 0) {
        range.error = DateRangeError::Start;
        return range;
    }
    const auto to = ParseDate(end);
    const int toYear = to ? AcceptedYear(*to) : 0;
    if (toYear == 0 || std::floor(*to) < std::floor(*from) ||
        (years == RangeYears::Same && toYear != fromYear)) {
        range.error = DateRangeError::End;
        return range;
    }
    range.from = std::floor(*from);
    range.to = std::floor(*to);
    return range;
}

}  // namespace braxol
