#pragma once
// The pieces every printed register is drawn from: the production register, its period
// summary, the register searches and the raw-material registers. A title block, a company box,
// a heading grid, a struck-out row or a page that closes with its frame is drawn here once, so
// that it looks the same in every register.
//
// Units are those of the registers' layouts: E is the width of the letter "E" and LH the line
// height in Times New Roman 8 (the body font); E10, LH10 and LH14 those of sizes 10 and 14.
// Horizontal positions in a table are counted in E from its left edge. Text stands on its
// baseline (report.h): a row written at y sits above a rule drawn a fraction of a line lower.
//
// A register page is drawn rows first; its title block, heading grid and frame are drawn when
// the page is complete, because the frame closes under the last row written (RegisterPages).

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

#include "reports/report.h"
#include "store/records.h"

namespace braxol::reports {

inline const QString kRegisterFamily = QStringLiteral("Times New Roman");
inline constexpr double kBodySize = 8;

// The three forms of a register print: the complete register; the movements alone, for
// sheets whose title block is already printed; the title blocks alone, for a numbered set of
// blank sheets to be authenticated.
enum class RegisterForm { Complete, MovementsOnly, HeadingsOnly };

// What every register print is given besides its records.
struct RegisterPrint {
    RegisterForm form = RegisterForm::Complete;
    double from = 0;  // whole days of one year
    double to = 0;
    int firstPage = 0;                 // 0 or less: the pages are not numbered
    QString pagesSuffix;               // written after each page number ("di 10 Es. Fin. 2025")
    int sheets = 1;                    // headings form: how many title sheets
    QString office;                    // the office box
    TUTENTE company = BlankTutente();  // strings trimmed
};

// The measures of a register page.
struct RegisterMetrics {
    double e = 0, lh = 0;  // Times New Roman 8
    double e10 = 0, lh10 = 0, lh14 = 0;
    double pageWidth = 0, pageHeight = 0, cx = 0;
    double left = 0, right = 0;  // the edges of the table
    double bottom = 0;           // PH - 8 LH: a row that would start below it opens a new page

