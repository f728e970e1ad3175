#pragma once
// Writes a document as Rich Text that other word processors open with the same text,
// formats, tables, pictures, fields (MERGEFIELD, PAGE, NUMPAGES) and page set-up.
#include "components/textcontrol/document/pageinfo.h"

#include <QByteArray>

class QTextDocument;

namespace RtfWriter {

QByteArray write(const QTextDocument* document, const PageInfo& page,
                 const DocumentParts* parts = nullptr);

// Text as RTF: braces and backslashes escaped, everything beyond ASCII as \uN?.
QByteArray escape(const QString& text);

}  // namespace RtfWriter
