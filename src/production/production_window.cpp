#include "production/production_window.h"

#include <QFocusEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "production/movement_chooser.h"
#include "setup/beer_types_window.h"
#include "store/dates.h"
#include "store/numbers.h"
#include "store/tables.h"
#include "tables/listview.h"
#include "ui/confirm_button.h"
#include "ui/field_exit.h"
#include "ui/fields.h"
#include "ui/seams.h"
#include "ui/text.h"

namespace braxol::production {
namespace {

const QString kCaption = QStringLiteral("Produzione Propria");
const QString kRectifyCancelCaption =
    QStringLiteral("RETTIFICA: cancella una produzione già inviata al sistema telematico");
const QString kRectifyChangeCaption =
    QStringLiteral("RETTIFICA: modifica una produzione già inviata al sistema telematico");

const QString kPecNotBefore =
    QStringLiteral("ATTENZIONE LA DATA DELLA PEC DEVE ESSERE PRECEDENTE A QUELLA DELLA PRODUZIONE");
const QString kBadTime = QStringLiteral("FORMATO DELL'ORARIO NON AMMESSO");
const QString kBadHour = QStringLiteral("INDICARE UN VALORE COMPRESO TRA 00 e 23");
const QString kNoProductCode = QStringLiteral("Codice doganale non trovato");
const QString kCoefficientTooSmall = QStringLiteral("Il valore deve essere maggiore di zero");
const QString kCoefficientTooLarge = QStringLiteral("VALORE MASSIM0: 99.999,99999");
const QString kNoLitres = QStringLiteral("quantità obbligatoria");
const QString kTooManyLitres = QStringLiteral("quantità MASSIMA: 99.999.999.999,99999");
const QString kPlatoTooLarge = QStringLiteral("valore MASSIMO: 99,99999");
const QString kPlatoLow = QStringLiteral("CONTROLLA IL VALORE DEL GRADO PLATO");
const QString kDuplicate = QStringLiteral("ATTENZIONE PRODUZIONE GIA` IN MEMORIA !");

const QString kProductCodeMask = QStringLiteral(">xxxx-99999999-xx-xxxx;_");
const QString kTimeMask = QStringLiteral("99:99;_");
const QString kExciseLabel = QStringLiteral("Accisa ");

constexpr const char* kBeerTypes = "PRAZ";
constexpr int kDecimals = 5;
constexpr int kBrewNumberLength = 21;
constexpr int kBeerTypeLength = 100;
constexpr int kNoteLength = 200;

// A product code stored without its first part loses the leading blanks when trimmed: they go
// back in, so that the parts fall in their places of the mask.
QString MaskedCode(const QString& code) {
    QString text = code;
    const auto dash = text.indexOf('-');
    if (dash >= 0 && dash < 4) text.prepend(QString(4 - dash, ' '));
    return text;
}

// The text of a masked field with blanks where nothing was typed.
QString MaskedText(const QLineEdit* field) {
    QString shown = field->displayText();
    shown.replace('_', ' ');
    return shown;
}

// The preventive communication chosen in the archive of the communications (chooser mode C),
// as stored in REGISTRI/<yyyy>.PRV of the year listed.
std::optional<TMOVIMENTO> ChoosePreventive(QWidget* parent, const EntryRequest& request) {
    ChooserRequest chooser;
    chooser.folders = request.folders;
    chooser.mode = QChar('C');
    chooser.maxWidth = request.maxWidth;
    chooser.maxHeight = request.maxHeight;
    return ChooseAndReadMovement(parent, chooser);
}

}  // namespace

TFPRODUZIONE::TFPRODUZIONE(const EntryRequest& request, QWidget* parent)
    : BrewEntryWindow(request, false, -1.0, parent),
      // Not a tab stop (pressing it leaves no field), so reached from the keyboard by accelerator.
      preventive_(new QPushButton(QStringLiteral("&Richiama la comunicazione preventiva"), this)),
      title_(new QLabel(this)),
      number_(new QLineEdit(this)),
      pecDate_(new ui::DateEdit(this)),
      pecTime_(new QLineEdit(this)),
      beerType_(new QLineEdit(this)),
      listTypes_(new QPushButton(QStringLiteral("&Elenco"), this)),
      newType_(new QPushButton(QStringLiteral("Nuovo &Tipo"), this)),
      productCode_(new QLineEdit(this)),
      coefficientLabel_(new QLabel(QStringLiteral("Coefficiente di resa "), this)),
      coefficient_(new ui::AmountEdit(this)),
      final_(new ui::IntegerEdit(this)),
      litres_(new ui::AmountEdit(this)),
      plato_(new ui::AmountEdit(this)),
      degrees_(new ui::AmountEdit(this)),
      exciseLabel_(new QLabel(kExciseLabel, this)),
      excise_(new ui::AmountEdit(this)),
      calculate_(new QPushButton(QStringLiteral("Calcola"), this)) {
    setObjectName("FPRODUZIONE");
    setWindowTitle(kCaption);
    exciseCode_ = company_.CACCI1.trimmed();
    province_ = ProvinceOf(exciseCode_);
    energy_ = company_.CAUESO == "E";
    wholeLitres_ = company_.TIPOIN == "A";
    duplicateMessage_ = kDuplicate;

    setUpCommon([this] { return new ui::IntegerEdit(this); }, QStringLiteral("delle produzioni"),
                kNoteLength);

    preventive_->setObjectName("BPREVENTIVA");
    title_->setObjectName("lmovimento");
    number_->setObjectName("NUMDOC");
    pecDate_->setObjectName("DOUBL6");
    pecTime_->setObjectName("MITDES");
    beerType_->setObjectName("PRODAZ");
    listTypes_->setObjectName("BPRODAZ");
    newType_->setObjectName("BNPRODAZ");
    productCode_->setObjectName("PRODDO");
    coefficientLabel_->setObjectName("LDOUBL2");
    coefficient_->setObjectName("DOUBL2");
    final_->setObjectName("INTER2");
    litres_->setObjectName("DOUBL3");
    plato_->setObjectName("DOUBL5");
    degrees_->setObjectName("DOUBL4");
    exciseLabel_->setObjectName("LACCISA");
    excise_->setObjectName("DOUBL7");
    calculate_->setObjectName("BCALCOLA");

    number_->setMaxLength(kBrewNumberLength);
    beerType_->setMaxLength(kBeerTypeLength);
    pecTime_->setInputMask(kTimeMask);
    productCode_->setInputMask(kProductCodeMask);
    productCode_->setReadOnly(true);
    productCode_->setFocusPolicy(Qt::NoFocus);
    ShowEditable(productCode_, false);
    degrees_->setReadOnly(true);
    degrees_->setFocusPolicy(Qt::NoFocus);
    ShowEditable(degrees_, false);
    listTypes_->setToolTip(QStringLiteral("mostra la tabella"));
    newType_->setToolTip(QStringLiteral("Inserisce Nuovo Codice"));
    // The buttons beside the fields are pressed with the mouse: pressing them does not leave
    // the field being typed, so its check stays quiet.
    for (QPushButton* b : {preventive_, listTypes_, newType_, calculate_, leave_}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoDefault(false);
    }
    layOut();

    onExit(date_, [this] { dateExit(); });
    onExit(final_, [this] { finalReadingExit(); });
    onExit(coefficient_, [this] {
        if (coefficient_->isVisible()) passes(coefficientCheck(), coefficient_);
    });
    onExit(beerType_, [this] { beerTypeExit(); });
    // The Plato field computes also while the window is untouched.
    ui::OnFieldExit(plato_, [this] { platoExit(); });
    connect(initial_, &QLineEdit::textChanged, this, &TFPRODUZIONE::readingsChanged);
    connect(final_, &QLineEdit::textChanged, this, &TFPRODUZIONE::readingsChanged);
    connect(listTypes_, &QPushButton::clicked, this, &TFPRODUZIONE::chooseBeerType);
    connect(newType_, &QPushButton::clicked, this, &TFPRODUZIONE::newBeerType);
    connect(calculate_, &QPushButton::clicked, this, &TFPRODUZIONE::calculateExcise);
    connect(preventive_, &QPushButton::clicked, this, &TFPRODUZIONE::recallPreventive);
}

TFPRODUZIONE::~TFPRODUZIONE() {
    ui::StopFieldExits(this);
}

void TFPRODUZIONE::layOut() {
    for (QLineEdit* f : {static_cast<QLineEdit*>(date_), static_cast<QLineEdit*>(pecDate_)})
        f->setFixedWidth(letters(8));
    pecTime_->setFixedWidth(letters(4));
    number_->setFixedWidth(letters(12));
    beerType_->setMinimumWidth(letters(24));
    productCode_->setFixedWidth(letters(16));
    for (QLineEdit* f :
         {initial_, static_cast<QLineEdit*>(final_), static_cast<QLineEdit*>(coefficient_),
          static_cast<QLineEdit*>(litres_), static_cast<QLineEdit*>(plato_),
          static_cast<QLineEdit*>(degrees_), static_cast<QLineEdit*>(excise_)})
        f->setFixedWidth(letters(9));
    // Numbers line up on the right, the readings as the amounts.
    initial_->setAlignment(Qt::AlignRight);
    final_->setAlignment(Qt::AlignRight);
    note_->setMinimumWidth(letters(36));

    Emphasize(title_);
    QLabel* registerCaption = this->registerCaption();
    QPalette red = registerCaption->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    registerCaption->setPalette(red);
    exciseLabel_->setBuddy(excise_);
    coefficientLabel_->setBuddy(coefficient_);

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(title_);
    top->addStretch();
    top->addWidget(preventive_);
    layout->addLayout(top);
    layout->addLayout(Row(
        {buddyLabel(QStringLiteral("Data della produzione"), date_), date_,
         buddyLabel(QStringLiteral("Numero progressivo annuale della cotta"), number_), number_}));
    layout->addLayout(Row(
        {buddyLabel(QStringLiteral("Estremi comunicazione preventiva via PEC:   DATA"), pecDate_),
         pecDate_, buddyLabel(QStringLiteral("e ORA"), pecTime_), pecTime_}));
    layout->addLayout(Row({registerCaption, protocol_}));
    auto* beer = Row({buddyLabel(QStringLiteral("Tipo di Birra prodotta"), beerType_), beerType_,
                      listTypes_, newType_});
    layout->addLayout(beer);
    layout->addLayout(Row({productCode_}));
    layout->addLayout(Row({coefficientLabel_, coefficient_}));
    layout->addLayout(
        Row({buddyLabel(QStringLiteral("Misuratore della produzione di birra:   Lettura iniziale "),
                        initial_),
             initial_, buddyLabel(QStringLiteral("Lettura finale"), final_), final_}));
    layout->addLayout(Row({buddyLabel(QStringLiteral("Litri prodotti"), litres_), litres_,
                           buddyLabel(QStringLiteral("Grado plato"), plato_), plato_}));
    layout->addLayout(Row({buddyLabel(QStringLiteral("Totale ettogradi"), degrees_), degrees_,
                           exciseLabel_, excise_, calculate_}));
    layout->addLayout(Row({buddyLabel(QStringLiteral("Nota"), note_), note_}));
    layout->addSpacing(8);
    layout->addLayout(buttonRow());

    // Enter and Tab follow the form; the fields that are not tab stops are passed by.
    setTabOrderOf({date_, number_, pecDate_, pecTime_, beerType_, coefficient_, initial_, final_,
                   litres_, plato_, degrees_, excise_, note_, confirm_});
}

tables::TableContext TFPRODUZIONE::tableContext(const char* table) const {
    tables::TableContext context;
    context.folders = request_.folders;
    context.tableName = table;
    context.maxWidth = request_.maxWidth;
    context.maxHeight = request_.maxHeight;
    return context;
}

bool TFPRODUZIONE::eventFilter(QObject* watched, QEvent* event) {
    if (watched == litres_ && event->type() == QEvent::FocusIn) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            litresEntered();
    }
    return BrewEntryWindow::eventFilter(watched, event);
}

