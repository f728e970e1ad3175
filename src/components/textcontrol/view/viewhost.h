#pragma once
// What the page view, its items, the bars and the find dialog ask of the control they show:
// its document and caret, its page, the parts being edited, and the edits that keys, clicks and
// buttons make. The text control implements it, so nothing here needs the control's own header.
#include <QPointF>
#include <QPointer>
#include <QSizeF>
#include <QString>
#include <QTextCursor>
#include <QWidget>
#include <functional>

class BodyItem;
class HeaderFooter;
class ObjectHandles;
class PageView;
class QPainter;
class QTextBlockFormat;
class QTextCharFormat;
class QTextDocument;
class UndoKinds;

class ViewHost {
public:
    enum ClipOperation { ClipCut = 1, ClipCopy = 2, ClipPaste = 3, ClipDelete = 4 };
    // What a bar follows.
    enum Change { CaretMoved = 1, PagesChanged = 2, ZoomChanged = 4, ModeChanged = 8 };
    using WordCheck = std::function<bool(const QString& word)>;

    virtual ~ViewHost() = default;

    // The control as a widget: for focus, its window and screen coordinates.
    virtual QWidget* widget() = 0;
    virtual QTextDocument* document() const = 0;
    virtual QTextCursor textCursor() const = 0;
    virtual void setTextCursor(const QTextCursor& cursor) = 0;
    virtual QString selText() const = 0;

    // The page, twips.
    virtual int pageWidth() const = 0;
    virtual int pageHeight() const = 0;
    virtual int pageMarginL() const = 0;
    virtual int pageMarginR() const = 0;
    virtual int currentPages() const = 0;  // once all is laid out
    virtual int laidOutPages() const = 0;  // so far
    virtual int zoomFactor() const = 0;
    virtual bool insertionMode() const = 0;
    virtual bool tableGridLines() const = 0;
    virtual const WordCheck& spellingCheck() const = 0;

    virtual HeaderFooter* headerFooterParts() const = 0;
    virtual BodyItem* editingItem() const = 0;
    virtual ObjectHandles* objectHandles() const = 0;
    virtual PageView* pageView() const = 0;
    virtual UndoKinds* undoKinds() const = 0;
    virtual void paintPageDecorations(QPainter* painter, int page, QPointF origin, bool onScreen) const = 0;
    virtual void selectPartAt(QPointF scenePoint) = 0;
    virtual void placeCaretNear(QPointF scenePoint) = 0;
    virtual void headerFooterSelect(int part) = 0;

    // Edits, each one undo step.
    virtual void clip(int operation) = 0;
    virtual void undo() = 0;
    virtual void redo() = 0;
    virtual void insertPageBreak() = 0;
    virtual void mergeCharFormat(const QTextCharFormat& format) = 0;
    virtual void mergeBlockFormat(const QTextBlockFormat& format) = 0;
    virtual void setAlignment(Qt::Alignment alignment) = 0;
    virtual int listStyle() const = 0;
    virtual void toggleList(bool numbered) = 0;
    virtual void setObjectSize(QSizeF size) = 0;

    // What the body item reports before it acts.
    virtual void notifyKey(int keyCode, int shift) = 0;
    virtual void notifyMouse(int buttons, int shift, QPoint at) = 0;
    virtual void notifyFocus(BodyItem* item) = 0;

    // Runs `refresh` (with `receiver` as its context) whenever one of `changes` happens.
    virtual void follow(QObject* receiver, int changes, const std::function<void()>& refresh) = 0;
};

// A host that reads as null once its control is gone, as a QPointer does for a widget.
class HostPointer {
public:
    HostPointer& operator=(ViewHost* host)
    {
        m_host = host;
        m_widget = host ? host->widget() : nullptr;
        return *this;
    }
    ViewHost* get() const { return m_widget ? m_host : nullptr; }
    ViewHost* operator->() const { return get(); }
    operator ViewHost*() const { return get(); }
    QWidget* widget() const { return m_widget; }

private:
    ViewHost* m_host = nullptr;
    QPointer<QWidget> m_widget;
};
