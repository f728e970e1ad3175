#include "docxreader.h"

#include "docxnumbering.h"
#include "docxsettings.h"

#include "docxnames.h"
#include "zippackage.h"

#include "components/textcontrol/document/endnotes.h"
#include "components/textcontrol/document/fields.h"
#include "components/textcontrol/document/keepwithnext.h"
#include "components/textcontrol/document/layoutunits.h"
#include "components/textcontrol/document/paragraphframes.h"
#include "components/textcontrol/document/tablebuilder.h"
#include "components/textcontrol/document/tableaders.h"
#include "components/textcontrol/document/tablegrid.h"

#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextTable>
#include <QUrl>
#include <QXmlStreamReader>
#include <memory>

namespace DocxReader {
namespace {

using LayoutUnits::fromTwips;
constexpr int MaxDepth = 64;
constexpr int MaxTableCells = 100'000;

struct Relationship {
    QString id;
    QString type;
    QString target;  // the part's name inside the package
    bool external;   // a target outside the package, never followed
};

// A part's relationships, from the .rels part beside it; the package's own for `part` "".
QList<Relationship> relationshipsOf(const QHash<QString, QByteArray>& package, const QString& part)
{
    const int slash = part.lastIndexOf(QLatin1Char('/'));
    const QString folder = part.left(slash + 1);
    QList<Relationship> list;
    QXmlStreamReader xml(package.value(folder + QStringLiteral("_rels/") + part.mid(slash + 1) + QStringLiteral(".rels")));
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement() || xml.name() != QLatin1String("Relationship"))
            continue;
        const QXmlStreamAttributes a = xml.attributes();
        const QString target = a.value(QLatin1String("Target")).toString();
        list.append({a.value(QLatin1String("Id")).toString(), a.value(QLatin1String("Type")).toString(),
                     target.startsWith(QLatin1Char('/')) ? target.mid(1) : folder + target,
                     a.value(QLatin1String("TargetMode")) == QLatin1String("External")});
    }
    return list;
}

// Resolves a part's relationships: id -> part name inside the package.
QHash<QString, QString> relationships(const QHash<QString, QByteArray>& package, const QString& part)
{
    QHash<QString, QString> targets;
    for (const Relationship& r : relationshipsOf(package, part))
        targets.insert(r.id, r.target);
    return targets;
}

// The first part that `part`'s relationships name with a type ending in `type`
// ("/footnotes"), transitional and Strict alike; external targets are never followed.
QString relatedPart(const QHash<QString, QByteArray>& package, const QString& part, QLatin1String type)
{
    for (const Relationship& r : relationshipsOf(package, part))
        if (r.type.endsWith(type) && !r.external)
            return r.target;
    return {};
}

// A length in twips; Strict documents may give it with a unit ("72pt", "2.54cm", "1in").
int twipsAttr(const QXmlStreamAttributes& a, const char* name, int fallback = 0)
{
    const QStringView text = a.value(QLatin1String("w:") + QLatin1String(name));
    bool ok = false;
    const int v = text.toInt(&ok);
    if (ok)
        return v;
    static const struct { const char* unit; double twips; } Units[] = {
        {"pt", 20}, {"in", 1440}, {"cm", 1440 / 2.54}, {"mm", 144 / 2.54}, {"pc", 240}, {"pi", 240}};
    for (const auto& u : Units)
        if (text.endsWith(QLatin1String(u.unit))) {
            const double number = text.chopped(2).toDouble(&ok);
            if (ok && std::abs(number) < 1e6)
                return qRound(number * u.twips);
        }
    return fallback;
}

// A font size in half points; Strict documents may give it with a unit ("12pt").
int halfPointsAttr(const QXmlStreamAttributes& a)
{
    const QStringView text = a.value(QLatin1String("w:val"));
    bool ok = false;
    const int v = text.toInt(&ok);
    return ok ? v : twipsAttr(a, "val") / 10;
}

bool isWordNamespace(QStringView uri)
{
    return uri == QLatin1String(DocxNames::W) || uri == QLatin1String(DocxNames::WStrict);
}

bool onOff(const QXmlStreamAttributes& a)
{
    const QStringView v = a.value(QLatin1String("w:val"));
    return v.isEmpty() || !(v == QLatin1String("0") || v == QLatin1String("false") || v == QLatin1String("off"));
}

QColor colour(QStringView hex)
{
    if (hex.size() != 6)
        return {};
    return QColor(QLatin1Char('#') + hex.toString());
}

// The styles of styles.xml: the document's defaults and each style's own formats, with its
// base; a style's formats are those of its bases with its own over them.
struct StyleSheet {
    struct Style {
        QString basedOn;
        QTextCharFormat chars;
        QTextBlockFormat block;
    };
    QTextCharFormat defaultChars;
    QTextBlockFormat defaultBlock;
    QHash<QString, Style> styles;
    QString defaultParagraph;      // the style of paragraphs that name none
    QString minorFont, majorFont;  // the theme's body and heading fonts

    QTextCharFormat chars(const QString& id) const { return resolved(id, &Style::chars); }
    QTextBlockFormat block(const QString& id) const { return resolved(id, &Style::block); }

private:
    template<typename Format>
    Format resolved(const QString& id, Format Style::*member, int depth = 0) const
    {
        const auto it = styles.constFind(id);
        if (it == styles.constEnd() || depth > MaxDepth)
            return {};
        Format f = resolved(it->basedOn, member, depth + 1);
        f.merge((*it).*member);
        return f;
    }
};

// The latin typefaces of the theme's minor (body) and major (heading) fonts.
void themeFonts(const QByteArray& theme, StyleSheet& sheet)
{
    QXmlStreamReader xml(theme);
    QString* target = nullptr;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("minorFont"))
            target = &sheet.minorFont;
        else if (xml.name() == QLatin1String("majorFont"))
            target = &sheet.majorFont;
        else if (xml.name() == QLatin1String("latin") && target && target->isEmpty())
            *target = xml.attributes().value(QLatin1String("typeface")).toString();
    }
}

// The footnotes and endnotes the body refers to, in the order of their marks.
struct NoteRef {
    QString id;
    QString mark;
};
using NoteList = QList<NoteRef>;
struct Notes {
    NoteList footnotes, endnotes;
};

