#pragma once
// The first paragraph that reaches down to a height of the laid-out document, found by the
// layout's hit test, which finds its place by halving and lays out no further than the height
// asked for (probing paragraphs by number would lay out a long document whole).
#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>

namespace BlockSearch {

inline QTextBlock firstBlockReaching(const QTextDocument* document, double y)
{
    QAbstractTextDocumentLayout* layout = document->documentLayout();
    const int position = layout->hitTest(QPointF(0, y), Qt::FuzzyHit);
    // Paragraphs of a table row share their heights: start from the row's first one.
    QTextBlock block = position >= 0 ? document->findBlock(position) : document->begin();
    for (int back = 0; back < 64 && block.previous().isValid()
                       && layout->blockBoundingRect(block.previous()).bottom() >= y; ++back)
        block = block.previous();
    return block;
}

}  // namespace BlockSearch
