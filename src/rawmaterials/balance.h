#pragma once
// The annual balance of material and energy, without the window: the raw materials of the year
// (TOTALI.MP: stock brought forward, loaded, unloaded), the brews of the year per beer type
// (COTTE.DAT: brews in NUMFLU, litres in LITPRO, meter advance in PROGRE), the readings of the
// litre counter and of the energy meter and their advance for the washes, the lines of the two
// lists of the window, and the printed balance.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "reports/report.h"
#include "store/records.h"
#include "store/work_folders.h"

namespace braxol::rawmaterials {

namespace fs = std::filesystem;

inline constexpr std::string_view kBrewsFileName = "COTTE.DAT";

// The readings of one meter over the year: the initial reading of the first record read while
// it was the meter in use, the final reading of the last, and the advance of its washes.
struct MeterReadings {
    std::optional<std::int32_t> first;
    std::optional<std::int32_t> last;
    std::int64_t washes = 0;
};

struct BrewBalance {
    std::vector<TMOVIMENTO> brews;  // one per beer type, a copy of its first production
    double litres = 0;              // every production of the year
    MeterReadings litreCounter;
    MeterReadings energyMeter;
};

// The brews of a year's register, in file order; cancelled records and cancellations are passed
// by. The meter in use starts as the company's (`energyMeter`: CAUESO "E") and follows each
// production: an energy meter when its yield coefficient is not 1. Litres are exact decimal
// sums; DecimalOverflow beyond the figures of any register.
BrewBalance BrewsOf(const std::vector<TMOVIMENTO>& registerRecords, bool energyMeter);

// The effective yield of a beer type, litres per unit of meter advance, the exact quotient
// rounded to 5 decimals; nothing when its meters did not advance.
std::optional<double> EffectiveYield(const TMOVIMENTO& brew);

// The lines of the two lists: the material as stored, 5 blanks, the quantity loaded in 15
// characters, 4 blanks, the stock at the end of the year in 16; the first 68 characters of the
// beer type as stored, the brews in 4 characters, the litres in 16.
QString MaterialLine(const TMOVIMENTO& total);
QString BrewLine(const TMOVIMENTO& brew);

struct BalanceFigures {
    std::vector<TMOVIMENTO> totals;  // TOTALI.MP
    BrewBalance brews;               // COTTE.DAT and the meters
};

// The balance of a year: the raw materials of the files from 2014 (none before 2014), the brews
// of REGISTRI/<year>.RGM; TOTALI.MP and COTTE.DAT rebuilt in the temporary folder. Throws
// IoError.
BalanceFigures ComputeBalance(const WorkFolders& folders, int year, bool energyMeter);

// What the printed balance shows, as the window holds it (the fields as typed).
struct BalanceSheet {
    QString year;
    QString exciseCode;
    QString company;
    std::vector<TMOVIMENTO> totals;
    std::vector<TMOVIMENTO> brews;
    QString litreFrom, litreTo, litreWashes;
    QString energyFrom, energyTo, energyWashes;
    QString produced, sold, packagedStock;
};

// Portrait, Times New Roman 10, the heading on every page.
reports::Report BalanceReport(const BalanceSheet& sheet);

}  // namespace braxol::rawmaterials