// ---- Opening --------------------------------------------------------------------------------

void TFPRODUZIONE::opened() {
    const bool typedExcise = ExciseTypedByHand(exciseCode_);
    ShowEditable(excise_, typedExcise);
    excise_->setFocusPolicy(typedExcise ? Qt::StrongFocus : Qt::NoFocus);
    calculate_->setVisible(typedExcise);
    for (QLineEdit* f :
         {static_cast<QLineEdit*>(date_), number_, static_cast<QLineEdit*>(pecDate_), pecTime_,
          beerType_, static_cast<QLineEdit*>(coefficient_), static_cast<QLineEdit*>(litres_),
          static_cast<QLineEdit*>(plato_), initial_, static_cast<QLineEdit*>(final_)})
        ShowEditable(f, true);
    coefficientLabel_->setVisible(energy_);
    coefficient_->setVisible(energy_);
    setWindowTitle(kCaption);
    title_->setText(kCaption);
    preventive_->show();

    if (mode() == EntryMode::New) {
        date_->setDate(ui::Today());
        pecDate_->setDate(ui::Today());
        pecTime_->setText(QStringLiteral("00:00"));
        reset();
    } else {
        preventive_->hide();
        showRectifyCaption(title_, kRectifyCancelCaption, kRectifyChangeCaption);
        loadChosen();
        if (mode() == EntryMode::RectifyCancel) {
            for (QLineEdit* f :
                 {static_cast<QLineEdit*>(date_), number_, static_cast<QLineEdit*>(pecDate_),
                  pecTime_, beerType_, static_cast<QLineEdit*>(coefficient_),
                  static_cast<QLineEdit*>(litres_), static_cast<QLineEdit*>(plato_), initial_,
                  static_cast<QLineEdit*>(final_), static_cast<QLineEdit*>(excise_)})
                ShowEditable(f, false);
            for (QPushButton* b : {listTypes_, newType_, calculate_}) b->setEnabled(false);
            note_->setFocus(Qt::OtherFocusReason);
        } else {
            date_->setFocus(Qt::OtherFocusReason);
        }
    }
    // The protocol and the excise rate of the date shown.
    if (const Problem problem = dateCheck(); problem && !problem->isEmpty())
        ui::Warn(this, *problem);
}

