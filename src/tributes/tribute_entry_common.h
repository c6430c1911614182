#pragma once
// What the record E and record R windows do alike: the layout of their form and buttons, the
// year, chapter and period fields, the look-up of the period's record, the refusal of a field
// and the storing of a new record or of a rectification.

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include <QString>

#include "store/records.h"
#include "tributes/tribute_request.h"

class QFormLayout;
class QLineEdit;
class QPushButton;
class QWidget;

namespace braxol::tributes {

// The answer of a period check: refused with a message, or without one when it is empty.
struct PeriodCheck {
    bool accepted = false;
    QString message;
};

// "&Abbandona" is reached by mouse or accelerator only: pressing it does not leave the field
// being typed, so that its exit check stays quiet.
void SetUpLeaveButton(QPushButton* leave);

// Adds the row of `field` to the form with a word-wrapped label "ET<name>" (its buddy), and
// `besides` on the same line when given.
void AddFieldRow(QWidget* window, QFormLayout* form, QWidget* field, const QString& caption,
                 QWidget* besides = nullptr);

// Lays out the window: the form above, the confirm button left and `leave` right below, a
// fixed size; then the tab order of `order`.
void LayOutEntry(QWidget* window, QFormLayout* form, QWidget* confirm, QWidget* leave,
                 std::initializer_list<QWidget*> order);

// The year of `today`, as text (2000 when the day is no date).
QString YearText(double today);

// Shows the default chapter of `today`, reporting an I/O error over `window`.
void ShowDefaultChapter(QWidget* window, QLineEdit* chapter, const fs::path& datiGen, double today);

// Shows the year, period and period description of a rectified (trimmed) record, and makes
// the year and the period read-only.
void ShowRectifiedPeriod(const TMOVIMENTO& trimmed, QLineEdit* year, QLineEdit* period,
                         QLineEdit* description);

// The period code typed, written back with two digits and its description shown; none (and
// the description cleared) when the text is no period.
std::optional<std::string> TakePeriodCode(QLineEdit* year, QLineEdit* period,
                                          QLineEdit* description);

// For a new entry of a reference year, looks up the record of `kind` of the period: refused
// when it has been sent, remembered in `existing` when unsent. Throws IoError.
PeriodCheck CheckPeriodRecord(const WorkFolders& folders, EntryMode mode, int year,
                              std::string_view kind, const std::string& code,
                              std::optional<TMOVIMENTO>& existing);

// Moves the focus back to the field with the exit checks quiet, then shows the message (when
// there is one).
void RefuseField(QWidget* window, bool& checking, QWidget* field, const QString& message);

// Runs `compose` with the exit checks quiet; an I/O error refuses the period and is shown.
bool RunChecks(QWidget* window, bool& checking, QWidget* period,
               const std::function<bool()>& compose);

// Stores the record in the tributes of the year: a new entry with AddMovement (the stored
// record in `stored`), a rectification by cancelling or rectifying `request.selected`. False
// after showing an I/O error.
bool StoreTributeRecord(QWidget* window, const TributeRequest& request, EntryMode mode, int year,
                        const TMOVIMENTO& record, TMOVIMENTO& stored);

}  // namespace braxol::tributes
