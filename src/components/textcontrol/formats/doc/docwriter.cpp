#include "docwriter.h"

#include "doclists.h"

#include "compoundfile.h"
#include "diskpages.h"
#include "fonttable.h"
#include "inlinepicture.h"
#include "littleendian.h"
#include "propertychanges.h"
#include "stylesheet.h"
#include "wordbinary.h"

#include "components/textcontrol/document/cellgeometry.h"
#include "components/textcontrol/document/tablebreaks.h"
#include "components/textcontrol/document/tableaders.h"
#include "components/textcontrol/document/documentwalk.h"
#include "components/textcontrol/document/fields.h"
#include "components/textcontrol/document/keepwithnext.h"
#include "components/textcontrol/document/layoutunits.h"
#include "components/textcontrol/document/objects.h"
#include "components/textcontrol/document/paragraphframes.h"
#include "components/textcontrol/document/tablegrid.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

namespace DocWriter {
namespace {

using namespace WordBinary;
using LayoutUnits::toTwips;
using LittleEndian::Writer;

constexpr qint64 FcText = 0x400;  // the text follows the FIB
constexpr int FibSize = 32 + 2 + 28 + 2 + 88 + 2 + Word97Pairs * 8 + 2;
constexpr int DopSize = 500;
constexpr int HeaderStories = 12;

quint32 colorRef(const QColor& c) { return quint32(c.red() | (c.green() << 8) | (c.blue() << 16)); }
int clampTwips(double units) { return std::clamp(toTwips(units), -31680, 31680); }

// The characters of all stories, and where their character and paragraph properties change.
class TextStream {
public:
    struct Run {
        quint32 end;  // the character position after the run
        QByteArray properties;
    };

    quint32 cp() const { return quint32(m_text.size()); }
    const QString& text() const { return m_text; }
    const QList<Run>& characterRuns() const { return m_characters; }
    const QList<Run>& paragraphRuns() const { return m_paragraphs; }

    void add(const QString& text, const QByteArray& chpx)
    {
        if (text.isEmpty())
            return;
        m_text += text;
        if (!m_characters.isEmpty() && m_characters.last().properties == chpx)
            m_characters.last().end = cp();
        else
            m_characters.append({cp(), chpx});
    }

    void endParagraph(ushort mark, const QByteArray& chpx, const QByteArray& papx)
    {
        add(QString(QChar(mark)), chpx);
        m_paragraphs.append({cp(), papx});
    }

private:
    QString m_text;
    QList<Run> m_characters;
    QList<Run> m_paragraphs;
};

struct FieldChar {
    quint32 cp;  // in the story's document part
    quint8 mark;
    quint8 data;
};

// Writes one story (the body, the header or the footer) into the text stream.
class StoryWriter {
public:
    StoryWriter(const QTextDocument* document, TextStream& stream, FontTable::Writer& fonts, Writer& data,
                QList<FieldChar>& fields, quint32 partStart)
        : m_document(document), m_stream(stream), m_fonts(fonts), m_data(data), m_fields(fields), m_partStart(partStart)
    {
    }

    void write() { frame(m_document->rootFrame()); }
    // The body's lists; a header's or footer's items are written as paragraphs.
    void setLists(const ListLevels::Table* lists) { m_lists = lists; }
    bool hasPictures() const { return m_pictures; }

private:
    void frame(QTextFrame* frame)
    {
        DocumentWalk::frames(frame, [this](QTextTable* table) { this->table(table); },
                             [this](const QTextBlock& block) { paragraph(block, {}, ParagraphMark); });
    }

