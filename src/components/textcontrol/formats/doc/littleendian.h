#pragma once
// Little-endian reading and writing of the binary structures of Word 97-2003 files.
#include <QByteArray>
#include <QtGlobal>

namespace LittleEndian {

// Reads that give 0 beyond the end of the data, so damaged files read as zeros, never out of bounds.
struct Reader {
    const QByteArray& bytes;
    bool has(qint64 at, qint64 n) const { return at >= 0 && n >= 0 && at + n <= bytes.size(); }
    quint8 u8(qint64 at) const { return has(at, 1) ? quint8(bytes.at(at)) : 0; }
    quint16 u16(qint64 at) const { return quint16(u8(at) | (u8(at + 1) << 8)); }
    qint16 i16(qint64 at) const { return qint16(u16(at)); }
    quint32 u32(qint64 at) const { return quint32(u16(at)) | (quint32(u16(at + 2)) << 16); }
};

// Appends values; `at` and the set* calls fill in values whose size is known only later.
struct Writer {
    QByteArray bytes;
    qint64 size() const { return bytes.size(); }
    void u8(int v) { bytes.append(char(v & 0xFF)); }
    void u16(int v) { u8(v); u8(v >> 8); }
    void u32(quint32 v) { u16(int(v & 0xFFFF)); u16(int(v >> 16)); }
    void append(const QByteArray& b) { bytes.append(b); }
    void zeros(qint64 n) { bytes.append(QByteArray(n, '\0')); }
    void padTo(qint64 multiple) { zeros((multiple - size() % multiple) % multiple); }
    void set16(qint64 at, int v) { bytes[at] = char(v & 0xFF); bytes[at + 1] = char((v >> 8) & 0xFF); }
    void set32(qint64 at, quint32 v) { set16(at, int(v & 0xFFFF)); set16(at + 2, int(v >> 16)); }
};

}  // namespace LittleEndian
