#include "preventive/preventive_window.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "preventive/communications.h"
#include "preventive/letter.h"
#include "preventive/send_window.h"
#include "production/brew_computation.h"
#include "setup/beer_types_window.h"
#include "store/config_files.h"
#include "store/dates.h"
#include "store/numbers.h"
#include "store/table_structures.h"
#include "store/tables.h"
#include "tables/listview.h"
#include "tables/messages.h"
#include "tables/table_editing.h"
#include "ui/confirm_button.h"
#include "ui/field_exit.h"
#include "ui/fields.h"
#include "ui/io_error_box.h"
#include "ui/seams.h"
#include "ui/text.h"

namespace braxol::preventive {
namespace {

const QString kCaption = QStringLiteral("Comunicazione preventiva");
constexpr const char* kBeerTypes = "PRAZ";
constexpr int kBeerTypeLength = 100;
constexpr int kTanksLength = 21;
constexpr int kNoteLength = 250;
constexpr int kDecimals = 5;
constexpr double kLeastLitres = 0.000001;
// A brew date earlier than this part of a day after today is worth a warning.
constexpr double kEarlyBrew = 0.9;
// PRAZ number slot 1: the degrees Plato of the beer type.
constexpr int kPlatoSlot = 1;

QLabel* Caption(QWidget* window, const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text, window);
    label->setObjectName("ET" + buddy->objectName());
    label->setBuddy(buddy);
    return label;
}

}  // namespace

TFPREVENTIVA::TFPREVENTIVA(const PreventiveRequest& request, QWidget* parent)
    : ui::EntryWindow(parent),
      request_(request),
      date_(new ui::DateEdit(this)),
      number_(new ui::IntegerEdit(this)),
      beerType_(new QLineEdit(this)),
      // Reached by accelerator too, so that the keyboard alone chooses or adds a type.
      listTypes_(new QPushButton(QStringLiteral("&Elenco"), this)),
      newType_(new QPushButton(QStringLiteral("&Nuovo"), this)),
      tanks_(new QLineEdit(this)),
      litres_(new ui::AmountEdit(this)),
      reading_(new ui::IntegerEdit(this)),
      note_(new QLineEdit(this)),
      sendAfter_(
          new QCheckBox(QStringLiteral("Apri il form per inviare la PEC dopo la Conferma"), this)),
      confirm_(new ui::ConfirmButton(this)),
      leave_(new QPushButton(QStringLiteral("&Abbandona"), this)) {
    setObjectName("FPREVENTIVA");
    setWindowTitle(kCaption);
    date_->setObjectName("DATMOV");
    number_->setObjectName("INTER2");
    beerType_->setObjectName("PRODAZ");
    listTypes_->setObjectName("BPRODAZ");
    newType_->setObjectName("BNPRODAZ");
    tanks_->setObjectName("NUMDOC");
    litres_->setObjectName("DOUBL3");
    reading_->setObjectName("INTER1");
    note_->setObjectName("ANNOTA");
    sendAfter_->setObjectName("CINVIA");
    leave_->setObjectName("BABBANDONA");

    beerType_->setMaxLength(kBeerTypeLength);
    tanks_->setMaxLength(kTanksLength);
    note_->setMaxLength(kNoteLength);
    sendAfter_->setChecked(true);
    // The buttons beside the fields are pressed with the mouse: pressing them does not leave
    // the field being typed, so its check stays quiet.
    for (QPushButton* b : {listTypes_, newType_, leave_}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoDefault(false);
    }
    layOut();

    setFirstField(date_);
    confirm_->setUntouchedGuard([this] { return untouched(); },
                                [this] {
                                    setUntouched(false);
                                    date_->setFocus(Qt::OtherFocusReason);
                                });
    confirm_->setChecks([this] { return confirmChecks(); });
    confirm_->setSave([this] { save(); });
    connect(leave_, &QPushButton::clicked, this, &QDialog::reject);
    connect(listTypes_, &QPushButton::clicked, this, &TFPREVENTIVA::chooseBeerType);
    connect(newType_, &QPushButton::clicked, this, &TFPREVENTIVA::newBeerType);

    onExit(date_, [this] {
        if (!dateCheck()) return false;
        proposeNumbers();
        return true;
    });
    onExit(number_, [this] { return numberCheck(); });
    onExit(beerType_, [this] { return beerTypeCheck(); });
    onExit(tanks_, [this] { return tanksCheck(); });
    onExit(litres_, [this] { return litresCheck(); });
    onExit(reading_, [this] { return readingCheck(); });
}

