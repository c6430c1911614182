#pragma once
// Scripted versions of the program's seams for window tests. Each records what the window
// did and gives the planned answers; a question nobody planned fails the test.

#include <QDateTime>
#include <QStringList>
#include <deque>
#include <utility>
#include <vector>

#include "ui/seams.h"

namespace braxol::test {

class ScriptedMessages : public ui::MessageSeam {
public:
    struct Shown {
        QString text;
        ui::Severity severity;
        bool question;
    };
    // The next question gets this answer.
    void planAnswer(ui::Answer answer) { answers_.push_back(answer); }
    const std::vector<Shown>& shown() const { return shown_; }
    QStringList texts() const;
    bool saw(const QString& text) const { return texts().contains(text); }
    void clear() { shown_.clear(); }

    void inform(QWidget* parent, const QString& text, ui::Severity severity) override;
    ui::Answer ask(QWidget* parent, const QString& text, ui::Buttons buttons,
                   ui::Severity severity) override;

private:
    std::vector<Shown> shown_;
    std::deque<ui::Answer> answers_;
};

class ScriptedFiles : public ui::FileDialogSeam {
public:
    void planPath(const QString& path) { paths_.push_back(path); }
    QStringList captions;
    QString openFile(QWidget*, const QString& caption, const QString&, const QString&) override;
    QString saveFile(QWidget*, const QString& caption, const QString&, const QString&) override;
    QString openPicture(QWidget*, const QString& caption, const QString&) override;

private:
    QString next(const QString& caption);
    std::deque<QString> paths_;
};

// Prints to a PDF file instead of asking for a printer; `accept` false cancels.
class ScriptedPrint : public ui::PrintDialogSeam {
public:
    QString pdfPath;
    bool accept = true;
    int asked = 0;
    bool choosePrinter(QWidget* parent, QPrinter& printer) override;
};

class ScriptedShell : public ui::ShellSeam {
public:
    QStringList opened;
    std::vector<std::pair<QString, QStringList>> started;
    bool succeed = true;
    bool open(const QString& target) override;
    bool start(const QString& program, const QStringList& arguments, const QString&) override;
};

class ScriptedClock : public ui::ClockSeam {
public:
    QDateTime current = QDateTime(QDate(2025, 3, 15), QTime(10, 0));
    QDateTime now() override { return current; }
};

// Installs scripted seams for the life of the object and restores the real ones after.
struct ScriptedSeams {
    ScriptedMessages messages;
    ScriptedFiles files;
    ScriptedPrint print;
    ScriptedShell shell;
    ScriptedClock clock;
    ScriptedSeams();
    ~ScriptedSeams();
};

}  // namespace braxol::test
