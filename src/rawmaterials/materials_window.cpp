#include "rawmaterials/materials_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "ui/confirm_button.h"
#include "ui/field_exit.h"
#include "ui/text.h"

namespace braxol::rawmaterials {

TFMATPRI::TFMATPRI(const tables::TableContext& context, QWidget* parent)
    : ui::EntryWindow(parent),
      context_(context),
      record_(BlankTabella()),
      name_(new QLineEdit(this)),
      changeLabel_(tables::ChangeMark(this)),
      confirm_(new ui::ConfirmButton(this)),
      list_(tables::NamedButton(this, QStringLiteral("&Elenca"), "BELENCA")),
      delete_(tables::NamedButton(this, QStringLiteral("Cance&lla"), "BCANCELLA")),
      empty_(tables::NamedButton(this, QStringLiteral("&Svuota"), "BSVUOTA")),
      leave_(tables::NamedButton(this, QStringLiteral("&Abbandona"), "BABBANDONA")),
      edit_(this, context_, kMaterialsTable, {name_, changeLabel_, delete_, list_}) {
    setObjectName("FMATPRI");
    setWindowTitle(QStringLiteral("Tabella Materie Prime"));
    name_->setObjectName("LE1");
    changeLabel_->setObjectName("LMODCANC");
    name_->setMaxLength(kMaterialLength);
    for (QPushButton* b : {list_, delete_, empty_, leave_}) b->setAutoDefault(false);
    layOut();

    setFirstField(name_);
    attachConfirm(confirm_);
    confirm_->setChecks([this] { return checks(); });
    confirm_->setSave([this] { save(); });
    ui::OnFieldExit(name_, [this] { nameExit(); });
    UpperCaseAsTyped(name_);
    connect(list_, &QPushButton::clicked, this, &TFMATPRI::list);
    edit_.connectButtons(delete_, empty_, leave_, [this] { reset(); });
}

TFMATPRI::~TFMATPRI() {
    ui::StopFieldExits(this);
}

void TFMATPRI::layOut() {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tables::BuddyLabel(this, QStringLiteral("Materia Prima"), name_, "ETLE1"));
    layout->addWidget(name_, 0, Qt::AlignLeft);
    layout->addWidget(changeLabel_);
    layout->addLayout(tables::ButtonRow({confirm_, list_, delete_, empty_, nullptr, leave_}));
    layout->setSizeConstraint(QLayout::SetFixedSize);
    name_->setFixedWidth(fontMetrics().horizontalAdvance(QString(kMaterialLength + 1, QChar('W'))));
    setTabOrder(name_, confirm_);
}

void TFMATPRI::showEvent(QShowEvent* event) {
    ui::EntryWindow::showEvent(event);
    saved_.clear();
    reset();
}

void TFMATPRI::reset() {
    record_ = edit_.blankRecord();
    name_->clear();
    edit_.reset();
    name_->setFocus(Qt::OtherFocusReason);
}

bool TFMATPRI::nameEmpty() const {
    const QString name = name_->text();
    return name.isEmpty() || name.front() <= QChar(' ');
}

void TFMATPRI::nameExit() {
    if (nameEmpty()) {
        if (!untouched()) ui::ReturnFocus(name_);
        return;
    }
    if (edit_.openStored(record_, name_->text())) name_->setText(ui::FromField(record_.text[0]));
}

bool TFMATPRI::checks() {
    if (nameEmpty()) {
        name_->setFocus(Qt::OtherFocusReason);
        return false;
    }
    ui::SetField(record_.text[0], name_->text());
    return edit_.keyFree(record_);
}

void TFMATPRI::save() {
    const auto stored = edit_.save(record_);
    if (!stored) return;
    saved_ = ui::FromField(stored->text[0]);
    edit_.closeOrReset([this] { reset(); });
}

void TFMATPRI::list() {
    bool chosen = false;
    const auto found = edit_.pick(&chosen);
    if (chosen) {
        name_->setText(found ? ui::FromField(found->text[0]) : QString());
        if (found) nameExit();
    }
    name_->setFocus(Qt::OtherFocusReason);
}

void OpenMaterialsTable(QWidget* parent, const tables::TableContext& context) {
    tables::TableContext edit = context;
    edit.tableName = kMaterialsTable;
    edit.singleEntry = false;
    TFMATPRI window(edit, parent);
    window.exec();
}

QString OpenNewMaterial(QWidget* parent, const tables::TableContext& context) {
    tables::TableContext single = context;
    single.tableName = kMaterialsTable;
    single.singleEntry = true;
    TFMATPRI window(single, parent);
    if (window.exec() != QDialog::Accepted) return {};
    return window.savedName();
}

bool MaterialKnown(QWidget* window, const WorkFolders& folders, const QString& name) {
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty()) return false;
    TTABELLA key = BlankTabella();
    ui::SetField(key.text[0], trimmed);
    const auto found = tables::LookUpKey(window, folders.datiGen, kMaterialsTable, key);
    return found && found->found();
}

void UpperCaseAsTyped(QLineEdit* field) {
    QObject::connect(field, &QLineEdit::textEdited, field, [field](const QString& text) {
        if (text == text.toUpper()) return;
        const int at = field->cursorPosition();
        field->setText(text.toUpper());
        field->setCursorPosition(at);
    });
}

}  // namespace braxol::rawmaterials