class Part {
public:
    Part(const QHash<QString, QByteArray>& package, const QString& name, QTextDocument* images, int& nextField,
         const StyleSheet* styles = nullptr)
        : m_package(package), m_relations(relationships(package, name)), m_images(images), m_nextField(nextField),
          m_xml(package.value(name)), m_styles(styles)
    {
    }

    // Reads the part as styles.xml into `sheet`.
    void readStyles(StyleSheet& sheet)
    {
        m_styles = &sheet;  // theme fonts for the styles' own font names
        StyleSheet::Style* style = nullptr;
        bool defaults = false;
        while (!m_xml.atEnd()) {
            m_xml.readNext();
            if (m_xml.isEndElement() && is(u"docDefaults"))
                defaults = false;
            if (!m_xml.isStartElement())
                continue;
            if (is(u"docDefaults")) {
                defaults = true;
            } else if (is(u"style")) {
                const QXmlStreamAttributes a = m_xml.attributes();
                const QString id = a.value(QLatin1String("w:styleId")).toString();
                style = &sheet.styles[id];
                const QStringView isDefault = a.value(QLatin1String("w:default"));
                if ((isDefault == QLatin1String("1") || isDefault == QLatin1String("true") || isDefault == QLatin1String("on"))
                    && a.value(QLatin1String("w:type")) == QLatin1String("paragraph"))
                    sheet.defaultParagraph = id;
            } else if (is(u"basedOn") && style && !defaults) {
                style->basedOn = m_xml.attributes().value(QLatin1String("w:val")).toString();
            } else if (is(u"pPr") && (defaults || style)) {
                paragraphProperties(defaults ? sheet.defaultBlock : style->block);
            } else if (is(u"rPr") && (defaults || style)) {
                runProperties(defaults ? sheet.defaultChars : style->chars);
            } else if (is(u"tblPr") || is(u"tcPr") || is(u"trPr") || is(u"tblStylePr")) {
                m_xml.skipCurrentElement();
            }
        }
    }

    // Lists the marks of the footnotes and endnotes that read() meets in `notes`.
    void listNotes(Notes* notes) { m_notes = notes; }

    // Reads the part as footnotes.xml or endnotes.xml (`element` "footnote" or "endnote"):
    // the notes of `order` as paragraphs at `cursor`, in that order, each opening with its mark.
    void readNotes(QTextCursor& cursor, const QString& element, const NoteList& order, bool& first)
    {
        QHash<QString, QString> marks;
        for (const NoteRef& ref : order)
            marks.insert(ref.id, ref.mark);
        QHash<QString, std::shared_ptr<QTextDocument>> texts;
        while (!m_xml.atEnd()) {
            m_xml.readNext();
            if (!m_xml.isStartElement() || !is(element))
                continue;
            const QString id = m_xml.attributes().value(QLatin1String("w:id")).toString();
            if (!marks.contains(id) || texts.contains(id)) {
                m_xml.skipCurrentElement();
                continue;
            }
            auto text = std::make_shared<QTextDocument>();
            QTextCursor inner(text.get());
            m_noteMark = marks.value(id);
            blocks(inner, element, 0);
            texts.insert(id, text);
        }
        for (const NoteRef& ref : order)
            if (const auto text = texts.value(ref.id)) {
                if (!first)
                    cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
                first = false;
                cursor.insertFragment(QTextDocumentFragment(text.get()));
            }
    }

    // Reads the part's paragraphs and tables into `cursor`; `page` receives its section.
    bool read(QTextCursor& cursor, PageInfo* page, QHash<QString, QString>* headerFooter)
    {
        m_page = page;
        m_headerFooter = headerFooter;
        while (!m_xml.atEnd()) {
            m_xml.readNext();
            if (m_xml.isStartElement() && (is(u"body") || is(u"hdr") || is(u"ftr"))) {
                blocks(cursor, m_xml.name().toString(), 0);
                break;
            }
        }
        return !m_xml.hasError() || m_xml.error() == QXmlStreamReader::PrematureEndOfDocumentError;
    }

private:
    bool is(QStringView name) const { return m_xml.name() == name && isWordNamespace(m_xml.namespaceUri()); }

    bool isCompatibility(QStringView name) const
    {
        return m_xml.name() == name && m_xml.namespaceUri() == QLatin1String(DocxNames::MC);
    }

    // Inside mc:AlternateContent: the first choice's content through `content`, the fallbacks
    // (the same content for older readers) skipped.
    template<typename Content>
    void alternateContent(Content content)
    {
        bool taken = false;
        while (m_xml.readNextStartElement()) {
            if (!taken && (isCompatibility(u"Choice") || isCompatibility(u"Fallback"))) {
                taken = true;
                content();
            } else {
                m_xml.skipCurrentElement();
            }
        }
    }

    // Paragraphs and tables until the end of the element `end`.
    // `fresh`: the cursor's block is empty and waits for the next paragraph. Returns the same
    // for the block the cursor is left in.
    bool blocks(QTextCursor& cursor, const QString& end, int depth, bool fresh = true)
    {
        while (!m_xml.atEnd()) {
            m_xml.readNext();
            if (m_xml.isEndElement() && m_xml.name() == end)
                return fresh;
            if (!m_xml.isStartElement())
                continue;
            if (is(u"p")) {
                addParagraph(cursor, fresh, depth);
            } else if (is(u"tbl")) {
                if (depth < MaxDepth)
                    table(cursor, depth + 1);
                else
                    m_xml.skipCurrentElement();
                fresh = true;
            } else if (is(u"sectPr")) {
                QString kind;
                if (section(!m_sectionTaken, kind))
                    m_sectionTaken = true;
                sectionStarts(kind);
            } else if (is(u"tcPr") && m_cell) {
                cellProperties(*m_cell);
            } else if (isCompatibility(u"AlternateContent") && depth < MaxDepth) {
                alternateContent([&] { fresh = blocks(cursor, m_xml.name().toString(), depth + 1, fresh); });
            } else if (!isContainer()) {
                m_xml.skipCurrentElement();  // deletions, moved-away text, properties
            }
        }
        return fresh;
    }

