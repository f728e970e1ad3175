#include "spellingunderline.h"

#include "fields.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPainterPath>
#include <QTextBlock>
#include <QTextBoundaryFinder>
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

bool inField(const QTextBlock& block, int offset)
{
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment f = it.fragment();
        const int start = f.position() - block.position();
        if (offset >= start && offset < start + f.length())
            return f.charFormat().hasProperty(Fields::IdProperty);
    }
    return false;
}

}  // namespace

void draw(QPainter* painter, const QRectF& exposed, const QTextDocument* document,
          const std::function<bool(const QString&)>& known)
{
    QAbstractTextDocumentLayout* layout = document->documentLayout();
    const int first = layout->hitTest(exposed.topLeft(), Qt::FuzzyHit);
    painter->save();
    painter->setPen(QPen(QColor(0xe0, 0x20, 0x20), 0.8));
    for (QTextBlock block = document->findBlock(std::max(0, first)); block.isValid(); block = block.next()) {
        const QRectF box = layout->blockBoundingRect(block);
        if (box.top() > exposed.bottom())
            break;
        if (!box.intersects(exposed) || !block.layout())
            continue;
        const QString text = block.text();
        QTextBoundaryFinder finder(QTextBoundaryFinder::Word, text);
        for (qsizetype start = 0; start >= 0 && start < text.size();) {
            const qsizetype end = finder.toNextBoundary();
            if (end < 0)
                break;
            const QString word = text.mid(start, end - start);
            const bool isWord = !word.isEmpty() && word.at(0).isLetter()
                && std::none_of(word.begin(), word.end(), [](QChar c) { return c.isDigit(); });
            if (isWord && !inField(block, int(start)) && !known(word)) {
                const QTextLine line = block.layout()->lineForTextPosition(int(start));
                if (line.isValid()) {
                    const double x1 = box.left() + line.cursorToX(int(start));
                    const double x2 = box.left() + line.cursorToX(int(std::min(end, qsizetype(line.textStart() + line.textLength()))));
                    wave(painter, x1, x2, box.top() + line.y() + line.ascent() + 1.5);
                }
            }
            start = end;
        }
    }
    painter->restore();
}

}  // namespace SpellingUnderline
