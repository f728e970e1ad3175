#include "pagelayout.h"

#include "inlineimages.h"
#include "pageengine.h"
#include "pagepainter.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>
#include <algorithm>

PageLayout::PageLayout(QTextDocument* document)
    : QAbstractTextDocumentLayout(document), m_engine(std::make_unique<Engine>(this))
{
    registerHandler(QTextFormat::ImageObject, new InlineImages(this));
}

PageLayout::~PageLayout() = default;

PageLayout* installPageLayout(QTextDocument* document, QPaintDevice* device, bool lazy)
{
    auto* layout = new PageLayout(document);
    layout->setPaintDevice(device);
    layout->setLazy(lazy);
    document->setDocumentLayout(layout);
    return layout;
}

void PageLayout::setLazy(bool lazy) { m_engine->lazy = lazy; }

void PageLayout::setClearBands(const ClearBands& bands)
{
    if (m_engine->clear == bands)
        return;
    m_engine->clear = bands;
    m_engine->changed(0, document()->characterCount());
}

void PageLayout::layOutAll() { m_engine->ensureLaidOut(document()->blockCount()); }

bool PageLayout::isComplete() const { return m_engine->complete(); }

void PageLayout::documentChanged(int from, int, int charsAdded) { m_engine->changed(from, charsAdded); }

int PageLayout::pageCount() const { return m_engine->pages; }

QSizeF PageLayout::documentSize() const
{
    const QSizeF page = document()->pageSize();
    return QSizeF(page.width(), page.height() * m_engine->pages);
}

QRectF PageLayout::frameBoundingRect(QTextFrame* frame) const
{
    Engine& e = *m_engine;
    if (!frame || frame == document()->rootFrame())
        return QRectF(QPointF(0, 0), documentSize());
    e.ensureLaidOut(document()->findBlock(frame->lastPosition()).blockNumber());
    const auto table = e.tables.find(frame);
    if (table != e.tables.end() && !table->second.edges.isEmpty())
        return QRectF(table->second.edges.first(), table->second.top, table->second.edges.last() - table->second.edges.first(),
                      table->second.bottom - table->second.top);
    for (const Engine::FloatBox& f : e.floats)
        if (f.frame == frame)
            return f.rect;
    const QTextBlock first = document()->findBlock(frame->firstPosition());
    const QTextBlock last = document()->findBlock(frame->lastPosition());
    return blockBoundingRect(first).united(blockBoundingRect(last));
}

QRectF PageLayout::blockBoundingRect(const QTextBlock& block) const
{
    Engine& e = *m_engine;
    if (!block.isValid() || block.document() != document())
        return {};
    e.ensureLaidOut(block.blockNumber());
    if (block.blockNumber() >= e.blocks.size())
        return {};
    const Engine::BlockBox& box = e.blocks[block.blockNumber()];
    return QRectF(block.layout()->position(), QSizeF(box.right - box.left, box.textBottom - box.textTop));
}

int PageLayout::pageOfBlock(const QTextBlock& block) const
{
    m_engine->ensureLaidOut(block.blockNumber());
    return block.isValid() && block.blockNumber() < m_engine->blocks.size() ? m_engine->blocks[block.blockNumber()].page : 0;
}

QList<QRectF> PageLayout::cellBoxes(const QRectF& area) const
{
    const Engine& e = *m_engine;
    QList<QRectF> boxes;
    for (int i = e.itemAt(area.top()); i < e.items.size() && e.items[i].top <= area.bottom(); ++i) {
        auto* table = qobject_cast<QTextTable*>(e.items[i].frame);
        const auto found = table ? e.tables.find(table) : e.tables.end();
        if (found == e.tables.end())
            continue;
        for (const Engine::CellArea& cell : e.cellAreas(table, found->second, 0, table->rows()))
            e.eachPiece(cell.top, cell.page, cell.bottom, cell.lastPage, [&](double from, double to) {
                const QRectF piece(cell.left, from, cell.right - cell.left, to - from);
                if (piece.intersects(area))
                    boxes.append(piece);
            });
    }
    return boxes;
}

// ---- hit testing ----------------------------------------------------------------------------

