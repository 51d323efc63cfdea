// The menus of the main frame as data: each menu's title and items (command id, label
// text id, shortcut), and the toolbar's buttons.
#pragma once

#include <vector>

namespace ks {

struct MenuItemDef {
    int command = 0;  // 0 = separator; -1 = submenu start, -2 = submenu end
    int label = 0;    // text id of the label
    const char* shortcut = nullptr;
    // A key the document view handles itself, shown beside the label (Tab for Play).
    const char* viewKey = nullptr;
    // A key of the built-in hot key table (or a cursor key) that runs the command in the
    // document view, shown beside the label; it is no shortcut of the menu item.
    const char* hotKey = nullptr;
};

struct MenuDef {
    int title;  // text id
    std::vector<MenuItemDef> items;
};

// The menus in menu-bar order. The Page and Layout menus are shown only while the
// active window is in that mode.
const std::vector<MenuDef>& mainMenus();

// Toolbar buttons in order; 0 = separator.
const std::vector<int>& toolBarCommands();

}  // namespace ks
