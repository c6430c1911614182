#pragma once
// The certified e-mail account window FACCOUNT_PEC ("Impostazione dell'account della PEC"):
// the SMTP server of the brewery's PEC mailbox (ST1250_0), its address (ST1250_1, also the
// user name), its password (st1250_2), the customs addresses separated by commas (ST1250_3),
// the outgoing port 25/465/587 (INTERI_0), the flags SSL, authentication and copy to the
// brewery's own address (INTERI_1..3), and the scanned signature printed on the letters
// (Image1, loaded with BIMMAGINE). "&CONFERMA" writes DATI_GEN/ACCOUNT_PEC.DAT (for its owner
// only: it holds the password) and, when a new picture was loaded, DATI_GEN/FIRMA.BMP.

#include <QImage>
#include <QString>

#include "store/work_folders.h"
#include "ui/entry_window.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace braxol::ui {
class ConfirmButton;
}

namespace braxol::preventive {

inline const QString kOnlyPicturesMessage =
    QStringLiteral("SONO AMMESSE SOLO IMMAGINI DI TIPO BITMAP, PNG O JPEG");
inline const QString kBadPictureMessage = QStringLiteral("IMMAGINE NON VALIDA");
inline const QString kSignatureNotSavedMessage = QStringLiteral("SCANSIONE FIRMA NON VALIDA");

// The signature is shown at most this many pixels wide.
inline constexpr int kSignatureShownWidth = 180;

class TFACCOUNT_PEC : public ui::EntryWindow {
    Q_OBJECT
public:
    explicit TFACCOUNT_PEC(const WorkFolders& folders, QWidget* parent = nullptr);
    ~TFACCOUNT_PEC() override;

    bool saved() const { return saved_; }
    // The signature shown, as loaded (null when there is none).
    const QImage& signature() const { return signature_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void layOut();
    void opened();
    bool checks();
    void save();
    void loadPicture();
    void showSignature();

    WorkFolders folders_;
    QImage signature_;
    bool newSignature_ = false;
    bool saved_ = false;

    QLineEdit* server_;       // ST1250_0
    QLineEdit* sender_;       // ST1250_1
    QLineEdit* password_;     // st1250_2
    QLineEdit* recipients_;   // ST1250_3
    QComboBox* port_;         // INTERI_0
    QCheckBox* ssl_;          // INTERI_1
    QCheckBox* login_;        // INTERI_2
    QCheckBox* copy_;         // INTERI_3
    QLabel* image_;           // Image1
    QPushButton* loadImage_;  // BIMMAGINE
    ui::ConfirmButton* confirm_;
    QPushButton* leave_;  // BABBANDONA
};

// Opens the account window; true when it saved.
bool OpenPecAccount(QWidget* parent, const WorkFolders& folders);

// The picture as FIRMA.BMP holds it: a bitmap on white, whatever the format it came from.
QByteArray SignatureBitmap(const QImage& picture);

}  // namespace braxol::preventive