void TFPRODUZIONE::reset() {
    composed_ = BlankMovement();
    for (QLineEdit* f : {number_, beerType_, static_cast<QLineEdit*>(coefficient_),
                         static_cast<QLineEdit*>(litres_), static_cast<QLineEdit*>(plato_),
                         static_cast<QLineEdit*>(degrees_), static_cast<QLineEdit*>(excise_),
                         initial_, static_cast<QLineEdit*>(final_), productCode_, note_})
        f->clear();
    coefficientLabel_->setVisible(energy_);
    coefficient_->setVisible(energy_);
    readDate();
    proposeInitialReading();
    date_->setFocus(Qt::OtherFocusReason);
}

void TFPRODUZIONE::loadChosen() {
    const TMOVIMENTO& c = chosen_;
    composed_ = StartRecord(mode(), c);
    date_->setDate(c.DATMOV);
    number_->setText(ui::FromField(c.NUMDOC));
    pecDate_->setDate(c.DATPEC);
    pecTime_->setText(ui::FromField(c.MITDES));
    beerType_->setText(ui::FromField(c.PRODAZ));
    productCode_->setText(MaskedCode(ui::FromField(c.PRODDO)));
    coefficient_->setValue(c.COERES);
    litres_->setValue(c.LITPRO);
    plato_->setValue(c.GRAPLA);
    degrees_->setValue(c.ETTOGR);
    excise_->setValue(c.ACCISA);
    // Changing a reading empties the litres: they are typed again, except in a cancellation.
    initial_->setText(QString::number(c.INTER1));
    final_->setText(QString::number(c.INTER2));
    note_->setText(ui::FromField(c.ANNOTA));
}

