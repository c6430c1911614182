#include "tables/listview.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPrinter>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "store/io_error.h"
#include "tables/list_print.h"
#include "tables/list_sort.h"
#include "tables/table_editing.h"
#include "ui/io_error_box.h"
#include "ui/seams.h"
#include "ui/text.h"

namespace braxol::tables {
namespace {

int ShownWidth(int width) {
    return std::max(width, kMinimumColumnWidth) + 2;
}

// Enter on the list chooses the selected row.
class EnterFilter : public QObject {
public:
    EnterFilter(QObject* parent, std::function<void()> onEnter)
        : QObject(parent), onEnter_(std::move(onEnter)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                onEnter_();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> onEnter_;
};

}  // namespace

TFLISTVIEW::TFLISTVIEW(TableContext context, QWidget* parent)
    : QDialog(parent),
      context_(std::move(context)),
      list_(new QTableWidget(this)),
      ok_(NamedButton(this, "&OK", "BOK")),
      print_(NamedButton(this, "&Stampa", "BSTAMPA")),
      leave_(NamedButton(this, "&Abbandona", "BABBANDONA")) {
    setObjectName("FLISTVIEW");
    setModal(true);
    list_->setObjectName("LISTA");

    SetUpRowList(list_);
    list_->installEventFilter(new EnterFilter(this, [this] { choose(); }));
    connect(list_, &QTableWidget::cellDoubleClicked, this, [this] { choose(); });
    connect(list_->horizontalHeader(), &QHeaderView::sectionClicked, this, &TFLISTVIEW::sortBy);

    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &TFLISTVIEW::choose);
    connect(print_, &QPushButton::clicked, this, &TFLISTVIEW::print);
    connect(leave_, &QPushButton::clicked, this, &TFLISTVIEW::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addLayout(ButtonRow({ok_, print_, nullptr, leave_}));
}

void TFLISTVIEW::setVisible(bool visible) {
    // Rebuilt before the dialog is placed, so that it is centred with its new size.
    if (visible && !isVisible()) rebuild();
    QDialog::setVisible(visible);
}

void TFLISTVIEW::reject() {
    chosen_ = -1;
    QDialog::reject();
}

void TFLISTVIEW::rebuild() {
    chosen_ = -1;
    listing_ = TableListing{};
    const std::string table = ui::ToRecord(context_.tableName);
    const fs::path rowFile = context_.folders.temp / kRowFileName;
    try {
        listing_ = ListTable(context_.folders.datiGen, table);
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
    }
    try {
        WriteRowFile(rowFile, listing_.rows);
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
    }
    setWindowTitle(ui::FromRecord(listing_.title));
    shown_.clear();
    for (std::size_t c = 0; c < listing_.widths.size(); ++c)
        if (listing_.widths[c] > 0) shown_.push_back(static_cast<int>(c));
    rows_ = listing_.rows;
    fill();

    const QFontMetrics metrics(list_->font());
    int columnsWidth = 0;
    for (int c = 0; c < list_->columnCount(); ++c) columnsWidth += list_->columnWidth(c);
    const QSize largest = MaxWindowSize(context_, this);
    setMinimumSize(300, 300);
    setMaximumSize(std::max(300, largest.width()), std::max(300, largest.height()));
    resize(
        std::clamp(columnsWidth + 50, 300, std::max(300, largest.width())),
        std::clamp(list_->rowCount() * 2 * metrics.height(), 300, std::max(300, largest.height())));
    if (list_->rowCount() > 0) list_->selectRow(0);
    list_->setFocus();
}

void TFLISTVIEW::fill() {
    const QFontMetrics metrics(list_->font());
    list_->clear();
    list_->setColumnCount(static_cast<int>(shown_.size()));
    list_->setRowCount(static_cast<int>(rows_.size()));
    QStringList captions;
    for (std::size_t s = 0; s < shown_.size(); ++s) {
        const auto c = static_cast<std::size_t>(shown_[s]);
        captions << (c < listing_.captions.size() ? ui::FromRecord(listing_.captions[c])
                                                  : QString());
        list_->setColumnWidth(
            static_cast<int>(s),
            metrics.horizontalAdvance(QString(ShownWidth(listing_.widths[c]), QChar('W'))));
    }
    list_->setHorizontalHeaderLabels(captions);
    // A column is never narrower than its caption, which would otherwise be cut.
    const QFontMetrics headerMetrics(list_->horizontalHeader()->font());
    for (int s = 0; s < captions.size(); ++s)
        list_->setColumnWidth(
            s, std::max(list_->columnWidth(s), headerMetrics.horizontalAdvance(captions[s]) + 24));
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        for (std::size_t s = 0; s < shown_.size(); ++s) {
            const auto c = static_cast<std::size_t>(shown_[s]);
            const auto& columns = rows_[r].columns;
            auto* item =
                new QTableWidgetItem(c < columns.size() ? ui::FromRecord(columns[c]) : QString());
            list_->setItem(static_cast<int>(r), static_cast<int>(s), item);
        }
    }
}

void TFLISTVIEW::sortBy(int section) {
    if (section < 0 || section >= static_cast<int>(shown_.size())) return;
    const auto column = static_cast<std::size_t>(shown_[section]);
    // Character order of the texts, upper and lower case apart.
    SortListRows(list_, rows_, column, section, [this] { fill(); });
}

void TFLISTVIEW::choose() {
    const auto number = ChosenRowNumber(list_, rows_);
    if (!number) return;
    chosen_ = *number;
    done(QDialog::Accepted);
}

void TFLISTVIEW::print() {
    PrintedList printed;
    printed.title = ui::FromRecord(listing_.title);
    for (int c : shown_) {
        const auto column = static_cast<std::size_t>(c);
        printed.captions << (column < listing_.captions.size()
                                 ? ui::FromRecord(listing_.captions[column])
                                 : QString());
        printed.widths.push_back(ShownWidth(listing_.widths[column]));
    }
    for (const ListRow& row : rows_) {
        QStringList texts;
        for (int c : shown_) {
            const auto column = static_cast<std::size_t>(c);
            texts << (column < row.columns.size() ? ui::FromRecord(row.columns[column])
                                                  : QString());
        }
        printed.rows.push_back(texts);
    }
    QPrinter printer(QPrinter::HighResolution);
    if (!ui::Seams::print().choosePrinter(this, printer)) return;
    if (PaintList(printer, printed) == 0) ui::Warn(this, "IMPOSSIBILE STAMPARE");
}

int ChooseFromTable(QWidget* parent, const TableContext& context) {
    TFLISTVIEW window(context, parent);
    window.exec();
    return window.chosen();
}

}  // namespace braxol::tables
