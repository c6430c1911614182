#include "production/register_texts.h"

#include "store/dates.h"
#include "store/numbers.h"
#include "ui/text.h"

namespace braxol::production {

QString RegisterDate(double date) {
    if (!(date >= 1) || !IsValidDate(date)) return {};
    return QString::fromStdString(FormatDate(date));
}

QString PecText(const TMOVIMENTO& r) {
    return RegisterDate(r.DATPEC) + " " + ui::FromField(r.MITDES);
}

QString RegisterAmount(double value, int decimals) {
    return QString::fromStdString(FormatAmount(value, 0, decimals));
}

}  // namespace braxol::production
