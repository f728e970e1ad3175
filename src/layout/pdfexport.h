#pragma once
// Writes a document's pages to a PDF file, drawn by the same code as the screen's pages.
#include <QString>

class TextControl;

namespace PdfExport {

// Atomic: a failed export leaves an existing file as it was.
bool write(const TextControl* control, const QString& path);

}  // namespace PdfExport
