#include "docxwriter.h"

#include "docxnumbering.h"

#include "docxnames.h"
#include "zippackage.h"

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

#include <QBuffer>
#include <QImage>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QUrl>
#include <QXmlStreamWriter>
#include <tuple>

namespace DocxWriter {
namespace {

using LayoutUnits::toTwips;
using namespace DocxNames;

QString twips(double units) { return QString::number(toTwips(units)); }
QString hex(const QColor& c) { return c.name().mid(1).toUpper(); }

// One XML part (the body, the header or the footer) and the pictures it refers to.
class PartWriter {
public:
    PartWriter(const QTextDocument* document, QList<QPair<QString, QByteArray>>& media, QString& relations)
        : m_document(document), m_media(media), m_relations(relations)
    {
    }

    QByteArray write(const char* root, const std::function<void(QXmlStreamWriter&)>& tail)
    {
        QByteArray xml;
        QXmlStreamWriter out(&xml);
        m_out = &out;
        out.writeStartDocument(QStringLiteral("1.0"), true);
        out.writeStartElement(QLatin1String(root));
        out.writeNamespace(QLatin1String(W), QStringLiteral("w"));
        out.writeNamespace(QLatin1String(R), QStringLiteral("r"));
        out.writeNamespace(QLatin1String(WP), QStringLiteral("wp"));
        out.writeNamespace(QLatin1String(A), QStringLiteral("a"));
        out.writeNamespace(QLatin1String(PIC), QStringLiteral("pic"));
        if (qstrcmp(root, "w:document") == 0)
            out.writeStartElement(QStringLiteral("w:body"));
        frame(m_document->rootFrame());
        if (tail)
            tail(out);
        if (qstrcmp(root, "w:document") == 0)
            out.writeEndElement();
        out.writeEndElement();
        out.writeEndDocument();
        return xml;
    }

private:
    void frame(QTextFrame* frame)
    {
        DocumentWalk::frames(frame, [this](QTextTable* table) { this->table(table); },
                             [this](const QTextBlock& block) { paragraph(block); });
    }

