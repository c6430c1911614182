#include "rawmaterials/movement_window.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "production/brew_computation.h"
#include "rawmaterials/materials_window.h"
#include "rawmaterials/movement_entry.h"
#include "store/dates.h"
#include "store/io_error.h"
#include "tables/table_editing.h"
#include "ui/confirm_button.h"
#include "ui/field_exit.h"
#include "ui/fields.h"
#include "ui/io_error_box.h"
#include "ui/seams.h"
#include "ui/text.h"

namespace braxol::rawmaterials {
namespace {

constexpr int kNumberLength = 21;
constexpr int kSupplierLength = 100;
constexpr int kNoteLength = 200;

// The look of the window for each type of movement.
struct TypeLook {
    QString title;
    QColor window;
    QString movement;
    QString dateCaption;
    QColor text;
};

const TypeLook kLoadLook{QStringLiteral("CARICO MATERIA PRIMA"), QColor(231, 254, 254),
                         QStringLiteral("CARICO"), QStringLiteral("Data carico"),
                         QColor(0, 128, 0)};
const TypeLook kUnloadLook{QStringLiteral("SCARICO MATERIA PRIMA"), QColor(245, 241, 188),
                           QStringLiteral("SCARICO"), QStringLiteral("Data scarico"),
                           QColor(255, 0, 0)};
const QString kNeutralTitle = QStringLiteral("CARICO / SCARICO MATERIA PRIMA");
const QString kNeutralDateCaption = QStringLiteral("Data movimento");

// Both years hold the movement after a change that could not be completed nor undone.
QString KeptTwiceMessage(const production::OldEntryKeptError& e) {
    const auto year = [](double date) { return QString::number(YearOfDate(date).value_or(0)); };
    return QStringLiteral(
               "ATTENZIONE: IL MOVIMENTO È STATO REGISTRATO NEL %1 COME OPERAZIONE N. %2, MA NON "
               "È STATO TOLTO DAL %3, DOVE RESTA COME OPERAZIONE N. %4: CANCELLALO CON "
               "\"Materie Prime → Cancella\"")
        .arg(year(e.stored().DATMOV))
        .arg(e.stored().NUMOPE)
        .arg(year(e.old().DATMOV))
        .arg(e.old().NUMOPE);
}

}  // namespace

TFCARSCAMP::TFCARSCAMP(MovementRequest request, QWidget* parent)
    : ui::EntryWindow(parent),
      request_(std::move(request)),
      selected_(request_.change ? request_.selected : BlankMovement()),
      composed_(BlankMovement()),
      ledger_(request_.folders.registri),
      title_(new QLabel(this)),
      movement_(new QLabel(this)),
      type_(new QLineEdit(this)),
      dateLabel_(new QLabel(kNeutralDateCaption, this)),
      date_(new ui::DateEdit(this)),
      material_(new QLineEdit(this)),
      listMaterials_(tables::NamedButton(this, QStringLiteral("Ele&nca"), "BPRODDO")),
      newMaterial_(tables::NamedButton(this, QStringLiteral("Nu&ova"), "BNPRODDO")),
      documentDate_(new ui::DateEdit(this)),
      number_(new QLineEdit(this)),
      supplierLabel_(new QLabel(QStringLiteral("Fornitore"), this)),
      supplier_(new QLineEdit(this)),
      quantity_(new ui::AmountEdit(this)),
      stock_(new QLabel(this)),
      note_(new QLineEdit(this)),
      confirm_(new ui::ConfirmButton(this)),
      leave_(tables::NamedButton(this, QStringLiteral("&Abbandona"), "BABBANDONA")) {
    setObjectName("FCARSCAMP");
    title_->setObjectName("LTITOLO");
    movement_->setObjectName("LMOVIMENTO");
    type_->setObjectName("TIPMOV");
    dateLabel_->setObjectName("Label1");
    date_->setObjectName("DATMOV");
    material_->setObjectName("PRODDO");
    documentDate_->setObjectName("DATDOC");
    number_->setObjectName("NUMDOC");
    supplierLabel_->setObjectName("LPRODAZ");
    supplier_->setObjectName("PRODAZ");
    quantity_->setObjectName("DOUBL1");
    stock_->setObjectName("LMAX");
    note_->setObjectName("ANNOTA");

    type_->setMaxLength(1);
    material_->setMaxLength(kMaterialLength);
    number_->setMaxLength(kNumberLength);
    supplier_->setMaxLength(kSupplierLength);
    note_->setMaxLength(kNoteLength);
    UpperCaseAsTyped(type_);
    UpperCaseAsTyped(material_);
    listMaterials_->setToolTip(QStringLiteral("mostra la tabella"));
    newMaterial_->setToolTip(QStringLiteral("Inserisce Nuovo Codice"));
    // Buttons other than the confirm one take no focus: pressing them leaves the field being
    // typed alone, so its exit rule (the list of the materials above all) stays quiet.
    for (QPushButton* b : {listMaterials_, newMaterial_, leave_}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoDefault(false);
    }
    layOut();

    setFirstField(type_);
    // Entering the confirm button while the window is untouched only counts as touching it.
    confirm_->setUntouchedGuard([this] { return untouched(); },
                                [this] {
                                    setUntouched(false);
                                    type_->setFocus(Qt::OtherFocusReason);
                                });
    confirm_->setChecks([this] { return confirmChecks(); });
    confirm_->setSave([this] { save(); });
    onExit(type_, [this] { typeCheck(); });
    onExit(date_, [this] { movementDateCheck(true); });
    onExit(material_, [this] { materialExit(); });
    onExit(documentDate_, [this] { documentDateCheck(); });
    onExit(number_, [this] { numberCheck(); });
    onExit(quantity_, [this] {
        if (quantityCheck()) stockDisplay();
    });
    connect(listMaterials_, &QPushButton::clicked, this, &TFCARSCAMP::chooseMaterial);
    connect(newMaterial_, &QPushButton::clicked, this, &TFCARSCAMP::newMaterial);
    connect(leave_, &QPushButton::clicked, this, &QDialog::reject);
}

TFCARSCAMP::~TFCARSCAMP() {
    ui::StopFieldExits(this);
}

void TFCARSCAMP::layOut() {
    auto letters = [this](int n) {
        return fontMetrics().horizontalAdvance(QString(n, QChar('W')));
    };
    for (QLabel* big : {title_, movement_}) {
        QFont font = big->font();
        font.setBold(true);
        font.setPointSizeF(font.pointSizeF() * 1.6);
        big->setFont(font);
        big->setAlignment(Qt::AlignCenter);
        big->setMinimumWidth(letters(14));
    }
    type_->setFixedWidth(letters(3));
    date_->setFixedWidth(letters(8));
    documentDate_->setFixedWidth(letters(8));
    material_->setFixedWidth(letters(kMaterialLength + 1));
    number_->setFixedWidth(letters(kNumberLength + 1));
    supplier_->setMinimumWidth(letters(36));
    quantity_->setFixedWidth(letters(12));
    note_->setMinimumWidth(letters(36));
    stock_->setMinimumWidth(letters(12));
    QFont stockFont = stock_->font();
    stockFont.setBold(true);
    stock_->setFont(stockFont);
    // An unload hides the supplier without the window changing its size.
    for (QWidget* w : {static_cast<QWidget*>(supplierLabel_), static_cast<QWidget*>(supplier_),
                       static_cast<QWidget*>(stock_)}) {
        QSizePolicy policy = w->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        w->setSizePolicy(policy);
    }

    auto* grid = new QGridLayout;
    int row = 0;
    auto add = [&](QLabel* label, std::initializer_list<QWidget*> widgets) {
        auto* line = new QHBoxLayout;
        for (QWidget* w : widgets) line->addWidget(w);
        line->addStretch();
        label->setBuddy(*widgets.begin());
        grid->addWidget(label, row, 0);
        grid->addLayout(line, row, 1);
        ++row;
    };
    add(new QLabel(QStringLiteral("Carico / Scarico ?  C/S"), this), {type_});
    add(dateLabel_, {date_});
    add(new QLabel(QStringLiteral("Materia Prima"), this),
        {material_, listMaterials_, newMaterial_});
    add(new QLabel(QStringLiteral("Data documento"), this), {documentDate_});
    add(new QLabel(QStringLiteral("Numero documento"), this), {number_});
    add(supplierLabel_, {supplier_});
    add(new QLabel(QStringLiteral("Quantità"), this), {quantity_, stock_});
    add(new QLabel(QStringLiteral("Nota"), this), {note_});

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(confirm_);
    buttons->addStretch();
    buttons->addWidget(leave_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title_);
    layout->addWidget(movement_);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    QWidget* previous = nullptr;
    for (QWidget* w : {static_cast<QWidget*>(type_), static_cast<QWidget*>(date_),
                       static_cast<QWidget*>(material_), static_cast<QWidget*>(documentDate_),
                       static_cast<QWidget*>(number_), static_cast<QWidget*>(supplier_),
                       static_cast<QWidget*>(quantity_), static_cast<QWidget*>(note_),
                       static_cast<QWidget*>(confirm_)}) {
        if (previous) setTabOrder(previous, w);
        previous = w;
    }
}

tables::TableContext TFCARSCAMP::tableContext() const {
    return {request_.folders, kMaterialsTable, false, request_.maxWidth, request_.maxHeight};
}

void TFCARSCAMP::showEvent(QShowEvent* event) {
    ui::EntryWindow::showEvent(event);
    closing_ = false;
    stored_ = 0;
    shownStock_.reset();
    // What other copies of the program stored meanwhile counts from this opening on.
    ledger_.forget();
    title_->clear();
    movement_->clear();
    if (!changeMode()) {
        selected_ = BlankMovement();
        date_->setDate(ui::Today());
        documentDate_->setDate(ui::Today());
        reset();
        return;
    }
    selected_ = request_.selected;
    loadSelected();
    // A change starts from a stored movement: what is wrong with it shows at once.
    setUntouched(false);
    checking_ = true;
    if (fieldChecks(true)) {
        stockDisplay();
        type_->setFocus(Qt::OtherFocusReason);
    }
    checking_ = false;
}

void TFCARSCAMP::done(int result) {
    closing_ = true;
    ui::EntryWindow::done(result);
}

void TFCARSCAMP::reset() {
    composed_ = BlankMovement();
    showType();
    for (QLineEdit* f :
         {type_, number_, supplier_, material_, static_cast<QLineEdit*>(quantity_), note_})
        f->clear();
    stock_->hide();
    type_->setFocus(Qt::OtherFocusReason);
}

void TFCARSCAMP::loadSelected() {
    TMOVIMENTO s = selected_;
    TrimMovement(s);
    composed_ = StartMovement(selected_);
    type_->setText(ui::FromField(s.TIPMOV));
    date_->setDate(s.DATMOV);
    material_->setText(ui::FromField(s.PRODDO));
    documentDate_->setDate(s.DATDOC);
    number_->setText(ui::FromField(s.NUMDOC));
    supplier_->setText(ui::FromField(s.PRODAZ));
    quantity_->setValue(s.QUANTI, kQuantityDecimals);
    note_->setText(ui::FromField(s.ANNOTA));
    stock_->hide();
    showType();
}

void TFCARSCAMP::showType() {
    const bool load = composed_.TIPMOV == kLoad;
    const bool unload = composed_.TIPMOV == kUnload;
    const TypeLook* look = load ? &kLoadLook : unload ? &kUnloadLook : nullptr;
    QPalette palette = QApplication::palette(this);
    if (look) palette.setColor(QPalette::Window, look->window);
    setPalette(palette);
    setAutoFillBackground(look != nullptr);
    setWindowTitle(look ? look->title : kNeutralTitle);
    movement_->setText(look ? look->movement : QString());
    dateLabel_->setText(look ? look->dateCaption : kNeutralDateCaption);
    for (QLabel* label : {movement_, dateLabel_}) {
        QPalette text = label->palette();
        text.setColor(QPalette::WindowText,
                      look ? look->text : palette.color(QPalette::WindowText));
        label->setPalette(text);
    }
    supplierLabel_->setVisible(!unload);
    supplier_->setVisible(!unload);
    if (!unload) stock_->hide();
}

// ---- Checks ---------------------------------------------------------------------------------

void TFCARSCAMP::onExit(QWidget* field, std::function<void()> check) {
    ui::OnFieldExit(field, [this, check = std::move(check)] {
        if (untouched() || checking_ || closing_ || !isVisible()) return;
        checking_ = true;
        check();
        checking_ = false;
    });
}

void TFCARSCAMP::refuse(QWidget* field, const QString& message) {
    // The focus goes back first, so that it is on the field when the message box closes; the
    // control that was taking it never runs its own exit rule.
    const bool wasChecking = checking_;
    checking_ = true;
    field->setFocus(Qt::OtherFocusReason);
    checking_ = wasChecking;
    if (!message.isEmpty()) ui::Warn(this, message);
}

bool TFCARSCAMP::typeCheck() {
    const QString text = type_->text();
    ui::SetField(composed_.TIPMOV, text.isEmpty() ? QStringLiteral(" ") : text.left(1));
    if (!(composed_.TIPMOV == kLoad) && !(composed_.TIPMOV == kUnload)) {
        refuse(type_);
        return false;
    }
    showType();
    return true;
}

bool TFCARSCAMP::movementDateCheck(bool moveDocumentDate) {
    const auto date = date_->date();
    if (!date) {
        refuse(date_);
        return false;
    }
    composed_.DATMOV = *date;
    const auto document = documentDate_->date();
    if (moveDocumentDate && document && *document > *date) documentDate_->setDate(*date);
    return true;
}

bool TFCARSCAMP::materialCheck() {
    const QString name = material_->text().trimmed();
    ui::SetField(composed_.PRODDO, name);
    composed_.PRODDO.pad();
    if (!MaterialKnown(this, request_.folders, name)) return false;
    material_->setText(name);
    return true;
}

void TFCARSCAMP::materialExit() {
    if (materialCheck()) {
        stockDisplay();
        return;
    }
    refuse(material_);
    // The list opens once the focus change in progress is over.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (isVisible() && !closing_) chooseMaterial();
        },
        Qt::QueuedConnection);
}

