#include "objecthandles.h"

#include "components/textcontrol/document/objects.h"
#include "viewhost.h"

#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>

namespace {
constexpr double HandleSize = 6.0;
constexpr double MinimumSize = 4.0;

QRectF handleRect(QPointF centre) { return QRectF(centre - QPointF(HandleSize / 2, HandleSize / 2), QSizeF(HandleSize, HandleSize)); }
}  // namespace

QRectF ObjectHandles::selectedRect() const
{
    const QTextCursor cursor = m_control->textCursor();
    if (cursor.document() != m_control->document())
        return {};
    const int position = Objects::selectedImage(cursor);
    return position < 0 ? QRectF() : Objects::rect(cursor.document(), position);
}

ObjectHandles::Handle ObjectHandles::handleAt(const QRectF& image, QPointF point)
{
    if (image.isEmpty())
        return None;
    if (handleRect(image.bottomRight()).contains(point))
        return Corner;
    if (handleRect(QPointF(image.right(), image.center().y())).contains(point))
        return RightEdge;
    if (handleRect(QPointF(image.center().x(), image.bottom())).contains(point))
        return BottomEdge;
    return None;
}

QRectF ObjectHandles::resized(const QRectF& image, Handle handle, QPointF point)
{
    QRectF r = image;
    if (handle & RightEdge)
        r.setRight(std::max(image.left() + MinimumSize, point.x()));
    if (handle & BottomEdge)
        r.setBottom(std::max(image.top() + MinimumSize, point.y()));
    return r;
}

bool ObjectHandles::press(QPointF point)
{
    const QRectF current = selectedRect();
    if (const Handle handle = handleAt(current, point)) {
        m_handle = handle;
        m_start = m_preview = current;
        return true;
    }
    QTextDocument* document = m_control->document();
    const int image = Objects::imageAt(document, point);
    if (image < 0)
        return false;
    QTextCursor cursor(document);
    cursor.setPosition(image);
    cursor.setPosition(image + 1, QTextCursor::KeepAnchor);
    m_control->setTextCursor(cursor);
    return true;
}

bool ObjectHandles::move(QPointF point)
{
    if (m_handle == None)
        return false;
    m_preview = resized(m_start, m_handle, point);
    return true;
}

bool ObjectHandles::release(QPointF point)
{
    if (m_handle == None)
        return false;
    const QRectF size = resized(m_start, m_handle, point);
    m_handle = None;
    m_preview = QRectF();
    if (size.size() != m_start.size())
        m_control->setObjectSize(size.size());
    return true;
}

void ObjectHandles::draw(QPainter* painter) const
{
    const QRectF image = selectedRect();
    if (image.isEmpty())
        return;
    painter->save();
    painter->setPen(QPen(Qt::black, 0, Qt::DashLine));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(dragging() ? m_preview : image);
    painter->setPen(QPen(Qt::black, 0));
    painter->setBrush(Qt::white);
    for (const QPointF& centre : {image.bottomRight(), QPointF(image.right(), image.center().y()),
                                  QPointF(image.center().x(), image.bottom())})
        painter->drawRect(handleRect(centre));
    painter->restore();
}
