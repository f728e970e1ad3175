#pragma once
// The streams of an OLE compound file (the container of Word 97-2003 documents), read through
// libgsf.
#include <QByteArray>
#include <QHash>
#include <QString>

namespace CompoundFile {

// The top-level streams by name; false when the bytes are not a compound file.
bool read(const QByteArray& bytes, QHash<QString, QByteArray>& streams);

}  // namespace CompoundFile
