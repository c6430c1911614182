#include "app/main_window.h"

#include <QAction>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>

#include "app/background.h"
#include "app/configuration_check.h"
#include "app/menu_layout.h"
#include "app/window_openers.h"
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
    const QString picture = QString::fromStdString((state_.folders.root / "BRAXOL.jpg").string());
    auto* background = new Background(QPixmap(picture), this);
    background->setObjectName("SFONDO");
    setCentralWidget(background);

    status_ = new QLabel(this);
    status_->setObjectName("STATUSBAR");
    statusBar()->addWidget(status_, 1);

    buildMenu();
    connectActions();

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
    });
}

void TFPRINCIPALE::bindChecked(const char* name, std::function<void()> handler) {
    bind(name, [this, handler] {
        if (CheckConfiguration(state_, this)) handler();
    });
}

void TFPRINCIPALE::openWebSlot(int slot) {
    const QString address = ui::FromField(state_.web.text[slot]);
    if (!address.isEmpty()) ui::Seams::shell().open(address);
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
    BindPreventiveWindows(*this);
}

void TFPRINCIPALE::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) activated();
}

void TFPRINCIPALE::activated() {
    if (onActivated) onActivated();
    // The reminder's own message box gives the activation back when it closes: that one
    // activation is not a reason to remind again.
    if (reminderShown_) {
        reminderShown_ = false;
        return;
    }
    reminderShown_ = tributes::TributeReminder(this, state_.folders);
}

}  // namespace braxol::app