// ---- Checks ---------------------------------------------------------------------------------

BrewEntryWindow::Problem TFPRODUZIONE::dateCheck() {
    const auto date = readDate();
    if (!date) return Silent();
    composed_.DATDOC = *date;
    try {
        if (const auto rate = ExciseRateInForce(request_.folders.datiGen, *date))
            exciseLabel_->setText(QStringLiteral("Accisa (") +
                                  QString::number(RoundDecimals(*rate, 2), 'f', 2) + ")");
    } catch (const IoError& e) {
        return failed(e);
    }
    return protocolCheck(*date);
}

void TFPRODUZIONE::dateExit() {
    if (!passes(dateCheck(), date_)) return;
    proposeInitialReading();
    // The preventive communication is sent at the latest the day before the brew.
    const auto pec = pecDate_->date();
    if (pec && !PecBeforeProduction(*pec, composed_.DATMOV))
        pecDate_->setDate(DayBefore(composed_.DATMOV));
}

BrewEntryWindow::Problem TFPRODUZIONE::pecTimeCheck() {
    const QString time = MaskedText(pecTime_).trimmed();
    ui::SetField(composed_.MITDES, time);
    switch (CheckPecTime(ui::ToRecord(time))) {
        case TimeCheck::Ok:
            return std::nullopt;
        case TimeCheck::BadFormat:
            return kBadTime;
        case TimeCheck::BadHour:
            return kBadHour;
    }
    return std::nullopt;
}

