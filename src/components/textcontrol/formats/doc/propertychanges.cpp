#include "propertychanges.h"


namespace PropertyChanges {

QList<Change> read(const LittleEndian::Reader& d, qint64 at, qint64 length)
{
    QList<Change> list;
    const qint64 end = at + length;
    while (at + 2 <= end && d.has(at, 2)) {
        const quint16 code = d.u16(at);
        at += 2;
        int size = 0;
        switch (code >> 13) {
        case 0: case 1: size = 1; break;
        case 2: case 4: case 5: size = 2; break;
        case 3: size = 4; break;
        case 7: size = 3; break;
        case 6:
            if (code == WordBinary::Sprm::TDefTable) {  // the table definition counts its size in two bytes, plus one
                size = std::max(0, d.u16(at) - 1);
                at += 2;
            } else {
                size = d.u8(at);
                ++at;
            }
            break;
        }
        if (at + size > end)
            break;
        list.append({code, at, size});
        at += size;
    }
    return list;
}

}  // namespace PropertyChanges
