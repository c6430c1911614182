// BRAXOL: excise books of a micro-brewery working as a fiscal warehouse for beer.
// The work folder is the folder the program starts in.

#include <QApplication>
#include <QDir>

#include "app/main_window.h"
#include "app/run_state.h"
#include "app/startup.h"
#include "net/update_check.h"
#include "ui/lock_prompt_box.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("BRAXOL");
    QApplication::setApplicationDisplayName("BRAXOL");
    braxol::app::UseItalian(app);
    braxol::ui::UseLockMessageBoxes();

    braxol::app::RunState state;
    state.folders = braxol::WorkFolders::At(QDir::currentPath().toStdString(),
                                            braxol::WorkFolders::DefaultTemp());
    if (!braxol::app::PrepareWorkFolder(state, nullptr)) return 1;

    braxol::app::TFPRINCIPALE window(state);
    braxol::net::UpdateCheck update(state.folders, &window);
    QObject::connect(&update, &braxol::net::UpdateCheck::quitRequested, &app, &QApplication::quit);
    window.onActivated = [&update] { update.start(); };
    window.show();
    window.refreshStatusLine();
    return app.exec();
}
