#pragma once
// The preventive communication window FPREVENTIVA ("Comunicazione preventiva"): before a brew
// the brewery tells customs its date (DATMOV, tomorrow by default), the annual number of the
// communication (INTER2, proposed), the beer type (PRODAZ, from table PRAZ, with BPRODAZ for
// the list and BNPRODAZ for a new type), the fermentation tanks (NUMDOC), the presumed litres
// of wort (DOUBL3), the meter reading (INTER1, proposed from the register) and a note
// (ANNOTA). Confirming stores it in REGISTRI/<yyyy>.PRV in the order of the numbers, writes
// its letter to PREVENTIVE/<yyyy>/<number>.PDF and, when CINVIA is ticked, opens the sending
// window on it.
//
// In change mode the window starts from the chosen communication, whose sending by PEC (date
// and time) it keeps. The checks of the fields run when the focus leaves them (once a key has
// been typed in the window) and again, in the order of the form, when the focus enters
// "&CONFERMA".

#include <QString>
#include <optional>

#include "store/records.h"
#include "store/work_folders.h"
#include "tables/table_context.h"
#include "ui/entry_window.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace braxol::ui {
class AmountEdit;
class ConfirmButton;
class DateEdit;
class IntegerEdit;
}  // namespace braxol::ui

namespace braxol::preventive {

struct PreventiveRequest {
    WorkFolders folders;
    // The communication to change, as stored; nothing for a new one.
    std::optional<TMOVIMENTO> chosen;
    int maxWidth = 0;  // largest size of the list windows opened from it (0: the screen)
    int maxHeight = 0;
};

inline const QString kEarlyBrewMessage = QStringLiteral(
    "ATTENZIONE, la data di produzione dovrebbe essere successiva alla data odierna");

inline const QString kNumberTakenMessage =
    QStringLiteral("NUMERO PROGRESSIVO GIA` UTILIZZATO DA UN'ALTRA COMUNICAZIONE DELL'ANNO");

class TFPREVENTIVA : public ui::EntryWindow {
    Q_OBJECT
public:
    explicit TFPREVENTIVA(const PreventiveRequest& request, QWidget* parent = nullptr);
    ~TFPREVENTIVA() override;

    bool changeMode() const { return request_.chosen.has_value(); }
    // The communication as stored by the last confirmation; nothing before.
    const std::optional<TMOVIMENTO>& saved() const { return saved_; }
    // Whether the sending window is to open after the save (CINVIA).
    bool sendAfterSave() const;

public slots:
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void layOut();
    void opened();
    void proposeNumbers();
    // Runs `check` when the focus leaves `field` for another control, once the window is
    // touched; `check` returns false when it refused the value.
    void onExit(QWidget* field, std::function<bool()> check);
    void refuse(QWidget* field, const QString& message = {});

    // The checks; each fills its part of the record under construction.
    bool dateCheck();
    bool numberCheck();
    bool beerTypeCheck();
    bool tanksCheck();
    bool litresCheck();
    bool readingCheck();
    bool confirmChecks();
    void save();
    void writeLetter(const TMOVIMENTO& stored);

    // The list and the window of the beer types, table PRAZ.
    tables::TableContext beerTypes() const;
    void chooseBeerType();
    // The beer-type window for a new type, started from the type typed when the table does not
    // hold it.
    void newBeerType();

    PreventiveRequest request_;
    TMOVIMENTO composed_ = BlankMovement();
    std::optional<TMOVIMENTO> saved_;
    std::optional<double> lastProposal_;
    bool checking_ = false;
    bool closing_ = false;

    ui::DateEdit* date_;          // DATMOV
    ui::IntegerEdit* number_;     // INTER2
    QLineEdit* beerType_;         // PRODAZ
    QPushButton* listTypes_;      // BPRODAZ
    QPushButton* newType_;        // BNPRODAZ
    QLineEdit* tanks_;            // NUMDOC
    ui::AmountEdit* litres_;      // DOUBL3
    ui::IntegerEdit* reading_;    // INTER1
    QLineEdit* note_;             // ANNOTA
    QCheckBox* sendAfter_;        // CINVIA
    ui::ConfirmButton* confirm_;  // BCONF
    QPushButton* leave_;          // BABBANDONA
};

// Opens the window; after a save with CINVIA ticked, the sending window on the communication.
void OpenPreventive(QWidget* parent, const PreventiveRequest& request);

}  // namespace braxol::preventive
