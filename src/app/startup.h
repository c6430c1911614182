#pragma once
// Program start: Italian texts and formats, the work folder and its folders, the main window.

#include <QString>

class QApplication;
class QWidget;

namespace braxol::app {

struct RunState;

// Creates DATI_GEN, REGISTRI and the temporary folder and the structure files of the
// system's tables that are missing, and finishes a flow's stamping that a crash interrupted.
// False, after the error report, when the folders cannot be made.
bool PrepareWorkFolder(RunState& state, QWidget* parent);

// Loads Qt's Italian translations and sets the Italian locale for the whole program.
void UseItalian(QApplication& app);

// Names the program (the title of its message boxes) with its version, desktop entry and icon,
// speaks Italian and waits for busy data files with message boxes. Window titles stay exactly as
// each window sets them: the program sets no display name, which the platform would append to every
// title.
void SetUpProgram(QApplication& app);

}  // namespace braxol::app
