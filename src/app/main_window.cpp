#include "app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>

#include "app/configuration_check.h"
#include "app/menu_layout.h"
#include "app/start_area.h"
#include "app/window_openers.h"
#include "net/update_check.h"
#include "tributes/reminder.h"
#include "ui/seams.h"
#include "ui/text.h"

namespace braxol::app {

TFPRINCIPALE::TFPRINCIPALE(RunState& state, QWidget* parent) : QMainWindow(parent), state_(state) {
    setObjectName("FPRINCIPALE");
    setWindowTitle("Telematizzazione delle accise per i Microbirrifici (BRAXOL)");
    resize(830, 600);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        state_.maxWidth = screen->geometry().width() - 50;
        state_.maxHeight = screen->geometry().height() - 100;
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    status_ = new QLabel(this);
    status_->setObjectName("STATUSBAR");
    statusBar()->addWidget(status_, 1);

    buildMenu();
    connectActions();
    // The first steps while the configuration is incomplete, then the background picture.
    area_ = new StartArea(*this);
    setCentralWidget(area_);

    // Ctrl+Shift+H shows or hides the menu items kept out of sight (table structures and
    // document types), for the brewer who is told how by support.
    auto* reveal = new QShortcut(QKeySequence("Ctrl+Shift+H"), this);
    reveal->setObjectName("MOSTRANASCOSTE");
    connect(reveal, &QShortcut::activated, this, [this] {
        for (const MenuItem& item : MainMenu())
            if (item.hidden) action(item.action)->setVisible(!action(item.action)->isVisible());
    });
}

QAction* TFPRINCIPALE::action(const QString& name) const {
    const auto it = actions_.find(name);
    return it == actions_.end() ? nullptr : it->second;
}

QString TFPRINCIPALE::statusText() const {
    return status_->text();
}

void TFPRINCIPALE::refreshStatusLine() {
    status_->setText(RefreshStatusLine(state_, this));
}

void TFPRINCIPALE::buildMenu() {
    std::map<QString, QMenu*> menus;
    auto menuFor = [&](const MenuItem& item) -> QMenu* {
        QString key = item.menu;
        QMenu*& top = menus[key];
        if (!top) top = menuBar()->addMenu(item.menu);
        if (!item.submenu) return top;
        key += QString("›") + item.submenu;
        QMenu*& sub = menus[key];
        if (!sub) sub = top->addMenu(item.submenu);
        return sub;
    };
    for (const MenuItem& item : MainMenu()) {
        if (!item.caption) {  // a menu-bar entry that is itself the action
            QAction* a = menuBar()->addAction(item.menu);
            a->setObjectName(item.action);
            actions_[item.action] = a;
            continue;
        }
        QMenu* menu = menuFor(item);
        if (!item.action) {
            menu->addSeparator();
            continue;
        }
        QAction* a = menu->addAction(item.caption);
        a->setObjectName(item.action);
        a->setData(item.tag);
        a->setVisible(!item.hidden);
        actions_[item.action] = a;
    }
    for (const HiddenAction& h : ActionsWithoutItem()) {
        auto* a = new QAction(h.caption, this);
        a->setObjectName(h.action);
        a->setData(h.tag);
        actions_[h.action] = a;
    }
    // Nothing pretends to work: an entry is enabled only once a window is bound to it.
    for (auto& [name, a] : actions_) a->setEnabled(false);
}

void TFPRINCIPALE::bind(const char* name, std::function<void()> handler) {
    QAction* a = action(name);
    if (!a) return;
    a->setEnabled(true);
    connect(a, &QAction::triggered, this, [this, a, handler] {
        state_.actionTag = a->data().toInt();
        handler();
        if (area_) area_->refresh();  // the window may have filled in a step
    });
}

void TFPRINCIPALE::bindChecked(const char* name, std::function<void()> handler) {
    bind(name, [this, handler] {
        if (CheckConfiguration(state_, this)) handler();
    });
}

void TFPRINCIPALE::openWebSlot(int slot) {
    ui::OpenWebAddress(ui::FromField(state_.web.text[slot]));
}

void TFPRINCIPALE::connectActions() {
    bindChecked("Action26", [this] { openWebSlot(7); });
    bindChecked("Action27", [this] { openWebSlot(3); });
    bindChecked("Action29", [this] { openWebSlot(5); });
    BindTableWindows(*this);
    BindSetupWindows(*this);
    BindProductionWindows(*this);
    BindTributeWindows(*this);
    BindTelematicWindows(*this);
    BindOutcomeWindows(*this);
    BindRequestWindows(*this);
    BindPreventiveWindows(*this);
    BindRegisterWindows(*this);
    BindRawMaterialWindows(*this);
}

void TFPRINCIPALE::setUpdateCheck(net::UpdateCheck* check) {
    if (update_) update_->disconnect(this);
    update_ = check;
    if (!update_) return;
    connect(update_, &net::UpdateCheck::quitRequested, this, [this] { quitting_ = true; });
    connect(update_, &net::UpdateCheck::finished, this, &TFPRINCIPALE::releaseChecked);
}

void TFPRINCIPALE::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow()) return;
    if (area_) area_->refresh();  // another copy of the program may have changed the files
    // The window manager gives the activation back when the last box of an activation
    // closes; it may come before the next box opens or not at all, so only the first
    // activation after the end of the sequence counts as the box's.
    if (!activationRunning_ && ownBoxClosing_) {
        ownBoxClosing_ = false;
        return;
    }
    activated();
}

void TFPRINCIPALE::activated() {
    if (activationRunning_ || quitting_) return;
    activationRunning_ = true;
    boxShown_ = false;
    ownBoxClosing_ = false;
    // The download runs in the background; the reminder waits for its outcome so that the
    // question about a new release, when there is one, comes first.
    if (update_ && update_->start()) return;
    remind();
}

void TFPRINCIPALE::releaseChecked() {
    if (!activationRunning_) return;
    boxShown_ = update_->asked();
    if (quitting_) {
        // The updater has started: the program ends without reminding.
        activationRunning_ = false;
        return;
    }
    if (QApplication::activeModalWidget()) {
        // The user has opened a window of the menu while the server answered: its closing
        // makes the main window active again, and the reminder comes then.
        activationRunning_ = false;
        return;
    }
    remind();
}

void TFPRINCIPALE::remind() {
    if (tributes::TributeReminder(this, state_.folders)) boxShown_ = true;
    activationRunning_ = false;
    ownBoxClosing_ = boxShown_;
}

}  // namespace braxol::app
