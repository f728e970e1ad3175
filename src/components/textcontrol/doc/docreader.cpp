#include "docreader.h"

#include "compoundfile.h"

#include "components/textcontrol/fields.h"
#include "components/textcontrol/rtf/codepages.h"
#include "components/textcontrol/layoutunits.h"
#include "components/textcontrol/tablebuilder.h"

#include <QMap>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

namespace DocReader {
namespace {

using LayoutUnits::fromTwips;
constexpr quint32 MaxChars = 64 * 1024 * 1024;

// Little-endian reads that give 0 beyond the end of the data.
struct Data {
    const QByteArray& bytes;
    bool has(qint64 at, qint64 n) const { return at >= 0 && n >= 0 && at + n <= bytes.size(); }
    quint8 u8(qint64 at) const { return has(at, 1) ? quint8(bytes.at(at)) : 0; }
    quint16 u16(qint64 at) const { return quint16(u8(at) | (u8(at + 1) << 8)); }
    qint16 i16(qint64 at) const { return qint16(u16(at)); }
    quint32 u32(qint64 at) const { return quint32(u16(at)) | (quint32(u16(at + 2)) << 16); }
};

struct Piece {
    quint32 cpStart, cpEnd, fc;
    bool compressed;
};

// A property change: its code and operand (at most four bytes are of use here).
struct Sprm {
    quint16 code;
    qint64 operand;  // offset of the operand in the data
    int size;
};

// The sprms of a grpprl from `at`, `length` bytes long.
QList<Sprm> sprms(const Data& d, qint64 at, qint64 length)
{
    QList<Sprm> list;
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
            if (code == 0xD608) {  // the table definition counts its size in two bytes, plus one
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

// Formatting runs of a bin table (PlcBteChpx or PlcBtePapx): file offset ranges with grpprls.
struct Run {
    quint32 fcStart, fcEnd;
    qint64 grpprl;   // offset in the WordDocument stream
    qint64 length;
};

// The 512-byte formatted disk pages a bin table points at, in order.
QList<qint64> pages(const Data& wd, const Data& table, quint32 fc, quint32 lcb)
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

QList<Run> chpxRuns(const Data& wd, const Data& table, quint32 fc, quint32 lcb)
{
    QList<Run> runs;
    for (const qint64 page : pages(wd, table, fc, lcb)) {
        const int crun = wd.u8(page + 511);
        for (int r = 0; r < crun && r < 101; ++r) {
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

QList<Run> papxRuns(const Data& wd, const Data& table, quint32 fc, quint32 lcb)
{
    QList<Run> runs;
    for (const qint64 page : pages(wd, table, fc, lcb)) {
        const int cpara = wd.u8(page + 511);
        for (int r = 0; r < cpara && r < 30; ++r) {
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

const QColor Ico[17] = {QColor(), Qt::black, Qt::blue, Qt::cyan, Qt::green, Qt::magenta, Qt::red, Qt::yellow,
                        Qt::white, Qt::darkBlue, Qt::darkCyan, Qt::darkGreen, Qt::darkMagenta, Qt::darkRed,
                        Qt::darkYellow, Qt::darkGray, Qt::lightGray};

struct Paragraph {
    QTextBlockFormat format;
    bool inTable = false;
    bool rowEnd = false;
    QList<int> columns;  // a row end's column widths, twips
};

class Reader {
public:
    Reader(const QByteArray& wordDocument, const QByteArray& table)
        : m_wd{wordDocument}, m_table{table}
    {
    }

    bool read(QTextDocument* document, PageInfo& page)
    {
        const Data& wd = m_wd;
        qint64 pos = 0x20;
        const int csw = wd.u16(pos);
        pos += 2 + csw * 2;
        const int cslw = wd.u16(pos);
        pos += 2;
        const qint64 lw = pos;
        pos += cslw * 4;
        const int pairs = wd.u16(pos);
        m_fcLcb = pos + 2;
        m_pairs = pairs;
        const quint32 ccpText = std::min(wd.u32(lw + 12), MaxChars);
        if (!pieces())
            return false;
        m_chpx = chpxRuns(wd, m_table, fc(12), lcb(12));
        m_papx = papxRuns(wd, m_table, fc(13), lcb(13));
        fonts();
        section(page);

        QTextCursor cursor(document);
        cursor.beginEditBlock();
        text(cursor, ccpText);
        cursor.endEditBlock();
        return true;
    }

private:
    quint32 fc(int index) const { return index < m_pairs ? m_wd.u32(m_fcLcb + index * 8) : 0; }
    quint32 lcb(int index) const { return index < m_pairs ? m_wd.u32(m_fcLcb + index * 8 + 4) : 0; }

    // The piece table in the Clx: which file offsets hold which characters.
    bool pieces()
    {
        const Data& t = m_table;
        qint64 at = fc(33);
        const qint64 end = at + lcb(33);
        if (!t.has(at, end - at))
            return false;
        while (at < end && t.u8(at) == 1)  // property modifiers before the piece table
            at += 3 + t.u16(at + 1);
        if (t.u8(at) != 2)
            return false;
        const quint32 size = t.u32(at + 1);
        at += 5;
        if (size < 4 || !t.has(at, size))
            return false;
        const quint32 n = (size - 4) / 12;
        for (quint32 i = 0; i < n && i < 1'000'000; ++i) {
            const quint32 start = t.u32(at + i * 4), stop = t.u32(at + (i + 1) * 4);
            const quint32 raw = t.u32(at + (n + 1) * 4 + i * 8 + 2);
            const bool compressed = raw & 0x40000000;
            const quint32 offset = compressed ? (raw & ~0x40000000u) / 2 : raw;
            if (stop > start)
                m_pieces.append({start, stop, offset, compressed});
        }
        return !m_pieces.isEmpty();
    }

    void fonts()
    {
        const Data& t = m_table;
        qint64 at = fc(15);
        if (!t.has(at, lcb(15)) || lcb(15) < 4)
            return;
        const bool extended = t.u16(at) == 0xFFFF;
        const int count = extended ? t.u16(at + 2) : t.u16(at);
        at += extended ? 6 : 4;
        for (int i = 0; i < count && i < 1000 && t.has(at, 1); ++i) {
            const int cb = t.u8(at);  // FFN size less one
            // FFN: cbFfnM1, flags, weight (2), chs, ixchSzAlt, panose (10), fs (24), then the name.
            QString name;
            for (qint64 c = at + 40; c + 1 < at + 1 + cb && t.u16(c) != 0; c += 2)
                name += QChar(t.u16(c));
            m_fonts.append(name);
            at += cb + 1;
        }
    }

    void section(PageInfo& page)
    {
        page = {12240, 15840, 1800, 1440, 1800, 1440};
        const Data& t = m_table;
        const qint64 at = fc(6);
        if (lcb(6) < 16 || !t.has(at, lcb(6)))
            return;
        const quint32 n = (lcb(6) - 4) / 16;
        if (n == 0)
            return;
        const quint32 sepx = t.u32(at + (n + 1) * 4 + 2);
        if (sepx == 0xFFFFFFFF || !m_wd.has(sepx, 2))
            return;
        for (const Sprm& s : sprms(m_wd, sepx + 2, m_wd.u16(sepx))) {
            const int v = m_wd.u16(s.operand);
            switch (s.code) {
            case 0xB01F: page.width = v; break;
            case 0xB020: page.height = v; break;
            case 0xB021: page.marginL = v; break;
            case 0xB022: page.marginR = v; break;
            case 0x9023: page.marginT = std::abs(m_wd.i16(s.operand)); break;
            case 0x9024: page.marginB = std::abs(m_wd.i16(s.operand)); break;
            default: break;
            }
        }
    }

    QTextCharFormat charFormat(const Run* run) const
    {
        QTextCharFormat f;
        if (!run || run->length == 0)
            return f;
        const Data& d = m_wd;
        auto toggle = [&](const Sprm& s) { return d.u8(s.operand) == 1 || d.u8(s.operand) == 0x81; };
        for (const Sprm& s : sprms(d, run->grpprl, run->length)) {
            switch (s.code) {
            case 0x0835: f.setFontWeight(toggle(s) ? QFont::Bold : QFont::Normal); break;
            case 0x0836: f.setFontItalic(toggle(s)); break;
            case 0x0837: case 0x2A53: f.setFontStrikeOut(toggle(s)); break;
            case 0x2A3E: {
                const int kul = d.u8(s.operand);
                f.setUnderlineStyle(kul == 0 ? QTextCharFormat::NoUnderline
                                    : kul == 4 ? QTextCharFormat::DotLine
                                    : kul == 7 || kul == 39 ? QTextCharFormat::DashUnderline
                                    : kul == 11 ? QTextCharFormat::WaveUnderline
                                                : QTextCharFormat::SingleUnderline);
                if (kul == 3)
                    f.setProperty(QTextFormat::UserProperty + 20, 2);
                break;
            }
            case 0x4A43: {
                const int half = d.u16(s.operand);
                if (half > 1 && half < 3200)
                    f.setFontPointSize(half / 2.0);
                break;
            }
            case 0x2A42: {
                const int ico = d.u8(s.operand);
                if (ico > 0 && ico < 17)
                    f.setForeground(Ico[ico]);
                break;
            }
            case 0x6870: {
                const quint32 cv = d.u32(s.operand);
                if (!(cv & 0xFF000000))
                    f.setForeground(QColor(cv & 0xFF, (cv >> 8) & 0xFF, (cv >> 16) & 0xFF));
                break;
            }
            case 0x4A4F: case 0x4A5E: {
                const QString name = m_fonts.value(d.u16(s.operand));
                if (!name.isEmpty())
                    f.setFontFamilies({name});
                break;
            }
            case 0x2A48: {
                const int iss = d.u8(s.operand);
                f.setVerticalAlignment(iss == 1 ? QTextCharFormat::AlignSuperScript
                                       : iss == 2 ? QTextCharFormat::AlignSubScript
                                                  : QTextCharFormat::AlignNormal);
                break;
            }
            case 0x2A0C: {
                const int ico = d.u8(s.operand);  // highlight
                if (ico > 0 && ico < 17)
                    f.setBackground(Ico[ico]);
                break;
            }
            default: break;
            }
        }
        return f;
    }

    Paragraph paragraph(const Run* run) const
    {
        Paragraph p;
        if (!run || run->length == 0)
            return p;
        const Data& d = m_wd;
        QTextBlockFormat& f = p.format;
        auto length = [&](const Sprm& s) { return fromTwips(std::clamp(int(d.i16(s.operand)), -31680, 31680)); };
        for (const Sprm& s : sprms(d, run->grpprl, run->length)) {
            switch (s.code) {
            case 0x2403: case 0x2461: {
                const int jc = d.u8(s.operand);
                f.setAlignment(jc == 1 ? Qt::AlignHCenter : jc == 2 ? Qt::AlignRight : jc == 3 ? Qt::AlignJustify : Qt::AlignLeft);
                break;
            }
            case 0x840F: case 0x845E: f.setLeftMargin(length(s)); break;
            case 0x840E: case 0x845D: f.setRightMargin(length(s)); break;
            case 0x8411: case 0x8460: f.setTextIndent(length(s)); break;
            case 0xA413: f.setTopMargin(std::max(0.0, length(s))); break;
            case 0xA414: f.setBottomMargin(std::max(0.0, length(s))); break;
            case 0x6412: {
                const int line = d.i16(s.operand);
                const bool multiple = d.i16(s.operand + 2) != 0;
                if (multiple && line > 0)
                    f.setLineHeight(line * 100.0 / 240.0, QTextBlockFormat::ProportionalHeight);
                else if (line > 0 && line < 31680)
                    f.setLineHeight(fromTwips(line), QTextBlockFormat::MinimumHeight);
                else if (line < 0 && line > -31680)
                    f.setLineHeight(fromTwips(-line), QTextBlockFormat::FixedHeight);
                break;
            }
            case 0x2407:
                if (d.u8(s.operand))
                    f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
                break;
            case 0x2416: p.inTable = d.u8(s.operand) != 0; break;
            case 0x6649: p.inTable = d.u32(s.operand) > 0; break;
            case 0x2417: case 0x244C: p.rowEnd = d.u8(s.operand) != 0; break;
            case 0xD608: {
                const int cells = std::min<int>(d.u8(s.operand), 63);
                for (int i = 0; i < cells && 3 + 2 * i < s.size; ++i)
                    p.columns << std::max(0, d.i16(s.operand + 3 + 2 * i) - d.i16(s.operand + 1 + 2 * i));
                break;
            }
            default: break;
            }
        }
        return p;
    }

    // Walks the main text character by character, in pieces, and builds the document.
    void text(QTextCursor& main, quint32 ccpText)
    {
        TableBuilder table;
        std::unique_ptr<QTextCursor> cell;  // the cell being filled, while in a table
        QTextCursor* out = &main;
        bool mainFresh = true, cellFresh = true;
        bool breakNext = false;
        QString pending;
        QTextCharFormat pendingFormat;
        // Fields: the nesting of begin marks, each with its instruction and where its result starts.
        struct OpenField {
            QString instruction;
            bool inResult = false;
            int resultStart = 0;
        };
        QList<OpenField> fields;
        int nextField = 1;

        auto flush = [&] {
            if (!pending.isEmpty())
                out->insertText(pending, pendingFormat);
            pending.clear();
        };
        auto beginParagraph = [&](bool inTable) {
            bool& fresh = inTable ? cellFresh : mainFresh;
            if (!fresh)
                out->insertBlock(QTextBlockFormat(), QTextCharFormat());
            fresh = false;
        };
        auto finishField = [&](const OpenField& field) {
            const int start = field.inResult ? field.resultStart : out->position();
            if (Fields::markInstruction(*out, start, field.instruction, nextField, pendingFormat))
                ++nextField;
        };

        bool paragraphOpen = false;
        Paragraph current;
        for (const Piece& piece : m_pieces) {
            for (quint32 cp = piece.cpStart; cp < piece.cpEnd && cp < ccpText; ++cp) {
                const quint32 offset = piece.fc + (cp - piece.cpStart) * (piece.compressed ? 1 : 2);
                if (!m_wd.has(offset, piece.compressed ? 1 : 2))
                    break;
                const QChar c = piece.compressed ? CodePages::toUnicode(1252, m_wd.u8(offset)) : QChar(m_wd.u16(offset));
                if (!paragraphOpen) {
                    // The paragraph's properties sit with its end mark, further on; find it.
                    current = paragraph(runAt(m_papx, paragraphEnd(piece, cp, ccpText)));
                    paragraphOpen = true;
                    if (!current.inTable && !table.isEmpty()) {
                        flush();
                        table.insert(main);
                        mainFresh = true;
                    }
                    if (current.inTable && current.rowEnd) {
                        // The row's end mark: no paragraph of its own, only the row's widths.
                        if (table.cellCount() <= int(current.columns.size()))
                            table.setGrid(current.columns);
                        out = &main;
                    } else {
                        if (current.inTable && !cell) {
                            cell = std::make_unique<QTextCursor>(table.addCell().content.get());
                            cellFresh = true;
                        }
                        out = current.inTable ? cell.get() : &main;
                        beginParagraph(current.inTable);
                        if (breakNext)
                            current.format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
                        breakNext = false;
                        out->setBlockFormat(current.format);
                    }
                }
                const QTextCharFormat format = charFormat(runAt(m_chpx, offset));
                if (format != pendingFormat) {
                    flush();
                    pendingFormat = format;
                }
                const ushort u = c.unicode();
                if (u == 0x13) {
                    flush();
                    fields.append(OpenField{});
                } else if (u == 0x14 && !fields.isEmpty()) {
                    flush();
                    fields.last().inResult = true;
                    fields.last().resultStart = out->position();
                } else if (u == 0x15 && !fields.isEmpty()) {
                    flush();
                    finishField(fields.takeLast());
                } else if (!fields.isEmpty() && !fields.last().inResult) {
                    fields.last().instruction += c;
                } else if (u == 0x0D || u == 0x07) {
                    flush();
                    paragraphOpen = false;
                    if (u == 0x07 && current.inTable) {
                        if (current.rowEnd)
                            table.endRow();
                        cell.reset();  // the next cell opens with its first paragraph
                    }
                } else if (u == 0x0C) {
                    flush();
                    breakNext = true;
                    paragraphOpen = false;  // a page or section break ends the paragraph too
                } else if (u == 0x0B) {
                    pending += QChar::LineSeparator;
                } else if (u == 0x09 || u >= 0x20) {
                    if (u == 0x1E)
                        pending += QLatin1Char('-');
                    else if (u != 0x1F)
                        pending += c;
                }
            }
        }
        flush();
        if (!table.isEmpty())
            table.insert(main);
    }

    // The file offset of the end mark of the paragraph that starts at `cp` in `from`.
    quint32 paragraphEnd(const Piece& from, quint32 cp, quint32 ccpText) const
    {
        for (qsizetype i = &from - m_pieces.constData(); i < m_pieces.size(); ++i) {
            const Piece& piece = m_pieces.at(i);
            for (quint32 at = std::max(cp, piece.cpStart); at < piece.cpEnd && at < ccpText; ++at) {
                const quint32 offset = piece.fc + (at - piece.cpStart) * (piece.compressed ? 1 : 2);
                const ushort u = piece.compressed ? m_wd.u8(offset) : m_wd.u16(offset);
                if (u == 0x0D || u == 0x07 || u == 0x0C)
                    return offset;
            }
        }
        return 0xFFFFFFFF;
    }

    Data m_wd;
    Data m_table;
    qint64 m_fcLcb = 0;
    int m_pairs = 0;
    QList<Piece> m_pieces;
    QList<Run> m_chpx;
    QList<Run> m_papx;
    QStringList m_fonts;
};

}  // namespace

bool read(const QByteArray& bytes, QTextDocument* document, PageInfo& page)
{
    QHash<QString, QByteArray> streams;
    if (!CompoundFile::read(bytes, streams) || !streams.contains(QStringLiteral("WordDocument")))
        return false;
    const QByteArray& wordDocument = streams[QStringLiteral("WordDocument")];
    const Data wd{wordDocument};
    if (wordDocument.size() < 0x200 || wd.u16(0) != 0xA5EC)
        return false;
    const quint16 flags = wd.u16(0x0A);
    if (flags & 0x0100)
        return false;  // encrypted
    const QString tableName = (flags & 0x0200) ? QStringLiteral("1Table") : QStringLiteral("0Table");
    const QByteArray table = streams.value(tableName);
    Reader reader(wordDocument, table);
    return reader.read(document, page);
}

}  // namespace DocReader