BrewEntryWindow::Problem TFPRODUZIONE::readingCheck() {
    composed_.INTER1 = MeterReading(initial_);
    composed_.INTER2 = MeterReading(final_);
    if (ReadingsInOrder(composed_.INTER1, composed_.INTER2)) return std::nullopt;
    return kReadingsOrderMessage;
}

void TFPRODUZIONE::finalReadingExit() {
    const Problem problem = readingCheck();
    if (problem) {
        refuse(initial_, *problem);
        return;
    }
    if (energy_) {
        // The litres need a coefficient in range: otherwise its message, and the focus on it.
        if (!passes(coefficientCheck(), coefficient_)) return;
        try {
            litres_->setValue(LitresFromReadings(composed_.INTER1, composed_.INTER2, true,
                                                 Decimal::FromDouble(composed_.COERES),
                                                 wholeLitres_)
                                  .ToDouble());
        } catch (const DecimalOverflow&) {
            litres_->clear();
            refuse(litres_, kTooManyLitres);
        }
    } else {
        litres_->setText(QString::number(MeterAdvance(composed_.INTER1, composed_.INTER2)));
    }
}

void TFPRODUZIONE::litresEntered() {
    if (untouched() || checking_ || closing_ || !isVisible() || mode() == EntryMode::RectifyCancel)
        return;
    checking_ = true;
    const Problem problem = readingCheck();
    if (problem)
        refuse(initial_, *problem);
    else if (coefficient() == 1.0)
        litres_->setText(QString::number(MeterAdvance(composed_.INTER1, composed_.INTER2)));
    checking_ = false;
}

double TFPRODUZIONE::coefficient() const {
    return energy_ ? coefficient_->value(kDecimals) : 1.0;
}

BrewEntryWindow::Problem TFPRODUZIONE::coefficientCheck() {
    composed_.COERES = coefficient();
    switch (CheckCoefficient(composed_.COERES)) {
        case RangeCheck::Ok:
            return std::nullopt;
        case RangeCheck::TooSmall:
            return kCoefficientTooSmall;
        case RangeCheck::TooLarge:
            return kCoefficientTooLarge;
    }
    return std::nullopt;
}

TFPRODUZIONE::Lookup TFPRODUZIONE::beerTypeLookup(BeerType* found, QString* message) {
    productCode_->clear();
    ui::SetField(composed_.PRODAZ, beerType_->text());
    try {
        *found = LookUpBeerType(request_.folders.datiGen, ui::ToRecord(beerType_->text()));
    } catch (const IoError& e) {
        failed(e);
        return Lookup::Failed;
    }
    switch (found->status) {
        case BeerType::Status::Found:
            // Stored as the table holds it, whatever the case it was typed in.
            beerType_->setText(ui::FromRecord(found->type));
            ui::SetField(composed_.PRODAZ, beerType_->text());
            composed_.PRODDO.set(found->productCode);
            productCode_->setText(MaskedCode(ui::FromRecord(found->productCode)));
            return Lookup::Found;
        case BeerType::Status::NoStructure:
            ui::Warn(this, QString::fromUtf8(kMissingFileStructureMessage.data(),
                                             kMissingFileStructureMessage.size()));
            return Lookup::NotFound;
        case BeerType::Status::UnknownType:
            return Lookup::NotFound;
        case BeerType::Status::NoProductCode:
            *message = kNoProductCode;
            return Lookup::Failed;
    }
    return Lookup::Failed;
}

void TFPRODUZIONE::beerTypeExit() {
    BeerType found;
    QString message;
    const Lookup lookup = beerTypeLookup(&found, &message);
    if (lookup == Lookup::Found) {
        if (found.coefficient > 0) coefficient_->setValue(found.coefficient);
        if (found.plato > 0) plato_->setValue(found.plato);
        return;
    }
    refuse(beerType_, message);
    if (lookup == Lookup::NotFound) {
        offerBeerTypes();
    }
}

