// The "Materie Prime" entries and the balance: each opens its window, the guarded ones only
// with a complete configuration; "Modifica" goes through the chooser to the movement chosen.

#include <gtest/gtest.h>

#include <QAction>
#include <QTableWidget>
#include <functional>

#include "app/main_window.h"
#include "production/deletion_window.h"
#include "rawmaterials/balance_window.h"
#include "rawmaterials/daily_register_window.h"
#include "rawmaterials/material_register_window.h"
#include "rawmaterials/materials_window.h"
#include "rawmaterials/movement_chooser.h"
#include "rawmaterials/movement_window.h"
#include "rawmaterials/search_window.h"
#include "rawmaterials/totals_window.h"
#include "store/paths.h"
#include "store/table_structures.h"
#include "support/configuration.h"
#include "support/qt/next_modal.h"
#include "support/qt/scripted_seams.h"
#include "support/qt/widget_helpers.h"
#include "support/record_builders.h"
#include "support/temp_folder.h"

namespace braxol {
namespace {

using namespace braxol::test;

class RawMaterialEntries : public ::testing::Test {
protected:
    TempWorkFolder work;
    ScriptedSeams seams;
    app::RunState state;
    void SetUp() override {
        state.folders = work.folders();
        CreateMissingStructures(state.folders.datiGen);
        WriteConfiguration(state.folders);
        seams.clock.current = QDateTime(QDate(2025, 3, 20), QTime(9, 0));
        WriteMovements(YearFile(state.folders.registri, 2025, ".MPR"),
                       {Stored(RawMaterial(Day(2025, 3, 5), "C", "MALTO", 100), 1, 1),
                        Stored(RawMaterial(Day(2025, 3, 6), "S", "MALTO", 30), 2, 2)});
    }
};

// Closes the next window of the type and tells its name.
template <class W>
struct Closed {
    QString name;
    NextModal<W> modal{[this](W* w) {
        name = w->objectName();
        w->reject();
    }};
};

TEST_F(RawMaterialEntries, EachEntryOpensItsWindow) {
    app::TFPRINCIPALE main(state);
    {
        Closed<rawmaterials::TFCARSCAMP> w;
        main.action("Action38")->trigger();
        EXPECT_EQ(w.name, "FCARSCAMP");
        EXPECT_FALSE(state.changeFlag);
    }
    {
        QChar mode;
        NextModal<production::TFCANCMOVIM> deletion([&mode](production::TFCANCMOVIM* w) {
            mode = w->mode();
            w->reject();
        });
        main.action("Action40")->trigger();
        EXPECT_EQ(deletion.opened(), 1);
        EXPECT_EQ(mode, 'P');
        EXPECT_EQ(state.mode, 'P');
    }
    {
        Closed<rawmaterials::TFRICCARSCAMP> w;
        main.action("Action41")->trigger();
        EXPECT_EQ(w.name, "FRICCARSCAMP");
    }
    {
        Closed<rawmaterials::TFTOTALIMP> w;
        main.action("Action45")->trigger();
        EXPECT_EQ(w.name, "FTOTALIMP");
    }
    {
        Closed<rawmaterials::TFMATPRI> w;
        main.action("Action43")->trigger();
        EXPECT_EQ(w.name, "FMATPRI");
        EXPECT_EQ(state.tableName, "MATPRIME");
        EXPECT_FALSE(state.singleEntry);
    }
    {
        state.workingYear = "2019";
        QString year;
        NextModal<rawmaterials::TFBILANCIO> balance([&year](rawmaterials::TFBILANCIO* w) {
            year = w->workingYear();
            w->reject();
        });
        main.action("Action55")->trigger();
        EXPECT_EQ(balance.opened(), 1);
        EXPECT_EQ(year, "2025");
        EXPECT_EQ(state.workingYear, "2025");
    }
    {
        Closed<rawmaterials::TFSTAREGCARSCAMP> w;
        main.action("Action42")->trigger();
        EXPECT_EQ(w.name, "FSTAREGCARSCAMP");
    }
    {
        Closed<rawmaterials::TFSTAREGMPXGIORNI> w;
        main.action("Action56")->trigger();
        EXPECT_EQ(w.name, "FSTAREGMPXGIORNI");
    }
    // The daily register looks for the register protocol, which this folder lacks.
    EXPECT_EQ(seams.messages.texts(),
              QStringList{"Manca il protocollo del Registro delle Produzioni"});
}

// "Modifica": the chooser lists the year's movements, and the one picked opens in change mode.
TEST_F(RawMaterialEntries, ChangeGoesThroughTheChooser) {
    app::TFPRINCIPALE main(state);
    NextModal<rawmaterials::TFSCEGLICARSCAMP> chooser([](rawmaterials::TFSCEGLICARSCAMP* w) {
        ShowActive(w);
        auto* list = ControlAs<QTableWidget>(w, "LISTA");
        list->setFocus();
        list->selectRow(0);
        PressEnter(w);
    });
    int numope = -1;
    bool change = false;
    NextModal<rawmaterials::TFCARSCAMP> entry([&](rawmaterials::TFCARSCAMP* w) {
        numope = w->selected().NUMOPE;
        change = w->changeMode();
        w->reject();
    });
    main.action("Action39")->trigger();
    EXPECT_EQ(chooser.opened(), 1);
    ASSERT_TRUE(entry.answered());
    EXPECT_TRUE(change);
    EXPECT_EQ(numope, 1);
    EXPECT_TRUE(state.changeFlag);
    EXPECT_EQ(state.chosenNumope, 1);
    EXPECT_EQ(state.chosenYear, "2025");
}

// Leaving the chooser without a choice opens nothing; without a complete configuration the
// guarded entries open nothing either.
TEST_F(RawMaterialEntries, NothingChosenOrConfigurationMissing) {
    app::TFPRINCIPALE main(state);
    {
        NextModal<rawmaterials::TFSCEGLICARSCAMP> chooser(
            [](rawmaterials::TFSCEGLICARSCAMP* w) { w->reject(); });
        Closed<rawmaterials::TFCARSCAMP> entry;
        main.action("Action39")->trigger();
        EXPECT_EQ(chooser.opened(), 1);
        EXPECT_EQ(entry.modal.opened(), 0);
        EXPECT_EQ(state.chosenNumope, -1);
    }
    fs::remove(state.folders.companyFile());
    Closed<rawmaterials::TFCARSCAMP> entry;
    Closed<rawmaterials::TFBILANCIO> balance;
    Closed<rawmaterials::TFSTAREGCARSCAMP> materialRegister;
    Closed<rawmaterials::TFSTAREGMPXGIORNI> dailyRegister;
    for (const char* action : {"Action38", "Action39", "Action55", "Action42", "Action56"}) {
        seams.messages.clear();
        main.action(action)->trigger();
        EXPECT_TRUE(
            seams.messages.texts().join('|').contains("NON SONO STATI COMPILATI I DATI AZIENDALI"))
            << action;
    }
    EXPECT_EQ(entry.modal.opened(), 0);
    EXPECT_EQ(balance.modal.opened(), 0);
    EXPECT_EQ(materialRegister.modal.opened(), 0);
    EXPECT_EQ(dailyRegister.modal.opened(), 0);
}

}  // namespace
}  // namespace braxol
