#include "documentwindows.h"

#include "documenthost.h"
#include "documenttable.h"
#include "documentwindow.h"
#include "texts/programtexts.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace DocumentWindows {

DocumentWindow* createInSlot(DocumentHost* host, int slot, Visibility visibility)
{
    auto* window = new DocumentWindow(host);
    window->setTag(QString::number(slot));
    window->setCaption(Texts::UntitledPrefix + QString::number(slot));
    DocumentTable::shared().setWindow(slot, window);
    QMdiSubWindow* sub = host->mdiArea()->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->resize(host->mdiArea()->size() * 0.8);
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
