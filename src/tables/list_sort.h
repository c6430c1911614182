#pragma once
// What the list window and the movement chooser do alike with their rows: the look of the
// list, sorting the rows by a clicked column while keeping the selection, and reading the
// chosen row.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "tables/row_file.h"

class QTableWidget;

namespace braxol::tables {

// A list of whole rows, one selected at a time, not editable, in Courier New 9, without row
// headers, with clickable column headers.
void SetUpRowList(QTableWidget* list);

// Sorts the rows by the column (SortRowsByColumn), refills the list with `fill`, shows the
// ascending sort indicator on header `section` and selects the row that was current (the
// first one when none was).
void SortListRows(QTableWidget* list, std::vector<ListRow>& rows, std::size_t column, int section,
                  const std::function<void()>& fill);

// The record number of the current row when it is selected; none otherwise.
std::optional<std::int32_t> ChosenRowNumber(const QTableWidget* list,
                                            const std::vector<ListRow>& rows);

}  // namespace braxol::tables
