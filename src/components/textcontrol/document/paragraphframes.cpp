#include "paragraphframes.h"

#include "blocksearch.h"
#include "layoutunits.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

namespace ParagraphFrames {
namespace {

constexpr int KeptFlags = Sides | TabLines | DoubleLines | Connected;

// The paragraphs that the selection (or the caret) touches, in order.
QList<QTextBlock> selectedBlocks(const QTextCursor& cursor)
{
    const QTextDocument* document = cursor.document();
    QList<QTextBlock> blocks;
    const QTextBlock last = document->findBlock(cursor.selectionEnd());
    for (QTextBlock block = document->findBlock(cursor.selectionStart()); block.isValid(); block = block.next()) {
        blocks << block;
        if (block == last)
            break;
    }
    return blocks;
}

template <typename Read>
int common(const QTextCursor& cursor, Read read)
{
    const QList<QTextBlock> blocks = selectedBlocks(cursor);
    const int first = read(blocks.first().blockFormat());
    for (const QTextBlock& block : blocks)
        if (read(block.blockFormat()) != first)
            return -1;
    return first;
}

template <typename Change>
void eachBlock(QTextCursor cursor, Change change)
{
    QTextCursor edit(cursor.document());
    edit.beginEditBlock();
    for (const QTextBlock& block : selectedBlocks(cursor)) {
        QTextBlockFormat format = block.blockFormat();
        change(format);
        edit.setPosition(block.position());
        edit.setBlockFormat(format);
    }
    edit.endEditBlock();
}

struct Frame {
    int style = 0;
    int width = 0;
    int distance = 0;
    bool operator==(const Frame& o) const { return style == o.style && width == o.width && distance == o.distance; }
};

// The place where a table or another frame begins is a paragraph of the document's own with no
// text; whatever format it was given, it has no frame to draw.
bool beginsFrame(const QTextBlock& block)
{
    constexpr char16_t FrameStart = 0xfdd0;  // the character the document marks it with
    return block.length() == 1 && block.document()->characterAt(block.position()) == QChar(FrameStart);
}

Frame frameOf(const QTextBlock& block)
{
    if (beginsFrame(block))
        return {};
    const QTextBlockFormat f = block.blockFormat();
    return {style(f), lineWidth(f), distance(f)};
}

bool joins(const Frame& a, const Frame& b) { return (a.style & Connected) && a == b; }

// One side's line from a to b; a double line adds a second, thinner pair inside it.
void side(QPainter* painter, QPointF a, QPointF b, QPointF inward, double width, bool twin)
{
    if (!twin) {
        painter->setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::FlatCap));
        painter->drawLine(a, b);
        return;
    }
    const double thin = std::max(width / 3.0, 0.5);
    painter->setPen(QPen(Qt::black, thin, Qt::SolidLine, Qt::FlatCap));
    const QPointF shift = inward * (2 * thin);
    painter->drawLine(a - inward * thin, b - inward * thin);
    painter->drawLine(a + shift - inward * thin, b + shift - inward * thin);
}

void drawBox(QPainter* painter, const QRectF& text, const Frame& frame, const QList<double>& tabColumns)
{
    using LayoutUnits::fromTwips;
    const double width = std::max(fromTwips(frame.width), 0.5);
    const double gap = fromTwips(frame.distance) + width / 2;
    const QRectF box = text.adjusted(-gap, -gap, gap, gap);
    const bool twin = frame.style & DoubleLines;
    if (frame.style & Left)
        side(painter, box.topLeft(), box.bottomLeft(), QPointF(1, 0), width, twin);
    if (frame.style & Right)
        side(painter, box.topRight(), box.bottomRight(), QPointF(-1, 0), width, twin);
    if (frame.style & Top)
        side(painter, box.topLeft(), box.topRight(), QPointF(0, 1), width, twin);
    if (frame.style & Bottom)
        side(painter, box.bottomLeft(), box.bottomRight(), QPointF(0, -1), width, twin);
    if (frame.style & TabLines)
        for (const double x : tabColumns)
            side(painter, QPointF(x, box.top()), QPointF(x, box.bottom()), QPointF(1, 0), width, false);
}

