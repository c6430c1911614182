#pragma once
// What the raw-material tests share: a work folder with the table structures and the materials
// MALTO and LUPPOLO, scripted seams (today is 15/03/2025), and the yearly files read back.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <string>
#include <vector>

#include "rawmaterials/materials_window.h"
#include "reports/report.h"
#include "store/movements.h"
#include "store/paths.h"
#include "store/records.h"
#include "store/table_structures.h"
#include "store/tables.h"
#include "support/qt/scripted_seams.h"
#include "support/qt/widget_helpers.h"
#include "support/record_builders.h"
#include "support/temp_folder.h"

namespace braxol::test::raw {

inline void AddMaterial(const WorkFolders& folders, const std::string& name) {
    TTABELLA r = BlankTabella();
    r.text[0].set(name);
    r.text[10].set(rawmaterials::kMaterialsTable);
    InsertTableRecord(TableFile(folders.datiGen, rawmaterials::kMaterialsTable), r);
}

// A stored movement as the load and unload window leaves it: document, supplier and note
// filled, numbered.
inline TMOVIMENTO Movement(int numope, int progre, double day, std::string_view tipmov,
                           std::string_view material, double quantity,
                           std::string_view document = "DDT1", std::string_view supplier = "",
                           std::string_view note = "") {
    TMOVIMENTO r = RawMaterial(day, tipmov, material, quantity);
    r.DATDOC = day;
    r.NUMDOC.set(document);
    r.PRODAZ.set(supplier);
    r.ANNOTA.set(note);
    r.CODMOV.set("   ");
    PadMovement(r);
    return Stored(r, numope, progre);
}

// The golden file of a case, golden/<case>/<name>. With BRAXOL_UPDATE_GOLDEN set, the actual
// bytes are written there instead (to be looked at before committing them).
inline void ExpectGolden(const std::string& testCase, const std::string& name,
                         const std::string& actual) {
    const fs::path golden = fs::path(BRAXOL_RAWMATERIALS_GOLDEN) / testCase / name;
    if (!qEnvironmentVariableIsEmpty("BRAXOL_UPDATE_GOLDEN")) {
        fs::create_directories(golden.parent_path());
        WriteFileBytes(golden, actual);
    }
    ASSERT_TRUE(fs::exists(golden)) << golden;
    EXPECT_EQ(FileBytes(golden), actual) << "differs from " << golden;
}

// Every text of every page of a report, in drawing order.
inline QStringList AllTexts(const reports::Report& report) {
    QStringList texts;
    for (int p = 0; p < static_cast<int>(report.pages().size()); ++p) texts << report.texts(p);
    return texts;
}

class RawTest : public ::testing::Test {
protected:
    TempWorkFolder work;
    ScriptedSeams seams;

    void SetUp() override {
        CreateMissingStructures(folders().datiGen);
        AddMaterial(folders(), "MALTO");
        AddMaterial(folders(), "LUPPOLO");
    }

    const WorkFolders& folders() const { return work.folders(); }
    fs::path Mpr(int year) const { return YearFile(folders().registri, year, ".MPR"); }
    std::vector<TMOVIMENTO> Read(int year) const {
        return fs::exists(Mpr(year)) ? ScanMovements(Mpr(year)) : std::vector<TMOVIMENTO>{};
    }
    // Selects the text of the focused field and types over it, then Enter.
    static void Over(QWidget* window, const QString& text) {
        if (auto* line = qobject_cast<QLineEdit*>(QApplication::focusWidget())) line->selectAll();
        Type(window, text);
        PressEnter(window);
    }
};

}  // namespace braxol::test::raw
