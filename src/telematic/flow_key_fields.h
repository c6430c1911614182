#pragma once
// The three fields that name a flow of a year, as the verification and detach windows ask for
// it: "Movimenti nell'anno:" (LANNO), "Data del flusso" (MDARI) and "Numero del flusso"
// (INUCO, up to four characters). Once the user has typed in the window, leaving a field checks
// it: a date that is no date, a number not above 0 or a year outside 2008-2060 takes the focus
// back; a good year becomes the working year. Then the window is told that the flow may have
// changed.

#include <QString>
#include <functional>
#include <optional>

class QGridLayout;
class QLineEdit;

namespace braxol::ui {
class DateEdit;
class EntryWindow;
class IntegerEdit;
}  // namespace braxol::ui

namespace braxol::telematic {

class FlowKeyFields {
public:
    // The fields are children of `window`, which must outlive nothing of this object's; it
    // stops their exit rules in its destructor (ui::StopFieldExits).
    FlowKeyFields(ui::EntryWindow* window, QString& workingYear, std::function<void()> changed);

    QLineEdit* year() const { return year_; }
    ui::DateEdit* date() const { return date_; }
    ui::IntegerEdit* number() const { return number_; }

    // The labelled fields, one under the other, for the window's layout.
    QGridLayout* grid() const;
    // On opening: the working year, today, no number; the focus on the date.
    void reset();

    std::optional<double> flowDate() const;
    int flowNumber() const;  // 0 when the field holds no number
    std::optional<int> flowYear() const;

private:
    void dateExit();
    void numberExit();
    void yearExit();

    ui::EntryWindow* window_;
    QString& workingYear_;
    std::function<void()> changed_;
    QLineEdit* year_;
    ui::DateEdit* date_;
    ui::IntegerEdit* number_;
};

}  // namespace braxol::telematic
