#pragma once
// The register-protocol window FPROTREGISTRI ("Protocollo dei Registri delle produzioni
// proprie") on table PROTOCOLLI: the protocol number that the customs office gave the
// production register (LE0), the protocol date (R10), the date from which the register is
// valid (R11) and the heading of the stamping office printed on the register (LE2). The table
// is kept in order of the valid-from date, not of the number: every movement takes the last
// protocol valid at its date.
//
// Leaving a date with an empty heading fills it with the default one: the company's customs
// office, its description from table TA03 and the protocol's number and date. Typing a number
// that the table holds switches to editing that protocol. A save closes the window.

#include <QString>
#include <string>

#include "store/records.h"
#include "tables/table_context.h"
#include "tables/table_editing.h"
#include "ui/entry_window.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace braxol::ui {
class ConfirmButton;
class DateEdit;
}  // namespace braxol::ui

namespace braxol::setup {

class TFPROTREGISTRI : public ui::EntryWindow {
    Q_OBJECT
public:
    explicit TFPROTREGISTRI(const tables::TableContext& context, QWidget* parent = nullptr);
    ~TFPROTREGISTRI() override;

    bool editing() const { return edit_.editing(); }
    // The heading that leaving a date with an empty LE2 would give now.
    QString defaultHeading();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void layOut();
    void readOffice();
    void reset();
    bool numberEmpty() const;
    void numberExit();
    void dateExit();
    bool checks();
    void save();
    void choose();

    tables::TableContext context_;
    TTABELLA record_;
    std::string office_;  // UFFDO1 of the company record, as read when the window was shown
    // Moves of the focus made by the window, without the exit rule of the field it leaves.
    tables::QuietFocus focus_;

    QLineEdit* number_;           // LE0
    ui::DateEdit* date_;          // R10
    ui::DateEdit* validFrom_;     // R11
    QLineEdit* heading_;          // LE2
    QLabel* changeLabel_;         // ETMODIFICA
    ui::ConfirmButton* confirm_;  // BCONF
    QPushButton* list_;           // BELENCA
    QPushButton* delete_;         // BCANCELLA
    QPushButton* empty_;          // BSVUOTA
    QPushButton* leave_;          // BABBANDONA
    tables::TableEditing edit_;   // on PROTOCOLLI, in order of the valid-from date
};

// Opens FPROTREGISTRI from the menu.
void OpenRegisterProtocols(QWidget* parent, const tables::TableContext& context);

}  // namespace braxol::setup