bool TFCARSCAMP::documentDateCheck() {
    const auto document = documentDate_->date();
    if (!document) {
        refuse(documentDate_);
        return false;
    }
    composed_.DATDOC = *document;
    if (!movementDateCheck(false)) return false;
    if (composed_.DATDOC > composed_.DATMOV) {
        documentDate_->setDate(composed_.DATMOV);
        refuse(documentDate_, kDocumentAfterMovement);
        return false;
    }
    return true;
}

bool TFCARSCAMP::numberCheck() {
    const QString number = number_->text();
    ui::SetField(composed_.NUMDOC, number);
    // Empty or starting with a blank: no document number.
    if (number.isEmpty() || number.front() < QChar('!')) {
        refuse(number_);
        return false;
    }
    return true;
}

bool TFCARSCAMP::quantityCheck() {
    composed_.QUANTI = quantity_->value(kQuantityDecimals);
    if (composed_.QUANTI == 0) {
        refuse(quantity_, kQuantityRequired);
        return false;
    }
    return true;
}

bool TFCARSCAMP::fieldChecks(bool moveDocumentDate) {
    if (!typeCheck() || !movementDateCheck(moveDocumentDate)) return false;
    if (!materialCheck()) {
        refuse(material_);
        return false;
    }
    return documentDateCheck() && numberCheck() && quantityCheck();
}

