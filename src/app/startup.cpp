#include "app/startup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "app/run_state.h"
#include "artwork/artwork.h"
#include "project_version.h"
#include "store/io_error.h"
#include "store/table_structures.h"
#include "telematic/finish_stamps.h"
#include "ui/io_error_box.h"
#include "ui/lock_prompt_box.h"

namespace braxol::app {

bool PrepareWorkFolder(RunState& state, QWidget* parent) {
    try {
        state.folders.create();
        CreateMissingStructures(state.folders.datiGen);
    } catch (const IoError& e) {
        ui::ShowIoError(parent, e);
        return false;
    }
    // A flow's stamping that a crash interrupted is finished before anything reads the
    // registers; when it cannot be, the program still starts, and says why.
    telematic::FinishInterruptedStampsOrTell(parent, state.folders);
    return true;
}

void UseItalian(QApplication& app) {
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const char* name : {"qtbase_it", "qt_it"}) {
        auto* translator = new QTranslator(&app);
        if (translator->load(name, folder))
            app.installTranslator(translator);
        else
            delete translator;
    }
}

void SetUpProgram(QApplication& app) {
    QApplication::setApplicationName(QStringLiteral("BRAXOL"));
    QApplication::setApplicationVersion(QString::fromUtf8(kProgramVersion));
    // The desktop entry that starts the program, and its icon, for the task bar.
    QGuiApplication::setDesktopFileName(QStringLiteral("it.braxol.braxol"));
    QApplication::setWindowIcon(artwork::ProgramIcon());
    UseItalian(app);
    ui::UseLockMessageBoxes();
}

}  // namespace braxol::app
