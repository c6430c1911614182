#include "tables/strutab.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include "store/io_error.h"
#include "store/numbers.h"
#include "store/tables.h"
#include "tables/table_editing.h"
#include "ui/confirm_button.h"
#include "ui/field_exit.h"
#include "ui/fields.h"
#include "ui/io_error_box.h"
#include "ui/text.h"

namespace braxol::tables {
namespace {

constexpr int kWidthColumn = 0;
constexpr int kLabelColumn = 1;
constexpr int kTextLength = 250;

// The widths are typed as up to three digits, the labels as text of a table slot.
class GridDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            if (index.column() == kWidthColumn)
                line->setInputMask("000;_");
            else
                line->setMaxLength(kTextLength);
        }
        return editor;
    }
};

QString CellText(const QTableWidget* grid, int row, int column) {
    const QTableWidgetItem* item = grid->item(row, column);
    return item ? item->text() : QString();
}

}  // namespace

TFSTRUTAB::TFSTRUTAB(TableContext context, QWidget* parent)
    : ui::EntryWindow(parent),
      context_(std::move(context)),
      name_(new QLineEdit(this)),
      title_(new QLineEdit(this)),
      columns_(new QLineEdit(this)),
      keyFields_(new ui::IntegerEdit(this)),
      grid_(new QTableWidget(kTableFields, 2, this)),
      confirm_(new ui::ConfirmButton(this)),
      import_(NamedButton(this, "&Importa CSV", "BIMPORTA")),
      leave_(NamedButton(this, "&Abbandona", "BABBANDONA")) {
    setObjectName("FSTRUTAB");
    setWindowTitle("STRUTTURA DELLE TABELLE");
    name_->setObjectName("E02250");
    title_->setObjectName("E12250");
    columns_->setObjectName("E22250");
    keyFields_->setObjectName("ICHIAVE");
    grid_->setObjectName("GRIGLIA");
    for (QLineEdit* e : {name_, title_, columns_}) e->setMaxLength(kTextLength);
    keyFields_->setMaxLength(1);
    keyFields_->setFixedWidth(fontMetrics().horizontalAdvance("WWW"));

    grid_->setHorizontalHeaderLabels({"DIM", "ETICHETTA CAMPO"});
    QStringList rows;
    for (int n = 1; n <= kTableFields; ++n) rows << QString("C %1").arg(n);
    grid_->setVerticalHeaderLabels(rows);
    grid_->setItemDelegate(new GridDelegate(grid_));
    grid_->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                           QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setColumnWidth(kWidthColumn, fontMetrics().horizontalAdvance("WWWWWW"));
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->setMinimumHeight(grid_->horizontalHeader()->sizeHint().height() +
                            kTableFields * grid_->verticalHeader()->defaultSectionSize() + 4);

    auto* form = new QFormLayout;
    form->addRow(BuddyLabel(this, "NOME TABELLA", name_, "ETE02250"), name_);
    form->addRow(BuddyLabel(this, "TITOLO TABELLA", title_, "ETE12250"), title_);
    form->addRow(BuddyLabel(this, "NOMI DEI CAMPI SEPARATI DA ;", columns_, "ETE22250"), columns_);
    form->addRow(BuddyLabel(this, "N\u00b0 DEI CAMPI  DI RICERCA", keyFields_, "ETICHIAVE"),
                 keyFields_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(grid_);
    layout->addLayout(ButtonRow({confirm_, import_, nullptr, leave_}));
    setTabOrder(name_, title_);
    setTabOrder(title_, columns_);
    setTabOrder(columns_, keyFields_);
    setTabOrder(keyFields_, grid_);
    setTabOrder(grid_, confirm_);
    setTabOrder(confirm_, import_);
    setTabOrder(import_, leave_);
    resize(600, sizeHint().height());

    setFirstField(name_);
    attachConfirm(confirm_);
    confirm_->setChecks([this] { return nameValid(); });
    confirm_->setSave([this] { save(); });
    ui::OnFieldExit(name_, [this] { nameExit(); });
    connect(import_, &QPushButton::clicked, this, &TFSTRUTAB::import);
    connect(leave_, &QPushButton::clicked, this, &QDialog::reject);
}

TFSTRUTAB::~TFSTRUTAB() {
    ui::StopFieldExits(this);
}

void TFSTRUTAB::showEvent(QShowEvent* event) {
    ui::EntryWindow::showEvent(event);
    name_->setFocus(Qt::OtherFocusReason);
}

TableStructure TFSTRUTAB::structure() const {
    TableStructure s;
    s.name = ui::ToRecord(name_->text().trimmed());
    s.title = ui::ToRecord(title_->text());
    s.columnNames = ui::ToRecord(columns_->text());
    s.keyFields = ParseInteger(keyFields_->text().toStdString());
    for (int n = 0; n < kTableFields; ++n) {
        s.widths[n] = ParseInteger(CellText(grid_, n, kWidthColumn).toStdString());
        s.labels[n] = ui::ToRecord(CellText(grid_, n, kLabelColumn));
    }
    return s;
}

void TFSTRUTAB::load(const TableStructure& s) {
    title_->setText(ui::FromRecord(s.title));
    columns_->setText(ui::FromRecord(s.columnNames));
    keyFields_->setText(QString::number(s.keyFields));
    for (int n = 0; n < kTableFields; ++n) {
        grid_->setItem(n, kWidthColumn, new QTableWidgetItem(QString::number(s.widths[n])));
        grid_->setItem(n, kLabelColumn, new QTableWidgetItem(ui::FromRecord(s.labels[n])));
    }
}

void TFSTRUTAB::clearAllBut(bool keepName) {
    if (!keepName) name_->clear();
    title_->clear();
    columns_->clear();
    keyFields_->clear();
    grid_->clearContents();
}

void TFSTRUTAB::nameExit() {
    const std::string name = ui::ToRecord(name_->text());
    std::optional<TableStructure> found;
    if (IsValidTableName(name)) {
        try {
            found = ReadTableStructure(context_.folders.datiGen, name);
        } catch (const IoError& e) {
            ui::ShowIoError(this, e);
        }
    }
    if (found)
        load(*found);
    else
        clearAllBut(true);
}

bool TFSTRUTAB::nameValid() {
    if (IsValidTableName(ui::ToRecord(name_->text()))) return true;
    name_->setFocus(Qt::OtherFocusReason);
    return false;
}

void TFSTRUTAB::save() {
    try {
        WriteTableStructure(context_.folders.datiGen, structure());
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
        return;
    }
    clearAllBut(false);
    name_->setFocus(Qt::OtherFocusReason);
}

void TFSTRUTAB::import() {
    if (!nameValid()) return;
    try {
        ImportTableCsv(context_.folders.datiGen, ui::ToRecord(name_->text().trimmed()));
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
    }
}

void OpenTableStructures(QWidget* parent, const TableContext& context) {
    TFSTRUTAB window(context, parent);
    window.exec();
}

}  // namespace braxol::tables
