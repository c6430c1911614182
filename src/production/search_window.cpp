#include "production/search_window.h"

#include <QDate>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "store/io_error.h"
#include "ui/confirm_button.h"
#include "ui/field_exit.h"
#include "ui/fields.h"
#include "ui/io_error_box.h"
#include "ui/seams.h"

namespace braxol::production {
namespace {

QString NativePath(const std::filesystem::path& path) {
    return QDir::toNativeSeparators(QString::fromStdString(path.string()));
}

}  // namespace

RegisterSearchWindow::RegisterSearchWindow(const SearchRequest& request, SearchKind kind,
                                           QWidget* parent)
    : ReportWindow(parent),
      request_(request),
      kind_(kind),
      fileLabel_(new QLabel(this)),
      openButton_(new QPushButton(QStringLiteral("apri il file"), this)) {
    fileLabel_->setObjectName("lfile");
    openButton_->setObjectName("BAPRI");
    openButton_->setAutoDefault(false);
    layOut();
    confirm_->setChecks([this] { return checks(); });
    confirm_->setSave([this] { search(); });
    ui::OnFieldExit(from_, [this] { fileLabel_->clear(); });
    connect(openButton_, &QPushButton::clicked, this, &RegisterSearchWindow::openFile);
}

void RegisterSearchWindow::layOut() {
    setWindowTitle(SearchCaption(kind_));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(dateRows());
    layout->addWidget(fileLabel_);
    layout->addLayout(buttonRow({openButton_}));
    layout->setSizeConstraint(QLayout::SetFixedSize);
    fileLabel_->setMinimumWidth(letters(40));
    QWidget* const order[] = {from_, to_, confirm_, openButton_, leave_};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

void RegisterSearchWindow::showEvent(QShowEvent* event) {
    ReportWindow::showEvent(event);
    open();
}

void RegisterSearchWindow::open() {
    last_.reset();
    openButton_->hide();
    fileLabel_->clear();
    setWindowTitle(SearchCaption(kind_));
    const QDate today = ui::Seams::clock().today();
    to_->setText(today.toString(QStringLiteral("dd/MM/yyyy")));
    from_->setText(QStringLiteral("01/01/") + QString::number(today.year()));
    from_->setFocus(Qt::OtherFocusReason);
    from_->setCursorPosition(0);
}

bool RegisterSearchWindow::checks() {
    openButton_->hide();
    const auto range = checkRange(RangeYears::Any);
    if (!range) return false;
    range_ = *range;
    csv_ = SearchCsvPath(request_.folders, kind_);
    fileLabel_->clear();  // said once the export is written
    return true;
}

void RegisterSearchWindow::search() {
    const QString title = SearchCaption(kind_) + QStringLiteral(" dal ") + from_->text() +
                          QStringLiteral(" al ") + to_->text();
    try {
        last_ = RunRegisterSearch(request_.folders, kind_, range_, title);
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
        return;
    }
    fileLabel_->setText(QStringLiteral("Ricerca salvata in: ") + NativePath(csv_));
    openButton_->show();
    showReport(last_->report, title);
    from_->setFocus(Qt::OtherFocusReason);
}

void RegisterSearchWindow::openFile() {
    ui::Seams::shell().open(NativePath(csv_));
}

TFRICTUTTO::TFRICTUTTO(const SearchRequest& request, QWidget* parent)
    : RegisterSearchWindow(request, SearchKind::All, parent) {
    setObjectName("FRICTUTTO");
}

TFRICREGC::TFRICREGC(const SearchRequest& request, QWidget* parent)
    : RegisterSearchWindow(request,
                           SearchKindOfMode(request.mode, false).value_or(SearchKind::Productions),
                           parent) {
    setObjectName("FRICREGC");
}

TFRICREGL::TFRICREGL(const SearchRequest& request, QWidget* parent)
    : RegisterSearchWindow(
          request, SearchKindOfMode(request.mode, true).value_or(SearchKind::Washes), parent) {
    setObjectName("FRICREGL");
}

void OpenSearchAll(QWidget* parent, const SearchRequest& request) {
    TFRICTUTTO window(request, parent);
    window.exec();
}
void OpenSearchProductions(QWidget* parent, const SearchRequest& request) {
    TFRICREGC window(request, parent);
    window.exec();
}
void OpenSearchWashes(QWidget* parent, const SearchRequest& request) {
    TFRICREGL window(request, parent);
    window.exec();
}

}  // namespace braxol::production
