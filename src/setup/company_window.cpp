#include "setup/company_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>
#include <algorithm>
#include <string>

#include "store/checks.h"
#include "store/config_files.h"
#include "store/io_error.h"
#include "store/tables.h"
#include "tables/codici.h"
#include "tables/listview.h"
#include "tables/messages.h"
#include "tables/table_editing.h"
#include "ui/confirm_button.h"
#include "ui/io_error_box.h"
#include "ui/seams.h"
#include "ui/text.h"

namespace braxol::setup {

namespace {

const char* const kOfficeTable = "TA03";
const QString kOfficeTableTitle = QStringLiteral("Uffici Doganali");
const QString kOfficeMenuEntry = QStringLiteral("Codici e Tabelle → Uffici Doganali");

const QString kWrongExciseCode = QStringLiteral("ATTENZIONE CODICE D'ACCISA ERRATO");
const QString kNoName = QStringLiteral("DIGITARE ALMENO UN CARATTERE");
const QString kWrongVatNumber = QStringLiteral("ATTENZIONE PARTITA I.V.A. ERRATA");
const QString kWrongFiscalCode = QStringLiteral("ATTENZIONE CODICE FISCALE ERRATO");
const QString kWrongMeter = QStringLiteral("DIGITA: C per Contalitri, E per misuratore Energetico");
const QString kWrongRounding =
    QStringLiteral("DIGITA: A per arrotondare, D per lasciare i decimali");
const QString kNoSite =
    QStringLiteral("Il nome utente deve riportare anche il numero della sede (-001)");
const QString kUnknownOffice = QStringLiteral("CODICE NON VALIDO");

// Fields wider than this many letters are shown this wide; the rest scrolls.
constexpr int kWidestField = 40;

QChar First(const QString& text) {
    return text.isEmpty() ? QChar() : text.front();
}

bool IsDigitOrLetter(QChar c) {
    const char16_t u = c.unicode();
    return (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z');
}

}  // namespace

// A one-line field: what is typed or pasted into an upper-case field is turned to upper case,
// and leaving the field for another control of the window runs its exit check. Focus lost to
// another window (a message box, a list) does not count as leaving.
class CompanyField : public QLineEdit {
public:
    CompanyField(const QString& name, int maxLength, bool upper, QWidget* parent)
        : QLineEdit(parent), upper_(upper) {
        setObjectName(name);
        setMaxLength(maxLength);
        const int letters = std::min(maxLength, kWidestField) + 1;
        setFixedWidth(fontMetrics().horizontalAdvance(QString(letters, QChar('W'))));
        if (upper_) connect(this, &QLineEdit::textEdited, this, &CompanyField::typed);
    }

    // Shows a stored text as the field would have taken it when typed.
    void setValue(const QString& text) { setText(upper_ ? text.toUpper() : text); }
    void setOnExit(std::function<void()> onExit) { onExit_ = std::move(onExit); }

protected:
    void focusOutEvent(QFocusEvent* event) override {
        QLineEdit::focusOutEvent(event);
        const Qt::FocusReason reason = event->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return;
        if (onExit_) onExit_();
    }

private:
    void typed(const QString& text) {
        const QString upper = text.toUpper();
        if (upper == text) return;
        const int cursor = cursorPosition();
        setText(upper);
        setCursorPosition(cursor);
    }

