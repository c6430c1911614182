#pragma once
// Reading a report as the tests of the printed registers do, from its drawing commands: a text
// and where it stands, the texts on the baseline of another, the rules of a page; and working
// a register window: its fields, its forms, the ranges it refuses.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStringList>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <vector>

#include "reports/report.h"
#include "support/qt/widget_helpers.h"

namespace braxol::test::reading {

using reports::DrawCommand;
using reports::Report;

// Every text command of a page, in drawing order.
inline std::vector<const DrawCommand*> TextsOf(const Report& r, int page) {
    std::vector<const DrawCommand*> out;
    for (const auto& c : r.pages().at(static_cast<std::size_t>(page)).commands)
        if (c.kind == DrawCommand::Kind::Text) out.push_back(&c);
    return out;
}

inline std::vector<const DrawCommand*> LinesOf(const Report& r, int page) {
    std::vector<const DrawCommand*> out;
    for (const auto& c : r.pages().at(static_cast<std::size_t>(page)).commands)
        if (c.kind == DrawCommand::Kind::Line) out.push_back(&c);
    return out;
}

// The first text of the page that reads `text`; nullptr when there is none.
inline const DrawCommand* Find(const Report& r, int page, const QString& text) {
    for (const DrawCommand* c : TextsOf(r, page))
        if (c->text == text) return c;
    return nullptr;
}

// The texts standing on the baseline of `caption`, left to right, the caption excluded.
inline QStringList BesideOf(const Report& r, int page, const QString& caption) {
    const DrawCommand* at = Find(r, page, caption);
    if (!at) return {QStringLiteral("<no ") + caption + ">"};
    std::vector<const DrawCommand*> same;
    for (const DrawCommand* c : TextsOf(r, page))
        if (c != at && std::abs(c->baseline - at->baseline) < 1e-6) same.push_back(c);
    std::sort(same.begin(), same.end(), [](const DrawCommand* a, const DrawCommand* b) {
        return a->box.left() < b->box.left();
    });
    QStringList texts;
    for (const DrawCommand* c : same) texts << c->text;
    return texts;
}

// A range typed into MDADA and MDAAL and the field the confirm button sends the focus back to.
struct RefusedRange {
    QString from, to, focus;
};

// Types each range and confirms with the mouse; the focus must go back to the offending date.
inline void ExpectRangesRefused(QWidget* window, std::initializer_list<RefusedRange> rows) {
    for (const RefusedRange& row : rows) {
        ControlAs<QLineEdit>(window, "MDADA")->setText(row.from);
        ControlAs<QLineEdit>(window, "MDAAL")->setText(row.to);
        Click(window, "BCONF");
        EXPECT_EQ(FocusName(), row.focus) << row.from.toStdString() << " " << row.to.toStdString();
    }
}

// The text of a line field or of a memo.
inline QString FieldText(QWidget* window, const QString& name) {
    if (auto* memo = ControlAs<QPlainTextEdit>(window, name)) return memo->toPlainText();
    return ControlAs<QLineEdit>(window, name)->text();
}

// A click on the round mark of a radio button (a wide button takes clicks only on its mark and
// its caption).
inline void ChooseRadio(QWidget* window, const QString& name) {
    QWidget* button = Control(window, name);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    Settle();
}

}  // namespace braxol::test::reading
