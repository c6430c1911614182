#pragma once
// What the production and wash tests share: a work folder with a company, its register
// protocols, excise rates, beer types and product codes, scripted seams (today is 15/03/2025),
// and records of the register as the entry windows and the flows leave them.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <string>
#include <vector>

#include "production/brew_entry_common.h"
#include "store/config_files.h"
#include "store/dates.h"
#include "store/movements.h"
#include "store/records.h"
#include "store/table_structures.h"
#include "store/tables.h"
#include "support/qt/scripted_seams.h"
#include "support/qt/widget_helpers.h"
#include "support/record_builders.h"
#include "support/temp_folder.h"

namespace braxol::test::brew {

struct Company {
    std::string exciseCode = "IT00MIA00123X";
    std::string meter = "C";    // "C" litre counter, "E" energy meter
    std::string rounding = "";  // "A" whole litres, "D" decimals (energy meter only)
    std::string office = "IT012100";
};

inline void WriteBrewCompany(const WorkFolders& folders, const Company& c) {
    TUTENTE company = BlankTutente();
    company.CACCI1.set(c.exciseCode);
    company.DENOM1.set("Birrificio di prova");
    company.CAUESO.set(c.meter);
    company.TIPOIN.set(c.rounding);
    company.UFFDO1.set(c.office);
    company.CODUTE.set("AB12");
    WriteCompany(folders.companyFile(), company);
}

using test::AddProtocol;

inline void AddRate(const WorkFolders& folders, double from, double rate) {
    TTABELLA r = BlankTabella();
    r.text[0].set("1402");
    r.text[10].set("ACCISE");
    r.num[kExciseDateSlot] = from;
    r.num[kExciseRateSlot] = rate;
    InsertTableRecordByDate(TableFile(folders.datiGen, "ACCISE"), r, kExciseDateSlot);
}

inline void AddProductCode(const WorkFolders& folders, const std::string& code) {
    TTABELLA r = BlankTabella();
    r.text[0].set(code);
    r.text[1].set("Birra");
    r.text[10].set("TA20");
    InsertTableRecord(TableFile(folders.datiGen, "TA20"), r);
}

inline void AddBeerType(const WorkFolders& folders, const std::string& type,
                        const std::string& code, double coefficient, double plato) {
    TTABELLA r = BlankTabella();
    r.text[0].set(type);
    r.text[1].set(code);
    r.text[10].set("PRAZ");
    r.num[0] = coefficient;
    r.num[1] = plato;
    InsertTableRecord(TableFile(folders.datiGen, "PRAZ"), r);
}

// The product code of a beer as the code windows store it: no CPA, the NC code.
inline const std::string kBeerCode = "    -22030001-  -    ";

// A production as the production window stores it.
inline TMOVIMENTO StoredBrew(int numope, double day, int inter1, int inter2,
                             const std::string& note = "") {
    TMOVIMENTO r = Production(day, inter1, inter2, note);
    r.NUMDOC.set("7");
    r.DATPEC = day - 1;
    r.MITDES.set("08:30");
    r.ACCISA = 373.75;
    return Stored(r, numope, numope);
}

inline TMOVIMENTO StoredWash(int numope, double day, int inter1, int inter2) {
    return Stored(Wash(day, inter1, inter2), numope, numope);
}

inline TMOVIMENTO SentOn(TMOVIMENTO r, double day, int number) {
    r.DATFLU = day;
    r.NUMFLU = number;
    return r;
}

// A work folder ready for productions and washes: company in Milan with a litre counter,
// protocol "123" of 10/12/2024 valid from 01/01/2024, excise 2,99 from 01/01/2020, beer types
// BIONDA (Plato 12,5) and ROSSA (coefficient 2,5 and no Plato) with their product code.
class BrewTest : public ::testing::Test {
protected:
    TempWorkFolder work;
    ScriptedSeams seams;

    void SetUp() override {
        CreateMissingStructures(work.folders().datiGen);
        WriteBrewCompany(work.folders(), {});
        AddProtocol(work.folders(), "123", Day(2024, 12, 10), Day(2024, 1, 1));
        AddRate(work.folders(), Day(2020, 1, 1), 2.99);
        AddProductCode(work.folders(), kBeerCode);
        AddBeerType(work.folders(), "BIONDA", kBeerCode, 1, 12.5);
        AddBeerType(work.folders(), "ROSSA", kBeerCode, 2.5, 0);
    }

    fs::path Register(int year = 2025) const {
        return work.registri(std::to_string(year) + ".RGM");
    }
    std::vector<TMOVIMENTO> Read(int year = 2025) const { return ScanMovements(Register(year)); }

    production::EntryRequest Request(production::EntryMode mode = production::EntryMode::New,
                                     const TMOVIMENTO& chosen = BlankMovement()) const {
        production::EntryRequest request;
        request.folders = work.folders();
        request.mode = mode;
        request.chosen = chosen;
        request.maxWidth = 800;
        request.maxHeight = 600;
        return request;
    }
};

}  // namespace braxol::test::brew