    // A section's properties have ended it; `kind` says how it began: the page break before its
    // first paragraph goes when it began on the same page.
    void sectionStarts(const QString& kind)
    {
        if (kind == QLatin1String("continuous") && m_sectionStart >= 0) {
            QTextCursor start(m_images->findBlockByNumber(m_sectionStart));
            QTextBlockFormat f = start.blockFormat();
            f.clearProperty(QTextFormat::PageBreakPolicy);
            start.setBlockFormat(f);
        }
        m_sectionStart = -1;
    }

    // A paragraph, then the text boxes anchored in it as paragraphs of their own.
    void addParagraph(QTextCursor& cursor, bool& fresh, int depth)
    {
        if (!fresh)
            cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
        m_depth = depth;
        paragraph(cursor);
        fresh = false;
        std::vector<std::unique_ptr<QTextDocument>> boxes;
        boxes.swap(m_textBoxes);
        for (const auto& box : boxes) {
            cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
            cursor.insertFragment(QTextDocumentFragment(box.get()));
        }
    }

    // A section's properties; its page set-up and header and footer become the document's when
    // `apply`; `kind` receives how it begins. Returns whether it had a page set-up to give.
    bool section(bool apply, QString& kind)
    {
        bool given = false;
        while (m_xml.readNextStartElement()) {
            const QXmlStreamAttributes a = m_xml.attributes();
            if (is(u"type")) {
                kind = a.value(QLatin1String("w:val")).toString();
            } else if (apply && is(u"pgSz") && m_page) {
                given = true;
                m_page->width = twipsAttr(a, "w");
                m_page->height = twipsAttr(a, "h");
            } else if (apply && is(u"pgMar") && m_page) {
                given = true;
                m_page->marginT = std::abs(twipsAttr(a, "top"));
                m_page->marginB = std::abs(twipsAttr(a, "bottom"));
                m_page->marginL = twipsAttr(a, "left");
                m_page->marginR = twipsAttr(a, "right");
                m_page->headerY = twipsAttr(a, "header");
                m_page->footerY = twipsAttr(a, "footer");
            } else if (apply && (is(u"headerReference") || is(u"footerReference")) && m_headerFooter) {
                // The first page's and the even pages' parts go by their kind's name.
                const QString type = a.value(QLatin1String("w:type")).toString();
                const QString key = type == QLatin1String("even") || type == QLatin1String("first")
                    ? m_xml.name().toString() + QLatin1Char(':') + type
                    : m_xml.name().toString();
                m_headerFooter->insert(key, m_relations.value(a.value(QLatin1String("r:id")).toString()));
            } else if (apply && is(u"titlePg") && m_headerFooter) {
                const QStringView v = a.value(QLatin1String("w:val"));
                if (v != QLatin1String("false") && v != QLatin1String("0") && v != QLatin1String("off"))
                    m_headerFooter->insert(QStringLiteral("titlePg"), QStringLiteral("1"));
            }
            m_xml.skipCurrentElement();
        }
        return given;
    }

    void table(QTextCursor& cursor, int depth)
    {
        TableBuilder builder;
        int border = 0;  // twips of the widest line of the table or its cells
        while (m_xml.readNextStartElement()) {
            if (is(u"tblPr")) {
                while (m_xml.readNextStartElement()) {
                    if (is(u"tblBorders"))
                        border = std::max(border, widestBorder());
                    else if (is(u"tblCellMar"))
                        builder.setPadding(cellMargins());
                    else if (is(u"tblInd")) {
                        builder.setIndent(std::clamp(twipsAttr(m_xml.attributes(), "w"), -31680, 31680));
                        m_xml.skipCurrentElement();
                    } else
                        m_xml.skipCurrentElement();
                }
            } else if (is(u"tblGrid")) {
                QList<int> grid;
                while (m_xml.readNextStartElement()) {
                    if (is(u"gridCol"))
                        grid << twipsAttr(m_xml.attributes(), "w");
                    m_xml.skipCurrentElement();
                }
                builder.setGrid(grid);
            } else {
                rows(builder, depth);
            }
        }
        builder.setBorder(border);
        builder.insert(cursor);
    }

    // Rows, and the containers round them (content controls, custom XML, tracked insertions);
    // the current element is one of these.
    void rows(TableBuilder& builder, int depth)
    {
        if (is(u"tr")) {
            cells(builder, depth);
            builder.endRow();
        } else if (depth < MaxDepth && isContainer()) {
            while (m_xml.readNextStartElement())
                rows(builder, depth + 1);
        } else {
            m_xml.skipCurrentElement();
        }
    }

    void cells(TableBuilder& builder, int depth)
    {
        while (m_xml.readNextStartElement()) {
            if (is(u"tc") && builder.cellCount() < MaxTableCells) {
                TableBuilder::Cell* outer = m_cell;
                m_cell = &builder.addCell();
                QTextCursor inner(m_cell->content.get());
                blocks(inner, QStringLiteral("tc"), depth);
                m_cell = outer;
            } else if (is(u"trPr")) {
                rowProperties(builder);
            } else if (depth < MaxDepth && isContainer()) {
                cells(builder, depth + 1);
            } else {
                m_xml.skipCurrentElement();
            }
        }
    }

    // Elements whose content counts as if they were not there.
    bool isContainer() const
    {
        return is(u"sdt") || is(u"sdtContent") || is(u"customXml") || is(u"ins") || is(u"moveTo") || is(u"smartTag");
    }

    // A row's height: w:trHeight, at least its value unless its rule says exactly or automatic.
    void rowProperties(TableBuilder& builder)
    {
        while (m_xml.readNextStartElement()) {
            if (is(u"trHeight")) {
                const QXmlStreamAttributes a = m_xml.attributes();
                const QStringView rule = a.value(QLatin1String("w:hRule"));
                const int twips = std::clamp(twipsAttr(a, "val"), 0, 31680);
                builder.setRowHeight(rule == QLatin1String("exact") ? -twips : rule == QLatin1String("auto") ? 0 : twips);
            }
            m_xml.skipCurrentElement();
        }
    }

