#pragma once
// The menus of the main window and of the document windows: object name, caption with its
// access key, shortcut, and the items of each menu in menu order.
#include <QList>
#include <QString>

namespace MenuTexts {

struct Item {
    const char* name;      // objectName of the action ("-" captions are separators)
    const char* caption;
    const char* shortcut;  // QKeySequence text, empty for none
    bool checked = false;  // checked when the window is created
    bool hidden = false;
    const char* submenu = nullptr;  // name of a submenu that this item opens
};

struct Menu {
    const char* name;
    const char* caption;
    QList<Item> items;
    bool hidden = false;
};

// The menus of the main window while no document window is open.
const QList<Menu>& mainMenus();
// The menu bar of a document window, and its submenus.
const QList<Menu>& documentMenus();
const QList<Menu>& documentSubmenus();

}  // namespace MenuTexts
