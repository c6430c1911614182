#include "rawmaterials/raw_register_sheet.h"

#include <algorithm>

#include "production/register_texts.h"
#include "store/numbers.h"
#include "ui/text.h"

namespace braxol::rawmaterials {
namespace {

using reports::Align;
using reports::FromRows;
using reports::FromTop;
using reports::RegisterMetrics;
using reports::Report;

constexpr double kRuleUnderRow = 0.2;
constexpr qsizetype kSupplierShown = 30;
constexpr qsizetype kNoteShown = 54;
constexpr double kNoteAt = 132;
// What a text may take of its column, so that it keeps clear of the rules.
constexpr double kColumnMargin = 0.4;

struct Shape {
    double leftInE, rightInE;  // the edges around the centre of the page
    double firstRow;           // in LH
    double noteTitleAt;
    QStringList titles;
    int pageLabelTitle;
    QString subtitle;

    double width() const { return leftInE + rightInE; }
};

const Shape& ShapeOf(RawRegisterKind kind) {
    static const Shape oneMaterial{79,
                                   80,
                                   20,
                                   132.5,
                                   {QStringLiteral("DEPOSITI FISCALI - MICROBIRRIFICI")},
                                   0,
                                   QStringLiteral("REGISTRO DELLE MATERIE PRIME")};
    static const Shape daily{
        77,
        74,
        26.4,
        124.5,
        {QStringLiteral("DEPOSITI FISCALI DI BIRRA - MICROBIRRIFICI"),
         QStringLiteral("Registro dei movimenti giornalieri delle materie prime")},
        1,
        {}};
    return kind == RawRegisterKind::Daily ? daily : oneMaterial;
}

reports::HeadingGrid GridOf(const Shape& shape) {
    reports::HeadingGrid g;
    const double w = shape.width();
    g.rules = {{0, w, FromTop(0)}, {0, w, FromTop(2.1)}};
    for (double x : {0., 4., 14., 35., 45., 55., 75., 105., w})
        g.columns.push_back({x, FromTop(0), FromRows(0)});
    const struct {
        double x;
        const char* text;
    } titles[] = {{2, "Nr."},
                  {9, "Data Mov."},
                  {24.5, "Materia Prima"},
                  {40, "Carico"},
                  {50, "Scarico"},
                  {65, "Data e n° documento"},
                  {90, "Fornitore"},
                  {shape.noteTitleAt, "Note"}};
    for (const auto& t : titles) g.titles.push_back({t.x, 1.5, QString::fromUtf8(t.text)});
    return g;
}

// The width a text centred on x may take between the rules at `from` and `to`.
double CentredWidth(double x, double from, double to) {
    return 2 * std::min(x - from, to - x) - kColumnMargin;
}

}  // namespace

QString RegisterQuantity(const Decimal& quantity) {
    return QString::fromStdString(quantity.Format(0, 0));
}

Decimal QuantityOf(const TMOVIMENTO& r) {
    return Decimal::FromDouble(r.QUANTI);
}

bool IsLoad(const TMOVIMENTO& r) {
    return r.TIPMOV == "C";
}

bool IsUnload(const TMOVIMENTO& r) {
    return r.TIPMOV == "S";
}

double DayOf(const TMOVIMENTO& r) {
    return RoundDecimals(r.DATMOV, 0);
}

RawRegisterSheet::RawRegisterSheet(RawRegisterKind kind, const reports::RegisterPrint& print)
    : kind_(kind),
      print_(print),
      report_(QPageLayout::Landscape),
      numbering_(print.firstPage, print.pagesSuffix),
      pages_(
          report_,
          [kind](Report& r) {
              return RegisterMetrics::Measure(r, ShapeOf(kind).leftInE, ShapeOf(kind).rightInE);
          },
          ShapeOf(kind).firstRow,
          [this](const RegisterMetrics& m, double rowsBottom) { closePage(m, rowsBottom); }) {}

reports::Report RawRegisterSheet::headings() {
    pages_.titleSheets(print_.sheets, [this](const RegisterMetrics& m) { titleBlock(m); });
    return take();
}

void RawRegisterSheet::movement(const TMOVIMENTO& r, const QString& number) {
    const Shape& shape = ShapeOf(kind_);
    const double right = shape.width();
    QString quantity;
    if (IsLoad(r) || IsUnload(r)) quantity = RegisterQuantity(QuantityOf(r));
    const double quantityWidth = 10 - kColumnMargin;
    line({{2, Align::Centre, number, CentredWidth(2, 0, 4)},
          {9, Align::Centre, production::RegisterDate(r.DATMOV), CentredWidth(9, 4, 14)},
          {24.5, Align::Centre, ui::FromField(r.PRODDO), CentredWidth(24.5, 14, 35)},
          {44.5, Align::Right, IsLoad(r) ? quantity : QString(), quantityWidth},
          {54.5, Align::Right, IsUnload(r) ? quantity : QString(), quantityWidth},
          {65, Align::Centre,
           (production::RegisterDate(r.DATDOC) + " " + ui::FromField(r.NUMDOC)).trimmed(),
           CentredWidth(65, 55, 75)},
          {90, Align::Centre, ui::FromField(r.PRODAZ).left(kSupplierShown),
           CentredWidth(90, 75, 105)},
          {kNoteAt, Align::Centre, ui::FromField(r.ANNOTA).left(kNoteShown),
           CentredWidth(kNoteAt, 105, right)}});
}

void RawRegisterSheet::line(const std::vector<reports::RowCell>& cells) {
    pages_.y += metrics().lh;
    pages_.y0 = reports::DrawRow(report_, metrics(), pages_.y, cells, false, kRuleUnderRow);
}

void RawRegisterSheet::titleBlock(const RegisterMetrics& m) {
    const Shape& shape = ShapeOf(kind_);
    reports::TitleBlock block;
    block.titles = shape.titles;
    block.pageLabelTitle = shape.pageLabelTitle;
    block.subtitle = shape.subtitle;
    block.office = print_.office;
    block.company = reports::CompanyLines(print_.company);
    reports::DrawTitleBlock(report_, m, block, numbering_);
}

void RawRegisterSheet::closePage(const RegisterMetrics& m, double rowsBottom) {
    if (print_.form == reports::RegisterForm::Complete) titleBlock(m);
    double top = 18 * m.lh;
    if (kind_ == RawRegisterKind::Daily) {
        const double heading = 18 * m.lh10;
        report_.setFont(reports::kRegisterFamily, 14, true);
        report_.text(
            m.cx, heading,
            QStringLiteral("Movimenti materie prime del ") + production::RegisterDate(day_),
            Align::Centre);
        top = heading + 2 * m.lh;
    }
    report_.setFont(reports::kRegisterFamily, reports::kBodySize);
    static const reports::HeadingGrid oneMaterialGrid =
        GridOf(ShapeOf(RawRegisterKind::OneMaterial));
    static const reports::HeadingGrid dailyGrid = GridOf(ShapeOf(RawRegisterKind::Daily));
    reports::DrawHeadingGrid(
        report_, m, kind_ == RawRegisterKind::Daily ? dailyGrid : oneMaterialGrid, top, rowsBottom);
}

}  // namespace braxol::rawmaterials
