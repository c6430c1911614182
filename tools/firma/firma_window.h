#pragma once
// The small window of braxol-firma: the certificate in use, what it signed, and, while it
// stays open, the flows that arrive later, signed as they come.

#include <QDialog>
#include <filesystem>

#include "firma_signer.h"

class QLabel;
class QListWidget;
class QTimer;

namespace braxol::firma {

class FirmaWindow : public QDialog {
    Q_OBJECT
public:
    FirmaWindow(Signer signer, std::filesystem::path workFolder, const QString& notice);

    // Signs what waits now and lists it.
    void signPending();

private:
    Signer signer_;
    std::filesystem::path workFolder_;
    QLabel* certificate_;
    QLabel* waiting_;
    QListWidget* signed_;
    QTimer* timer_;
};

}  // namespace braxol::firma
