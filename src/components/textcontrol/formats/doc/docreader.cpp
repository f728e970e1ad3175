#include "docreader.h"

#include "components/textcontrol/document/cellgeometry.h"

#include "doclists.h"

#include "compoundfile.h"
#include "diskpages.h"
#include "fonttable.h"
#include "headerstories.h"
#include "inlinepicture.h"
#include "littleendian.h"
#include "propertychanges.h"
#include "sections.h"
#include "stylesheet.h"
#include "wordbinary.h"
#include "worddamage.h"

#include "components/textcontrol/document/cellgeometry.h"
#include "components/textcontrol/document/endnotes.h"
#include "components/textcontrol/document/fields.h"
#include "components/textcontrol/document/keepwithnext.h"
#include "components/textcontrol/formats/rtf/codepages.h"
#include "components/textcontrol/document/layoutunits.h"
#include "components/textcontrol/document/paragraphframes.h"
#include "components/textcontrol/document/tablebuilder.h"
#include "components/textcontrol/document/tableaders.h"
#include "components/textcontrol/document/tablegrid.h"

#include <QMap>
#include <QSet>
#include <QUrl>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

namespace DocReader {
namespace {

using LayoutUnits::fromTwips;
constexpr quint32 MaxChars = 64 * 1024 * 1024;

using Data = LittleEndian::Reader;
using namespace WordBinary;
using DiskPages::Run;
using DiskPages::runAt;
using PropertyChanges::Change;
using StyleSheet::Style;

struct Piece {
    quint32 cpStart, cpEnd, fc;
    bool compressed;
};

const QColor Ico[17] = {QColor(), Qt::black, Qt::blue, Qt::cyan, Qt::green, Qt::magenta, Qt::red, Qt::yellow,
                        Qt::white, Qt::darkBlue, Qt::darkCyan, Qt::darkGreen, Qt::darkMagenta, Qt::darkRed,
                        Qt::darkYellow, Qt::darkGray, Qt::lightGray};

// One of the sixteen colours of the old palette; nothing for 0, automatic.
std::optional<QColor> icoColor(int ico)
{
    if (ico <= 0 || ico >= 17)
        return std::nullopt;
    return Ico[ico];
}

std::optional<QColor> colorRef(quint32 cv)
{
    if (cv & 0xFF000000)
        return std::nullopt;  // automatic
    return QColor(cv & 0xFF, (cv >> 8) & 0xFF, (cv >> 16) & 0xFF);
}

struct Paragraph {
    QTextBlockFormat format;
    int istd = 0;
    bool inTable = false;
    bool rowEnd = false;
    QList<int> bounds;            // a row end's cell edges, twips
    QList<int> merges;            // a row end's cells: 0, 1 continues the cell above, 3 starts a merge
    QList<QColor> shades;         // a row end's cell shading
    QList<int> aligns;            // a row end's cells' text: 0 at the top, 1 centred, 2 at the bottom
    int height = 0;               // a row end's height, twips: positive at least, negative exactly
    int border = 0;               // a row end's widest cell or table line, twips
    // A row end's cell padding, twips: top, left, bottom, right (-1 where the row says nothing),
    // and half the space between its cells, which stands for the left and right padding.
    QList<int> padding{-1, -1, -1, -1};
    int gapHalf = -1;
};

// The width in twips of an old-style border (Brc80: eighths of a point, then the line type),
// 0 when it draws no line.
int brc80Twips(quint32 brc)
{
    const int type = (brc >> 8) & 0xFF;
    if (brc == 0xFFFFFFFF || type == 0 || type == 0xFF)
        return 0;
    return TableGrid::lineFromEighths(int(brc & 0xFF));
}

class Reader {
public:
    Reader(const QByteArray& wordDocument, const QByteArray& table, const QByteArray& data)
        : m_wd{wordDocument}, m_table{table}, m_data{data}
    {
    }

