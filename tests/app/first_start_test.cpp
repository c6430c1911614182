// A new brewer's first start: in place of the empty background the main window shows what to
// fill in and from which menu entry, ticks each piece once the work folder holds it, opens a
// piece's window by a click or Enter through its menu entry, and gives way to the background
// picture once everything is filled in.

#include <gtest/gtest.h>

#include <QAction>
#include <QImage>
#include <QListWidget>
#include <QStackedWidget>
#include <QTest>

#include "app/background.h"
#include "app/configuration_check.h"
#include "app/main_window.h"
#include "app/start_area.h"
#include "menu_work.h"
#include "production/brew_fixture.h"
#include "setup/company_window.h"
#include "setup/paths_window.h"
#include "store/config_files.h"
#include "store/table_structures.h"
#include "support/configuration.h"
#include "support/qt/next_modal.h"
#include "support/qt/scripted_seams.h"
#include "support/qt/widget_helpers.h"
#include "support/temp_folder.h"
#include "tables/codici.h"

namespace braxol {
namespace {

using namespace braxol::test;
namespace fs = std::filesystem;

class FirstStart : public ::testing::Test {
protected:
    TempWorkFolder work;
    ScriptedSeams seams;
    app::RunState state;

    void SetUp() override {
        seams.clock.current = QDateTime(QDate(2025, 3, 15), QTime(9, 0));
        state.folders = work.folders();
        CreateMissingStructures(work.folders().datiGen);
    }

