#include "support/qt/scripted_seams.h"

#include <gtest/gtest.h>

#include <QPrinter>

namespace braxol::test {

QStringList ScriptedMessages::texts() const {
    QStringList t;
    for (const auto& s : shown_) t << s.text;
    return t;
}

void ScriptedMessages::inform(QWidget*, const QString& text, ui::Severity severity) {
    shown_.push_back({text, severity, false});
}

ui::Answer ScriptedMessages::ask(QWidget*, const QString& text, ui::Buttons,
                                 ui::Severity severity) {
    shown_.push_back({text, severity, true});
    if (answers_.empty()) {
        ADD_FAILURE() << "domanda inattesa: " << text.toStdString();
        return ui::Answer::Cancel;
    }
    const ui::Answer a = answers_.front();
    answers_.pop_front();
    return a;
}

QString ScriptedFiles::next(const QString& caption) {
    captions << caption;
    if (paths_.empty()) return {};
    QString p = paths_.front();
    paths_.pop_front();
    return p;
}
QString ScriptedFiles::openFile(QWidget*, const QString& caption, const QString&, const QString&) {
    return next(caption);
}
QString ScriptedFiles::saveFile(QWidget*, const QString& caption, const QString&, const QString&) {
    return next(caption);
}
QString ScriptedFiles::openPicture(QWidget*, const QString& caption, const QString&) {
    return next(caption);
}

bool ScriptedPrint::choosePrinter(QWidget*, QPrinter& printer) {
    ++asked;
    if (!accept) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfPath);
    return true;
}

bool ScriptedShell::open(const QString& target) {
    opened << target;
    return succeed;
}
bool ScriptedShell::start(const QString& program, const QStringList& arguments, const QString&) {
    started.emplace_back(program, arguments);
    return succeed;
}

ScriptedSeams::ScriptedSeams() {
    ui::Seams::setMessages(&messages);
    ui::Seams::setFiles(&files);
    ui::Seams::setPrint(&print);
    ui::Seams::setShell(&shell);
    ui::Seams::setClock(&clock);
}

ScriptedSeams::~ScriptedSeams() {
    ui::Seams::setMessages(nullptr);
    ui::Seams::setFiles(nullptr);
    ui::Seams::setPrint(nullptr);
    ui::Seams::setShell(nullptr);
    ui::Seams::setClock(nullptr);
}

}  // namespace braxol::test
