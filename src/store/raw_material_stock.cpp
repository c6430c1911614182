#include "raw_material_stock.h"

#include <sys/stat.h>

#include <cerrno>

#include "dates.h"
#include "decimal.h"
#include "io_error.h"
#include "paths.h"
#include "record_file.h"

namespace braxol {

RawMaterialLedger::RawMaterialLedger(fs::path registri) : registri_(std::move(registri)) {}

const RawMaterialLedger::Year& RawMaterialLedger::year(int y) {
    const fs::path path = ResolvePath(YearFile(registri_, y, ".MPR"));
    CreateIfMissing(path);
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) throw IoError(path.string(), ReasonFromErrno(errno));
    // Every write replaces the file by a new one: its identity changes with its content.
    const Stamp stamp{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
                      static_cast<std::int64_t>(st.st_size),
                      static_cast<std::int64_t>(st.st_mtim.tv_sec),
                      static_cast<std::int64_t>(st.st_mtim.tv_nsec)};
    const auto known = years_.find(y);
    if (known != years_.end() && known->second.stamp == stamp) return known->second;

    Year read{path, stamp, {}};
    for (const TMOVIMENTO& r : ReadRecords<TMOVIMENTO>(path, true)) {
        const bool load = r.TIPMOV == "C";
        if (!load && !(r.TIPMOV == "S")) continue;
        // Taken to 5 decimals once, when read; a quantity beyond any stock is reported only
        // when a stock of its material needs it.
        std::optional<Decimal> quantity;
        try {
            quantity = Decimal::FromDouble(r.QUANTI);
        } catch (const DecimalOverflow&) {
        }
        read.byMaterial[r.PRODDO.padded()].push_back({r.DATMOV, quantity, load, r.NUMOPE});
    }
    ++reads_;
    return years_[y] = std::move(read);
}

double RawMaterialLedger::stock(const TMOVIMENTO& q, const std::optional<StockExclusion>& left) {
    const auto last = YearOfDate(q.DATMOV);
    if (!last || *last < kFirstStockYear) return 0.0;
    const std::string material = q.PRODDO.padded();
    Decimal stock;
    for (int y = kFirstStockYear; y <= *last; ++y) {
        const Year& file = year(y);
        const auto it = file.byMaterial.find(material);
        if (it == file.byMaterial.end()) continue;
        try {
            for (const Entry& e : it->second) {
                if (!(e.day <= q.DATMOV)) continue;
                if (left && left->year == y && left->numope == e.numope) continue;
                if (!e.quantity) throw DecimalOverflow();
                stock += e.load ? *e.quantity : -*e.quantity;
            }
        } catch (const DecimalOverflow&) {
            throw IoError(file.path.string(), kQuantitiesBeyondRange);
        }
    }
    return stock.ToDouble();
}

}  // namespace braxol
