#pragma once
// The company data window FDATIAZIENDA ("Dati dell'Azienda"): edits the company record of
// DATI_GEN/UTENTE.001 (excise code, name and address, VAT number and fiscal code, customs
// user code, office and section, production meter and litres rounding, credentials of the
// customs telematic service). The record is read again each time the window is shown; the
// access address and the password-change date are written back as they were read.
//
// Every field is checked when the focus leaves it (not while the window is untouched); the
// excise code, the meter, the rounding choice, the company name, the user name and the office
// are checked again, in that order, when the focus enters "&CONFERMA". The VAT number and the
// fiscal code only warn. A company file that cannot be read is reported and the window closes
// without ever writing it.
//
// An office code that the table of offices does not hold opens that list; while the table is
// still empty it opens the code window for the new office instead, starting from the code
// typed. The password of the customs service is masked until "&Mostra" is ticked.

#include <functional>
#include <optional>

#include "store/records.h"
#include "store/work_folders.h"
#include "tables/table_context.h"
#include "ui/entry_window.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace braxol::ui {
class ConfirmButton;
}

namespace braxol::setup {

// A one-line field of the window (company_window.cpp).
class CompanyField;

class TFDATIAZIENDA : public ui::EntryWindow {
    Q_OBJECT
public:
    // `maxWidth` and `maxHeight` bound the list and code-table windows opened on the customs
    // offices (0: the screen's size less 50 and 100).
    TFDATIAZIENDA(const WorkFolders& folders, QWidget* parent = nullptr, int maxWidth = 0,
                  int maxHeight = 0);

    // Runs after the record has been written and before the window closes: the main window
    // checks the configuration again and refreshes its status line. The signal saved() is
    // emitted at the same moment.
    void setAfterSave(std::function<void()> afterSave) { afterSave_ = std::move(afterSave); }

    // The record as read when the window was last shown (trimmed); nothing when it could not
    // be read.
    const std::optional<TUTENTE>& stored() const { return stored_; }

signals:
    void saved();

public slots:
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void layOut();
    bool load();
    tables::TableContext officeTable() const;

    // Runs the exit check of a field, unless the window is untouched, closing, or already
    // checking (a check that moves the focus makes other fields lose it).
    void onExit(CompanyField* field, std::function<void()> check);
    // Gives the focus back to a field that holds a wrong value, then shows the message.
    void refuse(QLineEdit* field, const QString& message);
    bool exciseCodeValid();
    bool nameValid();
    void checkVatNumber();
    void checkFiscalCode();
    // The meter and, for an energy meter, the rounding choice. `leaving`: run as the meter's
    // exit check, when the focus is on its way to another field.
    bool meterValid(bool leaving);
    bool roundingValid();
    bool userNameValid();
    enum class Office { Found, NotFound, Failed };
    Office lookUpOffice();
    void officeExit();
    void chooseOffice();
    void newOffice();
    void capitalizeFirst(QLineEdit* field);

    bool checks();
    void compose();
    void save();

    WorkFolders folders_;
    int maxWidth_;
    int maxHeight_;
    std::function<void()> afterSave_;
    std::optional<TUTENTE> stored_;
    TUTENTE composed_ = BlankTutente();
    bool checking_ = false;
    bool closing_ = false;

    CompanyField* exciseCode_;  // CACCI1
    CompanyField* name_;        // DENOM1
    CompanyField* vatNumber_;   // PARIVA
    CompanyField* fiscalCode_;  // CODFIS
    CompanyField* street_;      // INDIR1
    CompanyField* number_;      // NUMCI1
    CompanyField* postCode_;    // C_A_P1
    CompanyField* town_;        // CITTA1
    CompanyField* userCode_;    // CODUTE
    CompanyField* office_;      // UFFDO1
    CompanyField* section_;     // SEZDOG
    CompanyField* meter_;       // CAUESO
    CompanyField* rounding_;    // TIPOIN
    CompanyField* userName_;    // INDIR2
    CompanyField* password_;    // CITTA2
    QLineEdit* officeName_;     // DUFFDOG
    QLabel* roundingLabel_;
    QPushButton* listOffices_;  // BUFFDOG
    QPushButton* newOffice_;    // BNUFFDOG
    QCheckBox* showPassword_;   // MOSTRAPSW
    ui::ConfirmButton* confirm_;
    QPushButton* leave_;  // BABBANDONA
};

}  // namespace braxol::setup
