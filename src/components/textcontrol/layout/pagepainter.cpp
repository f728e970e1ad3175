#include "pagepainter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextList>
#include <QTextTable>
#include <algorithm>

PagePainter::PagePainter(const PageLayout::Engine& engine, QPainter* painter,
                         const QAbstractTextDocumentLayout::PaintContext& context, int cursorWidth)
    : m_engine(engine), m_painter(painter), m_context(context), m_cursorWidth(std::max(1, cursorWidth))
{
    m_clip = context.clip.isValid() ? context.clip : QRectF(QPointF(0, 0), engine.q->documentSize());
}

void PagePainter::draw()
{
    const auto& items = m_engine.items;
    QTextDocument* doc = m_engine.doc;
    for (int i = m_engine.itemAt(m_clip.top()); i < items.size() && items[i].top <= m_clip.bottom(); ++i) {
        if (items[i].frame)
            drawFrame(items[i].frame);
        else
            drawBlock(doc->findBlockByNumber(items[i].firstBlock));
    }
    for (const PageLayout::Engine::FloatBox& f : m_engine.floats)
        if (f.rect.intersects(m_clip))
            drawFrame(f.frame);
}

void PagePainter::drawFrame(QTextFrame* frame)
{
    if (auto* table = qobject_cast<QTextTable*>(frame)) {
        drawTable(table);
        return;
    }
    QTextDocument* doc = m_engine.doc;
    drawFlow(frame, doc->findBlock(frame->firstPosition()), doc->findBlock(frame->lastPosition()).blockNumber());
}

void PagePainter::drawFlow(QTextFrame* container, QTextBlock block, int lastBlock)
{
    while (block.isValid() && block.blockNumber() <= lastBlock) {
        if (QTextFrame* child = m_engine.childHolding(block, container)) {
            if (child->frameFormat().position() == QTextFrameFormat::InFlow)
                drawFrame(child);
            block = m_engine.doc->findBlock(child->lastPosition() + 1);
            continue;
        }
        if (m_engine.blocks[block.blockNumber()].top > m_clip.bottom())
            return;
        drawBlock(block);
        block = block.next();
    }
}

template <typename Paint>
void PagePainter::eachPiece(double top, int page, double bottom, int lastPage, Paint paint) const
{
    for (int p = page; p <= lastPage; ++p) {
        const double from = p == page ? top : m_engine.pageTop(p);
        const double to = p == lastPage ? bottom : m_engine.pageBottom(p);
        if (to > from && to >= m_clip.top() && from <= m_clip.bottom())
            paint(from, to);
    }
}

void PagePainter::drawTable(QTextTable* table)
{
    const auto found = m_engine.tables.find(table);
    if (found == m_engine.tables.end() || found->second.rows.isEmpty())
        return;
    const PageLayout::Engine::TableBox& box = found->second;
    if (box.bottom < m_clip.top() && box.repeats.isEmpty())
        return;
    int first = 0;
    while (first < box.rows.size() && box.rows[first].bottom < m_clip.top())
        ++first;
    int last = first;
    while (last < box.rows.size() && box.rows[last].top <= m_clip.bottom())
        ++last;
    // A cell merged down from a row above the clip still shows in it.
    drawRows(table, box, std::max(0, first - 8), last);

    for (const PageLayout::Engine::Repeat& repeat : box.repeats) {
        if (repeat.bottom + repeat.dy < m_clip.top() || repeat.top + repeat.dy > m_clip.bottom())
            continue;
        m_painter->save();
        m_painter->translate(0, repeat.dy);
        const QRectF clip = m_clip;
        m_clip = clip.translated(0, -repeat.dy);
        drawRows(table, box, 0, box.headerRows);
        m_clip = clip;
        m_painter->restore();
    }
}

