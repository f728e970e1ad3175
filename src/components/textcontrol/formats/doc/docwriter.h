#pragma once
// Writes a document as a Word 97-2003 binary document (.doc): a compound file with the
// WordDocument, 1Table and Data streams; text in one Unicode piece; character and paragraph
// properties in formatted disk pages; a style sheet with Normal; the font table; tables;
// pictures in the text; header and footer; merge and page-number fields; page size and margins.
#include "components/textcontrol/document/pageinfo.h"

#include <QByteArray>

class QTextDocument;

namespace DocWriter {

QByteArray write(const QTextDocument* document, const PageInfo& page, const DocumentParts* parts = nullptr);

}  // namespace DocWriter
