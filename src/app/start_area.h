#pragma once
// The main window's client area. While the configuration is incomplete it shows the first
// steps (GUIDA): what to fill in and from which menu entry, each ticked once the work folder
// holds it; a click on a step, or Enter, opens its window through that menu entry. Once every
// step is done it shows the background picture (SFONDO): BRAXOL.jpg of the work folder when
// there is one, otherwise the program's own.

#include <QStackedWidget>
#include <vector>

#include "app/setup_steps.h"

class QListWidget;
class QListWidgetItem;

namespace braxol::app {

class Background;
class TFPRINCIPALE;

class StartArea : public QStackedWidget {
    Q_OBJECT
public:
    // The steps are those whose menu entry the main window has bound to a window.
    explicit StartArea(TFPRINCIPALE& main);

    // Ticks the steps from the files and shows the steps or the background.
    void refresh();

private:
    void open(const QListWidgetItem* item);

    TFPRINCIPALE& main_;
    QWidget* guide_;
    QListWidget* steps_;
    Background* background_;
    std::vector<SetupStep> shown_;  // in list order
};

}  // namespace braxol::app
