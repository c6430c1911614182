#include "telematic/signing_start.h"

#include <QFileInfo>

#include "ui/seams.h"
#include "ui/text.h"

namespace braxol::telematic {

namespace {

std::filesystem::path Folder(const TTABELLA& paths, int slot) {
    return std::filesystem::path(ui::FromField(paths.text[slot]).toStdString());
}

}  // namespace

std::filesystem::path ToSignFolder(const TTABELLA& paths) {
    return Folder(paths, 1);
}

std::filesystem::path SignedFolder(const TTABELLA& paths) {
    return Folder(paths, 2);
}

QString SigningProgram(const TTABELLA& paths) {
    return ui::FromField(paths.text[0]);
}

QString SigningStartFailedMessage(const QString& program) {
    return QStringLiteral("ATTENZIONE: NON E' STATO POSSIBILE AVVIARE IL PROGRAMMA DI FIRMA ") +
           program +
           QStringLiteral(
               "\n\nIl flusso resta nella cartella dei file da firmare: controllare il percorso "
               "del programma in \"Percorsi di FirmaeVerifica (path)\".");
}

bool StartSigningProgram(QWidget* parent, const QString& program,
                         const std::filesystem::path& workFolder) {
    const QString path = program.trimmed();
    if (path.isEmpty()) return false;
    const QFileInfo info(path);
    ui::ShellSeam& shell = ui::Seams::shell();
    const bool document = info.isFile() && !info.isExecutable();
    const bool started = document
                             ? shell.open(path)
                             : shell.start(path, {}, QString::fromStdString(workFolder.string()));
    if (!started) ui::Warn(parent, SigningStartFailedMessage(path));
    return started;
}

}  // namespace braxol::telematic
