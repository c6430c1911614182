#pragma once
// FCANCELLA_FILE_FIRMA ("Cancella i file della cartella DAFIRMARE e FIRMATI della Firma
// Digitale"): shows the two folders shared with the signing program; "&CONFERMA" deletes the
// files of this user code from both (signed files first), tells how many, and closes.

#include <QDialog>

#include "store/records.h"

class QLabel;
class QPushButton;

namespace braxol::ui {
class ConfirmButton;
}

namespace braxol::telematic {

struct SigningCleanRequest {
    TUTENTE company = BlankTutente();  // strings trimmed
    TTABELLA paths = BlankTabella();   // APPL.CFG, strings trimmed
};

class TFCANCELLA_FILE_FIRMA : public QDialog {
    Q_OBJECT
public:
    explicit TFCANCELLA_FILE_FIRMA(SigningCleanRequest request, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void clean();

    SigningCleanRequest request_;
    QLabel* toSign_;  // DAFIRMARE
    QLabel* signed_;  // FIRMATI
    ui::ConfirmButton* confirm_;
    QPushButton* leave_;  // BABBANDONA
};

void OpenSigningClean(QWidget* parent, SigningCleanRequest request);

}  // namespace braxol::telematic
