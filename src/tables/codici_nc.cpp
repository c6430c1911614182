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
#include "tables/product_code.h"
#include "ui/confirm_button.h"
#include "ui/field_exit.h"
#include "ui/fields.h"
#include "ui/seams.h"
#include "ui/text.h"

namespace braxol::tables {
namespace {

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
      changeLabel_(ChangeMark(this)),
      confirm_(new ui::ConfirmButton(this)),
      list_(NamedButton(this, "&Elenca", "BELENCA")),
      delete_(NamedButton(this, "Cance&lla", "BCANCELLA")),
      empty_(NamedButton(this, "&Svuota", "BSVUOTA")),
      leave_(NamedButton(this, "&Abbandona", "BABBANDONA")),
      edit_(this, context_, std::string(), {code_, changeLabel_, delete_, list_}) {
    setObjectName("FCODICI_NC");
    setWindowTitle("Codici doganali identificativi dei prodotti (TA20)");
    setContext(std::move(context));
    code_->setObjectName("ME0");
    description_->setObjectName("Memo1");
    from_->setObjectName("MDALLA");
    to_->setObjectName("MALLA");
    code_->setInputMask(kProductCodeMask);
    code_->setFixedWidth(
        fontMetrics().horizontalAdvance(QString(kProductCodeLength + 3, QChar('W'))));
    description_->setFixedHeight(fontMetrics().lineSpacing() * 5);

    auto* grid = new QGridLayout;
    grid->addWidget(BuddyLabel(this, "Codice doganale del prodotto", code_, "ETME0"), 0, 0);
    grid->addWidget(code_, 0, 1, 1, 3, Qt::AlignLeft);
    grid->addWidget(BuddyLabel(this, "Descrizione", description_, "ETMEMO1"), 1, 0, Qt::AlignTop);
    grid->addWidget(description_, 1, 1, 1, 3);
    grid->addWidget(BuddyLabel(this, "Codice valido dal", from_, "ETMDALLA"), 2, 0);
    grid->addWidget(from_, 2, 1);
    grid->addWidget(BuddyLabel(this, "al", to_, "ETMALLA"), 2, 2, Qt::AlignRight);
    grid->addWidget(to_, 2, 3);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(changeLabel_);
    layout->addLayout(ButtonRow({confirm_, list_, delete_, empty_, leave_}));

    setFirstField(code_);
    attachConfirm(confirm_);
    confirm_->setChecks([this] { return checks(); });
    confirm_->setSave([this] { save(); });
    ui::OnFieldExit(code_, [this] { codeExit(); });
    connect(list_, &QPushButton::clicked, this, &TFCODICI_NC::list);
    edit_.connectButtons(delete_, empty_, leave_, [this] { reset(); });
    resize(std::max(560, sizeHint().width()), sizeHint().height());
}

TFCODICI_NC::~TFCODICI_NC() {
    ui::StopFieldExits(this);
}

void TFCODICI_NC::setContext(TableContext context) {
    context_ = std::move(context);
    if (context_.tableName.trimmed().isEmpty()) context_.tableName = "TA20";
    edit_.setTable(std::string(TrimBlanks(ui::ToRecord(context_.tableName))));
}

QString TFCODICI_NC::code() const {
    return ProductCodeText(code_);
}

void TFCODICI_NC::setCode(const QString& code) {
    ShowProductCode(code_, code);
}

void TFCODICI_NC::showEvent(QShowEvent* event) {
    ui::EntryWindow::showEvent(event);
    if (!edit_.hasStructure()) {
        QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
        return;
    }
    savedCode_.clear();
    reset();
    if (typedCode_.trimmed().isEmpty()) return;
    setCode(typedCode_);
    codeExit();
    description_->setFocus(Qt::OtherFocusReason);
}

void TFCODICI_NC::reset() {
    record_ = edit_.blankRecord();
    code_->clear();
    description_->clear();
    from_->setDate(ui::Today());
    to_->setDate(DateFromCivil(2050, 1, 1));
    edit_.reset();
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
    if (!edit_.openStored(record_, code())) return;
    setCode(ui::FromField(record_.text[0]));
    description_->setPlainText(ui::FromField(record_.text[1]));
    from_->setDate(record_.num[0]);
    to_->setDate(record_.num[1]);
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
    return edit_.keyFree(record_);
}

void TFCODICI_NC::save() {
    const auto stored = edit_.save(record_);
    if (!stored) return;
    savedCode_ = ui::FromField(stored->text[0]);
    edit_.closeOrReset([this] { reset(); });
}

void TFCODICI_NC::list() {
    const auto found = edit_.pick();
    code_->clear();
    if (found) setCode(ui::FromField(found->text[0]));
    code_->setFocus(Qt::OtherFocusReason);
}

void OpenProductCodes(QWidget* parent, const TableContext& context) {
    TFCODICI_NC window(context, parent);
    window.exec();
}

QString OpenNewProductCode(QWidget* parent, const TableContext& context, const QString& typedCode) {
    TableContext single = context;
    single.singleEntry = true;
    TFCODICI_NC window(single, parent);
    window.setTypedCode(typedCode);
    if (window.exec() != QDialog::Accepted) return {};
    return window.savedCode();
}

}  // namespace braxol::tables
