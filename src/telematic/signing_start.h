#pragma once
// Starting the customs signing program named in the paths window ("Programma
// "FIRMAVERIFICA"", slot 0 of APPL.CFG). The program meets ours only through the folder of
// files to sign and the folder of signed files.

#include <QString>
#include <filesystem>

#include "store/records.h"

class QWidget;

namespace braxol::telematic {

// The folders of APPL.CFG (trimmed record): files to sign (slot 1) and signed files (slot 2).
std::filesystem::path ToSignFolder(const TTABELLA& paths);
std::filesystem::path SignedFolder(const TTABELLA& paths);
// The signing program (slot 0).
QString SigningProgram(const TTABELLA& paths);

// The message when the program cannot be started.
QString SigningStartFailedMessage(const QString& program);

// Starts the program with no arguments, in the work folder, through the shell seam; a file
// that is not a program (a launcher document, for instance) is opened with the desktop's
// associated program instead. A blank path starts nothing and says nothing. When the start
// fails the user is told, so that the flow waiting in the folder of files to sign is not
// forgotten. True when the program started.
bool StartSigningProgram(QWidget* parent, const QString& program,
                         const std::filesystem::path& workFolder);

}  // namespace braxol::telematic
