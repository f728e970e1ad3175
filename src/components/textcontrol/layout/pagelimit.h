#pragma once
// Qt's layout coordinates overflow near 33.5 million units, about 31,000 Letter pages at 96
// units to the inch. A document estimated beyond the limit is refused before it is laid out.
class QTextDocument;

namespace PageLimit {

constexpr int MaxPages = 30000;

// A quick estimate of the pages `document` fills on pages of the given text area (layout
// units): one pass over its paragraphs with each paragraph's first font, no layout.
int estimatePages(const QTextDocument* document, double textWidth, double textHeight);

}  // namespace PageLimit
