#include "rawmaterials/balance_window.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "production/movement_modes.h"
#include "reports/output.h"
#include "store/io_error.h"
#include "ui/confirm_button.h"
#include "ui/field_exit.h"
#include "ui/fields.h"
#include "ui/io_error_box.h"
#include "ui/text.h"

namespace braxol::rawmaterials {
namespace {

const QString kTitle = QStringLiteral("Bilancio annuo di materia e di energia");

QString Reading(const std::optional<std::int32_t>& reading) {
    return reading ? QString::number(*reading) : QString();
}

// The headings over the columns of a list whose lines are lined up by blanks: each heading ends
// where its column ends, at least one blank after the one before.
QString Headings(std::initializer_list<std::pair<int, QString>> columns) {
    QString text;
    for (const auto& [end, caption] : columns) {
        const auto size = static_cast<int>(text.size());
        const int start =
            std::max(text.isEmpty() ? 0 : size + 1, end - static_cast<int>(caption.size()));
        text += QString(start - size, QLatin1Char(' ')) + caption;
    }
    return text;
}

}  // namespace

TFBILANCIO::TFBILANCIO(BalanceRequest request, QWidget* parent)
    : ui::EntryWindow(parent),
      request_(std::move(request)),
      year_(new QLineEdit(this)),
      litreFrom_(new ui::IntegerEdit(this)),
      litreTo_(new ui::IntegerEdit(this)),
      litreWashes_(new ui::IntegerEdit(this)),
      energyFrom_(new ui::IntegerEdit(this)),
      energyTo_(new ui::IntegerEdit(this)),
      energyWashes_(new ui::IntegerEdit(this)),
      materials_(new QListWidget(this)),
      beers_(new QListWidget(this)),
      produced_(new ui::AmountEdit(this)),
      sold_(new ui::AmountEdit(this)),
      stock_(new ui::AmountEdit(this)),
      confirm_(new ui::ConfirmButton(this)),
      leave_(new QPushButton(QStringLiteral("&Abbandona"), this)) {
    setObjectName("FBILANCIO");
    setWindowTitle(kTitle);
    year_->setObjectName("LANNO");
    litreFrom_->setObjectName("INICON");
    litreTo_->setObjectName("FINCON");
    litreWashes_->setObjectName("LAVCON");
    energyFrom_->setObjectName("INIENE");
    energyTo_->setObjectName("FINENE");
    energyWashes_->setObjectName("LAVENE");
    materials_->setObjectName("RMATPRIME");
    beers_->setObjectName("RTIPIBIRRA");
    produced_->setObjectName("DOUBL3");
    sold_->setObjectName("VENDUTA");
    stock_->setObjectName("GIACENZA");
    leave_->setObjectName("BABBANDONA");
    leave_->setAutoDefault(false);
    year_->setMaxLength(4);
    year_->installEventFilter(this);
    layOut();

    setFirstField(year_);
    // The balance may be printed as computed at once: no untouched guard.
    confirm_->setChecks([this] { return checks(); });
    confirm_->setSave([this] { print(); });
    connect(year_, &QLineEdit::textEdited, this, &TFBILANCIO::yearEdited);
    ui::OnFieldExit(year_, [this] { yearExit(); });
    connect(leave_, &QPushButton::clicked, this, &QDialog::reject);
}

TFBILANCIO::~TFBILANCIO() {
    ui::StopFieldExits(this);
}

void TFBILANCIO::layOut() {
    auto letters = [this](int n) {
        return fontMetrics().horizontalAdvance(QString(n, QLatin1Char('W')));
    };
    year_->setFixedWidth(letters(4));
    for (QLineEdit* f :
         {static_cast<QLineEdit*>(litreFrom_), static_cast<QLineEdit*>(litreTo_),
          static_cast<QLineEdit*>(litreWashes_), static_cast<QLineEdit*>(energyFrom_),
          static_cast<QLineEdit*>(energyTo_), static_cast<QLineEdit*>(energyWashes_)})
        f->setFixedWidth(letters(8));
    for (QLineEdit* f : {static_cast<QLineEdit*>(produced_), static_cast<QLineEdit*>(sold_),
                         static_cast<QLineEdit*>(stock_)})
        f->setFixedWidth(letters(12));

    auto label = [this](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, this);
        l->setObjectName("ET" + buddy->objectName());
        l->setBuddy(buddy);
        return l;
    };
    auto* top = new QHBoxLayout;
    top->addWidget(label(QStringLiteral("Anno di riferimento"), year_));
    top->addWidget(year_);
    top->addStretch();

