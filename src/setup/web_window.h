#pragma once
// FINDWEB, "Indirizzi Web": the addresses of the customs telematic service in its real
// environment (LE3) and in the test environment (LE5), and the home page of the customs
// agency's site (LE7). They are slots 3, 5 and 7 of DATI_GEN/WEB.CFG.

#include "store/records.h"
#include "store/work_folders.h"
#include "ui/entry_window.h"

class QLineEdit;
class QPushButton;

namespace braxol::ui {
class ConfirmButton;
}

namespace braxol::setup {

class WebServiceBlock;

class TFINDWEB : public ui::EntryWindow {
    Q_OBJECT
public:
    explicit TFINDWEB(const WorkFolders& folders, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void save();

    WorkFolders folders_;
    TTABELLA record_ = BlankTabella();  // as read when the window was shown
    bool loaded_ = false;               // the file was read: only then may it be written
    QLineEdit* real_;
    QLineEdit* test_;
    QLineEdit* home_;
    ui::ConfirmButton* confirm_;
    QPushButton* leave_;
    WebServiceBlock* service_;  // the customs web service's addresses, in a file of their own
};

}  // namespace braxol::setup
