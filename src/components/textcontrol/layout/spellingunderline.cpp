#include "spellingunderline.h"

#include "components/textcontrol/document/blocksearch.h"
#include "components/textcontrol/document/spellingwords.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPainterPath>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

namespace SpellingUnderline {
namespace {

void wave(QPainter* painter, double x1, double x2, double y)
{
    QPainterPath path(QPointF(x1, y));
    for (double x = x1; x < x2; x += 2)
        path.lineTo(x + 2, (int(x - x1) / 2) % 2 ? y : y + 2);
    painter->drawPath(path);
}

}  // namespace

void draw(QPainter* painter, const QRectF& exposed, const QTextDocument* document,
          const std::function<bool(const QString&)>& known)
{
    QAbstractTextDocumentLayout* layout = document->documentLayout();

    painter->save();
    painter->setPen(QPen(QColor(0xe0, 0x20, 0x20), 0.8));
    for (QTextBlock block = BlockSearch::firstBlockReaching(document, exposed.top()); block.isValid(); block = block.next()) {
        const QRectF box = layout->blockBoundingRect(block);
        if (box.top() > exposed.bottom())
            break;
        if (!box.intersects(exposed) || !block.layout())
            continue;
        const QString text = block.text();
        for (const SpellingWords::Word& w : SpellingWords::inBlock(block)) {
            if (known(text.mid(w.start, w.length)))
                continue;
            const QTextLine line = block.layout()->lineForTextPosition(w.start);
            if (!line.isValid())
                continue;
            const int end = std::min(w.start + w.length, line.textStart() + line.textLength());
            wave(painter, box.left() + line.cursorToX(w.start), box.left() + line.cursorToX(end),
                 box.top() + line.y() + line.ascent() + 1.5);
        }
    }
    painter->restore();
}

}  // namespace SpellingUnderline
