#pragma once
// The excise-rate window FTABACCISE on table ACCISE: the date from which a rate is valid
// (R10), the excise per hectolitre-degree (R11, 5 decimals) and the budget chapter of the
// tribute (LE0, "1402" by default). Typing a date the table holds switches to editing that
// rate. The table is kept in order of date.

#include <cstdint>

#include "store/records.h"
#include "tables/table_context.h"
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
    bool editing() const { return editing_; }

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
    void remove();
    std::filesystem::path tableFile() const;

    TableContext context_;
    TTABELLA record_;
    bool editing_ = false;
    std::int32_t oldNumber_ = -1;
    double oldDate_ = 0;

    ui::DateEdit* date_;
    ui::AmountEdit* amount_;
    QLineEdit* chapter_;
    QPushButton* showButton_;
    ui::ConfirmButton* confirm_;
    QPushButton* delete_;
    QPushButton* empty_;
    QPushButton* leave_;
};

// Opens FTABACCISE (excise rates, table ACCISE).
void OpenExciseRates(QWidget* parent, const TableContext& context);

}  // namespace braxol::tables
