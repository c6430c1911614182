#pragma once
// Program start: Italian texts and formats, the work folder and its folders, the main window.

#include <QString>

class QApplication;
class QWidget;

namespace braxol::app {

struct RunState;

// Creates DATI_GEN, REGISTRI and the temporary folder and the structure files of the
// system's tables that are missing. False, after the error report, when that fails.
bool PrepareWorkFolder(RunState& state, QWidget* parent);

// Loads Qt's Italian translations and sets the Italian locale for the whole program.
void UseItalian(QApplication& app);

}  // namespace braxol::app
