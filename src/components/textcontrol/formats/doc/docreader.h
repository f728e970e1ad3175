#pragma once
// Reads Word 97-2003 binary documents (.doc): the text through the piece table (8-bit and
// Unicode pieces), character formats (font, size, bold, italic, underline, strike, colour,
// shading, super/subscript) and paragraph formats (alignment, indents, spacing, line spacing,
// tab stops, borders, page break before) from the styles and the text, tables with merged and
// shaded cells, pictures in the text, page breaks, fields (merge fields become merge fields,
// PAGE and NUMPAGES page fields, others keep their result), the first section's page set-up
// and header and footer distances; the headers and footers of every section, footnotes,
// endnotes and text boxes, those the engine cannot show as text after the body.
#include "components/textcontrol/document/pageinfo.h"

#include <QByteArray>
#include <QString>

class QTextDocument;

namespace DocReader {

// What keeps a file of Word's binary format from being read, before any of its text is.
// Damaged: its table of contents points past the end of its formats' stream, or its container
// leads past the end of the file; what could be read would be partial or garbled.
enum class Refusal { None, NotWord, PasswordProtected, OlderWord, DamagedTables, DamagedContainer };
Refusal refusal(const QByteArray& bytes);

// False for data that are not a Word 97-2003 document, or one that is encrypted.
bool read(const QByteArray& bytes, QTextDocument* document, PageInfo& page, DocumentParts* parts = nullptr);

}  // namespace DocReader
