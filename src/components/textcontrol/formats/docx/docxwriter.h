#pragma once
// Writes a document as Office Open XML (.docx): paragraphs with their formats, runs with their
// character formats, tables, pictures, fields (MERGEFIELD, PAGE, NUMPAGES), paragraph borders,
// header and footer, page size and margins.
#include "components/textcontrol/document/pageinfo.h"

#include <QByteArray>

class QTextDocument;

namespace DocxWriter {

QByteArray write(const QTextDocument* document, const PageInfo& page, const DocumentParts* parts = nullptr);

}  // namespace DocxWriter