    void cellProperties(TableBuilder::Cell& cell)
    {
        while (m_xml.readNextStartElement()) {
            const QXmlStreamAttributes a = m_xml.attributes();
            if (is(u"gridSpan"))
                cell.span = std::clamp(twipsAttr(a, "val", 1), 1, 63);
            else if (is(u"vMerge"))
                cell.continues = a.value(QLatin1String("w:val")) != QLatin1String("restart");
            else if (is(u"shd"))
                cell.shading = colour(a.value(QLatin1String("w:fill")));
            else if (is(u"vAlign")) {
                const QStringView v = a.value(QLatin1String("w:val"));
                cell.align = v == QLatin1String("center") ? QTextCharFormat::AlignMiddle
                    : v == QLatin1String("bottom")        ? QTextCharFormat::AlignBottom
                                                          : QTextCharFormat::AlignTop;
            }
            else if (is(u"tcBorders")) {
                cell.border = widestBorder();
                continue;
            } else if (is(u"tcMar")) {
                cell.padding = cellMargins();
                continue;
            }
            m_xml.skipCurrentElement();
        }
    }

    // The sides of a cell margin element (w:tblCellMar, w:tcMar) in twips; the reader is left
    // after the element.
    CellGeometry::Padding cellMargins()
    {
        CellGeometry::Padding padding;
        while (m_xml.readNextStartElement()) {
            const int twips = std::clamp(twipsAttr(m_xml.attributes(), "w"), 0, 2000);
            if (is(u"left") || is(u"start"))
                padding.left = twips;
            else if (is(u"right") || is(u"end"))
                padding.right = twips;
            else if (is(u"top"))
                padding.top = twips;
            else if (is(u"bottom"))
                padding.bottom = twips;
            m_xml.skipCurrentElement();
        }
        return padding;
    }

    // The widest line among the sides of a border element (w:sz in eighths of a point); the
    // reader is left after the element.
    int widestBorder()
    {
        int widest = 0;
        while (m_xml.readNextStartElement()) {
            const QXmlStreamAttributes a = m_xml.attributes();
            const QStringView v = a.value(QLatin1String("w:val"));
            if (!v.isEmpty() && v != QLatin1String("nil") && v != QLatin1String("none")) {
                widest = std::max(widest, TableGrid::lineFromEighths(twipsAttr(a, "sz", 4)));
            }
            m_xml.skipCurrentElement();
        }
        return widest;
    }

    // A paragraph; a page break inside it splits it, the rest starting the next page.
    void paragraph(QTextCursor& cursor)
    {
        m_paragraphStyle.clear();
        m_runBase = baseFormat();
        QTextBlockFormat block;
        const int first = cursor.blockNumber();
        m_breaks.clear();
        if (m_pageBreak)
            m_breaks.insert(first);
        if (m_sectionBreak)
            m_sectionStart = first;
        m_pageBreak = m_sectionBreak = false;
        inlineContent(cursor, block, 0);
        if (cursor.blockNumber() > first && m_breaks.contains(cursor.blockNumber()) && cursor.block().length() == 1) {
            // A break at the paragraph's end: the next paragraph starts the page.
            m_breaks.remove(cursor.blockNumber());
            cursor.deletePreviousChar();
            m_pageBreak = true;
        }
        // The paragraph's own properties over its style's, over the document's defaults.
        QTextBlockFormat styled = m_styles ? m_styles->defaultBlock : QTextBlockFormat();
        if (m_styles)
            styled.merge(m_styles->block(paragraphStyle()));
        styled.merge(block);
        const int last = cursor.blockNumber();
        for (QTextBlock b = cursor.document()->findBlockByNumber(first); b.isValid() && b.blockNumber() <= last;
             b = b.next()) {
            QTextBlockFormat f = styled;
            if (m_breaks.contains(b.blockNumber()))
                f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            else if (b.blockNumber() != first)
                f.clearProperty(QTextFormat::PageBreakPolicy);
            QTextCursor(b).setBlockFormat(f);
            // An empty paragraph is as high as the document's text, not as the program's font.
            // (Its mark's own letters, w:pPr/w:rPr, are left: LibreOffice sets other programs'
            // empty paragraphs closer without them.)
            if (b.length() == 1)
                QTextCursor(b).setBlockCharFormat(m_runBase);
        }
    }

    // A page (or column) break inside a paragraph, as other word processors show it: before any
    // text it breaks before the paragraph (breaks in a row count once; at the very start of the
    // document it leaves an empty first page), else the paragraph goes on on the next page.
    void pageBreak(QTextCursor& cursor)
    {
        if (cursor.positionInBlock() == 0 && !(cursor.blockNumber() == 0 && cursor.document() == m_images)) {
            m_breaks.insert(cursor.blockNumber());
            return;
        }
        cursor.insertBlock(cursor.blockFormat(), cursor.charFormat());
        m_breaks.insert(cursor.blockNumber());
    }

    // The text of a text box (or a shape), read at its place in the XML and put in as
    // paragraphs after the paragraph that anchors it.
    void textBox()
    {
        auto box = std::make_unique<QTextDocument>();
        QTextCursor cursor(box.get());
        const auto saved = std::tuple(m_paragraphStyle, m_runBase, m_breaks, m_pageBreak, m_sectionBreak, m_field,
                                      m_instruction, m_fieldStart, m_checkBox);
        auto outerBoxes = std::move(m_textBoxes);
        m_textBoxes.clear();
        m_field = FieldState::None;
        if (m_depth < MaxDepth) {
            const int depth = m_depth;
            blocks(cursor, m_xml.name().toString(), depth + 1);
            m_depth = depth;
        } else {
            m_xml.skipCurrentElement();
        }
        std::tie(m_paragraphStyle, m_runBase, m_breaks, m_pageBreak, m_sectionBreak, m_field, m_instruction, m_fieldStart,
                 m_checkBox) = saved;
        // Boxes inside boxes follow their box.
        auto inner = std::move(m_textBoxes);
        m_textBoxes = std::move(outerBoxes);
        if (!box->isEmpty())
            m_textBoxes.push_back(std::move(box));
        for (auto& b : inner)
            m_textBoxes.push_back(std::move(b));
    }

    // A run's format before its own properties: the defaults and the paragraph style's.
    QTextCharFormat baseFormat() const
    {
        if (!m_styles)
            return {};
        QTextCharFormat f = m_styles->defaultChars;
        f.merge(m_styles->chars(paragraphStyle()));
        return f;
    }

