#pragma once
// Selecting and resizing an image with the mouse: a click on an image selects it, and its
// handles (right edge, bottom edge, bottom-right corner) drag it to a new size.
#include <QPointF>
#include <QRectF>

class QPainter;
class ViewHost;

class ObjectHandles {
public:
    enum Handle { None = 0, RightEdge = 1, BottomEdge = 2, Corner = RightEdge | BottomEdge };

    explicit ObjectHandles(ViewHost* control) : m_control(control) {}

    // A press at `point` (layout units): true when it selected an image or took a handle.
    bool press(QPointF point);
    // True while a handle is being dragged.
    bool move(QPointF point);
    bool release(QPointF point);
    bool dragging() const { return m_handle != None; }

    // The selected image's frame with its handles, or the outline of the size being dragged.
    void draw(QPainter* painter) const;

    static Handle handleAt(const QRectF& image, QPointF point);
    static QRectF resized(const QRectF& image, Handle handle, QPointF point);

private:
    QRectF selectedRect() const;

    ViewHost* m_control;
    Handle m_handle = None;
    QRectF m_start;
    QRectF m_preview;
};