    void table(QTextTable* table)
    {
        QXmlStreamWriter& out = *m_out;
        const QTextTableFormat format = table->format();
        out.writeStartElement(QStringLiteral("w:tbl"));
        out.writeStartElement(QStringLiteral("w:tblPr"));
        out.writeEmptyElement(QStringLiteral("w:tblW"));
        out.writeAttribute(QStringLiteral("w:w"), QStringLiteral("0"));
        out.writeAttribute(QStringLiteral("w:type"), QStringLiteral("auto"));
        // Word's indent counts to the first cell's text, the cell's line standing its padding left of it.
        const int side = CellGeometry::tablePaddingTwips(format);
        out.writeEmptyElement(QStringLiteral("w:tblInd"));
        out.writeAttribute(QStringLiteral("w:w"), QString::number(LayoutUnits::toTwips(format.leftMargin()) + side));
        out.writeAttribute(QStringLiteral("w:type"), QStringLiteral("dxa"));
        if (const int border = TableGrid::borderTwips(format)) {
            out.writeStartElement(QStringLiteral("w:tblBorders"));
            for (const char* side : {"w:top", "w:left", "w:bottom", "w:right", "w:insideH", "w:insideV"}) {
                out.writeEmptyElement(QLatin1String(side));
                out.writeAttribute(QStringLiteral("w:val"), QStringLiteral("single"));
                out.writeAttribute(QStringLiteral("w:sz"), QString::number(std::max(2, border * 8 / 20)));
                out.writeAttribute(QStringLiteral("w:color"), QStringLiteral("000000"));
            }
            out.writeEndElement();
        }
        const int above = LayoutUnits::toTwips(CellGeometry::topPadding(table));
        out.writeStartElement(QStringLiteral("w:tblCellMar"));
        for (const auto& [name, twips] : {std::pair{"w:top", above}, {"w:left", side}, {"w:bottom", above}, {"w:right", side}}) {
            out.writeEmptyElement(QLatin1String(name));
            out.writeAttribute(QStringLiteral("w:w"), QString::number(std::max(0, twips)));
            out.writeAttribute(QStringLiteral("w:type"), QStringLiteral("dxa"));
        }
        out.writeEndElement();
        out.writeEndElement();
        const QList<int> widths = TableGrid::columnTwips(table);
        out.writeStartElement(QStringLiteral("w:tblGrid"));
        for (const int w : widths) {
            out.writeEmptyElement(QStringLiteral("w:gridCol"));
            out.writeAttribute(QStringLiteral("w:w"), QString::number(w));
        }
        out.writeEndElement();
        for (int r = 0; r < table->rows(); ++r) {
            out.writeStartElement(QStringLiteral("w:tr"));
            if (const int height = CellGeometry::rowHeightTwips(table, r)) {
                out.writeStartElement(QStringLiteral("w:trPr"));
                out.writeEmptyElement(QStringLiteral("w:trHeight"));
                out.writeAttribute(QStringLiteral("w:val"), QString::number(std::abs(height)));
                out.writeAttribute(QStringLiteral("w:hRule"), height < 0 ? QStringLiteral("exact") : QStringLiteral("atLeast"));
                out.writeEndElement();
            }
            for (int c = 0; c < table->columns();) {
                const QTextTableCell cell = table->cellAt(r, c);
                const int span = std::max(1, cell.columnSpan());
                out.writeStartElement(QStringLiteral("w:tc"));
                out.writeStartElement(QStringLiteral("w:tcPr"));
                int width = 0;
                for (int s = 0; s < span; ++s)
                    width += widths.value(c + s);
                out.writeEmptyElement(QStringLiteral("w:tcW"));
                out.writeAttribute(QStringLiteral("w:w"), QString::number(width));
                out.writeAttribute(QStringLiteral("w:type"), QStringLiteral("dxa"));
                if (span > 1) {
                    out.writeEmptyElement(QStringLiteral("w:gridSpan"));
                    out.writeAttribute(QStringLiteral("w:val"), QString::number(span));
                }
                if (cell.rowSpan() > 1 || cell.row() != r) {
                    out.writeEmptyElement(QStringLiteral("w:vMerge"));
                    if (cell.row() == r)
                        out.writeAttribute(QStringLiteral("w:val"), QStringLiteral("restart"));
                }
                const QBrush shade = cell.format().background();
                if (shade.style() != Qt::NoBrush) {
                    out.writeEmptyElement(QStringLiteral("w:shd"));
                    out.writeAttribute(QStringLiteral("w:val"), QStringLiteral("clear"));
                    out.writeAttribute(QStringLiteral("w:fill"), hex(shade.color()));
                }
                if (const auto align = cell.format().verticalAlignment();
                    align == QTextCharFormat::AlignMiddle || align == QTextCharFormat::AlignBottom) {
                    out.writeEmptyElement(QStringLiteral("w:vAlign"));
                    out.writeAttribute(QStringLiteral("w:val"), align == QTextCharFormat::AlignMiddle ? QStringLiteral("center") : QStringLiteral("bottom"));
                }
                out.writeEndElement();
                if (cell.row() == r) {
                    DocumentWalk::cell(cell, [this](QTextTable* inner) { this->table(inner); },
                                       [this](const QTextBlock& block) { paragraph(block); });
                } else {
                    out.writeEmptyElement(QStringLiteral("w:p"));  // a cell covered from above
                }
                out.writeEndElement();
                c += span;
            }
            out.writeEndElement();
        }
        out.writeEndElement();
    }

    void paragraph(const QTextBlock& block)
    {
        QXmlStreamWriter& out = *m_out;
        out.writeStartElement(QStringLiteral("w:p"));
        paragraphProperties(block);
        DocumentWalk::runs(
            block,
            [&out](const QTextCharFormat& f) {
                out.writeStartElement(QStringLiteral("w:fldSimple"));
                out.writeAttribute(QStringLiteral("w:instr"), QLatin1Char(' ') + Fields::instruction(f) + QLatin1Char(' '));
            },
            [&out](const QTextCharFormat&) { out.writeEndElement(); },
            [this](const QTextImageFormat& image) { picture(image); },
            [this](const QString& text, const QTextCharFormat& f) { run(text, f); });
        out.writeEndElement();
    }

