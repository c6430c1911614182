#include <QImage>
#include <deque>

#include "reports/font_measures.h"

namespace braxol::reports {
namespace {

// Text is measured at 72 dots per inch, so that one dot is one point of the page: the replay
// lays text out at the same size (output.cpp), so measured and drawn widths agree.
const QImage& MeasuringDevice() {
    static const QImage device = [] {
        QImage i(1, 1, QImage::Format_RGB32);
        i.setDotsPerMeterX(2835);  // 72 dpi
        i.setDotsPerMeterY(2835);
        return i;
    }();
    return device;
}

}  // namespace

QFont ToQFont(const FontSpec& wanted) {
    QFont f(wanted.family);
    f.setPointSizeF(wanted.size);
    f.setBold(wanted.bold);
    f.setStrikeOut(wanted.strikeOut);
    f.setHintingPreference(QFont::PreferNoHinting);  // the same widths on screen and paper
    return f;
}

FontMeasures::FontMeasures(const FontSpec& font)
    : metrics_(ToQFont(font), &MeasuringDevice()),
      ascent_(metrics_.ascent()),
      descent_(metrics_.descent()) {}

double FontMeasures::width(const QString& text) const {
    if (const auto it = widths_.constFind(text); it != widths_.cend()) return *it;
    if (widths_.size() >= 20000) widths_.clear();  // a bound on memory, never reached by most
    return *widths_.insert(text, metrics_.horizontalAdvance(text));
}

const FontMeasures& MeasuresOf(const FontSpec& font) {
    // Strike-out changes no measure: one entry serves both.
    struct Known {
        QString family;
        double size;
        bool bold;
        FontMeasures measures;
    };
    // A deque never moves what it holds. It is never destroyed either: fonts must not outlive
    // the application object, which is gone by the time statics are destroyed.
    static auto& known = *new std::deque<Known>;
    static const Known* last = nullptr;
    auto matches = [&](const Known& k) {
        return k.size == font.size && k.bold == font.bold && k.family == font.family;
    };
    if (last && matches(*last)) return last->measures;
    for (const Known& k : known)
        if (matches(k)) {
            last = &k;
            return k.measures;
        }
    last = &known.emplace_back(Known{font.family, font.size, font.bold, FontMeasures(font)});
    return last->measures;
}

double TextWidth(const FontSpec& font, const QString& text) {
    return MeasuresOf(font).width(OneLine(text));
}

double LineHeight(const FontSpec& font) {
    return MeasuresOf(font).height();
}

}  // namespace braxol::reports
