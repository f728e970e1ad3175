#pragma once
// Reads an Office Open XML document (.docx, transitional or Strict) into a document: paragraphs
// and runs with their formats over those of their styles (defaults, theme fonts, based-on
// chains), tables (spans, merged rows, shading, widths), pictures, fields (merge fields become
// merge fields, PAGE and NUMPAGES page fields, others keep their result), paragraph borders,
// page and section breaks, the first section's header, footer, page size and margins. What the
// engine has no place for stays as text in reading order: text boxes after their paragraph,
// footnotes and endnotes at the end under a short rule, content controls, symbols, check boxes,
// tracked insertions (deletions are left out). Nothing outside the package is ever read.
#include "components/textcontrol/document/pageinfo.h"

#include <QByteArray>

class QTextDocument;

namespace DocxReader {

// False for data that are not a word-processing package.
bool read(const QByteArray& bytes, QTextDocument* document, PageInfo& page, DocumentParts* parts = nullptr);

}  // namespace DocxReader
