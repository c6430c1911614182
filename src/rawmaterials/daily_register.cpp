#include "rawmaterials/daily_register.h"

#include <map>

#include "rawmaterials/raw_register_sheet.h"

namespace braxol::rawmaterials {

reports::Report DailyRegister(const reports::RegisterPrint& s,
                              const std::vector<TMOVIMENTO>& yearFile) {
    RawRegisterSheet sheet(RawRegisterKind::Daily, s);
    if (s.form == reports::RegisterForm::HeadingsOnly) return sheet.headings();
    std::map<double, std::vector<const TMOVIMENTO*>> days;
    for (const TMOVIMENTO& r : yearFile) {
        const double day = DayOf(r);
        if (day >= s.from && day <= s.to) days[day].push_back(&r);
    }
    bool firstDay = true;
    for (const auto& [day, records] : days) {
        if (!firstDay) sheet.pages().newPage();
        firstDay = false;
        sheet.setDay(day);
        int number = 0;
        for (const TMOVIMENTO* r : records) {
            sheet.pages().makeRoom();
            sheet.movement(*r, QString::number(++number));
        }
        sheet.pages().closePage();
    }
    return sheet.take();
}

}  // namespace braxol::rawmaterials
