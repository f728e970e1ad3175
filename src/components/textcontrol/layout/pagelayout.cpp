#include "pagelayout.h"

#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <algorithm>

namespace {

QTextOption optionFor(const QTextDocument* document, const QTextBlockFormat& format)
{
    QTextOption option = document->defaultTextOption();
    option.setAlignment(QStyle::visualAlignment(format.layoutDirection(), format.alignment()));
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    QList<QTextOption::Tab> tabs;
    for (const QTextOption::Tab& tab : format.tabPositions())
        tabs.append(tab);
    if (!tabs.isEmpty())
        option.setTabs(tabs);
    return option;
}

// A line's height as the paragraph's spacing rule asks, from the fonts' own ascent, descent
// and leading, which Qt's line height rounds up to whole units.
double lineHeight(const QTextLine& line, const QTextBlockFormat& format)
{
    const double natural = line.ascent() + line.descent() + line.leading();
    const double value = format.lineHeight();
    switch (format.lineHeightType()) {
    case QTextBlockFormat::ProportionalHeight: return natural * value / 100.0;
    case QTextBlockFormat::FixedHeight: return value;
    case QTextBlockFormat::MinimumHeight: return std::max(natural, value);
    case QTextBlockFormat::LineDistanceHeight: return natural + value;
    default: return natural;
    }
}

}  // namespace

PageLayout::PageLayout(QTextDocument* document) : QAbstractTextDocumentLayout(document) {}

bool PageLayout::canLayOut(const QTextDocument* document)
{
    return document->rootFrame()->childFrames().isEmpty();
}

double PageLayout::pageTop(int page) const
{
    return page * document()->pageSize().height() + document()->rootFrame()->frameFormat().topMargin();
}

double PageLayout::pageBottom(int page) const
{
    return (page + 1) * document()->pageSize().height() - document()->rootFrame()->frameFormat().bottomMargin();
}

void PageLayout::documentChanged(int from, int, int)
{
    const QTextBlock block = document()->findBlock(from);
    layOutFrom(block.isValid() ? block.blockNumber() : 0);
}

void PageLayout::layOutFrom(int first)
{
    QTextDocument* doc = document();
    const int oldPages = m_pages;
    m_placed.resize(doc->blockCount());
    first = std::clamp(first, 0, int(m_placed.size()) - 1);
    // A paragraph's place depends on the one before it only: start right after that one.
    int page = first > 0 ? m_placed[first - 1].page : 0;
    double y = first > 0 ? m_placed[first - 1].bottom : pageTop(0);
    for (QTextBlock block = doc->findBlockByNumber(first); block.isValid(); block = block.next()) {
        const bool atTop = y <= pageTop(page);
        y = placeBlock(block, y, atTop, &page);
    }
    m_pages = page + 1;
    const QSizeF size = documentSize();
    emit update(QRectF(0, first > 0 ? m_placed[first].top : 0, size.width(), size.height()));
    if (m_pages != oldPages)
        emit pageCountChanged(m_pages);
    emit documentSizeChanged(size);
}

