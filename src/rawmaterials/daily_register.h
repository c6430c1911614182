#pragma once
// The daily register of the raw materials ("Registro dei movimenti giornalieri delle materie
// prime"): every load and unload of every material of the range, day by day, from the yearly
// file of the start date. Each day with movements begins a page of its own, titled
// "Movimenti materie prime del " and the day, its rows numbered from 1 in file order; days
// without movements print nothing and there are no totals.

#include <vector>

#include "reports/register_layout.h"
#include "reports/report.h"
#include "store/records.h"

namespace braxol::rawmaterials {

// The register drawn from the records of the start date's yearly file (in file order). Throws
// DecimalOverflow for quantities beyond any register (a damaged file).
reports::Report DailyRegister(const reports::RegisterPrint& settings,
                              const std::vector<TMOVIMENTO>& yearFile);

}  // namespace braxol::rawmaterials
