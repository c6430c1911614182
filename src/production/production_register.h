#pragma once
// The production register ("REGISTRO DI PRODUZIONE DI BIRRA"), drawn from one year's register
// file: every day with movements on its own group of pages, its productions and washes in file
// order, superseded rows struck out with their notes after the day's totals, the day's totals
// and the running totals since the start of the year. Three forms: the complete register, the
// movements alone for sheets whose title block is already printed, and the title blocks alone
// for a numbered set of blank sheets to be authenticated.

#include <QString>
#include <filesystem>
#include <vector>

#include "reports/register_layout.h"
#include "reports/report.h"
#include "store/decimal.h"
#include "store/records.h"

namespace braxol::production {

namespace fs = std::filesystem;

using reports::RegisterForm;

// The excise code whose register starts its rows lower on the page.
inline constexpr std::string_view kLowerRowsExciseCode = "IT00ZZA00001K";
// The excise code whose washes carry the reference of their authorisation.
inline constexpr std::string_view kWashReferenceExciseCode = "IT00ZZB00002H";

// The office box (`office`) holds the stamping office and its references.
struct ProductionRegisterSettings : reports::RegisterPrint {
    QString protocolOffice;  // the office of the protocol in force, for the reference line
    QString productCodes;    // ProductCodeList
};

// Running totals of litres and hectolitre-degrees, exact sums of the stored figures.
struct LoadTotals {
    Decimal litres;
    Decimal degrees;
};

// The totals brought forward to a day: the productions of the year's file dated before it that
// are neither superseded nor cancellation records, each value rounded to 5 decimals. Throws
// DecimalOverflow for figures beyond any register (a damaged file).
LoadTotals TotalsBefore(const std::vector<TMOVIMENTO>& yearFile, double day);

// The product codes of the beer types, as the title block lists them: the first 9 characters of
// each code, each code once, each followed by " / ".
QString ProductCodeList(const std::vector<TTABELLA>& beerTypes);
// The same from DATI_GEN/PRAZ.TAB (none when the table is missing). Throws IoError.
QString ProductCodeList(const fs::path& datiGen);

// The register of the records of one year's file (in file order). Throws DecimalOverflow for
// figures beyond any register.
reports::Report ProductionRegister(const ProductionRegisterSettings& settings,
                                   const std::vector<TMOVIMENTO>& yearFile);

}  // namespace braxol::production
