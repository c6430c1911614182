#pragma once
// The balance window FBILANCIO ("Bilancio annuo di materia e di energia"): for the reference
// year (LANNO) the raw materials loaded and in stock at the end of the year (RMATPRIME), the
// brews per beer type (RTIPIBIRRA), the readings of the litre counter (INICON, FINCON, LAVCON)
// and of the energy meter (INIENE, FINENE, LAVENE) and the litres produced (DOUBL3), all of
// which the user may correct; the beer sold (VENDUTA) and the packaged beer in stock (GIACENZA)
// are typed. "&CONFERMA" prints the balance to the preview and closes the window.
//
// The figures are computed on opening and again whenever the year typed is a whole year from
// 2008 to 2060 other than the one shown: a year being typed ("201") opens no file.

#include <QString>
#include <optional>

#include "rawmaterials/balance.h"
#include "rawmaterials/search_window.h"
#include "store/records.h"
#include "store/work_folders.h"
#include "ui/entry_window.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace braxol::ui {
class AmountEdit;
class ConfirmButton;
class IntegerEdit;
}  // namespace braxol::ui

namespace braxol::rawmaterials {

struct BalanceRequest {
    WorkFolders folders;
    TUTENTE company = BlankTutente();  // strings trimmed
    QString workingYear;               // "yyyy"
};

class TFBILANCIO : public ui::EntryWindow {
    Q_OBJECT
public:
    explicit TFBILANCIO(BalanceRequest request, QWidget* parent = nullptr);
    ~TFBILANCIO() override;

    void setPreview(Preview preview) { preview_ = std::move(preview); }
    // The year last computed, which the main window keeps as its working year.
    const QString& workingYear() const { return request_.workingYear; }
    // How many computations ran since the window was made.
    int computations() const { return computations_; }
    // What the printed balance would show now.
    BalanceSheet sheet() const;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void layOut();
    void compute(bool force);
    void yearEdited();
    void yearExit();
    bool checks();
    void print();

    BalanceRequest request_;
    Preview preview_;
    QString computed_;
    BalanceFigures figures_;
    int computations_ = 0;

    QLineEdit* year_;  // LANNO
    ui::IntegerEdit* litreFrom_;
    ui::IntegerEdit* litreTo_;
    ui::IntegerEdit* litreWashes_;
    ui::IntegerEdit* energyFrom_;
    ui::IntegerEdit* energyTo_;
    ui::IntegerEdit* energyWashes_;
    QListWidget* materials_;    // RMATPRIME
    QListWidget* beers_;        // RTIPIBIRRA
    ui::AmountEdit* produced_;  // DOUBL3
    ui::AmountEdit* sold_;      // VENDUTA
    ui::AmountEdit* stock_;     // GIACENZA
    ui::ConfirmButton* confirm_;
    QPushButton* leave_;  // BABBANDONA
};

// Opens FBILANCIO and gives back the working year it ended on.
QString OpenBalance(QWidget* parent, const BalanceRequest& request);

}  // namespace braxol::rawmaterials
