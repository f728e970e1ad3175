#include "menubuilder.h"

#include <QAction>
#include <QMenu>

namespace MenuBuilder {
namespace {

bool isCheckable(const QString& name)
{
    return name.startsWith(QLatin1String("mnuView_")) || name == QLatin1String("mnuIHeader")
        || name == QLatin1String("mnuIFooter") || name == QLatin1String("mnuIPageNo");
}

QMenu* buildMenu(QWidget* owner, const MenuTexts::Menu& spec,
                 const QList<MenuTexts::Menu>& submenus)
{
    auto* menu = new QMenu(QString::fromUtf8(spec.caption), owner);
    menu->setObjectName(QLatin1String(spec.name));
    menu->menuAction()->setObjectName(QLatin1String(spec.name) + QLatin1String("_menu"));
    for (const MenuTexts::Item& item : spec.items) {
        QAction* action = nullptr;
        if (item.submenu) {
            for (const MenuTexts::Menu& sub : submenus)
                if (qstrcmp(sub.name, item.submenu) == 0)
                    action = menu->addMenu(buildMenu(owner, sub, submenus));
        } else {
            // A separator keeps no caption: styles draw a separator's text in front of its line.
            if (qstrcmp(item.caption, "-") == 0) {
                action = new QAction(owner);
                action->setSeparator(true);
            } else {
                action = new QAction(QString::fromUtf8(item.caption), owner);
            }
            menu->addAction(action);
        }
        if (!action)
            continue;
        action->setObjectName(QLatin1String(item.name));
        if (item.shortcut && *item.shortcut)
            action->setShortcut(QKeySequence(QLatin1String(item.shortcut)));
        const bool checkable = !item.submenu && (item.checked || isCheckable(action->objectName()));
        action->setCheckable(checkable);
        action->setChecked(item.checked);
        action->setVisible(!item.hidden);
    }
    return menu;
}

}  // namespace

QList<QMenu*> build(QWidget* owner, const QList<MenuTexts::Menu>& menus,
                    const QList<MenuTexts::Menu>& submenus)
{
    QList<QMenu*> result;
    for (const MenuTexts::Menu& spec : menus) {
        QMenu* menu = buildMenu(owner, spec, submenus);
        menu->menuAction()->setVisible(!spec.hidden);
        result << menu;
    }
    return result;
}

}  // namespace MenuBuilder
