#include "production/deletion_window.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

#include "store/io_error.h"
#include "store/lock.h"
#include "store/movements.h"
#include "store/paths.h"
#include "store/record_file.h"
#include "store/safe_file.h"
#include "ui/busy_cursor.h"
#include "ui/enter_on_buttons.h"
#include "ui/field_exit.h"
#include "ui/io_error_box.h"
#include "ui/seams.h"

namespace braxol::production {
namespace {

constexpr int kSmallestWidth = 680;
const QString kNoList = "0000";  // the year of the list before the first build

bool IsEnter(const QKeyEvent* key) {
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

std::string Bytes(const std::vector<TMOVIMENTO>& records) {
    return std::string(reinterpret_cast<const char*>(records.data()),
                       records.size() * sizeof(TMOVIMENTO));
}

}  // namespace

void DeleteListedMovement(const fs::path& file, const TMOVIMENTO& record, bool undoRectification) {
    DeleteMovement(record.NUMOPE, file);
    if (!undoRectification) return;
    const fs::path path = ResolvePath(file);
    FileLock lock(path);
    MovementFile f = MovementFile::OpenOrCreate(path);
    if (UndoRectification(f.records(), record.RIFOPE)) f.save();
}

TFCANCMOVIM::TFCANCMOVIM(DeletionRequest request, QWidget* parent)
    : QDialog(parent),
      request_(std::move(request)),
      year_(new QLineEdit(this)),
      list_(new QListWidget(this)),
      all_(new QPushButton("Tutti", this)),
      none_(new QPushButton("Nessuno", this)),
      leave_(new QPushButton("&Abbandona", this)),
      confirm_(new QLineEdit(this)) {
    setObjectName("FCANCMOVIM");
    setModal(true);
    year_->setObjectName("LANNO");
    list_->setObjectName("ELENCO");
    all_->setObjectName("BTUTTI");
    none_->setObjectName("BNESSUNO");
    leave_->setObjectName("BABBANDONA");
    confirm_->setObjectName("ECONF");

    year_->setMaxLength(4);
    year_->setMaximumWidth(QFontMetrics(year_->font()).horizontalAdvance("00000000"));
    confirm_->setMaxLength(2);
    confirm_->setMaximumWidth(QFontMetrics(confirm_->font()).horizontalAdvance("WWWWWW"));
    for (QPushButton* b : {all_, none_, leave_}) b->setAutoDefault(false);
    ui::PressOnEnter({all_, none_, leave_});
    year_->installEventFilter(this);
    confirm_->installEventFilter(this);

    // What is typed in the confirmation shows in upper case.
    connect(confirm_, &QLineEdit::textEdited, this, [this](const QString& text) {
        const QString upper = text.toUpper();
        if (upper == text) return;
        const int cursor = confirm_->cursorPosition();
        confirm_->setText(upper);
        confirm_->setCursorPosition(cursor);
    });
    connect(all_, &QPushButton::clicked, this, [this] { tickAll(true); });
    connect(none_, &QPushButton::clicked, this, [this] { tickAll(false); });
    connect(leave_, &QPushButton::clicked, this, &QDialog::reject);
    ui::OnFieldExit(year_, [this] { yearExit(); });
    ui::OnFieldExit(confirm_, [this] { confirmExit(); });

    auto label = [this](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, this);
        l->setObjectName("ET" + buddy->objectName());
        l->setBuddy(buddy);
        return l;
    };
    auto* top = new QHBoxLayout;
    top->addWidget(label("Registro movimenti dell'anno:", year_));
    top->addWidget(year_);
    top->addStretch();
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(all_);
    bottom->addWidget(none_);
    bottom->addStretch();
    bottom->addWidget(label("Digita \"SI\" per cancellare:", confirm_));
    bottom->addWidget(confirm_);
    bottom->addStretch();
    bottom->addWidget(leave_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(list_, 1);
    layout->addLayout(bottom);
    setTabOrder(year_, list_);
    setTabOrder(list_, all_);
    setTabOrder(all_, none_);
    setTabOrder(none_, confirm_);
    setTabOrder(confirm_, leave_);
    resize(kSmallestWidth, 400);
}

TFCANCMOVIM::~TFCANCMOVIM() {
    ui::StopFieldExits(this);
}

QChar TFCANCMOVIM::mode() const {
    return request_.mode.isNull() ? DeletionModeOfTag(request_.tag) : request_.mode;
}

void TFCANCMOVIM::setVisible(bool visible) {
    if (visible && !isVisible()) open();
    QDialog::setVisible(visible);
}

void TFCANCMOVIM::open() {
    deleting_ = false;
    mode_ = FindDeletionMode(mode());
    setWindowTitle(mode_ ? mode_->caption : QString());
    year_->setText(QString::number(ui::Seams::clock().today().year()));
    listedYear_ = kNoList;
    build();
    confirm_->setFocus(Qt::OtherFocusReason);
}

void TFCANCMOVIM::build() {
    const QString year = year_->text().trimmed();
    if (year == listedYear_) return;
    list_->clear();
    listed_.clear();
    if (!mode_) return;
    try {
        const MovementFile file =
            OpenOrCreate(MovementFilePath(request_.folders, mode_->file, year.toInt()));
        for (const TMOVIMENTO& r : file.records())
            if (mode_->listed(r)) listed_.push_back(r);
        listedYear_ = year;
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
    }
    try {
        ReplaceFileContent(request_.folders.inTemp(kDeletionFileName), Bytes(listed_));
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
    }
    qsizetype longest = 0;
    for (TMOVIMENTO r : listed_) {
        TrimMovement(r);
        const QString line = DeletionLine(mode_->letter, r);
        longest = std::max(longest, line.size());
        auto* item = new QListWidgetItem(line, list_);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    if (list_->count() > 0) list_->setCurrentRow(0);

    const QFont font = list_->font();
    const int points = font.pointSize() > 0 ? font.pointSize() : font.pixelSize();
    const QScreen* screen = this->screen() ? this->screen() : QApplication::primaryScreen();
    const int screenWidth = request_.maxWidth > 0 ? request_.maxWidth
                            : screen              ? screen->availableGeometry().width()
                                                  : 1024;
    const int widest = std::max(kSmallestWidth, screenWidth);
    resize(std::clamp(static_cast<int>(longest) * points, kSmallestWidth, widest), height());
    confirm_->clear();
}

void TFCANCMOVIM::yearExit() {
    if (!AcceptedYear(year_->text())) {
        ui::ReturnFocus(year_);
        return;
    }
    const QString before = listedYear_;
    build();
    // The confirmation takes the focus once the move out of the year has ended.
    if (listedYear_ != before) ui::ReturnFocus(confirm_);
}

void TFCANCMOVIM::confirmExit() {
    if (confirm_->text() != "SI") {
        ui::ReturnFocus(list_);
        return;
    }
    if (deleting_) return;
    deleting_ = true;
    // Deleted once the focus has settled: the lock may need to ask the user.
    QTimer::singleShot(0, this, &TFCANCMOVIM::deleteTicked);
}

void TFCANCMOVIM::deleteTicked() {
    if (!mode_) return;
    std::optional<IoError> failure;
    {
        ui::BusyCursor busy;
        try {
            const fs::path file =
                MovementFilePath(request_.folders, mode_->file, listedYear_.toInt());
            const auto copies =
                ReadRecords<TMOVIMENTO>(request_.folders.inTemp(kDeletionFileName), false);
            for (int n = 0; n < list_->count(); ++n) {
                if (list_->item(n)->checkState() != Qt::Checked) continue;
                if (static_cast<std::size_t>(n) >= copies.size()) break;
                DeleteListedMovement(file, copies[static_cast<std::size_t>(n)],
                                     mode_->undoesRectification);
            }
        } catch (const IoError& e) {
            failure = e;
        }
    }
    if (failure) ui::ShowIoError(this, *failure);
    accept();
}

void TFCANCMOVIM::tickAll(bool ticked) {
    for (int n = 0; n < list_->count(); ++n)
        list_->item(n)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

bool TFCANCMOVIM::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && (watched == year_ || watched == confirm_)) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (IsEnter(key)) {
            focusNextChild();
            return true;
        }
        if (watched == year_) {
            // Only digits and backspace are typed into the year.
            const QString t = key->text();
            const bool digit = t.size() == 1 && t[0] >= '0' && t[0] <= '9';
            const bool printable = !t.isEmpty() && t[0].isPrint();
            if (printable && !digit && !(key->modifiers() & Qt::ControlModifier)) {
                QApplication::beep();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void OpenDeletion(QWidget* parent, const DeletionRequest& request) {
    TFCANCMOVIM window(request, parent);
    window.exec();
}

}  // namespace braxol::production
