#pragma once
// A report is drawn once, in code, as pages of drawing commands; reports/output.h replays them
// to the screen preview, a printer or a PDF file, and tests read them.
//
// Units: points (1/72 inch) on an A4 sheet without margins, from the top-left corner of the page
// in the page's own orientation; each page keeps the orientation it was drawn in.
//
// Text is placed by its baseline, as the register layouts measure it: "advance one line, write
// the row, rule a fifth of a line under it" is
//
//     y += lh;
//     report.text(left + 6 * e, y, period, Align::Centre);
//     report.line(left, y + lh / 5, right, y + lh / 5);
//
// with lh = report.lineHeight() and e = report.textWidth("E"). The line height of a font is
// its height, ascent plus descent; a text's ink stays between y - ascent and y + descent.
//
// A text is drawn on one line: line breaks, tabs and other control characters in it are drawn
// as blanks, so that a note read from a record never runs over the rows below it. Only
// textWrapped() breaks a text into lines.
//
// Fonts are measured once each and the measures kept for the life of the program; reports are
// drawn on the program's main thread.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPageLayout>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace braxol::reports {

struct FontSpec {
    QString family = "Times New Roman";
    double size = 10;  // points
    bool bold = false;
    bool strikeOut = false;
    bool operator==(const FontSpec&) const = default;
};

struct PenSpec {
    double width = 0.5;  // points
    QColor color = Qt::black;
    bool operator==(const PenSpec&) const = default;
};

// Where a text stands against its x.
enum class Align { Left, Centre, Right };

struct DrawCommand {
    enum class Kind { Text, Line, Rectangle, Picture };
    Kind kind;
    // Text: from its left end at the top of the font's ascent to its right end at the bottom of
    // the descent. Line: from its start (top-left) to its end (bottom-right). Rectangle and
    // picture: their box.
    QRectF box;
    double baseline = 0;  // text only: the y of its baseline
    QString text;         // text only, on one line
    FontSpec font;        // text only
    PenSpec pen;          // lines and rectangles
    QImage picture;
};

struct Page {
    QPageLayout::Orientation orientation;
    std::vector<DrawCommand> commands;
};

// Measures of any font, without a report: width of a text on one line, and line height.
double TextWidth(const FontSpec& font, const QString& text);
double LineHeight(const FontSpec& font);

// The text as it is drawn on one line: every line break (CR LF, CR or LF), tab or other
// control character becomes one blank.
QString OneLine(const QString& text);

// The lines of a text wrapped into a box `width` wide: at blanks where it can, inside a word
// longer than the box otherwise; a line break in the text starts a new line.
QStringList WrapText(const QString& text, double width,
                     const std::function<double(const QString&)>& measure);

class Report {
public:
    explicit Report(QPageLayout::Orientation orientation = QPageLayout::Portrait);

    // Pages. The orientation applies to the page being drawn and to those that follow.
    void setOrientation(QPageLayout::Orientation orientation);
    QPageLayout::Orientation orientation() const { return orientation_; }
    double pageWidth() const;
    double pageHeight() const;
    void newPage();
    int pageNumber() const { return static_cast<int>(pages_.size()); }  // from 1

    // The font of the texts that follow. setFont clears bold and strike-out unless given.
    void setFont(const QString& family, double size, bool bold = false, bool strikeOut = false);
    void setFont(const FontSpec& font);
    void setBold(bool bold);
    void setStrikeOut(bool strikeOut);
    const FontSpec& font() const { return font_; }
    // Measures in the current font.
    double textWidth(const QString& text) const;
    double lineHeight() const;

    // Writes a text on one line with its baseline at y, starting at x, centred on x or ending
    // at x.
    void text(double x, double y, const QString& text, Align align = Align::Left);
    // Writes a text from x, wrapped into lines at most `width` wide (WrapText), the first
    // baseline at y and each next one a line height lower. Returns the number of lines down to
    // the last that holds something (0 for a blank text), blank lines inside the text included.
    int textWrapped(double x, double y, double width, const QString& text);

    // Lines and rectangle outlines, in the current pen; pictures scaled into their box.
    void setPen(double width, const QColor& color = Qt::black);
    void line(double x1, double y1, double x2, double y2);
    void moveTo(double x, double y);
    void lineTo(double x, double y);
    void rectangle(const QRectF& box);
    void picture(const QRectF& box, const QImage& image);

    const std::vector<Page>& pages() const { return pages_; }
    // Every text of one page (from 0), in drawing order (what tests read).
    QStringList texts(int page) const;

private:
    void add(DrawCommand command);

    std::vector<Page> pages_;
    QPageLayout::Orientation orientation_;
    FontSpec font_;
    PenSpec pen_;
    QPointF cursor_;
};

// A font as the report draws it.
QFont ToQFont(const FontSpec& font);

}  // namespace braxol::reports
