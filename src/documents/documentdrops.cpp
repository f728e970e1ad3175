#include "documentdrops.h"

#include "components/textcontrol/view/pageview.h"
#include "components/textcontrol/textcontrol.h"
#include "hosts/documenthost.h"
#include "documentwindow.h"
#include "layout/imagedialog.h"
#include "opendocument.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QImageReader>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QUrl>

namespace {

constexpr int TwipsPerUnit = 15;  // the layout's 96 units an inch

// Where `viewportPoint` falls in the body's document, in twips.
QPoint documentPoint(TextControl* control, const QPoint& viewportPoint)
{
    PageView* view = control->pageView();
    const QPointF scene = view->mapToScene(viewportPoint);
    for (QGraphicsItem* item : view->scene()->items()) {
        auto* text = qgraphicsitem_cast<QGraphicsTextItem*>(item);
        if (text && text->document() == control->document()) {
            const QPointF at = text->mapFromScene(scene);
            return {int(at.x() * TwipsPerUnit), int(at.y() * TwipsPerUnit)};
        }
    }
    return {int(scene.x() * TwipsPerUnit), int(scene.y() * TwipsPerUnit)};
}

}  // namespace

DocumentDrops::DocumentDrops(DocumentWindow* window) : QObject(window), m_window(window) {}

void DocumentDrops::watch(DocumentWindow* window)
{
    auto* drops = new DocumentDrops(window);
    window->textControl()->pageView()->viewport()->installEventFilter(drops);
}

QStringList DocumentDrops::localFiles(const QMimeData* mime)
{
    if (!mime || !mime->hasUrls())
        return {};
    QStringList paths;
    for (const QUrl& url : mime->urls()) {
        if (!url.isLocalFile())
            return {};  // a link from a web page is text to insert, not a file to open
        paths << url.toLocalFile();
    }
    return paths;
}

bool DocumentDrops::isPicture(const QString& path)
{
    return QFileInfo(path).isFile() && !QImageReader::imageFormat(path).isEmpty();
}

void DocumentDrops::openFiles(const QStringList& paths)
{
    DocumentHost* host = DocumentHost::current();
    for (const QString& path : paths) {
        if (DocumentWindow* open = OpenDocuments::windowOf(path)) {
            if (QMdiSubWindow* sub = open->subWindow())
                host->mdiArea()->setActiveSubWindow(sub);
            continue;
        }
        OpenDocuments::OpenDocument(path);
    }
    host->RebuildRecentFileMenus();
}

bool DocumentDrops::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return QObject::eventFilter(watched, event);
    auto* drop = static_cast<QDropEvent*>(event);
    const QStringList files = localFiles(drop->mimeData());
    if (files.isEmpty())
        return false;  // text: the page inserts it at the drop point
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (type != QEvent::Drop)
        return true;
    TextControl* control = m_window->textControl();
    QStringList documents;
    QPoint at = documentPoint(control, drop->position().toPoint());
    for (const QString& path : files) {
        if (!isPicture(path)) {
            documents << path;
            continue;
        }
        // Each further picture a little lower, so that none hides another.
        if (ImageCommands::InsertImagePath(control, path, at.x(), at.y()))
            at.ry() += TwipsPerUnit;
    }
    openFiles(documents);
    return true;
}
