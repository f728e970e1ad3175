#pragma once
// Property changes (sprms): the character, paragraph, table and section properties of Word
// 97-2003 files as lists of codes with operands, read and written.
#include "littleendian.h"
#include "wordbinary.h"

#include <QList>

namespace PropertyChanges {

// A property change: its code and operand (at most four bytes are of use here).
struct Change {
    quint16 code;
    qint64 operand;  // offset of the operand in the data
    int size;
};

// The changes of a list `length` bytes long from `at`; a change cut off by the end is dropped.
QList<Change> read(const LittleEndian::Reader& d, qint64 at, qint64 length);

// A list of property changes.
class List {
public:
    void byte(quint16 sprm, int v) { m_out.u16(sprm); m_out.u8(v); }
    void word(quint16 sprm, int v) { m_out.u16(sprm); m_out.u16(v); }
    void dword(quint16 sprm, quint32 v) { m_out.u16(sprm); m_out.u32(v); }
    void variable(quint16 sprm, const QByteArray& operand)
    {
        m_out.u16(sprm);
        m_out.u8(int(operand.size()));
        m_out.append(operand);
    }
    // The table definition counts its operand's size in two bytes.
    void tableDefinition(const QByteArray& operand)
    {
        m_out.u16(WordBinary::Sprm::TDefTable);
        m_out.u16(int(operand.size()) + 1);
        m_out.append(operand);
    }
    const QByteArray& bytes() const { return m_out.bytes; }

private:
    LittleEndian::Writer m_out;
};

}  // namespace PropertyChanges
