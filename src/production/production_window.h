#pragma once
// The production window FPRODUZIONE ("Produzione Propria"): one brew of the brewery's own
// production in the register REGISTRI/<yyyy>.RGM of its date. The user gives the date, the
// annual brew number, the date and time of the preventive communication sent by PEC, the beer
// type (its customs product code comes from tables PRAZ and TA20), the meter readings, the
// litres and the degrees Plato; the window computes the hectolitre-degrees and the excise.
//
// The same window changes an unsent production and rectifies a sent one (cancel only, or
// cancel and replace); rectify-cancel leaves only the note editable. Every field is checked
// when the focus leaves it (not while the window is untouched) and again, in the order of the
// form, when the focus enters "&CONFERMA"; activating it saves and closes the window.
//
// Controls: BPREVENTIVA, DATMOV, NUMDOC, DOUBL6 (PEC date), MITDES (PEC time), LTIPOREGISTRO,
// PRODAZ with BPRODAZ (list) and BNPRODAZ (new type), PRODDO, LDOUBL2/DOUBL2 (yield coefficient,
// energy meter only), INTER1, INTER2, DOUBL3 (litres), DOUBL5 (Plato), DOUBL4 (hectolitre-
// degrees), LACCISA/DOUBL7 (excise, typed only in the province AO) with BCALCOLA, ANNOTA, BCONF,
// BABBANDONA, and the title label lmovimento.

#include <functional>
#include <optional>

#include "production/brew_entry_common.h"
#include "tables/table_context.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace braxol::ui {
class AmountEdit;
class IntegerEdit;
}  // namespace braxol::ui

namespace braxol::production {

// The preventive communication chosen for a new production: the record of
// REGISTRI/<yyyy>.PRV, as read (nothing when the user chose none).
using PreventiveChooser = std::function<std::optional<TMOVIMENTO>(QWidget* parent)>;

class TFPRODUZIONE : public BrewEntryWindow {
    Q_OBJECT
public:
    explicit TFPRODUZIONE(const EntryRequest& request, QWidget* parent = nullptr);
    ~TFPRODUZIONE() override;

    bool energyMeter() const { return energy_; }
    // The province of the warehouse, from its excise code.
    const std::string& province() const { return province_; }

    // Replaces the chooser of the preventive communications (tests).
    void setPreventiveChooser(PreventiveChooser chooser) { chooser_ = std::move(chooser); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

    void opened() override;
    bool checkFields() override;
    void compose() override;

private:
    void layOut();
    void loadChosen();
    void reset();

    // Checks of the fields; each one fills its part of the record under construction.
    Problem dateCheck();
    void dateExit();
    Problem pecTimeCheck();
    Problem readingCheck();
    void finalReadingExit();
    void litresEntered();
    double coefficient() const;
    Problem coefficientCheck();
    enum class Lookup { Found, NotFound, Failed };
    Lookup beerTypeLookup(BeerType* found, QString* message);
    void beerTypeExit();
    Problem beerTypeCheck();
    Problem litresCheck();
    Problem platoCheck();
    void platoExit();
    // Litres, Plato, hectolitre-degrees and excise into the record and the read-only fields;
    // a problem when they are beyond any brew.
    Problem computeFigures();
    // The excise rate in force at the typed date; nothing when none is or the date is not valid.
    std::optional<double> rateInForce();
    void calculateExcise();
    void readingsChanged();

    void offerBeerTypes();
    void chooseBeerType();
    void newBeerType();
    void recallPreventive();
    tables::TableContext tableContext(const char* table) const;

    bool energy_ = false;
    bool wholeLitres_ = false;
    std::string exciseCode_;
    std::string province_;
    PreventiveChooser chooser_;

    QPushButton* preventive_;      // BPREVENTIVA
    QLabel* title_;                // lmovimento
    QLineEdit* number_;            // NUMDOC
    ui::DateEdit* pecDate_;        // DOUBL6
    QLineEdit* pecTime_;           // MITDES
    QLineEdit* beerType_;          // PRODAZ
    QPushButton* listTypes_;       // BPRODAZ
    QPushButton* newType_;         // BNPRODAZ
    QLineEdit* productCode_;       // PRODDO
    QLabel* coefficientLabel_;     // LDOUBL2
    ui::AmountEdit* coefficient_;  // DOUBL2
    ui::IntegerEdit* final_;       // INTER2
    ui::AmountEdit* litres_;       // DOUBL3
    ui::AmountEdit* plato_;        // DOUBL5
    ui::AmountEdit* degrees_;      // DOUBL4
    QLabel* exciseLabel_;          // LACCISA
    ui::AmountEdit* excise_;       // DOUBL7
    QPushButton* calculate_;       // BCALCOLA
};

// Opens the production window for the request; true when it saved.
bool OpenProduction(QWidget* parent, const EntryRequest& request);

}  // namespace braxol::production
