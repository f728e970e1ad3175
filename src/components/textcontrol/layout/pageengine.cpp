#include "pageengine.h"

#include "fontlinemetrics.h"
#include "tabstops.h"

#include "components/textcontrol/document/cellgeometry.h"
#include "components/textcontrol/document/keepwithnext.h"

#include <QFontMetricsF>
#include <QStyle>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextList>
#include <QTextTable>
#include <QTimer>
#include <algorithm>
#include <cmath>

namespace {

constexpr double Epsilon = 1e-6;
constexpr double MinLineWidth = 24.0;  // narrower room beside a picture: the line goes below it
constexpr double MinColumnWidth = 12.0;
constexpr int FirstPages = 3;         // laid out at once in lazy mode
constexpr qint64 SliceMs = 12;        // one idle slice of lazy layout

bool same(double a, double b) { return std::abs(a - b) < Epsilon; }

QTextOption optionFor(const QTextDocument* document, const QTextBlock& block)
{
    const QTextBlockFormat format = block.blockFormat();
    QTextOption option = document->defaultTextOption();
    option.setTextDirection(block.textDirection());
    option.setAlignment(QStyle::visualAlignment(block.textDirection(), format.alignment()));
    const QList<QTextOption::Tab> tabs = format.tabPositions();
    if (!tabs.isEmpty())
        option.setTabs(TabStops::forLayout(block, tabs));
    return option;
}

// A line's own box as letter writers measure it: the tallest ascent and descent of the fonts on
// the line, and their line gap; a picture or a raised letter that reaches beyond the fonts adds
// what it reaches. `fragment` walks along the paragraph with its lines.
struct LineBox {
    double ascent = 0;
    double descent = 0;
    double gap = 0;
    double natural() const { return ascent + descent + gap; }
};

LineBox lineBox(const QTextBlock& block, const QTextLine& line, QTextBlock::iterator& fragment, QPaintDevice* device)
{
    LineBox box;
    double qtAscent = 0, qtDescent = 0;
    auto take = [&](const QFont& font) {
        const FontLineMetrics::Metrics& m = FontLineMetrics::of(font, device);
        box.ascent = std::max(box.ascent, m.ascent);
        box.descent = std::max(box.descent, m.descent);
        box.gap = std::max(box.gap, m.gap);
        qtAscent = std::max(qtAscent, m.qtAscent);
        qtDescent = std::max(qtDescent, m.qtDescent);
    };
    const int from = block.position() + line.textStart();
    const int to = from + std::max(1, line.textLength());
    for (; !fragment.atEnd(); ++fragment) {
        const QTextFragment f = fragment.fragment();
        if (f.position() >= to)
            break;
        if (f.position() + f.length() > from && !f.charFormat().isImageFormat())
            take(f.charFormat().font());
        if (f.position() + f.length() > to)
            break;  // goes on into the next line
    }
    if (qtAscent == 0 && qtDescent == 0)
        take(block.charFormat().font());
    if (line.ascent() > qtAscent + 0.5)
        box.ascent += line.ascent() - qtAscent;
    if (line.descent() > qtDescent + 0.5)
        box.descent += line.descent() - qtDescent;
    return box;
}

// A line's height as the paragraph's spacing rule asks.
double lineHeight(double natural, const QTextBlockFormat& format)
{
    const double value = format.lineHeight();
    switch (format.lineHeightType()) {
    case QTextBlockFormat::ProportionalHeight: return natural * value / 100.0;
    case QTextBlockFormat::FixedHeight: return value;
    case QTextBlockFormat::MinimumHeight: return std::max(natural, value);
    case QTextBlockFormat::LineDistanceHeight: return natural + value;
    default: return natural;
    }
}

bool breaksBefore(const QTextBlock& block)
{
    if (block.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
        return true;
    const QTextBlock previous = block.previous();
    return previous.isValid() && (previous.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysAfter);
}

// Later of two places in the flow.
PageLayout::Engine::Pen later(const PageLayout::Engine::Pen& a, const PageLayout::Engine::Pen& b)
{
    return (b.page > a.page || (b.page == a.page && b.y > a.y)) ? b : a;
}

double cellPadding(const QTextTableCellFormat& cell, const QTextTableFormat& table, QTextFormat::Property side)
{
    return cell.hasProperty(side) ? cell.doubleProperty(side) : table.cellPadding();
}

}  // namespace

PageLayout::Engine::Engine(PageLayout* layout) : q(layout), doc(layout->document())
{
    idle = new QTimer(layout);
    idle->setSingleShot(true);
    idle->setInterval(0);
    QObject::connect(idle, &QTimer::timeout, layout, [this] { continueLazily(); });
}

// A document without a page size is one endless page.
double PageLayout::Engine::pageHeight() const
{
    const double height = doc->pageSize().height();
    return height > 0 ? height : 1e12;
}

double PageLayout::Engine::pageTop(int page) const
{
    return page * pageHeight() + std::max(doc->rootFrame()->frameFormat().topMargin(), page == 0 ? clear.firstTop : clear.top);
}

double PageLayout::Engine::pageBottom(int page) const
{
    const double band = page == 0 ? clear.firstBottom : clear.bottom;
    const double bottom = (page + 1) * pageHeight() - std::max(doc->rootFrame()->frameFormat().bottomMargin(), band);
    return std::max(bottom, pageTop(page) + 1);
}

bool PageLayout::Engine::atPageTop(const Pen& pen) const { return pen.y <= pageTop(pen.page) + Epsilon; }

void PageLayout::Engine::newPage(Pen& pen) const
{
    ++pen.page;
    pen.y = pageTop(pen.page);
}

QTextFrame* PageLayout::Engine::childHolding(const QTextBlock& block, const QTextFrame* container) const
{
    QTextFrame* frame = doc->frameAt(block.position());
    if (frame == container)
        return nullptr;
    while (frame && frame->parentFrame() != container)
        frame = frame->parentFrame();
    return frame;
}

int PageLayout::Engine::itemAt(double y) const
{
    const auto it = std::upper_bound(items.cbegin(), items.cend(), y,
                                     [](double value, const Item& item) { return value < item.bottom; });
    return int(it - items.cbegin());
}

PageLayout::Engine::Blocks PageLayout::Engine::blocksOf(const QTextFrame* frame) const
{
    return {doc->findBlock(frame->firstPosition()), doc->findBlock(frame->lastPosition()).blockNumber()};
}

PageLayout::Engine::Blocks PageLayout::Engine::blocksOf(const QTextTableCell& cell) const
{
    return {doc->findBlock(cell.firstPosition()), doc->findBlock(cell.lastPosition()).blockNumber()};
}

QList<QTextTableCell> PageLayout::Engine::cellsStartingIn(const QTextTable* table, int row)
{
    QList<QTextTableCell> cells;
    for (int c = 0; c < table->columns();) {
        const QTextTableCell cell = table->cellAt(row, c);
        if (cell.row() == row && cell.column() == c)
            cells.append(cell);
        c += std::max(1, cell.columnSpan());
    }
    return cells;
}

QList<PageLayout::Engine::CellArea> PageLayout::Engine::cellAreas(const QTextTable* table, const TableBox& box,
                                                                  int fromRow, int toRow) const
{
    QList<CellArea> areas;
    const int lastEdge = int(box.edges.size()) - 1;
    for (int r = fromRow; r < std::min(toRow, int(box.rows.size())); ++r)
        for (const QTextTableCell& cell : cellsStartingIn(table, r)) {
            const int end = std::min(r + std::max(1, cell.rowSpan()) - 1, int(box.rows.size()) - 1);
            const int c = cell.column();
            areas.append(CellArea{cell, box.edges[c], box.edges[std::min(c + std::max(1, cell.columnSpan()), lastEdge)],
                                  box.rows[r].top, box.rows[end].bottom, box.rows[r].page, box.rows[end].lastPage});
        }
    return areas;
}

// ---- what changed ---------------------------------------------------------------------------

void PageLayout::Engine::changed(int from, int charsAdded)
{
    const int count = doc->blockCount();
    const int delta = count - int(blocks.size());
    QTextBlock start = doc->findBlock(from);
    if (!start.isValid())
        start = doc->begin();
    const int first = start.blockNumber();
    const QTextBlock end = doc->findBlock(from + charsAdded);
    const int changedEnd = end.isValid() ? end.blockNumber() : count - 1;

    // The boxes of the paragraphs after the change keep their values under their new numbers.
    if (delta > 0)
        blocks.insert(std::min(first + 1, int(blocks.size())), delta, BlockBox{});
    else if (delta < 0)
        blocks.remove(std::min(first + 1, int(blocks.size())), std::min(-delta, int(blocks.size()) - first - 1));
    blocks.resize(count);

    if (m_nextBlock >= 0 && first >= m_nextBlock) {  // not laid out yet: the idle slices come to it
        m_nextBlock = std::max(first, m_nextBlock + delta);
        return;
    }
    // Start one piece before the one changed: its page-break-after and spacing reach the next.
    const auto it = std::upper_bound(items.cbegin(), items.cend(), first,
                                     [](int block, const Item& item) { return block < item.firstBlock; });
    const int index = std::max(0, int(it - items.cbegin()) - 2);

    Convergence converge;
    converge.delta = delta;
    converge.changedEnd = changedEnd;
    converge.oldPages = pages;
    converge.oldNextBlock = m_nextBlock >= 0 ? m_nextBlock + delta : -1;
    converge.oldNextPen = m_nextPen;
    converge.oldItems = items.mid(index);
    items.resize(std::min(index, int(items.size())));
    // From the top, the page's top as it is now: a change of the page moves the first piece too.
    const Pen pen = items.isEmpty() ? Pen{pageTop(0), 0} : Pen{converge.oldItems.first().top, converge.oldItems.first().page};
    // What the tables further on hold stays for the pieces that land where they were; a change
    // of the whole document starts afresh.
    if (first == 0 && changedEnd >= count - 1)
        tables.clear();
    for (int i = int(floats.size()) - 1; i >= 0; --i)
        if (floats[i].anchorY >= pen.y - Epsilon) {
            converge.oldFloats.prepend(floats[i]);
            floats.removeAt(i);
        }
    const double fromY = pen.y;
    const int oldPages = pages;
    const QTextBlock restart = items.isEmpty() ? doc->begin() : doc->findBlockByNumber(converge.oldItems.first().firstBlock);
    run(restart, pen, &converge, lazy ? -1 : 0);
    finishSlice(fromY, oldPages);
}

void PageLayout::Engine::resume(qint64 budgetMs)
{
    if (m_nextBlock < 0)
        return;
    const double fromY = m_nextPen.y;
    const int oldPages = pages;
    run(doc->findBlockByNumber(m_nextBlock), m_nextPen, nullptr, budgetMs);
    finishSlice(fromY, oldPages);
}

void PageLayout::Engine::continueLazily() { resume(SliceMs); }

void PageLayout::Engine::ensureLaidOut(int blockNumber)
{
    if (m_nextBlock >= 0 && m_nextBlock <= blockNumber)
        resume(0);
}

void PageLayout::Engine::ensureLaidOutTo(double y)
{
    if (m_nextBlock >= 0 && m_nextPen.y <= y)
        ensureLaidOut(doc->blockCount());
}

void PageLayout::Engine::finishSlice(double fromY, int oldPages)
{
    const QSizeF size = q->documentSize();
    emit q->update(QRectF(0, fromY - pageHeight(), size.width(), size.height() - fromY + pageHeight()));
    if (pages != oldPages)
        emit q->pageCountChanged(pages);
    emit q->documentSizeChanged(size);
    if (m_nextBlock >= 0)
        idle->start();
}

// ---- the body -------------------------------------------------------------------------------

void PageLayout::Engine::run(QTextBlock block, Pen pen, Convergence* converge, qint64 budgetMs)
{
    QTextFrame* root = doc->rootFrame();
    const QTextFrameFormat frame = root->frameFormat();
    const Region region{frame.leftMargin(), doc->pageSize().width() - frame.rightMargin(), true, true};
    // Lazy mode's first pages, measured in height too: without a page size all is one page.
    const double stopY = budgetMs < 0 ? pen.y + FirstPages * std::min(pageHeight(), 1500.0) : 0.0;
    if (budgetMs > 0)
        m_clock.start();
    while (block.isValid()) {
        if ((budgetMs < 0 && pen.y >= stopY) || (budgetMs > 0 && m_clock.elapsed() >= budgetMs)) {
            m_nextBlock = block.blockNumber();
            m_nextPen = pen;
            pages = pen.page + 1;
            return;
        }
        Item item;
        item.top = pen.y;
        item.page = pen.page;
        item.firstBlock = block.blockNumber();
        item.frame = childHolding(block, root);
        if (!item.frame) {
            placeBlock(block, region, pen, block.blockNumber() == 0);
            item.lastBlock = item.firstBlock;
            block = block.next();
        } else {
            placeFrame(item.frame, region, pen);
            const QTextBlock after = doc->findBlock(item.frame->lastPosition() + 1);
            item.lastBlock = after.isValid() ? after.blockNumber() - 1 : doc->blockCount() - 1;
            block = after;
        }
        item.bottom = pen.y;
        item.lastPage = pen.page;
        items.append(item);

        // Past the change, a piece that landed where it was before means the rest did too.
        if (converge && item.firstBlock > converge->changedEnd) {
            const int oldFirst = item.firstBlock - converge->delta;
            const auto& old = converge->oldItems;
            const auto it = std::lower_bound(old.cbegin(), old.cend(), oldFirst,
                                             [](const Item& o, int b) { return o.firstBlock < b; });
            if (it != old.cend() && it->firstBlock == oldFirst && same(it->top, item.top) && same(it->bottom, item.bottom)
                && it->page == item.page && it->lastPage == item.lastPage && (it->frame == nullptr) == (item.frame == nullptr)) {
                for (auto rest = it + 1; rest != old.cend(); ++rest) {
                    Item moved = *rest;
                    moved.firstBlock += converge->delta;
                    moved.lastBlock += converge->delta;
                    items.append(moved);
                }
                for (const FloatBox& f : converge->oldFloats)
                    if (f.anchorY >= item.bottom - Epsilon)
                        floats.append(f);
                pages = converge->oldPages;
                m_nextBlock = converge->oldNextBlock;
                m_nextPen = converge->oldNextPen;
                return;
            }
        }
    }
    m_nextBlock = -1;
    pages = std::max(pen.page + 1, 1);
    // A picture moved to the next page at the end of the text makes that page.
    for (const FloatBox& f : floats)
        pages = std::max(pages, int(f.rect.top() / pageHeight()) + 1);
}

void PageLayout::Engine::layOutFlow(const QTextFrame* container, const Blocks& blocks, const Region& region, Pen& pen)
{
    bool flowTop = true;
    walkFlow(container, blocks, [&](const QTextBlock& block, QTextFrame* child, const QTextBlock&) {
        if (child)
            placeFrame(child, region, pen);
        else
            placeBlock(block, region, pen, flowTop);
        flowTop = false;
        return true;
    });
}

// The empty paragraph a document or a cell must have before a table that opens it: no file
// wrote it, so it takes no room.
bool PageLayout::Engine::isTableAnchor(const QTextBlock& block, const QTextFrame* container, bool flowTop) const
{
    if (!flowTop || block.length() != 1)
        return false;
    const QTextBlock next = block.next();
    return next.isValid() && qobject_cast<QTextTable*>(childHolding(next, container));
}

void PageLayout::Engine::placeBlock(const QTextBlock& block, const Region& region, Pen& pen, bool flowTop)
{
    const QTextBlockFormat format = block.blockFormat();
    if (isTableAnchor(block, region.root ? doc->rootFrame() : doc->frameAt(block.position()), flowTop)) {
        Pen here = pen;
        layOutLines(block, region, here, false, -1);
        BlockBox& box = blocks[block.blockNumber()];
        box.textBottom = box.bottom = box.textTop;
        return;
    }
    const bool atTop = region.root && atPageTop(pen);
    const bool hardBreak = region.root && block.blockNumber() > 0 && breaksBefore(block);
    if (hardBreak && !atTop)
        newPage(pen);
    // The space before a paragraph is kept at the top of the document, after a hard break and
    // in a cell, and dropped at the top of a page the text flowed onto.
    const bool keepSpace = !region.root || !atTop || hardBreak || block.blockNumber() == 0 || flowTop;
    const Pen start = pen;
    const LineBreaks breaks = layOutLines(block, region, pen, keepSpace, -1);
    if (!region.root)
        return;
    if (breaks.first < 0) {
        // A paragraph kept with the next one (a heading) does not stay at the foot of a page
        // that has no room left for the next one's first line.
        if (KeepWithNext::of(format) && !atPageTop(start) && pen.y + firstLineOf(block.next()) > pageBottom(pen.page) + Epsilon) {
            pen = start;
            newPage(pen);
            layOutLines(block, region, pen, keepSpace, -1);
        }
        return;
    }
    // A paragraph kept together, or one that would leave its first line alone at the foot of a
    // page, starts on the next page; one that would leave its last line alone at the head of
    // the next page takes a line with it. Once: what that gives, stays.
    int breakAt = -1;
    if ((format.nonBreakableLines() || breaks.first == 1) && !atPageTop(start))
        breakAt = 0;
    else if (breaks.last == breaks.lines - 1 && breaks.lines >= 3)
        breakAt = breaks.lines - 2;
    if (breakAt >= 0) {
        pen = start;
        layOutLines(block, region, pen, keepSpace, breakAt);
    }
}

// The room the first line of the paragraph `next` takes with the space above it, from its
// letters before it is laid out.
double PageLayout::Engine::firstLineOf(const QTextBlock& next) const
{
    if (!next.isValid())
        return 0;
    const QTextBlockFormat format = next.blockFormat();
    QTextBlock::iterator first = next.begin();
    const QFont font = first.atEnd() ? next.charFormat().font() : first.fragment().charFormat().font();
    const FontLineMetrics::Metrics& m = FontLineMetrics::of(font, q->paintDevice());
    return format.topMargin() + lineHeight(m.ascent + m.descent + m.gap, format);
}

PageLayout::Engine::LineBreaks PageLayout::Engine::layOutLines(const QTextBlock& block, const Region& region, Pen& pen,
                                                               bool keepSpace, int breakAt)
{
    const QTextBlockFormat format = block.blockFormat();
    LineBreaks breaks;
    BlockBox& box = blocks[block.blockNumber()];
    box.top = pen.y;
    box.page = pen.page;
    box.left = region.left;
    box.right = region.right;
    double y = pen.y + (keepSpace ? format.topMargin() : 0.0);

    double indent = format.indent();
    if (const QTextList* list = block.textList())
        indent += list->format().indent();
    const double left = format.leftMargin() + indent * doc->indentWidth();
    const double right = region.right - region.left - format.rightMargin();
    QTextLayout* layout = block.layout();
    layout->setTextOption(optionFor(doc, block));
    double textTop = y;
    layout->setPosition(QPointF(region.left, textTop));
    layout->beginLayout();
    int index = 0;
    double previousHeight = 0;
    QTextBlock::iterator fragment = block.begin();
    for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine(), ++index) {
        const bool firstLine = index == 0;
        double x0 = left + (firstLine ? format.textIndent() : 0.0);
        double x1 = right;
        if (!floats.isEmpty()) {
            const double estimate = previousHeight > 0 ? previousHeight : QFontMetricsF(block.charFormat().font()).height();
            for (int guard = 0; guard < 8; ++guard) {
                double a = left + (firstLine ? format.textIndent() : 0.0), b = right;
                narrowForFloats(y, estimate, a, b, region);
                x0 = a;
                x1 = b;
                if (x1 - x0 >= MinLineWidth)
                    break;
                const double below = lowestFloatBottom(y, estimate, region);
                if (below <= y)
                    break;
                y = below;
            }
        }
        line.setLineWidth(std::max(1.0, x1 - x0));
        const LineBox own = lineBox(block, line, fragment, q->paintDevice());
        const double height = lineHeight(own.natural(), format);
        const bool overflows = region.paged && y + height > pageBottom(pen.page) + Epsilon;
        if ((overflows || index == breakAt) && y > pageTop(pen.page) + Epsilon) {
            if (overflows && index != breakAt) {
                if (breaks.first < 0)
                    breaks.first = index;
                breaks.last = index;
            }
            newPage(pen);
            y = pen.y;
            if (firstLine) {  // the whole paragraph starts on the next page
                box.top = y;
                box.page = pen.page;
                textTop = y;
                layout->setPosition(QPointF(region.left, textTop));
            }
        }
        // The space an exact or least height adds goes above the text, what a multiple adds
        // (1.5 lines, double) below it, as Word and LibreOffice set them; the font's line gap
        // stays below the text.
        const bool multiple = format.lineHeightType() == QTextBlockFormat::ProportionalHeight && height >= own.natural();
        const double baseline = multiple ? y + own.ascent : y + height - own.natural() + own.ascent;
        line.setPosition(QPointF(x0, baseline - line.ascent() - textTop));
        y += height;
        previousHeight = height;
    }
    layout->endLayout();
    breaks.lines = index;
    box.textTop = textTop;
    box.textBottom = y;
    box.bottom = y + format.bottomMargin();
    pen.y = box.bottom;
    return breaks;
}

