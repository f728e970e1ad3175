#include "diskpages.h"

#include <algorithm>

namespace DiskPages {

namespace {

// The most runs a page holds: each takes a 4-byte position and a 1-byte (characters) or
// 13-byte (paragraphs) entry, and one more position closes the list.
constexpr int MaxCharacterRuns = 101;
constexpr int MaxParagraphRuns = 29;

// The 512-byte formatted disk pages a bin table points at, in order.
QList<qint64> pageOffsets(const LittleEndian::Reader& wd, const LittleEndian::Reader& table, quint32 fc, quint32 lcb)
{
    QList<qint64> list;
    if (lcb < 4 || !table.has(fc, lcb))
        return list;
    const quint32 n = (lcb - 4) / 8;
    for (quint32 i = 0; i < n && i < 100'000; ++i) {
        const qint64 page = qint64(table.u32(fc + (n + 1) * 4 + i * 4) & 0x3FFFFF) * 512;
        if (wd.has(page, 512))
            list << page;
    }
    return list;
}

}  // namespace

QList<Run> characterRuns(const LittleEndian::Reader& wd, const LittleEndian::Reader& table, quint32 fc, quint32 lcb)
{
    QList<Run> runs;
    for (const qint64 page : pageOffsets(wd, table, fc, lcb)) {
        // A page that claims more runs than its 512 bytes hold is damaged: its text keeps the
        // style's formats rather than taking bytes of the next page for its own.
        const int crun = wd.u8(page + 511);
        if (crun > MaxCharacterRuns)
            continue;
        for (int r = 0; r < crun; ++r) {
            const int offset = wd.u8(page + (crun + 1) * 4 + r) * 2;
            Run run{wd.u32(page + r * 4), wd.u32(page + (r + 1) * 4), 0, 0};
            if (offset > 0) {
                run.grpprl = page + offset + 1;
                run.length = wd.u8(page + offset);
            }
            runs.append(run);
        }
    }
    return runs;
}

QList<Run> paragraphRuns(const LittleEndian::Reader& wd, const LittleEndian::Reader& table, quint32 fc, quint32 lcb)
{
    QList<Run> runs;
    for (const qint64 page : pageOffsets(wd, table, fc, lcb)) {
        const int cpara = wd.u8(page + 511);
        if (cpara > MaxParagraphRuns)
            continue;
        for (int r = 0; r < cpara; ++r) {
            const int offset = wd.u8(page + (cpara + 1) * 4 + r * 13) * 2;
            Run run{wd.u32(page + r * 4), wd.u32(page + (r + 1) * 4), 0, 0};
            if (offset > 0) {
                int cb = wd.u8(page + offset);
                qint64 start = page + offset + 1;
                qint64 size = 2 * cb - 1;
                if (cb == 0) {
                    cb = wd.u8(start);
                    ++start;
                    size = 2 * cb;
                }
                run.istd = wd.u16(start);
                run.grpprl = start + 2;  // after the style index
                run.length = std::max<qint64>(0, size - 2);
            }
            runs.append(run);
        }
    }
    return runs;
}

// The run that holds file offset `fc`; runs come in file order.
const Run* runAt(const QList<Run>& runs, quint32 fc)
{
    auto after = std::upper_bound(runs.begin(), runs.end(), fc, [](quint32 v, const Run& r) { return v < r.fcStart; });
    if (after == runs.begin())
        return nullptr;
    const Run* run = &*(after - 1);
    return fc < run->fcEnd ? run : nullptr;
}

void Writer::add(quint32 fcStart, quint32 fcEnd, const QByteArray& properties)
{
    const QByteArray stored = store(properties);
    if (!fits(stored))
        flush();
    if (m_runs.isEmpty())
        m_first = fcStart;
    m_runs.append({fcEnd, place(stored)});
}

QByteArray Writer::finish(LittleEndian::Writer& wordDocument)
{
    flush();
    LittleEndian::Writer table;
    for (const Page& page : m_pages)
        table.u32(page.firstFc);
    table.u32(m_pages.isEmpty() ? 0 : m_pages.last().lastFc);
    wordDocument.padTo(PageSize);
    for (const Page& page : m_pages) {
        table.u32(quint32(wordDocument.size() / PageSize));
        wordDocument.append(page.bytes);
    }
    return table.bytes;
}

// Characters: size byte and the changes. Paragraphs: size in words, odd sizes in the first
// byte, even ones after a zero byte.
QByteArray Writer::store(const QByteArray& properties) const
{
    if (m_kind == Characters)
        return properties.isEmpty() ? QByteArray() : char(properties.size()) + properties;
    if (properties.size() % 2)
        return char((properties.size() + 1) / 2) + properties;
    return QByteArray(1, '\0') + char(properties.size() / 2) + properties;
}

bool Writer::fits(const QByteArray& stored) const
{
    const int runs = int(m_runs.size()) + 1;
    const int top = stored.isEmpty() || m_offsets.contains(stored) ? m_top : (m_top - int(stored.size())) & ~1;
    return runs <= maxRuns() && (runs + 1) * 4 + runs * entrySize() <= top;
}

int Writer::place(const QByteArray& stored)
{
    if (stored.isEmpty())
        return 0;
    if (const auto it = m_offsets.constFind(stored); it != m_offsets.constEnd())
        return *it;
    m_top = (m_top - int(stored.size())) & ~1;
    m_page.replace(m_top, stored.size(), stored);
    m_offsets.insert(stored, m_top);
    return m_top;
}

void Writer::flush()
{
    if (m_runs.isEmpty())
        return;
    LittleEndian::Writer head;
    head.u32(m_first);
    for (const Entry& run : m_runs)
        head.u32(run.fcEnd);
    for (const Entry& run : m_runs) {
        head.u8(run.offset / 2);
        head.zeros(entrySize() - 1);
    }
    m_page.replace(0, head.size(), head.bytes);
    m_page[PageSize - 1] = char(m_runs.size());
    m_pages.append({m_first, m_runs.last().fcEnd, m_page});
    m_runs.clear();
    m_offsets.clear();
    m_page = QByteArray(PageSize, '\0');
    m_top = PageSize - 1;
}

}  // namespace DiskPages