    void paragraphProperties(const QTextBlock& block)
    {
        const QTextBlockFormat f = TableBreaks::writtenFormat(block);
        QXmlStreamWriter& out = *m_out;
        out.writeStartElement(QStringLiteral("w:pPr"));
        if (KeepWithNext::of(f))
            out.writeEmptyElement(QStringLiteral("w:keepNext"));
        if (f.nonBreakableLines())
            out.writeEmptyElement(QStringLiteral("w:keepLines"));
        if (f.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
            out.writeEmptyElement(QStringLiteral("w:pageBreakBefore"));
        const ListLevels::Item item = m_lists ? ListLevels::item(block) : ListLevels::Item();
        if (item.inList)
            DocxNumbering::writeNumPr(out, *m_lists, block);
        borders(f);
        if (!f.tabPositions().isEmpty()) {
            out.writeStartElement(QStringLiteral("w:tabs"));
            for (const QTextOption::Tab& tab : f.tabPositions()) {
                out.writeEmptyElement(QStringLiteral("w:tab"));
                out.writeAttribute(QStringLiteral("w:val"), tab.type == QTextOption::RightTab ? QStringLiteral("right")
                                       : tab.type == QTextOption::CenterTab              ? QStringLiteral("center")
                                       : tab.type == QTextOption::DelimiterTab           ? QStringLiteral("decimal")
                                                                                         : QStringLiteral("left"));
                out.writeAttribute(QStringLiteral("w:pos"), twips(tab.position));
                if (const QChar leader = TabLeaders::at(f, tab.position); leader != TabLeaders::None)
                    out.writeAttribute(QStringLiteral("w:leader"), DocxNames::leaderName(leader));
            }
            out.writeEndElement();
        }
        out.writeEmptyElement(QStringLiteral("w:spacing"));
        out.writeAttribute(QStringLiteral("w:before"), twips(f.topMargin()));
        out.writeAttribute(QStringLiteral("w:after"), twips(f.bottomMargin()));
        switch (f.lineHeightType()) {
        case QTextBlockFormat::ProportionalHeight:
            out.writeAttribute(QStringLiteral("w:line"), QString::number(qRound(f.lineHeight() * 240 / 100)));
            out.writeAttribute(QStringLiteral("w:lineRule"), QStringLiteral("auto"));
            break;
        case QTextBlockFormat::MinimumHeight:
            out.writeAttribute(QStringLiteral("w:line"), twips(f.lineHeight()));
            out.writeAttribute(QStringLiteral("w:lineRule"), QStringLiteral("atLeast"));
            break;
        case QTextBlockFormat::FixedHeight:
            out.writeAttribute(QStringLiteral("w:line"), twips(f.lineHeight()));
            out.writeAttribute(QStringLiteral("w:lineRule"), QStringLiteral("exact"));
            break;
        default: break;
        }
        out.writeEmptyElement(QStringLiteral("w:ind"));
        if (item.inList) {
            // The item's text where it stands; its bullet or number hangs before it.
            out.writeAttribute(QStringLiteral("w:left"), QString::number(item.leftTwips));
            out.writeAttribute(QStringLiteral("w:right"), twips(f.rightMargin()));
            out.writeAttribute(QStringLiteral("w:hanging"), QString::number(std::min(360, item.leftTwips)));
        } else {
        out.writeAttribute(QStringLiteral("w:left"), twips(f.leftMargin()));
        out.writeAttribute(QStringLiteral("w:right"), twips(f.rightMargin()));
        if (f.textIndent() >= 0)
            out.writeAttribute(QStringLiteral("w:firstLine"), twips(f.textIndent()));
        else
            out.writeAttribute(QStringLiteral("w:hanging"), twips(-f.textIndent()));
        }
        const Qt::Alignment align = f.alignment() & Qt::AlignHorizontal_Mask;
        out.writeEmptyElement(QStringLiteral("w:jc"));
        out.writeAttribute(QStringLiteral("w:val"), align == Qt::AlignHCenter ? QStringLiteral("center")
                               : align == Qt::AlignRight                      ? QStringLiteral("right")
                               : align == Qt::AlignJustify                    ? QStringLiteral("both")
                                                                              : QStringLiteral("left"));
        // The mark's letters: an empty paragraph is as high as they are.
        runProperties(DocumentWalk::markFormat(block));
        out.writeEndElement();
    }

    void borders(const QTextBlockFormat& f)
    {
        using namespace ParagraphFrames;
        const int style = ParagraphFrames::style(f);
        if (!(style & Sides))
            return;
        QXmlStreamWriter& out = *m_out;
        out.writeStartElement(QStringLiteral("w:pBdr"));
        static constexpr struct { int flag; const char* name; } Order[] = {
            {Top, "w:top"}, {Left, "w:left"}, {Bottom, "w:bottom"}, {Right, "w:right"}};
        for (const auto& side : Order) {
            if (!(style & side.flag))
                continue;
            out.writeEmptyElement(QLatin1String(side.name));
            out.writeAttribute(QStringLiteral("w:val"), style & DoubleLines ? QStringLiteral("double") : QStringLiteral("single"));
            out.writeAttribute(QStringLiteral("w:sz"), QString::number(std::clamp(lineWidth(f) * 8 / 20, 2, 96)));
            out.writeAttribute(QStringLiteral("w:space"), QString::number(std::clamp(distance(f) / 20, 0, 31)));
            out.writeAttribute(QStringLiteral("w:color"), QStringLiteral("000000"));
        }
        out.writeEndElement();
    }

    void runProperties(const QTextCharFormat& f)
    {
        QXmlStreamWriter& out = *m_out;
        out.writeStartElement(QStringLiteral("w:rPr"));
        const QStringList families = f.fontFamilies().toStringList();
        const QString family = families.isEmpty() ? m_document->defaultFont().family() : families.first();
        out.writeEmptyElement(QStringLiteral("w:rFonts"));
        out.writeAttribute(QStringLiteral("w:ascii"), family);
        out.writeAttribute(QStringLiteral("w:hAnsi"), family);
        out.writeAttribute(QStringLiteral("w:cs"), family);
        if (f.fontWeight() >= QFont::Bold)
            out.writeEmptyElement(QStringLiteral("w:b"));
        if (f.fontItalic())
            out.writeEmptyElement(QStringLiteral("w:i"));
        if (f.fontStrikeOut())
            out.writeEmptyElement(QStringLiteral("w:strike"));
        if (f.hasProperty(QTextFormat::ForegroundBrush) && f.foreground().style() != Qt::NoBrush) {
            out.writeEmptyElement(QStringLiteral("w:color"));
            out.writeAttribute(QStringLiteral("w:val"), hex(f.foreground().color()));
        }
        const double points = f.fontPointSize() > 0 ? f.fontPointSize() : m_document->defaultFont().pointSizeF();
        out.writeEmptyElement(QStringLiteral("w:sz"));
        out.writeAttribute(QStringLiteral("w:val"), QString::number(qRound(points * 2)));
        if (f.fontUnderline() || f.underlineStyle() != QTextCharFormat::NoUnderline) {
            out.writeEmptyElement(QStringLiteral("w:u"));
            out.writeAttribute(QStringLiteral("w:val"), underline(f));
        }
        if (f.hasProperty(QTextFormat::BackgroundBrush) && f.background().style() != Qt::NoBrush) {
            out.writeEmptyElement(QStringLiteral("w:shd"));
            out.writeAttribute(QStringLiteral("w:val"), QStringLiteral("clear"));
            out.writeAttribute(QStringLiteral("w:fill"), hex(f.background().color()));
        }
        if (f.verticalAlignment() == QTextCharFormat::AlignSuperScript || f.verticalAlignment() == QTextCharFormat::AlignSubScript) {
            out.writeEmptyElement(QStringLiteral("w:vertAlign"));
            out.writeAttribute(QStringLiteral("w:val"), f.verticalAlignment() == QTextCharFormat::AlignSuperScript
                                                            ? QStringLiteral("superscript")
                                                            : QStringLiteral("subscript"));
        }
        out.writeEndElement();
    }

    static QString underline(const QTextCharFormat& f)
    {
        if (f.intProperty(QTextFormat::UserProperty + 20) == 2)
            return QStringLiteral("double");
        switch (f.underlineStyle()) {
        case QTextCharFormat::DotLine: return QStringLiteral("dotted");
        case QTextCharFormat::DashUnderline: return QStringLiteral("dash");
        case QTextCharFormat::WaveUnderline: return QStringLiteral("wave");
        default: return QStringLiteral("single");
        }
    }

    // A run's text: tabs and line breaks are elements of their own.
    void run(const QString& text, const QTextCharFormat& f)
    {
        QXmlStreamWriter& out = *m_out;
        out.writeStartElement(QStringLiteral("w:r"));
        runProperties(f);
        QString pending;
        auto flush = [&] {
            if (pending.isEmpty())
                return;
            out.writeStartElement(QStringLiteral("w:t"));
            out.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
            out.writeCharacters(pending);
            out.writeEndElement();
            pending.clear();
        };
        // XML has no place for control characters or U+FFFE and U+FFFF; a lone surrogate
        // becomes the replacement character.
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text.at(i);
            if (c == QLatin1Char('\t')) {
                flush();
                out.writeEmptyElement(QStringLiteral("w:tab"));
            } else if (c == QChar::LineSeparator) {
                flush();
                out.writeEmptyElement(QStringLiteral("w:br"));
            } else if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
                pending += c;
                pending += text.at(++i);
            } else if (c.isSurrogate()) {
                pending += QChar::ReplacementCharacter;
            } else if (c.unicode() >= 0x20 && c.unicode() < 0xfffe) {
                pending += c;
            }
        }
        flush();
        out.writeEndElement();
    }

