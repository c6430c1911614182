#pragma once
// The controls of the windows that make a flow out of records ticked in a list (the movement
// flow and the request flow): the check list (CELENCO) with "Tutti" and "Nessuno", the folder
// of files to sign (LFLUSSO), the flow's date (DATFLU) and number (NUMFLU), "Esegue Firma e
// Verifica " (CFIRMA), the confirm button and "&Abbandona", laid out alike, with the same
// keyboard way: date, number, signing, confirm, and the list after.

#include <vector>

#include "store/records.h"
#include "telematic/flow_target.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace braxol::ui {
class ConfirmButton;
class DateEdit;
class EntryWindow;
class IntegerEdit;
}  // namespace braxol::ui

namespace braxol::telematic {

class FlowChoice {
public:
    explicit FlowChoice(ui::EntryWindow* window);

    QListWidget* list() const { return list_; }          // CELENCO
    QPushButton* all() const { return all_; }            // BTUTTI
    QPushButton* none() const { return none_; }          // BNESSUNO
    QLabel* folder() const { return folder_; }           // LFLUSSO
    ui::DateEdit* date() const { return date_; }         // DATFLU
    ui::IntegerEdit* number() const { return number_; }  // NUMFLU
    QCheckBox* sign() const { return sign_; }            // CFIRMA
    ui::ConfirmButton* confirm() const { return confirm_; }
    QPushButton* leave() const { return leave_; }  // BABBANDONA

    // The window's layout; `year` (with its caption), when given, opens the top row and comes
    // after "Abbandona" in the keyboard way.
    void layOut(ui::IntegerEdit* year = nullptr);

    // `listed` with the ticked items stamped with the flow's date and number; the stamped
    // copies, in list order, also go to `chosen`.
    std::vector<TMOVIMENTO> stampTicked(const std::vector<TMOVIMENTO>& listed,
                                        const FlowTarget& target,
                                        std::vector<TMOVIMENTO>& chosen) const;

private:
    ui::EntryWindow* window_;
    QListWidget* list_;
    QPushButton* all_;
    QPushButton* none_;
    QLabel* folder_;
    ui::DateEdit* date_;
    ui::IntegerEdit* number_;
    QCheckBox* sign_;
    ui::ConfirmButton* confirm_;
    QPushButton* leave_;
};

}  // namespace braxol::telematic
