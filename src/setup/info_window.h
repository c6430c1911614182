#pragma once
// FINFO, "INFORMAZIONI": the program's title, a picture, the program's version
// (LNUMEROVERSIONE), the date of the installed release (LVERSIONE, from
// DATI_GEN/VERS_ZYMOTEC.DAT) and two ways to reach support: LSITO opens the support page, LMAIL
// a new e-mail to the support address. Escape or a click anywhere else closes it.

#include <QDialog>

#include "store/work_folders.h"

class QLabel;

namespace braxol::setup {

// What LVERSIONE shows while the release date is unknown.
inline constexpr const char* kReleaseUnknown = "ultimo aggiornamento: non disponibile";

// The "mailto:" address that LMAIL opens: the support address, the subject and the title.
QString SupportMailAddress();

class TFINFO : public QDialog {
    Q_OBJECT
public:
    explicit TFINFO(const WorkFolders& folders, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void showReleaseDate();

    WorkFolders folders_;
    QLabel* title_;
    QLabel* picture_;
    QLabel* version_;
    QLabel* release_;
    QLabel* site_;
    QLabel* mail_;
};

}  // namespace braxol::setup