    auto* meters = new QGridLayout;
    const struct {
        QString caption;
        ui::IntegerEdit *from, *to, *washes;
    } rows[] = {
        {QStringLiteral("Contalitri Fiscale, da:"), litreFrom_, litreTo_, litreWashes_},
        {QStringLiteral("Misuratore Energetico, da:"), energyFrom_, energyTo_, energyWashes_}};
    for (int r = 0; r < 2; ++r) {
        meters->addWidget(label(rows[r].caption, rows[r].from), r, 0);
        meters->addWidget(rows[r].from, r, 1);
        meters->addWidget(label(QStringLiteral("a:"), rows[r].to), r, 2);
        meters->addWidget(rows[r].to, r, 3);
        meters->addWidget(label(QStringLiteral("avanzamento per i lavaggi"), rows[r].washes), r, 4);
        meters->addWidget(rows[r].washes, r, 5);
    }
    meters->setColumnStretch(6, 1);

    // The lists are read in a fixed-width font, their columns lined up by blanks.
    QFont fixed(QStringLiteral("Courier New"), 9);
    fixed.setStyleHint(QFont::TypeWriter);
    auto list = [&](QListWidget* w, const QString& title, const QString& headings, int chars,
                    int lines) {
        w->setFont(fixed);
        w->setSelectionMode(QAbstractItemView::NoSelection);
        w->setFocusPolicy(Qt::NoFocus);
        const QFontMetrics metrics(fixed);
        w->setFixedSize(metrics.horizontalAdvance(QString(chars + 4, QLatin1Char('W'))),
                        metrics.height() * lines + 8);
        auto* box = new QGroupBox(title, this);
        auto* head = new QLabel(headings, box);
        head->setFont(fixed);
        auto* inside = new QVBoxLayout(box);
        inside->addWidget(head);
        inside->addWidget(w);
        return box;
    };
    QGroupBox* materialsBox = list(materials_, QStringLiteral("MATERIE PRIME"),
                                   Headings({{41, QStringLiteral("Quantità caricata")},
                                             {61, QStringLiteral("Giacenza a fine anno")}}),
                                   61, 6);
    QGroupBox* beersBox = list(beers_, QString(),
                               Headings({{12, QStringLiteral("TIPO diBIRRA")},
                                         {72, QStringLiteral("n° di cotte")},
                                         {88, QStringLiteral("Quantità prodotta")}}),
                               88, 6);

