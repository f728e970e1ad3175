#include "documentwindows.h"

#include "documenthost.h"
#include "documenttable.h"
#include "documentwindow.h"
#include "texts/programtexts.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace DocumentWindows {

DocumentWindow* createInSlot(DocumentHost* host, int slot)
{
    auto* window = new DocumentWindow(host);
    window->setTag(QString::number(slot));
    window->setCaption(Texts::UntitledPrefix + QString::number(slot));
    DocumentTable::shared().setWindow(slot, window);
    QMdiSubWindow* sub = host->mdiArea()->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->resize(host->mdiArea()->size() * 0.8);
    sub->show();
    host->mdiArea()->setActiveSubWindow(sub);
    return window;
}

DocumentWindow* NewDocumentWindow()
{
    DocumentHost* host = DocumentHost::current();
    const int slot = DocumentTable::shared().FindFreeDocumentSlot();
    return createInSlot(host, slot);
}

}  // namespace DocumentWindows
