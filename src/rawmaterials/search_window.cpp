#include "rawmaterials/search_window.h"

#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "rawmaterials/materials_window.h"
#include "reports/output.h"
#include "store/dates.h"
#include "store/io_error.h"
#include "tables/table_editing.h"
#include "ui/confirm_button.h"
#include "ui/field_exit.h"
#include "ui/fields.h"
#include "ui/io_error_box.h"
#include "ui/seams.h"
#include "ui/text.h"

namespace braxol::rawmaterials {
namespace {

const QString kTitle = QStringLiteral("Ricerca carichi e scarichi delle materie prime");

QString NativePath(const std::filesystem::path& path) {
    return QDir::toNativeSeparators(QString::fromStdString(path.string()));
}

}  // namespace

TFRICCARSCAMP::TFRICCARSCAMP(const tables::TableContext& context, QWidget* parent)
    : ui::EntryWindow(parent),
      context_(context),
      start_(new ui::DateEdit(this)),
      end_(new ui::DateEdit(this)),
      material_(new QLineEdit(this)),
      list_(tables::NamedButton(this, QStringLiteral("Ele&nca"), "BPRODDO")),
      confirm_(new ui::ConfirmButton(this)),
      fileLabel_(new QLabel(this)),
      openButton_(tables::NamedButton(this, QStringLiteral("apri il file"), "BAPRI")),
      leave_(tables::NamedButton(this, QStringLiteral("&Abbandona"), "BABBANDONA")) {
    setObjectName("FRICCARSCAMP");
    setWindowTitle(kTitle);
    start_->setObjectName("MDADA");
    end_->setObjectName("MDAAL");
    material_->setObjectName("PRODDO");
    fileLabel_->setObjectName("lfile");
    material_->setMaxLength(kMaterialLength);
    list_->setToolTip(QStringLiteral("mostra la tabella"));
    list_->setFocusPolicy(Qt::NoFocus);
    for (QPushButton* b : {list_, openButton_, leave_}) b->setAutoDefault(false);
    layOut();

    setFirstField(start_);
    // A search may run straight after opening, on the proposed range: no untouched guard.
    confirm_->setChecks([this] { return checks(); });
    confirm_->setSave([this] { search(); });
    ui::OnFieldExit(start_, [this] { fileLabel_->clear(); });
    ui::OnFieldExit(material_, [this] { materialExit(); });
    UpperCaseAsTyped(material_);
    connect(list_, &QPushButton::clicked, this, &TFRICCARSCAMP::chooseMaterial);
    connect(openButton_, &QPushButton::clicked, this, &TFRICCARSCAMP::openFile);
    connect(leave_, &QPushButton::clicked, this, &QDialog::reject);
}

TFRICCARSCAMP::~TFRICCARSCAMP() {
    ui::StopFieldExits(this);
}

void TFRICCARSCAMP::layOut() {
    const int dateWidth = fontMetrics().horizontalAdvance(QString(8, QLatin1Char('W')));
    start_->setFixedWidth(dateWidth);
    end_->setFixedWidth(dateWidth);
    material_->setFixedWidth(
        fontMetrics().horizontalAdvance(QString(kMaterialLength + 1, QLatin1Char('W'))));
    auto* form = new QFormLayout;
    auto add = [&](QWidget* field, QLayout* row, const QString& caption) {
        auto* label = new QLabel(caption, this);
        label->setObjectName("ET" + field->objectName());
        label->setBuddy(field);
        form->addRow(label, row);
    };
    auto line = [](std::initializer_list<QWidget*> widgets) {
        auto* row = new QHBoxLayout;
        for (QWidget* w : widgets) row->addWidget(w);
        row->addStretch();
        return row;
    };
    add(start_, line({start_}), QStringLiteral("Dalla data"));
    add(end_, line({end_}), QStringLiteral("Alla data"));
    add(material_, line({material_, list_}), QStringLiteral("Materia Prima"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(confirm_);
    buttons->addWidget(openButton_);
    buttons->addStretch();
    buttons->addWidget(leave_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(fileLabel_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    fileLabel_->setMinimumWidth(fontMetrics().horizontalAdvance(QString(40, QLatin1Char('W'))));
    fileLabel_->setWordWrap(true);

    QWidget* const order[] = {start_, end_, material_, confirm_, openButton_, leave_};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

void TFRICCARSCAMP::showEvent(QShowEvent* event) {
    ui::EntryWindow::showEvent(event);
    last_.reset();
    openButton_->hide();
    fileLabel_->clear();
    const QDate today = ui::Seams::clock().today();
    start_->setDate(DateFromCivil(today.year(), 1, 1));
    end_->setDate(ui::Today());
    material_->clear();
    start_->setFocus(Qt::OtherFocusReason);
}

void TFRICCARSCAMP::materialExit() {
    if (!MaterialKnown(this, context_.folders, material_->text()))
        material_->setText(ui::FromRecord(kAllMaterials));
}

bool TFRICCARSCAMP::checks() {
    const auto from = start_->date();
    const auto to = end_->date();
    if (!InReportYears(from)) {
        start_->setFocus(Qt::OtherFocusReason);
        return false;
    }
    if (!InReportYears(to) || *to < *from) {
        end_->setFocus(Qt::OtherFocusReason);
        return false;
    }
    from_ = *from;
    to_ = *to;
    materialExit();
    csv_ = SearchCsvPath(context_.folders);
    fileLabel_->clear();  // said once the export is written
    openButton_->hide();
    return true;
}

void TFRICCARSCAMP::search() {
    const QString heading =
        kTitle + QStringLiteral(" dal ") + start_->text() + QStringLiteral(" al ") + end_->text();
    try {
        last_ = RunMaterialSearch(context_.folders, from_, to_,
                                  ui::ToRecord(material_->text().trimmed()), heading);
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
    material_->clear();
    start_->setFocus(Qt::OtherFocusReason);
}

void TFRICCARSCAMP::chooseMaterial() {
    bool chosen = false;
    const auto found = tables::PickFromTable(this, context_, kMaterialsTable, &chosen);
    if (chosen) material_->setText(found ? ui::FromField(found->text[0]) : QString());
    material_->setFocus(Qt::OtherFocusReason);
}

void TFRICCARSCAMP::openFile() {
    ui::Seams::shell().open(NativePath(csv_));
}

void OpenRawMaterialSearch(QWidget* parent, const tables::TableContext& context) {
    TFRICCARSCAMP window(context, parent);
    window.exec();
}

}  // namespace braxol::rawmaterials
