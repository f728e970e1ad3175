#pragma once
// HTML through Qt's HTML support, with the page size and margins written and read as a CSS
// @page rule, and images found relative to the document's folder.
#include "components/textcontrol/document/pageinfo.h"

#include <QByteArray>
#include <QString>

class QTextDocument;

namespace HtmlFormat {

QByteArray write(const QTextDocument* document, const PageInfo& page, const QString& imageFolder);
bool read(const QByteArray& bytes, QTextDocument* document, PageInfo& page,
          const QString& imageFolder);

// "8.5in" or "21cm" in twips; 0 for a length it cannot read.
int cssLengthToTwips(const QString& length);

}  // namespace HtmlFormat