    QString paragraphStyle() const
    {
        return m_paragraphStyle.isEmpty() && m_styles ? m_styles->defaultParagraph : m_paragraphStyle;
    }

    // Runs, fields and the containers round them (hyperlinks, insertions, smart tags).
    void inlineContent(QTextCursor& cursor, QTextBlockFormat& block, int depth)
    {
        while (m_xml.readNextStartElement()) {
            if (is(u"pPr")) {
                paragraphProperties(block);
                m_runBase = baseFormat();  // the paragraph style is known now
            }
            else if (is(u"r"))
                run(cursor);
            else if (is(u"fldSimple")) {
                const QString instruction = m_xml.attributes().value(QLatin1String("w:instr")).toString();
                const int start = cursor.position();
                inlineContent(cursor, block, depth + 1);
                markField(cursor, start, instruction);
            } else if (depth < MaxDepth && (isContainer() || is(u"hyperlink") || is(u"dir") || is(u"bdo"))) {
                inlineContent(cursor, block, depth + 1);
            } else if (depth < MaxDepth && isCompatibility(u"AlternateContent")) {
                alternateContent([&] { inlineContent(cursor, block, depth + 1); });
            } else {
                m_xml.skipCurrentElement();
            }
        }
    }

    // Turns the text from `start` to the cursor into a field, or leaves it as text.
    void markField(QTextCursor& cursor, int start, const QString& instruction)
    {
        if (Fields::markInstruction(cursor, start, instruction, m_nextField, cursor.charFormat()))
            ++m_nextField;
    }

    void paragraphProperties(QTextBlockFormat& f)
    {
        while (m_xml.readNextStartElement()) {
            const QXmlStreamAttributes a = m_xml.attributes();
            if (is(u"jc")) {
                const QStringView v = a.value(QLatin1String("w:val"));
                f.setAlignment(v == QLatin1String("center") ? Qt::AlignHCenter
                               : v == QLatin1String("right") || v == QLatin1String("end") ? Qt::AlignRight
                               : v == QLatin1String("both") || v == QLatin1String("distribute") ? Qt::AlignJustify
                                                                                                 : Qt::AlignLeft);
            } else if (is(u"pStyle")) {
                m_paragraphStyle = a.value(QLatin1String("w:val")).toString();
            } else if (is(u"ind")) {
                // Only what the element names: a style's other indents stay.
                auto has = [&](const char* name) { return a.hasAttribute(QLatin1String("w:") + QLatin1String(name)); };
                if (has("left") || has("start"))
                    f.setLeftMargin(fromTwips(std::clamp(twipsAttr(a, "left", twipsAttr(a, "start")), -31680, 31680)));
                if (has("right") || has("end"))
                    f.setRightMargin(fromTwips(std::clamp(twipsAttr(a, "right", twipsAttr(a, "end")), -31680, 31680)));
                if (has("hanging") || has("firstLine")) {
                    const int hanging = twipsAttr(a, "hanging");
                    f.setTextIndent(fromTwips(std::clamp(hanging ? -hanging : twipsAttr(a, "firstLine"), -31680, 31680)));
                }
            } else if (is(u"spacing")) {
                if (a.hasAttribute(QLatin1String("w:before")))
                    f.setTopMargin(fromTwips(std::clamp(twipsAttr(a, "before"), 0, 31680)));
                if (a.hasAttribute(QLatin1String("w:after")))
                    f.setBottomMargin(fromTwips(std::clamp(twipsAttr(a, "after"), 0, 31680)));
                const int line = twipsAttr(a, "line");
                const QStringView rule = a.value(QLatin1String("w:lineRule"));
                if (line > 0 && line < 31680) {
                    if (rule == QLatin1String("exact"))
                        f.setLineHeight(fromTwips(line), QTextBlockFormat::FixedHeight);
                    else if (rule == QLatin1String("atLeast"))
                        f.setLineHeight(fromTwips(line), QTextBlockFormat::MinimumHeight);
                    else
                        f.setLineHeight(line * 100.0 / 240.0, QTextBlockFormat::ProportionalHeight);
                }
            } else if (is(u"pageBreakBefore")) {
                if (onOff(a))
                    f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            } else if (is(u"keepNext")) {
                KeepWithNext::set(f, onOff(a));
            } else if (is(u"keepLines")) {
                f.setNonBreakableLines(onOff(a));
            } else if (is(u"tabs")) {
                QList<QTextOption::Tab> tabs;
                QString leaders;
                while (m_xml.readNextStartElement()) {
                    const QXmlStreamAttributes t = m_xml.attributes();
                    const QStringView v = t.value(QLatin1String("w:val"));
                    if (v != QLatin1String("clear") && tabs.size() < 64) {
                        leaders += DocxNames::leader(t.value(QLatin1String("w:leader")));
                        // A decimal tab lines numbers up on their point, as the RTF reader's do.
                        tabs << QTextOption::Tab(fromTwips(std::clamp(twipsAttr(t, "pos"), 0, 31680)),
                                                 v == QLatin1String("right") ? QTextOption::RightTab
                                                 : v == QLatin1String("center") ? QTextOption::CenterTab
                                                 : v == QLatin1String("decimal") ? QTextOption::DelimiterTab
                                                                                 : QTextOption::LeftTab,
                                                 v == QLatin1String("decimal") ? QChar(u'.') : QChar());
                    }
                    m_xml.skipCurrentElement();
                }
                f.setTabPositions(tabs);
                for (qsizetype i = 0; i < tabs.size(); ++i)
                    TabLeaders::set(f, tabs.at(i).position, leaders.at(i));
                continue;
            } else if (is(u"pBdr")) {
                borders(f);
                continue;
            } else if (is(u"numPr")) {
                while (m_xml.readNextStartElement()) {
                    const QString value = m_xml.attributes().value(QLatin1String("w:val")).toString();
                    if (is(u"ilvl"))
                        f.setProperty(ListLevels::ReadLevelProperty, std::clamp(value.toInt(), 0, ListLevels::Count - 1));
                    else if (is(u"numId"))
                        f.setProperty(ListLevels::ReadGroupProperty, DocxNumbering::groupKey(value));
                    m_xml.skipCurrentElement();
                }
                continue;
            } else if (is(u"sectPr")) {
                // The end of a section: the first section's page set-up is the document's, and
                // every section but a continuous one starts a new page.
                QString kind;
                if (section(!m_sectionTaken, kind))
                    m_sectionTaken = true;
                sectionStarts(kind);
                m_pageBreak = m_sectionBreak = true;
                continue;
            }
            m_xml.skipCurrentElement();
        }
    }

