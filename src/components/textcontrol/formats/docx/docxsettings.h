#pragma once
// What a document's settings part changes in how its paragraphs are laid out.
#include <QByteArray>

class QTextDocument;

namespace DocxSettings {

// Whether the space between two paragraphs is the larger of the one's below and the other's
// above, as Word and LibreOffice lay out a file whose settings do not ask for both added
// (w:doNotUseHTMLParagraphAutoSpacing).
bool spacingCollapses(const QByteArray& settings);

// Gives `document` the spacing it had under that rule in this program's, which adds the two:
// each paragraph's space above keeps only what the space below the one before it in the same
// flow does not already give.
void collapseSpacing(QTextDocument* document);

}  // namespace DocxSettings
