#include "pageview.h"

#include "components/textcontrol/layout/pagelayout.h"

#include "components/textcontrol/layout/listmarkers.h"

#include "objecthandles.h"
#include "components/textcontrol/document/paragraphframes.h"
#include "components/textcontrol/layout/spellingunderline.h"

#include "bodyitem.h"
#include "components/textcontrol/layout/headerfooter.h"
#include "components/textcontrol/document/layoutunits.h"
#include "viewhost.h"

#include <QCoreApplication>
#include <QGraphicsScene>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextTable>
#include <QScrollBar>
#include <cmath>

namespace {
const QColor DeskColour(0x80, 0x80, 0x80);
const QColor ShadowColour(0x50, 0x50, 0x50);
}

PageView::PageView(ViewHost* control, BodyItem* body, QWidget* parent)
    : QGraphicsView(parent), m_control(control), m_body(body)
{
    setObjectName(QStringLiteral("PageView"));
    setScene(new QGraphicsScene(this));
    scene()->addItem(body);
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setViewportUpdateMode(QGraphicsView::MinimalViewportUpdate);
    setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    setFrameShape(QFrame::NoFrame);
    setCacheMode(QGraphicsView::CacheNone);
    setFocusPolicy(Qt::StrongFocus);
}

void PageView::setZoom(int percent)
{
    const double scale = std::clamp(percent, 10, 500) / 100.0;
    setTransform(QTransform::fromScale(scale, scale));
    emit scrolled();
}

void PageView::updatePages()
{
    using namespace LayoutUnits;
    const double width = fromTwips(m_control->pageWidth());
    const double pitch = fromTwips(m_control->pageHeight()) + PageGap;
    const int pages = std::max(1, m_control->laidOutPages());
    scene()->setSceneRect(-PageGap, -PageGap, width + 2 * PageGap, pages * pitch + PageGap);
    viewport()->update();
}

int PageView::viewportX(double pageX) const { return mapFromScene(QPointF(pageX, 0)).x(); }

bool PageView::event(QEvent* event)
{
    // Tab and Shift+Tab belong to the document (a tab character, the next cell): the scene would
    // hand a text item's Tab back to the window as a move of the keyboard focus.
    if (event->type() == QEvent::KeyPress && scene() && scene()->focusItem()) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            scene()->sendEvent(scene()->focusItem(), key);
            return true;
        }
    }
    return QGraphicsView::event(event);
}

void PageView::drawBackground(QPainter* painter, const QRectF& rect)
{
    using namespace LayoutUnits;
    painter->fillRect(rect, DeskColour);
    const double width = fromTwips(m_control->pageWidth());
    const double height = fromTwips(m_control->pageHeight());
    const double pitch = height + PageGap;
    const int pages = std::max(1, m_control->laidOutPages());
    const int first = std::max(0, int(std::floor(rect.top() / pitch)));
    const int last = std::min(pages - 1, int(std::floor(rect.bottom() / pitch)));
    for (int page = first; page <= last; ++page) {
        const QRectF sheet(0, page * pitch, width, height);
        painter->fillRect(sheet.translated(3, 3), ShadowColour);
        painter->fillRect(sheet, Qt::white);
        m_control->paintPageDecorations(painter, page + 1, sheet.topLeft(), true);
    }
}

// Over the text: paragraph frames, the selected image's handles, the spelling underline, and the table grid lines (dotted
// cell outlines on screen, never printed).
void PageView::drawForeground(QPainter* painter, const QRectF& rect)
{
    ParagraphFrames::draw(painter, rect, m_control->document());
    ListMarkers::draw(painter, rect, m_control->document());
    const QRectF editing = m_control->headerFooterParts()->editingFrame();
    if (!editing.isNull()) {  // the header or footer being edited
        painter->save();
        painter->setPen(QPen(QColor(0x40, 0x60, 0xc0), 0, Qt::DashLine));
        painter->drawRect(editing);
        painter->restore();
    }
    m_control->objectHandles()->draw(painter);
    if (m_control->spellingCheck())
        SpellingUnderline::draw(painter, rect, m_control->document(), m_control->spellingCheck());
    if (!m_control->tableGridLines())
        return;
    const auto* layout = qobject_cast<const PageLayout*>(m_control->document()->documentLayout());
    if (!layout)
        return;
    painter->save();
    painter->setPen(QPen(QColor(0x80, 0x80, 0xff), 0, Qt::DotLine));
    for (const QRectF& cell : layout->cellBoxes(rect))
        painter->drawRect(cell);
    painter->restore();
}

void PageView::scrollContentsBy(int dx, int dy)
{
    QGraphicsView::scrollContentsBy(dx, dy);
    emit scrolled();
}

// In a table Ctrl+Tab types a tab. The window area that switches documents with Ctrl+Tab
// watches every key of the application, so the view watches them too while it has the focus,
// and sees them first.
bool PageView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == this && event->type() == QEvent::KeyPress && scene()->focusItem()) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab && (key->modifiers() & Qt::ControlModifier)
            && m_control->textCursor().currentTable()) {
            scene()->sendEvent(scene()->focusItem(), key);
            return true;
        }
    }
    return QGraphicsView::eventFilter(watched, event);
}

// Whenever the view has the keyboard focus, the text being edited has it: the scene forgets its
// focus item when the window loses the activation to a dialog, and typing would go nowhere.
void PageView::focusInEvent(QFocusEvent* event)
{
    qApp->installEventFilter(this);
    QGraphicsView::focusInEvent(event);
    if (!scene()->focusItem())
        m_control->editingItem()->setFocus(event->reason());
}

void PageView::focusOutEvent(QFocusEvent* event)
{
    qApp->removeEventFilter(this);
    QGraphicsView::focusOutEvent(event);
}

// A click in the header or footer area edits that part, anywhere else the body. A click beside
// the text (between the pages, below the last line, between a header and the body) puts the
// caret at the nearest position instead of taking the focus from the text, as the scene would.
bool PageView::clickBesideText(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    const QPointF at = mapToScene(point);
    if (event->button() == Qt::LeftButton)
        m_control->selectPartAt(at);
    QGraphicsItem* target = m_control->editingItem();
    if (itemAt(point) == target)
        return false;
    if (event->button() == Qt::LeftButton)
        m_control->placeCaretNear(at);
    event->accept();
    return true;
}

void PageView::mousePressEvent(QMouseEvent* event)
{
    if (!clickBesideText(event))
        QGraphicsView::mousePressEvent(event);
}

void PageView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (!clickBesideText(event))
        QGraphicsView::mouseDoubleClickEvent(event);
}

void PageView::resizeEvent(QResizeEvent* event)
{
    QGraphicsView::resizeEvent(event);
    emit scrolled();
}
