#pragma once
// The editable text of the page view: one item that holds the whole body and flows it over
// the pages. It reports keys and mouse buttons to its control before acting on them.
#include <QGraphicsTextItem>

class ViewHost;

class QGraphicsView;

class BodyItem : public QGraphicsTextItem {
    Q_OBJECT
public:
    explicit BodyItem(ViewHost* control);

    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

protected:
    bool sceneEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent* event) override;
    void contextMenuEvent(QGraphicsSceneContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    void typeBesidePlacedPicture(QKeyEvent* event);
    bool tableKey(QKeyEvent* event);
    bool pageKey(QKeyEvent* event);
    QGraphicsView* view() const;  // the view that shows the item, if any
    bool listKey(QKeyEvent* event);
    void prepareOverwrite();
    int lockedFieldAt(int position) const;
    bool removeLockedField(QKeyEvent* event);
    void leaveLockedField(bool forwards);
    void plainTypingFormat();
    void continueParagraph(const QTextCharFormat& typing);
    bool isBody() const;
    ViewHost* m_control;
};
