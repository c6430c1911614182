#pragma once
// What the tests of the printed registers share: the brewing work folder with a protocol that
// names its stamping office, and ways to read a report's drawing commands: a text and where it
// stands, the texts on the baseline of another, and the rules of a page.

#include <QStringList>
#include <algorithm>
#include <vector>

#include "brew_fixture.h"
#include "reports/report.h"

namespace braxol::test::registers {

using reports::DrawCommand;
using reports::Report;

inline const std::string kOffice =
    "UFFICIO DELLE DOGANE DI MILANO 1 protocollo n. 123 del 10/12/2024";

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

class RegisterTest : public brew::BrewTest {
protected:
    void SetUp() override {
        BrewTest::SetUp();
        // The protocol of the fixture, with its stamping office.
        WriteRecords<TTABELLA>(TableFile(work.folders().datiGen, "PROTOCOLLI"),
                               std::vector<TTABELLA>{});
        brew::AddProtocol(work.folders(), "123", Day(2024, 12, 10), Day(2024, 1, 1), kOffice);
    }

    void SetToday(int year, int month, int day) {
        seams.clock.current = QDateTime(QDate(year, month, day), QTime(10, 0));
    }

    TUTENTE CompanyRecord() const {
        TUTENTE c = *ReadCompany(work.folders().companyFile());
        TrimTutente(c);
        return c;
    }
    void SetExciseCode(const std::string& code) const {
        TUTENTE c = *ReadCompany(work.folders().companyFile());
        c.CACCI1.set(code);
        WriteCompany(work.folders().companyFile(), c);
    }
};

}  // namespace braxol::test::registers
