#pragma once
// What the page layout keeps of what it placed, and the placing itself. Private to the layout;
// pagelayout.h is the interface.
#include "pagelayout.h"

#include <QElapsedTimer>
#include <QList>
#include <QRectF>
#include <QTextBlock>
#include <QTextTable>
#include <unordered_map>

class QTextFrame;
class QTimer;

class PageLayout::Engine {
public:
    // The horizontal room of a flow: the body itself (`root`), which breaks pages, a table cell,
    // which breaks pages too (`paged`), or a placed picture's frame.
    struct Region {
        double left = 0;
        double right = 0;
        bool paged = false;
        bool root = false;
    };
    // Where the next piece goes.
    struct Pen {
        double y = 0;
        int page = 0;
    };
    struct BlockBox {
        double top = 0;  // before the space above
        double textTop = 0;
        double textBottom = 0;
        double bottom = 0;  // after the space below
        double left = 0;
        double right = 0;
        int page = 0;
    };
    // One top-level piece of the body: a paragraph, a table or another frame.
    struct Item {
        double top = 0;
        double bottom = 0;
        int page = 0;
        int lastPage = 0;
        int firstBlock = 0;
        int lastBlock = 0;
        QTextFrame* frame = nullptr;
    };
    struct Row {
        double top = 0;
        double bottom = 0;
        int page = 0;
        int lastPage = 0;
    };
    // The table's heading rows drawn again on `page`, `dy` below where they stand.
    struct Repeat {
        int page = 0;
        double top = 0;
        double bottom = 0;
        double dy = 0;
    };
    struct TableBox {
        QList<double> edges;  // the columns' edges, left to right
        QList<Row> rows;
        QList<Repeat> repeats;
        double border = 0;
        int headerRows = 0;
        double top = 0;
        double bottom = 0;
    };
    // A placed picture's frame and the room it keeps free of text.
    struct FloatBox {
        QTextFrame* frame = nullptr;
        QRectF rect;
        QRectF keepOut;
        double anchorY = 0;
    };

    explicit Engine(PageLayout* layout);

    void changed(int from, int charsAdded);
    void continueLazily();
    void ensureLaidOut(int blockNumber);
    void ensureLaidOutTo(double y);
    bool complete() const { return m_nextBlock < 0; }

    double pageHeight() const;
    double pageTop(int page) const;
    double pageBottom(int page) const;

    PageLayout* q;
    QTextDocument* doc;
    QList<BlockBox> blocks;  // by paragraph number
    QList<Item> items;       // the body's pieces in order
    std::unordered_map<const QTextFrame*, TableBox> tables;
    QList<FloatBox> floats;
    int pages = 1;
    bool lazy = false;
    ClearBands clear;
    QTimer* idle = nullptr;

    // The direct child frame of `container` that holds `block`; null for the container's own.
    QTextFrame* childHolding(const QTextBlock& block, const QTextFrame* container) const;
    // The first item whose bottom lies below y.
    int itemAt(double y) const;

    // The paragraphs a frame or a cell holds: the first, and the last one's number.
    struct Blocks {
        QTextBlock first;
        int last = -1;
    };
    Blocks blocksOf(const QTextFrame* frame) const;
    Blocks blocksOf(const QTextTableCell& cell) const;
    // Calls visit(block, child, next) for each piece of `container`'s flow in `blocks`, in order:
    // a paragraph (child null) or a direct child frame starting at `block`, with the paragraph
    // after the piece; stops when `visit` returns false.
    template <typename Visit>
    void walkFlow(const QTextFrame* container, const Blocks& blocks, Visit visit) const
    {
        for (QTextBlock block = blocks.first; block.isValid() && block.blockNumber() <= blocks.last;) {
            QTextFrame* child = childHolding(block, container);
            const QTextBlock next = child ? doc->findBlock(child->lastPosition() + 1) : block.next();
            if (!visit(block, child, next))
                return;
            block = next;
        }
    }

    // The cells that start in a row, left to right: a merged cell counts where it starts.
    static QList<QTextTableCell> cellsStartingIn(const QTextTable* table, int row);
    // A placed cell: its columns' edges, and its rows' top and bottom with their pages.
    struct CellArea {
        QTextTableCell cell;
        double left = 0;
        double right = 0;
        double top = 0;
        double bottom = 0;
        int page = 0;
        int lastPage = 0;
    };
    // The cells that start in rows `fromRow` up to (not including) `toRow`.
    QList<CellArea> cellAreas(const QTextTable* table, const TableBox& box, int fromRow, int toRow) const;
    // Calls piece(from, to) with each page's part of an area from (top, page) to (bottom, lastPage).
    template <typename Piece>
    void eachPiece(double top, int page, double bottom, int lastPage, Piece piece) const
    {
        for (int p = page; p <= lastPage; ++p) {
            const double from = p == page ? top : pageTop(p);
            const double to = p == lastPage ? bottom : pageBottom(p);
            if (to > from)
                piece(from, to);
        }
    }

private:
    struct Convergence {
        QList<Item> oldItems;
        QList<FloatBox> oldFloats;
        int delta = 0;
        int changedEnd = 0;
        int oldPages = 1;
        int oldNextBlock = -1;
        Pen oldNextPen;
    };

    // Lays out the body's pieces from `block` at `pen`, until the pieces land where they were
    // (when `converge` is given), the slice's time is up (lazy) or the end.
    void run(QTextBlock block, Pen pen, Convergence* converge, qint64 budgetMs);
    void layOutFlow(const QTextFrame* container, const Blocks& blocks, const Region& region, Pen& pen);
    void placeBlock(const QTextBlock& block, const Region& region, Pen& pen, bool flowTop);
    bool isTableAnchor(const QTextBlock& block, const QTextFrame* container, bool flowTop) const;
    // Where a paragraph's lines went to a new page because they did not fit: the first and the
    // last such line, -1 for none, and how many lines it has.
    struct LineBreaks {
        int first = -1;
        int last = -1;
        int lines = 0;
    };
    // Lays out a paragraph's lines from the pen; `breakAt` starts that line on a new page.
    LineBreaks layOutLines(const QTextBlock& block, const Region& region, Pen& pen, bool keepSpace, int breakAt);
    void placeFrame(QTextFrame* frame, const Region& region, Pen& pen);
    void placeTable(QTextTable* table, const Region& region, Pen& pen);
    bool placeRow(QTextTable* table, TableBox& box, int row, QList<Pen>& spanEnds, Pen& pen, bool mayMove);
    double firstLineOf(const QTextBlock& next) const;
    // Whether the paragraphs of `range` in `container` include a table or another frame.
    bool holdsFrames(const QTextFrame* container, const Blocks& range) const;
    // Moves the paragraphs of `range`, which hold no frames, `dy` down on their page.
    void shiftBlocks(const Blocks& range, double dy);
    void placeFloat(QTextFrame* frame, const Region& region, const Pen& pen);
    void narrowForFloats(double top, double height, double& x0, double& x1, const Region& region) const;
    double lowestFloatBottom(double top, double height, const Region& region) const;
    bool atPageTop(const Pen& pen) const;
    void newPage(Pen& pen) const;
    // Lays out what is still waiting, for `budgetMs` (0: to the end), and tells the view.
    void resume(qint64 budgetMs);
    void finishSlice(double fromY, int oldPages);

    int m_nextBlock = -1;  // the body's next paragraph still to lay out; -1 when complete
    Pen m_nextPen;
    QElapsedTimer m_clock;
};
