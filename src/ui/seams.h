#pragma once
// The program's only ways out of its windows: message and question boxes, file and picture
// dialogs, the print dialog, the desktop shell and the clock. Windows call them through
// these seams, so that tests can script every answer and other platforms can plug in.

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QUrl>

class QPrinter;
class QWidget;

namespace braxol::ui {

enum class Answer { Ok, Yes, No, Cancel };
enum class Buttons { YesNo, OkNo, OkCancel, YesNoCancel };
enum class Severity { Information, Warning, Error, Question };

class MessageSeam {
public:
    virtual ~MessageSeam() = default;
    // A modal box with one OK button.
    virtual void inform(QWidget* parent, const QString& text, Severity severity) = 0;
    // A modal question; the answer is one of the offered buttons.
    virtual Answer ask(QWidget* parent, const QString& text, Buttons buttons,
                       Severity severity) = 0;
};

class FileDialogSeam {
public:
    virtual ~FileDialogSeam() = default;
    // Empty when the user cancels.
    virtual QString openFile(QWidget* parent, const QString& caption, const QString& folder,
                             const QString& filter) = 0;
    virtual QString saveFile(QWidget* parent, const QString& caption, const QString& folder,
                             const QString& filter) = 0;
    virtual QString openPicture(QWidget* parent, const QString& caption, const QString& folder) = 0;
};

class PrintDialogSeam {
public:
    virtual ~PrintDialogSeam() = default;
    // Lets the user set up the printer; false when cancelled.
    virtual bool choosePrinter(QWidget* parent, QPrinter& printer) = 0;
};

class ShellSeam {
public:
    virtual ~ShellSeam() = default;
    // The desktop's "open": a document with its associated program, an address in the browser.
    virtual bool open(const QString& documentOrAddress) = 0;
    // Starts a program detached, in a working folder.
    virtual bool start(const QString& program, const QStringList& arguments,
                       const QString& workingFolder) = 0;
};

class ClockSeam {
public:
    virtual ~ClockSeam() = default;
    virtual QDateTime now() = 0;
    QDate today() { return now().date(); }
};

// The seams in use. Each starts as the real one; set() installs a replacement (nullptr
// restores the real one).
struct Seams {
    static MessageSeam& messages();
    static FileDialogSeam& files();
    static PrintDialogSeam& print();
    static ShellSeam& shell();
    static ClockSeam& clock();

    static void setMessages(MessageSeam* seam);
    static void setFiles(FileDialogSeam* seam);
    static void setPrint(PrintDialogSeam* seam);
    static void setShell(ShellSeam* seam);
    static void setClock(ClockSeam* seam);
};

// The caption of a message-box button as the user reads it, without its accelerator mark
// ("Sì" for Yes with the Italian translations loaded).
QString ButtonCaption(Answer answer);

// Short forms for the windows.
void Inform(QWidget* parent, const QString& text, Severity severity = Severity::Information);
void Warn(QWidget* parent, const QString& text);
Answer Ask(QWidget* parent, const QString& text, Buttons buttons = Buttons::YesNo,
           Severity severity = Severity::Question);

// What the desktop's "open" gets for a document or an address.
QUrl TargetUrl(const QString& target);

// A web address as the user stored it, ready for the browser: trimmed, and an address without
// a scheme ("www.adm.gov.it") taken as an https one rather than as a local file.
QString WebAddress(const QString& stored);
// Opens the stored web address in the browser; nothing happens for an empty one.
void OpenWebAddress(const QString& stored);

// Today as a day count of the record files.
double Today();
double Now();

}  // namespace braxol::ui
