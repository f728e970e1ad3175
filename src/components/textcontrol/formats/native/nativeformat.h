#pragma once
// The control's own file format (templates, .tx): everything the document holds, with the
// page set-up. Layout of the file is described in docs/native-format.md.
#include "components/textcontrol/document/pageinfo.h"

#include <QByteArray>
#include <QString>

class QTextDocument;

namespace NativeFormat {

constexpr char Magic[8] = {'S', 'C', 'R', 'V', 'T', 'X', '\r', '\n'};
// 2: paragraphs name their list; 3: the first page's own header and footer. Older versions
// are read as well.
constexpr quint16 Version = 3;

QByteArray write(const QTextDocument* document, const PageInfo& page,
                 const DocumentParts* parts = nullptr);
// False for data that are not a document of this format (or of a newer version). Linked
// images are read from their files, or from `imageFolder` when the file has moved there.
bool read(const QByteArray& bytes, QTextDocument* document, PageInfo& page,
          DocumentParts* parts = nullptr, const QString& imageFolder = {});

}  // namespace NativeFormat
