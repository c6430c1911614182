#pragma once
// What the windows that print from a range of dates share (the production register, its
// summary per period, the register searches): the fields "Dalla data" (MDADA) and "Alla data"
// (MDAAL) with their checks, "&CONFERMA" (BCONF) and "&Abbandona" (BABBANDONA), and the way
// their report reaches the preview.
//
// The checks run when the confirm button gets the focus; a failed one sends the focus back to
// the offending date without a message, which cancels the press. A print may run straight
// after opening, on the proposed range: there is no untouched guard.

#include <QString>
#include <functional>
#include <optional>

#include "reports/report.h"
#include "store/date_range.h"
#include "ui/entry_window.h"

class QFormLayout;
class QHBoxLayout;
class QPushButton;

namespace braxol::ui {
class ConfirmButton;
class DateEdit;
}  // namespace braxol::ui

namespace braxol::production {

class ReportWindow : public ui::EntryWindow {
    Q_OBJECT
public:
    ~ReportWindow() override;

    // Where the reports go; the report preview, zoomed to the whole page, unless replaced.
    using Preview = std::function<void(const reports::Report&, const QString& title)>;
    void setPreview(Preview preview) { preview_ = std::move(preview); }

protected:
    explicit ReportWindow(QWidget* parent);

    // The start date on the first of the current month, the end date today.
    void proposeMonth();
    // The range typed, or nothing after sending the focus to the offending date: at once, or,
    // from the exit rule of a field, once the focus change under way is over.
    enum class FocusMove { Now, AfterExit };
    std::optional<DateRange> checkRange(RangeYears years, FocusMove move = FocusMove::Now);
    void showReport(const reports::Report& report, const QString& title);
    // The rows of the two dates with their labels (ETMDADA, ETMDAAL).
    QFormLayout* dateRows();
    // The confirm button, the given extra buttons, a stretch and the leave button.
    QHBoxLayout* buttonRow(std::initializer_list<QWidget*> extra = {});
    int letters(int n) const;

    ui::DateEdit* from_;  // MDADA
    ui::DateEdit* to_;    // MDAAL
    ui::ConfirmButton* confirm_;
    QPushButton* leave_;

private:
    Preview preview_;
};

}  // namespace braxol::production
