#pragma once
// The beer-type window FPRODAZ ("Tipi di birra prodotti") on table PRAZ: the beer types the
// brewery produces (LE0, upper case), each with its customs product code of table TA20 (LE1,
// masked "cccc-00000000-cc-cccc", with the TA20 list on SpeedButton1, the product-code window
// for a new code on BNLE1, and the code's description in LE2), the yield coefficient of an energy
// meter (R10, shown only when the company's meter is "E"; a litre counter always stores 1) and the
// degrees Plato when they never change (R11, 0 otherwise).
//
// Typing a type that the table holds switches to editing it: the confirm button then saves it
// in its sorted place under the same record number, "Cance&lla" deletes it. Every key lookup
// of the window is made on PRAZ; only the product-code test and its list use TA20. In
// single-entry mode (the context's flag, used by the production windows for a new beer type)
// the window closes after its first save. A product code that TA20 does not hold opens its
// list; while TA20 is still empty it opens the product-code window for the new code instead.

#include <QString>
#include <functional>
#include <optional>

#include "store/records.h"
#include "tables/table_context.h"
#include "tables/table_editing.h"
#include "ui/entry_window.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace braxol::ui {
class AmountEdit;
class ConfirmButton;
}  // namespace braxol::ui

namespace braxol::setup {

class TFPRODAZ : public ui::EntryWindow {
    Q_OBJECT
public:
    explicit TFPRODAZ(const tables::TableContext& context, QWidget* parent = nullptr);
    ~TFPRODAZ() override;

    bool editing() const { return edit_.editing(); }
    // Whether the company's meter is an energy meter, as read when the window was shown.
    bool energyMeter() const { return energy_; }
    // The record saved last since the window was shown, trimmed; nothing before a save.
    const std::optional<TTABELLA>& saved() const { return saved_; }
    // Its beer type ("" before a save).
    QString savedType() const;
    // The product code as the field shows it, blanks in the places not typed.
    QString productCode() const;
    // A beer type typed in another window that the table does not hold: shown in the type
    // field when the window opens, so that only its code and figures are left to type.
    void setTypedType(const QString& type) { typedType_ = type; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void layOut();
    bool readMeter();
    void reset();
    bool typeEmpty() const;
    void typeExit();
    void lookUpType();
    void codeExit();
    // The TA20 record of the code in LE1; nothing when it is not there or the lookup failed
    // (reported). `notFound`: the table was read and does not hold the code.
    std::optional<TTABELLA> findCode(bool* notFound = nullptr);
    void setCode(const QString& code);
    void upperCaseType(const QString& text);
    bool checks();
    void save();
    void chooseCode();
    void newCode();
    void chooseType();

    tables::TableContext context_;
    TTABELLA record_;
    std::optional<TTABELLA> saved_;
    QString typedType_;
    bool energy_ = false;
    bool litreCounter_ = false;
    // Moves of the focus made by the window, without the exit rule of the field it leaves.
    tables::QuietFocus focus_;

    QLineEdit* type_;         // LE0
    ui::AmountEdit* yield_;   // R10
    QLabel* yieldLabel_;      // ETR10
    QLineEdit* code_;         // LE1
    QPushButton* listCodes_;  // SpeedButton1
    QPushButton* newCode_;    // BNLE1
    QLineEdit* description_;  // LE2
    ui::AmountEdit* plato_;   // R11
    QLabel* changeLabel_;     // ETMODIFICA
    ui::ConfirmButton* confirm_;
    QPushButton* list_;          // BELENCA
    QPushButton* delete_;        // BCANCELLA
    QPushButton* empty_;         // BSVUOTA
    QPushButton* leave_;         // BABBANDONA
    tables::TableEditing edit_;  // on PRAZ
};

// Opens FPRODAZ from the menu.
void OpenBeerTypes(QWidget* parent, const tables::TableContext& context);

// Opens FPRODAZ in single-entry mode, whatever the context says, starting from `typedType`
// when given, and returns the beer type saved there (trimmed), or "" when the window was left
// without saving.
QString OpenNewBeerType(QWidget* parent, const tables::TableContext& context,
                        const QString& typedType = {});

// The type typed in an entry window, trimmed, when the beer-type table does not hold it in any
// letter case: what the new-type window starts from. "" when it is blank, already a type, or
// the table cannot be read (the check of the field reports that).
QString TypedNewBeerType(const fs::path& datiGen, const QString& typed);

// A beer type typed in an entry window is not in the table. Once the focus change in progress
// is over, and while `stillOpen` says the window is there, `choose` opens the list of the
// table, or, with no type in the table yet, the user is told so and `add` opens the new-type
// window on what was typed. A table that cannot be read is reported and is not taken for an
// empty one.
void OfferBeerTypesLater(QWidget* window, const fs::path& datiGen, std::function<bool()> stillOpen,
                         std::function<void()> choose, std::function<void()> add);

}  // namespace braxol::setup