    // Sets the body font (size 8 unless told, regular) and measures the page; E and LH are
    // those of the body font; the table runs from CX - leftInE E to CX + rightInE E.
    static RegisterMetrics Measure(Report& report, double leftInE, double rightInE,
                                   double bodySize = kBodySize);
    // The x that lies n widths of "E" right of the left edge.
    double at(double n) const { return left + n * e; }
};

// The page numbers of a register: the first one typed by the user, none when it is 0 or less.
// Each call of next() gives the label of one more page: "Pagina " + number + suffix (the
// suffix says of how many sheets, "di 10 Es. Fin. 2025").
class PageNumbering {
public:
    PageNumbering() = default;
    PageNumbering(int firstPage, QString suffix);
    std::optional<QString> next();

private:
    int counter_ = -1;
    QString suffix_;
};

// The four lines of a company box: name; address, street number; postcode and town; excise
// code. Texts trimmed.
QStringList CompanyLines(const TUTENTE& company);

// Writes a text on one line at x, aligned as asked; a text wider than `width` is written in a
// smaller size of the current font until it fits (never below 4 points, where the longest text
// a record holds fits), so that nothing runs out of its box or off the page.
void FittedText(Report& report, double x, double y, double width, const QString& text,
                Align align = Align::Left);

// Writes the lines one under the other from the baseline y, each a line height of the current
// font lower, starting at x, each fitted into `width` (FittedText).
void LinesInBox(Report& report, double x, double y, double width, const QStringList& lines);

// The lines a text takes in a box `width` wide in the current font: its own lines, each
// wrapped at blanks; at most `maxLines`.
QStringList BoxLines(const Report& report, const QString& text, double width, int maxLines);

// The block on top of every register sheet:
//   titles in size 14 bold, centred on the page, the first on 2 LH14 and each next 1.5 LH14
//   lower; the page label in size 10, ending at R - E10, on the title line `pageLabelTitle`;
//   the subtitle, when there is one, in size 10 bold, centred 1.5 LH10 below the first title;
//   Y1 = 2 LH10 below the last title or the subtitle, whichever is lower (so that the box
//   captions never run into the subtitle): "RILASCIATO DALL'UFFICIO:" at L + E10 and "ALLA DITTA:"
//   at CX + 2 E10; then in bold the office lines at L + 0.5 E10 on Y1 + 1..4 LH10, framed from
//   (L, Y1 + LH10 / 5) to (CX, Y1 + 4.3 LH10), and the company lines at CX + 1.3 E10 on the
//   same lines, framed from (CX + E10, Y1 + LH10 / 5) to (R, Y1 + 4.3 LH10).
struct TitleBlock {
    QStringList titles;
    int pageLabelTitle = 0;
    QString subtitle;
    QString office;       // the office box; its first four lines (wrapped to the box) are shown
    QStringList company;  // CompanyLines
};

// Draws the block and returns Y1, the baseline of the two box captions. Leaves the font in
// size 10 bold.
double DrawTitleBlock(Report& report, const RegisterMetrics& m, const TitleBlock& block,
                      PageNumbering& pages);

// A vertical position in a heading grid: so many LH below the top of the table, or below the
// bottom of the rows (the rule under the last row written on the page).
struct GridY {
    enum Anchor { Top, Rows };
    Anchor anchor;
    double lines;
};
inline GridY FromTop(double lines) {
    return {GridY::Top, lines};
}
inline GridY FromRows(double lines) {
    return {GridY::Rows, lines};
}

struct GridRule {  // horizontal, from x1 to x2 (in E from the left edge)
    double x1, x2;
    GridY y;
};
struct GridColumnRule {  // vertical, at x
    double x;
    GridY from, to;
};
struct GridTitle {  // centred on x, its baseline `line` LH below the top of the table
    double x;
    double line;
    QString text;
};

// The heading box of a register with the rules of its columns and the column titles.
struct HeadingGrid {
    std::vector<GridRule> rules;
    std::vector<GridColumnRule> columns;
    double titleSize = kBodySize;
    bool boldTitles = false;
    std::vector<GridTitle> titles;
};

// Draws the grid for a table whose top is `top` and whose rows end at `rowsBottom`, in the
// current pen. The font is left as it was.
void DrawHeadingGrid(Report& report, const RegisterMetrics& m, const HeadingGrid& grid, double top,
                     double rowsBottom);

// One text of a row: at x (in E from the left edge), left-aligned, centred on x or ending at x.
// With a width (in E), a text wider than its column is written smaller to fit (FittedText).
struct RowCell {
    double x;
    Align align;
    QString text;
    double width = 0;
};

// Writes a row on the baseline y in the current font, struck out when `struckOut`, then rules
// it from the left to the right edge `ruleBelow` LH under the baseline. Returns the y of the
// rule. Blank cells are not drawn. Strike-out is off afterwards.
double DrawRow(Report& report, const RegisterMetrics& m, double y,
               const std::vector<RowCell>& cells, bool struckOut, double ruleBelow);

// The pages of a register: where the next row goes and when a page is full. Each page is
// measured when it begins; `closePage` draws what completes a page (title block, heading grid
// and frame) once its rows are written, given the measures and the bottom of its rows.
class RegisterPages {
public:
    using Measure = std::function<RegisterMetrics(Report&)>;
    using Close = std::function<void(const RegisterMetrics&, double rowsBottom)>;

    // `firstRow`: the position of the rows on a new page, in LH; the first row is written one
    // line lower.
    RegisterPages(Report& report, Measure measure, double firstRow, Close closePage);

    const RegisterMetrics& metrics() const { return metrics_; }
    double y = 0;   // the baseline of the last thing written
    double y0 = 0;  // the bottom of the rows on this page

    // Before a row: a page whose rows have passed the bottom limit is closed and a new one
    // begun. True when it did.
    bool makeRoom();
    // Closes the page (its rows are all written).
    void closePage();
    // Begins a new page, measured anew; the previous one must be closed.
    void newPage();
    // The headings form: `sheets` pages (at least one), each holding only what `drawSheet`
    // draws on it (the title block).
    void titleSheets(int sheets, const std::function<void(const RegisterMetrics&)>& drawSheet);

private:
    void measurePage();

    Report& report_;
    Measure measure_;
    double firstRow_;
    Close close_;
    RegisterMetrics metrics_;
};

}  // namespace braxol::reports