    void picture(const QTextImageFormat& f)
    {
        const std::optional<Objects::Picture> picture = Objects::picture(m_document, f);
        if (!picture)
            return;
        const int number = int(m_media.size()) + 1;
        const QString target = QStringLiteral("media/image%1.png").arg(number);
        const QString id = QStringLiteral("rIdImage%1").arg(number);
        m_media.append({QStringLiteral("word/") + target, picture->png});
        m_relations += QStringLiteral("<Relationship Id=\"%1\" Type=\"%2\" Target=\"%3\"/>")
                           .arg(id, QLatin1String(ImageRelation), target);
        const QString cx = QString::number(qRound64(picture->size.width() * EmuPerUnit));
        const QString cy = QString::number(qRound64(picture->size.height() * EmuPerUnit));
        QXmlStreamWriter& out = *m_out;
        out.writeStartElement(QStringLiteral("w:r"));
        out.writeStartElement(QStringLiteral("w:drawing"));
        out.writeStartElement(QStringLiteral("wp:inline"));
        out.writeEmptyElement(QStringLiteral("wp:extent"));
        out.writeAttribute(QStringLiteral("cx"), cx);
        out.writeAttribute(QStringLiteral("cy"), cy);
        out.writeEmptyElement(QStringLiteral("wp:docPr"));
        out.writeAttribute(QStringLiteral("id"), QString::number(number));
        out.writeAttribute(QStringLiteral("name"), QStringLiteral("Picture %1").arg(number));
        out.writeStartElement(QStringLiteral("a:graphic"));
        out.writeStartElement(QStringLiteral("a:graphicData"));
        out.writeAttribute(QStringLiteral("uri"), QLatin1String(PIC));
        out.writeStartElement(QStringLiteral("pic:pic"));
        out.writeStartElement(QStringLiteral("pic:nvPicPr"));
        out.writeEmptyElement(QStringLiteral("pic:cNvPr"));
        out.writeAttribute(QStringLiteral("id"), QString::number(number));
        out.writeAttribute(QStringLiteral("name"), QStringLiteral("image%1.png").arg(number));
        out.writeEmptyElement(QStringLiteral("pic:cNvPicPr"));
        out.writeEndElement();
        out.writeStartElement(QStringLiteral("pic:blipFill"));
        out.writeEmptyElement(QStringLiteral("a:blip"));
        out.writeAttribute(QStringLiteral("r:embed"), id);
        out.writeStartElement(QStringLiteral("a:stretch"));
        out.writeEmptyElement(QStringLiteral("a:fillRect"));
        out.writeEndElement();
        out.writeEndElement();
        out.writeStartElement(QStringLiteral("pic:spPr"));
        out.writeStartElement(QStringLiteral("a:xfrm"));
        out.writeEmptyElement(QStringLiteral("a:off"));
        out.writeAttribute(QStringLiteral("x"), QStringLiteral("0"));
        out.writeAttribute(QStringLiteral("y"), QStringLiteral("0"));
        out.writeEmptyElement(QStringLiteral("a:ext"));
        out.writeAttribute(QStringLiteral("cx"), cx);
        out.writeAttribute(QStringLiteral("cy"), cy);
        out.writeEndElement();
        out.writeEmptyElement(QStringLiteral("a:prstGeom"));
        out.writeAttribute(QStringLiteral("prst"), QStringLiteral("rect"));
        out.writeEndElement();
        out.writeEndElement();  // pic:pic
        out.writeEndElement();  // a:graphicData
        out.writeEndElement();  // a:graphic
        out.writeEndElement();  // wp:inline
        out.writeEndElement();  // w:drawing
        out.writeEndElement();  // w:r
    }

