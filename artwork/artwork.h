#pragma once
// The program's own artwork (artwork/*.svg, rendered at build time): the icon of its windows
// and the background picture of the main window.

#include <QIcon>
#include <QPixmap>

namespace braxol::artwork {

QIcon ProgramIcon();
QPixmap BackgroundPicture();

}  // namespace braxol::artwork
