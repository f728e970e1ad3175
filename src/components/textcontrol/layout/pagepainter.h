#pragma once
// Draws what the page layout placed within a paint context's clip: paragraphs with their
// backgrounds, selections, list bullets and the caret; tables with their shading, lines and
// heading rows repeated on later pages; placed pictures.
#include "pageengine.h"

class QPainter;
class QTextTable;

class PagePainter {
public:
    PagePainter(const PageLayout::Engine& engine, QPainter* painter,
                const QAbstractTextDocumentLayout::PaintContext& context, int cursorWidth);
    void draw();

private:
    void drawFlow(const QTextFrame* container, const PageLayout::Engine::Blocks& blocks);
    void drawFrame(QTextFrame* frame);
    void drawTable(QTextTable* table);
    void drawRows(QTextTable* table, const PageLayout::Engine::TableBox& box, int from, int to);
    void drawBlock(const QTextBlock& block);
    void drawBullet(const QTextBlock& block);
    // Calls `paint` with each page's piece of a cell that lies in the clip.
    template <typename Paint>
    void eachVisiblePiece(const PageLayout::Engine::CellArea& area, Paint paint) const;

    const PageLayout::Engine& m_engine;
    QPainter* m_painter;
    const QAbstractTextDocumentLayout::PaintContext& m_context;
    QRectF m_clip;
    int m_cursorWidth;
};
