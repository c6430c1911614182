#pragma once
// The main window: menu, status line and background picture. Every other window opens from
// its menu as a modal dialog; entries whose window the program does not have yet are shown
// disabled.

#include <QMainWindow>
#include <QPixmap>
#include <functional>
#include <map>

#include "app/run_state.h"

class QAction;
class QLabel;

namespace braxol::app {

class TFPRINCIPALE : public QMainWindow {
    Q_OBJECT
public:
    explicit TFPRINCIPALE(RunState& state, QWidget* parent = nullptr);

    RunState& state() { return state_; }
    QAction* action(const QString& name) const;
    QString statusText() const;
    // Runs the checks, the status line included (start-up and after the company window).
    void refreshStatusLine();
    // Runs on every activation, before the reminder of a missing excise summary; the update
    // check hooks in here.
    std::function<void()> onActivated;
    // What each activation runs.
    void activated();

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

    RunState& state_;
    std::map<QString, QAction*> actions_;
    QLabel* status_ = nullptr;
    bool reminderShown_ = false;
};

}  // namespace braxol::app
