#pragma once
// Shows the document on pages: grey desk, white sheets, the body flowing over them, scaled
// by the zoom factor as a whole so that line and page breaks never change with the zoom.
#include <QGraphicsView>

class BodyItem;
class ViewHost;

class PageView : public QGraphicsView {
    Q_OBJECT
public:
    PageView(ViewHost* control, BodyItem* body, QWidget* parent);

    void setZoom(int percent);
    void updatePages();  // after the page size or the page count changed
    // Horizontal position of a page x (layout units) in this view's viewport.
    int viewportX(double pageX) const;

signals:
    void scrolled();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void drawBackground(QPainter* painter, const QRectF& rect) override;
    void drawForeground(QPainter* painter, const QRectF& rect) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Chooses the part a click edits; true when the click fell beside the text and was handled.
    bool clickBesideText(QMouseEvent* event);
    ViewHost* m_control;
    BodyItem* m_body;
};
