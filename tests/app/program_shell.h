#pragma once
// The desktop shell for the signing program: the real program started by the test (and ended
// by it), with its own settings folder; documents and addresses are only recorded.

#include <QProcess>
#include <QProcessEnvironment>
#include <filesystem>
#include <memory>
#include <vector>

#include "support/qt/scripted_seams.h"

namespace braxol::test {

class ProgramShell : public ScriptedShell {
public:
    std::filesystem::path settings;
    std::vector<std::unique_ptr<QProcess>> processes;
    QStringList folders;

    bool start(const QString& program, const QStringList& arguments,
               const QString& workingFolder) override {
        ScriptedShell::start(program, arguments, workingFolder);
        folders << workingFolder;
        auto p = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", QString::fromStdString(settings.string()));
        env.insert("QT_QPA_PLATFORM", "offscreen");
        p->setProcessEnvironment(env);
        p->setWorkingDirectory(workingFolder);
        p->start(program, arguments);
        const bool started = p->waitForStarted(10000);
        processes.push_back(std::move(p));
        return started;
    }
    // Ends the programs it started, whatever happened to the test.
    ~ProgramShell() override { stop(); }
    void stop() {
        for (auto& p : processes) {
            if (p->state() == QProcess::NotRunning) continue;
            p->kill();
            p->waitForFinished(10000);
        }
    }
};

}  // namespace braxol::test
