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
#include "production/report_window.h"
#include "store/work_folders.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;

namespace braxol::ui {
class IntegerEdit;
}

namespace braxol::production {

struct RegisterRequest {
    WorkFolders folders;
    TUTENTE company = BlankTutente();  // strings trimmed
};

class TFSTAREGCARSCA : public ReportWindow {
    Q_OBJECT
public:
    explicit TFSTAREGCARSCA(RegisterRequest request, QWidget* parent = nullptr);

    RegisterForm form() const;
    // What the last print was drawn from.
    const std::optional<ProductionRegisterSettings>& lastPrint() const { return last_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void layOut();
    void open();
    void formChosen();
    // The date check; `fillOffice`: the office box takes the protocol's office when found.
    bool dateCheck(bool fillOffice);
    bool sheetsCheck();
    bool checks();
    void print();

    RegisterRequest request_;
    QString productCodes_;
    DateRange range_;
    QString protocolOffice_;
    std::optional<double> warnedFor_;  // the start date the missing protocol was told for
    std::optional<ProductionRegisterSettings> last_;

    QRadioButton* forms_[3];      // RTIPO_0..2
    ui::IntegerEdit* sheets_;     // MFOGLI
    ui::IntegerEdit* firstPage_;  // IDAPAG
    QLineEdit* pagesSuffix_;      // DIFOGLI
    QPlainTextEdit* office_;      // Memo1
    QWidget* headingsPart_;       // the four controls of the headings form and their labels
};

// Opens TFSTAREGCARSCA modally.
void OpenProductionRegister(QWidget* parent, const RegisterRequest& request);

}  // namespace braxol::production