    void borders(QTextBlockFormat& f)
    {
        using namespace ParagraphFrames;
        int style = 0, width = DefaultLineWidth, space = 0;
        while (m_xml.readNextStartElement()) {
            const QXmlStreamAttributes a = m_xml.attributes();
            const QStringView v = a.value(QLatin1String("w:val"));
            const int side = is(u"top") ? Top : is(u"bottom") ? Bottom : is(u"left") || is(u"start") ? Left
                : is(u"right") || is(u"end")                                           ? Right
                                                                                       : 0;
            if (side && !v.isEmpty() && v != QLatin1String("nil") && v != QLatin1String("none")) {
                style |= side;
                if (v == QLatin1String("double"))
                    style |= DoubleLines;
                width = std::clamp(twipsAttr(a, "sz", 4) * 20 / 8, 1, 240);
                space = std::clamp(twipsAttr(a, "space") * 20, 0, 1440);
            }
            m_xml.skipCurrentElement();
        }
        if (style) {
            f.setProperty(StyleProperty, style | Connected);
            f.setProperty(LineWidthProperty, width);
            f.setProperty(DistanceProperty, space);
        }
    }

    // Sets what an rPr element names on `f`; a character style first, then the run's own.
    void runProperties(QTextCharFormat& f)
    {
        while (m_xml.readNextStartElement()) {
            const QXmlStreamAttributes a = m_xml.attributes();
            if (is(u"rStyle") && m_styles) {
                f.merge(m_styles->chars(a.value(QLatin1String("w:val")).toString()));
            } else if (is(u"rFonts")) {
                QString family = a.value(QLatin1String("w:ascii")).toString();
                const QStringView theme = a.value(QLatin1String("w:asciiTheme"));
                if (family.isEmpty() && m_styles && !theme.isEmpty())
                    family = theme.startsWith(QLatin1String("major")) ? m_styles->majorFont : m_styles->minorFont;
                if (!family.isEmpty())
                    f.setFontFamilies({family});
            } else if (is(u"b")) {
                f.setFontWeight(onOff(a) ? QFont::Bold : QFont::Normal);
            } else if (is(u"i")) {
                f.setFontItalic(onOff(a));
            } else if (is(u"strike") || is(u"dstrike")) {
                f.setFontStrikeOut(onOff(a));
            } else if (is(u"u")) {
                const QStringView v = a.value(QLatin1String("w:val"));
                if (v == QLatin1String("none") || v.isEmpty()) {
                    f.setUnderlineStyle(QTextCharFormat::NoUnderline);
                } else {
                    f.setUnderlineStyle(v == QLatin1String("dotted") ? QTextCharFormat::DotLine
                                        : v.startsWith(QLatin1String("dash")) ? QTextCharFormat::DashUnderline
                                        : v.startsWith(QLatin1String("wav")) ? QTextCharFormat::WaveUnderline
                                                                              : QTextCharFormat::SingleUnderline);
                    if (v == QLatin1String("double"))
                        f.setProperty(QTextFormat::UserProperty + 20, 2);
                }
            } else if (is(u"sz")) {
                const int half = halfPointsAttr(a);
                if (half > 0 && half < 3200)
                    f.setFontPointSize(half / 2.0);
            } else if (is(u"color")) {
                const QColor c = colour(a.value(QLatin1String("w:val")));
                if (c.isValid())
                    f.setForeground(c);
            } else if (is(u"shd")) {
                const QColor c = colour(a.value(QLatin1String("w:fill")));
                if (c.isValid())
                    f.setBackground(c);
            } else if (is(u"highlight")) {
                const QColor c(a.value(QLatin1String("w:val")).toString());
                if (c.isValid())
                    f.setBackground(c);
            } else if (is(u"vertAlign")) {
                const QStringView v = a.value(QLatin1String("w:val"));
                f.setVerticalAlignment(v == QLatin1String("superscript") ? QTextCharFormat::AlignSuperScript
                                       : v == QLatin1String("subscript") ? QTextCharFormat::AlignSubScript
                                                                         : QTextCharFormat::AlignNormal);
            }
            m_xml.skipCurrentElement();
        }
    }

    void run(QTextCursor& cursor)
    {
        QTextCharFormat format = m_runBase;
        while (m_xml.readNextStartElement())
            runContent(cursor, format);
    }

    // One element of a run; reads it to its end.
    void runContent(QTextCursor& cursor, QTextCharFormat& format)
    {
        if (is(u"rPr")) {
            runProperties(format);
        } else if (is(u"t")) {
            const QString text = m_xml.readElementText(QXmlStreamReader::SkipChildElements);
            if (m_field == FieldState::Instruction)
                m_instruction += text;
            else
                cursor.insertText(text, format);
        } else if (is(u"instrText")) {
            m_instruction += m_xml.readElementText(QXmlStreamReader::SkipChildElements);
        } else if (is(u"fldChar")) {
            fieldCharacter(cursor, format);
        } else if (is(u"drawing") || m_xml.name() == QLatin1String("pict") || m_xml.name() == QLatin1String("object")) {
            picture(cursor);
        } else if (isCompatibility(u"AlternateContent")) {
            alternateContent([&] {
                while (m_xml.readNextStartElement())
                    runContent(cursor, format);
            });
        } else if (is(u"footnoteReference") || is(u"endnoteReference")) {
            noteReference(cursor, format);
        } else if (is(u"footnoteRef") || is(u"endnoteRef")) {
            if (!m_noteMark.isEmpty())
                cursor.insertText(m_noteMark, EndNotes::markFormat(format));
            m_xml.skipCurrentElement();
        } else {
            const QXmlStreamAttributes a = m_xml.attributes();
            if (is(u"tab") || is(u"ptab")) {
                cursor.insertText(QStringLiteral("\t"), format);
            } else if (is(u"br") || is(u"cr")) {
                const QStringView kind = a.value(QLatin1String("w:type"));
                if (kind == QLatin1String("page") || kind == QLatin1String("column"))
                    pageBreak(cursor);
                else
                    cursor.insertText(QString(QChar::LineSeparator), format);
            } else if (is(u"sym")) {
                symbol(cursor, format, a);
            } else if (is(u"noBreakHyphen")) {
                cursor.insertText(QString(QChar(0x2011)), format);
            } else if (is(u"softHyphen")) {
                cursor.insertText(QString(QChar(0x00AD)), format);
            }
            m_xml.skipCurrentElement();
        }
    }

