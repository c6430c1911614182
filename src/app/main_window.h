#pragma once
// The main window: menu, status line, and the first steps of a new brewer or the background
// picture (start_area.h). Every other window opens from its menu as a modal dialog; entries
// whose window the program does not have yet are shown disabled.

#include <QMainWindow>
#include <QPixmap>
#include <functional>
#include <map>

#include "app/run_state.h"

class QAction;
class QLabel;

namespace braxol::net {
class UpdateCheck;
}

namespace braxol::app {

class StartArea;

class TFPRINCIPALE : public QMainWindow {
    Q_OBJECT
public:
    explicit TFPRINCIPALE(RunState& state, QWidget* parent = nullptr);

    RunState& state() { return state_; }
    QAction* action(const QString& name) const;
    QString statusText() const;
    // Runs the checks, the status line included (start-up and after the company window).
    void refreshStatusLine();
    // The release check that each activation runs first: its question, when a newer release
    // is published, comes before the reminder of a missing excise summary, and starting the
    // updater ends the program without the reminder. Without one the reminder runs alone.
    void setUpdateCheck(net::UpdateCheck* check);
    // What each activation runs: the release check, then the reminder once the check is over.
    // An activation while they are under way adds nothing.
    void activated();
    // Whether an activation's check and reminder are still under way.
    bool activationRunning() const { return activationRunning_; }

    // Enables the entry and opens its window through `handler`.
    void bind(const char* action, std::function<void()> handler);
    // The guarded entries open only when the configuration check passes.
    void bindChecked(const char* action, std::function<void()> handler);

protected:
    void changeEvent(QEvent* event) override;

private:
    void buildMenu();
    void connectActions();
    void openWebSlot(int slot);
    void releaseChecked();
    void remind();

    RunState& state_;
    std::map<QString, QAction*> actions_;
    QLabel* status_ = nullptr;
    StartArea* area_ = nullptr;
    net::UpdateCheck* update_ = nullptr;
    bool activationRunning_ = false;
    // The activation under way showed a box of its own (the question, the reminder).
    bool boxShown_ = false;
    // The activation that such a box gives back when it closes is not a new activation.
    bool ownBoxClosing_ = false;
    bool quitting_ = false;
};

}  // namespace braxol::app
