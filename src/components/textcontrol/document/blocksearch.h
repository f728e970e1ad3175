#pragma once
// The first paragraph that reaches down to a height of the laid-out document, found by halving
// (the layout's own hit test walks the document from its start, which a 10,000-page document
// cannot afford for every page drawn).
#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>

namespace BlockSearch {

inline QTextBlock firstBlockReaching(const QTextDocument* document, double y)
{
    QAbstractTextDocumentLayout* layout = document->documentLayout();
    int low = 0, high = document->blockCount() - 1;
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (layout->blockBoundingRect(document->findBlockByNumber(middle)).bottom() < y)
            low = middle + 1;
        else
            high = middle;
    }
    // Paragraphs of a table row share their heights: start from the row's first one.
    QTextBlock block = document->findBlockByNumber(low);
    for (int back = 0; back < 64 && block.previous().isValid()
                       && layout->blockBoundingRect(block.previous()).bottom() >= y; ++back)
        block = block.previous();
    return block;
}

}  // namespace BlockSearch
