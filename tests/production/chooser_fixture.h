#pragma once
// What the chooser, deletion and details tests share: a work folder, scripted seams (today is
// 15/03/2025), and records of the register as the entry windows and the flows leave them.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "store/dates.h"
#include "store/movements.h"
#include "store/records.h"
#include "support/qt/scripted_seams.h"
#include "support/qt/widget_helpers.h"
#include "support/record_builders.h"
#include "support/temp_folder.h"

namespace braxol::test {

// A production as the production window stores it: brew number, PEC date and time, beer.
inline TMOVIMENTO Brew(int numope, double day, int inter1, int inter2,
                       const std::string& note = "") {
    TMOVIMENTO r = Production(day, inter1, inter2, note);
    r.NUMDOC.set("7");
    r.DATPEC = day - 1;
    r.MITDES.set("08:30");
    r.ACCISA = 373.75;
    return Stored(r, numope, numope);
}

inline TMOVIMENTO WashOf(int numope, double day, int inter1, int inter2,
                         const std::string& note = "") {
    TMOVIMENTO r = Wash(day, inter1, inter2);
    r.ANNOTA.set(note);
    return Stored(r, numope, numope);
}

// The record as a flow of that day and number leaves it.
inline TMOVIMENTO Sent(TMOVIMENTO r, double day, int number) {
    r.DATFLU = day;
    r.NUMFLU = number;
    return r;
}

class MovementWindowTest : public ::testing::Test {
protected:
    TempWorkFolder work;
    ScriptedSeams seams;

    fs::path Register(int year = 2025) const {
        return work.registri(std::to_string(year) + ".RGM");
    }
    fs::path Tributes(int year = 2025) const {
        return work.registri(std::to_string(year) + ".DER");
    }
    std::vector<TMOVIMENTO> Read(const fs::path& path) const { return ScanMovements(path); }
    std::vector<TMOVIMENTO> DeletionCopies() const {
        return ScanMovements(work.folders().temp / "CANCELLA.MOV");
    }
};

}  // namespace braxol::test