    static QListWidget* Steps(app::TFPRINCIPALE& main) {
        return ControlAs<QListWidget>(&main, "PASSI");
    }
    static QString Shown(app::TFPRINCIPALE& main) {
        return ControlAs<QStackedWidget>(&main, "AREA")->currentWidget()->objectName();
    }
    static std::vector<bool> Ticks(app::TFPRINCIPALE& main) {
        std::vector<bool> ticks;
        QListWidget* steps = Steps(main);
        for (int row = 0; row < steps->count(); ++row)
            ticks.push_back(steps->item(row)->checkState() == Qt::Checked);
        return ticks;
    }
    static void Refresh(app::TFPRINCIPALE& main) {
        ControlAs<app::StartArea>(&main, "AREA")->refresh();
    }
    static QString Picture(app::TFPRINCIPALE& main) {
        const QImage shown = ControlAs<app::Background>(&main, "SFONDO")->picture().toImage();
        return QString("%1x%2").arg(shown.width()).arg(shown.height());
    }
};

TEST_F(FirstStart, AnEmptyFolderShowsWhatToFillAndWhere) {
    app::TFPRINCIPALE main(state);
    EXPECT_EQ(Shown(main), "GUIDA");
    QStringList texts;
    for (int row = 0; row < Steps(main)->count(); ++row) texts << Steps(main)->item(row)->text();
    EXPECT_EQ(texts,
              (QStringList{
                  "Dati fiscali e anagrafici dell'azienda\n"
                  "    Dal menu: Dati Aziendali → Dati Fiscali / Anagrafici",
                  "Uffici doganali\n    Dal menu: Codici e Tabelle → Uffici Doganali",
                  "Codici dei prodotti\n    Dal menu: Codici e Tabelle → Codici prodotti (TA20)",
                  "Importo dell'accisa in vigore\n"
                  "    Dal menu: Codici e Tabelle → Importo e capitolo tributo",
                  "Tipi di birra prodotti\n    Dal menu: Dati Aziendali → Tipi di Birra prodotti",
                  "Programma di firma e sue cartelle\n"
                  "    Dal menu: Dati Aziendali → Percorsi di FirmaeVerifica (path)",
                  "Indirizzi web delle dogane\n"
                  "    Dal menu: Dati Aziendali → Indirizzi Web delle Dogane",
                  "Protocolli dei registri\n    Dal menu: Dati Aziendali → Protocolli Registri"}));
    EXPECT_EQ(Ticks(main), std::vector<bool>(8, false));
    // The ticks follow the files only: a click does not tick.
    EXPECT_FALSE(Steps(main)->item(0)->flags() & Qt::ItemIsUserCheckable);
}

// The pieces in the order of the list, each written as its window stores it; after each one
// the steps are ticked up to it, and after the last the background takes their place.
TEST_F(FirstStart, TicksEachPieceOnceTheWorkFolderHoldsIt) {
    const WorkFolders& f = state.folders;
    const std::function<void()> pieces[] = {
        [&] {
            TUTENTE company = BlankTutente();
            company.CAUESO.set("E");
            WriteCompany(f.companyFile(), company);
        },
        [&] { AddCustomsOffice(f); },
        [&] { brew::AddProductCode(f, brew::kBeerCode); },
        [&] { brew::AddRate(f, Day(2020, 1, 1), 2.99); },
        [&] { brew::AddBeerType(f, "BIONDA", brew::kBeerCode, 1, 12.5); },
        [&] {
            TTABELLA paths = BlankTabella();
            paths.text[1].set("/srv/firma/dafirmare/");
            paths.text[2].set("/srv/firma/firmati/");
            WriteConfigRecord(f.applFile(), paths);
        },
        [&] {
            TTABELLA web = BlankTabella();
            web.text[3].set("https://reale.example/");
            web.text[5].set("https://prova.example/");
            WriteConfigRecord(f.webFile(), web);
        },
        [&] { brew::AddProtocol(f, "1234/R", Day(2025, 1, 10), Day(2025, 1, 1)); },
    };
    app::TFPRINCIPALE main(state);
    ShowActive(&main);
    for (std::size_t done = 1; done <= std::size(pieces); ++done) {
        SCOPED_TRACE(done);
        pieces[done - 1]();
        Refresh(main);
        std::vector<bool> expected(std::size(pieces), false);
        std::fill_n(expected.begin(), done, true);
        EXPECT_EQ(Ticks(main), expected);
        if (done < std::size(pieces)) {
            EXPECT_EQ(Shown(main), "GUIDA");
            EXPECT_EQ(Steps(main)->currentRow(), static_cast<int>(done));  // the next to do
        }
    }
    EXPECT_EQ(Shown(main), "SFONDO");
    EXPECT_EQ(Picture(main), "1660x1100");  // the program's own
}

// A piece that is there but cannot serve is not ticked: signing folders of a Windows computer,
// an excise rate that is not yet in force.
TEST_F(FirstStart, APieceThatCannotServeStaysUnticked) {
    CompleteConfiguration config;
    config.toSignFolder = "C:\\FIRMA\\DAFIRMARE\\";
    WriteConfiguration(state.folders, config);
    brew::AddRate(state.folders, Day(2025, 4, 1), 2.99);
    app::TFPRINCIPALE main(state);
    const std::vector<bool> ticks = Ticks(main);
    EXPECT_TRUE(ticks[0]);   // company
    EXPECT_FALSE(ticks[3]);  // excise rate from 01/04/2025, today 15/03/2025
    EXPECT_FALSE(ticks[5]);  // signing paths
    EXPECT_TRUE(ticks[6]);   // web addresses
}

TEST_F(FirstStart, EnterOrAClickOpensThePieceThroughItsMenuEntry) {
    app::TFPRINCIPALE main(state);
    ShowActive(&main);
    QListWidget* steps = Steps(main);
    EXPECT_EQ(FocusName(), "PASSI");

    // Enter on the first piece: the company window, as its menu entry opens it (the status
    // line and the checks follow when it closes).
    NextModal<setup::TFDATIAZIENDA> company([](setup::TFDATIAZIENDA* w) { w->reject(); });
    seams.messages.clear();
    PressEnter(&main);
    EXPECT_EQ(company.opened(), 1);
    EXPECT_TRUE(seams.messages.saw(app::kNoCompanyData));

    // A click on the customs offices: the code table window on TA03, through "Action4".
    QAction* offices = main.action("Action4");
    int triggered = 0;
    QObject::connect(offices, &QAction::triggered, [&] { ++triggered; });
    NextModal<tables::TFCODICI> table([](tables::TFCODICI* w) { w->reject(); });
    QTest::mouseClick(steps->viewport(), Qt::LeftButton, {},
                      steps->visualItemRect(steps->item(1)).center());
    EXPECT_EQ(table.opened(), 1);
    EXPECT_EQ(triggered, 1);
    EXPECT_EQ(state.tableName, "TA03");
    EXPECT_EQ(state.actionTag, 3);

    // The signing paths filled in from their piece: ticked as soon as the window closes.
    NextModal<setup::TFPERCORSI> paths([](setup::TFPERCORSI* w) {
        ShowActive(w);
        Keys(w, {"/opt/firma/FirmaVerifica", "/srv/firma/dafirmare/", "/srv/firma/firmati/", ""});
    });
    ShowActive(&main);
    steps->setFocus();
    steps->setCurrentRow(5);
    PressEnter(&main);
    EXPECT_EQ(paths.opened(), 1);
    EXPECT_TRUE(Ticks(main)[5]);
    EXPECT_EQ(Shown(main), "GUIDA");
}

TEST_F(FirstStart, TheBrewersOwnPictureStillWins) {
    WriteConfiguration(state.folders);
    AddCustomsOffice(state.folders);
    brew::AddProductCode(state.folders, brew::kBeerCode);
    brew::AddRate(state.folders, Day(2020, 1, 1), 2.99);
    brew::AddBeerType(state.folders, "BIONDA", brew::kBeerCode, 1, 12.5);
    brew::AddProtocol(state.folders, "1234/R", Day(2025, 1, 10), Day(2025, 1, 1));
    {
        app::TFPRINCIPALE main(state);
        EXPECT_EQ(Shown(main), "SFONDO");
        EXPECT_EQ(Picture(main), "1660x1100");
    }
    // Copied from Windows, in the letter case it had there.
    QImage own(320, 200, QImage::Format_RGB32);
    own.fill(Qt::darkGreen);
    ASSERT_TRUE(own.save(QString::fromStdString((work.root() / "braxol.JPG").string()), "JPG"));
    app::TFPRINCIPALE main(state);
    EXPECT_EQ(Shown(main), "SFONDO");
    EXPECT_EQ(Picture(main), "320x200");
}

}  // namespace
}  // namespace braxol