    // The paragraphs from `it` to its end in order, those of inner tables included (tables are
    // one deep here).
    static void blocks(QTextFrame::iterator it, QList<QTextBlock>& list)
    {
        for (; !it.atEnd(); ++it) {
            if (auto* table = qobject_cast<QTextTable*>(it.currentFrame())) {
                for (int r = 0; r < table->rows(); ++r)
                    for (int c = 0; c < table->columns(); ++c) {
                        const QTextTableCell cell = table->cellAt(r, c);
                        if (cell.row() == r && cell.column() == c)
                            blocks(cell.begin(), list);
                    }
            } else if (QTextFrame* child = it.currentFrame()) {
                blocks(child->begin(), list);
            } else if (it.currentBlock().isValid()) {
                list << it.currentBlock();
            }
        }
    }

    void table(QTextTable* table)
    {
        const QList<int> widths = TableGrid::columnTwips(table);
        const QTextTableFormat format = table->format();
        PropertyChanges::List inTable;
        inTable.byte(Sprm::PFInTable, 1);
        inTable.dword(Sprm::PItap, 1);
        const int twips = TableGrid::borderTwips(format);  // written in eighths of a point
        const int border = twips > 0 ? std::clamp(twips * 8 / 20, 2, 255) : 0;
        for (int r = 0; r < table->rows(); ++r) {
            Writer cells;
            QList<int> bounds{0};
            QList<QColor> shades;
            for (int c = 0; c < table->columns();) {
                const QTextTableCell cell = table->cellAt(r, c);
                const int span = std::max(1, cell.columnSpan());
                int width = 0;
                for (int s = 0; s < span; ++s)
                    width += widths.value(c + s);
                bounds << std::min(bounds.last() + width, 31680);
                const int vertical = cell.rowSpan() > 1 ? (cell.row() == r ? 3 : 1) : 0;
                const auto align = cell.format().verticalAlignment();
                const int textAt = align == QTextCharFormat::AlignMiddle ? 1 : align == QTextCharFormat::AlignBottom ? 2 : 0;
                cells.u16(vertical << 5 | textAt << 7);
                cells.u16(width);
                for (int side = 0; side < 4; ++side)
                    cells.u32(border ? quint32(border | (1 << 8) | (1 << 16)) : 0);
                const QBrush shade = cell.format().background();
                shades << (shade.style() != Qt::NoBrush ? shade.color() : QColor());

                QList<QTextBlock> content;
                if (cell.row() == r)
                    blocks(cell.begin(), content);
                if (content.isEmpty())
                    m_stream.endParagraph(CellMark, characterProperties(QTextCharFormat()), paragraphProperties({}, inTable.bytes()));
                for (qsizetype i = 0; i < content.size(); ++i)
                    paragraph(content.at(i), inTable.bytes(), i + 1 == content.size() ? CellMark : ParagraphMark);
                c += span;
            }
            PropertyChanges::List row;
            row.byte(Sprm::PFInTable, 1);
            row.dword(Sprm::PItap, 1);
            row.byte(Sprm::PFTtp, 1);
            row.word(Sprm::TDxaGapHalf, std::clamp(CellGeometry::tablePaddingTwips(format), 0, 1440));
            if (const int height = CellGeometry::rowHeightTwips(table, r))
                row.word(Sprm::TDyaRowHeight, height);
            Writer definition;
            definition.u8(int(bounds.size() - 1));
            for (const int b : bounds)
                definition.u16(b);
            // The cells' borders and merges; left out where a row has too many cells for one page.
            if (bounds.size() <= 17)
                definition.append(cells.bytes);
            row.tableDefinition(definition.bytes);
            if (std::any_of(shades.begin(), shades.end(), [](const QColor& c) { return c.isValid(); })) {
                Writer shading;
                for (const QColor& c : shades) {
                    shading.u32(0xFF000000);  // automatic foreground
                    shading.u32(c.isValid() ? colorRef(c) : 0xFF000000);
                    shading.u16(0);
                }
                if (shading.size() < 256)
                    row.variable(Sprm::TDefTableShd, shading.bytes);
            }
            m_stream.endParagraph(CellMark, characterProperties(QTextCharFormat()), paragraphProperties({}, row.bytes()));
        }
    }