    bool read(QTextDocument* document, PageInfo& page, DocumentParts* parts)
    {
        const Data& wd = m_wd;
        qint64 pos = 0x20;
        const int csw = wd.u16(pos);
        pos += 2 + csw * 2;
        const int cslw = wd.u16(pos);
        pos += 2;
        m_longs = pos;
        m_longCount = cslw;
        pos += cslw * 4;
        const int pairs = wd.u16(pos);
        m_fcLcb = pos + 2;
        m_pairs = pairs;
        if (!pieces())
            return false;
        m_chpx = DiskPages::characterRuns(wd, m_table, fc(PlcfBteChpx), lcb(PlcfBteChpx));
        m_papx = DiskPages::paragraphRuns(wd, m_table, fc(PlcfBtePapx), lcb(PlcfBtePapx));
        m_styles = StyleSheet::read(m_table, fc(Stshf), lcb(Stshf));
        m_defaultFont = StyleSheet::defaultFont(m_table, fc(Stshf), lcb(Stshf));
        m_fonts = FontTable::read(m_table, fc(SttbfFfn), lcb(SttbfFfn));
        const QList<Sections::Section> sections = Sections::read(m_wd, m_table, fc(PlcfSed), lcb(PlcfSed));
        page = sections.first().page;
        for (qsizetype i = 1; i < sections.size(); ++i)
            if (sections.at(i).start == Sections::Start::Continuous && sections.at(i - 1).cpEnd > 0)
                m_continuousBreaks.insert(sections.at(i - 1).cpEnd - 1);

        const quint32 ccpText = std::min(longValue(CcpText), MaxChars);
        const HeaderStories::Choice headers = headerStories(sections, ccpText, parts && parts->firstHeader && parts->firstFooter);
        QTextCursor cursor(document);
        cursor.beginEditBlock();
        m_endnoteMarks = endnoteMarks();
        text(cursor, 0, ccpText);
        stories(cursor, ccpText, headers.others);
        ListLevels::attachReadLists(document, DocLists::read(m_table.bytes, fc(DocLists::PlfLst), lcb(DocLists::PlfLst),
                                                             fc(DocLists::PlfLfo), lcb(DocLists::PlfLfo)));
        cursor.endEditBlock();
        if (parts)
            headerFooter(*parts, headers);
        return true;
    }

private:
    quint32 fc(int index) const { return index < m_pairs ? m_wd.u32(m_fcLcb + index * 8) : 0; }
    quint32 lcb(int index) const { return index < m_pairs ? m_wd.u32(m_fcLcb + index * 8 + 4) : 0; }
    quint32 longValue(int index) const { return index < m_longCount ? m_wd.u32(m_longs + index * 4) : 0; }