    const QTextDocument* m_document;
    QList<QPair<QString, QByteArray>>& m_media;
    QString& m_relations;
    QXmlStreamWriter* m_out = nullptr;

public:
    const ListLevels::Table* m_lists = nullptr;  // the body's lists; a header's items are paragraphs
};

QByteArray relationsPart(const QString& relations)
{
    return QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                             "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">")
        + relations.toUtf8() + QByteArrayLiteral("</Relationships>");
}

QByteArray defaultStyles(const QFont& font)
{
    QByteArray bytes;
    QXmlStreamWriter out(&bytes);
    out.writeStartDocument(QStringLiteral("1.0"), true);
    out.writeNamespace(QLatin1String(W), QStringLiteral("w"));
    out.writeStartElement(QLatin1String(W), QStringLiteral("styles"));
    out.writeStartElement(QStringLiteral("w:docDefaults"));
    out.writeStartElement(QStringLiteral("w:rPrDefault"));
    out.writeStartElement(QStringLiteral("w:rPr"));
    out.writeEmptyElement(QStringLiteral("w:rFonts"));
    for (const char* side : {"w:ascii", "w:hAnsi", "w:cs"})
        out.writeAttribute(QLatin1String(side), font.family());
    const QString size = QString::number(std::max(2, qRound(font.pointSizeF() * 2)));
    out.writeEmptyElement(QStringLiteral("w:sz"));
    out.writeAttribute(QStringLiteral("w:val"), size);
    out.writeEmptyElement(QStringLiteral("w:szCs"));
    out.writeAttribute(QStringLiteral("w:val"), size);
    out.writeEndDocument();
    return bytes;
}

}  // namespace

