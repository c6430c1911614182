#include "tables/codici.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>
#include <algorithm>

#include "store/io_error.h"
#include "store/tables.h"
#include "ui/field_exit.h"
#include "tables/listview.h"
#include "tables/messages.h"
#include "tables/table_edits.h"
#include "ui/confirm_button.h"
#include "ui/io_error_box.h"
#include "ui/seams.h"
#include "ui/text.h"

namespace braxol::tables {

TFCODICI::TFCODICI(TableContext context, QWidget* parent)
    : ui::EntryWindow(parent),
      context_(std::move(context)),
      table_(TrimBlanks(ui::ToRecord(context_.tableName))),
      record_(BlankTabella()),
      code_(new QLineEdit(this)),
      description_(new QLineEdit(this)),
      codeLabel_(new QLabel(this)),
      descriptionLabel_(new QLabel(this)),
      changeLabel_(new QLabel("MODIFICA o CANCELLA", this)),
      confirm_(new ui::ConfirmButton(this)),
      list_(new QPushButton("&Elenca", this)),
      delete_(new QPushButton("Cance&lla", this)),
      empty_(new QPushButton("&Svuota", this)),
      leave_(new QPushButton("&Abbandona", this)) {
    setObjectName("FCODICI");
    code_->setObjectName("LE1");
    description_->setObjectName("LE2");
    codeLabel_->setObjectName("ETLE1");
    descriptionLabel_->setObjectName("ETLE2");
    changeLabel_->setObjectName("ETMODIFICA");
    list_->setObjectName("BELENCA");
    delete_->setObjectName("BCANCELLA");
    empty_->setObjectName("BSVUOTA");
    leave_->setObjectName("BABBANDONA");
    codeLabel_->setBuddy(code_);
    descriptionLabel_->setBuddy(description_);

    setFirstField(code_);
    attachConfirm(confirm_);
    confirm_->setChecks([this] { return checks(); });
    confirm_->setSave([this] { save(); });
    ui::OnFieldExit(code_, [this] { codeExit(); });
    connect(list_, &QPushButton::clicked, this, &TFCODICI::list);
    connect(delete_, &QPushButton::clicked, this, &TFCODICI::remove);
    connect(empty_, &QPushButton::clicked, this, &TFCODICI::reset);
    connect(leave_, &QPushButton::clicked, this, &QDialog::reject);

    try {
        structure_ = ReadTableStructure(context_.folders.datiGen, table_);
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
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {static_cast<QPushButton*>(confirm_), list_, delete_, empty_, leave_})
        buttons->addWidget(b);
    layout->addLayout(buttons);

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

std::filesystem::path TFCODICI::tableFile() const {
    return TableFile(context_.folders.datiGen, table_);
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
}

void TFCODICI::reset() {
    record_ = BlankTabella();
    record_.text[10].set(table_);
    code_->clear();
    description_->clear();
    editing_ = false;
    oldNumber_ = -1;
    oldKey_.clear();
    changeLabel_->hide();
    delete_->hide();
    list_->show();
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
    if (editing_) return;
    TTABELLA key = record_;
    ui::SetField(key.text[0], code_->text());
    try {
        const TableLookup found = FindByKey(context_.folders.datiGen, table_, key);
        if (found.status == KeyLookup::NoStructure) ui::Warn(this, MissingFileStructure());
        if (!found.found()) return;
        record_ = found.record;
        editing_ = true;
        oldNumber_ = record_.number;
        oldKey_ = record_.text[0].trimmed();
        code_->setText(ui::FromField(record_.text[0]));
        description_->setText(ui::FromField(record_.text[1]));
        changeLabel_->show();
        delete_->show();
        list_->hide();
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
    }
}

bool TFCODICI::checks() {
    if (codeEmpty()) {
        code_->setFocus(Qt::OtherFocusReason);
        return false;
    }
    ui::SetField(record_.text[0], code_->text());
    ui::SetField(record_.text[1], description_->text());
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

void TFCODICI::save() {
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

void TFCODICI::list() {
    TableContext listed = context_;
    listed.tableName = ui::FromRecord(table_);
    const int chosen = ChooseFromTable(this, listed);
    code_->clear();
    if (chosen >= 0) {
        try {
            if (const auto found = ReadByNumber(chosen, tableFile()))
                code_->setText(ui::FromField(found->text[0]));
        } catch (const IoError& e) {
            ui::ShowIoError(this, e);
        }
    }
    code_->setFocus(Qt::OtherFocusReason);
}

void TFCODICI::remove() {
    if (!editing_) return;
    try {
        DeleteTableRecord(oldNumber_, tableFile());
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
        return;
    }
    reset();
}

QString OpenCodeTable(QWidget* parent, const TableContext& context) {
    TFCODICI window(context, parent);
    if (!window.hasStructure()) return {};
    window.exec();
    return window.lastCode();
}

}  // namespace braxol::tables
