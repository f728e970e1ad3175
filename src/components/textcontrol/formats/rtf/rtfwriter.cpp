#include "rtfwriter.h"

#include "components/textcontrol/document/cellgeometry.h"
#include "components/textcontrol/document/tablebreaks.h"
#include "components/textcontrol/document/documentwalk.h"
#include "components/textcontrol/document/fields.h"
#include "components/textcontrol/document/keepwithnext.h"
#include "components/textcontrol/document/layoutunits.h"
#include "components/textcontrol/document/objects.h"
#include "components/textcontrol/document/paragraphframes.h"
#include "components/textcontrol/document/tableaders.h"
#include "components/textcontrol/document/tablegrid.h"
#include "rtflists.h"

#include <QBuffer>
#include <QHash>
#include <QImage>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QUrl>

#include <algorithm>

namespace RtfWriter {
namespace {

QByteArray num(qint64 n) { return QByteArray::number(n); }

// True for the characters RTF takes as they are.
constexpr bool isPlain(char16_t c) { return c >= 0x20 && c < 0x80 && c != u'\\' && c != u'{' && c != u'}'; }

// Appends `text` to `out` with RTF's escapes. Plain stretches go in at once: most text is plain.
void escapeInto(QByteArray& out, QStringView text)
{
    const char16_t* p = text.utf16();
    const char16_t* const end = p + text.size();
    while (p < end) {
        const char16_t* const plain = p;
        while (p < end && isPlain(*p))
            ++p;
        if (p > plain) {
            const qsizetype at = out.size();
            out.resize(at + (p - plain));
            std::transform(plain, p, out.data() + at, [](char16_t c) { return char(c); });
            if (p == end)
                break;
        }
        const char16_t c = *p++;
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '{': out += "\\{"; break;
        case '}': out += "\\}"; break;
        case '\t': out += "\\tab "; break;
        case 0x2028: out += "\\line "; break;
        case 0x00A0: out += "\\~"; break;
        case 0x2029: out += "\\par "; break;
        default:
            if (c >= 0x80) {
                out += "\\u";
                out += QByteArray::number(c > 32767 ? int(c) - 65536 : int(c));
                out += '?';
            }
        }
    }
}

int twips(double units) { return LayoutUnits::toTwips(units); }

class Writer {
public:
    Writer(const QTextDocument* document, const PageInfo& page, const DocumentParts* parts)
        : m_document(document), m_page(page), m_parts(parts), m_lists(document)
    {
        m_fonts << document->defaultFont().family();
    }

    // A header or footer: written like the body, into a group of its own.
    QByteArray part(const char* word, const QTextDocument* document)
    {
        const QTextDocument* body = std::exchange(m_document, document);
        QByteArray text = std::exchange(m_body, QByteArray());
        forgetFormats();
        frame(document->rootFrame(), false);
        QByteArray group = "{\\" + QByteArray(word) + ' ' + m_body + "}\n";
        m_body = text;
        m_document = body;
        forgetFormats();
        return group;
    }

