#include "production/movement_chooser.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "store/io_error.h"
#include "store/paths.h"
#include "store/record_file.h"
#include "tables/list_sort.h"
#include "ui/enter_on_buttons.h"
#include "ui/field_exit.h"
#include "ui/io_error_box.h"
#include "ui/seams.h"
#include "ui/text.h"

namespace braxol::production {
namespace {

constexpr int kNarrowestColumn = 5;  // a column is never narrower than 5 letters
constexpr int kSmallestWidth = 500;
constexpr int kSmallestHeight = 300;

QSize LargestSize(const ChooserRequest& request, const QWidget* widget) {
    const QScreen* screen = widget->screen() ? widget->screen() : QApplication::primaryScreen();
    const QSize area = screen ? screen->availableGeometry().size() : QSize(1024, 768);
    return {request.maxWidth > 0 ? request.maxWidth : area.width() - 50,
            request.maxHeight > 0 ? request.maxHeight : area.height() - 100};
}

bool IsEnter(const QKeyEvent* key) {
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

std::vector<TMOVIMENTO> ReadIfPresent(const fs::path& given) {
    const fs::path path = ResolvePath(given);
    return ReadRecords<TMOVIMENTO>(path, false);
}

}  // namespace

TFSCEGLIMOVIMENTO::TFSCEGLIMOVIMENTO(ChooserRequest request, QWidget* parent)
    : QDialog(parent),
      request_(std::move(request)),
      year_(new QLineEdit(this)),
      ok_(new QPushButton("&OK", this)),
      leave_(new QPushButton("&Abbandona", this)),
      list_(new QTableWidget(this)) {
    setObjectName("FSCEGLIMOVIMENTO");
    setModal(true);
    year_->setObjectName("LANNO");
    ok_->setObjectName("BOK");
    leave_->setObjectName("BABBANDONA");
    list_->setObjectName("LISTA");

    year_->setMaxLength(4);
    year_->setMaximumWidth(QFontMetrics(year_->font()).horizontalAdvance("00000000"));
    year_->installEventFilter(this);
    for (QPushButton* b : {ok_, leave_}) b->setAutoDefault(false);
    ui::PressOnEnter({ok_, leave_});

    tables::SetUpRowList(list_);
    list_->installEventFilter(this);
    connect(list_, &QTableWidget::cellDoubleClicked, this, [this] { choose(); });
    connect(list_->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &TFSCEGLIMOVIMENTO::sortBy);
    connect(ok_, &QPushButton::clicked, this, &TFSCEGLIMOVIMENTO::choose);
    connect(leave_, &QPushButton::clicked, this, &TFSCEGLIMOVIMENTO::reject);
    ui::OnFieldExit(year_, [this] { yearExit(); });

    auto* yearLabel = new QLabel("Anno del movimento", this);
    yearLabel->setObjectName("ETLANNO");
    yearLabel->setBuddy(year_);
    auto* top = new QHBoxLayout;
    top->addWidget(yearLabel);
    top->addWidget(year_);
    top->addStretch();
    top->addWidget(ok_);
    top->addWidget(leave_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(list_, 1);
    setTabOrder(year_, list_);
    setTabOrder(list_, ok_);
    setTabOrder(ok_, leave_);
}

TFSCEGLIMOVIMENTO::~TFSCEGLIMOVIMENTO() {
    ui::StopFieldExits(this);
}

void TFSCEGLIMOVIMENTO::setVisible(bool visible) {
    // Built before the dialog is placed, so that it is centred with its new size.
    if (visible && !isVisible()) open();
    QDialog::setVisible(visible);
}

void TFSCEGLIMOVIMENTO::open() {
    chosen_ = -1;
    mode_ = FindChooserMode(request_.mode);
    setWindowTitle(mode_ ? mode_->caption : QString());
    year_->setText(QString::number(ui::Seams::clock().today().year()));
    rebuild();
    year_->setFocus(Qt::OtherFocusReason);
}

void TFSCEGLIMOVIMENTO::reject() {
    chosen_ = -1;
    QDialog::reject();
}

void TFSCEGLIMOVIMENTO::rebuild() {
    listedYear_ = year_->text().trimmed();
    rows_.clear();
    if (mode_) {
        std::vector<TMOVIMENTO> records;
        try {
            records = ReadIfPresent(ChooserFilePath(request_.folders, mode_->letter, listedYear_));
        } catch (const IoError& e) {
            ui::ShowIoError(this, e);
        }
        rows_ = ChooserRows(*mode_, records);
        widths_ = ChooserWidths(*mode_, rows_);
    } else {
        widths_.clear();
    }
    // The list is filled from its row file, as the other lists of the program are.
    const fs::path rowFile = request_.folders.temp / tables::kRowFileName;
    try {
        tables::WriteRowFile(rowFile, rows_);
        rows_ = tables::ReadRowFile(rowFile);
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
    }
    fill();
    fit();
    if (list_->rowCount() > 0)
        list_->selectRow(mode_ && mode_->lastRowSelected ? list_->rowCount() - 1 : 0);
}

void TFSCEGLIMOVIMENTO::fill() {
    const QFontMetrics metrics(list_->font());
    const int columns = static_cast<int>(widths_.size());
    list_->clear();
    list_->setColumnCount(columns);
    list_->setRowCount(static_cast<int>(rows_.size()));
    QStringList titles;
    for (int c = 0; c < columns; ++c) {
        titles << mode_->columns[static_cast<std::size_t>(c)].title;
        const int letters = std::max(widths_[static_cast<std::size_t>(c)], kNarrowestColumn) + 2;
        list_->setColumnWidth(c, metrics.horizontalAdvance(QString(letters, QChar('W'))));
    }
    list_->setHorizontalHeaderLabels(titles);
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        const auto& texts = rows_[r].columns;
        for (int c = 0; c < columns; ++c) {
            const auto column = static_cast<std::size_t>(c);
            auto* item = new QTableWidgetItem(column < texts.size() ? ui::FromRecord(texts[column])
                                                                    : QString(" "));
            list_->setItem(static_cast<int>(r), c, item);
        }
    }
}

void TFSCEGLIMOVIMENTO::fit() {
    int columnsWidth = 0;
    for (int c = 0; c < list_->columnCount(); ++c) columnsWidth += list_->columnWidth(c);
    const QSize largest = LargestSize(request_, this);
    const int maxWidth = std::max(kSmallestWidth, largest.width());
    const int maxHeight = std::max(kSmallestHeight, largest.height());
    const int lineHeight = QFontMetrics(list_->font()).height();
    setMinimumSize(kSmallestWidth, kSmallestHeight);
    setMaximumSize(maxWidth, maxHeight);
    resize(std::clamp(columnsWidth + 50, kSmallestWidth, maxWidth),
           std::clamp(2 * lineHeight * list_->rowCount(), kSmallestHeight, maxHeight));
}

void TFSCEGLIMOVIMENTO::yearExit() {
    if (!AcceptedYear(year_->text())) {
        ui::ReturnFocus(year_);
        return;
    }
    if (year_->text().trimmed() != listedYear_) rebuild();
}

void TFSCEGLIMOVIMENTO::sortBy(int section) {
    if (section < 0 || section >= list_->columnCount()) return;
    const auto column = static_cast<std::size_t>(section);
    // Plain character order: dates sort by day first.
    tables::SortListRows(list_, rows_, column, section, [this] { fill(); });
}

void TFSCEGLIMOVIMENTO::choose() {
    const auto number = tables::ChosenRowNumber(list_, rows_);
    if (!number) return;
    chosen_ = *number;
    done(QDialog::Accepted);
}

bool TFSCEGLIMOVIMENTO::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (watched == year_) {
            if (IsEnter(key)) {
                list_->setFocus(Qt::TabFocusReason);
                return true;
            }
            // Only digits and backspace are typed into the year.
            const QString t = key->text();
            const bool digit = t.size() == 1 && t[0] >= '0' && t[0] <= '9';
            const bool printable = !t.isEmpty() && t[0].isPrint();
            if (printable && !digit && !(key->modifiers() & (Qt::ControlModifier))) {
                QApplication::beep();
                return true;
            }
        } else if (watched == list_ && IsEnter(key)) {
            choose();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

ChooserResult ChooseMovement(QWidget* parent, const ChooserRequest& request) {
    TFSCEGLIMOVIMENTO window(request, parent);
    window.exec();
    return window.chosen();
}

fs::path ChooserFilePath(const WorkFolders& folders, QChar mode, const QString& year) {
    const ChooserMode* m = FindChooserMode(mode);
    if (!m) return {};
    return MovementFilePath(folders, m->file, year.trimmed().toInt());
}

std::optional<TMOVIMENTO> ReadChosenMovement(QWidget* parent, const WorkFolders& folders,
                                             QChar mode, const ChooserResult& chosen) {
    if (chosen.numope < 0) return std::nullopt;
    const fs::path path = ChooserFilePath(folders, mode, chosen.year);
    if (path.empty()) return std::nullopt;
    try {
        for (const TMOVIMENTO& r : ReadIfPresent(path))
            if (r.NUMOPE == chosen.numope) return r;
    } catch (const IoError& e) {
        ui::ShowIoError(parent, e);
    }
    return std::nullopt;
}

std::optional<TMOVIMENTO> ChooseAndReadMovement(QWidget* parent, const ChooserRequest& request,
                                                ChooserResult* chosen) {
    const ChooserResult result = ChooseMovement(parent, request);
    if (chosen) *chosen = result;
    return ReadChosenMovement(parent, request.folders, request.mode, result);
}

}  // namespace braxol::production
