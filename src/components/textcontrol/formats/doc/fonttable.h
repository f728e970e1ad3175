#pragma once
// The font table (SttbfFfn) of Word 97-2003 files: font names by index.
#include "littleendian.h"

#include <QStringList>

namespace FontTable {

// The names in the table at `fc`, `lcb` bytes long, of the table stream.
QStringList read(const LittleEndian::Reader& table, quint32 fc, quint32 lcb);

// Gives fonts their indexes as they are used and writes the table.
class Writer {
public:
    int index(const QString& family);
    QByteArray bytes() const;

private:
    QStringList m_names;
};

}  // namespace FontTable
