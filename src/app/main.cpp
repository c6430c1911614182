// BRAXOL: excise books of a micro-brewery working as a fiscal warehouse for beer.
// The work folder is the folder the program starts in.

#include <QApplication>
#include <QDir>

#include "app/main_window.h"
#include "app/run_state.h"
#include "app/startup.h"
#include "net/update_check.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    braxol::app::SetUpProgram(app);

    braxol::app::RunState state;
    state.folders = braxol::WorkFolders::At(QDir::currentPath().toStdString(),
                                            braxol::WorkFolders::DefaultTemp());
    if (!braxol::app::PrepareWorkFolder(state, nullptr)) return 1;

    braxol::app::TFPRINCIPALE window(state);
    braxol::net::UpdateCheck update(state.folders, &window);
    QObject::connect(&update, &braxol::net::UpdateCheck::quitRequested, &app, &QApplication::quit);
    window.setUpdateCheck(&update);
    window.show();
    window.refreshStatusLine();
    return app.exec();
}