namespace {

int hitInBlock(const QTextBlock& block, const QPointF& point, Qt::HitTestAccuracy accuracy)
{
    const QTextLayout* layout = block.layout();
    const QPointF local = point - layout->position();
    for (int i = 0; i < layout->lineCount(); ++i) {
        const QTextLine line = layout->lineAt(i);
        if (local.y() < line.y() + line.height() || i == layout->lineCount() - 1) {
            if (accuracy == Qt::ExactHit && !line.naturalTextRect().contains(local))
                return -1;
            return block.position() + line.xToCursor(local.x());
        }
    }
    return accuracy == Qt::ExactHit ? -1 : block.position();
}

}  // namespace

// The position under a point within a container's flow of paragraphs and frames.
static int hitInFlow(const PageLayout::Engine& e, const QTextFrame* container, const PageLayout::Engine::Blocks& blocks,
                     const QPointF& point, Qt::HitTestAccuracy accuracy);

static int hitInTable(const PageLayout::Engine& e, QTextTable* table, QPointF point, Qt::HitTestAccuracy accuracy)
{
    const auto found = e.tables.find(table);
    if (found == e.tables.end() || found->second.rows.isEmpty())
        return accuracy == Qt::ExactHit ? -1 : table->firstPosition();
    const PageLayout::Engine::TableBox& box = found->second;
    for (const PageLayout::Engine::Repeat& repeat : box.repeats)
        if (point.y() >= repeat.top + repeat.dy && point.y() < repeat.bottom + repeat.dy)
            point.ry() -= repeat.dy;
    int row = 0;
    while (row + 1 < box.rows.size() && point.y() >= box.rows[row + 1].top)
        ++row;
    int column = 0;
    while (column + 2 < box.edges.size() && point.x() >= box.edges[column + 1])
        ++column;
    const QTextTableCell cell = table->cellAt(row, column);
    if (!cell.isValid())
        return accuracy == Qt::ExactHit ? -1 : table->firstPosition();
    return hitInFlow(e, table, e.blocksOf(cell), point, accuracy);
}

static int hitInFrame(const PageLayout::Engine& e, QTextFrame* frame, const QPointF& point, Qt::HitTestAccuracy accuracy)
{
    if (auto* table = qobject_cast<QTextTable*>(frame))
        return hitInTable(e, table, point, accuracy);
    return hitInFlow(e, frame, e.blocksOf(frame), point, accuracy);
}

static int hitInFlow(const PageLayout::Engine& e, const QTextFrame* container, const PageLayout::Engine::Blocks& blocks,
                     const QPointF& point, Qt::HitTestAccuracy accuracy)
{
    int best = -1;
    QTextFrame* inFrame = nullptr;
    e.walkFlow(container, blocks, [&](const QTextBlock& block, QTextFrame* child, const QTextBlock& next) {
        if (child) {
            const double bottom = next.isValid() && next.blockNumber() <= blocks.last ? e.blocks[next.blockNumber()].top : 1e300;
            if (point.y() < bottom && child->frameFormat().position() == QTextFrameFormat::InFlow)
                inFrame = child;
            return inFrame == nullptr;
        }
        best = block.blockNumber();
        return point.y() >= e.blocks[best].bottom;
    });
    if (inFrame)
        return hitInFrame(e, inFrame, point, accuracy);
    if (best < 0)
        return accuracy == Qt::ExactHit ? -1 : container->firstPosition();
    return hitInBlock(e.doc->findBlockByNumber(best), point, accuracy);
}

int PageLayout::hitTest(const QPointF& point, Qt::HitTestAccuracy accuracy) const
{
    Engine& e = *m_engine;
    e.ensureLaidOutTo(point.y());
    for (const Engine::FloatBox& f : e.floats)
        if (f.rect.contains(point))
            return hitInFrame(e, f.frame, point, accuracy);
    if (e.items.isEmpty())
        return -1;
    int index = std::min(e.itemAt(point.y()), int(e.items.size()) - 1);
    while (index + 1 < e.items.size() && e.items[index].top == e.items[index].bottom)  // a picture's anchor takes no room
        ++index;
    const Engine::Item& item = e.items[index];
    if (item.frame)
        return hitInFrame(e, item.frame, point, accuracy);
    return hitInBlock(document()->findBlockByNumber(item.firstBlock), point, accuracy);
}

// ---- drawing --------------------------------------------------------------------------------

void PageLayout::draw(QPainter* painter, const PaintContext& context)
{
    PagePainter(*m_engine, painter, context, property("cursorWidth").toInt()).draw();
}