    void paragraph(const QTextBlock& block, const QByteArray& extra, ushort mark)
    {
        DocumentWalk::runs(
            block, [this](const QTextCharFormat& f) { fieldBegin(f); },
            [this](const QTextCharFormat& f) { fieldEnd(f); },
            [this](const QTextImageFormat& image) { picture(image); },
            [this](const QString& run, const QTextCharFormat& f) { m_stream.add(text(run), characterProperties(f)); });
        const QByteArray list = m_lists ? DocLists::paragraphChanges(*m_lists, block) : QByteArray();
        m_stream.endParagraph(mark, characterProperties(DocumentWalk::markFormat(block)), paragraphProperties(TableBreaks::writtenFormat(block), extra + list));
    }

    // Text as Word keeps it: line breaks as 0x0B, no other control characters.
    static QString text(const QString& in)
    {
        QString out;
        out.reserve(in.size());
        for (const QChar c : in) {
            if (c == QChar::LineSeparator)
                out += QChar(LineBreak);
            else if (c == QLatin1Char('\t') || (c.unicode() >= 0x20 && c != QChar::ObjectReplacementCharacter
                                                 && c.unicode() != 0xFDD0 && c.unicode() != 0xFDD1))
                out += c;
        }
        return out;
    }

    void mark(ushort mark, quint8 data, const QTextCharFormat& f)
    {
        m_fields.append({m_stream.cp() - m_partStart, quint8(mark), data});
        PropertyChanges::List special;
        special.byte(Sprm::CFSpec, 1);
        m_stream.add(QString(QChar(mark)), characterProperties(f) + special.bytes());
    }

    void fieldBegin(const QTextCharFormat& f)
    {
        const int type = f.intProperty(Fields::TypeProperty);
        mark(FieldBegin, type == Fields::PageNumber ? FieldPage : type == Fields::PageCount ? FieldNumPages : FieldMergeField, f);
        m_stream.add(QLatin1Char(' ') + Fields::instruction(f) + QLatin1Char(' '), characterProperties(f));
        mark(FieldSeparator, 0xFF, f);
    }

    void fieldEnd(const QTextCharFormat& f) { mark(FieldEnd, 0x80, f); }  // has a separator

    void picture(const QTextImageFormat& f)
    {
        const std::optional<Objects::Picture> picture = Objects::picture(m_document, f);
        if (!picture)
            return;
        PropertyChanges::List special;
        special.byte(Sprm::CFSpec, 1);
        special.dword(Sprm::CPicLocation, quint32(m_data.size()));
        m_data.append(InlinePicture::write(picture->png, toTwips(picture->size.width()), toTwips(picture->size.height())));
        m_stream.add(QString(QChar(Picture)), characterProperties(f) + special.bytes());
        m_pictures = true;
    }

    QByteArray characterProperties(const QTextCharFormat& f)
    {
        PropertyChanges::List g;
        const QStringList families = f.fontFamilies().toStringList();
        const int font = m_fonts.index(families.isEmpty() ? m_document->defaultFont().family() : families.first());
        g.word(Sprm::CRgFtc0, font);
        g.word(Sprm::CRgFtc2, font);
        const double points = f.fontPointSize() > 0 ? f.fontPointSize() : m_document->defaultFont().pointSizeF();
        g.word(Sprm::CHps, std::clamp(qRound(points * 2), 2, 3276));
        if (f.fontWeight() >= QFont::Bold)
            g.byte(Sprm::CFBold, 1);
        if (f.fontItalic())
            g.byte(Sprm::CFItalic, 1);
        if (f.fontStrikeOut())
            g.byte(Sprm::CFStrike, 1);
        if (f.fontUnderline() || f.underlineStyle() != QTextCharFormat::NoUnderline)
            g.byte(Sprm::CKul, f.intProperty(QTextFormat::UserProperty + 20) == 2 ? 3
                       : f.underlineStyle() == QTextCharFormat::DotLine       ? 4
                       : f.underlineStyle() == QTextCharFormat::DashUnderline ? 7
                       : f.underlineStyle() == QTextCharFormat::WaveUnderline ? 11
                                                                              : 1);
        if (f.hasProperty(QTextFormat::ForegroundBrush) && f.foreground().style() != Qt::NoBrush)
            g.dword(Sprm::CCv, colorRef(f.foreground().color()));
        if (f.hasProperty(QTextFormat::BackgroundBrush) && f.background().style() != Qt::NoBrush) {
            Writer shading;
            shading.u32(0xFF000000);
            shading.u32(colorRef(f.background().color()));
            shading.u16(0);
            g.variable(Sprm::CShd, shading.bytes);
        }
        if (f.verticalAlignment() == QTextCharFormat::AlignSuperScript)
            g.byte(Sprm::CIss, 1);
        else if (f.verticalAlignment() == QTextCharFormat::AlignSubScript)
            g.byte(Sprm::CIss, 2);
        return g.bytes();
    }

