#include "tributes/reminder.h"

#include "store/dates.h"
#include "store/io_error.h"
#include "store/movements.h"
#include "tributes/periods.h"
#include "ui/io_error_box.h"
#include "ui/seams.h"
#include "ui/text.h"

namespace braxol::tributes {

std::optional<ReminderPeriod> LastTaxPeriod(int year, int month, int day) {
    if (day <= 4) return std::nullopt;
    if (month == 1) return ReminderPeriod{"22", year - 1, DateFromCivil(year - 1, 12, 31)};
    if (month == 12 && day > 15) return ReminderPeriod{"21", year, DateFromCivil(year, 12, 16)};
    const int previous = month - 1;
    // The end of the previous month as the reminder has always counted it: February ends on
    // the 28th in leap years too.
    int last = 31;
    if (previous == 2) last = 28;
    if (previous == 4 || previous == 6 || previous == 9 || previous == 11) last = 30;
    return ReminderPeriod{PeriodCode(previous).value_or("01"), year,
                          DateFromCivil(year, previous, last)};
}

std::optional<std::string> ReminderMessage(const WorkFolders& folders, int year, int month,
                                           int day) {
    const auto period = LastTaxPeriod(year, month, day);
    if (!period) return std::nullopt;
    const std::vector<TMOVIMENTO> tributes = ScanMovements(TributeFile(folders, period->year));
    if (FindPeriodRecord(tributes, kExciseKind, period->code).status != PeriodStatus::Free)
        return std::nullopt;
    if (tributes.empty()) {
        bool produced = false;
        for (const TMOVIMENTO& r : ScanMovements(RegisterFile(folders, period->year)))
            if (r.DATMOV <= period->endDate) produced = true;
        if (!produced) return std::nullopt;
    }
    return "Ricorda di inviare il riepilogo dei tributi: " + PeriodName(period->code) + " " +
           std::to_string(period->year);
}

bool TributeReminder(QWidget* parent, const WorkFolders& folders) {
    const auto today = CivilFromDate(ui::Today());
    if (!today) return false;
    try {
        const auto message = ReminderMessage(folders, today->year, today->month, today->day);
        if (!message) return false;
        ui::Inform(parent, ui::FromRecord(*message));
    } catch (const IoError& e) {
        ui::ShowIoError(parent, e);
    }
    return true;
}

}  // namespace braxol::tributes
