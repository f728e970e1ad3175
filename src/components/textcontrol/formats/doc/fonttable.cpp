#include "fonttable.h"

namespace FontTable {

// Each entry (FFN): its size less one, flags, weight (2), character set, alternate name
// index, panose (10), font signature (24), then the name, UTF-16 and terminated.
constexpr int NameOffset = 40;

QStringList read(const LittleEndian::Reader& t, quint32 fc, quint32 lcb)
{
    QStringList names;
    qint64 at = fc;
    if (!t.has(at, lcb) || lcb < 4)
        return names;
    const bool extended = t.u16(at) == 0xFFFF;
    const int count = extended ? t.u16(at + 2) : t.u16(at);
    at += extended ? 6 : 4;
    for (int i = 0; i < count && i < 1000 && t.has(at, 1); ++i) {
        const int cb = t.u8(at);
        QString name;
        for (qint64 c = at + NameOffset; c + 1 < at + 1 + cb && t.u16(c) != 0; c += 2)
            name += QChar(t.u16(c));
        names.append(name);
        at += cb + 1;
    }
    return names;
}

int Writer::index(const QString& family)
{
    const qsizetype i = m_names.indexOf(family);
    if (i >= 0)
        return int(i);
    m_names << family;
    return int(m_names.size() - 1);
}

QByteArray Writer::bytes() const
{
    LittleEndian::Writer out;
    out.u16(int(m_names.size()));
    out.u16(0);
    for (const QString& name : m_names) {
        const QString n = name.left(31);
        out.u8(NameOffset - 1 + 2 * int(n.size() + 1));
        out.u8(0x06);  // variable pitch, TrueType
        out.u16(400);
        out.u8(0);  // ANSI character set
        out.u8(0);
        out.zeros(10 + 24);
        for (const QChar c : n)
            out.u16(c.unicode());
        out.u16(0);
    }
    return out.bytes;
}

}  // namespace FontTable
