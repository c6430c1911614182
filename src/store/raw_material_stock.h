#pragma once
// The stock of the raw materials: loads less unloads of a material dated not after a day, over
// the yearly files REGISTRI/<year>.MPR from 2014 to the day's year. Every record counts, of
// whatever status; a record whose TIPMOV is neither "C" nor "S" does not.
//
// A ledger keeps what it read of each yearly file and reads a file again only when it has
// changed on disk (its identity, size or time of change), so that a window asking for a stock
// at every step reads twenty years of files once, not once per question.

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "decimal.h"
#include "records.h"

namespace braxol {

namespace fs = std::filesystem;

// The first year whose raw-material file counts in a stock.
inline constexpr int kFirstStockYear = 2014;

// Why a raw-material file whose quantities cannot be added up is not used (the reason of the
// IoError that names it).
inline constexpr const char* kQuantitiesBeyondRange = "quantità troppo grandi per il calcolo";

// A stored movement left out of a stock: the one being changed, by its year file and NUMOPE.
struct StockExclusion {
    int year = 0;
    std::int32_t numope = 0;
};

class RawMaterialLedger {
public:
    explicit RawMaterialLedger(fs::path registri);

    // The stock of q.PRODDO (compared padded) at q.DATMOV, the exact decimal sum of the
    // quantities, each taken to 5 decimals (decimal.h), as the nearest Double; 0 for a day
    // before 2014 or an invalid one. Missing yearly files are created empty. Throws IoError,
    // naming the file, also when its quantities are beyond any stock.
    double stock(const TMOVIMENTO& query, const std::optional<StockExclusion>& left = {});

    // Reads every file again at the next question.
    void forget() { years_.clear(); }
    // How many times a yearly file was read since the ledger was made.
    int reads() const { return reads_; }

private:
    struct Stamp {
        std::uint64_t device = 0, inode = 0;
        std::int64_t size = -1, seconds = 0, nanoseconds = 0;
        bool operator==(const Stamp&) const = default;
    };
    struct Entry {
        double day;
        std::optional<Decimal> quantity;  // to 5 decimals; nothing when beyond any stock
        bool load;
        std::int32_t numope;
    };
    struct Year {
        fs::path path;
        Stamp stamp;
        std::map<std::string, std::vector<Entry>> byMaterial;  // by the padded PRODDO
    };

    const Year& year(int y);

    fs::path registri_;
    std::map<int, Year> years_;
    int reads_ = 0;
};

}  // namespace braxol
