#pragma once
// TFSTAREGMPXGIORNI, "Registro movimenti giornalieri delle Materie Prime": prints the daily
// register of the raw materials for a range of days of one year, complete, movements only or
// headings only, into the report preview. The office box (Memo1, "Riferimenti doganali da
// stampare") opens with the company's customs office and is shown only with the other fields
// of the headings form. The window stays open after printing.
//
// Its date check also looks for the register protocol in force at the start date: without one
// it warns "Manca il protocollo del Registro delle Produzioni"; printing stays possible.

#include <optional>

#include "production/register_print_window.h"
#include "reports/register_layout.h"

namespace braxol::rawmaterials {

class TFSTAREGMPXGIORNI : public production::RegisterPrintWindow {
    Q_OBJECT
public:
    explicit TFSTAREGMPXGIORNI(production::RegisterRequest request, QWidget* parent = nullptr);

    // What the last print was drawn from.
    const std::optional<reports::RegisterPrint>& lastPrint() const { return last_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void open();
    bool dateCheck(FocusMove move);
    bool checks();
    void print();

    std::optional<reports::RegisterPrint> last_;
};

// Opens TFSTAREGMPXGIORNI modally.
void OpenDailyRegister(QWidget* parent, const production::RegisterRequest& request);

}  // namespace braxol::rawmaterials