void PageLayout::Engine::placeFrame(QTextFrame* frame, const Region& region, Pen& pen)
{
    if (auto* table = qobject_cast<QTextTable*>(frame)) {
        placeTable(table, region, pen);
        return;
    }
    const QTextFrameFormat format = frame->frameFormat();
    if (format.position() != QTextFrameFormat::InFlow) {
        placeFloat(frame, region, pen);
        return;
    }
    // Another frame in the flow: its content between its margins.
    Region inner = region;
    inner.left += format.leftMargin() + format.padding();
    inner.right -= format.rightMargin() + format.padding();
    inner.right = std::max(inner.right, inner.left + 1);
    pen.y += format.topMargin() + format.padding();
    layOutFlow(frame, blocksOf(frame), inner, pen);
    pen.y += format.bottomMargin() + format.padding();
}

// ---- placed pictures ------------------------------------------------------------------------

void PageLayout::Engine::placeFloat(QTextFrame* frame, const Region& region, const Pen& pen)
{
    const QTextFrameFormat format = frame->frameFormat();
    const Blocks blocks = blocksOf(frame);
    const double room = region.right - region.left;
    double width = format.width().type() == QTextLength::VariableLength ? room : format.width().value(room);
    width = std::clamp(width, 1.0, std::max(1.0, room));

    auto layOutAt = [&](double x, double y) {
        Pen inner{y, pen.page};
        const Region content{x + format.padding(), x + width - format.padding(), false, false};
        layOutFlow(frame, blocks, content, inner);
        return inner.y - y + 2 * format.padding();
    };
    const bool right = format.position() == QTextFrameFormat::FloatRight;
    const double x = right ? region.right - width : region.left;
    double y = pen.y;
    double height = layOutAt(x, y);
    if (format.height().type() == QTextLength::FixedLength)
        height = format.height().rawValue();
    if (region.paged && y + height > pageBottom(pen.page) && !atPageTop(pen)) {
        y = pageTop(pen.page + 1);
        layOutAt(x, y);
    }
    FloatBox box;
    box.frame = frame;
    box.rect = QRectF(x, y, width, height);
    box.keepOut = box.rect.adjusted(-format.leftMargin(), -format.topMargin(), format.rightMargin(), format.bottomMargin());
    box.anchorY = pen.y;
    floats.append(box);
}

