#pragma once
// A report is drawn once, in code, as pages of drawing commands, and then replayed to the
// screen preview, a printer or a PDF file. Positions and sizes are in points (1/72 inch) on
// an A4 page; text is placed on the current line, whose top is the current vertical position.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPageLayout>
#include <QRectF>
#include <QString>
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

struct DrawCommand {
    enum class Kind { Text, Line, Rectangle, Picture };
    Kind kind;
    QRectF box;     // text: its bounding box on the page; line: from top-left to bottom-right
    QString text;   // text only
    FontSpec font;  // text only
    PenSpec pen;    // lines and rectangles
    QImage picture;
};

struct Page {
    QPageLayout::Orientation orientation;
    std::vector<DrawCommand> commands;
};

class Report {
public:
    explicit Report(QPageLayout::Orientation orientation = QPageLayout::Portrait);

    // Applies to the current page and to the pages that follow.
    void setOrientation(QPageLayout::Orientation orientation);
    QPageLayout::Orientation orientation() const { return orientation_; }
    double pageWidth() const;
    double pageHeight() const;

    void setFont(const QString& family, double size, bool bold = false, bool strikeOut = false);
    void setBold(bool bold);
    void setStrikeOut(bool strikeOut);
    const FontSpec& font() const { return font_; }
    double textWidth(const QString& text) const;
    double lineHeight() const;

    double y() const { return y_; }
    void setY(double y) { y_ = y; }
    void newLine(int lines = 1) { y_ += lines * lineHeight(); }

    // Text at the current vertical position: centred on x, starting at x (a tab moves to the
    // next of `tabStops`, distances from x), or ending at x.
    void textCentered(double x, const QString& text);
    void textLeft(double x, const QString& text, const std::vector<double>& tabStops = {});
    void textRight(double x, const QString& text);

    void setPen(double width, const QColor& color = Qt::black);
    void moveTo(double x, double y);
    void lineTo(double x, double y);
    void rectangle(const QRectF& box);
    // The picture scaled into the box.
    void picture(const QRectF& box, const QImage& image);

    // Starts a new page; the current position goes back to the top.
    void newPage();

    const std::vector<Page>& pages() const { return pages_; }
    // Every text of one page, in drawing order (what tests read).
    QStringList texts(int page) const;

private:
    void addText(double left, const QString& text);
    QFont qfont() const;

    std::vector<Page> pages_;
    QPageLayout::Orientation orientation_;
    FontSpec font_;
    PenSpec pen_;
    QPointF cursor_;
    double y_ = 0;
};

// A font as the report draws it.
QFont ToQFont(const FontSpec& font);

}  // namespace braxol::reports