    // The piece table in the Clx: which file offsets hold which characters.
    bool pieces()
    {
        const Data& t = m_table;
        qint64 at = fc(Clx);
        const qint64 end = at + lcb(Clx);
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

    // Where the body's endnote marks are; the other automatic marks are footnotes'.
    QSet<quint32> endnoteMarks() const
    {
        QSet<quint32> marks;
        const Data& t = m_table;
        const qint64 at = fc(PlcfendRef);
        if (lcb(PlcfendRef) < 10 || !t.has(at, lcb(PlcfendRef)))
            return marks;
        const quint32 n = std::min<quint32>((lcb(PlcfendRef) - 4) / 6, 100'000);
        for (quint32 i = 0; i < n; ++i)
            marks.insert(t.u32(at + i * 4));
        return marks;
    }

    // The stories the engine has no place for, kept as text after the body: the footnotes, the
    // endnotes, the text of the text boxes and the headers and footers it cannot show.
    void stories(QTextCursor& cursor, quint32 ccpText, const QList<HeaderStories::Range>& headers)
    {
        const quint32 endnotes = ccpText + longValue(CcpFtn) + longValue(CcpHdd) + longValue(CcpMcr) + longValue(CcpAtn);
        const struct { quint32 start, length; Story story; } Stories[] = {
            {ccpText, longValue(CcpFtn), Story::Footnotes},
            {endnotes, longValue(CcpEdn), Story::Endnotes},
            {endnotes + longValue(CcpEdn), longValue(CcpTxbx), Story::TextBoxes}};
        bool begun = false;
        for (const auto& story : Stories) {
            if (story.length < 2 || story.length > MaxChars || story.start > MaxChars)
                continue;
            if (begun)
                cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
            else
                EndNotes::begin(cursor);
            begun = true;
            m_story = story.story;
            m_storyMarks = 0;
            // The story's last paragraph mark only guards it from the next story.
            text(cursor, story.start, story.start + story.length - 1, story.start + story.length);
        }
        m_story = Story::Headers;
        for (const HeaderStories::Range& story : headers) {
            if (begun)
                cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
            else
                EndNotes::begin(cursor);
            begun = true;
            text(cursor, story.from, story.to - 1, story.to);
        }
        m_story = Story::Body;
    }

    // The mark a note mark at `cp` shows: in the body the next footnote's or endnote's, in a
    // notes story the number of the note it opens.
    QString noteMark(quint32 cp)
    {
        if (m_story == Story::Footnotes)
            return EndNotes::footnoteMark(++m_storyMarks);
        if (m_story == Story::Endnotes)
            return EndNotes::endnoteMark(++m_storyMarks);
        return m_endnoteMarks.contains(cp) ? EndNotes::endnoteMark(++m_endnotes) : EndNotes::footnoteMark(++m_footnotes);
    }

    // Which header and footer stories the document shows, and which are kept after the body.
    HeaderStories::Choice headerStories(const QList<Sections::Section>& sections, quint32 ccpText, bool firstPageParts) const
    {
        const quint32 base = std::min(ccpText + longValue(CcpFtn), MaxChars);
        const quint32 end = std::min(base + std::min(longValue(CcpHdd), MaxChars), MaxChars);
        const QList<HeaderStories::Range> stories = HeaderStories::read(m_table, fc(PlcfHdd), lcb(PlcfHdd), base, end);
        QList<bool> titlePages;
        for (const Sections::Section& section : sections)
            titlePages << section.titlePage;
        const bool facingPages = lcb(Dop) > 0 && (m_table.u8(fc(Dop)) & 0x01);
        return HeaderStories::choose(stories, titlePages, facingPages,
                                     [this](HeaderStories::Range r) { return plainText(r.from, r.to); }, firstPageParts);
    }

    // The header and footer the document shows on every page.
    void headerFooter(DocumentParts& parts, const HeaderStories::Choice& choice)
    {
        const struct { int bit; QTextDocument* target; HeaderStories::Range story; } Parts[] = {
            {1, parts.header, choice.header}, {4, parts.footer, choice.footer},
            {2, choice.titlePage ? parts.firstHeader : nullptr, choice.firstHeader},
            {8, choice.titlePage ? parts.firstFooter : nullptr, choice.firstFooter}};
        for (const auto& part : Parts) {
            if (part.target && (part.bit == 2 || part.bit == 8))
                parts.present |= part.bit;  // shown on the first page even when empty
            if (!part.target || part.story.isEmpty())
                continue;
            // The story's last paragraph mark only guards it from the next story.
            QTextCursor cursor(part.target);
            text(cursor, part.story.from, part.story.to - 1, part.story.to);
            parts.present |= part.bit;
        }
    }

    // The characters from `from` to `to` as they stand, paragraph marks as line ends.
    QString plainText(quint32 from, quint32 to) const
    {
        QString result;
        for (const Piece& piece : m_pieces)
            for (quint32 cp = std::max(piece.cpStart, from); cp < piece.cpEnd && cp < to && result.size() < 100'000; ++cp) {
                const quint32 offset = piece.fc + (cp - piece.cpStart) * (piece.compressed ? 1 : 2);
                const ushort u = piece.compressed ? m_wd.u8(offset) : m_wd.u16(offset);
                if (u >= 0x20)
                    result += QChar(u);
                else if (u == ParagraphMark || u == CellMark || u == 0x09)
                    result += QLatin1Char(u == 0x09 ? '\t' : '\n');
            }
        return result;
    }

    // The sprms of a style and its bases, the farthest base first.
    void styleSprms(int istd, bool paragraph, QList<std::pair<const Data*, Change>>& out, int depth = 0) const
    {
        if (istd < 0 || istd >= m_styles.size() || depth > 10)
            return;
        const Style& style = m_styles.at(istd);
        styleSprms(style.base, paragraph, out, depth + 1);
        for (const Change& s : paragraph ? PropertyChanges::read(m_table, style.papx, style.papxLength) : PropertyChanges::read(m_table, style.chpx, style.chpxLength))
            out.append({&m_table, s});
    }

    QTextCharFormat charFormat(const Run* run, int istd)
    {
        if (run == m_lastRun && istd == m_lastIstd)
            return m_lastFormat;
        m_lastHidden = false;
        QList<std::pair<const Data*, Change>> list;
        styleSprms(istd, false, list);
        if (run && run->length > 0)
            for (const Change& s : PropertyChanges::read(m_wd, run->grpprl, run->length)) {
                if (s.code == Sprm::CIstd)  // a character style, under the run's own changes
                    styleSprms(m_wd.u16(s.operand), false, list);
                list.append({&m_wd, s});
            }
        // What a file leaves unsaid: the style sheet's default font at 10 points.
        QTextCharFormat f;
        if (const QString font = m_fonts.value(m_defaultFont); !font.isEmpty())
            f.setFontFamilies({font});
        f.setFontPointSize(10);
        for (const auto& [d, s] : list)
            applyCharacter(f, m_lastHidden, *d, s);
        m_lastRun = run;
        m_lastIstd = istd;
        m_lastFormat = f;
        return f;
    }

    // `hidden`: the text is hidden, as Word neither shows nor prints it unless told to.
    void applyCharacter(QTextCharFormat& f, bool& hidden, const Data& d, const Change& s) const
    {
        // Toggles: 0 off, 1 on, 0x80 as the style has it, 0x81 the opposite of the style.
        auto toggle = [&](bool current) {
            const int v = d.u8(s.operand);
            return v == 0x80 ? current : v == 0x81 ? !current : v == 1;
        };
        switch (s.code) {
        case Sprm::CFBold: f.setFontWeight(toggle(f.fontWeight() >= QFont::Bold) ? QFont::Bold : QFont::Normal); break;
        case Sprm::CFItalic: f.setFontItalic(toggle(f.fontItalic())); break;
        case Sprm::CFStrike: case Sprm::CFDStrike: f.setFontStrikeOut(toggle(f.fontStrikeOut())); break;
        case Sprm::CFVanish: hidden = toggle(hidden); break;
        case Sprm::CFSmallCaps: case Sprm::CFCaps: {
            const QFont::Capitalization kind = s.code == Sprm::CFCaps ? QFont::AllUppercase : QFont::SmallCaps;
            const bool on = toggle(f.fontCapitalization() == kind);
            if (on)
                f.setFontCapitalization(kind);
            else if (f.fontCapitalization() == kind)
                f.setFontCapitalization(QFont::MixedCase);
            break;
        }
        case Sprm::CKul: {
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
        case Sprm::CHps: {
            const int half = d.u16(s.operand);
            if (half > 1 && half < 3200)
                f.setFontPointSize(half / 2.0);
            break;
        }
        case Sprm::CIco:
            if (const auto c = icoColor(d.u8(s.operand)))
                f.setForeground(*c);
            break;
        case Sprm::CCv:
            if (const auto c = colorRef(d.u32(s.operand)))
                f.setForeground(*c);
            break;
        case Sprm::CRgFtc0: {
            // The font of Latin text; the complex-script font (CFtcBi, often a sans-serif) and the
            // East Asian one are for other scripts and must not replace it.
            const QString name = m_fonts.value(d.u16(s.operand));
            if (!name.isEmpty())
                f.setFontFamilies({name});
            break;
        }
        case Sprm::CIss: {
            const int iss = d.u8(s.operand);
            f.setVerticalAlignment(iss == 1 ? QTextCharFormat::AlignSuperScript
                                   : iss == 2 ? QTextCharFormat::AlignSubScript
                                              : QTextCharFormat::AlignNormal);
            break;
        }
        case Sprm::CHighlight:
            if (const auto c = icoColor(d.u8(s.operand)))
                f.setBackground(*c);
            break;
        case Sprm::CShd:
            if (s.size >= 10)
                if (const auto c = colorRef(d.u32(s.operand + 4)))
                    f.setBackground(*c);
            break;
        default: break;
        }
    }

    Paragraph paragraph(const Run* run) const
    {
        Paragraph p;
        if (!run)
            return p;
        p.istd = run->istd;
        QList<std::pair<const Data*, Change>> list;
        styleSprms(run->istd, true, list);
        for (const Change& s : PropertyChanges::read(m_wd, run->grpprl, run->length))
            list.append({&m_wd, s});
        for (const auto& [d, s] : list)
            applyParagraph(p, *d, s);
        return p;
    }

    static void applyParagraph(Paragraph& p, const Data& d, const Change& s)
    {
        QTextBlockFormat& f = p.format;
        auto length = [&] { return fromTwips(std::clamp(int(d.i16(s.operand)), -31680, 31680)); };
        switch (s.code) {
        case Sprm::PJc80: case Sprm::PJc: {
            const int jc = d.u8(s.operand);
            f.setAlignment(jc == 1 ? Qt::AlignHCenter : jc == 2 ? Qt::AlignRight : jc == 3 ? Qt::AlignJustify : Qt::AlignLeft);
            break;
        }
        case Sprm::PDxaLeft80: case Sprm::PDxaLeft: f.setLeftMargin(length()); break;
        case Sprm::PDxaRight80: case Sprm::PDxaRight: f.setRightMargin(length()); break;
        case Sprm::PDxaLeft180: case Sprm::PDxaLeft1: f.setTextIndent(length()); break;
        case Sprm::PDyaBefore: f.setTopMargin(std::max(0.0, length())); break;
        case Sprm::PDyaAfter: f.setBottomMargin(std::max(0.0, length())); break;
        case Sprm::PDyaLine: {
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
        case Sprm::PFPageBreakBefore:
            if (d.u8(s.operand))
                f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            break;
        case Sprm::PFKeep: f.setNonBreakableLines(d.u8(s.operand) != 0); break;
        case Sprm::PFKeepFollow: KeepWithNext::set(f, d.u8(s.operand) != 0); break;
        case Sprm::PChgTabsPapx: {
            // Removed positions, then added positions with their kinds.
            QList<QTextOption::Tab> tabs = f.tabPositions();
            const int removed = d.u8(s.operand);
            for (int i = 0; i < removed; ++i) {
                const double at = fromTwips(d.i16(s.operand + 1 + 2 * i));
                tabs.removeIf([&](const QTextOption::Tab& t) { return qAbs(t.position - at) < 0.5; });
                TabLeaders::set(f, at, TabLeaders::None);
            }
            const qint64 add = s.operand + 1 + 2 * removed;
            const int added = std::min(int(d.u8(add)), 64);
            QList<std::pair<double, QChar>> leaders;
            for (int i = 0; i < added && 3 * i + 2 < s.size; ++i) {
                // The stop's kind, then its leader (none, dots, hyphens, line, thick line, middle dots).
                const int tbd = d.u8(add + 1 + 2 * added + i);
                const int jc = tbd & 0x07;
                const double at = fromTwips(d.i16(add + 1 + 2 * i));
                tabs.removeIf([&](const QTextOption::Tab& t) { return qAbs(t.position - at) < 0.5; });
                tabs.append(QTextOption::Tab(at, jc == 1 ? QTextOption::CenterTab : jc == 2 ? QTextOption::RightTab
                                                     : jc == 3                              ? QTextOption::DelimiterTab
                                                                                            : QTextOption::LeftTab));
                const int tlc = (tbd >> 3) & 0x07;
                leaders.append({at, tlc < int(std::size(TabLeaderCodes)) ? TabLeaderCodes[tlc] : TabLeaders::None});
            }
            std::sort(tabs.begin(), tabs.end(), [](const auto& a, const auto& b) { return a.position < b.position; });
            f.setTabPositions(tabs);
            for (const auto& [at, leader] : leaders)
                TabLeaders::set(f, at, leader);
            break;
        }
        case Sprm::PBrcTop80: case Sprm::PBrcLeft80: case Sprm::PBrcBottom80: case Sprm::PBrcRight80: {
            using namespace ParagraphFrames;
            const quint32 brc = d.u32(s.operand);
            const int type = (brc >> 8) & 0xFF;
            if (brc == 0xFFFFFFFF || type == 0)
                break;
            const int side = s.code == Sprm::PBrcTop80 ? Top : s.code == Sprm::PBrcLeft80 ? Left
                : s.code == Sprm::PBrcBottom80                                             ? Bottom
                                                                                           : Right;
            f.setProperty(StyleProperty, ParagraphFrames::style(f) | side | Connected | (type == 3 ? DoubleLines : 0));
            f.setProperty(LineWidthProperty, std::clamp(int(brc & 0xFF) * 20 / 8, 1, 240));
            f.setProperty(DistanceProperty, std::clamp(int((brc >> 24) & 0x1F) * 20, 0, 1440));
            break;
        }
        case DocLists::SprmPIlfo: f.setProperty(ListLevels::ReadGroupProperty, DocLists::groupKey(d.i16(s.operand))); break;
        case DocLists::SprmPIlvl: f.setProperty(ListLevels::ReadLevelProperty, std::clamp(int(d.u8(s.operand)), 0, ListLevels::Count - 1)); break;
        case Sprm::PFInTable: p.inTable = d.u8(s.operand) != 0; break;
        case Sprm::PItap: p.inTable = d.u32(s.operand) > 0; break;
        case Sprm::PFTtp: case Sprm::PFInnerTtp: p.rowEnd = d.u8(s.operand) != 0; break;
        case Sprm::TDefTable: {
            const int cells = std::min<int>(d.u8(s.operand), 63);
            p.bounds.clear();
            p.merges.clear();
            for (int i = 0; i <= cells && 3 + 2 * i <= s.size; ++i)
                p.bounds << d.i16(s.operand + 1 + 2 * i);
            const qint64 tc = s.operand + 1 + 2 * (cells + 1);
            p.aligns.clear();
            for (int i = 0; i < cells && (tc - s.operand) + 20 * (i + 1) <= s.size; ++i) {
                p.merges << ((d.u16(tc + 20 * i) >> 5) & 0x03);
                p.aligns << ((d.u16(tc + 20 * i) >> 7) & 0x03);
                for (int side = 0; side < 4; ++side)
                    p.border = std::max(p.border, brc80Twips(d.u32(tc + 20 * i + 4 + 4 * side)));
            }
            break;
        }
        case Sprm::TTableBorders80:
            for (int side = 0; side < 6 && 4 * (side + 1) <= s.size; ++side)
                p.border = std::max(p.border, brc80Twips(d.u32(s.operand + 4 * side)));
            break;
        case Sprm::TTableBorders:
            for (int side = 0; side < 6 && 8 * (side + 1) <= s.size; ++side) {
                const int width = d.u8(s.operand + 8 * side + 4), type = d.u8(s.operand + 8 * side + 5);
                if (type != 0 && type != 0xFF)
                    p.border = std::max(p.border, TableGrid::lineFromEighths(width));
            }
            break;
        case Sprm::TDyaRowHeight: p.height = std::clamp(int(d.i16(s.operand)), -31680, 31680); break;
        case Sprm::TVertAlign: {
            // The cells from the first up to the last, and where their text stands.
            if (s.size < 3)
                break;
            const int first = d.u8(s.operand), last = std::min<int>(d.u8(s.operand + 1), 63);
            for (int i = first; i < last; ++i) {
                while (p.aligns.size() <= i)
                    p.aligns << 0;
                p.aligns[i] = d.u8(s.operand + 2) & 0x03;
            }
            break;
        }
        case Sprm::TDxaGapHalf: p.gapHalf = std::clamp(int(d.i16(s.operand)), 0, 1440); break;
        case Sprm::TCellPaddingDefault: {
            // The cells it covers, the sides (top 1, left 2, bottom 4, right 8), the unit (3:
            // twips, 0: none) and the width.
            if (s.size < 6)
                break;
            const int sides = d.u8(s.operand + 2), unit = d.u8(s.operand + 3);
            const int width = unit == 3 ? std::clamp(int(d.i16(s.operand + 4)), 0, 1440) : unit == 0 ? 0 : -1;
            if (width < 0)
                break;
            for (int side = 0; side < 4; ++side)
                if (sides & (1 << side))
                    p.padding[side] = width;
            break;
        }
        case Sprm::TDefTableShd:
            p.shades.clear();
            for (int i = 0; 10 * (i + 1) <= s.size; ++i)
                p.shades << colorRef(d.u32(s.operand + 10 * i + 4)).value_or(QColor());
            break;
        default: break;
        }
    }

    // Where a picture character's picture is in the Data stream, from its character run.
    std::optional<qint64> pictureLocation(const Run* run) const
    {
        if (!run)
            return std::nullopt;
        for (const Change& s : PropertyChanges::read(m_wd, run->grpprl, run->length))
            if (s.code == Sprm::CPicLocation)
                return m_wd.u32(s.operand);
        return std::nullopt;
    }

    void picture(QTextCursor& cursor, const Run* run, const QTextCharFormat& format)
    {
        const std::optional<qint64> location = pictureLocation(run);
        if (!location)
            return;
        const std::optional<InlinePicture::Picture> picture = InlinePicture::read(m_data.bytes, *location);
        if (!picture)
            return;
        const QString name = QStringLiteral("doc-picture-%1").arg(*location);
        cursor.document()->addResource(QTextDocument::ImageResource, QUrl(name), picture->image);
        QTextImageFormat image;
        image.merge(format);
        image.setName(name);
        image.setWidth(picture->widthTwips ? std::min(fromTwips(picture->widthTwips), 5000.0) : picture->image.width());
        image.setHeight(picture->heightTwips ? std::min(fromTwips(picture->heightTwips), 5000.0) : picture->image.height());
        cursor.insertImage(image);
    }

    // A row has ended: its cells learn their merges and shading; the edges are kept for the grid.
    void endRow(TableBuilder& table, const Paragraph& row, QList<QList<int>>& rowBounds)
    {
        table.setRowHeight(row.height);
        table.endRow();
        table.setBorder(std::max(table.border(), row.border));
        const int r = table.rowCount() - 1;
        for (int i = 0; TableBuilder::Cell* cell = table.cell(r, i); ++i) {
            cell->continues = row.merges.value(i) == 1;
            const int align = row.aligns.value(i);
            cell->align = align == 1 ? QTextCharFormat::AlignMiddle : align == 2 ? QTextCharFormat::AlignBottom : QTextCharFormat::AlignTop;
            if (row.shades.value(i).isValid())
                cell->shading = row.shades.value(i);
        }
        rowBounds.append(row.bounds);
        if (r == 0) {
            // The first row's padding stands for the whole table's.
            // The row keeps its padding top, left, bottom, right.
            CellGeometry::Padding padding{row.padding[1], row.padding[0], row.padding[3], row.padding[2]};
            if (padding.left < 0)
                padding.left = row.gapHalf;
            if (padding.right < 0)
                padding.right = row.gapHalf;
            table.setPadding(padding);
        }
    }

    // The grid of all rows' cell edges, and each cell's span over it.
    static void insertTable(TableBuilder& table, QList<QList<int>>& rowBounds, QTextCursor& cursor)
    {
        QList<int> edges;
        for (const QList<int>& bounds : rowBounds)
            edges += bounds;
        std::sort(edges.begin(), edges.end());
        edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
        if (edges.size() >= 2 && edges.size() <= 64) {
            QList<int> grid;
            for (qsizetype i = 1; i < edges.size(); ++i)
                grid << edges.at(i) - edges.at(i - 1);
            table.setGrid(grid);
            for (int r = 0; r < rowBounds.size(); ++r) {
                const QList<int>& bounds = rowBounds.at(r);
                for (int i = 0; i + 1 < bounds.size(); ++i)
                    if (TableBuilder::Cell* cell = table.cell(r, i))
                        cell->span = std::max<int>(1, int(std::count_if(edges.begin(), edges.end(), [&](int e) {
                                                        return e > bounds.at(i) && e <= bounds.at(i + 1);
                                                    })));
            }
        }
        table.insert(cursor);
        table = TableBuilder();
        rowBounds.clear();
    }

    // Walks the characters from `from` to `to` in pieces and builds the document at `main`;
    // paragraph marks up to `marksUntil` give the paragraphs their properties.
    void text(QTextCursor& main, quint32 from, quint32 to, quint32 marksUntil = 0)
    {
        marksUntil = std::max(marksUntil, to);
        TableBuilder table;
        QList<QList<int>> rowBounds;
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
            if (Fields::markInstruction(*out, start, field.instruction, m_nextField, pendingFormat))
                ++m_nextField;
        };

        bool paragraphOpen = false;
        Paragraph current;
        for (const Piece& piece : m_pieces) {
            for (quint32 cp = std::max(piece.cpStart, from); cp < piece.cpEnd && cp < to; ++cp) {
                const quint32 offset = piece.fc + (cp - piece.cpStart) * (piece.compressed ? 1 : 2);
                if (!m_wd.has(offset, piece.compressed ? 1 : 2))
                    break;
                const QChar c = piece.compressed ? CodePages::toUnicode(1252, m_wd.u8(offset)) : QChar(m_wd.u16(offset));
                if (!paragraphOpen) {
                    // The paragraph's properties sit with its end mark, further on; find it.
                    current = paragraph(runAt(m_papx, paragraphEnd(piece, cp, marksUntil)));
                    paragraphOpen = true;
                    if (!current.inTable && !table.isEmpty()) {
                        flush();
                        insertTable(table, rowBounds, main);
                        mainFresh = true;
                    }
                    if (current.inTable && current.rowEnd) {
                        // The row's end mark: no paragraph of its own, only the row's properties.
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
                const Run* run = runAt(m_chpx, offset);
                const QTextCharFormat format = charFormat(run, current.istd);
                if (format != pendingFormat) {
                    flush();
                    pendingFormat = format;
                }
                const ushort u = c.unicode();
                if (u == FieldBegin) {
                    flush();
                    fields.append(OpenField{});
                } else if (u == FieldSeparator && !fields.isEmpty()) {
                    flush();
                    fields.last().inResult = true;
                    fields.last().resultStart = out->position();
                } else if (u == FieldEnd && !fields.isEmpty()) {
                    flush();
                    finishField(fields.takeLast());
                } else if (!fields.isEmpty() && !fields.last().inResult) {
                    fields.last().instruction += c;
                } else if (u == ParagraphMark || u == CellMark) {
                    flush();
                    paragraphOpen = false;
                    // An empty paragraph is as high as its mark's letters.
                    if (out->block().length() == 1)
                        out->setBlockCharFormat(format);
                    if (u == CellMark && current.inTable) {
                        if (current.rowEnd)
                            endRow(table, current, rowBounds);
                        cell.reset();  // the next cell opens with its first paragraph
                    }
                } else if (u == PageBreak) {
                    flush();
                    breakNext = !m_continuousBreaks.contains(cp);
                    paragraphOpen = false;  // a page or section break ends the paragraph too
                } else if (u == LineBreak) {
                    pending += QChar::LineSeparator;
                } else if (u == Picture) {
                    flush();
                    picture(*out, run, format);
                } else if (u == NoteMark && m_story != Story::TextBoxes && m_story != Story::Headers) {
                    flush();
                    out->insertText(noteMark(cp), EndNotes::markFormat(format));
                } else if (m_lastHidden) {
                    // Hidden text: not shown, as Word and LibreOffice print the document.
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
            insertTable(table, rowBounds, main);
    }

    // The file offset of the end mark of the paragraph that starts at `cp` in `from`.
    quint32 paragraphEnd(const Piece& from, quint32 cp, quint32 to) const
    {
        for (qsizetype i = &from - m_pieces.constData(); i < m_pieces.size(); ++i) {
            const Piece& piece = m_pieces.at(i);
            for (quint32 at = std::max(cp, piece.cpStart); at < piece.cpEnd && at < to; ++at) {
                const quint32 offset = piece.fc + (at - piece.cpStart) * (piece.compressed ? 1 : 2);
                const ushort u = piece.compressed ? m_wd.u8(offset) : m_wd.u16(offset);
                if (u == ParagraphMark || u == CellMark || u == PageBreak)
                    return offset;
            }
        }
        return 0xFFFFFFFF;
    }

    Data m_wd;
    Data m_table;
    Data m_data;
    qint64 m_fcLcb = 0;
    int m_pairs = 0;
    qint64 m_longs = 0;
    int m_longCount = 0;
    QList<Piece> m_pieces;
    QList<Run> m_chpx;
    QList<Run> m_papx;
    QList<Style> m_styles;
    int m_defaultFont = -1;
    QStringList m_fonts;
    int m_nextField = 1;
    enum class Story { Body, Footnotes, Endnotes, TextBoxes, Headers } m_story = Story::Body;
    QSet<quint32> m_continuousBreaks;  // section marks after which the next section goes on on the same page
    QSet<quint32> m_endnoteMarks;  // body positions
    int m_footnotes = 0, m_endnotes = 0, m_storyMarks = 0;
    const Run* m_lastRun = nullptr;
    int m_lastIstd = -1;
    QTextCharFormat m_lastFormat;
    bool m_lastHidden = false;
};

}  // namespace

namespace {

Refusal refusal(const QByteArray& file, const QHash<QString, QByteArray>& streams)
{
    const auto it = streams.constFind(QStringLiteral("WordDocument"));
    if (it == streams.constEnd())
        return streams.contains(QStringLiteral("EncryptedPackage")) ? Refusal::PasswordProtected : Refusal::NotWord;
    const Data wd{*it};
    if (it->size() >= 2 && wd.u16(0) == Word6Ident)
        return Refusal::OlderWord;
    if (it->size() < 0x200 || wd.u16(0) != Ident)
        return Refusal::NotWord;
    if (wd.u16(2) < FirstWord97Fib)
        return Refusal::OlderWord;  // Word 6 or 95, whose file block is laid out otherwise
    const quint16 flags = wd.u16(0x0A);
    if (flags & FlagEncrypted)
        return Refusal::PasswordProtected;
    const QByteArray table = streams.value((flags & FlagTable1) ? QStringLiteral("1Table") : QStringLiteral("0Table"));
    switch (WordDamage::find(file, wd, Data{table})) {
    case WordDamage::Kind::TablesOutside: return Refusal::DamagedTables;
    case WordDamage::Kind::ContainerDamaged: return Refusal::DamagedContainer;
    case WordDamage::Kind::None: break;
    }
    return Refusal::None;
}

}  // namespace

Refusal refusal(const QByteArray& bytes)
{
    QHash<QString, QByteArray> streams;
    if (!CompoundFile::read(bytes, streams))
        return Refusal::NotWord;
    return refusal(bytes, streams);
}

bool read(const QByteArray& bytes, QTextDocument* document, PageInfo& page, DocumentParts* parts)
{
    QHash<QString, QByteArray> streams;
    if (!CompoundFile::read(bytes, streams) || refusal(bytes, streams) != Refusal::None)
        return false;
    const QByteArray& wordDocument = streams[QStringLiteral("WordDocument")];
    const Data wd{wordDocument};
    const quint16 flags = wd.u16(0x0A);
    const QByteArray table = streams.value((flags & FlagTable1) ? QStringLiteral("1Table") : QStringLiteral("0Table"));
    const QByteArray data = streams.value(QStringLiteral("Data"));
    Reader reader(wordDocument, table, data);
    if (parts)
        parts->present = 0;
    return reader.read(document, page, parts);
}

}  // namespace DocReader