void PageLayout::Engine::narrowForFloats(double top, double height, double& x0, double& x1, const Region& region) const
{
    for (const FloatBox& f : floats) {
        const QRectF& k = f.keepOut;
        if (k.bottom() <= top || k.top() >= top + height || k.right() <= region.left || k.left() >= region.right)
            continue;
        const double leftRoom = k.left() - region.left - x0;
        const double rightRoom = x1 - (k.right() - region.left);
        if (f.frame->frameFormat().position() == QTextFrameFormat::FloatRight || leftRoom > rightRoom)
            x1 = std::min(x1, k.left() - region.left);
        else
            x0 = std::max(x0, k.right() - region.left);
    }
}

double PageLayout::Engine::lowestFloatBottom(double top, double height, const Region& region) const
{
    double below = top;
    for (const FloatBox& f : floats) {
        const QRectF& k = f.keepOut;
        if (k.bottom() > top && k.top() < top + height && k.right() > region.left && k.left() < region.right)
            below = std::max(below, k.bottom());
    }
    return below;
}

// ---- tables ---------------------------------------------------------------------------------

void PageLayout::Engine::placeTable(QTextTable* table, const Region& region, Pen& pen)
{
    const QTextTableFormat format = table->format();
    if (region.root && (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) && !atPageTop(pen))
        newPage(pen);
    pen.y += format.topMargin();
    TableBox& box = tables[table];
    box = TableBox{};
    box.border = format.border() > 0 && format.borderStyle() != QTextFrameFormat::BorderStyle_None ? format.border() : 0.0;
    box.headerRows = std::clamp(format.headerRowCount(), 0, table->rows());

    // Columns: fixed widths as given, percentages of the table's width, the rest shared evenly.
    const double room = std::max(1.0, region.right - region.left - format.leftMargin() - format.rightMargin());
    const double tableWidth = format.width().type() == QTextLength::VariableLength ? room : format.width().value(room);
    const QList<QTextLength> constraints = format.columnWidthConstraints();
    const int columns = table->columns();
    QList<double> widths(columns, -1.0);
    double given = 0;
    int open = 0;
    for (int c = 0; c < columns; ++c) {
        const QTextLength length = constraints.value(c);
        if (length.type() == QTextLength::VariableLength) {
            ++open;
            continue;
        }
        widths[c] = std::max(MinColumnWidth, length.value(tableWidth));
        given += widths[c];
    }
    double total = given;
    for (double& w : widths)
        if (w < 0) {
            w = std::max(MinColumnWidth, (tableWidth - given) / open);
            total += w;
        }
    double left = region.left + format.leftMargin();
    if (format.alignment() & Qt::AlignHCenter)
        left += (room - total) / 2;
    else if (format.alignment() & Qt::AlignRight)
        left += room - total;
    box.edges.append(left);
    for (double w : widths)
        box.edges.append(box.edges.last() + w);

    box.top = pen.y;
    QList<Pen> spanEnds(table->rows(), Pen{-1e300, -1});
    for (int r = 0; r < table->rows(); ++r) {
        const Pen before = pen;
        const QList<Pen> spansBefore = spanEnds;
        if (placeRow(table, box, r, spanEnds, pen, region.paged && !atPageTop(before)))
            continue;
        // The row did not fit: it starts on the next page, below the heading rows again, unless
        // it is taller than a page, which then breaks where it stood.
        Pen fresh = before;
        newPage(fresh);
        Repeat repeat{fresh.page, 0, 0, 0};
        if (box.headerRows > 0 && r >= box.headerRows) {
            repeat.top = box.rows[0].top;
            repeat.bottom = box.rows[box.headerRows - 1].bottom;
            repeat.dy = fresh.y - repeat.top;
            fresh.y += repeat.bottom - repeat.top;
        }
        pen = fresh;
        spanEnds = spansBefore;
        placeRow(table, box, r, spanEnds, pen, false);
        if (pen.page > fresh.page) {
            pen = before;
            spanEnds = spansBefore;
            placeRow(table, box, r, spanEnds, pen, false);
        } else if (repeat.dy != 0) {
            box.repeats.append(repeat);
        }
    }
    box.bottom = pen.y;
    pen.y += format.bottomMargin();
}