BrewEntryWindow::Problem TFPRODUZIONE::beerTypeCheck() {
    BeerType found;
    QString message;
    switch (beerTypeLookup(&found, &message)) {
        case Lookup::Found:
            return std::nullopt;
        case Lookup::Failed:
            return message;
        case Lookup::NotFound:
            offerBeerTypes();
            return Silent();
    }
    return Silent();
}

BrewEntryWindow::Problem TFPRODUZIONE::litresCheck() {
    switch (CheckLitres(litres_->value(kDecimals))) {
        case RangeCheck::Ok:
            return std::nullopt;
        case RangeCheck::TooSmall:
            return kNoLitres;
        case RangeCheck::TooLarge:
            return kTooManyLitres;
    }
    return std::nullopt;
}

BrewEntryWindow::Problem TFPRODUZIONE::platoCheck() {
    composed_.GRAPLA = plato_->value(kDecimals);
    switch (CheckPlato(composed_.GRAPLA)) {
        case RangeCheck::Ok:
            return std::nullopt;
        case RangeCheck::TooLarge:
            return kPlatoTooLarge;
        case RangeCheck::TooSmall:
            // Unusual, not wrong: only a warning.
            ui::Warn(this, kPlatoLow);
            return std::nullopt;
    }
    return std::nullopt;
}

void TFPRODUZIONE::platoExit() {
    if (closing_ || checking_ || !isVisible() || mode() == EntryMode::RectifyCancel) return;
    checking_ = true;
    if (untouched() || passes(platoCheck(), plato_)) passes(computeFigures(), plato_);
    checking_ = false;
}

BrewEntryWindow::Problem TFPRODUZIONE::computeFigures() {
    composed_.LITPRO = 0;
    composed_.ETTOGR = 0;
    composed_.ACCISA = 0;
    const std::optional<double> rate = rateInForce();
    try {
        std::optional<Decimal> exactRate;
        if (rate) exactRate = Decimal::FromDouble(*rate);
        const BrewFigures figures =
            ComputeBrew(Decimal::FromDouble(litres_->value(kDecimals)),
                        Decimal::FromDouble(plato_->value(kDecimals)), exciseCode_, exactRate,
                        Decimal::FromDouble(excise_->value(kDecimals)));
        composed_.LITPRO = figures.litres.ToDouble();
        composed_.GRAPLA = figures.plato.ToDouble();
        composed_.ETTOGR = figures.hectolitreDegrees.ToDouble();
        composed_.ACCISA = figures.excise.ToDouble();
        degrees_->setText(QString::fromStdString(figures.hectolitreDegrees.Format(0, 5)));
        if (!ExciseTypedByHand(exciseCode_))
            excise_->setText(QString::fromStdString(figures.excise.Format(0, 2)));
    } catch (const DecimalOverflow&) {
        // Figures beyond any brew: nothing is computed, and the user is told.
        degrees_->clear();
        if (!ExciseTypedByHand(exciseCode_)) excise_->clear();
        return QString::fromUtf8(kDecimalOverflowMessage);
    }
    return std::nullopt;
}

std::optional<double> TFPRODUZIONE::rateInForce() {
    if (const auto date = date_->date()) {
        try {
            return ExciseRateInForce(request_.folders.datiGen, *date);
        } catch (const IoError& e) {
            failed(e);
        }
    }
    return std::nullopt;
}

void TFPRODUZIONE::calculateExcise() {
    if (mode() == EntryMode::RectifyCancel) return;
    checking_ = true;
    if (passes(platoCheck(), plato_) && passes(computeFigures(), plato_)) {
        if (const auto rate = rateInForce()) {
            try {
                const Decimal excise =
                    ExciseDue(Decimal::FromDouble(composed_.ETTOGR), Decimal::FromDouble(*rate));
                composed_.ACCISA = excise.ToDouble();
                excise_->setText(QString::fromStdString(excise.Format(0, 2)));
            } catch (const DecimalOverflow&) {
                refuse(excise_, QString::fromUtf8(kDecimalOverflowMessage));
            }
        }
    }
    checking_ = false;
}

void TFPRODUZIONE::readingsChanged() {
    if (mode() != EntryMode::RectifyCancel) litres_->clear();
}

