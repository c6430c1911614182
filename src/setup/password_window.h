#pragma once
// FCAMBIAPSW: records in the company record a password changed on the customs site, with
// the date of the change (CITTA2 and C_A_P2 become CITTA2 and DATPSW), and the address of the
// customs page for changing it (DENOM2, kept as INDACC1 + INDACC2). The stored user name,
// password and date are shown for reference (INDIR2, OLDCITTA2, OLDC_A_P2), and one of
// LTEMPO, LQUASI, LSCADUTA tells how long the stored password has left. Every other field of
// the company record is kept.

#include "store/records.h"
#include "store/work_folders.h"
#include "ui/entry_window.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace braxol::ui {
class ConfirmButton;
class DateEdit;
}  // namespace braxol::ui

namespace braxol::setup {

// A password lasts 90 days from its change; in its last 10 days the window warns.
inline constexpr int kPasswordDays = 90;
inline constexpr int kPasswordQuietDays = 80;

class TFCAMBIAPSW : public ui::EntryWindow {
    Q_OBJECT
public:
    explicit TFCAMBIAPSW(const WorkFolders& folders, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showPasswordAge();
    void dateExit();
    bool checks();
    void save();
    void openCustomsSite();

    WorkFolders folders_;
    TUTENTE stored_ = BlankTutente();   // the company record as read when the window was shown
    TUTENTE pending_ = BlankTutente();  // the record the last passed checks prepared
    bool loaded_ = false;
    QLineEdit* address_;
    QPushButton* web_;
    QLineEdit* userName_;
    QLineEdit* oldPassword_;
    ui::DateEdit* oldDate_;
    QLineEdit* password_;
    ui::DateEdit* date_;
    QLabel* time_;
    QLabel* almost_;
    QLabel* expired_;
    ui::ConfirmButton* confirm_;
    QPushButton* leave_;
};

}  // namespace braxol::setup