double PageLayout::placeBlock(const QTextBlock& block, double y, bool atTop, int* page)
{
    const QTextDocument* doc = document();
    const QTextFrameFormat frame = doc->rootFrame()->frameFormat();
    const QTextBlockFormat format = block.blockFormat();
    const bool hardBreak = block.blockNumber() > 0
        && ((format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
            || (block.previous().blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysAfter));
    if (hardBreak && !atTop) {
        ++*page;
        y = pageTop(*page);
    }
    Placed& placed = m_placed[block.blockNumber()];
    placed.top = y;
    placed.page = *page;
    // The space before a paragraph is kept at the top of the document and after a hard break,
    // and dropped at the top of a page the text flowed onto.
    if (!atTop || hardBreak || block.blockNumber() == 0)
        y += format.topMargin();

    const double left = frame.leftMargin() + format.leftMargin();
    const double width = std::max(1.0, doc->pageSize().width() - frame.leftMargin() - frame.rightMargin()
                                            - format.leftMargin() - format.rightMargin());
    QTextLayout* layout = block.layout();
    layout->setTextOption(optionFor(doc, format));
    layout->setPosition(QPointF(left, placed.top));
    layout->beginLayout();
    bool firstLine = true;
    for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
        const double indent = firstLine ? format.textIndent() : 0.0;
        line.setLineWidth(width - indent);
        const double height = lineHeight(line, format);
        if (y + height > pageBottom(*page) && y > pageTop(*page)) {
            ++*page;
            y = pageTop(*page);
            if (firstLine) {  // the whole paragraph starts on the next page
                placed.top = y;
                placed.page = *page;
                layout->setPosition(QPointF(left, y));
            }
        }
        // The line's text sits on the baseline of the box the rule gives it.
        line.setPosition(QPointF(indent, y - placed.top + (height - line.ascent() - line.descent() - line.leading())));
        y += height;
        firstLine = false;
    }
    layout->endLayout();
    placed.bottom = y + format.bottomMargin();
    return placed.bottom;
}

int PageLayout::pageCount() const { return m_pages; }

QSizeF PageLayout::documentSize() const
{
    const QSizeF page = document()->pageSize();
    return QSizeF(page.width(), page.height() * m_pages);
}

QRectF PageLayout::frameBoundingRect(QTextFrame*) const { return QRectF(QPointF(0, 0), documentSize()); }

QRectF PageLayout::blockBoundingRect(const QTextBlock& block) const
{
    if (!block.isValid() || block.blockNumber() >= m_placed.size())
        return {};
    const Placed& placed = m_placed[block.blockNumber()];
    return QRectF(0, placed.top, document()->pageSize().width(), placed.bottom - placed.top);
}

int PageLayout::pageOfBlock(const QTextBlock& block) const
{
    return block.isValid() && block.blockNumber() < m_placed.size() ? m_placed[block.blockNumber()].page : 0;
}

int PageLayout::blockAt(double y) const
{
    const auto it = std::upper_bound(m_placed.cbegin(), m_placed.cend(), y,
                                     [](double value, const Placed& placed) { return value < placed.bottom; });
    return std::min(int(it - m_placed.cbegin()), int(m_placed.size()) - 1);
}

int PageLayout::hitTest(const QPointF& point, Qt::HitTestAccuracy accuracy) const
{
    if (m_placed.isEmpty())
        return -1;
    const QTextBlock block = document()->findBlockByNumber(blockAt(point.y()));
    const QTextLayout* layout = block.layout();
    const QPointF local = point - layout->position();
    for (int i = 0; i < layout->lineCount(); ++i) {
        const QTextLine line = layout->lineAt(i);
        const bool last = i == layout->lineCount() - 1;
        if (local.y() < line.y() + line.height() || last) {
            if (accuracy == Qt::ExactHit && !line.naturalTextRect().contains(local))
                return -1;
            return block.position() + line.xToCursor(local.x());
        }
    }
    return accuracy == Qt::ExactHit ? -1 : block.position();
}

void PageLayout::draw(QPainter* painter, const PaintContext& context)
{
    if (m_placed.isEmpty())
        return;
    const QRectF clip = context.clip.isValid() ? context.clip : QRectF(QPointF(0, 0), documentSize());
    QTextDocument* doc = document();
    for (QTextBlock block = doc->findBlockByNumber(blockAt(clip.top())); block.isValid(); block = block.next()) {
        const Placed& placed = m_placed[block.blockNumber()];
        if (placed.top > clip.bottom())
            break;
        QTextLayout* layout = block.layout();
        const int start = block.position();
        const int end = start + block.length();
        QList<QTextLayout::FormatRange> selections;
        for (const Selection& selection : context.selections) {
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
        painter->setPen(context.palette.color(QPalette::Text));
        layout->draw(painter, QPointF(), selections, clip);
        if (context.cursorPosition >= start && context.cursorPosition < end)
            layout->drawCursor(painter, QPointF(), context.cursorPosition - start);
    }
}
