#include "pagepainter.h"

#include "tabstops.h"

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
    drawFlow(frame, m_engine.blocksOf(frame));
}

void PagePainter::drawFlow(const QTextFrame* container, const PageLayout::Engine::Blocks& blocks)
{
    m_engine.walkFlow(container, blocks, [this](const QTextBlock& block, QTextFrame* child, const QTextBlock&) {
        if (child) {
            if (child->frameFormat().position() == QTextFrameFormat::InFlow)
                drawFrame(child);
            return true;
        }
        if (m_engine.blocks[block.blockNumber()].top > m_clip.bottom())
            return false;
        drawBlock(block);
        return true;
    });
}

template <typename Paint>
void PagePainter::eachVisiblePiece(const PageLayout::Engine::CellArea& area, Paint paint) const
{
    m_engine.eachPiece(area.top, area.page, area.bottom, area.lastPage, [&](double from, double to) {
        if (to >= m_clip.top() && from <= m_clip.bottom())
            paint(QRectF(area.left, from, area.right - area.left, to - from));
    });
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
    // A cell merged down from a row above the clip still shows in it: start at its row.
    int start = std::min(first, int(box.rows.size()) - 1);
    for (int c = 0; c < table->columns(); ++c)
        start = std::min(start, table->cellAt(std::min(first, int(box.rows.size()) - 1), c).row());
    drawRows(table, box, std::max(0, start), last);

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
    const QTextTableFormat format = table->format();
    int selectedRow = -1, selectedRows = 0, selectedColumn = -1, selectedColumns = 0;
    QBrush selection;
    for (const auto& s : m_context.selections)
        if (s.cursor.hasComplexSelection() && s.cursor.currentTable() == table) {
            s.cursor.selectedTableCells(&selectedRow, &selectedRows, &selectedColumn, &selectedColumns);
            selection = s.format.background();
        }
    const QList<PageLayout::Engine::CellArea> cells = m_engine.cellAreas(table, box, from, to);
    for (const PageLayout::Engine::CellArea& c : cells) {
        QBrush fill = c.cell.format().background();
        const bool selected = selectedRow >= 0 && c.cell.row() >= selectedRow && c.cell.row() < selectedRow + selectedRows
            && c.cell.column() >= selectedColumn && c.cell.column() < selectedColumn + selectedColumns;
        if (selected)
            fill = selection;
        if (fill.style() != Qt::NoBrush)
            eachVisiblePiece(c, [&](const QRectF& piece) { m_painter->fillRect(piece, fill); });
        drawFlow(table, m_engine.blocksOf(c.cell));
    }
    if (box.border <= 0)
        return;
    m_painter->save();
    QBrush brush = format.borderBrush();
    if (brush.style() == Qt::NoBrush)
        brush = Qt::black;
    m_painter->setPen(QPen(brush, box.border, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    m_painter->setBrush(Qt::NoBrush);
    for (const PageLayout::Engine::CellArea& c : cells)
        eachVisiblePiece(c, [&](const QRectF& piece) { m_painter->drawRect(piece); });
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
    TabStops::drawLeaders(m_painter, block);
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