TFPREVENTIVA::~TFPREVENTIVA() {
    ui::StopFieldExits(this);
}

void TFPREVENTIVA::layOut() {
    const int letter = fontMetrics().horizontalAdvance(QChar('W'));
    date_->setFixedWidth(8 * letter);
    number_->setFixedWidth(6 * letter);
    reading_->setFixedWidth(9 * letter);
    litres_->setFixedWidth(9 * letter);
    tanks_->setFixedWidth(12 * letter);
    beerType_->setMinimumWidth(24 * letter);
    note_->setMinimumWidth(36 * letter);

    auto* form = new QFormLayout;
    form->addRow(Caption(this, QStringLiteral("Data della Cotta"), date_), date_);
    form->addRow(Caption(this, QStringLiteral("Numero progressivo annuale"), number_), number_);
    auto* beer = new QHBoxLayout;
    beer->addWidget(beerType_);
    beer->addWidget(listTypes_);
    beer->addWidget(newType_);
    form->addRow(Caption(this, QStringLiteral("Tipo di Birra da produrre"), beerType_), beer);
    form->addRow(Caption(this, QStringLiteral("Tini di fermentazione/maturazione"), tanks_),
                 tanks_);
    form->addRow(Caption(this, QStringLiteral("Litri di mosto presunti"), litres_), litres_);
    form->addRow(
        Caption(this, QStringLiteral("Misuratore della produzione di birra:   Lettura attuale"),
                reading_),
        reading_);
    form->addRow(Caption(this, QStringLiteral("Nota"), note_), note_);
    form->addRow(sendAfter_);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(confirm_);
    buttons->addStretch();
    buttons->addWidget(leave_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addSpacing(8);
    layout->addLayout(buttons);

    QWidget* order[] = {date_,    number_, beerType_,  tanks_,  litres_,
                        reading_, note_,   sendAfter_, confirm_};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

bool TFPREVENTIVA::sendAfterSave() const {
    return sendAfter_->isChecked();
}

void TFPREVENTIVA::showEvent(QShowEvent* event) {
    ui::EntryWindow::showEvent(event);
    if (!event->spontaneous()) opened();
}

void TFPREVENTIVA::done(int result) {
    closing_ = true;
    ui::EntryWindow::done(result);
    closing_ = false;
}

bool TFPREVENTIVA::eventFilter(QObject* watched, QEvent* event) {
    // Enter on the tick box moves on, as in the fields.
    if (watched == sendAfter_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            focusNextChild();
            return true;
        }
    }
    return ui::EntryWindow::eventFilter(watched, event);
}

// ---- Opening --------------------------------------------------------------------------------

void TFPREVENTIVA::opened() {
    saved_.reset();
    lastProposal_.reset();
    composed_ = BlankMovement();
    if (!changeMode()) {
        date_->setDate(ui::Today() + 1);
        for (QLineEdit* f :
             {static_cast<QLineEdit*>(number_), beerType_, tanks_, static_cast<QLineEdit*>(litres_),
              static_cast<QLineEdit*>(reading_), note_})
            f->clear();
        if (dateCheck()) proposeNumbers();
    } else {
        setUntouched(false);
        TMOVIMENTO c = *request_.chosen;
        TrimMovement(c);
        date_->setDate(c.DATMOV);
        tanks_->setText(ui::FromField(c.NUMDOC));
        beerType_->setText(ui::FromField(c.PRODAZ));
        litres_->setValue(c.LITPRO);
        reading_->setValue(c.INTER1);
        number_->setValue(c.INTER2);
        note_->setText(ui::FromField(c.ANNOTA));
    }
    date_->setFocus(Qt::OtherFocusReason);
}

void TFPREVENTIVA::proposeNumbers() {
    if (changeMode() || lastProposal_ == composed_.DATMOV) return;
    lastProposal_ = composed_.DATMOV;
    try {
        const auto reading =
            production::ProposedInitialReading(request_.folders.registri, composed_.DATMOV);
        if (reading)
            reading_->setValue(*reading);
        else
            reading_->clear();
        number_->setValue(ProposedNumber(request_.folders.registri, composed_.DATMOV));
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
    }
}

// ---- Checks ---------------------------------------------------------------------------------

void TFPREVENTIVA::onExit(QWidget* field, std::function<bool()> check) {
    ui::OnFieldExit(field, [this, field, check = std::move(check)] {
        if (untouched() || closing_ || checking_ || !isVisible()) return;
        checking_ = true;
        if (!check()) refuse(field);
        checking_ = false;
    });
}

void TFPREVENTIVA::refuse(QWidget* field, const QString& message) {
    const bool wasChecking = checking_;
    checking_ = true;
    field->setFocus(Qt::OtherFocusReason);
    checking_ = wasChecking;
    if (!message.isEmpty()) ui::Warn(this, message);
}

bool TFPREVENTIVA::dateCheck() {
    const auto date = date_->date();
    if (!date) return false;
    composed_.DATMOV = RoundDecimals(*date, 0);
    composed_.DATDOC = composed_.DATMOV;
    // Told, not refused: the communication may be late.
    if (*date < ui::Today() + kEarlyBrew) ui::Warn(this, kEarlyBrewMessage);
    return true;
}

bool TFPREVENTIVA::numberCheck() {
    composed_.INTER2 = number_->value();
    if (composed_.INTER2 <= 0) return false;
    // The letter is named by the number: a number already given in the year would overwrite
    // the letter of another communication, which could then go to customs with this one's.
    const auto date = date_->date();
    if (!date) return true;  // the date check refuses it
    bool taken = false;
    try {
        taken = NumberTaken(request_.folders.registri, *date, composed_.INTER2, request_.chosen);
    } catch (const IoError&) {
        return true;  // the save meets the same file and reports it
    }
    if (taken) ui::Warn(this, kNumberTakenMessage);
    return !taken;
}

bool TFPREVENTIVA::beerTypeCheck() {
    ui::SetField(composed_.PRODAZ, beerType_->text());
    TTABELLA key = BlankTabella();
    key.text[0].set(ui::ToRecord(beerType_->text().trimmed()));
    key.text[10].set(kBeerTypes);
    TableLookup found;
    try {
        // A type typed in lower case is the type the table holds in upper case.
        found = FindByKey(request_.folders.datiGen, kBeerTypes, key, LetterCase::Ignored);
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
        return false;
    }
    if (found.found()) {
        // Stored and shown as the table holds it, as the production recalls it from there.
        beerType_->setText(ui::FromField(found.record.text[0]));
        ui::SetField(composed_.PRODAZ, beerType_->text());
        composed_.GRAPLA = found.record.num[kPlatoSlot];
        return true;
    }
    if (found.status == KeyLookup::NoStructure) {
        ui::Warn(this,
                 QString::fromUtf8(kMissingFileStructureMessage.data(),
                                   static_cast<qsizetype>(kMissingFileStructureMessage.size())));
        return false;
    }
    // The list opens once the focus change in progress is over. With no type in the table yet
    // there is nothing to choose from: the new type is entered instead.
    setup::OfferBeerTypesLater(
        this, request_.folders.datiGen, [this] { return isVisible() && !closing_; },
        [this] { chooseBeerType(); }, [this] { newBeerType(); });
    return false;
}

bool TFPREVENTIVA::tanksCheck() {
    ui::SetField(composed_.NUMDOC, tanks_->text().trimmed());
    return !tanks_->text().trimmed().isEmpty();
}

bool TFPREVENTIVA::litresCheck() {
    composed_.LITPRO = litres_->value(kDecimals);
    return composed_.LITPRO >= kLeastLitres;
}

bool TFPREVENTIVA::readingCheck() {
    composed_.INTER1 = ParseInteger(ui::ToRecord(reading_->text()));
    return true;
}

bool TFPREVENTIVA::confirmChecks() {
    const bool wasChecking = checking_;
    checking_ = true;
    // A change keeps what the communication already records, its sending by PEC above all.
    composed_ = changeMode() ? *request_.chosen : BlankMovement();
    composed_.NUMOPE = 0;
    ui::SetField(composed_.ANNOTA, note_->text());
    const std::pair<bool (TFPREVENTIVA::*)(), QWidget*> checks[] = {
        {&TFPREVENTIVA::dateCheck, date_},         {&TFPREVENTIVA::numberCheck, number_},
        {&TFPREVENTIVA::beerTypeCheck, beerType_}, {&TFPREVENTIVA::tanksCheck, tanks_},
        {&TFPREVENTIVA::litresCheck, litres_},     {&TFPREVENTIVA::readingCheck, reading_},
    };
    bool passed = true;
    for (const auto& [check, field] : checks) {
        if (!(this->*check)()) {
            refuse(field);
            passed = false;
            break;
        }
    }
    if (passed) PadMovement(composed_);
    checking_ = wasChecking;
    return passed;
}

// ---- Save -----------------------------------------------------------------------------------

void TFPREVENTIVA::save() {
    TMOVIMENTO stored;
    try {
        stored = SaveCommunication(request_.folders.registri, request_.chosen, composed_);
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
        refuse(date_);
        return;
    }
    saved_ = stored;
    if (request_.chosen) {
        try {
            RemoveOldLetter(request_.folders.root, request_.folders.registri, *request_.chosen,
                            stored);
        } catch (const IoError&) {
            // The old letter stays; the communication is saved.
        }
    }
    accept();
    writeLetter(stored);
}

void TFPREVENTIVA::writeLetter(const TMOVIMENTO& stored) {
    try {
        const auto company = ReadCompany(request_.folders.companyFile());
        const auto path = LetterPathOf(request_.folders.root, stored);
        if (!path) return;
        WriteLetter(PreventiveLetter(company.value_or(BlankTutente()), stored,
                                     LoadSignature(request_.folders.datiGen)),
                    *path);
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
    }
}

// ---- Buttons --------------------------------------------------------------------------------

tables::TableContext TFPREVENTIVA::beerTypes() const {
    tables::TableContext context;
    context.folders = request_.folders;
    context.tableName = kBeerTypes;
    context.maxWidth = request_.maxWidth;
    context.maxHeight = request_.maxHeight;
    return context;
}

void TFPREVENTIVA::chooseBeerType() {
    const int chosen = tables::ChooseFromTable(this, beerTypes());
    if (chosen >= 0) {
        try {
            const auto found =
                ReadByNumber(chosen, TableFile(request_.folders.datiGen, kBeerTypes));
            beerType_->setText(found ? ui::FromField(found->text[0]) : QString());
        } catch (const IoError& e) {
            ui::ShowIoError(this, e);
        }
    }
    beerType_->setFocus(Qt::OtherFocusReason);
}

void TFPREVENTIVA::newBeerType() {
    const QString type = setup::OpenNewBeerType(
        this, beerTypes(), setup::TypedNewBeerType(request_.folders.datiGen, beerType_->text()));
    if (!type.isEmpty()) beerType_->setText(type);
    beerType_->setFocus(Qt::OtherFocusReason);
}

void OpenPreventive(QWidget* parent, const PreventiveRequest& request) {
    std::optional<TMOVIMENTO> saved;
    bool send = false;
    {
        TFPREVENTIVA window(request, parent);
        window.exec();
        saved = window.saved();
        send = window.sendAfterSave();
    }
    if (saved && send) OpenSending(parent, {request.folders, *saved});
}

}  // namespace braxol::preventive
