#pragma once
// The part of the web-addresses window for the customs web service: the service addresses
// of the real and the test environment and an extra certificate authority to trust (a
// training simulator, a company proxy). They are kept in DATI_GEN/WEBSERVICE.CFG, beside
// WEB.CFG, which keeps its own format.

#include <QGroupBox>

#include "store/work_folders.h"

class QLineEdit;
class QPushButton;

namespace braxol::setup {

class WebServiceBlock : public QGroupBox {
    Q_OBJECT
public:
    explicit WebServiceBlock(const WorkFolders& folders, QWidget* parent = nullptr);

    // Shows the file's values, writing it with the defaults when missing. Throws IoError.
    void load();
    // Throws IoError.
    void save() const;

    // The block's controls in the order the focus goes through them.
    QList<QWidget*> tabChain() const;

private:
    void chooseAuthority();

    WorkFolders folders_;
    QLineEdit* real_;
    QLineEdit* test_;
    QLineEdit* authority_;
    QPushButton* browse_;
};

}  // namespace braxol::setup
