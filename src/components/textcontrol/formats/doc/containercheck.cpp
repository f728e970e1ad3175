#include "containercheck.h"

#include "littleendian.h"

#include <QList>

namespace ContainerCheck {
namespace {

constexpr quint32 EndOfChain = 0xFFFFFFFE;
constexpr quint32 FreeSector = 0xFFFFFFFF;
constexpr int HeaderSize = 512;
constexpr int HeaderFatEntries = 109;
constexpr int EntrySize = 128;
constexpr quint32 MiniStreamCutoff = 4096;
constexpr int StreamEntry = 2;
constexpr int RootEntry = 5;

class Container {
public:
    explicit Container(const QByteArray& bytes) : m_d{bytes} {}

    bool intact()
    {
        const int shift = m_d.u16(0x1E);
        if (shift != 9 && shift != 12)
            return false;
        m_sectorSize = 1 << shift;
        m_sectors = (qint64(m_d.bytes.size()) - HeaderSize + m_sectorSize - 1) / m_sectorSize;
        if (!readFat())
            return false;
        QList<quint32> directory;
        if (!chain(m_d.u32(0x30), directory) || directory.isEmpty())
            return false;
        QList<quint32> miniFat;
        if (m_d.u32(0x3C) != EndOfChain && !chain(m_d.u32(0x3C), miniFat))
            return false;
        return streamsFit(directory);
    }

private:
    qint64 offset(quint32 sector) const { return HeaderSize + qint64(sector) * m_sectorSize; }

    // The allocation table, from the sectors the header lists and, in a large file, the
    // sectors of the further list that the header points to.
    bool readFat()
    {
        const quint32 count = m_d.u32(0x2C);
        QList<quint32> fatSectors;
        for (quint32 i = 0; i < count && i < HeaderFatEntries; ++i)
            fatSectors.append(m_d.u32(0x4C + i * 4));
        quint32 more = m_d.u32(0x44);
        for (quint32 n = 0; n < m_d.u32(0x48) && quint32(fatSectors.size()) < count; ++n) {
            if (more >= m_sectors)
                return false;
            for (int e = 0; e < m_sectorSize / 4 - 1 && quint32(fatSectors.size()) < count; ++e)
                fatSectors.append(m_d.u32(offset(more) + e * 4));
            more = m_d.u32(offset(more) + m_sectorSize - 4);
        }
        for (const quint32 sector : fatSectors) {
            if (sector >= m_sectors)
                return false;
            for (int e = 0; e < m_sectorSize / 4; ++e)
                m_fat.append(m_d.u32(offset(sector) + e * 4));
        }
        return !m_fat.isEmpty();
    }

    // The sectors of the chain from `first`; false when it leaves the file or loops.
    bool chain(quint32 first, QList<quint32>& sectors) const
    {
        for (quint32 s = first; s != EndOfChain; s = m_fat.value(s, FreeSector)) {
            if (s >= m_sectors || qsizetype(s) >= m_fat.size() || sectors.size() > m_sectors)
                return false;
            sectors.append(s);
        }
        return true;
    }

    // Every stream the directory names fits in the file: a regular stream in the file's
    // sectors, a small one in the mini stream.
    bool streamsFit(const QList<quint32>& directory) const
    {
        qint64 miniStream = 0;
        const qint64 fileSize = m_d.bytes.size();
        for (const quint32 sector : directory)
            for (int e = 0; e < m_sectorSize / EntrySize; ++e) {
                const qint64 entry = offset(sector) + e * EntrySize;
                const int type = m_d.u8(entry + 0x42);
                const quint32 size = m_d.u32(entry + 0x78);
                if (type == RootEntry)
                    miniStream = size;
                else if (type == StreamEntry && size >= MiniStreamCutoff && size > fileSize)
                    return false;
                else if (type == StreamEntry && size < MiniStreamCutoff && miniStream > 0 && size > miniStream)
                    return false;
            }
        return true;
    }

    LittleEndian::Reader m_d;
    int m_sectorSize = 512;
    qint64 m_sectors = 0;
    QList<quint32> m_fat;
};

}  // namespace

bool intact(const QByteArray& bytes)
{
    if (bytes.size() < HeaderSize)
        return false;
    return Container(bytes).intact();
}

}  // namespace ContainerCheck
