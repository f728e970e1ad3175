#include "documentwindows.h"

#include "hosts/documenthost.h"
#include "documenttable.h"
#include "documentwindow.h"
#include "texts/programtexts.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>

namespace DocumentWindows {
namespace {

// A new window goes a step down and right of the active one, as a cascade does, and back to
// the top left corner where it would leave the area; Qt's own placement puts it beside the
// others, often half outside the main window.
void place(QMdiArea* area, QMdiSubWindow* sub)
{
    const QMdiSubWindow* active = area->activeSubWindow();
    if (!active || active == sub || active->isMaximized() || active->isMinimized()) {
        sub->move(0, 0);
        return;
    }
    const int step = sub->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, sub) + 4;
    QPoint at = active->pos() + QPoint(step, step);
    if (at.x() + sub->width() > area->viewport()->width() || at.y() + sub->height() > area->viewport()->height())
        at = QPoint(0, 0);
    sub->move(at);
}

}  // namespace

DocumentWindow* createInSlot(DocumentHost* host, int slot, Visibility visibility)
{
    auto* window = new DocumentWindow(host);
    window->setTag(QString::number(slot));
    window->setCaption(Texts::UntitledPrefix + QString::number(slot));
    DocumentTable::shared().setWindow(slot, window);
    QMdiSubWindow* sub = host->mdiArea()->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->resize(host->mdiArea()->size() * 0.8);
    place(host->mdiArea(), sub);
    if (visibility == Shown)
        show(window);
    return window;
}

void show(DocumentWindow* window)
{
    QMdiSubWindow* sub = window->subWindow();
    sub->show();
    window->host()->mdiArea()->setActiveSubWindow(sub);
}

void discard(DocumentWindow* window)
{
    window->setCloseApproved(true);
    window->subWindow()->close();
}

DocumentWindow* NewDocumentWindow()
{
    DocumentHost* host = DocumentHost::current();
    const int slot = DocumentTable::shared().FindFreeDocumentSlot();
    return createInSlot(host, slot);
}

}  // namespace DocumentWindows
