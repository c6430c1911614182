#pragma once
// FPERCORSI, "Percorsi del software di Firma Digitale": where the customs signing program is
// (LE0, chosen with BLE0) and the folders of the files to sign (LE1, BLE1) and of the signed
// files (LE2, BLE2). They are slots 0, 1 and 2 of DATI_GEN/APPL.CFG.

#include <filesystem>

#include "store/io_error.h"
#include "store/records.h"
#include "store/work_folders.h"
#include "ui/entry_window.h"

class QDialog;
class QLineEdit;
class QPushButton;

namespace braxol::ui {
class ConfirmButton;
}

namespace braxol::setup {

// Record 0 of a one-record configuration file, trimmed. A file that does not exist is first
// created holding one blank record. Throws IoError (DamagedFileError for a damaged file).
TTABELLA ReadOrCreateConfigRecord(const std::filesystem::path& file);

// Shows the input/output error once the window has been shown, then closes it. For windows
// whose file cannot be read: they must not save over it.
void CloseWithIoError(QDialog* window, const IoError& error);

class TFPERCORSI : public ui::EntryWindow {
    Q_OBJECT
public:
    explicit TFPERCORSI(const WorkFolders& folders, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void chooseProgram();
    void chooseFolder(QLineEdit* field);
    void picked();
    void save();

    WorkFolders folders_;
    TTABELLA record_ = BlankTabella();  // as read when the window was shown
    bool loaded_ = false;               // the file was read: only then may it be written
    bool picked_ = false;               // a path was chosen with a button since showing
    QLineEdit* program_;
    QLineEdit* toSign_;
    QLineEdit* signed_;
    QPushButton* chooseProgram_;
    QPushButton* chooseToSign_;
    QPushButton* chooseSigned_;
    ui::ConfirmButton* confirm_;
    QPushButton* leave_;
};

}  // namespace braxol::setup
