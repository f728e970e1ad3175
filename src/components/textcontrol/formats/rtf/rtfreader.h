#pragma once
// Reads Rich Text into a document. Survives anything: unknown control words and
// destinations are skipped, braces that do not balance, truncated files, huge numbers and
// binary data are taken in stride. Several complete documents one after another read as
// one document with a page break between them.
#include "components/textcontrol/document/pageinfo.h"

#include <QByteArray>

class QTextDocument;

namespace RtfReader {

// False when the data do not start as RTF.
bool read(const QByteArray& bytes, QTextDocument* document, PageInfo& page,
          DocumentParts* parts = nullptr);

}  // namespace RtfReader
