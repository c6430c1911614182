#pragma once
// What the tribute tests share: a work folder with excise rates, scripted seams, records E, R
// and productions written straight into the yearly files, the request of the main window, the
// window helpers, and the golden files of the CSV exports.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPlainTextEdit>
#include <filesystem>
#include <string>
#include <vector>

#include "store/dates.h"
#include "store/io_error.h"
#include "store/movements.h"
#include "store/record_file.h"
#include "store/tables.h"
#include "support/golden.h"
#include "support/qt/scripted_seams.h"
#include "support/qt/widget_helpers.h"
#include "support/record_builders.h"
#include "support/temp_folder.h"
#include "tributes/periods.h"
#include "tributes/tribute_request.h"
#include "ui/text.h"

namespace braxol::test {

namespace fs = std::filesystem;

// A record E or R of a period of a year, stored: NUMOPE, and sent with flow `numflu` on
// `datflu` when numflu > 0.
inline TMOVIMENTO StoredTribute(std::string_view kind, std::string_view period, int year,
                                double amount, int numope, int numflu = 0, double datflu = 0,
                                std::string_view stato = " ", std::string_view tipric = "I") {
    TMOVIMENTO r = Tribute(kind, period, amount);
    r.ANNPRO.set(std::to_string(year));
    r.MITDES.set("1402");
    r.NUMFLU = numflu;
    r.DATFLU = datflu;
    return Stored(r, numope, numope, stato, tipric);
}

// A production of the day with its excise and degrees Plato.
inline TMOVIMENTO ProductionWith(double day, double excise, double plato, double litres,
                                 std::string_view stato = " ", std::string_view tipric = "I") {
    TMOVIMENTO r = Production(day, 1000, 1000 + static_cast<int>(litres));
    r.ACCISA = excise;
    r.GRAPLA = plato;
    r.LITPRO = litres;
    r.STATO.set(stato);
    r.TIPRIC.set(tipric);
    PadMovement(r);
    return r;
}

inline TTABELLA RateRecord(std::int32_t number, double date, double rate,
                           const std::string& chapter = "1402") {
    TTABELLA r = BlankTabella();
    r.number = number;
    r.text[0].set(chapter);
    r.text[10].set("ACCISE");
    r.num[kExciseDateSlot] = date;
    r.num[kExciseRateSlot] = rate;
    PadTabella(r);
    return r;
}

// Every text of the record trimmed, for comparisons.
inline TMOVIMENTO Trimmed(TMOVIMENTO r) {
    TrimMovement(r);
    return r;
}

class TributesTest : public ::testing::Test {
protected:
    TempWorkFolder work;
    ScriptedSeams seams;

    const WorkFolders& folders() const { return work.folders(); }

    void WriteRates(const std::vector<TTABELLA>& rates) const {
        WriteRecords<TTABELLA>(TableFile(folders().datiGen, "ACCISE"), rates);
    }
    // Rates from 2014 (3,04 per hectolitre-degree, chapter 1402) and from 2019 (2,99, 1411).
    void WriteUsualRates() const {
        WriteRates({RateRecord(1, Day(2014, 1, 1), 3.04, "1402"),
                    RateRecord(2, Day(2019, 1, 1), 2.99, "1411")});
    }

    fs::path DerFile(int year) const { return tributes::TributeFile(folders(), year); }
    fs::path RgmFile(int year) const { return tributes::RegisterFile(folders(), year); }
    void WriteDer(int year, const std::vector<TMOVIMENTO>& records) const {
        WriteMovements(DerFile(year), records);
    }
    void WriteRgm(int year, const std::vector<TMOVIMENTO>& records) const {
        WriteMovements(RgmFile(year), records);
    }
    std::vector<TMOVIMENTO> ReadDer(int year) const {
        return ReadRecords<TMOVIMENTO>(DerFile(year), false);
    }

    tributes::TributeRequest Request(QChar mode = QLatin1Char('I')) const {
        tributes::TributeRequest r;
        r.folders = folders();
        r.mode = mode;
        r.maxWidth = 1000;
        r.maxHeight = 700;
        return r;
    }
    tributes::TributeRequest Rectification(const TMOVIMENTO& chosen, bool change) const {
        tributes::TributeRequest r = Request(change ? QLatin1Char('t') : QLatin1Char('T'));
        r.rectifyCancel = !change;
        r.rectifyChange = change;
        r.selected = chosen;
        return r;
    }

    void SetToday(int year, int month, int day) {
        seams.clock.current = QDateTime(QDate(year, month, day), QTime(10, 0));
    }

    // The text of a one-line field or of the note.
    static QString Shown(QWidget* window, const QString& name) {
        QWidget* w = Control(window, name);
        if (auto* line = qobject_cast<QLineEdit*>(w)) return line->text();
        if (auto* memo = qobject_cast<QPlainTextEdit*>(w)) return memo->toPlainText();
        return {};
    }
    // Clicks into the field, selects its text and types over it.
    static void Retype(QWidget* window, const QString& name, const QString& text) {
        FocusOn(window, name);
        if (auto* line = ControlAs<QLineEdit>(window, name)) line->selectAll();
        Type(window, text);
    }
    static void TypeThenEnter(QWidget* window, const QString& text) {
        Type(window, text);
        PressEnter(window);
    }
};

// The golden file of a case, golden/<case>/<name> (support/golden.h).
inline void ExpectGolden(const std::string& testCase, const std::string& name,
                         const std::string& actual) {
    ExpectGoldenIn(BRAXOL_TRIBUTES_GOLDEN, testCase, name, actual);
}

}  // namespace braxol::test
