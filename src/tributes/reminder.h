#pragma once
// The reminder of a missing excise summary: from the 5th of a month on, when the last tax
// period has no active record E and the year has tribute records or productions up to the
// period's end, the user is reminded to send it.

#include <optional>
#include <string>

#include "store/work_folders.h"

class QWidget;

namespace braxol::tributes {

struct ReminderPeriod {
    std::string code;  // "01".."11", "21", "22"
    int year = 0;
    double endDate = 0;  // productions dated up to this day call for the summary
};

// The last tax period on the day; nothing on days 1 to 4 of a month.
std::optional<ReminderPeriod> LastTaxPeriod(int year, int month, int day);

// The reminder to show on the day, or nothing. Opens (creating when missing) the tribute file
// of the period's year and, when that is empty, its production register. Throws IoError.
std::optional<std::string> ReminderMessage(const WorkFolders& folders, int year, int month,
                                           int day);

// Run by the main window each time it becomes active: shows the reminder of today
// (ui::Today()), if any, or the error report of a file that cannot be read. Returns whether a
// message was shown, so that the caller can tell the activation that follows its closing.
bool TributeReminder(QWidget* parent, const WorkFolders& folders);

}  // namespace braxol::tributes
