#pragma once
// The engine's own layout: pages are its unit. Each paragraph's lines are placed on the pages of
// the document's page size, between the root frame's margins, at fractional positions: a line is
// as high as its fonts' ascent, descent and leading (not rounded to whole units), the space after
// one paragraph and before the next add up, and positions are doubles, so there is no ceiling on
// the number of pages. Paragraphs are found by their number, never by scanning.
//
// Not yet laid out here: tables, floating frames and pictures; documents with them keep Qt's
// layout until this one places them.
#include <QAbstractTextDocumentLayout>
#include <QList>

class PageLayout : public QAbstractTextDocumentLayout {
    Q_OBJECT
public:
    explicit PageLayout(QTextDocument* document);

    // Whether this layout can place everything `document` holds.
    static bool canLayOut(const QTextDocument* document);

    void draw(QPainter* painter, const PaintContext& context) override;
    int hitTest(const QPointF& point, Qt::HitTestAccuracy accuracy) const override;
    int pageCount() const override;
    QSizeF documentSize() const override;
    QRectF frameBoundingRect(QTextFrame* frame) const override;
    QRectF blockBoundingRect(const QTextBlock& block) const override;

    // The page a paragraph starts on, from 0.
    int pageOfBlock(const QTextBlock& block) const;

protected:
    void documentChanged(int from, int charsRemoved, int charsAdded) override;

private:
    struct Placed {
        double top = 0;     // of the paragraph's box, document coordinates
        double bottom = 0;  // below its last line and its space after
        int page = 0;
    };

    // Lays out from paragraph `first` to the end; paragraphs before it keep their places.
    void layOutFrom(int first);
    // Places one paragraph whose box starts at `y`; gives the y after it.
    double placeBlock(const QTextBlock& block, double y, bool pageTop, int* page);
    double pageTop(int page) const;
    double pageBottom(int page) const;
    int blockAt(double y) const;

    QList<Placed> m_placed;  // by paragraph number
    int m_pages = 1;
};
