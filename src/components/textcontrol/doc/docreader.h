#pragma once
// Reads Word 97-2003 binary documents (.doc): the text through the piece table (8-bit and
// Unicode pieces), direct character formats (font, size, bold, italic, underline, strike,
// colour, super/subscript), paragraph formats (alignment, indents, spacing, line spacing,
// page break before), tables, page breaks, fields (merge fields become merge fields, PAGE and
// NUMPAGES page fields, others keep their result) and the first section's page set-up.
#include "components/textcontrol/pageinfo.h"

#include <QByteArray>
#include <QString>

class QTextDocument;

namespace DocReader {

// False for data that are not a Word 97-2003 document, or one that is encrypted.
bool read(const QByteArray& bytes, QTextDocument* document, PageInfo& page);

}  // namespace DocReader
