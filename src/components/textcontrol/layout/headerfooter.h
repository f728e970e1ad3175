#pragma once
// The header and the footer of a document: a document each, drawn in the margins of every
// page with page-number fields showing that page's number, and editable in place on any page.
// The first page may have a header and a footer of its own, as a letterhead does.
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
    // A part's bit in parts(): the first page's own parts stand in for the others on page 1.
    enum Part { Header = 1, FirstHeader = 2, Footer = 4, FirstFooter = 8 };
    static constexpr int AllParts = Header | FirstHeader | Footer | FirstFooter;
    static constexpr int Parts[] = {Header, FirstHeader, Footer, FirstFooter};
    static bool isHeader(int part) { return part == Header || part == FirstHeader; }

    // Each part is edited in place in an item `makeEditor` gives, on `scene`.
    HeaderFooter(QObject* parent, const PageSource* page, QGraphicsScene* scene, const QFont& font,
                 const std::function<QGraphicsTextItem*()>& makeEditor);

    int parts() const { return m_parts; }
    void setParts(int parts);
    QTextDocument* document(int part) const;
    QGraphicsTextItem* item(int part) const;

    // The part the user edits (one of Part), or 0 for the body; shows that part's editor on page
    // `page` (1-based), or, for 0, on the first page that shows the part.
    int editing() const { return m_editing; }
    int editingPage() const { return m_editingPage; }
    void setEditing(int part, int page = 0);
    // The part page `page` shows in the header's place (`header`) or the footer's; 0 for none.
    int shownOn(int page, bool header) const;

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
    // How far the parts page 1 (`first`) or the other pages show reach into the page from its
    // top and its bottom edge (layout units, 0 for a part that is off): the body keeps clear of
    // them, as in Word.
    double topReach(bool first) const;
    double bottomReach(bool first) const;
    // The top-left corner of page `page` (1-based) in the page view.
    QPointF pageOrigin(int page) const;
    // The text page `page` of `pages` shows in the place of `part` (Header or Footer): its
    // page-number fields filled in.
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

    static int slot(int part);
    double height(int part) const;

    const PageSource* m_page;
    QTextDocument* m_documents[4];  // by slot(): header, first page's header, footer, first page's footer
    QGraphicsTextItem* m_items[4];
    int m_parts = 0;
    int m_editing = 0;
    int m_editingPage = 1;
};