    // The style index (Normal) and the paragraph's changes to it.
    static QByteArray paragraphProperties(const QTextBlockFormat& f, const QByteArray& extra)
    {
        PropertyChanges::List g;
        const Qt::Alignment align = f.alignment() & Qt::AlignHorizontal_Mask;
        const int jc = align == Qt::AlignHCenter ? 1 : align == Qt::AlignRight ? 2 : align == Qt::AlignJustify ? 3 : 0;
        if (jc)
            g.byte(Sprm::PJc80, jc);
        if (f.leftMargin() != 0)
            g.word(Sprm::PDxaLeft80, clampTwips(f.leftMargin()));
        if (f.rightMargin() != 0)
            g.word(Sprm::PDxaRight80, clampTwips(f.rightMargin()));
        if (f.textIndent() != 0)
            g.word(Sprm::PDxaLeft180, clampTwips(f.textIndent()));
        if (f.topMargin() > 0)
            g.word(Sprm::PDyaBefore, clampTwips(f.topMargin()));
        if (f.bottomMargin() > 0)
            g.word(Sprm::PDyaAfter, clampTwips(f.bottomMargin()));
        switch (f.lineHeightType()) {
        case QTextBlockFormat::ProportionalHeight:
            g.dword(Sprm::PDyaLine, quint32(std::clamp(qRound(f.lineHeight() * 240 / 100), 1, 31680)) | (1u << 16));
            break;
        case QTextBlockFormat::MinimumHeight:
            g.dword(Sprm::PDyaLine, quint32(std::clamp(clampTwips(f.lineHeight()), 0, 31680)));
            break;
        case QTextBlockFormat::FixedHeight:
            g.dword(Sprm::PDyaLine, quint32(quint16(-std::clamp(clampTwips(f.lineHeight()), 1, 31680))));
            break;
        default: break;
        }
        if (f.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
            g.byte(Sprm::PFPageBreakBefore, 1);
        if (f.nonBreakableLines())
            g.byte(Sprm::PFKeep, 1);
        if (KeepWithNext::of(f))
            g.byte(Sprm::PFKeepFollow, 1);
        const QList<QTextOption::Tab> tabs = f.tabPositions().mid(0, 64);
        if (!tabs.isEmpty()) {
            Writer operand;
            operand.u8(0);  // none removed
            operand.u8(int(tabs.size()));
            for (const QTextOption::Tab& tab : tabs)
                operand.u16(clampTwips(tab.position));
            for (const QTextOption::Tab& tab : tabs) {
                const int jc = tab.type == QTextOption::CenterTab ? 1 : tab.type == QTextOption::RightTab ? 2
                    : tab.type == QTextOption::DelimiterTab                                               ? 3
                                                                                                          : 0;
                const QChar leader = TabLeaders::at(f, tab.position);
                const auto code = std::find(std::begin(TabLeaderCodes), std::end(TabLeaderCodes), leader);
                operand.u8(jc | (code != std::end(TabLeaderCodes) ? int(code - std::begin(TabLeaderCodes)) : 0) << 3);
            }
            g.variable(Sprm::PChgTabsPapx, operand.bytes);
        }
        const int style = ParagraphFrames::style(f);
        if (style & ParagraphFrames::Sides) {
            const quint32 line = quint32(std::clamp(ParagraphFrames::lineWidth(f) * 8 / 20, 2, 255))
                | ((style & ParagraphFrames::DoubleLines ? 3u : 1u) << 8) | (1u << 16)
                | (quint32(std::clamp(ParagraphFrames::distance(f) / 20, 0, 31)) << 24);
            static constexpr struct { int flag; quint16 sprm; } Sides[] = {
                {ParagraphFrames::Top, Sprm::PBrcTop80}, {ParagraphFrames::Left, Sprm::PBrcLeft80},
                {ParagraphFrames::Bottom, Sprm::PBrcBottom80}, {ParagraphFrames::Right, Sprm::PBrcRight80}};
            for (const auto& side : Sides)
                if (style & side.flag)
                    g.dword(side.sprm, line);
        }
        return QByteArray(2, '\0') + g.bytes() + extra;  // style 0, Normal
    }

    const QTextDocument* m_document;
    TextStream& m_stream;
    FontTable::Writer& m_fonts;
    Writer& m_data;
    QList<FieldChar>& m_fields;
    quint32 m_partStart;
    const ListLevels::Table* m_lists = nullptr;
    bool m_pictures = false;
};

QByteArray runsToPages(const QList<TextStream::Run>& runs, DiskPages::Writer::Kind kind, Writer& wordDocument)
{
    DiskPages::Writer pages(kind);
    quint32 start = 0;
    for (const TextStream::Run& run : runs) {
        pages.add(quint32(FcText + 2 * start), quint32(FcText + 2 * run.end), run.properties);
        start = run.end;
    }
    return pages.finish(wordDocument);
}

QByteArray fieldTable(const QList<FieldChar>& fields, quint32 end)
{
    Writer out;
    for (const FieldChar& f : fields)
        out.u32(f.cp);
    out.u32(end);
    for (const FieldChar& f : fields) {
        out.u8(f.mark);
        out.u8(f.data);
    }
    return out.bytes;
}

QByteArray sectionProperties(const PageInfo& page, bool titlePage)
{
    const int width = page.width > 0 ? page.width : 12240;
    const int height = page.height > 0 ? page.height : 15840;
    PropertyChanges::List g;
    g.byte(Sprm::SBkc, 2);  // a new page
    g.byte(Sprm::SBOrientation, width > height ? 2 : 1);
    g.word(Sprm::SXaPage, width);
    g.word(Sprm::SYaPage, height);
    g.word(Sprm::SDxaLeft, page.marginL > 0 ? page.marginL : 1440);
    g.word(Sprm::SDxaRight, page.marginR > 0 ? page.marginR : 1440);
    g.word(Sprm::SDyaTop, page.marginT > 0 ? page.marginT : 1440);
    g.word(Sprm::SDyaBottom, page.marginB > 0 ? page.marginB : 1440);
    g.word(Sprm::SDyaHdrTop, page.headerY > 0 ? page.headerY : 720);
    g.word(Sprm::SDyaHdrBottom, page.footerY > 0 ? page.footerY : 720);
    if (titlePage)
        g.byte(Sprm::SFTitlePage, 1);
    Writer out;
    out.u16(int(g.bytes().size()));
    out.append(g.bytes());
    return out.bytes;
}

QByteArray documentProperties()
{
    Writer dop;
    dop.zeros(DopSize);
    dop.set16(2, 1 << 2);     // footnotes numbered from 1
    dop.set16(10, 720);       // default tab stops every half inch
    dop.set16(0x34, 1 << 2);  // endnotes numbered from 1
    return dop.bytes;
}

// The file information block: what the file is, the lengths of its parts and where the
// table stream's structures are.
QByteArray fileInformationBlock(const QHash<int, QPair<quint32, quint32>>& pairs, quint32 cbMac, quint32 ccpText,
                                quint32 ccpHdd, bool pictures)
{
    Writer fib;
    fib.u16(Ident);
    fib.u16(Word97);
    fib.u16(0);
    fib.u16(0x0409);  // English (United States)
    fib.u16(0);
    fib.u16(FlagTable1 | FlagExtChar | (pictures ? FlagHasPictures : 0));
    fib.u16(0x00BF);
    fib.zeros(32 - fib.size());
    fib.u16(14);
    fib.zeros(28);
    fib.u16(22);
    const quint32 longs[22] = {cbMac, 0, 0, ccpText, 0, ccpHdd};
    for (const quint32 v : longs)
        fib.u32(v);
    fib.u16(Word97Pairs);
    for (int i = 0; i < Word97Pairs; ++i) {
        fib.u32(pairs.value(i).first);
        fib.u32(pairs.value(i).second);
    }
    fib.u16(0);
    Q_ASSERT(fib.size() == FibSize);
    return fib.bytes;
}

// One section from the start to the end of the body, its properties at `fcSepx`.
QByteArray sectionTable(quint32 ccpText, quint32 fcSepx)
{
    Writer sed;
    sed.u32(0);
    sed.u32(ccpText);
    sed.u16(0);
    sed.u32(fcSepx);
    sed.u16(0);
    sed.u32(0xFFFFFFFF);
    return sed.bytes;
}

// All characters in one Unicode piece at FcText.
QByteArray pieceTable(quint32 cpEnd)
{
    Writer clx;
    clx.u8(2);
    clx.u32(16);
    clx.u32(0);
    clx.u32(cpEnd);
    clx.u16(0);
    clx.u32(quint32(FcText));
    clx.u16(0);
    return clx.bytes;
}

// Writes the body and the header document into one text stream, then the three streams.
class DocumentWriter {
public:
    explicit DocumentWriter(const QTextDocument* document) : m_document(document), m_lists(document)
    {
        m_fonts.index(document->defaultFont().family());
        m_data.zeros(8);  // no picture sits at offset 0
    }

