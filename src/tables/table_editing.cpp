#include "tables/table_editing.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "store/io_error.h"
#include "store/record_file.h"
#include "store/table_structures.h"
#include "tables/listview.h"
#include "tables/messages.h"
#include "tables/table_edits.h"
#include "ui/io_error_box.h"
#include "ui/seams.h"
#include "ui/text.h"

namespace braxol::tables {

QPushButton* NamedButton(QWidget* parent, const QString& caption, const char* objectName) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(objectName);
    return button;
}

QLabel* ChangeMark(QWidget* parent) {
    auto* label = new QLabel(QStringLiteral("MODIFICA o CANCELLA"), parent);
    label->setObjectName("ETMODIFICA");
    return label;
}

QLabel* BuddyLabel(QWidget* parent, const QString& text, QWidget* buddy, const char* objectName) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(objectName);
    label->setBuddy(buddy);
    return label;
}

QHBoxLayout* ButtonRow(std::initializer_list<QWidget*> buttons) {
    auto* row = new QHBoxLayout;
    for (QWidget* button : buttons) {
        if (button)
            row->addWidget(button);
        else
            row->addStretch();
    }
    return row;
}

std::optional<TableLookup> LookUpKey(QWidget* window, const fs::path& datiGen,
                                     std::string_view table, const TTABELLA& key) {
    try {
        TableLookup found = FindByKey(datiGen, table, key);
        if (found.status == KeyLookup::NoStructure) ui::Warn(window, MissingFileStructure());
        return found;
    } catch (const IoError& e) {
        ui::ShowIoError(window, e);
        return std::nullopt;
    }
}

std::optional<TTABELLA> PickFromTable(QWidget* window, const TableContext& context,
                                      std::string_view table, bool* chosen) {
    TableContext listed = context;
    listed.tableName = ui::FromRecord(table);
    listed.singleEntry = false;
    const int number = ChooseFromTable(window, listed);
    if (chosen) *chosen = number >= 0;
    if (number < 0) return std::nullopt;
    try {
        return ReadByNumber(number, TableFile(context.folders.datiGen, table));
    } catch (const IoError& e) {
        ui::ShowIoError(window, e);
        return std::nullopt;
    }
}

bool CheckTableStructure(QWidget* window, const fs::path& datiGen, std::string_view table) {
    try {
        if (ReadTableStructure(datiGen, table)) return true;
        ui::Warn(window, MissingTableStructure());
    } catch (const IoError& e) {
        ui::ShowIoError(window, e);
    }
    return false;
}

bool TableIsEmpty(QWidget* window, const fs::path& datiGen, std::string_view table) {
    try {
        return ReadRecords<TTABELLA>(TableFile(datiGen, table), false).empty();
    } catch (const IoError& e) {
        ui::ShowIoError(window, e);
        return false;
    }
}

bool TableHoldsKey(const fs::path& datiGen, std::string_view table, const QString& key) {
    TTABELLA wanted = BlankTabella();
    ui::SetField(wanted.text[0], key);
    try {
        return FindByKey(datiGen, table, wanted).found();
    } catch (const IoError&) {
        return false;
    }
}

void QuietFocus::move(QWidget* field) {
    const bool was = moving_;
    moving_ = true;
    field->setFocus(Qt::OtherFocusReason);
    moving_ = was;
}

TableEditing::TableEditing(QDialog* window, const TableContext& context, std::string table,
                           Controls controls)
    : window_(window), context_(context), table_(std::move(table)), controls_(controls) {}

void TableEditing::connectButtons(QPushButton* remove, QPushButton* empty, QPushButton* leave,
                                  std::function<void()> reset) {
    QObject::connect(remove, &QPushButton::clicked, window_, [this, reset] {
        if (this->remove()) reset();
    });
    QObject::connect(empty, &QPushButton::clicked, window_, [reset] { reset(); });
    QObject::connect(leave, &QPushButton::clicked, window_, &QDialog::reject);
}

fs::path TableEditing::tableFile() const {
    return TableFile(context_.folders.datiGen, table_);
}

TTABELLA TableEditing::blankRecord() const {
    TTABELLA record = BlankTabella();
    record.text[10].set(table_);
    return record;
}

void TableEditing::reset() {
    editing_ = false;
    oldNumber_ = -1;
    oldKey_.clear();
    if (controls_.changeMark) controls_.changeMark->hide();
    if (controls_.remove) controls_.remove->hide();
    if (controls_.list) controls_.list->show();
}

void TableEditing::start(const TTABELLA& record) {
    editing_ = true;
    oldNumber_ = record.number;
    oldKey_ = record.text[0].trimmed();
    if (controls_.changeMark) controls_.changeMark->show();
    if (controls_.remove) controls_.remove->show();
    if (controls_.list) controls_.list->hide();
}

bool TableEditing::openStored(TTABELLA& record, const QString& key) {
    if (editing_) return false;
    TTABELLA wanted = record;
    ui::SetField(wanted.text[0], key);
    const auto found = LookUpKey(window_, context_.folders.datiGen, table_, wanted);
    if (!found || !found->found()) return false;
    record = found->record;
    start(record);
    return true;
}

bool TableEditing::keyFree(const TTABELLA& record) {
    if (!editing_ || record.text[0].trimmed() == oldKey_) return true;
    const auto found = LookUpKey(window_, context_.folders.datiGen, table_, record);
    if (found && !found->found()) return true;
    if (found) ui::Warn(window_, CodeInUse());
    if (controls_.keyField) controls_.keyField->setFocus(Qt::OtherFocusReason);
    return false;
}

std::optional<TTABELLA> TableEditing::save(const TTABELLA& record) {
    try {
        const fs::path file = tableFile();
        if (dateSlot_ >= 0)
            return editing_ ? ReplaceTableRecordByDate(file, oldNumber_, record, dateSlot_)
                            : InsertTableRecordByDate(file, record, dateSlot_);
        // A changed record is removed and placed again in one write, under its own number.
        return editing_ ? ReplaceTableRecord(file, oldNumber_, record)
                        : InsertTableRecord(file, record);
    } catch (const IoError& e) {
        ui::ShowIoError(window_, e);
        if (controls_.keyField) controls_.keyField->setFocus(Qt::OtherFocusReason);
        return std::nullopt;
    }
}

void TableEditing::closeOrReset(const std::function<void()>& reset) {
    if (context_.singleEntry)
        window_->accept();
    else
        reset();
}

bool TableEditing::remove() {
    if (!editing_) return false;
    try {
        DeleteTableRecord(oldNumber_, tableFile());
    } catch (const IoError& e) {
        ui::ShowIoError(window_, e);
        return false;
    }
    return true;
}

std::optional<TTABELLA> TableEditing::pick(bool* chosen) {
    return PickFromTable(window_, context_, table_, chosen);
}

bool TableEditing::hasStructure() {
    return CheckTableStructure(window_, context_.folders.datiGen, table_);
}

}  // namespace braxol::tables
