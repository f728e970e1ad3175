#pragma once
// The streams of an OLE compound file (the container of Word 97-2003 documents), read and
// written through libgsf.
#include <QByteArray>
#include <QHash>
#include <QList>
#include <QPair>
#include <QString>

namespace CompoundFile {

// The top-level streams by name; false when the bytes are not a compound file.
bool read(const QByteArray& bytes, QHash<QString, QByteArray>& streams);

// A compound file of the given top-level streams, in order, under a root of class `classId`
// (16 bytes); empty when the container cannot be built.
QByteArray write(const QList<QPair<QString, QByteArray>>& streams, const QByteArray& classId);

}  // namespace CompoundFile