    static bool titlePage(const DocumentParts* parts) { return parts && parts->titlePage(); }

    QByteArray write(const PageInfo& page, const DocumentParts* parts)
    {
        story(m_document, m_bodyFields, 0);
        m_ccpText = m_stream.cp();
        headerDocument(parts);

        Writer wd;
        wd.zeros(FcText);
        for (const QChar c : m_stream.text())
            wd.u16(c.unicode());
        const QByteArray binChpx = runsToPages(m_stream.characterRuns(), DiskPages::Writer::Characters, wd);
        const QByteArray binPapx = runsToPages(m_stream.paragraphRuns(), DiskPages::Writer::Paragraphs, wd);
        const quint32 fcSepx = quint32(wd.size());
        wd.append(sectionProperties(page, titlePage(parts)));

        const QByteArray table = tableStream(binChpx, binPapx, fcSepx);
        wd.bytes.replace(0, FibSize, fileInformationBlock(m_pairs, quint32(wd.size()), m_ccpText, m_ccpHdd, m_pictures));

        static const QByteArray WordClass = QByteArray::fromHex("0609020000000000c000000000000046");
        QList<QPair<QString, QByteArray>> streams{{QStringLiteral("WordDocument"), wd.bytes},
                                                  {QStringLiteral("1Table"), table}};
        if (m_pictures)
            streams.append({QStringLiteral("Data"), m_data.bytes});
        return CompoundFile::write(streams, WordClass);
    }

private:
    void story(const QTextDocument* source, QList<FieldChar>& fields, quint32 partStart)
    {
        StoryWriter writer(source, m_stream, m_fonts, m_data, fields, partStart);
        if (source == m_document)
            writer.setLists(&m_lists);
        writer.write();
        m_pictures = m_pictures || writer.hasPictures();
    }