    auto* beer = new QGridLayout;
    const std::pair<QString, ui::AmountEdit*> amounts[] = {
        {QStringLiteral("Birra prodotta in litri"), produced_},
        {QStringLiteral("Birra venduta in litri"), sold_},
        {QStringLiteral("Giacenza birra CONDIZIONATA al 31 dicmbre"), stock_}};
    for (int r = 0; r < 3; ++r) {
        beer->addWidget(label(amounts[r].first, amounts[r].second), r, 0);
        beer->addWidget(amounts[r].second, r, 1);
    }
    beer->setColumnStretch(2, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(confirm_);
    buttons->addStretch();
    buttons->addWidget(leave_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(meters);
    layout->addWidget(materialsBox);
    layout->addWidget(beersBox);
    layout->addLayout(beer);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    QWidget* previous = nullptr;
    for (QWidget* w : {static_cast<QWidget*>(year_), static_cast<QWidget*>(litreFrom_),
                       static_cast<QWidget*>(litreTo_), static_cast<QWidget*>(litreWashes_),
                       static_cast<QWidget*>(energyFrom_), static_cast<QWidget*>(energyTo_),
                       static_cast<QWidget*>(energyWashes_), static_cast<QWidget*>(produced_),
                       static_cast<QWidget*>(sold_), static_cast<QWidget*>(stock_),
                       static_cast<QWidget*>(confirm_), static_cast<QWidget*>(leave_)}) {
        if (previous) setTabOrder(previous, w);
        previous = w;
    }
}

void TFBILANCIO::showEvent(QShowEvent* event) {
    ui::EntryWindow::showEvent(event);
    year_->setText(request_.workingYear);
    sold_->clear();
    stock_->clear();
    compute(true);
    year_->setFocus(Qt::OtherFocusReason);
}

bool TFBILANCIO::eventFilter(QObject* watched, QEvent* event) {
    if (watched == year_ && event->type() == QEvent::KeyPress) {
        // Only digits and backspace are typed into the year.
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString t = key->text();
        const bool digit = t.size() == 1 && t[0] >= QLatin1Char('0') && t[0] <= QLatin1Char('9');
        if (!t.isEmpty() && t[0].isPrint() && !digit &&
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            QApplication::beep();
            return true;
        }
    }
    return ui::EntryWindow::eventFilter(watched, event);
}

void TFBILANCIO::yearEdited() {
    // Only a whole year of the registers is computed: a year being typed opens no file.
    if (production::AcceptedYear(year_->text())) compute(false);
}

void TFBILANCIO::yearExit() {
    if (!production::AcceptedYear(year_->text())) {
        ui::ReturnFocus(year_);
        return;
    }
    compute(false);
}

void TFBILANCIO::compute(bool force) {
    const auto year = production::AcceptedYear(year_->text());
    const QString text = year_->text().trimmed();
    if (!force && text == computed_) return;
    computed_ = text;
    request_.workingYear = text;
    materials_->clear();
    beers_->clear();
    for (QLineEdit* f :
         {static_cast<QLineEdit*>(litreFrom_), static_cast<QLineEdit*>(litreTo_),
          static_cast<QLineEdit*>(litreWashes_), static_cast<QLineEdit*>(energyFrom_),
          static_cast<QLineEdit*>(energyTo_), static_cast<QLineEdit*>(energyWashes_),
          static_cast<QLineEdit*>(produced_)})
        f->clear();
    figures_ = {};
    if (!year) return;
    ++computations_;
    try {
        figures_ = ComputeBalance(request_.folders, *year, request_.company.CAUESO == "E");
    } catch (const IoError& e) {
        figures_ = {};
        ui::ShowIoError(this, e);
        return;
    }
    for (const TMOVIMENTO& t : figures_.totals) materials_->addItem(MaterialLine(t));
    for (const TMOVIMENTO& b : figures_.brews.brews) beers_->addItem(BrewLine(b));
    const BrewBalance& brews = figures_.brews;
    litreFrom_->setText(Reading(brews.litreCounter.first));
    litreTo_->setText(Reading(brews.litreCounter.last));
    litreWashes_->setText(QString::number(brews.litreCounter.washes));
    energyFrom_->setText(Reading(brews.energyMeter.first));
    energyTo_->setText(Reading(brews.energyMeter.last));
    energyWashes_->setText(QString::number(brews.energyMeter.washes));
    produced_->setValue(brews.litres, 0);
}

bool TFBILANCIO::checks() {
    if (!production::AcceptedYear(year_->text())) {
        year_->setFocus(Qt::OtherFocusReason);
        return false;
    }
    compute(false);
    return true;
}

BalanceSheet TFBILANCIO::sheet() const {
    BalanceSheet s;
    s.year = year_->text().trimmed();
    s.exciseCode = ui::FromField(request_.company.CACCI1);
    s.company = ui::FromField(request_.company.DENOM1);
    s.totals = figures_.totals;
    s.brews = figures_.brews.brews;
    s.litreFrom = litreFrom_->text();
    s.litreTo = litreTo_->text();
    s.litreWashes = litreWashes_->text();
    s.energyFrom = energyFrom_->text();
    s.energyTo = energyTo_->text();
    s.energyWashes = energyWashes_->text();
    s.produced = produced_->text();
    s.sold = sold_->text();
    s.packagedStock = stock_->text();
    return s;
}

void TFBILANCIO::print() {
    const reports::Report report = BalanceReport(sheet());
    if (preview_)
        preview_(report, kTitle);
    else
        reports::ShowPreview(report, kTitle, this, reports::Zoom::PageWidth);
    accept();
}

QString OpenBalance(QWidget* parent, const BalanceRequest& request) {
    TFBILANCIO window(request, parent);
    window.exec();
    return window.workingYear();
}

}  // namespace braxol::rawmaterials
