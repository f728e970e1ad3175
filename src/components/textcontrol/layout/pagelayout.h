#pragma once
// The engine's own layout: pages are its unit. The body's paragraphs, tables and placed pictures
// are put on the pages of the document's page size, between the root frame's margins, at
// fractional positions: a line is as high as its fonts' ascent, descent and leading (not rounded
// up to whole units), the space after one paragraph and before the next add up, a table row that
// does not fit moves whole to the next page, where the table's heading rows are drawn again, and
// text flows round placed pictures. Positions are doubles, so there is no ceiling on the number
// of pages.
//
// What was placed is kept per top-level piece of the body (a paragraph, a table, a picture), in
// order, and found by binary search. An edit lays out again from the piece it touched until the
// pieces after it land where they were before. In lazy mode a long document is laid out a few
// pages at once and the rest in slices while the program is idle.
#include <QAbstractTextDocumentLayout>
#include <memory>

class PageLayout : public QAbstractTextDocumentLayout {
    Q_OBJECT
public:
    explicit PageLayout(QTextDocument* document);
    ~PageLayout() override;

    void draw(QPainter* painter, const PaintContext& context) override;
    int hitTest(const QPointF& point, Qt::HitTestAccuracy accuracy) const override;
    int pageCount() const override;
    QSizeF documentSize() const override;
    QRectF frameBoundingRect(QTextFrame* frame) const override;
    QRectF blockBoundingRect(const QTextBlock& block) const override;

    // The cells of the tables laid out in `area`, each page's piece of a cell on its own: where
    // the view draws its grid lines.
    QList<QRectF> cellBoxes(const QRectF& area) const;

    // The page a paragraph starts on, from 0.
    int pageOfBlock(const QTextBlock& block) const;

    // Bands at the top and bottom of each page, measured from the page's top edge and from the
    // bottom of its pitch, that the body keeps clear of even where the margins are smaller: the
    // header and the footer, which on the first page may be its own.
    struct ClearBands {
        double top = 0;
        double bottom = 0;
        double firstTop = 0;
        double firstBottom = 0;
        bool operator==(const ClearBands&) const = default;
    };
    void setClearBands(const ClearBands& bands);

    // In lazy mode only the first pages are laid out when the document changes as a whole; the
    // rest follows in slices on idle time, the page count growing until it is final.
    void setLazy(bool lazy);
    // Lays out whatever is still waiting: printing and export need every page.
    void layOutAll();
    bool isComplete() const;

    // What was placed and the placing (pageengine.h); only the layout's own files use it.
    class Engine;

protected:
    void documentChanged(int from, int charsRemoved, int charsAdded) override;

private:
    std::unique_ptr<Engine> m_engine;
};

// The layout a document gets from the engine: this layout with the paint device the engine
// measures with, lazy or not. Returns the layout the document now has.
PageLayout* installPageLayout(QTextDocument* document, QPaintDevice* device, bool lazy = false);