// ---- Confirmation ---------------------------------------------------------------------------

void TFPRODUZIONE::compose() {
    composed_ = StartRecord(mode(), chosen_);
    SetProductionFields(composed_, company_);
    ui::SetField(composed_.NUMDOC, number_->text().trimmed());
    ui::SetField(composed_.PRODAZ, beerType_->text());
    ui::SetField(composed_.ANNOTA, note_->text());
}

bool TFPRODUZIONE::checkFields() {
    if (mode() == EntryMode::RectifyCancel) return true;
    if (!passes(dateCheck(), date_)) return false;
    if (number_->text().trimmed().isEmpty()) {
        refuse(number_);
        return false;
    }
    const auto pec = pecDate_->date();
    if (!pec) {
        refuse(pecDate_);
        return false;
    }
    composed_.DATPEC = *pec;
    if (!PecBeforeProduction(*pec, composed_.DATMOV)) ui::Warn(this, kPecNotBefore);
    if (!passes(pecTimeCheck(), pecTime_)) return false;
    if (!passes(beerTypeCheck(), beerType_)) return false;
    if (!passes(coefficientCheck(), coefficient_)) return false;
    if (!passes(litresCheck(), litres_)) return false;
    if (!passes(platoCheck(), plato_)) return false;
    if (!passes(computeFigures(), plato_)) return false;
    return passes(readingCheck(), initial_);
}

// ---- Buttons --------------------------------------------------------------------------------

// A type not in the table: the list opens once the focus change in progress is over, or, with
// no type in the table yet, the new-type window on what was typed.
void TFPRODUZIONE::offerBeerTypes() {
    setup::OfferBeerTypesLater(
        this, request_.folders.datiGen, [this] { return isVisible() && !closing_; },
        [this] { chooseBeerType(); }, [this] { newBeerType(); });
}

void TFPRODUZIONE::chooseBeerType() {
    const int chosen = tables::ChooseFromTable(this, tableContext(kBeerTypes));
    if (chosen >= 0) {
        try {
            const auto found =
                ReadByNumber(chosen, TableFile(request_.folders.datiGen, kBeerTypes));
            beerType_->setText(found ? ui::FromField(found->text[0]) : QString());
        } catch (const IoError& e) {
            failed(e);
            beerType_->clear();
        }
    }
    beerType_->setFocus(Qt::OtherFocusReason);
}

void TFPRODUZIONE::newBeerType() {
    const QString type = setup::OpenNewBeerType(
        this, tableContext(kBeerTypes),
        setup::TypedNewBeerType(request_.folders.datiGen, beerType_->text()));
    if (!type.isEmpty()) beerType_->setText(type);
    beerType_->setFocus(Qt::OtherFocusReason);
}

void TFPRODUZIONE::recallPreventive() {
    if (mode() != EntryMode::New) return;
    std::optional<TMOVIMENTO> chosen;
    try {
        chosen = chooser_ ? chooser_(this) : ChoosePreventive(this, request_);
    } catch (const IoError& e) {
        failed(e);
        return;
    }
    if (!chosen) return;
    TMOVIMENTO c = *chosen;
    TrimMovement(c);
    date_->setDate(c.DATMOV);
    number_->setText(QString::number(c.INTER2));
    beerType_->setText(ui::FromField(c.PRODAZ));
    BeerType found;
    QString message;
    const Lookup lookup = beerTypeLookup(&found, &message);
    if (lookup == Lookup::Found) {
        if (found.coefficient > 0) coefficient_->setValue(found.coefficient);
        if (found.plato > 0) plato_->setValue(found.plato);
    } else if (!message.isEmpty()) {
        ui::Warn(this, message);
    }
    // Sent by PEC: its date and time.
    if (c.DATPEC > 10000) {
        pecDate_->setDate(c.DATPEC);
        pecTime_->setText(ui::FromField(c.MITDES));
    }
    // A beer type that the table does not hold is chosen from the list of the types.
    if (lookup == Lookup::NotFound)
        chooseBeerType();
    else
        date_->setFocus(Qt::OtherFocusReason);
}

bool OpenProduction(QWidget* parent, const EntryRequest& request) {
    TFPRODUZIONE window(request, parent);
    window.exec();
    return window.saved();
}

}  // namespace braxol::production
