#include "ui/seams.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QUrl>

#include "store/dates.h"

namespace braxol::ui {
namespace {

QMessageBox::Icon IconOf(Severity s) {
    switch (s) {
        case Severity::Information:
            return QMessageBox::Information;
        case Severity::Warning:
            return QMessageBox::Warning;
        case Severity::Error:
            return QMessageBox::Critical;
        case Severity::Question:
            return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

class BoxMessages : public MessageSeam {
public:
    void inform(QWidget* parent, const QString& text, Severity severity) override {
        QMessageBox box(IconOf(severity), QApplication::applicationDisplayName(), text,
                        QMessageBox::Ok, parent);
        box.exec();
    }
    Answer ask(QWidget* parent, const QString& text, Buttons buttons, Severity severity) override {
        QMessageBox::StandardButtons offered;
        switch (buttons) {
            case Buttons::YesNo:
                offered = QMessageBox::Yes | QMessageBox::No;
                break;
            case Buttons::OkNo:
                offered = QMessageBox::Ok | QMessageBox::No;
                break;
            case Buttons::OkCancel:
                offered = QMessageBox::Ok | QMessageBox::Cancel;
                break;
            case Buttons::YesNoCancel:
                offered = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
                break;
        }
        QMessageBox box(IconOf(severity), QApplication::applicationDisplayName(), text, offered,
                        parent);
        switch (box.exec()) {
            case QMessageBox::Ok:
                return Answer::Ok;
            case QMessageBox::Yes:
                return Answer::Yes;
            case QMessageBox::No:
                return Answer::No;
            default:
                return Answer::Cancel;
        }
    }
};

class DesktopFileDialogs : public FileDialogSeam {
public:
    QString openFile(QWidget* parent, const QString& caption, const QString& folder,
                     const QString& filter) override {
        return QFileDialog::getOpenFileName(parent, caption, folder, filter);
    }
    QString saveFile(QWidget* parent, const QString& caption, const QString& folder,
                     const QString& filter) override {
        return QFileDialog::getSaveFileName(parent, caption, folder, filter);
    }
    QString openPicture(QWidget* parent, const QString& caption, const QString& folder) override {
        return QFileDialog::getOpenFileName(parent, caption, folder,
                                            "Immagini (*.bmp *.jpg *.jpeg *.png)");
    }
};

class DesktopPrintDialog : public PrintDialogSeam {
public:
    bool choosePrinter(QWidget* parent, QPrinter& printer) override {
        QPrintDialog dialog(&printer, parent);
        return dialog.exec() == QDialog::Accepted;
    }
};

}  // namespace

QUrl TargetUrl(const QString& target) {
    // An address carries a scheme ("https:", "mailto:"); anything else is a file. A one-letter
    // scheme is a Windows drive ("C:\\...").
    const QUrl url(target);
    if (url.scheme().size() > 1) return url;
    return QUrl::fromLocalFile(target);
}

QString WebAddress(const QString& stored) {
    const QString address = stored.trimmed();
    if (address.isEmpty() || address.contains(QLatin1String("://")) ||
        address.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive))
        return address;
    return QStringLiteral("https://") + address;
}

namespace {

class DesktopShell : public ShellSeam {
public:
    bool open(const QString& target) override {
        return QDesktopServices::openUrl(TargetUrl(target));
    }
    bool start(const QString& program, const QStringList& arguments,
               const QString& workingFolder) override {
        return QProcess::startDetached(program, arguments, workingFolder);
    }
};

class SystemClock : public ClockSeam {
public:
    QDateTime now() override { return QDateTime::currentDateTime(); }
};

BoxMessages realMessages;
DesktopFileDialogs realFiles;
DesktopPrintDialog realPrint;
DesktopShell realShell;
SystemClock realClock;

MessageSeam* messagesSeam = nullptr;
FileDialogSeam* filesSeam = nullptr;
PrintDialogSeam* printSeam = nullptr;
ShellSeam* shellSeam = nullptr;
ClockSeam* clockSeam = nullptr;

}  // namespace

MessageSeam& Seams::messages() {
    return messagesSeam ? *messagesSeam : realMessages;
}
FileDialogSeam& Seams::files() {
    return filesSeam ? *filesSeam : realFiles;
}
PrintDialogSeam& Seams::print() {
    return printSeam ? *printSeam : realPrint;
}
ShellSeam& Seams::shell() {
    return shellSeam ? *shellSeam : realShell;
}
ClockSeam& Seams::clock() {
    return clockSeam ? *clockSeam : realClock;
}

void Seams::setMessages(MessageSeam* seam) {
    messagesSeam = seam;
}
void Seams::setFiles(FileDialogSeam* seam) {
    filesSeam = seam;
}
void Seams::setPrint(PrintDialogSeam* seam) {
    printSeam = seam;
}
void Seams::setShell(ShellSeam* seam) {
    shellSeam = seam;
}
void Seams::setClock(ClockSeam* seam) {
    clockSeam = seam;
}

QString ButtonCaption(Answer answer) {
    QDialogButtonBox::StandardButton button = QDialogButtonBox::Cancel;
    switch (answer) {
        case Answer::Ok:
            button = QDialogButtonBox::Ok;
            break;
        case Answer::Yes:
            button = QDialogButtonBox::Yes;
            break;
        case Answer::No:
            button = QDialogButtonBox::No;
            break;
        case Answer::Cancel:
            break;
    }
    // The message boxes take their captions from the same place.
    const QDialogButtonBox box(button);
    QString caption = box.button(button)->text();
    caption.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    return caption.replace(QLatin1String("&&"), QLatin1String("&"));
}

void Inform(QWidget* parent, const QString& text, Severity severity) {
    Seams::messages().inform(parent, text, severity);
}
void Warn(QWidget* parent, const QString& text) {
    Inform(parent, text, Severity::Warning);
}
Answer Ask(QWidget* parent, const QString& text, Buttons buttons, Severity severity) {
    return Seams::messages().ask(parent, text, buttons, severity);
}

void OpenWebAddress(const QString& stored) {
    const QString address = WebAddress(stored);
    if (!address.isEmpty()) Seams::shell().open(address);
}

double Now() {
    const QDateTime now = Seams::clock().now();
    const QDate d = now.date();
    const QTime t = now.time();
    return DateFromCivil(d.year(), d.month(), d.day()) + t.msecsSinceStartOfDay() / 86400000.0;
}

double Today() {
    const QDate d = Seams::clock().today();
    return DateFromCivil(d.year(), d.month(), d.day());
}

}  // namespace braxol::ui