    void fieldCharacter(QTextCursor& cursor, const QTextCharFormat& format)
    {
        const QStringView kind = m_xml.attributes().value(QLatin1String("w:fldCharType"));
        if (kind == QLatin1String("begin")) {
            m_field = FieldState::Instruction;
            m_instruction.clear();
            m_fieldStart = cursor.position();
            m_checkBox = formCheckBox();
            return;
        }
        if (kind == QLatin1String("separate")) {
            m_field = FieldState::Result;
            m_fieldStart = cursor.position();
        } else if (kind == QLatin1String("end") && m_field != FieldState::None) {
            // A form check box has no result text: its state is shown as a ballot box.
            if (m_checkBox >= 0 && cursor.position() == m_fieldStart
                && m_instruction.trimmed().startsWith(QLatin1String("FORMCHECKBOX")))
                cursor.insertText(QString(QChar(m_checkBox ? 0x2612 : 0x2610)), format);
            markField(cursor, m_fieldStart, m_instruction);
            m_field = FieldState::None;
        }
        m_xml.skipCurrentElement();
    }

    // Inside a field's beginning: the check box of its form field data, -1 when it has none,
    // else whether it is checked.
    int formCheckBox()
    {
        int state = -1;
        int depth = 1;
        while (depth > 0 && !m_xml.atEnd()) {
            m_xml.readNext();
            if (m_xml.isEndElement()) {
                --depth;
                continue;
            }
            if (!m_xml.isStartElement())
                continue;
            ++depth;
            if (is(u"checkBox") && state < 0)
                state = 0;
            else if ((is(u"default") || is(u"checked")) && state >= 0)
                state = onOff(m_xml.attributes()) ? 1 : 0;
        }
        return state;
    }

    // A footnote or endnote mark: its number as a superscript; the note's text comes at the end
    // of the document.
    void noteReference(QTextCursor& cursor, const QTextCharFormat& format)
    {
        const QXmlStreamAttributes a = m_xml.attributes();
        const bool footnote = m_xml.name() == QLatin1String("footnoteReference");
        if (m_notes) {
            NoteList& list = footnote ? m_notes->footnotes : m_notes->endnotes;
            const int n = int(list.size()) + 1;
            const QString mark = footnote ? EndNotes::footnoteMark(n) : EndNotes::endnoteMark(n);
            list.append({a.value(QLatin1String("w:id")).toString(), mark});
            const QStringView custom = a.value(QLatin1String("w:customMarkFollows"));
            if (custom.isEmpty() || custom == QLatin1String("0") || custom == QLatin1String("false"))
                cursor.insertText(mark, EndNotes::markFormat(format));
        }
        m_xml.skipCurrentElement();
    }

    // A symbol character; the code points of symbol fonts are moved down from the private area.
    static void symbol(QTextCursor& cursor, QTextCharFormat format, const QXmlStreamAttributes& a)
    {
        bool ok = false;
        uint code = a.value(QLatin1String("w:char")).toUInt(&ok, 16);
        if (!ok || code == 0 || code > 0xFFFF)
            return;
        if (code >= 0xF000)
            code -= 0xF000;
        const QString font = a.value(QLatin1String("w:font")).toString();
        if (!font.isEmpty())
            format.setFontFamilies({font});
        if (QChar(code).isPrint())
            cursor.insertText(QString(QChar(code)), format);
    }

    // The first picture inside a drawing: its embedded part and its size on the page.
    void picture(QTextCursor& cursor)
    {
        QString id;
        double width = 0, height = 0;
        const qint64 depth0 = 1;
        qint64 depth = depth0;
        while (depth > 0 && !m_xml.atEnd()) {
            m_xml.readNext();
            if (m_xml.isStartElement() && is(u"txbxContent")) {
                textBox();  // reads to the box's end
            } else if (m_xml.isStartElement()) {
                ++depth;
                const QXmlStreamAttributes a = m_xml.attributes();
                if (m_xml.name() == QLatin1String("extent") && width == 0) {
                    width = a.value(QLatin1String("cx")).toDouble() / DocxNames::EmuPerUnit;
                    height = a.value(QLatin1String("cy")).toDouble() / DocxNames::EmuPerUnit;
                } else if (m_xml.name() == QLatin1String("blip") && id.isEmpty()) {
                    id = a.value(QLatin1String("r:embed")).toString();
                }
            } else if (m_xml.isEndElement()) {
                --depth;
            }
        }
        const QString part = m_relations.value(id);
        QImage image;
        if (!part.isEmpty())
            image.loadFromData(m_package.value(part));
        if (image.isNull())
            return;
        const QString name = QStringLiteral("docx-") + part;
        m_images->addResource(QTextDocument::ImageResource, QUrl(name), image);
        if (cursor.document() != m_images)
            cursor.document()->addResource(QTextDocument::ImageResource, QUrl(name), image);
        QTextImageFormat format;
        format.setName(name);
        format.setWidth(width > 0 ? std::min(width, 5000.0) : image.width());
        format.setHeight(height > 0 ? std::min(height, 5000.0) : image.height());
        cursor.insertImage(format);
    }

    enum class FieldState { None, Instruction, Result };

