// BRAXOL: excise books of a micro-brewery working as a fiscal warehouse for beer.
// The work folder is the data folder of this start (data_folder.h); it becomes the current
// folder, as the program has always worked in the folder it started in.

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>

#include "app/data_folder.h"
#include "app/guarded_application.h"
#include "app/main_window.h"
#include "app/run_state.h"
#include "app/startup.h"
#include "net/update_check.h"
#include "store/io_error.h"
#include "store/settings_file.h"
#include "ui/io_error_box.h"
#include "ui/seams.h"

namespace {

namespace fs = std::filesystem;

// The data folder of this start; nothing, after saying why, when it cannot be told.
std::optional<fs::path> DataFolder(const QApplication& app) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Registri delle accise e flussi telematici del microbirrificio.");
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption folder(
        "cartella", "Usa la CARTELLA come cartella dei dati (creata se manca).", "CARTELLA");
    parser.addOption(folder);
    parser.process(app);  // --help, --version and mistakes end here

    braxol::app::StartPlace place;
    place.current = QDir::currentPath().toStdString();
    place.home = braxol::HomeFolder();
    place.settingsFile = braxol::app::SettingsFile();
    if (parser.isSet(folder)) place.named = parser.value(folder).toStdString();
    try {
        return braxol::app::ChooseDataFolder(place);
    } catch (const braxol::SettingsFileError& e) {
        braxol::ui::Inform(
            nullptr,
            "IMPOSSIBILE LEGGERE LE IMPOSTAZIONI DI BRAXOL\n\n" + QString::fromStdString(e.what()),
            braxol::ui::Severity::Error);
    } catch (const braxol::IoError& e) {
        braxol::ui::ShowIoError(nullptr, e);
    }
    return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
    braxol::app::GuardedApplication app(argc, argv);
    braxol::app::SetUpProgram(app);
    const std::optional<fs::path> root = DataFolder(app);
    if (!root) return 1;

    braxol::app::RunState state;
    state.folders = braxol::WorkFolders::At(*root, braxol::WorkFolders::DefaultTemp());
    if (!braxol::app::PrepareWorkFolder(state, nullptr)) return 1;
    QDir::setCurrent(QString::fromStdString(root->string()));

    braxol::app::TFPRINCIPALE window(state);
    braxol::net::UpdateCheck update(state.folders, &window);
    QObject::connect(&update, &braxol::net::UpdateCheck::quitRequested, &app, &QApplication::quit);
    window.setUpdateCheck(&update);
    window.show();
    window.refreshStatusLine();
    return app.exec();
}
