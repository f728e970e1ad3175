#pragma once
// Reads an Office Open XML document (.docx) into a document: paragraphs and runs with their
// formats over those of their styles (defaults, theme fonts, based-on chains), tables (spans, merged rows, shading, widths), pictures, fields (merge fields become
// merge fields, PAGE and NUMPAGES page fields, others keep their result), paragraph borders,
// page breaks, the default header and footer, page size and margins.
#include "components/textcontrol/pageinfo.h"

#include <QByteArray>

class QTextDocument;

namespace DocxReader {

// False for data that are not a word-processing package.
bool read(const QByteArray& bytes, QTextDocument* document, PageInfo& page, DocumentParts* parts = nullptr);

}  // namespace DocxReader