void TFCARSCAMP::stockDisplay() {
    if (!(composed_.TIPMOV == kUnload) || !date_->date()) return;
    composed_.DATMOV = *date_->date();
    double stock = 0;
    try {
        stock = StockFor(ledger_, composed_, selected_);
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
        return;
    }
    shownStock_ = stock;
    stock_->setText(StockText(stock));
    stock_->show();
    composed_.QUANTI = quantity_->value(kQuantityDecimals);
    if (composed_.QUANTI != 0 && ExceedsStock(stock, composed_.QUANTI)) ui::Warn(this, kOverStock);
}

// ---- Confirmation ---------------------------------------------------------------------------

bool TFCARSCAMP::confirmChecks() {
    const bool wasChecking = checking_;
    checking_ = true;
    composed_ = StartMovement(selected_);
    ui::SetField(composed_.PRODAZ, supplier_->text().left(kSupplierLength));
    bool passed = fieldChecks(false);
    if (passed) {
        stockDisplay();
        ui::SetField(composed_.ANNOTA, note_->text());
        PadMovement(composed_);
        if (!changeMode()) {
            try {
                if (HasSameDocument(request_.folders.registri, composed_))
                    ui::Warn(this, kDocumentStored);
            } catch (const IoError& e) {
                ui::ShowIoError(this, e);
                refuse(date_);
                passed = false;
            }
        }
    }
    checking_ = wasChecking;
    return passed;
}

