#include "tables/list_sort.h"

#include <QHeaderView>
#include <QTableWidget>

namespace braxol::tables {

void SetUpRowList(QTableWidget* list) {
    QFont font("Courier New", 9);
    font.setStyleHint(QFont::TypeWriter);
    list->setFont(font);
    list->setShowGrid(true);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setWordWrap(false);
    list->verticalHeader()->hide();
    list->horizontalHeader()->setSectionsClickable(true);
    list->horizontalHeader()->setHighlightSections(false);
    list->horizontalHeader()->setStretchLastSection(false);
}

void SortListRows(QTableWidget* list, std::vector<ListRow>& rows, std::size_t column, int section,
                  const std::function<void()>& fill) {
    const int selected = SortRowsByColumn(rows, column, list->currentRow());
    fill();
    list->horizontalHeader()->setSortIndicatorShown(true);
    list->horizontalHeader()->setSortIndicator(section, Qt::AscendingOrder);
    if (list->rowCount() > 0) list->selectRow(selected);
}

std::optional<std::int32_t> ChosenRowNumber(const QTableWidget* list,
                                            const std::vector<ListRow>& rows) {
    const int row = list->currentRow();
    if (row < 0 || row >= static_cast<int>(rows.size()) || list->selectedItems().isEmpty())
        return std::nullopt;
    return rows[static_cast<std::size_t>(row)].number;
}

}  // namespace braxol::tables
