#pragma once
// Builds menus from the menu tables: every item becomes an action owned by `owner`, named
// after the item, so that owner->findChild<QAction*>(name) finds it.
#include "texts/menutexts.h"

#include <QList>

class QAction;
class QMenu;
class QWidget;

namespace MenuBuilder {

QList<QMenu*> build(QWidget* owner, const QList<MenuTexts::Menu>& menus,
                    const QList<MenuTexts::Menu>& submenus = {});

}  // namespace MenuBuilder