void TFCARSCAMP::save() {
    try {
        StoreMovement(request_.folders.registri, composed_, selected_);
    } catch (const production::OldEntryKeptError& e) {
        // Both years hold the movement now: the window closes, so that nothing stores it a
        // third time, and the user learns which record is left over.
        ui::ShowIoError(this, e);
        ui::Warn(this, KeptTwiceMessage(e));
        ++stored_;
        accept();
        return;
    } catch (const IoError& e) {
        // Nothing was stored, or what was stored has been taken back: what was typed stays.
        ui::ShowIoError(this, e);
        refuse(date_);
        return;
    }
    ++stored_;
    if (changeMode()) {
        accept();
        return;
    }
    reset();
}

// ---- Buttons --------------------------------------------------------------------------------

void TFCARSCAMP::chooseMaterial() {
    bool chosen = false;
    const auto found = tables::PickFromTable(this, tableContext(), kMaterialsTable, &chosen);
    if (chosen) material_->setText(found ? ui::FromField(found->text[0]) : QString());
    material_->setFocus(Qt::OtherFocusReason);
}

void TFCARSCAMP::newMaterial() {
    const QString name = OpenNewMaterial(this, tableContext());
    if (!name.trimmed().isEmpty()) material_->setText(name.trimmed());
    material_->setFocus(Qt::OtherFocusReason);
}

int OpenRawMaterialMovements(QWidget* parent, const MovementRequest& request) {
    TFCARSCAMP window(request, parent);
    window.exec();
    return window.storedCount();
}

}  // namespace braxol::rawmaterials
