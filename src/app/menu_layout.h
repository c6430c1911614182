#pragma once
// The main menu, item by item: captions ("&" marks the accelerator), action names and tags.

#include <QString>
#include <span>

namespace braxol::app {

struct MenuItem {
    const char* menu;     // top-level caption
    const char* submenu;  // caption of the submenu, or nullptr
    const char* caption;  // "-" for a separator
    const char* action;   // object name of the action, nullptr for a separator
    int tag;
    bool hidden;
};

std::span<const MenuItem> MainMenu();

// Where an action sits in the menu, as the user reads it: "Dati Aziendali → Dati Fiscali /
// Anagrafici" for "Action9" ("" for an action that is not in the menu).
QString MenuPath(const char* action);

// Actions that exist without a menu item.
struct HiddenAction {
    const char* action;
    const char* caption;
    int tag;
};
std::span<const HiddenAction> ActionsWithoutItem();

}  // namespace braxol::app
