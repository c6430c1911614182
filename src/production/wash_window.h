#pragma once
// The wash window FLAVAGGIO ("Lavaggio / sanificazione"): a wash or sanitisation of the plant
// that passes water through the production meter. It is a movement of the production register
// REGISTRI/<yyyy>.RGM with its own movement code and the two meter readings, and no litres,
// degrees or excise; it takes its place among the productions of the day by the meter.
//
// Like the production window it enters a new wash, changes an unsent one and rectifies a sent
// one; the confirm button refuses its first press until a key has been typed, in every mode.
//
// Controls: DATMOV, LTIPOREGISTRO, INTER1, INTER2, MTOTALE (the meter's advance), ANNOTA,
// BCONF, BABBANDONA and the title label LMOVIMENTO.

#include "production/brew_entry_common.h"

class QLabel;
class QLineEdit;

namespace braxol::production {

class TFLAVAGGIO : public BrewEntryWindow {
    Q_OBJECT
public:
    explicit TFLAVAGGIO(const EntryRequest& request, QWidget* parent = nullptr);
    ~TFLAVAGGIO() override;

protected:
    void opened() override;
    bool checkFields() override;
    void compose() override;

private:
    void layOut();
    // The date, the protocol in force and the wash product code into the record.
    Problem dateCheck();
    void dateExit();
    // Both readings into the record and their difference into MTOTALE; every message that
    // applies is shown, and the focus goes to INTER1 on failure.
    bool readingsValid();

    QLabel* title_;     // LMOVIMENTO
    QLineEdit* final_;  // INTER2
    QLineEdit* total_;  // MTOTALE
};

// Opens the wash window for the request; true when it saved.
bool OpenWash(QWidget* parent, const EntryRequest& request);

}  // namespace braxol::production
