#pragma once
// The excise-rate window FTABACCISE on table ACCISE: the date from which a rate is valid
// (R10), the excise per hectolitre-degree (R11, 5 decimals) and the budget chapter of the
// tribute (LE0, "1402" by default). Typing a date the table holds switches to editing that
// rate. The table is kept in order of date.

#include "store/records.h"
#include "tables/table_context.h"
#include "tables/table_editing.h"
#include "ui/entry_window.h"

class QLineEdit;
class QPushButton;

namespace braxol::ui {
class AmountEdit;
class ConfirmButton;
class DateEdit;
}  // namespace braxol::ui

namespace braxol::tables {

class TFTABACCISE : public ui::EntryWindow {
    Q_OBJECT
public:
    explicit TFTABACCISE(TableContext context, QWidget* parent = nullptr);
    ~TFTABACCISE() override;

    void setContext(TableContext context) { context_ = std::move(context); }
    bool editing() const { return edit_.editing(); }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void reset();
    void dateExit();
    bool amountValid(double* amount) const;
    void amountExit();
    bool checks();
    void save();
    void recall();

    TableContext context_;
    TTABELLA record_;
    double oldDate_ = 0;  // the valid-from date of the edited rate

    ui::DateEdit* date_;
    ui::AmountEdit* amount_;
    QLineEdit* chapter_;
    QPushButton* showButton_;
    ui::ConfirmButton* confirm_;
    QPushButton* delete_;
    QPushButton* empty_;
    QPushButton* leave_;
    TableEditing edit_;  // on ACCISE, in date order
};

// Opens FTABACCISE (excise rates, table ACCISE).
void OpenExciseRates(QWidget* parent, const TableContext& context);

}  // namespace braxol::tables
