#pragma once
// Formatted disk pages (FKPs) of Word 97-2003 files: 512-byte pages in the WordDocument stream
// that give runs of text their character or paragraph properties, found through a bin table
// in the table stream.
#include "littleendian.h"

#include <QHash>
#include <QList>

namespace DiskPages {

constexpr int PageSize = 512;

// Formatting runs of a bin table (PlcBteChpx or PlcBtePapx): file offset ranges with grpprls.
struct Run {
    quint32 fcStart, fcEnd;
    qint64 grpprl;   // offset in the WordDocument stream
    qint64 length;
    int istd = 0;    // paragraphs: the style
};

// The runs of the pages that the bin table at `fc`, `lcb` bytes long, finds, in file order.
QList<Run> characterRuns(const LittleEndian::Reader& wd, const LittleEndian::Reader& table, quint32 fc, quint32 lcb);
QList<Run> paragraphRuns(const LittleEndian::Reader& wd, const LittleEndian::Reader& table, quint32 fc, quint32 lcb);
// The run that holds file offset `fc`; nullptr where none does.
const Run* runAt(const QList<Run>& runs, quint32 fc);

// Packs runs into pages: file offsets and one entry per run (1 byte for characters, 13 for
// paragraphs) from the page's start, the properties from its end, shared where equal.
class Writer {
public:
    enum Kind { Characters, Paragraphs };
    explicit Writer(Kind kind) : m_kind(kind) {}

    void add(quint32 fcStart, quint32 fcEnd, const QByteArray& properties);
    // Appends the pages to the WordDocument stream (at a page boundary) and returns the bin table.
    QByteArray finish(LittleEndian::Writer& wordDocument);

private:
    struct Entry {
        quint32 fcEnd;
        int offset;  // of the stored properties in the page, 0 for none
    };
    struct Page {
        quint32 firstFc, lastFc;
        QByteArray bytes;
    };

    int entrySize() const { return m_kind == Characters ? 1 : 13; }
    int maxRuns() const { return m_kind == Characters ? 101 : 29; }
    QByteArray store(const QByteArray& properties) const;
    bool fits(const QByteArray& stored) const;
    int place(const QByteArray& stored);
    void flush();

    Kind m_kind;
    QList<Entry> m_runs;
    QHash<QByteArray, int> m_offsets;
    QByteArray m_page = QByteArray(PageSize, '\0');
    int m_top = PageSize - 1;
    quint32 m_first = 0;
    QList<Page> m_pages;
};

}  // namespace DiskPages
