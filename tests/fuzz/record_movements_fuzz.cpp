// A movement file (REGISTRI/<year>.RGM and the other files of TMOVIMENTO records) as the
// program reads it and works on it: scanned, trimmed, its dates and figures formatted and
// summed, written into a flow, a new record numbered after the largest NUMOPE, dumped by the
// support tool and checked by its folder check.

#include <cstddef>
#include <cstdint>

#include "file_kinds.h"
#include "folder_check.h"
#include "fuzz_input.h"
#include "record_json.h"
#include "store/dates.h"
#include "store/decimal.h"
#include "store/io_error.h"
#include "store/movements.h"
#include "store/numbers.h"
#include "telematic/flow_file.h"

using namespace braxol;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fs::path file = fuzz::WriteInput("REGISTRI/2024.RGM", fuzz::AsText(data, size));
    std::vector<TMOVIMENTO> movements;
    try {
        movements = ScanMovements(file);
    } catch (const IoError&) {
        return 0;  // a damaged file: reported to the user, never written
    }
    Decimal total;
    for (const TMOVIMENTO& stored : movements) {
        (void)records::RecordToJson(records::RecordKind::Movement,
                                    reinterpret_cast<const std::byte*>(&stored));
        TMOVIMENTO r = stored;
        TrimMovement(r);
        for (double date : {r.DATMOV, r.DATFLU, r.DATDOC, r.DATPEC}) {
            (void)FormatDate(date);
            (void)FormatTime(date);
            (void)YearOfDate(date);
            (void)DateToYMD(date);
        }
        for (double figure : {r.QUANTI, r.COERES, r.LITPRO, r.ETTOGR, r.GRAPLA, r.ACCISA}) {
            (void)FormatAmount(figure, 14, 2);
            (void)RoundDecimals(figure, 2);
            try {
                total += Decimal::FromDouble(figure);
            } catch (const DecimalOverflow&) {
                // a figure no brewery has: refused, never wrapped
            }
        }
        (void)ParseInteger(r.ANNPRO.str());
        (void)ParseDate(r.NUMDOC.str());
    }
    try {
        // The flow of the records as read, as the flow window writes it.
        (void)telematic::BuildMovementFlow(BlankTutente(), movements, DateFromCivil(2024, 3, 15),
                                           1);
    } catch (const DecimalOverflow&) {
        // a figure the flow cannot carry: refused
    }
    try {
        TMOVIMENTO added = BlankMovement();
        (void)PlaceMovement(movements, added, BlankMovement());
        (void)CancelOrRectifyIn(movements, movements.front(), added, RectifyMode::Rectify);
    } catch (const std::overflow_error&) {
        // no number left for a new record: refused
    }
    (void)records::CheckFile(file);
    return 0;
}
