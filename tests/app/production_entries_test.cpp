// The production entries of the menu: the chooser leads to the record, the deletion entries
// open their window in the mode of the entry.

#include <gtest/gtest.h>

#include <QAction>
#include <QTableWidget>

#include "app/main_window.h"
#include "production/deletion_window.h"
#include "production/movement_chooser.h"
#include "production/production_window.h"
#include "production/wash_window.h"
#include "reports/preview_window.h"
#include "store/paths.h"
#include "support/configuration.h"
#include "support/qt/next_modal.h"
#include "support/qt/scripted_seams.h"
#include "support/qt/widget_helpers.h"
#include "support/record_builders.h"
#include "support/temp_folder.h"

namespace braxol {
namespace {

using namespace braxol::test;

class ProductionEntries : public ::testing::Test {
protected:
    TempWorkFolder work;
    ScriptedSeams seams;
    app::RunState state;
    void SetUp() override {
        state.folders = work.folders();
        WriteConfiguration(state.folders);
        seams.clock.current = QDateTime(QDate(2025, 3, 20), QTime(9, 0));
        WriteMovements(YearFile(state.folders.registri, 2025, ".RGM"),
                       {Stored(Production(Day(2025, 3, 5), 100, 200, "prima cotta"), 1, 1),
                        Stored(Production(Day(2025, 3, 6), 200, 300, "seconda cotta"), 2, 2)});
    }
};

TEST_F(ProductionEntries, DetailsOfTheChosenMovement) {
    app::TFPRINCIPALE main(state);
    NextModal<production::TFSCEGLIMOVIMENTO> chooser([](production::TFSCEGLIMOVIMENTO* w) {
        ShowActive(w);
        auto* list = ControlAs<QTableWidget>(w, "LISTA");
        list->setFocus();
        list->selectRow(1);
        PressEnter(w);
    });
    QStringList shown;
    NextModal<reports::TFANTEPRIMA> preview([&shown](reports::TFANTEPRIMA* w) {
        shown << w->windowTitle();
        w->accept();
    });
    main.action("Action57")->trigger();
    ASSERT_EQ(chooser.opened(), 1);
    EXPECT_TRUE(preview.answered());
    EXPECT_EQ(shown, QStringList{"Dettagli del movimento"});
    EXPECT_EQ(state.mode, 'D');
    EXPECT_EQ(state.chosenYear, "2025");
    EXPECT_EQ(state.selected.NUMOPE, state.chosenNumope);
    EXPECT_GT(state.selected.NUMOPE, 0);
}

TEST_F(ProductionEntries, DeletionEntriesOpenInTheirMode) {
    app::TFPRINCIPALE main(state);
    struct Case {
        const char* action;
        QChar mode;
    } cases[] = {{"Action15", 'C'}, {"Action20", 'c'}, {"Action32", 'T'}, {"Action36", 't'}};
    for (const auto& c : cases) {
        QChar seen;
        NextModal<production::TFCANCMOVIM> deletion([&seen](production::TFCANCMOVIM* w) {
            seen = w->mode();
            w->reject();
        });
        main.action(c.action)->trigger();
        EXPECT_EQ(deletion.opened(), 1) << c.action;
        EXPECT_EQ(seen, c.mode) << c.action;
    }
}

// Picks a row of the chooser by keys.
std::function<void(production::TFSCEGLIMOVIMENTO*)> PickRow(int row) {
    return [row](production::TFSCEGLIMOVIMENTO* w) {
        ShowActive(w);
        auto* list = ControlAs<QTableWidget>(w, "LISTA");
        list->setFocus();
        list->selectRow(row);
        PressEnter(w);
    };
}

TEST_F(ProductionEntries, NewEntriesAndChangesOpenTheirWindowInTheirMode) {
    WriteMovements(YearFile(state.folders.registri, 2025, ".RGM"),
                   {Stored(Wash(Day(2025, 3, 6), 200, 210), 2, 2)});
    app::TFPRINCIPALE main(state);
    struct Seen {
        QString window;
        production::EntryMode mode;
        int numope;
    };
    std::vector<Seen> seen;
    auto record = [&seen](auto* w) {
        seen.push_back({w->objectName(), w->mode(), w->chosen().NUMOPE});
        w->reject();
    };
    {
        NextModal<production::TFPRODUZIONE> entry(record);
        main.action("Action12")->trigger();
    }
    {
        NextModal<production::TFLAVAGGIO> entry(record);
        main.action("Action13")->trigger();
    }
    {
        NextModal<production::TFSCEGLIMOVIMENTO> chooser(PickRow(0));
        NextModal<production::TFLAVAGGIO> entry(record);
        main.action("Action14")->trigger();
        EXPECT_EQ(state.mode, 'M');
    }
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].window, "FPRODUZIONE");
    EXPECT_EQ(seen[0].mode, production::EntryMode::New);
    EXPECT_EQ(seen[1].window, "FLAVAGGIO");
    EXPECT_EQ(seen[1].mode, production::EntryMode::New);
    EXPECT_EQ(seen[2].window, "FLAVAGGIO");
    EXPECT_EQ(seen[2].mode, production::EntryMode::Change);
    EXPECT_EQ(seen[2].numope, 2);
    EXPECT_TRUE(state.changeFlag);
}

}  // namespace
}  // namespace braxol
