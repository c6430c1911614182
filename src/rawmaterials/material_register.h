#pragma once
// The register of one raw material ("REGISTRO DELLE MATERIE PRIME"): the stock brought forward
// to the start date ("RIPORTI"), the material's loads and unloads of the range in file order,
// and at the end the totals of the two columns with the remaining stock ("Rimanenza"). The
// load column's total starts from the stock brought forward, so the remainder is the stock at
// the end date. A page that fills up is closed and the next one starts again with the totals
// brought forward so far.
//
// The stock counts as the load and unload window's does (store/raw_material_stock.h): loads
// less unloads over the yearly files from 2014, each quantity taken to 5 decimals, exact sums.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "reports/register_layout.h"
#include "reports/report.h"
#include "store/records.h"

namespace braxol::rawmaterials {

namespace fs = std::filesystem;

struct MaterialRegisterSettings : reports::RegisterPrint {
    std::string material;  // Windows-1252, as the table holds it
};

// The movements of the material (compared padded) in the yearly files REGISTRI/<year>.MPR from
// 2014 to the year of `from` (created empty when missing), each file in file order; none for
// a year before 2014. Throws IoError.
std::vector<TMOVIMENTO> MaterialMovements(const fs::path& registri, std::string_view material,
                                          double from);

// The register drawn from those movements. Throws DecimalOverflow for quantities beyond any
// register (a damaged file).
reports::Report MaterialRegister(const MaterialRegisterSettings& settings,
                                 const std::vector<TMOVIMENTO>& movements);

}  // namespace braxol::rawmaterials
