#include "tributes/search_window.h"

#include <QDir>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "reports/output.h"
#include "store/dates.h"
#include "store/io_error.h"
#include "ui/confirm_button.h"
#include "ui/field_exit.h"
#include "ui/io_error_box.h"
#include "ui/seams.h"

namespace braxol::tributes {
namespace {

QString NativePath(const std::filesystem::path& path) {
    return QDir::toNativeSeparators(QString::fromStdString(path.string()));
}

}  // namespace

TFRICREGDER::TFRICREGDER(TributeRequest request, QWidget* parent)
    : ui::EntryWindow(parent),
      request_(std::move(request)),
      excise_(new QRadioButton(QStringLiteral("Registro accise"), this)),
      correction_(new QRadioButton(QStringLiteral("Registro ravvedimenti"), this)),
      from_(new QLineEdit(this)),
      to_(new QLineEdit(this)),
      confirm_(new ui::ConfirmButton(this)),
      fileLabel_(new QLabel(this)),
      openButton_(new QPushButton(QStringLiteral("apri il file"), this)),
      leave_(new QPushButton(QStringLiteral("&Abbandona"), this)) {
    setObjectName("FRICREGDER");
    excise_->setObjectName("RREGISTRI_E");
    correction_->setObjectName("RREGISTRI_R");
    excise_->setChecked(true);
    from_->setObjectName("MDADA");
    from_->setInputMask(QStringLiteral("99/9999;_"));
    to_->setObjectName("MDAAL");
    to_->setInputMask(QStringLiteral("99;_"));
    fileLabel_->setObjectName("lfile");
    openButton_->setObjectName("BAPRI");
    openButton_->setAutoDefault(false);
    leave_->setObjectName("BABBANDONA");
    leave_->setAutoDefault(false);
    layOut();

    setFirstField(from_);
    // A search may run straight after opening, on the proposed range: no untouched guard.
    confirm_->setChecks([this] { return checks(); });
    confirm_->setSave([this] { search(); });
    ui::OnFieldExit(from_, [this] { fileLabel_->clear(); });
    connect(openButton_, &QPushButton::clicked, this, &TFRICREGDER::openFile);
    connect(leave_, &QPushButton::clicked, this, &QDialog::reject);
}

TFRICREGDER::~TFRICREGDER() {
    ui::StopFieldExits(this);
}

void TFRICREGDER::layOut() {
    auto* registers = new QGroupBox(this);
    registers->setObjectName("RREGISTRI");
    auto* registersLayout = new QVBoxLayout(registers);
    registersLayout->addWidget(excise_);
    registersLayout->addWidget(correction_);

    const int fieldWidth = fontMetrics().horizontalAdvance(QString(9, QLatin1Char('W')));
    from_->setFixedWidth(fieldWidth);
    to_->setFixedWidth(fieldWidth);
    auto* form = new QFormLayout;
    auto add = [&](QLineEdit* field, const QString& caption) {
        auto* label = new QLabel(caption, this);
        label->setObjectName("ET" + field->objectName());
        label->setBuddy(field);
        form->addRow(label, field);
    };
    add(from_, QStringLiteral("Dal mese/anno"));
    add(to_, QStringLiteral("Al mese"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(confirm_);
    buttons->addWidget(openButton_);
    buttons->addStretch();
    buttons->addWidget(leave_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(registers);
    layout->addLayout(form);
    layout->addWidget(fileLabel_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    fileLabel_->setMinimumWidth(fontMetrics().horizontalAdvance(QString(40, QLatin1Char('W'))));

    QWidget* const order[] = {excise_, correction_, from_, to_, confirm_, openButton_, leave_};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

void TFRICREGDER::showEvent(QShowEvent* event) {
    ui::EntryWindow::showEvent(event);
    open();
}

void TFRICREGDER::open() {
    last_.reset();
    openButton_->hide();
    fileLabel_->clear();
    setWindowTitle(sentOnly() ? QStringLiteral("Ricerca tributi inviati")
                              : QStringLiteral("Ricerca nei registri tributi"));
    const auto today = CivilFromDate(ui::Today());
    from_->setText(QStringLiteral("01/") + QString::number(today ? today->year : 2000));
    to_->setText(QStringLiteral("22"));
    from_->setFocus(Qt::OtherFocusReason);
    from_->setCursorPosition(0);
}

TributeKind TFRICREGDER::kind() const {
    return correction_->isChecked() ? TributeKind::Correction : TributeKind::Excise;
}

bool TFRICREGDER::checks() {
    const RangeCheck check =
        CheckSearchRange(from_->text().toStdString(), to_->text().toStdString());
    switch (check.error) {
        case RangeError::Start:
        case RangeError::Year:
        case RangeError::EndBeforeStart:
            from_->setFocus(Qt::OtherFocusReason);
            return false;
        case RangeError::End:
            to_->setFocus(Qt::OtherFocusReason);
            return false;
        case RangeError::None:
            break;
    }
    range_ = check.range;
    csv_ = SearchCsvPath(request_.folders, kind());
    fileLabel_->clear();  // said once the export is written
    openButton_->hide();
    return true;
}

void TFRICREGDER::search() {
    const QString registerName =
        kind() == TributeKind::Excise ? excise_->text() : correction_->text();
    const QString heading = registerName + QStringLiteral(" dal ") + from_->text() +
                            QStringLiteral(" al ") + to_->text() + QStringLiteral("/") +
                            QString::number(range_.year);
    try {
        last_ = RunTributeSearch(request_.folders, kind(), range_, sentOnly(), heading);
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
        return;
    }
    fileLabel_->setText(QStringLiteral("Ricerca salvata in: ") + NativePath(csv_));
    openButton_->show();
    if (preview_)
        preview_(last_->report, heading);
    else
        reports::ShowPreview(last_->report, heading, this);
}

void TFRICREGDER::openFile() {
    ui::Seams::shell().open(NativePath(csv_));
}

void OpenTributeSearch(QWidget* parent, const TributeRequest& request) {
    TFRICREGDER window(request, parent);
    window.exec();
}

}  // namespace braxol::tributes