void PagePainter::drawRows(QTextTable* table, const PageLayout::Engine::TableBox& box, int from, int to)
{
    QTextDocument* doc = m_engine.doc;
    const QTextTableFormat format = table->format();
    int selectedRow = -1, selectedRows = 0, selectedColumn = -1, selectedColumns = 0;
    QBrush selection;
    for (const auto& s : m_context.selections)
        if (s.cursor.hasComplexSelection() && s.cursor.currentTable() == table) {
            s.cursor.selectedTableCells(&selectedRow, &selectedRows, &selectedColumn, &selectedColumns);
            selection = s.format.background();
        }
    struct Cell {
        QTextTableCell cell;
        double left, right, top, bottom;
        int page, lastPage;
    };
    QList<Cell> cells;
    for (int r = from; r < std::min(to, int(box.rows.size())); ++r)
        for (int c = 0; c < table->columns();) {
            const QTextTableCell cell = table->cellAt(r, c);
            const int span = std::max(1, cell.columnSpan());
            if (cell.row() == r && cell.column() == c) {
                const int end = std::min(r + std::max(1, cell.rowSpan()) - 1, int(box.rows.size()) - 1);
                cells.append(Cell{cell, box.edges[c], box.edges[std::min(c + span, int(box.edges.size()) - 1)],
                                  box.rows[r].top, box.rows[end].bottom, box.rows[r].page, box.rows[end].lastPage});
            }
            c += span;
        }
    for (const Cell& c : cells) {
        QBrush fill = c.cell.format().background();
        const bool selected = selectedRow >= 0 && c.cell.row() >= selectedRow && c.cell.row() < selectedRow + selectedRows
            && c.cell.column() >= selectedColumn && c.cell.column() < selectedColumn + selectedColumns;
        if (selected)
            fill = selection;
        if (fill.style() != Qt::NoBrush)
            eachPiece(c.top, c.page, c.bottom, c.lastPage,
                      [&](double top, double bottom) { m_painter->fillRect(QRectF(c.left, top, c.right - c.left, bottom - top), fill); });
        drawFlow(table, doc->findBlock(c.cell.firstPosition()), doc->findBlock(c.cell.lastPosition()).blockNumber());
    }
    if (box.border <= 0)
        return;
    m_painter->save();
    QBrush brush = format.borderBrush();
    if (brush.style() == Qt::NoBrush)
        brush = Qt::black;
    m_painter->setPen(QPen(brush, box.border, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    m_painter->setBrush(Qt::NoBrush);
    for (const Cell& c : cells)
        eachPiece(c.top, c.page, c.bottom, c.lastPage, [&](double top, double bottom) {
            m_painter->drawRect(QRectF(c.left, top, c.right - c.left, bottom - top));
        });
    m_painter->restore();
}

void PagePainter::drawBlock(const QTextBlock& block)
{
    const PageLayout::Engine::BlockBox& box = m_engine.blocks[block.blockNumber()];
    if (box.textBottom < m_clip.top() || box.textTop > m_clip.bottom() || !block.isVisible())
        return;
    const QTextBlockFormat format = block.blockFormat();
    const QBrush background = format.background();
    if (background.style() != Qt::NoBrush)
        m_painter->fillRect(QRectF(box.left, box.textTop, box.right - box.left, box.textBottom - box.textTop), background);

    const int start = block.position();
    const int end = start + block.length();
    QList<QTextLayout::FormatRange> selections;
    for (const auto& selection : m_context.selections) {
        if (selection.cursor.hasComplexSelection() && selection.cursor.currentTable())
            continue;  // whole cells, drawn with the table
        const int from = std::max(selection.cursor.selectionStart(), start) - start;
        const int to = std::min(selection.cursor.selectionEnd(), end) - start;
        if (to > from) {
            QTextLayout::FormatRange range;
            range.start = from;
            range.length = to - from;
            range.format = selection.format;
            selections.append(range);
        }
    }
    QTextLayout* layout = block.layout();
    m_painter->setPen(m_context.palette.color(QPalette::Text));
    layout->draw(m_painter, QPointF(), selections, m_clip);
    if (block.textList())
        drawBullet(block);
    if (m_context.cursorPosition >= start && m_context.cursorPosition < end)
        layout->drawCursor(m_painter, QPointF(), m_context.cursorPosition - start, m_cursorWidth);
}

// The list markers of Qt's own list styles, drawn left of the item's first line as Qt's layout
// draws them; the document's own numbering styles are drawn by the list markers.
void PagePainter::drawBullet(const QTextBlock& block)
{
    QTextList* list = block.textList();
    const int style = list->format().style();
    if (style == QTextListFormat::ListStyleUndefined || block.layout()->lineCount() == 0)
        return;
    const QFont font(block.charFormat().font(), m_engine.q->paintDevice());
    const QFontMetricsF metrics(font);
    const QTextLine line = block.layout()->lineAt(0);
    const QPointF pos = block.layout()->position() + line.naturalTextRect().topLeft();
    const bool bullet = style == QTextListFormat::ListDisc || style == QTextListFormat::ListCircle
        || style == QTextListFormat::ListSquare;
    const QString text = bullet ? QString() : list->itemText(block);
    const QSizeF size = bullet ? QSizeF(metrics.lineSpacing() / 3, metrics.lineSpacing() / 3)
                               : QSizeF(metrics.horizontalAdvance(text), metrics.height());
    QRectF r(pos, size);
    r.translate(-metrics.horizontalAdvance(QLatin1Char(' ')) - size.width(), metrics.height() / 2 - size.height() / 2);
    const QBrush brush = m_context.palette.brush(QPalette::Text);
    m_painter->save();
    m_painter->setRenderHint(QPainter::Antialiasing);
    switch (style) {
    case QTextListFormat::ListDisc:
        m_painter->setBrush(brush);
        m_painter->setPen(Qt::NoPen);
        m_painter->drawEllipse(r);
        break;
    case QTextListFormat::ListCircle:
        m_painter->setPen(QPen(brush, 0));
        m_painter->drawEllipse(r.translated(0.5, 0.5));
        break;
    case QTextListFormat::ListSquare: m_painter->fillRect(r, brush); break;
    default:
        m_painter->setFont(font);
        m_painter->setPen(brush.color());
        m_painter->drawText(QPointF(r.left(), pos.y() + metrics.ascent()), text);
        break;
    }
    m_painter->restore();
}