    QByteArray run()
    {
        QByteArray parts;
        if (m_parts && (m_parts->present & 1) && m_parts->header)
            parts += part("header", m_parts->header);
        if (m_parts && (m_parts->present & 4) && m_parts->footer)
            parts += part("footer", m_parts->footer);
        // The first page's own parts come in pairs: where it has only one of its own, the other
        // is the one every page shows.
        const bool titlePage = m_parts && m_parts->titlePage();
        if (titlePage)
            for (const bool header : {true, false})
                if (const QTextDocument* document = m_parts->onFirstPage(header))
                    parts += part(header ? "headerf" : "footerf", document);
        frame(m_document->rootFrame(), false);
        QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n{\\fonttbl";
        for (int i = 0; i < m_fonts.size(); ++i)
            out += "{\\f" + num(i) + "\\fnil\\fcharset0 " + escape(m_fonts.at(i)) + ";}";
        out += "}\n{\\colortbl;";
        for (const QColor& c : m_colours)
            out += "\\red" + num(c.red()) + "\\green" + num(c.green()) + "\\blue" + num(c.blue()) + ';';
        out += "}\n" + m_lists.tables();
        if (m_page.width > 0)
            out += "\\paperw" + num(m_page.width) + "\\paperh" + num(m_page.height);
        if (m_page.marginL > 0 || m_page.marginT > 0)
            out += "\\margl" + num(m_page.marginL) + "\\margr" + num(m_page.marginR) + "\\margt"
                + num(m_page.marginT) + "\\margb" + num(m_page.marginB);
        if (m_page.width > m_page.height)
            out += "\\landscape";
        out += "\\sectd";
        if (titlePage)
            out += "\\titlepg";
        if (m_page.width > 0)
            out += "\\pgwsxn" + num(m_page.width) + "\\pghsxn" + num(m_page.height);
        if (m_page.width > m_page.height)
            out += "\\lndscpsxn";
        if (m_page.headerY > 0)
            out += "\\headery" + num(m_page.headerY) + "\\footery" + num(m_page.footerY);
        out.reserve(out.size() + parts.size() + m_body.size() + 2);
        out += '\n';
        out += parts;
        out += m_body;
        out += '}';
        return out;
    }

private:
    int fontIndex(const QString& family)
    {
        int i = int(m_fonts.indexOf(family));
        if (i < 0) {
            m_fonts << family;
            i = int(m_fonts.size()) - 1;
        }
        return i;
    }

    int colourIndex(const QColor& colour)
    {
        const QColor opaque = colour.toRgb();
        int i = int(m_colours.indexOf(opaque));
        if (i < 0) {
            m_colours << opaque;
            i = int(m_colours.size()) - 1;
        }
        return i + 1;  // entry 0 is the automatic colour
    }

    // Writes the frame's paragraphs and tables; `inTable` marks paragraphs of a cell.
    void frame(QTextFrame* frame, bool inTable)
    {
        QList<QTextBlock> pending;
        for (QTextFrame::iterator it = frame->begin(); !it.atEnd(); ++it) {
            if (auto* table = qobject_cast<QTextTable*>(it.currentFrame())) {
                flushBlocks(pending, inTable, false);
                if (inTable)
                    flattenTable(table);
                else
                    this->table(table);
            } else if (QTextFrame* child = it.currentFrame()) {
                flushBlocks(pending, inTable, false);
                this->frame(child, inTable);
            } else if (it.currentBlock().isValid()) {
                pending << it.currentBlock();
            }
        }
        flushBlocks(pending, inTable, frame == m_document->rootFrame() && !inTable);
    }

    // Paragraphs end with \par, except the document's last (a final \par would add one).
    void flushBlocks(QList<QTextBlock>& blocks, bool inTable, bool documentEnd)
    {
        for (int i = 0; i < blocks.size(); ++i) {
            block(blocks.at(i), inTable);
            const bool last = i + 1 == blocks.size();
            if (!(last && documentEnd))
                m_body += inTable && last && m_cellEnd ? "" : "\\par\n";
        }
        blocks.clear();
    }

    void paragraphProperties(const QTextBlockFormat& f, bool inTable)
    {
        m_body += "\\pard\\plain";
        if (inTable)
            m_body += "\\intbl";
        switch (f.alignment() & Qt::AlignHorizontal_Mask) {
        case Qt::AlignHCenter: m_body += "\\qc"; break;
        case Qt::AlignRight: m_body += "\\qr"; break;
        case Qt::AlignJustify: m_body += "\\qj"; break;
        default: m_body += "\\ql"; break;
        }
        auto length = [&](const char* word, double units) {
            if (const int t = twips(units))
                m_body += QByteArray(word) + num(t);
        };
        length("\\li", f.leftMargin());
        length("\\ri", f.rightMargin());
        length("\\fi", f.textIndent());
        length("\\sb", f.topMargin());
        length("\\sa", f.bottomMargin());
        switch (f.lineHeightType()) {
        case QTextBlockFormat::ProportionalHeight:
            if (f.lineHeight() != 100)
                m_body += "\\sl" + num(qRound(f.lineHeight() * 240 / 100)) + "\\slmult1";
            break;
        case QTextBlockFormat::MinimumHeight: m_body += "\\sl" + num(twips(f.lineHeight())) + "\\slmult0"; break;
        case QTextBlockFormat::FixedHeight: m_body += "\\sl-" + num(twips(f.lineHeight())) + "\\slmult0"; break;
        default: break;
        }
        for (const QTextOption::Tab& tab : f.tabPositions()) {
            switch (TabLeaders::at(f, tab.position).unicode()) {
            case '.': m_body += "\\tldot"; break;
            case 0xB7: m_body += "\\tlmdot"; break;
            case '-': m_body += "\\tlhyph"; break;
            case '_': m_body += "\\tlul"; break;
            case '=': m_body += "\\tlth"; break;
            default: break;
            }
            if (tab.type == QTextOption::RightTab)
                m_body += "\\tqr";
            else if (tab.type == QTextOption::CenterTab)
                m_body += "\\tqc";
            else if (tab.type == QTextOption::DelimiterTab)
                m_body += "\\tqdec";
            m_body += "\\tx" + num(twips(tab.position));
        }
        if (f.nonBreakableLines())
            m_body += "\\keep";
        if (KeepWithNext::of(f))
            m_body += "\\keepn";
        if (f.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
            m_body += "\\pagebb";
        paragraphBorders(f);
    }

    // A paragraph of a floating frame (a placed image) is a positioned paragraph beside the text.
    void placedFrame(const QTextBlock& block)
    {
        const QTextFrame* frame = Objects::placedFrame(m_document, block.position());
        if (!frame)
            return;
        const QTextFrameFormat f = frame->frameFormat();
        m_body += "\\pvpara\\phmrg";
        m_body += f.position() == QTextFrameFormat::FloatRight ? "\\posxr" : "\\posxl";
        if (f.width().type() == QTextLength::FixedLength)
            m_body += "\\absw" + num(twips(f.width().rawValue()));
        m_body += "\\dfrmtxtx" + num(twips(std::max(f.leftMargin(), f.rightMargin())));
        m_body += "\\dfrmtxty" + num(twips(std::max(f.topMargin(), f.bottomMargin())));
    }

    void paragraphBorders(const QTextBlockFormat& f)
    {
        using namespace ParagraphFrames;
        const int style = ParagraphFrames::style(f);
        static constexpr struct { int flag; const char* word; } Sides[] = {
            {Top, "\\brdrt"}, {Left, "\\brdrl"}, {Bottom, "\\brdrb"}, {Right, "\\brdrr"}};
        for (const auto& side : Sides)
            if (style & side.flag)
                m_body += QByteArray(side.word) + (style & DoubleLines ? "\\brdrdb" : "\\brdrs") + "\\brdrw"
                    + num(lineWidth(f)) + "\\brsp" + num(distance(f));
    }

    // The words of the document's format number `index`, made once for each format: a document
    // has few distinct formats and many runs.
    const QByteArray& characterWords(const QTextCharFormat& f, int index)
    {
        auto it = m_charWords.constFind(index);
        if (it == m_charWords.constEnd())
            it = m_charWords.insert(index, characterProperties(f));
        return *it;
    }

    // The formats' words belong to one document's list of formats.
    void forgetFormats()
    {
        m_charWords.clear();
        m_paragraphWords.clear();
    }

    QByteArray characterProperties(const QTextCharFormat& f)
    {
        QByteArray p;
        const QStringList families = f.fontFamilies().toStringList();
        const QString family = families.isEmpty() ? m_document->defaultFont().family() : families.first();
        p += "\\f" + num(fontIndex(family));
        const double points = f.hasProperty(QTextFormat::FontPointSize) ? f.fontPointSize()
                                                                         : m_document->defaultFont().pointSizeF();
        p += "\\fs" + num(qRound(points * 2));
        if (f.fontWeight() >= QFont::DemiBold)
            p += "\\b";
        if (f.fontItalic())
            p += "\\i";
        if (f.fontStrikeOut())
            p += "\\strike";
        if (f.fontCapitalization() == QFont::AllUppercase)
            p += "\\caps";
        if (f.property(QTextFormat::UserProperty + 20).toInt() == 2)
            p += "\\uldb";
        else
            switch (f.underlineStyle()) {
            case QTextCharFormat::SingleUnderline: p += "\\ul"; break;
            case QTextCharFormat::DotLine: p += "\\uld"; break;
            case QTextCharFormat::DashUnderline: p += "\\uldash"; break;
            case QTextCharFormat::WaveUnderline:
            case QTextCharFormat::SpellCheckUnderline: p += "\\ulwave"; break;
            default:
                if (f.fontUnderline())
                    p += "\\ul";
                break;
            }
        if (f.verticalAlignment() == QTextCharFormat::AlignSuperScript)
            p += "\\super";
        else if (f.verticalAlignment() == QTextCharFormat::AlignSubScript)
            p += "\\sub";
        if (f.hasProperty(QTextFormat::ForegroundBrush) && f.foreground().style() != Qt::NoBrush)
            p += "\\cf" + num(colourIndex(f.foreground().color()));
        if (f.hasProperty(QTextFormat::BackgroundBrush) && f.background().style() != Qt::NoBrush) {
            const int c = colourIndex(f.background().color());
            p += "\\chcbpat" + num(c) + "\\cb" + num(c);
        }
        return p;
    }

    void block(const QTextBlock& block, bool inTable)
    {
        const int paragraphKey = block.blockFormatIndex() * 2 + (inTable ? 1 : 0);
        auto words = m_paragraphWords.constFind(paragraphKey);
        if (words == m_paragraphWords.constEnd()) {
            QByteArray body = std::exchange(m_body, QByteArray());
            paragraphProperties(block.blockFormat(), inTable);
            words = m_paragraphWords.insert(paragraphKey, std::exchange(m_body, body));
        }
        m_body += *words;
        if (inTable && TableBreaks::opensBrokenTable(block))
            m_body += "\\pagebb";
        placedFrame(block);
        m_body += m_lists.paragraphWords(block);
        const QByteArray& mark = characterWords(block.charFormat(), block.charFormatIndex());
        m_body += mark;
        m_body += ' ';
        m_body += m_lists.listText(block, mark);
        DocumentWalk::runs(
            block,
            [this](const QTextCharFormat& f) {
                m_body += "{\\field{\\*\\fldinst " + escape(Fields::instruction(f)) + "}{\\fldrslt ";
            },
            [this](const QTextCharFormat&) { m_body += "}}"; },
            [this](const QTextImageFormat& image) { picture(image); },
            [this](QStringView text, const QTextCharFormat& f, int formatIndex) {
                m_body += '{';
                m_body += characterWords(f, formatIndex);
                m_body += ' ';
                escapeInto(m_body, text);
                m_body += '}';
            });
    }

    void picture(const QTextImageFormat& f)
    {
        const std::optional<Objects::Picture> picture = Objects::picture(m_document, f);
        if (!picture)
            return;
        const QImage& image = picture->image;
        const QByteArray& png = picture->png;
        const double w = picture->size.width();
        const double h = picture->size.height();
        m_body += "{\\pict\\pngblip\\picw" + num(image.width()) + "\\pich" + num(image.height())
            + "\\picwgoal" + num(twips(w)) + "\\pichgoal" + num(twips(h)) + '\n';
        const QByteArray hex = png.toHex();
        for (qsizetype i = 0; i < hex.size(); i += 128)
            m_body += hex.mid(i, 128) + '\n';
        m_body += '}';
    }

    // Column widths from the table's constraints, else the text width shared out.
    QList<int> columnRights(QTextTable* table) const
    {
        const QList<QTextLength> widths = table->format().columnWidthConstraints();
        const int columns = table->columns();
        const int textWidth = std::max(1440, m_page.width - m_page.marginL - m_page.marginR);
        QList<int> rights;
        int x = 0;
        for (int c = 0; c < columns; ++c) {
            int w = textWidth / columns;
            if (c < widths.size() && widths.at(c).type() == QTextLength::FixedLength)
                w = twips(widths.at(c).rawValue());
            else if (c < widths.size() && widths.at(c).type() == QTextLength::PercentageLength)
                w = int(textWidth * widths.at(c).rawValue() / 100);
            x += std::max(w, 15);
            rights << x;
        }
        return rights;
    }

    void table(QTextTable* table)
    {
        const QList<int> rights = columnRights(table);
        const int gap = std::max(0, CellGeometry::tablePaddingTwips(table->format()));
        const int border = std::min(TableGrid::borderTwips(table->format()), 75);
        const int left = twips(table->format().leftMargin());
        const int above = std::max(0, twips(CellGeometry::topPadding(table)));
        for (int r = 0; r < table->rows(); ++r) {
            m_body += "\\trowd\\trgaph" + num(gap) + "\\trleft" + num(left) + "\\trpaddt" + num(above)
                + "\\trpaddft3\\trpaddb" + num(above) + "\\trpaddfb3";
            if (const int height = CellGeometry::rowHeightTwips(table, r))
                m_body += "\\trrh" + num(height);
            for (int c = 0; c < table->columns(); ++c) {
                const QTextTableCell cell = table->cellAt(r, c);
                if (cell.columnSpan() > 1 || cell.column() != c)
                    m_body += cell.column() == c ? "\\clmgf" : "\\clmrg";
                if (cell.rowSpan() > 1 || cell.row() != r)
                    m_body += cell.row() == r ? "\\clvmgf" : "\\clvmrg";
                if (border > 0)
                    for (const char* side : {"\\clbrdrt", "\\clbrdrl", "\\clbrdrb", "\\clbrdrr"})
                        m_body += QByteArray(side) + "\\brdrs\\brdrw" + num(border);
                const QTextCharFormat cf = cell.format();
                if (cf.hasProperty(QTextFormat::BackgroundBrush) && cf.background().style() != Qt::NoBrush)
                    m_body += "\\clcbpat" + num(colourIndex(cf.background().color()));
                if (cf.verticalAlignment() == QTextCharFormat::AlignMiddle)
                    m_body += "\\clvertalc";
                else if (cf.verticalAlignment() == QTextCharFormat::AlignBottom)
                    m_body += "\\clvertalb";
                m_body += "\\cellx" + num(left + rights.at(c));
            }
            m_body += '\n';
            for (int c = 0; c < table->columns(); ++c) {
                const QTextTableCell cell = table->cellAt(r, c);
                if (cell.row() != r || cell.column() != c) {
                    m_body += "\\pard\\intbl\\cell\n";  // covered by a merged cell
                    continue;
                }
                m_cellEnd = true;
                QList<QTextBlock> blocks;
                for (QTextFrame::iterator it = cell.begin(); !it.atEnd(); ++it) {
                    if (auto* inner = qobject_cast<QTextTable*>(it.currentFrame())) {
                        m_cellEnd = false;
                        flushBlocks(blocks, true, false);
                        flattenTable(inner);
                        m_cellEnd = true;
                    } else if (it.currentBlock().isValid()) {
                        blocks << it.currentBlock();
                    }
                }
                flushBlocks(blocks, true, false);
                m_cellEnd = false;
                m_body += "\\cell\n";
            }
            m_body += "\\row\n";
        }
    }

    // A table inside a cell is written as its cells' paragraphs, one after another.
    void flattenTable(QTextTable* table)
    {
        const bool cellEnd = std::exchange(m_cellEnd, false);
        for (int r = 0; r < table->rows(); ++r)
            for (int c = 0; c < table->columns(); ++c) {
                const QTextTableCell cell = table->cellAt(r, c);
                if (cell.row() != r || cell.column() != c)
                    continue;
                QList<QTextBlock> blocks;
                for (QTextBlock b = cell.firstCursorPosition().block();
                     b.isValid() && b.position() <= cell.lastCursorPosition().position(); b = b.next())
                    blocks << b;
                flushBlocks(blocks, true, false);
            }
        m_cellEnd = cellEnd;
    }

    const QTextDocument* m_document;
    PageInfo m_page;
    const DocumentParts* m_parts;
    RtfLists::Writer m_lists;  // of the body; a header's or footer's items are written as paragraphs
    QByteArray m_body;
    QHash<int, QByteArray> m_charWords;       // by format number
    QHash<int, QByteArray> m_paragraphWords;  // by format number, twice: in a cell or not
    QStringList m_fonts;
    QList<QColor> m_colours;
    bool m_cellEnd = false;
};

}  // namespace

QByteArray escape(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    escapeInto(out, text);
    return out;
}

QByteArray write(const QTextDocument* document, const PageInfo& page, const DocumentParts* parts)
{
    return Writer(document, page, parts).run();
}

}  // namespace RtfWriter
