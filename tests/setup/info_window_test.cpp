// The information window: title, release date, the support links through the shell, and the
// ways it closes.

#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>

#include "setup/info_window.h"
#include "setup/project_info.h"
#include "store/config_files.h"
#include "store/dates.h"
#include "support/qt/scripted_seams.h"
#include "support/qt/widget_helpers.h"
#include "support/record_builders.h"
#include "support/temp_folder.h"

namespace braxol {
namespace {

using namespace braxol::test;
namespace fs = std::filesystem;

class InfoWindow : public ::testing::Test {
protected:
    TempWorkFolder work;
    ScriptedSeams seams;
    fs::path release = work.folders().releaseFile();

    QString Text(QWidget* window, const QString& name) {
        return ControlAs<QLabel>(window, name)->text();
    }
};

TEST_F(InfoWindow, ShowsTheTitleAndThePicture) {
    setup::TFINFO window(work.folders());
    ShowActive(&window);
    EXPECT_EQ(window.objectName(), "FINFO");
    EXPECT_EQ(window.windowTitle(), "INFORMAZIONI");
    EXPECT_EQ(Text(&window, "LTITOLO"), "Telematizzazione delle accise per i Microbirrifici");
    EXPECT_FALSE(ControlAs<QLabel>(&window, "IMMAGINE")->pixmap().isNull());
    // The version of the project, as the package carries it.
    EXPECT_EQ(Text(&window, "LNUMEROVERSIONE"), "BRAXOL versione " BRAXOL_VERSION);
    EXPECT_TRUE(Text(&window, "LSITO").contains("https://braxol.it/supporto"));
    EXPECT_TRUE(Text(&window, "LMAIL").contains("supporto@braxol.it"));
}

TEST_F(InfoWindow, ShowsTheDateOfTheInstalledRelease) {
    struct Row {
        const char* name;
        std::function<void()> prepare;
        QString shown;
        bool error;
    };
    const Row rows[] = {
        {"missing", [] {}, "ultimo aggiornamento: non disponibile", false},
        {"dated", [&] { WriteReleaseDate(release, DateFromCivil(2024, 11, 5)); },
         "ultimo aggiornamento: 05/11/2024", false},
        {"dated with time", [&] { WriteReleaseDate(release, DateFromCivil(2025, 1, 31) + 0.75); },
         "ultimo aggiornamento: 31/01/2025", false},
        {"empty", [&] { WriteFileBytes(release, ""); }, "ultimo aggiornamento: 30/12/1899", false},
        {"damaged", [&] { WriteFileBytes(release, "abc"); },
         "ultimo aggiornamento: non disponibile", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        fs::remove(release);
        seams.messages.clear();
        row.prepare();
        const std::string before = FileBytes(release);
        setup::TFINFO window(work.folders());
        ShowActive(&window);
        Settle();
        EXPECT_EQ(Text(&window, "LVERSIONE"), row.shown);
        EXPECT_EQ(seams.messages.shown().size(), row.error ? 1u : 0u);
        if (row.error) {
            EXPECT_EQ(seams.messages.shown()[0].severity, ui::Severity::Error);
            EXPECT_TRUE(seams.messages.shown()[0].text.contains("VERS_ZYMOTEC.DAT"));
        }
        EXPECT_EQ(FileBytes(release), before);
        EXPECT_EQ(fs::exists(release), std::string(row.name) != "missing");
    }
}

TEST_F(InfoWindow, TheContactLabelsOpenThroughTheShell) {
    setup::TFINFO window(work.folders());
    ShowActive(&window);
    Click(&window, "LSITO");
    Click(&window, "LMAIL");
    EXPECT_EQ(seams.shell.opened,
              (QStringList{"https://braxol.it/supporto",
                           "mailto:supporto@braxol.it"
                           "?subject=Richiesta%20Informazioni%20-%20Assistenza"
                           "&body=Telematizzazione%20delle%20accise%20per%20i%20Microbirrifici"}));
    EXPECT_TRUE(window.isVisible());
    // The one place that names them.
    EXPECT_STREQ(kSupportPage, "https://braxol.it/supporto");
    EXPECT_EQ(setup::SupportMailAddress(), seams.shell.opened.value(1));
}

TEST_F(InfoWindow, EscapeOrAClickElsewhereClosesIt) {
    enum class Way { Escape, Picture, Title, Window };
    for (Way way : {Way::Escape, Way::Picture, Way::Title, Way::Window}) {
        SCOPED_TRACE(static_cast<int>(way));
        setup::TFINFO window(work.folders());
        ShowActive(&window);
        ASSERT_TRUE(window.isVisible());
        switch (way) {
            case Way::Escape:
                PressKey(&window, Qt::Key_Escape);
                break;
            case Way::Picture:
                Click(&window, "IMMAGINE");
                break;
            case Way::Title:
                Click(&window, "LTITOLO");
                break;
            case Way::Window:
                QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(2, 2));
                Settle();
                break;
        }
        EXPECT_FALSE(window.isVisible());
        EXPECT_TRUE(seams.shell.opened.isEmpty());
    }
}

}  // namespace
}  // namespace braxol