// The paragraph's text area: from its left indent (or a first line hanging further out) to its
// right indent, over the height of its lines. The layout's own box of a paragraph starts at the
// margin and is as wide as the lines, so it sits one left indent too far left.
QRectF textArea(QAbstractTextDocumentLayout* layout, const QTextBlock& block)
{
    const QRectF box = layout->blockBoundingRect(block);
    const QTextLayout* lines = block.layout();
    if (!lines || lines->lineCount() == 0)
        return box;
    const QTextBlockFormat format = block.blockFormat();
    double left = box.right(), right = box.left();
    for (int i = 0; i < lines->lineCount(); ++i) {
        const QTextLine line = lines->lineAt(i);
        // A line's start includes the first line's indent; its end is the paragraph's right indent.
        const double start = line.x() - (i == 0 ? std::max(0.0, format.textIndent()) : 0.0);
        left = std::min(left, box.left() + start);
        right = std::max(right, box.left() + line.x() + line.width());
    }
    return QRectF(QPointF(left, box.top()), QPointF(right, box.bottom()));
}

// Lines between tab columns run at the paragraph's tab stops inside the box.
QList<double> tabColumns(QAbstractTextDocumentLayout* layout, const QTextBlock& block, const QRectF& text)
{
    QList<double> columns;
    const QTextBlockFormat format = block.blockFormat();
    const double origin = layout->blockBoundingRect(block).left();
    for (const QTextOption::Tab& tab : format.tabPositions()) {
        const double x = origin + tab.position;
        if (x > text.left() && x < text.right())
            columns << x;
    }
    return columns;
}

}  // namespace

int style(const QTextBlockFormat& format) { return format.intProperty(StyleProperty) & KeptFlags; }

int lineWidth(const QTextBlockFormat& format)
{
    return format.hasProperty(LineWidthProperty) ? format.intProperty(LineWidthProperty) : DefaultLineWidth;
}

int distance(const QTextBlockFormat& format) { return format.intProperty(DistanceProperty); }

int selectionStyle(const QTextCursor& cursor)
{
    int all = KeptFlags;
    for (const QTextBlock& block : selectedBlocks(cursor))
        all &= style(block.blockFormat());
    return all;
}

int selectionLineWidth(const QTextCursor& cursor)
{
    return common(cursor, [](const QTextBlockFormat& f) { return lineWidth(f); });
}

int selectionDistance(const QTextCursor& cursor)
{
    return common(cursor, [](const QTextBlockFormat& f) { return distance(f); });
}

int applyStyle(int kept, int written)
{
    static constexpr struct { int on, off; } Pairs[] = {
        {Left, LeftOff}, {Right, RightOff}, {Top, TopOff}, {Bottom, BottomOff},
        {TabLines, TabLinesOff}, {DoubleLines, SingleLines},
    };
    for (const auto& pair : Pairs) {
        if (written & pair.on)
            kept |= pair.on;
        else if (written & pair.off)
            kept &= ~pair.on;
    }
    if (written & Connected)
        kept |= Connected;
    return (kept & Sides) ? kept : 0;
}

void setSelectionStyle(QTextCursor cursor, int written)
{
    eachBlock(cursor, [written](QTextBlockFormat& f) {
        const int kept = applyStyle(style(f), written);
        if (kept)
            f.setProperty(StyleProperty, kept);
        else
            f.clearProperty(StyleProperty);
    });
}

void setSelectionLineWidth(QTextCursor cursor, int twips)
{
    eachBlock(cursor, [twips](QTextBlockFormat& f) { f.setProperty(LineWidthProperty, twips); });
}

void setSelectionDistance(QTextCursor cursor, int twips)
{
    eachBlock(cursor, [twips](QTextBlockFormat& f) { f.setProperty(DistanceProperty, twips); });
}

void draw(QPainter* painter, const QRectF& exposed, const QTextDocument* document)
{
    QAbstractTextDocumentLayout* layout = document->documentLayout();
    QTextBlock block = BlockSearch::firstBlockReaching(document, exposed.top());
    // A joined box that starts above the exposed area is drawn from its first paragraph.
    while (block.previous().isValid() && joins(frameOf(block.previous()), frameOf(block)))
        block = block.previous();
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    for (; block.isValid(); block = block.next()) {
        const Frame frame = frameOf(block);
        QRectF text = textArea(layout, block);
        if (text.top() > exposed.bottom())
            break;
        if (!(frame.style & Sides))
            continue;
        QList<double> columns = tabColumns(layout, block, text);
        while (joins(frame, frameOf(block)) && block.next().isValid() && frameOf(block.next()) == frame) {
            block = block.next();
            const QRectF next = textArea(layout, block);
            columns += tabColumns(layout, block, next);
            text |= next;
        }
        drawBox(painter, text, frame, columns);
    }
    painter->restore();
}

}  // namespace ParagraphFrames
