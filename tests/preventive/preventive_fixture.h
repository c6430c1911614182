#pragma once
// What the preventive communication tests share: the work folder of the production tests
// (company in Milan, beer types BIONDA with Plato 12,5 and ROSSA without, today 15/03/2025)
// with the company's full heading, the communications as the window stores them, and the
// account of the certified e-mail.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "preventive/communications.h"
#include "preventive/pec_account.h"
#include "production/brew_fixture.h"
#include "store/config_files.h"
#include "store/movements.h"
#include "store/paths.h"

namespace braxol::test::preventive {

inline TUTENTE LetterCompany() {
    TUTENTE company = BlankTutente();
    company.CACCI1.set("IT00MIA00123X");
    company.DENOM1.set("Birrificio di prova");
    company.INDIR1.set("Via dei Mulini");
    company.NUMCI1.set("12/b");
    company.CITTA1.set("MILANO");
    company.PARIVA.set("00000000000");
    company.CAUESO.set("C");
    company.UFFDO1.set("IT012100");
    company.CODUTE.set("AB12");
    return company;
}

// A communication as the window stores it.
inline TMOVIMENTO Communication(int numope, double day, int number,
                                const std::string& beer = "BIONDA", double plato = 12.5) {
    TMOVIMENTO r = BlankMovement();
    r.NUMOPE = numope;
    r.DATMOV = day;
    r.DATDOC = day;
    r.INTER2 = number;
    r.INTER1 = 5000;
    r.PRODAZ.set(beer);
    r.GRAPLA = plato;
    r.NUMDOC.set("T1 T2");
    r.LITPRO = 1200;
    PadMovement(r);
    return r;
}

class PreventiveTest : public brew::BrewTest {
protected:
    void SetUp() override {
        BrewTest::SetUp();
        WriteCompany(work.folders().companyFile(), LetterCompany());
    }

    fs::path Prv(int year = 2025) const { return work.registri(std::to_string(year) + ".PRV"); }
    std::vector<TMOVIMENTO> ReadPrv(int year = 2025) const { return ScanMovements(Prv(year)); }
    fs::path Letter(int year, int number) const {
        return braxol::preventive::LetterPath(work.root(), year, number);
    }

    // A letter already on disk.
    void PutLetter(int year, int number, const std::string& bytes) const {
        fs::create_directories(Letter(year, number).parent_path());
        WriteFileBytes(Letter(year, number), bytes);
    }

    void WriteAccount(const braxol::preventive::PecAccount& account) const {
        braxol::preventive::WritePecAccount(work.folders().pecAccountFile(), account);
    }
};

}  // namespace braxol::test::preventive