    bool upper_;
    std::function<void()> onExit_;
};

TFDATIAZIENDA::TFDATIAZIENDA(const WorkFolders& folders, QWidget* parent, int maxWidth,
                             int maxHeight)
    : ui::EntryWindow(parent),
      folders_(folders),
      maxWidth_(maxWidth),
      maxHeight_(maxHeight),
      exciseCode_(new CompanyField("CACCI1", 13, true, this)),
      name_(new CompanyField("DENOM1", 100, false, this)),
      vatNumber_(new CompanyField("PARIVA", 11, true, this)),
      fiscalCode_(new CompanyField("CODFIS", 16, true, this)),
      street_(new CompanyField("INDIR1", 65, false, this)),
      number_(new CompanyField("NUMCI1", 11, false, this)),
      postCode_(new CompanyField("C_A_P1", 10, false, this)),
      town_(new CompanyField("CITTA1", 50, true, this)),
      userCode_(new CompanyField("CODUTE", 4, true, this)),
      office_(new CompanyField("UFFDO1", 8, true, this)),
      section_(new CompanyField("SEZDOG", 6, true, this)),
      meter_(new CompanyField("CAUESO", 1, true, this)),
      rounding_(new CompanyField("TIPOIN", 1, true, this)),
      userName_(new CompanyField("INDIR2", 20, true, this)),
      password_(new CompanyField("CITTA2", 20, false, this)),
      officeName_(new QLineEdit(this)),
      roundingLabel_(nullptr),
      listOffices_(new QPushButton("...", this)),
      newOffice_(new QPushButton("...", this)),
      showPassword_(new QCheckBox(QStringLiteral("&Mostra"), this)),
      confirm_(new ui::ConfirmButton(this)),
      leave_(new QPushButton("&Abbandona", this)) {
    setObjectName("FDATIAZIENDA");
    setWindowTitle(QStringLiteral("Dati dell'Azienda"));
    officeName_->setObjectName("DUFFDOG");
    officeName_->setReadOnly(true);
    officeName_->setFocusPolicy(Qt::NoFocus);
    listOffices_->setObjectName("BUFFDOG");
    listOffices_->setToolTip(QStringLiteral("mostra la tabella"));
    newOffice_->setObjectName("BNUFFDOG");
    newOffice_->setToolTip(QStringLiteral("Inserisce Nuovo Codice"));
    userCode_->setToolTip(
        QStringLiteral("Digitare il codice attribuito dal Sistema Telematico Doganale"));
    leave_->setObjectName("BABBANDONA");
    // The password is not shown to whoever looks at the screen, unless asked for.
    password_->setEchoMode(QLineEdit::Password);
    showPassword_->setObjectName("MOSTRAPSW");
    showPassword_->setToolTip(QStringLiteral("Mostra la password"));
    showPassword_->setFocusPolicy(Qt::NoFocus);
    connect(showPassword_, &QCheckBox::toggled, this, [this](bool shown) {
        password_->setEchoMode(shown ? QLineEdit::Normal : QLineEdit::Password);
    });
    // The buttons beside the office and "&Abbandona" are reached by mouse or accelerator
    // only: pressing them does not leave the field being typed, so its check stays quiet.
    for (QPushButton* b : {listOffices_, newOffice_, leave_}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoDefault(false);
    }
    layOut();

    setFirstField(exciseCode_);
    attachConfirm(confirm_);
    confirm_->setChecks([this] { return checks(); });
    confirm_->setSave([this] { save(); });

    onExit(exciseCode_, [this] { exciseCodeValid(); });
    onExit(name_, [this] { nameValid(); });
    onExit(vatNumber_, [this] { checkVatNumber(); });
    onExit(fiscalCode_, [this] { checkFiscalCode(); });
    onExit(office_, [this] { officeExit(); });
    onExit(meter_, [this] { meterValid(true); });
    onExit(rounding_, [this] { roundingValid(); });

    connect(listOffices_, &QPushButton::clicked, this, &TFDATIAZIENDA::chooseOffice);
    connect(newOffice_, &QPushButton::clicked, this, &TFDATIAZIENDA::newOffice);
    connect(leave_, &QPushButton::clicked, this, &QDialog::reject);
}

void TFDATIAZIENDA::layOut() {
    auto* grid = new QGridLayout;
    int row = 0;
    auto add = [&](QWidget* field, const QString& label, QWidget* besides = nullptr) {
        auto* caption = new QLabel(label, this);
        caption->setObjectName("ET" + field->objectName());
        caption->setBuddy(field);
        grid->addWidget(caption, row, 0);
        auto* line = new QHBoxLayout;
        line->addWidget(field);
        if (besides) line->addWidget(besides);
        line->addStretch();
        grid->addLayout(line, row, 1);
        ++row;
        return caption;
    };
    add(exciseCode_, QStringLiteral("Codice d'Accisa"));
    add(name_, QStringLiteral("Denominazione"));
    add(vatNumber_, QStringLiteral("Partita I.V.A."));
    add(fiscalCode_, QStringLiteral("Codice Fiscale"));
    add(street_, QStringLiteral("Indirizzo"));
    add(number_, QStringLiteral("Numero civico"));
    add(postCode_, QStringLiteral("C.A.P."));
    add(town_, QStringLiteral("Città"));
    add(userCode_, QStringLiteral("Codice Utente"))->setToolTip(userCode_->toolTip());

    auto* officeLine = new QWidget(this);
    auto* officeLayout = new QHBoxLayout(officeLine);
    officeLayout->setContentsMargins(0, 0, 0, 0);
    const int buttonWidth = fontMetrics().horizontalAdvance(QStringLiteral("WWW"));
    for (QPushButton* b : {listOffices_, newOffice_}) b->setFixedWidth(buttonWidth);
    officeName_->setMinimumWidth(fontMetrics().horizontalAdvance(QString(30, QChar('W'))));
    officeLayout->addWidget(listOffices_);
    officeLayout->addWidget(newOffice_);
    officeLayout->addWidget(officeName_);
    add(office_, QStringLiteral("Ufficio Dogana"), officeLine);
    add(section_, QStringLiteral("Sezione Dogana"));
    add(meter_,
        QStringLiteral("Misuratore della produzione di birra: Contalitri / Energetico ? C/E"));
    roundingLabel_ = add(rounding_, QStringLiteral("Imposta: A per arrotondare il calcolo dei "
                                                   "litri come da art.35 comma 1 del TUA, oppure "
                                                   "D per lasciare i decimali dei litri prodotti "
                                                   "A/D?"));
    roundingLabel_->setWordWrap(true);
    roundingLabel_->setMaximumWidth(fontMetrics().horizontalAdvance(QString(40, QChar('W'))));
    // Asked only for an energy meter: hidden until the meter says so, so that the window is
    // not laid out for it.
    rounding_->hide();
    roundingLabel_->hide();

    auto* credentials = new QGroupBox(
        QStringLiteral("Credenziali di accesso all'ambiente EDI dell'Agenzia delle Dogane"), this);
    credentials->setObjectName("GBCREDENZIALI");
    auto* credentialsGrid = new QGridLayout(credentials);
    int credentialRow = 0;
    for (auto [field, label] : {std::pair<QWidget*, QString>{userName_, "Nome utente"},
                                {password_, "Password delle applicazioni"}}) {
        auto* caption = new QLabel(label, credentials);
        caption->setObjectName("ET" + field->objectName());
        caption->setBuddy(field);
        credentialsGrid->addWidget(caption, credentialRow, 0);
        credentialsGrid->addWidget(field, credentialRow, 1, Qt::AlignLeft);
        ++credentialRow;
    }
    credentialsGrid->addWidget(showPassword_, credentialRow - 1, 2, Qt::AlignLeft);
    credentialsGrid->setColumnStretch(2, 1);
    grid->addWidget(credentials, row++, 0, 1, 2);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(confirm_);
    buttons->addStretch();
    buttons->addWidget(leave_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(buttons);

    // Enter and Tab follow the fields in the order of the record, then the confirm button.
    QWidget* const order[] = {exciseCode_, name_,     vatNumber_, fiscalCode_, street_,  number_,
                              postCode_,   town_,     userCode_,  office_,     section_, meter_,
                              rounding_,   userName_, password_,  confirm_};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

tables::TableContext TFDATIAZIENDA::officeTable() const {
    tables::TableContext context;
    context.folders = folders_;
    context.tableName = kOfficeTable;
    context.maxWidth = maxWidth_;
    context.maxHeight = maxHeight_;
    return context;
}

void TFDATIAZIENDA::showEvent(QShowEvent* event) {
    ui::EntryWindow::showEvent(event);
    if (!load()) {
        // The file could not be read: nothing to edit, and nothing may overwrite it.
        QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
        return;
    }
    exciseCode_->setFocus(Qt::OtherFocusReason);
}

void TFDATIAZIENDA::done(int result) {
    closing_ = true;
    ui::EntryWindow::done(result);
    closing_ = false;
}

bool TFDATIAZIENDA::load() {
    stored_.reset();
    try {
        // A missing or empty file holds no company yet: the window starts blank.
        TUTENTE company = BlankTutente();
        TrimTutente(company);
        if (auto read = ReadCompany(folders_.companyFile())) company = *read;
        stored_ = company;
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
        return false;
    }
    const TUTENTE& c = *stored_;
    exciseCode_->setValue(ui::FromField(c.CACCI1));
    name_->setValue(ui::FromField(c.DENOM1));
    vatNumber_->setValue(ui::FromField(c.PARIVA));
    fiscalCode_->setValue(ui::FromField(c.CODFIS));
    street_->setValue(ui::FromField(c.INDIR1));
    number_->setValue(ui::FromField(c.NUMCI1));
    postCode_->setValue(ui::FromField(c.C_A_P1));
    town_->setValue(ui::FromField(c.CITTA1));
    userCode_->setValue(ui::FromField(c.CODUTE));
    office_->setValue(ui::FromField(c.UFFDO1));
    section_->setValue(ui::FromField(c.SEZDOG));
    const QString meter = ui::FromField(c.CAUESO);
    meter_->setValue(meter.isEmpty() ? QStringLiteral("C") : meter);
    rounding_->setValue(ui::FromField(c.TIPOIN));
    userName_->setValue(ui::FromField(c.INDIR2));
    password_->setValue(ui::FromField(c.CITTA2));
    showPassword_->setChecked(false);
    officeName_->clear();
    const bool energy = First(meter_->text()) == 'E';
    rounding_->setVisible(energy);
    roundingLabel_->setVisible(energy);
    return true;
}

void TFDATIAZIENDA::onExit(CompanyField* field, std::function<void()> check) {
    field->setOnExit([this, check = std::move(check)] {
        if (untouched() || closing_ || checking_ || !isVisible()) return;
        checking_ = true;
        check();
        checking_ = false;
    });
}

void TFDATIAZIENDA::refuse(QLineEdit* field, const QString& message) {
    // The focus goes back first, so that it is on the field when the message box closes.
    const bool wasChecking = checking_;
    checking_ = true;
    field->setFocus(Qt::OtherFocusReason);
    checking_ = wasChecking;
    if (!message.isEmpty()) ui::Warn(this, message);
}

bool TFDATIAZIENDA::exciseCodeValid() {
    if (CheckExciseCode(ui::ToRecord(exciseCode_->text()))) return true;
    refuse(exciseCode_, kWrongExciseCode);
    return false;
}

bool TFDATIAZIENDA::nameValid() {
    QString name = name_->text().trimmed();
    if (!name.isEmpty()) name[0] = name[0].toUpper();
    if (name != name_->text()) name_->setText(name);
    if (IsDigitOrLetter(First(name))) return true;
    refuse(name_, kNoName);
    return false;
}

void TFDATIAZIENDA::checkVatNumber() {
    const QString vat = vatNumber_->text().trimmed();
    if (vat != vatNumber_->text()) vatNumber_->setText(vat);
    if (!vat.isEmpty() && !CheckVatNumber(ui::ToRecord(vat))) ui::Warn(this, kWrongVatNumber);
}

void TFDATIAZIENDA::checkFiscalCode() {
    const QString code = fiscalCode_->text().trimmed();
    if (code != fiscalCode_->text()) fiscalCode_->setText(code);
    // Only a personal fiscal code (16 characters) is tested; a company's, which is its VAT
    // number, passes without a word and fills nothing.
    if (code.size() != 16) return;
    if (!CheckFiscalCode(ui::ToRecord(code))) {
        ui::Warn(this, kWrongFiscalCode);
        return;
    }
    if (userName_->text().trimmed().isEmpty()) userName_->setValue(code + "-001");
}

bool TFDATIAZIENDA::meterValid(bool leaving) {
    const QChar meter = First(meter_->text());
    if (meter != 'C' && meter != 'E') {
        refuse(meter_, kWrongMeter);
        return false;
    }
    if (meter == 'E') {
        rounding_->show();
        roundingLabel_->show();
        return roundingValid();
    }
    // A litre counter has no rounding choice. When the focus was on its way to it, it goes on
    // to the user name instead.
    if (leaving && QApplication::focusWidget() == rounding_)
        userName_->setFocus(Qt::TabFocusReason);
    rounding_->clear();
    rounding_->hide();
    roundingLabel_->hide();
    return true;
}

bool TFDATIAZIENDA::roundingValid() {
    const QChar rounding = First(rounding_->text());
    if (rounding == 'A' || rounding == 'D') return true;
    refuse(rounding_, kWrongRounding);
    return false;
}

bool TFDATIAZIENDA::userNameValid() {
    if (userName_->text().trimmed().isEmpty()) {
        // No access to the customs service: no password either.
        userName_->clear();
        password_->clear();
        return true;
    }
    if (userName_->text().contains(QStringLiteral("-00"))) return true;
    refuse(userName_, kNoSite);
    return false;
}

TFDATIAZIENDA::Office TFDATIAZIENDA::lookUpOffice() {
    TTABELLA key = BlankTabella();
    ui::SetField(key.text[0], office_->text());
    key.text[10].set(kOfficeTable);
    try {
        const TableLookup found = FindByKey(folders_.datiGen, kOfficeTable, key);
        if (found.status == KeyLookup::NoStructure)
            ui::Warn(this, QString::fromUtf8(kMissingFileStructureMessage.data(),
                                             kMissingFileStructureMessage.size()));
        if (!found.found()) {
            officeName_->setText(kUnknownOffice);
            return Office::NotFound;
        }
        officeName_->setText(ui::FromField(found.record.text[1]));
        // The section is the office code from its third character on.
        PStr<8> code;
        ui::SetField(code, office_->text());
        const std::string section = code.padded().substr(2, 6);
        section_->setValue(ui::FromRecord(section).trimmed());
        return Office::Found;
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
        return Office::Failed;
    }
}

void TFDATIAZIENDA::officeExit() {
    const Office office = lookUpOffice();
    if (office == Office::Found) return;
    refuse(office_, {});
    if (office == Office::NotFound) {
        // The list opens once the focus change in progress is over. With no office in the
        // table yet there is nothing to choose from: the new office is entered instead.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (!isVisible() || closing_) return;
                if (!tables::TableIsEmpty(this, folders_.datiGen, kOfficeTable)) {
                    chooseOffice();
                    return;
                }
                ui::Warn(this, tables::EmptyTable(kOfficeTableTitle, kOfficeMenuEntry));
                newOffice();
            },
            Qt::QueuedConnection);
    }
}

void TFDATIAZIENDA::chooseOffice() {
    const int chosen = tables::ChooseFromTable(this, officeTable());
    if (chosen >= 0) {
        try {
            const auto found = ReadByNumber(chosen, TableFile(folders_.datiGen, kOfficeTable));
            office_->setValue(found ? ui::FromField(found->text[0]) : QString());
        } catch (const IoError& e) {
            ui::ShowIoError(this, e);
            office_->clear();
        }
    }
    office_->setFocus(Qt::OtherFocusReason);
}

void TFDATIAZIENDA::newOffice() {
    // An office code typed and not in the table is the new code to enter.
    const QString typed = tables::TableHoldsKey(folders_.datiGen, kOfficeTable, office_->text())
                              ? QString()
                              : office_->text();
    const QString code = tables::OpenNewCode(this, officeTable(), typed);
    // Left without saving a code: the office stays as it was.
    if (!code.isEmpty()) office_->setValue(code);
    // The description and the section follow the office as it now stands.
    if (!office_->text().trimmed().isEmpty()) lookUpOffice();
    office_->setFocus(Qt::OtherFocusReason);
}

void TFDATIAZIENDA::capitalizeFirst(QLineEdit* field) {
    QString text = field->text();
    if (text.isEmpty() || text[0] == text[0].toUpper()) return;
    text[0] = text[0].toUpper();
    field->setText(text);
}

bool TFDATIAZIENDA::checks() {
    checking_ = true;
    bool passed = false;
    if (exciseCodeValid() && meterValid(false)) {
        for (QLineEdit* field :
             {static_cast<QLineEdit*>(street_), static_cast<QLineEdit*>(number_),
              static_cast<QLineEdit*>(postCode_), static_cast<QLineEdit*>(town_)})
            capitalizeFirst(field);
        if (nameValid() && userNameValid()) {
            if (lookUpOffice() == Office::Found) {
                compose();
                passed = true;
            } else {
                refuse(office_, {});
            }
        }
    }
    checking_ = false;
    return passed;
}

void TFDATIAZIENDA::compose() {
    const TUTENTE stored = stored_.value_or(BlankTutente());
    TUTENTE r = BlankTutente();
    // Written by the password window: kept as they were read.
    r.DATPSW = stored.DATPSW;
    r.INDACC1 = stored.INDACC1;
    r.INDACC2 = stored.INDACC2;
    ui::SetField(r.CACCI1, exciseCode_->text());
    ui::SetField(r.DENOM1, name_->text());
    ui::SetField(r.PARIVA, vatNumber_->text());
    ui::SetField(r.CODFIS, fiscalCode_->text());
    ui::SetField(r.INDIR1, street_->text());
    ui::SetField(r.NUMCI1, number_->text());
    ui::SetField(r.C_A_P1, postCode_->text());
    ui::SetField(r.CITTA1, town_->text());
    ui::SetField(r.CODUTE, userCode_->text());
    ui::SetField(r.UFFDO1, office_->text());
    ui::SetField(r.SEZDOG, section_->text());
    ui::SetField(r.CAUESO, meter_->text());
    ui::SetField(r.TIPOIN, rounding_->isHidden() ? QString() : rounding_->text());
    ui::SetField(r.INDIR2, userName_->text());
    ui::SetField(r.CITTA2, password_->text());
    composed_ = r;
}

void TFDATIAZIENDA::save() {
    try {
        WriteCompany(folders_.companyFile(), composed_);
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
        return;
    }
    if (afterSave_) afterSave_();
    emit saved();
    accept();
}

}  // namespace braxol::setup
