#pragma once
// Space the layout would lose. Qt's layout puts the space between two paragraphs only between
// paragraphs, so a table would touch the paragraph before it and the one after it; the table's
// own space above and below it stands in for theirs. The files never see this: no writer
// writes a table's margins.
class QTextDocument;

namespace LayoutGaps {

// Gives each table of the body the space after the paragraph before it and the space before the
// paragraph after it, once, after a document is read.
void keepSpaceAfterTables(QTextDocument* document);

}  // namespace LayoutGaps
