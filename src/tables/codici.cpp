#include "tables/codici.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>
#include <algorithm>

#include "store/io_error.h"
#include "tables/messages.h"
#include "ui/confirm_button.h"
#include "ui/field_exit.h"
#include "ui/io_error_box.h"
#include "ui/seams.h"
#include "ui/text.h"

namespace braxol::tables {

TFCODICI::TFCODICI(TableContext context, QWidget* parent)
    : ui::EntryWindow(parent),
      context_(std::move(context)),
      record_(BlankTabella()),
      code_(new QLineEdit(this)),
      description_(new QLineEdit(this)),
      codeLabel_(BuddyLabel(this, QString(), code_, "ETLE1")),
      descriptionLabel_(BuddyLabel(this, QString(), description_, "ETLE2")),
      changeLabel_(ChangeMark(this)),
      confirm_(new ui::ConfirmButton(this)),
      list_(NamedButton(this, "&Elenca", "BELENCA")),
      delete_(NamedButton(this, "Cance&lla", "BCANCELLA")),
      empty_(NamedButton(this, "&Svuota", "BSVUOTA")),
      leave_(NamedButton(this, "&Abbandona", "BABBANDONA")),
      edit_(this, context_, std::string(TrimBlanks(ui::ToRecord(context_.tableName))),
            {code_, changeLabel_, delete_, list_}) {
    setObjectName("FCODICI");
    code_->setObjectName("LE1");
    description_->setObjectName("LE2");

    setFirstField(code_);
    attachConfirm(confirm_);
    confirm_->setChecks([this] { return checks(); });
    confirm_->setSave([this] { save(); });
    ui::OnFieldExit(code_, [this] { codeExit(); });
    connect(list_, &QPushButton::clicked, this, &TFCODICI::list);
    edit_.connectButtons(delete_, empty_, leave_, [this] { reset(); });

    try {
        structure_ = ReadTableStructure(context_.folders.datiGen, edit_.table());
        if (!structure_) ui::Warn(parent, MissingTableStructure());
    } catch (const IoError& e) {
        ui::ShowIoError(parent, e);
    }
    layOut();
}

TFCODICI::~TFCODICI() {
    ui::StopFieldExits(this);
}

void TFCODICI::layOut() {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(codeLabel_);
    layout->addWidget(code_, 0, Qt::AlignLeft);
    layout->addWidget(descriptionLabel_);
    layout->addWidget(description_, 0, Qt::AlignLeft);
    layout->addWidget(changeLabel_);
    layout->addLayout(ButtonRow({confirm_, list_, delete_, empty_, leave_}));

    const QSize largest = MaxWindowSize(context_, this);
    const int margin = fontMetrics().horizontalAdvance(QString(10, QChar('W')));
    const int roomForEdits = std::max(100, largest.width() - margin);
    int widest = 0;
    const std::pair<QLineEdit*, QLabel*> fields[] = {{code_, codeLabel_},
                                                     {description_, descriptionLabel_}};
    for (int n = 0; n < 2; ++n) {
        auto [edit, label] = fields[n];
        const int width = structure_ ? structure_->widths[n] : 0;
        if (width <= 0) {
            // A field the structure does not use stays hidden (and empty).
            edit->hide();
            label->hide();
            continue;
        }
        label->setText(ui::FromRecord(structure_->labels[n]).replace('&', "&&"));
        edit->setMaxLength(width);
        const int pixels =
            std::min(fontMetrics().horizontalAdvance(QString(width + 1, QChar('W'))), roomForEdits);
        edit->setFixedWidth(pixels);
        widest = std::max(widest, pixels);
    }
    if (structure_) setWindowTitle(ui::FromRecord(structure_->title));
    resize(std::min(std::max(400, margin + widest), largest.width()), sizeHint().height());
}

QString TFCODICI::lastCode() const {
    return ui::FromField(record_.text[0]);
}

void TFCODICI::showEvent(QShowEvent* event) {
    ui::EntryWindow::showEvent(event);
    if (!structure_) {
        QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
        return;
    }
    reset();
    if (typedCode_.isEmpty()) return;
    code_->setText(typedCode_.left(code_->maxLength()));
    codeExit();
    description_->setFocus(Qt::OtherFocusReason);
}

void TFCODICI::reset() {
    record_ = edit_.blankRecord();
    code_->clear();
    description_->clear();
    edit_.reset();
    code_->setFocus(Qt::OtherFocusReason);
}

bool TFCODICI::codeEmpty() const {
    const QString code = code_->text();
    return code.isEmpty() || code.front() == ' ';
}

void TFCODICI::codeExit() {
    if (codeEmpty()) {
        if (!untouched()) ui::ReturnFocus(code_);
        return;
    }
    if (!edit_.openStored(record_, code_->text())) return;
    code_->setText(ui::FromField(record_.text[0]));
    description_->setText(ui::FromField(record_.text[1]));
}

bool TFCODICI::checks() {
    if (codeEmpty()) {
        code_->setFocus(Qt::OtherFocusReason);
        return false;
    }
    ui::SetField(record_.text[0], code_->text());
    ui::SetField(record_.text[1], description_->text());
    return edit_.keyFree(record_);
}

void TFCODICI::save() {
    if (edit_.save(record_)) edit_.closeOrReset([this] { reset(); });
}

void TFCODICI::list() {
    const auto found = edit_.pick();
    code_->clear();
    if (found) code_->setText(ui::FromField(found->text[0]));
    code_->setFocus(Qt::OtherFocusReason);
}

QString OpenCodeTable(QWidget* parent, const TableContext& context) {
    TFCODICI window(context, parent);
    if (!window.hasStructure()) return {};
    window.exec();
    return window.lastCode();
}

QString OpenNewCode(QWidget* parent, const TableContext& context, const QString& typedCode) {
    TableContext single = context;
    single.singleEntry = true;
    TFCODICI window(single, parent);
    if (!window.hasStructure()) return {};
    window.setTypedCode(typedCode);
    if (window.exec() != QDialog::Accepted) return {};
    return window.lastCode();
}

}  // namespace braxol::tables