    const QHash<QString, QByteArray>& m_package;
    QHash<QString, QString> m_relations;
    QTextDocument* m_images;
    int& m_nextField;
    QXmlStreamReader m_xml;
    const StyleSheet* m_styles;
    QString m_paragraphStyle;
    QTextCharFormat m_runBase;  // baseFormat() of the paragraph being read
    PageInfo* m_page = nullptr;
    QHash<QString, QString>* m_headerFooter = nullptr;
    bool m_sectionTaken = false;   // the first section's page set-up is read
    bool m_pageBreak = false;      // the next paragraph starts a page
    bool m_sectionBreak = false;   // ... and a section
    int m_sectionStart = -1;       // the block that starts the section being read, after a break
    QSet<int> m_breaks;            // blocks of the paragraph being read that start a page
    std::vector<std::unique_ptr<QTextDocument>> m_textBoxes;  // to follow the paragraph
    int m_depth = 0;               // of the blocks being read
    TableBuilder::Cell* m_cell = nullptr;  // the table cell being read
    FieldState m_field = FieldState::None;
    QString m_instruction;
    int m_fieldStart = 0;
    int m_checkBox = -1;           // the field's check box: -1 none, 0 clear, 1 checked
    Notes* m_notes = nullptr;      // where the marks of the body's notes are listed
    QString m_noteMark;            // the mark of the note being read
};

// The package's main part, as its relationships name it.
QString mainPart(const QHash<QString, QByteArray>& package)
{
    const QString main = relatedPart(package, QString(), QLatin1String("/officeDocument"));
    return main.isEmpty() ? QStringLiteral("word/document.xml") : main;
}

// The notes the body refers to, after its end under a short rule: footnotes, then endnotes.
void appendNotes(const QHash<QString, QByteArray>& package, const QString& main, QTextDocument* document,
                 int& nextField, const StyleSheet& styles, const Notes& notes, QTextCursor& cursor)
{
    if (notes.footnotes.isEmpty() && notes.endnotes.isEmpty())
        return;
    EndNotes::begin(cursor);
    bool first = true;
    const struct { const char* type; const char* element; const NoteList& list; } Kinds[] = {
        {"/footnotes", "footnote", notes.footnotes}, {"/endnotes", "endnote", notes.endnotes}};
    for (const auto& kind : Kinds) {
        const QString name = relatedPart(package, main, QLatin1String(kind.type));
        if (kind.list.isEmpty() || name.isEmpty() || !package.contains(name))
            continue;
        Part part(package, name, document, nextField, &styles);
        part.readNotes(cursor, QLatin1String(kind.element), kind.list, first);
    }
}

// The even pages' own headers and footers, which the engine has no place for, and the first
// page's where the section does not show them, kept after the body where they differ from the
// parts every page shows.
void keepOtherParts(const QHash<QString, QByteArray>& package, const QHash<QString, QString>& headerFooter,
                    QTextDocument* document, int& nextField, const StyleSheet& styles, const DocumentParts* parts,
                    bool ruled)
{
    std::vector<std::unique_ptr<QTextDocument>> read;
    QList<const QTextDocument*> others;
    QList<const char*> keys{"headerReference:even", "footerReference:even"};
    if (!headerFooter.contains(QStringLiteral("titlePg")) || !parts->firstHeader || !parts->firstFooter)
        keys = QList<const char*>{"headerReference:first", "footerReference:first"} + keys;
    for (const char* key : keys) {
        const QString name = headerFooter.value(QLatin1String(key));
        if (name.isEmpty() || !package.contains(name))
            continue;
        read.push_back(std::make_unique<QTextDocument>());
        QTextCursor at(read.back().get());
        Part part(package, name, read.back().get(), nextField, &styles);
        if (part.read(at, nullptr, nullptr))
            others << read.back().get();
    }
    EndNotes::keepParts(document, others, {parts->header, parts->footer}, ruled);
}

}  // namespace

bool read(const QByteArray& bytes, QTextDocument* document, PageInfo& page, DocumentParts* parts)
{
    QHash<QString, QByteArray> package;
    if (!ZipPackage::read(bytes, package))
        return false;
    const QString main = mainPart(package);
    if (!package.contains(main))
        return false;
    int nextField = 1;
    StyleSheet styles;
    themeFonts(package.value(QStringLiteral("word/theme/theme1.xml")), styles);
    Part(package, QStringLiteral("word/styles.xml"), document, nextField).readStyles(styles);
    QHash<QString, QString> headerFooter;
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    Part body(package, main, document, nextField, &styles);
    Notes notes;
    body.listNotes(&notes);
    const bool ok = body.read(cursor, &page, &headerFooter);
    if (ok)
        appendNotes(package, main, document, nextField, styles, notes, cursor);
    const QString numbering = relatedPart(package, main, QLatin1String("/numbering"));
    const ListLevels::Definitions lists = DocxNumbering::read(package.value(numbering));
    ListLevels::attachReadLists(document, lists);
    const bool collapses = DocxSettings::spacingCollapses(package.value(relatedPart(package, main, QLatin1String("/settings"))));
    if (ok && collapses)
        DocxSettings::collapseSpacing(document);
    cursor.endEditBlock();
    if (!ok)
        return false;
    if (parts) {
        parts->present = 0;
        // The first page's own parts count where the section shows them, empty or not.
        const bool titlePage = headerFooter.contains(QStringLiteral("titlePg")) && parts->firstHeader && parts->firstFooter;
        if (titlePage)
            parts->present |= (parts->firstHeader ? 2 : 0) | (parts->firstFooter ? 8 : 0);
        const struct { const char* element; int bit; QTextDocument* target; } Targets[] = {
            {"headerReference", 1, parts->header}, {"footerReference", 4, parts->footer},
            {"headerReference:first", 2, titlePage ? parts->firstHeader : nullptr},
            {"footerReference:first", 8, titlePage ? parts->firstFooter : nullptr}};
        for (const auto& t : Targets) {
            const QString name = headerFooter.value(QLatin1String(t.element));
            if (name.isEmpty() || !t.target || !package.contains(name))
                continue;
            QTextCursor partCursor(t.target);
            Part part(package, name, t.target, nextField, &styles);
            if (part.read(partCursor, nullptr, nullptr))
                parts->present |= t.bit;
            if (collapses)
                DocxSettings::collapseSpacing(t.target);
            ListLevels::attachReadLists(t.target, lists);
        }
        keepOtherParts(package, headerFooter, document, nextField, styles, parts,
                       !notes.footnotes.isEmpty() || !notes.endnotes.isEmpty());
    }
    return true;
}

}  // namespace DocxReader
