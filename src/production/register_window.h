#pragma once
// TFSTAREGCARSCA, "Registro delle Produzioni": prints the production register of a range of
// days of one year, complete, movements only or headings only, into the report preview. The
// window stays open after printing.
//
// Its date check also finds the register protocol in force at the start date: without one it
// warns "Manca il protocollo del Registro delle Produzioni" (printing stays possible), with one
// the office box (Memo1) takes the protocol's stamping office when the end date is left.

#include <QString>
#include <optional>

#include "production/production_register.h"
#include "production/register_print_window.h"

namespace braxol::production {

class TFSTAREGCARSCA : public RegisterPrintWindow {
    Q_OBJECT
public:
    explicit TFSTAREGCARSCA(RegisterRequest request, QWidget* parent = nullptr);

    // What the last print was drawn from.
    const std::optional<ProductionRegisterSettings>& lastPrint() const { return last_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void open();
    // The date check; `fillOffice`: the office box takes the protocol's office when found.
    bool dateCheck(bool fillOffice);
    bool checks();
    void print();

    QString productCodes_;
    QString protocolOffice_;
    std::optional<ProductionRegisterSettings> last_;
};

// Opens TFSTAREGCARSCA modally.
void OpenProductionRegister(QWidget* parent, const RegisterRequest& request);

}  // namespace braxol::production
