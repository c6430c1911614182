#include "tables/codici_nc.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "store/dates.h"
#include "store/io_error.h"
#include "store/tables.h"
#include "ui/field_exit.h"
#include "tables/listview.h"
#include "tables/messages.h"
#include "tables/table_edits.h"
#include "ui/confirm_button.h"
#include "ui/fields.h"
#include "ui/io_error_box.h"
#include "ui/seams.h"
#include "ui/text.h"

namespace braxol::tables {
namespace {

// "cccc-00000000-cc-cccc": any characters for CPA, Taric and additional code, eight digits
// for the NC code. Places not typed show "_" and read as blanks.
const QString kCodeMask = QStringLiteral("xxxx-99999999-xx-xxxx;_");
constexpr int kCodeLength = 21;
constexpr int kFirstNcDigit = 5;
constexpr int kDescriptionLength = 250;

}  // namespace

LimitedMemo::LimitedMemo(int limit, QWidget* parent) : QPlainTextEdit(parent), limit_(limit) {
    setTabChangesFocus(true);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
}

int LimitedMemo::room() const {
    return limit_ - static_cast<int>(toPlainText().size()) +
           static_cast<int>(textCursor().selectedText().size());
}

void LimitedMemo::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        focusNextChild();
        return;
    }
    if (!ui::IsNavigationKey(event) && room() < event->text().size()) {
        QApplication::beep();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void LimitedMemo::insertFromMimeData(const QMimeData* source) {
    QString text = source->text();
    text.replace('\r', ' ').replace('\n', ' ');
    const int room = this->room();
    if (text.size() > room) {
        QApplication::beep();
        text.truncate(std::max(0, room));
    }
    insertPlainText(text);
}

TFCODICI_NC::TFCODICI_NC(TableContext context, QWidget* parent)
    : ui::EntryWindow(parent),
      record_(BlankTabella()),
      code_(new QLineEdit(this)),
      description_(new LimitedMemo(kDescriptionLength, this)),
      from_(new ui::DateEdit(this)),
      to_(new ui::DateEdit(this)),
      changeLabel_(new QLabel("MODIFICA o CANCELLA", this)),
      confirm_(new ui::ConfirmButton(this)),
      list_(new QPushButton("&Elenca", this)),
      delete_(new QPushButton("Cance&lla", this)),
      empty_(new QPushButton("&Svuota", this)),
      leave_(new QPushButton("&Abbandona", this)) {
    setObjectName("FCODICI_NC");
    setWindowTitle("Codici doganali identificativi dei prodotti (TA20)");
    setContext(std::move(context));
    code_->setObjectName("ME0");
    description_->setObjectName("Memo1");
    from_->setObjectName("MDALLA");
    to_->setObjectName("MALLA");
    changeLabel_->setObjectName("ETMODIFICA");
    list_->setObjectName("BELENCA");
    delete_->setObjectName("BCANCELLA");
    empty_->setObjectName("BSVUOTA");
    leave_->setObjectName("BABBANDONA");
    code_->setInputMask(kCodeMask);
    code_->setFixedWidth(fontMetrics().horizontalAdvance(QString(kCodeLength + 3, QChar('W'))));
    description_->setFixedHeight(fontMetrics().lineSpacing() * 5);

    auto label = [this](const QString& text, QWidget* buddy, const QString& name) {
        auto* l = new QLabel(text, this);
        l->setObjectName(name);
        l->setBuddy(buddy);
        return l;
    };
    auto* grid = new QGridLayout;
    grid->addWidget(label("Codice doganale del prodotto", code_, "ETME0"), 0, 0);
    grid->addWidget(code_, 0, 1, 1, 3, Qt::AlignLeft);
    grid->addWidget(label("Descrizione", description_, "ETMEMO1"), 1, 0, Qt::AlignTop);
    grid->addWidget(description_, 1, 1, 1, 3);
    grid->addWidget(label("Codice valido dal", from_, "ETMDALLA"), 2, 0);
    grid->addWidget(from_, 2, 1);
    grid->addWidget(label("al", to_, "ETMALLA"), 2, 2, Qt::AlignRight);
    grid->addWidget(to_, 2, 3);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {static_cast<QPushButton*>(confirm_), list_, delete_, empty_, leave_})
        buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(changeLabel_);
    layout->addLayout(buttons);

    setFirstField(code_);
    attachConfirm(confirm_);
    confirm_->setChecks([this] { return checks(); });
    confirm_->setSave([this] { save(); });
    ui::OnFieldExit(code_, [this] { codeExit(); });
    connect(list_, &QPushButton::clicked, this, &TFCODICI_NC::list);
    connect(delete_, &QPushButton::clicked, this, &TFCODICI_NC::remove);
    connect(empty_, &QPushButton::clicked, this, &TFCODICI_NC::reset);
    connect(leave_, &QPushButton::clicked, this, &QDialog::reject);
    resize(std::max(560, sizeHint().width()), sizeHint().height());
}

TFCODICI_NC::~TFCODICI_NC() {
    ui::StopFieldExits(this);
}

