#pragma once
// What the windows that print a register share (the production register and the two registers
// of the raw materials): the three forms of print (RTIPO_0..2 in the group RTIPO), the range of
// days of one year (MDADA, MDAAL), the fields of the headings form (MFOGLI "Numero dei fogli da
// stampare", IDAPAG "A partire dal numero di pagina", DIFOGLI), the office box (Memo1), and the
// register protocol in force at the start date with its warning.
//
// The fields of the headings form, with their labels, are shown only while that form is
// chosen; choosing a form moves the focus to the start date. Leaving MFOGLI in the headings
// form wants at least one sheet and writes " di <sheets> Es. Fin. <year>" into DIFOGLI.

#include <QString>
#include <functional>
#include <initializer_list>
#include <optional>

#include "production/brew_computation.h"
#include "production/report_window.h"
#include "reports/register_layout.h"
#include "store/date_range.h"
#include "store/records.h"
#include "store/work_folders.h"

class QFormLayout;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;

namespace braxol::ui {
class IntegerEdit;
}

namespace braxol::production {

// What a register window gets from the main window.
struct RegisterRequest {
    WorkFolders folders;
    TUTENTE company = BlankTutente();  // strings trimmed
};

// Where the office box stands: only in the headings form, or always.
enum class OfficeBox { HeadingsOnly, Always };

class RegisterPrintWindow : public ReportWindow {
    Q_OBJECT
public:
    ~RegisterPrintWindow() override;

    reports::RegisterForm form() const;

protected:
    RegisterPrintWindow(RegisterRequest request, const QString& officeCaption, OfficeBox office,
                        QWidget* parent);

    // Lays the window out: the forms, the dates, the fields of the headings form, the office
    // box and the buttons. `rowsAbove` may insert rows above the dates into their form layout;
    // their fields, in tab order, are `fieldsAbove`.
    void layOut(const std::function<void(QFormLayout*)>& rowsAbove = {},
                std::initializer_list<QWidget*> fieldsAbove = {});

    // On opening: the page fields emptied, the dates on the current month, the form's fields
    // shown or hidden, no protocol told yet.
    void resetFields();
    // The range typed, kept in range_; false after sending the focus to the offending date (at
    // once, or from an exit rule once the focus change is over).
    bool rangeCheck(FocusMove move);
    // The protocol in force at the start of range_; without one the user is warned, once for
    // each start date. A table that cannot be read is reported and counts as none.
    std::optional<RegisterProtocol> protocolAtStart();
    // In the headings form, at least one sheet; otherwise the focus goes to MFOGLI.
    bool sheetsCheck();
    // What every print takes from the window: form, range, pages, sheets, office, company.
    void fillPrint(reports::RegisterPrint& print) const;

    RegisterRequest request_;
    DateRange range_;
    QPlainTextEdit* office_;  // Memo1

private:
    void formChosen();
    bool sheetsExit();
    void showFormFields();

    OfficeBox officePlace_;
    QString officeCaption_;
    std::optional<double> warnedFor_;  // the start date the missing protocol was told for

    QRadioButton* forms_[3];      // RTIPO_0..2
    ui::IntegerEdit* sheets_;     // MFOGLI
    ui::IntegerEdit* firstPage_;  // IDAPAG
    QLineEdit* pagesSuffix_;      // DIFOGLI
    QWidget* headingsPart_;       // the fields of the headings form and their labels
};

}  // namespace braxol::production
