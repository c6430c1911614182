#pragma once
// The pages of the two raw-material registers, the register of one material and the daily
// register: the same columns (number, date, material, load, unload, document, supplier, note),
// one ruled row per movement, and pages closed with the title block (complete form), the
// heading and the grid that frames the rows written. The two differ in their edges, their
// titles and the heading above the grid (the daily register names its day there).
//
// Units as in reports/register_layout.h: E and LH of Times New Roman 8, columns counted in E
// from the left edge.

#include <QString>
#include <vector>

#include "reports/register_layout.h"
#include "reports/report.h"
#include "store/decimal.h"
#include "store/records.h"

namespace braxol::rawmaterials {

enum class RawRegisterKind { OneMaterial, Daily };

// A quantity as the registers write it: with as many decimals as it has (at most 5).
QString RegisterQuantity(const Decimal& quantity);
// The quantity of a movement taken to 5 decimals. Throws DecimalOverflow beyond any register.
Decimal QuantityOf(const TMOVIMENTO& r);
bool IsLoad(const TMOVIMENTO& r);
bool IsUnload(const TMOVIMENTO& r);
// The day of a movement: its date rounded to a whole day.
double DayOf(const TMOVIMENTO& r);

class RawRegisterSheet {
public:
    RawRegisterSheet(RawRegisterKind kind, const reports::RegisterPrint& print);
    RawRegisterSheet(const RawRegisterSheet&) = delete;
    RawRegisterSheet& operator=(const RawRegisterSheet&) = delete;

    // The headings form: the title blocks alone, one sheet after the other.
    reports::Report headings();
    // The report drawn so far; the sheet is spent afterwards.
    reports::Report take() { return std::move(report_); }

    const reports::RegisterMetrics& metrics() const { return pages_.metrics(); }
    reports::Report& report() { return report_; }
    reports::RegisterPages& pages() { return pages_; }

    // The day the daily register's heading names on the pages closed from now on.
    void setDay(double day) { day_ = day; }

    // One line more: a movement in its columns, `number` in the first one.
    void movement(const TMOVIMENTO& r, const QString& number);
    // One line more with the texts given, ruled like a movement.
    void line(const std::vector<reports::RowCell>& cells);

private:
    void titleBlock(const reports::RegisterMetrics& m);
    void closePage(const reports::RegisterMetrics& m, double rowsBottom);

    RawRegisterKind kind_;
    const reports::RegisterPrint& print_;
    reports::Report report_;
    reports::PageNumbering numbering_;
    reports::RegisterPages pages_;
    double day_ = 0;
};

}  // namespace braxol::rawmaterials
