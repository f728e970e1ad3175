#pragma once
// A table that starts on a new page. Qt keeps the break on the table's own format; Word's files
// keep it as "page break before" on the paragraph that opens the table's first row, which is how
// every writer writes it and every reader finds it.
#include <QTextBlock>

class QTextDocument;

namespace TableBreaks {

// True for the first paragraph of a table whose format breaks the page before it.
bool opensBrokenTable(const QTextBlock& block);

// The block format a writer writes for `block`: with the page break of the table it opens.
QTextBlockFormat writtenFormat(const QTextBlock& block);

// Takes "page break before" off the first paragraph of a cell's content, read from a file;
// true where it was there, for the table to break the page instead.
bool takeFromFirstParagraph(QTextDocument* content);

}  // namespace TableBreaks