bool PageLayout::Engine::holdsFrames(const QTextFrame* container, const Blocks& range) const
{
    bool found = false;
    walkFlow(container, range, [&](const QTextBlock&, QTextFrame* child, const QTextBlock&) {
        found = child != nullptr;
        return !found;
    });
    return found;
}

void PageLayout::Engine::shiftBlocks(const Blocks& range, double dy)
{
    if (dy <= 0)
        return;
    for (QTextBlock block = range.first; block.isValid() && block.blockNumber() <= range.last; block = block.next()) {
        BlockBox& box = blocks[block.blockNumber()];
        box.top += dy;
        box.textTop += dy;
        box.textBottom += dy;
        box.bottom += dy;
        block.layout()->setPosition(block.layout()->position() + QPointF(0, dy));
    }
}

// Places row `row` at the pen; false when it was allowed to move and did not fit on its page.
bool PageLayout::Engine::placeRow(QTextTable* table, TableBox& box, int row, QList<Pen>& spanEnds, Pen& pen, bool mayMove)
{
    const QTextTableFormat format = table->format();
    const double half = box.border / 2;
    Pen bottom{pen.y + 2 * half, pen.page};
    // Cells whose text stands lower than the top of their row: where their text ends, the room
    // they keep below it, and the share of what is left that goes above the text.
    struct Lowered {
        Blocks blocks;
        double textEnd = 0;
        double below = 0;
        double share = 0;
    };
    QList<Lowered> lowered;
    const QList<QTextTableCell> cells = cellsStartingIn(table, row);
    for (const QTextTableCell& cell : cells) {
        const int c = cell.column();
        const QTextTableCellFormat cf = cell.format().toTableCellFormat();
        Region flow;
        flow.left = box.edges[c] + half + cellPadding(cf, format, QTextFormat::TableCellLeftPadding);
        flow.right = box.edges[std::min(c + std::max(1, cell.columnSpan()), int(box.edges.size()) - 1)] - half
            - cellPadding(cf, format, QTextFormat::TableCellRightPadding);
        flow.right = std::max(flow.right, flow.left + 1);
        flow.paged = true;  // a row taller than a page breaks like the body
        Pen inner{pen.y + half + cellPadding(cf, format, QTextFormat::TableCellTopPadding), pen.page};
        const Blocks blocks = blocksOf(cell);
        layOutFlow(table, blocks, flow, inner);
        const double textEnd = inner.y;
        inner.y += cellPadding(cf, format, QTextFormat::TableCellBottomPadding) + half;
        const int endRow = std::min(cell.row() + std::max(1, cell.rowSpan()) - 1, table->rows() - 1);
        if (endRow == row)
            bottom = later(bottom, inner);
        else
            spanEnds[endRow] = later(spanEnds[endRow], inner);
        const QTextCharFormat::VerticalAlignment align = cf.verticalAlignment();
        if (endRow == row && inner.page == pen.page && (align == QTextCharFormat::AlignMiddle || align == QTextCharFormat::AlignBottom)
            && !holdsFrames(table, blocks))
            lowered.append({blocks, textEnd, inner.y - textEnd, align == QTextCharFormat::AlignMiddle ? 0.5 : 1.0});
    }
    if (spanEnds[row].page >= 0)
        bottom = later(bottom, spanEnds[row]);
    // The height the file gives the row. An exact height is kept as a least one: the text it
    // would cut off stays in sight.
    double least = 0;
    for (const QTextTableCell& cell : cells)
        least = std::max(least, CellGeometry::rowHeight(cell.format().toTableCellFormat()));
    if (least > 0 && bottom.page == pen.page && bottom.y < pen.y + least) {
        if (mayMove && pen.y + least > pageBottom(pen.page) + Epsilon)
            return false;
        bottom.y = pen.y + least;
    }
    if (mayMove && bottom.page > pen.page)
        return false;
    if (bottom.page == pen.page)
        for (const Lowered& cell : lowered)
            shiftBlocks(cell.blocks, (bottom.y - cell.below - cell.textEnd) * cell.share);
    if (box.rows.size() > row)
        box.rows.resize(row);
    box.rows.append(Row{pen.y, bottom.y, pen.page, bottom.page});
    pen = bottom;
    return true;
}
