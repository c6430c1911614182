#include "setup/paths_window.h"

#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "setup/folder_field.h"
#include "store/config_files.h"
#include "store/paths.h"
#include "ui/confirm_button.h"
#include "ui/io_error_box.h"
#include "ui/seams.h"
#include "ui/text.h"

namespace braxol::setup {
namespace {

constexpr int kPathLength = 250;
constexpr int kProgramSlot = 0;
constexpr int kToSignSlot = 1;
constexpr int kSignedSlot = 2;

const QString kProgramLabel = QString::fromUtf8(kSigningPaths[kProgramSlot].caption);
const QString kToSignLabel = QString::fromUtf8(kSigningPaths[kToSignSlot].caption);
const QString kSignedLabel = QString::fromUtf8(kSigningPaths[kSignedSlot].caption);
const QString kAnyFile = "Tutti i file (*)";

}  // namespace

TTABELLA ReadOrCreateConfigRecord(const std::filesystem::path& file) {
    if (!PathExists(file)) WriteConfigRecord(file, BlankTabella());
    return ReadConfigRecord(file);
}

void CloseWithIoError(QDialog* window, const IoError& error) {
    const QString message = QString::fromStdString(error.italianMessage());
    QMetaObject::invokeMethod(
        window,
        [window, message] {
            ui::Inform(window, message, ui::Severity::Error);
            window->reject();
        },
        Qt::QueuedConnection);
}

TFPERCORSI::TFPERCORSI(const WorkFolders& folders, QWidget* parent)
    : ui::EntryWindow(parent),
      folders_(folders),
      program_(new QLineEdit(this)),
      toSign_(new QLineEdit(this)),
      signed_(new QLineEdit(this)),
      chooseProgram_(new QPushButton("...", this)),
      chooseToSign_(new QPushButton("...", this)),
      chooseSigned_(new QPushButton("...", this)),
      confirm_(new ui::ConfirmButton(this)),
      leave_(new QPushButton("&Abbandona", this)) {
    setObjectName("FPERCORSI");
    setWindowTitle("Percorsi del software di Firma Digitale");
    program_->setObjectName("LE0");
    toSign_->setObjectName("LE1");
    signed_->setObjectName("LE2");
    chooseProgram_->setObjectName("BLE0");
    chooseToSign_->setObjectName("BLE1");
    chooseSigned_->setObjectName("BLE2");
    // The three "..." buttons say what each one chooses.
    chooseProgram_->setToolTip(QStringLiteral("Scegli il programma FIRMAVERIFICA"));
    chooseToSign_->setToolTip(QStringLiteral("Scegli la cartella dei FILE da FIRMARE"));
    chooseSigned_->setToolTip(QStringLiteral("Scegli la cartella dei FILE FIRMATI"));
    leave_->setObjectName("BABBANDONA");

    auto* grid = new QGridLayout;
    int row = 0;
    auto addPath = [&](const QString& text, const QString& labelName, QLineEdit* edit,
                       QPushButton* button) {
        edit->setMaxLength(kPathLength);
        button->setFixedWidth(button->fontMetrics().horizontalAdvance("....") + 16);
        auto* label = new QLabel(text, this);
        label->setObjectName(labelName);
        label->setBuddy(edit);
        grid->addWidget(label, row++, 0, 1, 2);
        grid->addWidget(edit, row, 0);
        grid->addWidget(button, row++, 1);
    };
    addPath(kProgramLabel, "ETLE0", program_, chooseProgram_);
    addPath(kToSignLabel, "ETLE1", toSign_, chooseToSign_);
    addPath(kSignedLabel, "ETLE2", signed_, chooseSigned_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(confirm_);
    buttons->addStretch();
    buttons->addWidget(leave_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(buttons);

    // Enter runs through the three paths to the confirm button; the "..." buttons come last.
    setTabOrder(program_, toSign_);
    setTabOrder(toSign_, signed_);
    setTabOrder(signed_, confirm_);
    setTabOrder(confirm_, leave_);
    setTabOrder(leave_, chooseProgram_);
    setTabOrder(chooseProgram_, chooseToSign_);
    setTabOrder(chooseToSign_, chooseSigned_);
    resize(560, sizeHint().height());

    setFirstField(program_);
    attachConfirm(confirm_);
    confirm_->setSave([this] { save(); });
    connect(chooseProgram_, &QPushButton::clicked, this, &TFPERCORSI::chooseProgram);
    connect(chooseToSign_, &QPushButton::clicked, this, [this] { chooseFolder(toSign_); });
    connect(chooseSigned_, &QPushButton::clicked, this, [this] { chooseFolder(signed_); });
    connect(leave_, &QPushButton::clicked, this, &QDialog::reject);
}

void TFPERCORSI::showEvent(QShowEvent* event) {
    ui::EntryWindow::showEvent(event);
    picked_ = false;
    loaded_ = false;
    record_ = BlankTabella();
    TrimTabella(record_);
    try {
        record_ = ReadOrCreateConfigRecord(folders_.applFile());
        loaded_ = true;
    } catch (const IoError& e) {
        CloseWithIoError(this, e);
    }
    program_->setText(ui::FromField(record_.text[kProgramSlot]));
    toSign_->setText(ui::FromField(record_.text[kToSignSlot]));
    signed_->setText(ui::FromField(record_.text[kSignedSlot]));
    program_->setFocus(Qt::OtherFocusReason);
}

void TFPERCORSI::changeEvent(QEvent* event) {
    ui::EntryWindow::changeEvent(event);
    // Coming back from a file dialog makes the window active again; a path chosen there is
    // the user's change as much as a typed one.
    if (picked_) setUntouched(false);
}

void TFPERCORSI::picked() {
    picked_ = true;
    setUntouched(false);
}

void TFPERCORSI::chooseProgram() {
    const QString file =
        ui::Seams::files().openFile(this, kProgramLabel, program_->text(), kAnyFile);
    if (file.isEmpty()) return;
    program_->setText(NativeFileName(file));
    picked();
}

void TFPERCORSI::chooseFolder(QLineEdit* field) {
    const QString caption = field == toSign_ ? kToSignLabel : kSignedLabel;
    const QString file = ui::Seams::files().openFile(this, caption, field->text() + "F", kAnyFile);
    if (file.isEmpty()) return;
    field->setText(FolderOfFile(file));
    picked();
}

void TFPERCORSI::save() {
    if (!loaded_) return;
    TTABELLA record = record_;
    ui::SetField(record.text[kProgramSlot], program_->text());
    // Folders typed by hand end with the separator too, as the chosen ones do.
    ui::SetField(record.text[kToSignSlot], TypedFolder(toSign_->text()));
    ui::SetField(record.text[kSignedSlot], TypedFolder(signed_->text()));
    try {
        WriteConfigRecord(folders_.applFile(), record);
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
        return;
    }
    accept();
}

}  // namespace braxol::setup
