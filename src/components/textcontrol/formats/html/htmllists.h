#pragma once
// Lists in HTML: Qt's own HTML export and import carry ul/ol with their kind and level; what
// they leave out is the number a list starts at (the ol element's start) and our markers that
// Qt draws no longer itself.
#include <QString>

class QTextDocument;

namespace HtmlLists {

// The document as HTML, every list as ul or ol with its style and start.
QString toHtml(const QTextDocument* document);
// After Qt's import of `html`: each numbered list starts where its ol element says.
void applyStarts(const QString& html, QTextDocument* document);

}  // namespace HtmlLists
