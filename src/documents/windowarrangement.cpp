#include "windowarrangement.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace WindowArrangement {
namespace {

// Tiles the windows that are not minimised: in rows one above the other, or in columns.
void tile(QMdiArea* area, bool rows)
{
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* sub : area->subWindowList())
        if (!sub->isMinimized())
            windows << sub;
    const int n = int(windows.size());
    const QRect room = area->viewport()->rect();
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow* sub = windows.at(i);
        sub->showNormal();
        if (rows)
            sub->setGeometry(0, room.height() * i / n, room.width(), room.height() / n);
        else
            sub->setGeometry(room.width() * i / n, 0, room.width() / n, room.height());
    }
}

// Minimised windows are lined up along the bottom edge.
void arrangeIcons(QMdiArea* area)
{
    int x = 0;
    const QRect room = area->viewport()->rect();
    for (QMdiSubWindow* sub : area->subWindowList()) {
        if (!sub->isMinimized())
            continue;
        sub->move(x, room.height() - sub->height());
        x += sub->width();
    }
}

}  // namespace

void arrange(QMdiArea* area, int mode)
{
    switch (mode) {
    case Cascade: area->cascadeSubWindows(); break;
    case TileHorizontal: tile(area, true); break;
    case TileVertical: tile(area, false); break;
    case ArrangeIcons: arrangeIcons(area); break;
    default: break;
    }
}

}  // namespace WindowArrangement