    // Six empty separator stories, then the section's six stories, of which the odd-page
    // header and footer are the ones shown on every page; then the closing paragraph marks.
    void headerDocument(const DocumentParts* parts)
    {
        const int present = parts ? parts->present : 0;
        const QTextDocument* header = present & 1 ? parts->header : nullptr;
        const QTextDocument* footer = present & 4 ? parts->footer : nullptr;
        // The first page's own parts come in pairs: where it has only one of its own, the other
        // is the one every page shows.
        const QTextDocument* firstHeader = titlePage(parts) ? parts->onFirstPage(true) : nullptr;
        const QTextDocument* firstFooter = titlePage(parts) ? parts->onFirstPage(false) : nullptr;
        if (!header && !footer && !firstHeader && !firstFooter)
            return;
        const QByteArray normal(2, '\0');
        for (int index = 0; index < HeaderStories; ++index) {
            m_stories << m_stream.cp() - m_ccpText;
            const QTextDocument* source = index == OddHeader ? header : index == OddFooter ? footer
                : index == FirstHeader                                   ? firstHeader
                : index == FirstFooter                                   ? firstFooter
                                                                         : nullptr;
            if (!source)
                continue;
            story(source, m_headerFields, m_ccpText);
            m_stream.endParagraph(ParagraphMark, {}, normal);  // guards the story from the next
        }
        m_stories << m_stream.cp() - m_ccpText;
        m_stream.endParagraph(ParagraphMark, {}, normal);  // ends the header document
        m_ccpHdd = m_stream.cp() - m_ccpText;
        m_stories << m_ccpHdd;
        m_stream.endParagraph(ParagraphMark, {}, normal);  // after the last part
    }

