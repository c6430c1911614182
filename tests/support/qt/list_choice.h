#pragma once
// Working the list window by keys: a row selected then Enter, or Escape.

#include <gtest/gtest.h>

#include <QStringList>
#include <QTableWidget>
#include <QTest>
#include <functional>

#include "tables/listview.h"

namespace braxol::test {

// Chooses a row; `seen` (when given) gets the caption and the first column of every row.
inline std::function<void(tables::TFLISTVIEW*)> ChooseRow(int row, QStringList* seen = nullptr) {
    return [row, seen](tables::TFLISTVIEW* list) {
        auto* rows = list->findChild<QTableWidget*>("LISTA");
        ASSERT_NE(rows, nullptr);
        if (seen) {
            *seen << list->windowTitle();
            for (int r = 0; r < rows->rowCount(); ++r) *seen << rows->item(r, 0)->text();
        }
        rows->selectRow(row);
        QTest::keyClick(rows, Qt::Key_Return);
    };
}

inline void LeaveList(tables::TFLISTVIEW* list) {
    QTest::keyClick(list->findChild<QTableWidget*>("LISTA"), Qt::Key_Escape);
}

}  // namespace braxol::test