void TFCODICI_NC::setContext(TableContext context) {
    context_ = std::move(context);
    if (context_.tableName.trimmed().isEmpty()) context_.tableName = "TA20";
    table_ = std::string(TrimBlanks(ui::ToRecord(context_.tableName)));
}

std::filesystem::path TFCODICI_NC::tableFile() const {
    return TableFile(context_.folders.datiGen, table_);
}

QString TFCODICI_NC::code() const {
    QString shown = code_->displayText();
    shown.replace('_', ' ');
    return shown;
}

void TFCODICI_NC::setCode(const QString& code) {
    // A code stored without CPA loses its leading blanks when read: put them back so that the
    // parts fall in their places of the mask.
    QString text = code;
    const auto dash = text.indexOf('-');
    if (dash >= 0 && dash < 4) text.prepend(QString(4 - dash, ' '));
    code_->setText(text);
}

void TFCODICI_NC::showEvent(QShowEvent* event) {
    ui::EntryWindow::showEvent(event);
    bool present = false;
    try {
        present = ReadTableStructure(context_.folders.datiGen, table_).has_value();
        if (!present) ui::Warn(this, MissingTableStructure());
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
    }
    if (!present) {
        QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
        return;
    }
    reset();
}

void TFCODICI_NC::reset() {
    record_ = BlankTabella();
    record_.text[10].set(table_);
    code_->clear();
    description_->clear();
    from_->setDate(ui::Today());
    to_->setDate(DateFromCivil(2050, 1, 1));
    editing_ = false;
    oldNumber_ = -1;
    oldKey_.clear();
    changeLabel_->hide();
    delete_->hide();
    list_->show();
    code_->setFocus(Qt::OtherFocusReason);
    code_->setCursorPosition(0);
}

bool TFCODICI_NC::codeTyped() const {
    const QString shown = code();
    return shown.size() > kFirstNcDigit && shown[kFirstNcDigit] != ' ';
}

void TFCODICI_NC::codeExit() {
    if (!codeTyped()) {
        if (!untouched()) ui::ReturnFocus(code_);
        return;
    }
    if (editing_) return;
    TTABELLA key = record_;
    ui::SetField(key.text[0], code());
    try {
        const TableLookup found = FindByKey(context_.folders.datiGen, table_, key);
        if (found.status == KeyLookup::NoStructure) ui::Warn(this, MissingFileStructure());
        if (!found.found()) return;
        record_ = found.record;
        editing_ = true;
        oldNumber_ = record_.number;
        oldKey_ = record_.text[0].trimmed();
        setCode(ui::FromField(record_.text[0]));
        description_->setPlainText(ui::FromField(record_.text[1]));
        from_->setDate(record_.num[0]);
        to_->setDate(record_.num[1]);
        changeLabel_->show();
        delete_->show();
        list_->hide();
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
    }
}

bool TFCODICI_NC::checks() {
    if (!codeTyped()) {
        code_->setFocus(Qt::OtherFocusReason);
        return false;
    }
    const auto from = from_->date();
    if (!from) {
        from_->setFocus(Qt::OtherFocusReason);
        return false;
    }
    const auto to = to_->date();
    if (!to || *to < *from) {
        to_->setFocus(Qt::OtherFocusReason);
        return false;
    }
    ui::SetField(record_.text[0], code());
    ui::SetField(record_.text[1], description_->toPlainText().replace('\n', ' '));
    record_.num[0] = *from;
    record_.num[1] = *to;
    if (!editing_ || record_.text[0].trimmed() == oldKey_) return true;
    try {
        const TableLookup found = FindByKey(context_.folders.datiGen, table_, record_);
        if (found.status == KeyLookup::NoStructure) ui::Warn(this, MissingFileStructure());
        if (!found.found()) return true;
        ui::Warn(this, CodeInUse());
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
    }
    code_->setFocus(Qt::OtherFocusReason);
    return false;
}

void TFCODICI_NC::save() {
    try {
        if (editing_)
            ReplaceTableRecord(tableFile(), oldNumber_, record_);
        else
            InsertTableRecord(tableFile(), record_);
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
        code_->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (context_.singleEntry) {
        accept();
        return;
    }
    reset();
}

void TFCODICI_NC::list() {
    TableContext listed = context_;
    listed.tableName = ui::FromRecord(table_);
    const int chosen = ChooseFromTable(this, listed);
    code_->clear();
    if (chosen >= 0) {
        try {
            if (const auto found = ReadByNumber(chosen, tableFile()))
                setCode(ui::FromField(found->text[0]));
        } catch (const IoError& e) {
            ui::ShowIoError(this, e);
        }
    }
    code_->setFocus(Qt::OtherFocusReason);
}

void TFCODICI_NC::remove() {
    if (!editing_) return;
    try {
        DeleteTableRecord(oldNumber_, tableFile());
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
        return;
    }
    reset();
}

void OpenProductCodes(QWidget* parent, const TableContext& context) {
    TFCODICI_NC window(context, parent);
    window.exec();
}

}  // namespace braxol::tables