    QByteArray tableStream(const QByteArray& binChpx, const QByteArray& binPapx, quint32 fcSepx)
    {
        Writer table;
        auto put = [&](int pair, const QByteArray& bytes) {
            m_pairs.insert(pair, {quint32(table.size()), quint32(bytes.size())});
            table.append(bytes);
        };
        put(Stshf, StyleSheet::write(m_document->defaultFont().pointSizeF()));
        m_pairs.insert(StshfOrig, m_pairs.value(Stshf));
        put(PlcfSed, sectionTable(m_ccpText, fcSepx));
        if (m_ccpHdd) {
            Writer hdd;
            for (const quint32 cp : m_stories)
                hdd.u32(cp);
            put(PlcfHdd, hdd.bytes);
        }
        put(PlcfBteChpx, binChpx);
        put(PlcfBtePapx, binPapx);
        put(SttbfFfn, m_fonts.bytes());
        if (!m_bodyFields.isEmpty())
            put(PlcfFldMom, fieldTable(m_bodyFields, m_ccpText));
        if (!m_headerFields.isEmpty())
            put(PlcfFldHdr, fieldTable(m_headerFields, m_ccpHdd));
        if (!m_lists.isEmpty()) {
            const DocLists::Tables lists = DocLists::write(m_lists);
            put(DocLists::PlfLst, lists.lists);
            m_pairs[DocLists::PlfLst].second = quint32(2 + 28 * m_lists.count());  // the levels follow it
            put(DocLists::PlfLfo, lists.overrides);
        }
        put(Dop, documentProperties());
        put(Clx, pieceTable(m_stream.cp()));
        return table.bytes;
    }

    const QTextDocument* m_document;
    ListLevels::Table m_lists;
    TextStream m_stream;
    FontTable::Writer m_fonts;
    Writer m_data;
    QList<FieldChar> m_bodyFields, m_headerFields;
    QList<quint32> m_stories;
    quint32 m_ccpText = 0, m_ccpHdd = 0;
    bool m_pictures = false;
    QHash<int, QPair<quint32, quint32>> m_pairs;
};

}  // namespace

QByteArray write(const QTextDocument* document, const PageInfo& page, const DocumentParts* parts)
{
    return DocumentWriter(document).write(page, parts);
}

}  // namespace DocWriter
