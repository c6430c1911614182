#pragma once
// The measures of one font, taken once and kept: building a font and its metrics costs far
// more than measuring a text with them, and a report measures every text it writes.

#include <QFontMetricsF>
#include <QHash>

#include "reports/report.h"

namespace braxol::reports {

class FontMeasures {
public:
    explicit FontMeasures(const FontSpec& font);
    // The width of a text already on one line (OneLine).
    double width(const QString& text) const;
    double ascent() const { return ascent_; }
    double descent() const { return descent_; }
    double height() const { return ascent_ + descent_; }

private:
    QFontMetricsF metrics_;
    // Registers repeat many texts (dates, codes, column titles): their widths are kept.
    mutable QHash<QString, double> widths_;
    double ascent_;
    double descent_;
};

// The measures of a font, measured on first use. The reference stays valid for the life of the
// program. Main thread only, as every report is drawn there.
const FontMeasures& MeasuresOf(const FontSpec& font);

}  // namespace braxol::reports