QByteArray write(const QTextDocument* document, const PageInfo& page, const DocumentParts* parts)
{
    QList<QPair<QString, QByteArray>> media;
    QString relations;
    QList<QPair<QString, QByteArray>> extra;
    QString overrides;
    auto part = [&](int bit, QTextDocument* source, const QString& name, const char* root, const char* type, const char* relation) {
        QString partRelations;
        PartWriter writer(source, media, partRelations);
        extra.append({QStringLiteral("word/") + name, writer.write(root, nullptr)});
        extra.append({QStringLiteral("word/_rels/") + name + QStringLiteral(".rels"), relationsPart(partRelations)});
        relations += QStringLiteral("<Relationship Id=\"rId%1\" Type=\"%2\" Target=\"%3\"/>")
                         .arg(QString::number(bit), QLatin1String(relation), name);
        overrides += QStringLiteral("<Override PartName=\"/word/%1\" ContentType=\"%2\"/>").arg(name, QLatin1String(type));
    };
    const int present = parts ? parts->present : 0;
    // The parts every page shows (1, 4), then the first page's (2, 8), which come in pairs.
    int written = 0;
    const bool titlePage = parts && parts->titlePage();
    for (const int bit : {1, 4, 2, 8}) {
        const bool header = bit == 1 || bit == 2;
        QTextDocument* source = !parts ? nullptr : bit == 1 || bit == 4 ? (present & bit ? parts->part(bit) : nullptr)
                                   : titlePage                   ? parts->onFirstPage(header)
                                                                 : nullptr;
        if (!source)
            continue;
        written |= bit;
        part(bit, source, QStringLiteral("%1%2.xml").arg(header ? QLatin1String("header") : QLatin1String("footer")).arg(bit),
             header ? "w:hdr" : "w:ftr", header ? HeaderType : FooterType, header ? HeaderRelation : FooterRelation);
    }

    PartWriter body(document, media, relations);
    const ListLevels::Table lists(document);
    if (!lists.isEmpty()) {
        body.m_lists = &lists;
        extra.append({QStringLiteral("word/numbering.xml"), DocxNumbering::write(lists)});
        relations += QStringLiteral("<Relationship Id=\"rIdNumbering\" Type=\"%1\" Target=\"numbering.xml\"/>")
                         .arg(QLatin1String(DocxNumbering::Relation));
        overrides += QStringLiteral("<Override PartName=\"/word/numbering.xml\" ContentType=\"%1\"/>")
                         .arg(QLatin1String(DocxNumbering::Type));
    }
    // The space between two paragraphs is the one's below and the other's above added, as this
    // program lays them out; without this setting, Word and LibreOffice take only the larger.
    extra.append({QStringLiteral("word/settings.xml"),
                  QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<w:settings xmlns:w=\"")
                      + DocxNames::W + "\"><w:compat><w:doNotUseHTMLParagraphAutoSpacing/></w:compat></w:settings>"});
    relations += QStringLiteral("<Relationship Id=\"rIdSettings\" Type=\"%1\" Target=\"settings.xml\"/>").arg(QLatin1String(SettingsRelation));
    overrides += QStringLiteral("<Override PartName=\"/word/settings.xml\" ContentType=\"%1\"/>").arg(QLatin1String(SettingsType));
    // The document's letters as the defaults every paragraph and run starts from: without them
    // Word takes 10 pt Times New Roman and LibreOffice 12 pt for what names no letters.
    extra.append({QStringLiteral("word/styles.xml"), defaultStyles(document->defaultFont())});
    relations += QStringLiteral("<Relationship Id=\"rIdStyles\" Type=\"%1\" Target=\"styles.xml\"/>").arg(QLatin1String(StylesRelation));
    overrides += QStringLiteral("<Override PartName=\"/word/styles.xml\" ContentType=\"%1\"/>").arg(QLatin1String(StylesType));
    const QByteArray xml = body.write("w:document", [&](QXmlStreamWriter& out) {
        out.writeStartElement(QStringLiteral("w:sectPr"));
        for (const auto& [bit, element, type] : {std::tuple{1, "w:headerReference", "default"}, std::tuple{2, "w:headerReference", "first"},
                                                 std::tuple{4, "w:footerReference", "default"}, std::tuple{8, "w:footerReference", "first"}})
            if (written & bit) {
                out.writeEmptyElement(QLatin1String(element));
                out.writeAttribute(QStringLiteral("w:type"), QLatin1String(type));
                out.writeAttribute(QStringLiteral("r:id"), QStringLiteral("rId%1").arg(bit));
            }
        const int width = page.width > 0 ? page.width : 12240;
        const int height = page.height > 0 ? page.height : 15840;
        out.writeEmptyElement(QStringLiteral("w:pgSz"));
        out.writeAttribute(QStringLiteral("w:w"), QString::number(width));
        out.writeAttribute(QStringLiteral("w:h"), QString::number(height));
        if (width > height)
            out.writeAttribute(QStringLiteral("w:orient"), QStringLiteral("landscape"));
        out.writeEmptyElement(QStringLiteral("w:pgMar"));
        out.writeAttribute(QStringLiteral("w:top"), QString::number(page.marginT > 0 ? page.marginT : 1440));
        out.writeAttribute(QStringLiteral("w:right"), QString::number(page.marginR > 0 ? page.marginR : 1440));
        out.writeAttribute(QStringLiteral("w:bottom"), QString::number(page.marginB > 0 ? page.marginB : 1440));
        out.writeAttribute(QStringLiteral("w:left"), QString::number(page.marginL > 0 ? page.marginL : 1440));
        out.writeAttribute(QStringLiteral("w:header"), QString::number(page.headerY > 0 ? page.headerY : 720));
        out.writeAttribute(QStringLiteral("w:footer"), QString::number(page.footerY > 0 ? page.footerY : 720));
        out.writeAttribute(QStringLiteral("w:gutter"), QStringLiteral("0"));
        if (titlePage)
            out.writeEmptyElement(QStringLiteral("w:titlePg"));
        out.writeEndElement();
    });

    const QByteArray types = QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                                               "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
                                               "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
                                               "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
                                               "<Default Extension=\"png\" ContentType=\"image/png\"/>"
                                               "<Override PartName=\"/word/document.xml\" ContentType=\"")
        + QByteArray(DocumentType) + "\"/>" + overrides.toUtf8() + "</Types>";
    const QByteArray packageRelations = relationsPart(
        QStringLiteral("<Relationship Id=\"rId1\" Type=\"%1\" Target=\"word/document.xml\"/>").arg(QLatin1String(DocumentRelation)));

    QList<QPair<QString, QByteArray>> package{{QStringLiteral("[Content_Types].xml"), types},
                                              {QStringLiteral("_rels/.rels"), packageRelations},
                                              {QStringLiteral("word/document.xml"), xml},
                                              {QStringLiteral("word/_rels/document.xml.rels"), relationsPart(relations)}};
    package += extra;
    package += media;
    return ZipPackage::write(package);
}

}  // namespace DocxWriter
