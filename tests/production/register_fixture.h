#pragma once
// What the tests of the printed registers share: the brewing work folder with a protocol that
// names its stamping office; the report's drawing commands are read with
// support/qt/report_reading.h.

#include "brew_fixture.h"
#include "support/qt/report_reading.h"

namespace braxol::test::registers {

using namespace braxol::test::reading;

inline const std::string kOffice =
    "UFFICIO DELLE DOGANE DI MILANO 1 protocollo n. 123 del 10/12/2024";

class RegisterTest : public brew::BrewTest {
protected:
    void SetUp() override {
        BrewTest::SetUp();
        // The protocol of the fixture, with its stamping office.
        WriteRecords<TTABELLA>(TableFile(work.folders().datiGen, "PROTOCOLLI"),
                               std::vector<TTABELLA>{});
        brew::AddProtocol(work.folders(), "123", Day(2024, 12, 10), Day(2024, 1, 1), kOffice);
    }

    void SetToday(int year, int month, int day) {
        seams.clock.current = QDateTime(QDate(year, month, day), QTime(10, 0));
    }

    TUTENTE CompanyRecord() const {
        TUTENTE c = *ReadCompany(work.folders().companyFile());
        TrimTutente(c);
        return c;
    }
    void SetExciseCode(const std::string& code) const {
        TUTENTE c = *ReadCompany(work.folders().companyFile());
        c.CACCI1.set(code);
        WriteCompany(work.folders().companyFile(), c);
    }
};

}  // namespace braxol::test::registers
