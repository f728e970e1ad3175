#pragma once
// The header and the footer of a document: a document each, drawn in the margins of every
// page with page-number fields showing that page's number, and editable in place on any page.
#include "pagesource.h"

#include <QFont>
#include <QObject>
#include <QPointF>
#include <QRectF>
#include <functional>
#include <memory>

class QGraphicsScene;
class QGraphicsTextItem;
class QPainter;
class QTextDocument;

class HeaderFooter : public QObject {
    Q_OBJECT
public:
    enum Part { Header = 1, Footer = 4 };

    // Each part is edited in place in an item `makeEditor` gives, on `scene`.
    HeaderFooter(QObject* parent, const PageSource* page, QGraphicsScene* scene, const QFont& font,
                 const std::function<QGraphicsTextItem*()>& makeEditor);

    int parts() const { return m_parts; }
    void setParts(int parts);
    QTextDocument* document(int part) const;
    QGraphicsTextItem* item(int part) const;

    // The part the user edits (1 or 4), or 0 for the body; shows that part's editor on page
    // `page` (1-based).
    int editing() const { return m_editing; }
    int editingPage() const { return m_editingPage; }
    void setEditing(int part, int page = 1);

    // The part whose area of a page holds `scenePoint` (the page view's coordinates): the header
    // from the paper's top edge down to the body, the footer from the end of the body to the
    // bottom edge; 0 when the point lies elsewhere or the part is off. `page` receives the page.
    int partAt(QPointF scenePoint, int* page = nullptr) const;
    // The frame drawn round the part being edited, in the page view's coordinates.
    QRectF editingFrame() const;

    // Replaces a part's content with that of `from`.
    void setContent(int part, const QTextDocument* from);

    // After a change of page size or margins.
    void updateGeometry();
    // Draws the parts of page `page` whose top-left corner is at `origin`.
    void paint(QPainter* painter, int page, int pages, QPointF origin, bool onScreen) const;
    // Where a part sits on a page, relative to the page's corner (layout units).
    QPointF position(int part) const;
    // How far the parts shown reach into the page from its top and its bottom edge (layout
    // units, 0 for a part that is off): the body keeps clear of them, as in Word.
    double topReach() const;
    double bottomReach() const;
    // The top-left corner of page `page` (1-based) in the page view.
    QPointF pageOrigin(int page) const;
    // The text a part shows on page `page` of `pages`: its page-number fields filled in.
    QString textOnPage(int part, int page, int pages) const;

signals:
    void changed();
    // The parts' reach may have changed: shown, hidden, resized or moved.
    void geometryChanged();

private:
    void paintPart(QPainter* painter, int part, int page, int pages, QPointF at) const;
    // The part as page `page` shows it: a copy with its numbers filled in, or null when the
    // part has no page-number fields and is shown as it is.
    std::unique_ptr<QTextDocument> pageCopy(int part, int page, int pages) const;

    const PageSource* m_page;
    QTextDocument* m_header;
    QTextDocument* m_footer;
    QGraphicsTextItem* m_headerItem;
    QGraphicsTextItem* m_footerItem;
    int m_parts = 0;
    int m_editing = 0;
    int m_editingPage = 1;
};
