#include "rtfreader.h"

#include "codepages.h"
#include "components/textcontrol/document/bulktext.h"
#include "components/textcontrol/document/cellgeometry.h"
#include "components/textcontrol/document/endnotes.h"
#include "components/textcontrol/document/documentwalk.h"
#include "components/textcontrol/document/fields.h"
#include "components/textcontrol/document/keepwithnext.h"
#include "components/textcontrol/document/layoutunits.h"
#include "components/textcontrol/document/objects.h"
#include "components/textcontrol/document/paragraphframes.h"
#include "components/textcontrol/document/tableaders.h"
#include "components/textcontrol/document/tablegrid.h"
#include "rtflists.h"
#include "rtfpicture.h"

#include <QHash>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextFrame>
#include <QTextTable>
#include <QUrl>

#include <array>
#include <cstring>
#include <vector>

namespace RtfReader {
namespace {

// Deeper groups are read flat: their character and paragraph formats are those of the group at
// this depth and last until it ends; only where their text goes, and whether it is hidden, end
// with each of them.
constexpr int MaxDepth = 4096;

enum class Dest { Text, FontTable, ColorTable, Skip, Pict, FieldInst, Note };

struct CharState {
    int font = -1;
    int halfPoints = 24;
    bool bold = false, italic = false, strike = false, hidden = false, caps = false;
    int underline = 0;  // 0 none, 1 single, 2 double, 3 dotted, 4 dash, 5 wave, 6 words
    int vertical = 0;   // 1 superscript, 2 subscript
    int fg = 0, bg = 0;  // colour table indexes; 0 = automatic
    bool operator==(const CharState&) const = default;
};

// What a run's character format is made of: its state, and the merge field it belongs to.
struct RunKey {
    CharState chr;
    int field = 0;  // the id of the merge field the run is the result of, 0 none
    bool operator==(const RunKey&) const = default;
};

// A run's format, and the number the document being read keeps it under once it has one.
struct RunFormat {
    QTextCharFormat format;
    int index = -1;
};

size_t qHash(const RunKey& k, size_t seed = 0)
{
    const CharState& c = k.chr;
    return qHashMulti(seed, c.font, c.halfPoints, c.bold, c.italic, c.strike, c.hidden, c.caps, c.underline,
                      c.vertical, c.fg, c.bg, k.field);
}

// A control word. A document has many, and each is compared with the words this reader knows
// until one matches: the length is compared first, which settles most of them.
class ControlWord {
public:
    explicit ControlWord(QByteArray bytes) : m_bytes(std::move(bytes)) {}
    template <std::size_t N>
    bool operator==(const char (&known)[N]) const
    {
        return m_bytes.size() == qsizetype(N - 1) && std::memcmp(m_bytes.constData(), known, N - 1) == 0;
    }
    operator const QByteArray&() const { return m_bytes; }
    bool startsWith(const char* prefix) const { return m_bytes.startsWith(prefix); }
    bool endsWith(const char* suffix) const { return m_bytes.endsWith(suffix); }
    bool endsWith(char c) const { return m_bytes.endsWith(c); }

private:
    QByteArray m_bytes;
};

struct ParaState {
    int align = 0;  // 0 left, 1 centre, 2 right, 3 justify
    int leftIndent = 0, rightIndent = 0, firstIndent = 0, spaceBefore = 0, spaceAfter = 0;
    int lineSpacing = 0;
    bool lineMultiple = false;
    bool keep = false, keepNext = false, pageBreakBefore = false, inTable = false;
    QList<QTextOption::Tab> tabs;
    QString leaders;  // each stop's, in the order of `tabs`
    int nextTabType = QTextOption::LeftTab;
    QChar nextLeader = TabLeaders::None;
    // Paragraph borders: sides as frame flags, the side that border words now describe.
    int frameSides = 0, frameWidth = 0, frameSpace = 0;
    bool frameDouble = false;
    int borderTarget = 0;  // a frame flag, -1 while a table's or cell's border is described
    // A positioned paragraph: 0 in the flow, else floating left (1) or right (2) of the text.
    int placed = 0, placedWidth = 0, distanceX = 0, distanceY = 0;
    // A list item: its override (\ls) and level, or the old numbering's list and level.
    int list = 0, listLevel = 0;
    QString oldNumbering;
    int oldLevel = 0;
    bool operator==(const ParaState&) const = default;
};

struct Group {
    CharState chr;
    ParaState para;
    Dest dest = Dest::Text;
    int uc = 1;
    int field = -1;  // the field whose result this group is, -1 none
};

struct Font {
    QString name;
    int codePage = 0;
};

struct Field {
    int depth = 0;  // group depth of the field's own group
    QString instruction;
    bool hadResult = false;
    int id = 0;
    bool resultText = false;  // some of the result was read as text
};

struct CellDef {
    int right = 0;  // \cellx, twips from the row's left edge
    bool mergeFirst = false, merged = false, vMergeFirst = false, vMerged = false;
    int shading = 0;
    int border = 0;  // twips of its widest line, 0 without lines
    CellGeometry::Padding padding;
    QTextCharFormat::VerticalAlignment align = QTextCharFormat::AlignTop;
};

struct Row {
    QList<QTextDocumentFragment> cells;
    QList<CellDef> defs;
    int gap = 108;
    int border = 0;  // the row's own lines (\trbrdr), twips
    int left = 0;    // \trleft: the first cell's left edge, twips from the margin
    int height = 0;  // \trrh
    CellGeometry::Padding padding;
};

// One side's line of a cell or row as its words describe it: a style word makes it a line,
// \brdrw gives its width.
struct BorderSide {
    bool drawn = false;
    int width = 0;
    // The side described so far, folded into the widest line of its cell or row.
    void foldInto(int& widest) const
    {
        if (drawn)
            widest = std::max(widest, width > 0 ? std::clamp(width, 1, 120) : 10);
    }
};

class Parser {
public:
    Parser(const QByteArray& bytes, QTextDocument* document, PageInfo& page, DocumentParts* parts)
        : m_data(bytes), m_document(document), m_page(page), m_parts(parts), m_mainCursor(document),
          m_cell(&m_cellDoc)
    {
        m_stack.reserve(64);
        m_stack.emplace_back();
    }

    bool run();
    // The page set-up the first section gives; 0 where it gives none.
    const PageInfo& section() const { return m_section; }

private:
    // ---- input ----
    bool atEnd() const { return m_pos >= m_data.size(); }
    unsigned char peek() const { return static_cast<unsigned char>(m_data.at(m_pos)); }
    void controlWord();
    bool characterWord(const ControlWord& word, bool hasParameter, int param);
    bool paragraphWord(const ControlWord& word, bool hasParameter, int param);
    void controlSymbol(unsigned char c);
    void beginGroup();
    void endGroup();
    void startDocument();

    Group& state() { return m_stack.back(); }
    bool skipping() const { return m_stack.back().dest == Dest::Skip; }

    // ---- output ----
    void beforeContent();
    void text(QChar c);
    void byteText(unsigned char byte);
    void decodedText(const QString& text);
    void plainText();
    void flushLeadByte();
    void flushText();
    // `oneParagraph`: the text holds no paragraph mark.
    void insertRun(const QString& text, RunFormat& format, bool oneParagraph);
    void insertRun(const QString& text, const QTextCharFormat& format)
    {
        RunFormat run{format};
        insertRun(text, run, BulkText::isParagraphText(text));
    }
    void endParagraph();
    // `mark`: the number of the mark's format in the body, -1 outside it.
    void newParagraph(QTextCursor& cursor, int mark);
    bool endParagraphAsBefore();
    void makeParagraphFormat();
    int bodyParagraphIndex();
    void pageBreak();
    void markPageBreakBefore(bool on);
    QTextCursor& mainCursor()
    {
        m_append.sync();
        return m_mainCursor;
    }
    QTextCursor& out() { return intoCell() ? m_cell : mainCursor(); }
    bool intoCell() { return state().para.inTable || m_held; }
    RunKey runKey() const;
    RunFormat& runFormat(const RunKey& key);
    QTextCharFormat charFormat() { return runFormat(runKey()).format; }
    int bodyIndex(RunFormat& run);
    QTextCharFormat makeCharFormat(const CharState& c, int field) const;
    void tablesChanged()
    {
        m_runFormats.clear();
        m_recentRuns = {};
    }
    QTextBlockFormat blockFormat(const ParaState& para) const;
    // Returns the number of the paragraph mark's format in the body, -1 outside it.
    int applyBlockFormat(QTextCursor& cursor);
    void paragraphBorder(ParaState& pa, const QByteArray& word, int param);
    void tableBorder(const QByteArray& word, int param);
    void foldTableBorder();
    void placeParagraph(QTextCursor& cursor);
    bool onlyPictures(const QTextBlock& block) const;
    void finishField(const Field& field);
    void insertSymbol(const QString& instruction);
    void noteReference();
    void beginNote();
    void appendNotes();
    void appendOtherParts();
    void insertPicture();
    void readListGroup(const QByteArray& word);
    void keepListText(QTextCursor& cursor);
    void markListItem(QTextBlockFormat& f, const ParaState& pa) const;

    // ---- tables ----
    void endCell();
    void endRow();
    void flushTable();
    void closeTable();
    bool tableOpen() const { return m_cellHasContent || !m_rowCells.isEmpty() || !m_rows.isEmpty(); }
    // After a table's row and before anything of the next: where a page break is no cell's.
    bool betweenRows() const { return !m_rows.isEmpty() && m_rowCells.isEmpty() && !m_cellHasContent && m_text.isEmpty(); }
    void moveParagraphIntoCell();

    // ---- tables of the document ----
    void fontTableText(unsigned char byte);
    void colourTableText(unsigned char byte);
    QColor colour(int index) const { return index > 0 && index < m_colours.size() ? m_colours[index] : QColor(); }
    int codePage() const;

    const QByteArray& m_data;
    qsizetype m_pos = 0;
    QTextDocument* m_document;
    PageInfo& m_page;
    PageInfo m_section;
    DocumentParts* m_parts;
    // Where the body's or a header's text goes; the appender holds its place while runs are
    // appended.
    QTextCursor m_mainCursor;
    BulkText::Appender m_append{m_mainCursor};
    // While a header or footer is read, the body's place waits here.
    struct Redirect {
        int depth = -1;
        QTextCursor main;
        bool hadContent = false;
    } m_redirect;
    QTextDocument m_cellDoc;
    QTextCursor m_cell;
    std::vector<std::unique_ptr<QTextDocument>> m_otherParts;  // left pages' own headers and footers
    int m_partsRead = 0;       // the parts read, by their bits
    bool m_titlePage = false;  // the first page shows its own header and footer
    bool m_sectionEnded = false;
    std::vector<Group> m_stack;
    // Groups deeper than MaxDepth: where the text of each one's parent went, and the state of
    // the group at MaxDepth as it was when the first of them began.
    struct FlatGroup {
        Dest dest;
        int field;
        bool hidden;
    };
    QList<FlatGroup> m_flat;
    Group m_flatBase;
    int m_depth = 0;

    // document tables
    QHash<int, Font> m_fonts;
    int m_defaultFont = 0;
    int m_ansiCodePage = 1252;
    QList<QColor> m_colours;
    int m_red = 0, m_green = 0, m_blue = 0;
    bool m_colourGiven = false;
    int m_fontNumber = 0;
    QByteArray m_fontName;

    // The character formats made so far, by what they are made of: a document has few distinct
    // ones, and a format made once is shared by all of its runs. Made again when the font or
    // colour tables change.
    // The numbers are the body's.
    QHash<RunKey, RunFormat> m_runFormats;
    // Runs take turns among a few formats: the last ones found, looked at before the table.
    struct RecentRun {
        RunKey key;
        RunFormat* run = nullptr;
    };
    std::array<RecentRun, 4> m_recentRuns;
    std::size_t m_nextRecentRun = 0;
    // The last paragraph's format and the state it was made from: most paragraphs repeat it.
    struct {
        ParaState para;
        int document = -1;
        QTextBlockFormat format;
        int index = -1;  // the format's number in the body
    } m_lastBlock;

    // text
    QString m_text;
    RunKey m_textKey;
    RunFormat m_textFormat;
    bool m_textBreaks = false;  // the run holds a character that starts a paragraph
    bool m_paragraphHasContent = false;
    bool m_pendingPageBreak = false;
    int m_unicodeSkip = 0;
    int m_documents = 0;
    unsigned char m_leadByte = 0;  // the first byte of a double-byte character, waiting for its second

    // Footnotes and endnotes: their text, kept for the end of the document.
    QStringList m_notes;
    bool m_referenceWritten = false;  // the next note's number is in the text already

    // fields
    QList<Field> m_fields;
    int m_nextFieldId = 1;

    // pictures
    RtfPicture m_picture;
    int m_pictureDepth = -1;
    int m_imageCount = 0;
    QStringList m_images;

    // tables
    QList<CellDef> m_rowDefs;
    CellDef m_nextCell;
    int m_rowGap = 108;
    int m_rowLeft = 0;
    int m_rowHeight = 0;
    CellGeometry::Padding m_rowPadding;
    int m_rowBorder = 0;
    BorderSide m_tableBorder;  // the side of a cell or row being described
    bool m_tableBorderOpen = false, m_tableBorderOfRow = false;
    QList<QTextDocumentFragment> m_rowCells;
    QList<Row> m_rows;
    bool m_tableBreaksPage = false;  // the table being read starts on a new page
    bool m_cellHasContent = false;
    // Text outside \intbl while a table is open: held in the cell being read until \cell or
    // \row makes it a cell's text, or a paragraph end shows that the table has ended.
    bool m_held = false;
    bool m_pageGiven = false;

    // lists: the document's tables, and the lists its paragraphs were given so far
    RtfLists::Tables m_listTables;
    mutable ListLevels::Definitions m_listDefinitions;
    QString m_listText;  // the paragraph's \listtext
};

int clampedParameter(qint64 value) { return int(std::clamp<qint64>(value, -2'000'000'000, 2'000'000'000)); }

bool Parser::run()
{
    qsizetype start = 0;
    while (start < m_data.size() && QChar::isSpace(uchar(m_data.at(start))))
        ++start;
    if (!m_data.mid(start, 5).startsWith("{\\rtf"))
        return false;
    m_pos = start;
    // One edit block for the whole read: Qt then neither finishes an edit nor lays out a
    // line after every insertion. The block is the document's; a cursor kept for it would be
    // one more that every insertion moves.
    QTextCursor(m_document).beginEditBlock();
    while (!atEnd()) {
        const unsigned char c = peek();
        ++m_pos;
        switch (c) {
        case '{': beginGroup(); break;
        case '}': endGroup(); break;
        case '\\':
            if (atEnd())
                break;
            if (QChar::isLetter(peek()) && peek() < 0x80)
                controlWord();
            else {
                const unsigned char s = peek();
                ++m_pos;
                controlSymbol(s);
            }
            break;
        case '\r':
        case '\n': break;
        default:
            if (m_depth == 0)
                break;  // nothing belongs outside a document's group
            if (m_unicodeSkip > 0) {
                --m_unicodeSkip;
                break;
            }
            byteText(c);
            if (c < 0x80)
                plainText();
        }
    }
    flushLeadByte();
    flushText();
    closeTable();
    m_append.sync();
    if (m_depth > 0)  // a truncated file: its last paragraph is still open
        applyBlockFormat(mainCursor());
    // The empty paragraph after the last \par is no paragraph of the file's: text typed at the
    // end goes on in the letters of the last line, as in the program that wrote it.
    if (const QTextBlock last = m_document->lastBlock(); last.length() == 1 && last.previous().isValid() && last.previous().length() > 1)
        QTextCursor(last).setBlockCharFormat(DocumentWalk::markFormat(last.previous()));
    appendNotes();
    appendOtherParts();
    ListLevels::attachReadLists(m_document, m_listDefinitions);
    if (m_parts)
        for (QTextDocument* part : {m_parts->header, m_parts->footer, m_parts->firstHeader, m_parts->firstFooter})
            if (part)
                ListLevels::attachReadLists(part, m_listDefinitions);
    QTextCursor(m_document).endEditBlock();
    m_document->setProperty(Objects::ImageNamesProperty, m_images);
    return true;
}

void Parser::beginGroup()
{
    flushLeadByte();
    ++m_depth;
    m_unicodeSkip = 0;
    if (m_depth == 1 && m_pos + 4 <= m_data.size() && m_data.mid(m_pos, 4) == "\\rtf")
        startDocument();
    flushText();
    if (m_stack.size() >= MaxDepth) {
        if (m_flat.isEmpty())
            m_flatBase = m_stack.back();
        m_flat.append({state().dest, state().field, state().chr.hidden});
        return;
    }
    m_stack.push_back(m_stack.back());
}

void Parser::endGroup()
{
    flushLeadByte();
    m_unicodeSkip = 0;
    if (m_depth == 0)
        return;  // a closing brace too many
    --m_depth;
    flushText();
    if (m_depth == 0) {
        // The document's group ends: its last paragraph keeps the formats it was given.
        closeTable();
        keepListText(mainCursor());
        applyBlockFormat(mainCursor());
    }
    const Dest dest = state().dest;
    if (dest == Dest::FontTable && !m_fontName.isEmpty())
        fontTableText(';');
    if (dest == Dest::Pict && m_pictureDepth == m_depth + 1) {
        insertPicture();
        m_pictureDepth = -1;
    }
    if (m_redirect.depth >= 0 && m_depth < m_redirect.depth) {
        // The header or footer ends: its last paragraph keeps its formats, the body resumes. The
        // mark that ended its last paragraph opens no paragraph of its own, as in Word.
        closeTable();
        applyBlockFormat(mainCursor());
        const QTextBlock last = mainCursor().block();
        if (last.length() == 1 && last.previous().isValid() && last.document() != m_document
            && last.document()->frameAt(last.previous().position()) == last.document()->frameAt(last.position()))
            mainCursor().deletePreviousChar();
        mainCursor() = m_redirect.main;
        m_paragraphHasContent = m_redirect.hadContent;
        m_redirect = Redirect{};
    }
    if (!m_flat.isEmpty()) {
        const FlatGroup flat = m_flat.takeLast();
        state().dest = flat.dest;
        state().field = flat.field;
        state().chr.hidden = flat.hidden;
        if (m_flat.isEmpty())
            m_stack.back() = m_flatBase;
    } else if (m_stack.size() > 1) {
        m_stack.pop_back();
    }
    while (!m_fields.isEmpty() && m_fields.last().depth > m_depth) {
        const Field field = m_fields.takeLast();
        finishField(field);
    }
}

// A new document in the stream: its own tables; a page break from the one before.
void Parser::startDocument()
{
    // The document before ended without a paragraph mark: its last paragraph is complete,
    // with the formats its own document gave it.
    if (m_documents > 0 && m_paragraphHasContent && m_redirect.depth < 0) {
        flushText();
        closeTable();
        mainCursor().insertBlock();
        m_paragraphHasContent = false;
    }
    ++m_documents;
    m_fonts.clear();
    m_colours.clear();
    tablesChanged();
    m_ansiCodePage = 1252;
    m_defaultFont = 0;
    m_listTables = RtfLists::Tables();
    m_stack = {Group{}};
    m_flat.clear();
    if (m_documents > 1)
        m_pendingPageBreak = true;
}

int Parser::codePage() const
{
    const int font = m_stack.back().chr.font >= 0 ? m_stack.back().chr.font : m_defaultFont;
    const auto it = m_fonts.constFind(font);
    if (it != m_fonts.constEnd() && it->codePage > 0)
        return it->codePage;
    return m_ansiCodePage;
}

void Parser::byteText(unsigned char byte)
{
    if (skipping())
        return;
    const Dest dest = state().dest;
    if (byte < 0x80 && !m_leadByte && dest == Dest::Text) {
        text(QChar(byte));  // every code page reads it as itself
        return;
    }
    if (dest == Dest::Text || dest == Dest::FieldInst || dest == Dest::Note) {
        if (m_leadByte) {
            decodedText(CodePages::toUnicode(codePage(), std::exchange(m_leadByte, 0), byte));
            return;
        }
        if (byte >= 0x80 && CodePages::isLeadByte(codePage(), byte)) {
            m_leadByte = byte;
            return;
        }
    }
    switch (dest) {
    case Dest::Text:
    case Dest::Note:
    case Dest::FieldInst: decodedText(QString(CodePages::toUnicode(codePage(), byte))); break;
    case Dest::FontTable: fontTableText(byte); break;
    case Dest::ColorTable: colourTableText(byte); break;
    case Dest::Pict: m_picture.addHex(byte); break;
    case Dest::Skip: break;
    }
}

// The plain characters after one that went into the run: each would go the same way, as every
// code page reads bytes below 0x80 as themselves.
void Parser::plainText()
{
    if (m_text.isEmpty() || m_leadByte || state().dest != Dest::Text || state().chr.hidden)
        return;
    // The bytes that end a stretch of plain characters: line ends, which are skipped, and
    // what is not a plain character.
    static constexpr std::array<bool, 256> ends = [] {
        std::array<bool, 256> table{};
        for (int c = 0x80; c < 0x100; ++c)
            table[c] = true;
        for (const unsigned char c : {'{', '}', '\\', '\r', '\n'})
            table[c] = true;
        return table;
    }();
    const char* const data = m_data.constData();
    const char* const end = data + m_data.size();
    const char* at = data + m_pos;
    for (;;) {
        const char* const from = at;
        while (at != end && !ends[static_cast<unsigned char>(*at)])
            ++at;
        m_text.append(QLatin1StringView(from, at - from));
        if (at == end || (*at != '\r' && *at != '\n'))
            break;
        ++at;
    }
    m_pos = at - data;
}

void Parser::decodedText(const QString& decoded)
{
    if (state().dest == Dest::FieldInst) {
        m_fields.last().instruction += decoded;
        return;
    }
    for (const QChar c : decoded)
        text(c);
}

// A lead byte that no trail byte followed stands for itself.
void Parser::flushLeadByte()
{
    if (m_leadByte)
        decodedText(QString(CodePages::toUnicode(codePage(), std::exchange(m_leadByte, 0))));
}

void Parser::fontTableText(unsigned char byte)
{
    if (byte == ';') {
        Font& font = m_fonts[m_fontNumber];
        font.name = QString::fromLatin1(m_fontName).trimmed();
        m_fontName.clear();
        tablesChanged();
    } else if (m_fontName.size() < 256) {
        m_fontName.append(char(byte));
    }
}

void Parser::colourTableText(unsigned char byte)
{
    if (byte != ';')
        return;
    m_colours.append(m_colourGiven ? QColor(m_red, m_green, m_blue) : QColor());
    tablesChanged();
    m_red = m_green = m_blue = 0;
    m_colourGiven = false;
}

// ---- control words ------------------------------------------------------------------

// The words of a run's characters, found before any other: most of a document's words are these.
bool Parser::characterWord(const ControlWord& word, bool hasParameter, int param)
{
    CharState& c = state().chr;
    const int p = hasParameter ? param : 1;
    auto setChar = [&](auto& field, auto newValue) {
        if (field != newValue) {
            flushText();
            field = newValue;
        }
        return true;
    };
    if (word == "plain") {
        flushText();
        c = CharState{};
        return true;
    }
    if (word == "b") return setChar(c.bold, p != 0);
    if (word == "i") return setChar(c.italic, p != 0);
    if (word == "strike" || word == "striked") return setChar(c.strike, p != 0);
    if (word == "v") return setChar(c.hidden, p != 0);
    if (word == "caps") return setChar(c.caps, p != 0);
    if (word == "ul") return setChar(c.underline, p != 0 ? 1 : 0);
    if (word == "ulnone") return setChar(c.underline, 0);
    if (word == "uldb") return setChar(c.underline, p != 0 ? 2 : 0);
    if (word == "uld") return setChar(c.underline, p != 0 ? 3 : 0);
    if (word == "uldash" || word == "uldashd" || word == "uldashdd") return setChar(c.underline, p != 0 ? 4 : 0);
    if (word == "ulwave") return setChar(c.underline, p != 0 ? 5 : 0);
    if (word == "ulw") return setChar(c.underline, p != 0 ? 6 : 0);
    if (word == "super") return setChar(c.vertical, 1);
    if (word == "sub") return setChar(c.vertical, 2);
    if (word == "nosupersub") return setChar(c.vertical, 0);
    if (word == "up") return setChar(c.vertical, p > 0 ? 1 : 0);
    if (word == "dn") return setChar(c.vertical, p > 0 ? 2 : 0);
    if (word == "fs") return setChar(c.halfPoints, std::clamp(hasParameter ? param : 24, 2, 3276));
    if (word == "f") return setChar(c.font, param);
    if (word == "cf") return setChar(c.fg, param);
    if (word == "cb" || word == "chcbpat" || word == "highlight") return setChar(c.bg, param);
    return false;
}

// The words of a paragraph's layout that most paragraphs have, also found before the others.
bool Parser::paragraphWord(const ControlWord& word, bool hasParameter, int param)
{
    ParaState& pa = state().para;
    if (word == "pard") pa = ParaState{};
    else if (word == "intbl") pa.inTable = !hasParameter || param != 0;
    else if (word == "ql") pa.align = 0;
    else if (word == "qc") pa.align = 1;
    else if (word == "qr") pa.align = 2;
    else if (word == "qj" || word == "qd") pa.align = 3;
    else if (word == "li" || word == "lin") pa.leftIndent = param;
    else if (word == "ri" || word == "rin") pa.rightIndent = param;
    else if (word == "fi") pa.firstIndent = param;
    else if (word == "sb") pa.spaceBefore = param;
    else if (word == "sa") pa.spaceAfter = param;
    else if (word == "sl") pa.lineSpacing = param;
    else return false;
    return true;
}

void Parser::controlWord()
{
    const qsizetype start = m_pos;
    while (!atEnd() && peek() < 0x80 && QChar::isLetter(peek()) && m_pos - start < 32)
        ++m_pos;
    // The word as a view of the input, which outlives it.
    const ControlWord word(QByteArray::fromRawData(m_data.constData() + start, m_pos - start));
    bool hasParameter = false;
    bool negative = false;
    qint64 value = 0;
    if (!atEnd() && peek() == '-') {
        negative = true;
        ++m_pos;
    }
    int digits = 0;
    while (!atEnd() && peek() >= '0' && peek() <= '9') {
        if (digits++ < 12)
            value = value * 10 + (peek() - '0');
        ++m_pos;
        hasParameter = true;
    }
    if (!atEnd() && peek() == ' ')
        ++m_pos;
    const int param = clampedParameter(negative ? -value : value);
    const int p = hasParameter ? param : 1;

    if (word == "bin") {
        const qsizetype n = std::clamp<qsizetype>(param, 0, m_data.size() - m_pos);
        if (!skipping() && state().dest == Dest::Pict)
            m_picture.addBinary(m_data.mid(m_pos, n));
        m_pos += n;
        return;
    }
    if (m_unicodeSkip > 0 && word != "u")
        m_unicodeSkip = 0;
    flushLeadByte();
    if (state().dest == Dest::Skip)
        return;  // nothing inside a skipped destination matters, not even a picture

    Group& g = state();
    ParaState& pa = g.para;
    // A run's words and its paragraph's end come first: most of a document's words are these.
    if (g.dest != Dest::FontTable && g.dest != Dest::ColorTable && g.dest != Dest::Pict
        && characterWord(word, hasParameter, param))
        return;
    if (g.dest == Dest::Text && word == "par") {
        endParagraph();
        return;
    }
    // Notes keep their text only, without paragraph layout.
    if ((g.dest == Dest::Text || g.dest == Dest::FieldInst) && paragraphWord(word, hasParameter, param))
        return;

    // Destinations first.
    static const QSet<QByteArray> skipped = {
        "stylesheet", "info", "listtable", "listoverridetable", "revtbl", "rsidtbl", "generator",
        "xmlnstbl", "themedata", "colorschememapping", "datastore", "latentstyles", "pgdsctbl",
        "filetbl", "annotation", "pntext", "nonshppict", "bkmkstart", "bkmkend", "xe", "tc",
        "txe", "template", "docvar", "userprops", "mmathPr", "ftnsep", "ftnsepc", "aftnsep",
        "aftnsepc", "ftncn", "aftncn", "object", "objdata", "atnid", "atnauthor", "atrfstart",
        "atrfend", "comment", "fldtype", "listpicture", "nesttableprops", "sp", "sn", "sv",
        "shpinst", "shptxt", "do", "pgp", "private", "wgrffmtfilter", "fchars", "lchars",
        "ud", "upr", "background", "title", "author", "operator", "company", "keywords",
        "passwordhash", "ffdeftext", "ffname", "ffl", "datafield", "formfield", "factoidname",
        "oldcprops", "oldpprops", "oldsprops", "oldtprops", "blipuid", "bliptag",
        "nonesttables"};  // the nested tables' text for readers that cannot nest; read as cells here
    if (word == "fonttbl") {
        g.dest = Dest::FontTable;
        return;
    }
    if (word == "colortbl") {
        g.dest = Dest::ColorTable;
        m_colours.clear();
        tablesChanged();
        return;
    }
    if (word == "pict") {
        g.dest = Dest::Pict;
        m_picture = RtfPicture();
        m_pictureDepth = m_depth;
        return;
    }
    if (word == "field") {
        flushText();
        m_fields.append(Field{m_depth, QString(), false, m_nextFieldId++});
        return;
    }
    if (word == "fldinst") {
        g.dest = m_fields.isEmpty() ? Dest::Skip : Dest::FieldInst;
        return;
    }
    if (word == "fldrslt") {
        if (!m_fields.isEmpty()) {
            flushText();
            m_fields.last().hadResult = true;
            g.field = int(m_fields.size()) - 1;
        }
        return;
    }
    if (word == "footnote") {
        beginNote();
        return;
    }
    if (word == "listtable" || word == "listoverridetable" || word == "pn") {
        readListGroup(word);
        return;
    }
    if (word == "listtext") {
        // The number as text, for readers without lists. It may come before the paragraph names
        // its list: kept aside until the paragraph ends, and put in only where it names none.
        const qsizetype end = RtfLists::groupEnd(m_data, m_pos);
        m_listText = RtfLists::groupText(QByteArrayView(m_data).sliced(m_pos, end - m_pos));
        m_pos = end;
        g.dest = Dest::Skip;
        return;
    }
    if (skipped.contains(word)) {
        g.dest = Dest::Skip;
        return;
    }
    const bool firstPart = word == "headerf" || word == "footerf";
    const bool otherPart = word == "headerl" || word == "footerl";
    if (word == "header" || word == "headerr" || word == "footer" || word == "footerr" || firstPart || otherPart) {
        const bool header = word.startsWith("header");
        const int bit = (header ? 1 : 4) * (firstPart ? 2 : 1);
        QTextDocument* target = m_parts ? m_parts->part(bit) : nullptr;
        if ((otherPart || (firstPart && !target)) && m_parts) {
            // The left pages' own part, or the first page's without a place: read aside, kept
            // after the body.
            m_otherParts.push_back(std::make_unique<QTextDocument>());
            target = m_otherParts.back().get();
        }
        if (!target || (!otherPart && (m_partsRead & bit)) || m_redirect.depth >= 0 || m_documents > 1) {
            g.dest = Dest::Skip;  // one header and one footer: the first document's
            return;
        }
        flushText();
        closeTable();
        if (!otherPart)
            m_partsRead |= bit;
        m_redirect = {m_depth, mainCursor(), m_paragraphHasContent};
        mainCursor() = QTextCursor(target);
        m_paragraphHasContent = false;
        g.para = ParaState{};
        return;
    }
    if (g.dest == Dest::Pict) {
        m_picture.controlWord(word, param);
        return;
    }
    if (g.dest == Dest::FontTable) {
        if (word == "f")
            m_fontNumber = param;
        else if (word == "fcharset")
            m_fonts[m_fontNumber].codePage = CodePages::forCharset(param);
        else if (word == "cpg")
            m_fonts[m_fontNumber].codePage = param;
        return;
    }
    if (g.dest == Dest::ColorTable) {
        if (word == "red")
            m_red = std::clamp(param, 0, 255), m_colourGiven = true;
        else if (word == "green")
            m_green = std::clamp(param, 0, 255), m_colourGiven = true;
        else if (word == "blue")
            m_blue = std::clamp(param, 0, 255), m_colourGiven = true;
        return;
    }
    if (skipping())
        return;

    // Unicode.
    if (word == "u") {
        const int code = param < 0 ? param + 65536 : param;
        if (g.dest == Dest::Text || g.dest == Dest::Note)
            text(QChar(char16_t(code & 0xffff)));
        else if (g.dest == Dest::FieldInst)
            m_fields.last().instruction += QChar(char16_t(code & 0xffff));
        m_unicodeSkip = g.uc;
        return;
    }
    if (word == "uc") {
        g.uc = std::clamp(param, 0, 10);
        return;
    }

    // Document.
    if (word == "ansicpg") {
        m_ansiCodePage = param;
        return;
    }
    if (word == "pca" || word == "pc") {
        m_ansiCodePage = word == "pca" ? 850 : 437;
        return;
    }
    if (word == "mac") {
        m_ansiCodePage = 10000;
        return;
    }
    if (word == "deff") {
        m_defaultFont = param;
        tablesChanged();
        return;
    }
    static const QHash<QByteArray, int PageInfo::*> pageWords = {
        {"paperw", &PageInfo::width},    {"paperh", &PageInfo::height},
        {"margl", &PageInfo::marginL},   {"margr", &PageInfo::marginR},
        {"margt", &PageInfo::marginT},   {"margb", &PageInfo::marginB},
        {"pgwsxn", &PageInfo::width},    {"pghsxn", &PageInfo::height},
        {"marglsxn", &PageInfo::marginL}, {"margrsxn", &PageInfo::marginR},
        {"margtsxn", &PageInfo::marginT}, {"margbsxn", &PageInfo::marginB},
        {"headery", &PageInfo::headerY}, {"footery", &PageInfo::footerY}};
    if (const auto it = pageWords.constFind(word); it != pageWords.constEnd()) {
        // The first section's values rule over the document's (LibreOffice writes its own
        // page margins, which hold the header, as the document's); the first document rules.
        const bool section = word.endsWith("sxn") || word.endsWith('y');
        PageInfo& target = section ? m_section : m_page;
        int& field = target.*(*it);
        if (m_documents <= 1 && param > 0 && param < 1'000'000 && (!section || field == 0))
            field = param;
        return;
    }
    if (word == "titlepg") {
        // The first section's first page; a later section's does not start the document.
        if (m_documents <= 1 && !m_sectionEnded)
            m_titlePage = true;
        return;
    }
    if (word == "landscape") {
        if (m_documents <= 1 && m_page.width > 0 && m_page.width < m_page.height)
            std::swap(m_page.width, m_page.height);
        return;
    }

    // Special characters.
    static const QHash<QByteArray, char16_t> specials = {
        {"tab", u'\t'},       {"line", 0x2028},     {"emdash", 0x2014}, {"endash", 0x2013},
        {"bullet", 0x2022},   {"lquote", 0x2018},   {"rquote", 0x2019}, {"ldblquote", 0x201C},
        {"rdblquote", 0x201D}, {"emspace", 0x2003}, {"enspace", 0x2002}, {"qmspace", 0x2005},
        {"zwj", 0x200D},      {"zwnj", 0x200C},     {"ltrmark", 0x200E}, {"rtlmark", 0x200F},
        {"chpgn", 0}};
    if (word == "chftn") {
        noteReference();
        return;
    }
    if (const auto it = specials.constFind(word); it != specials.constEnd()) {
        if (*it)
            text(QChar(*it));
        return;
    }

    if (g.dest == Dest::Note) {
        // A note keeps its text only; its paragraphs, cells and rows end lines.
        if (word == "par" || word == "row" || word == "sect" || word == "page" || word == "nestrow")
            m_notes.last() += QLatin1Char('\n');
        else if (word == "cell" || word == "nestcell")
            m_notes.last() += QLatin1Char('\t');
        return;
    }

    // Paragraphs.
    if (word == "par") {
        endParagraph();
        return;
    }
    if (word == "page") {
        pageBreak();
        return;
    }
    if (word == "sect") {
        m_sectionEnded = true;
        endParagraph();
        m_pendingPageBreak = true;
        return;
    }
    if (word == "itap") {
        pa.inTable = param > 0;
        return;
    }
    if (word == "ls") pa.list = std::max(0, param);
    else if (word == "ilvl") pa.listLevel = std::clamp(param, 0, ListLevels::Count - 1);
    else if (word == "slmult") pa.lineMultiple = p != 0;
    else if (word == "keep") pa.keep = p != 0;
    else if (word == "keepn") pa.keepNext = p != 0;
    else if (word == "pagebb") pa.pageBreakBefore = p != 0;
    else if (word == "brdrt") pa.borderTarget = ParagraphFrames::Top;
    else if (word == "brdrb") pa.borderTarget = ParagraphFrames::Bottom;
    else if (word == "brdrl") pa.borderTarget = ParagraphFrames::Left;
    else if (word == "brdrr") pa.borderTarget = ParagraphFrames::Right;
    else if (word == "box") pa.borderTarget = ParagraphFrames::Sides;
    else if (word.startsWith("clbrdr") || word.startsWith("trbrdr")) {
        foldTableBorder();
        m_tableBorderOfRow = word.startsWith("trbrdr");
        m_tableBorder = BorderSide{};
        m_tableBorderOpen = true;
        pa.borderTarget = -1;
    } else if (word == "brdrbtw" || word == "brdrbar")
        pa.borderTarget = -1;
    else if (word.startsWith("brdr") || word == "brsp") {
        if (pa.borderTarget > 0)
            paragraphBorder(pa, word, param);
        else if (pa.borderTarget < 0 && m_tableBorderOpen)
            tableBorder(word, param);
    }
    else if (word == "posxl" || word == "posxc" || word == "posxi") pa.placed = 1;
    else if (word == "posxr" || word == "posxo") pa.placed = 2;
    else if (word == "posx") pa.placed = param > 4320 ? 2 : 1;
    else if (word == "absw") pa.placedWidth = param;
    else if (word == "dxfrtext") pa.distanceX = pa.distanceY = param;
    else if (word == "dfrmtxtx") pa.distanceX = param;
    else if (word == "dfrmtxty") pa.distanceY = param;
    else if (word == "tqr") pa.nextTabType = QTextOption::RightTab;
    else if (word == "tqc") pa.nextTabType = QTextOption::CenterTab;
    else if (word == "tqdec") pa.nextTabType = QTextOption::DelimiterTab;
    else if (word == "tldot") pa.nextLeader = TabLeaders::Dots;
    else if (word == "tlmdot") pa.nextLeader = TabLeaders::MiddleDots;
    else if (word == "tlhyph") pa.nextLeader = TabLeaders::Hyphens;
    else if (word == "tlul") pa.nextLeader = TabLeaders::Line;
    else if (word == "tlth" || word == "tleq") pa.nextLeader = TabLeaders::ThickLine;
    else if (word == "tx" || word == "tb") {
        if (pa.tabs.size() < 64 && param >= 0) {
            pa.tabs.append(QTextOption::Tab(LayoutUnits::fromTwips(param),
                                            QTextOption::TabType(pa.nextTabType),
                                            pa.nextTabType == QTextOption::DelimiterTab ? QChar('.') : QChar()));
            pa.leaders += pa.nextLeader;
        }
        pa.nextTabType = QTextOption::LeftTab;
        pa.nextLeader = TabLeaders::None;
    }
    // Tables.
    else if (word == "trowd") {
        m_rowDefs.clear();
        m_nextCell = CellDef{};
        m_rowGap = 108;
        m_rowLeft = 0;
        m_rowHeight = 0;
        m_rowPadding = {};
        m_rowBorder = 0;
        m_tableBorderOpen = false;
    } else if (word == "trgaph") m_rowGap = std::clamp(param, 0, 2000);
    else if (word == "trleft") m_rowLeft = std::clamp(param, -31680, 31680);
    else if (word == "trrh") m_rowHeight = param;
    else if (word == "trpaddl") m_rowPadding.left = std::clamp(param, 0, 2000);
    else if (word == "trpaddt") m_rowPadding.top = std::clamp(param, 0, 2000);
    else if (word == "trpaddr") m_rowPadding.right = std::clamp(param, 0, 2000);
    else if (word == "trpaddb") m_rowPadding.bottom = std::clamp(param, 0, 2000);
    // Word swaps a cell's left and top padding words: \clpadl is the space above the text.
    else if (word == "clpadl") m_nextCell.padding.top = std::clamp(param, 0, 2000);
    else if (word == "clpadt") m_nextCell.padding.left = std::clamp(param, 0, 2000);
    else if (word == "clpadr") m_nextCell.padding.right = std::clamp(param, 0, 2000);
    else if (word == "clpadb") m_nextCell.padding.bottom = std::clamp(param, 0, 2000);
    else if (word == "cellx") {
        foldTableBorder();
        m_tableBorderOpen = false;
        if (m_rowDefs.size() < 64) {
            m_nextCell.right = param;
            m_rowDefs.append(m_nextCell);
        }
        m_nextCell = CellDef{};
    } else if (word == "clmgf") m_nextCell.mergeFirst = true;
    else if (word == "clmrg") m_nextCell.merged = true;
    else if (word == "clvmgf") m_nextCell.vMergeFirst = true;
    else if (word == "clvmrg") m_nextCell.vMerged = true;
    else if (word == "clcbpat") m_nextCell.shading = param;
    else if (word == "clvertalt") m_nextCell.align = QTextCharFormat::AlignTop;
    else if (word == "clvertalc") m_nextCell.align = QTextCharFormat::AlignMiddle;
    else if (word == "clvertalb") m_nextCell.align = QTextCharFormat::AlignBottom;
    else if (word == "cell") {
        flushText();
        if (!intoCell() && m_paragraphHasContent && !tableOpen())
            moveParagraphIntoCell();
        endCell();
    }
    else if (word == "row") endRow();
    else if (word == "nestcell" || word == "nestrow") endParagraph();
}

void Parser::controlSymbol(unsigned char s)
{
    switch (s) {
    case '\'': {
        auto hex = [](unsigned char h) -> int {
            if (h >= '0' && h <= '9') return h - '0';
            if (h >= 'a' && h <= 'f') return h - 'a' + 10;
            if (h >= 'A' && h <= 'F') return h - 'A' + 10;
            return -1;
        };
        int value = 0;
        for (int i = 0; i < 2 && !atEnd(); ++i) {
            const int d = hex(peek());
            if (d < 0)
                break;
            value = value * 16 + d;
            ++m_pos;
        }
        if (m_unicodeSkip > 0) {
            --m_unicodeSkip;
            return;
        }
        if (m_depth > 0)
            byteText(static_cast<unsigned char>(value));
        return;
    }
    case '*':
        // An optional destination: skipped unless it is one this reader knows.
        if (!skipping()) {
            qsizetype look = m_pos;
            while (look < m_data.size() && (m_data.at(look) == ' ' || m_data.at(look) == '\r' || m_data.at(look) == '\n'))
                ++look;
            const QByteArray next = m_data.mid(look, 24);
            static const QList<QByteArray> known = {"\\fldinst", "\\shppict", "\\pict", "\\footnote",
                                                    "\\listtable", "\\listoverridetable", "\\pn"};
            bool keep = false;
            for (const QByteArray& k : known)
                if (next.startsWith(k) && (next.size() == k.size() || !QChar::isLetter(uchar(next.at(k.size())))))
                    keep = true;
            if (!keep)
                state().dest = Dest::Skip;
        }
        return;
    case '\\':
    case '{':
    case '}':
        if (m_depth > 0)
            byteText(s);
        return;
    case '~': text(QChar(0x00A0)); return;
    case '_': text(QChar(0x2011)); return;
    case '-': return;  // optional hyphen
    case '\r':
    case '\n': endParagraph(); return;
    case '\t': text(QLatin1Char('\t')); return;
    default: return;
    }
}

// ---- output -------------------------------------------------------------------------

// A page break waits for the next content outside tables: it goes before that paragraph.
void Parser::beforeContent()
{
    if (!m_pendingPageBreak)
        return;
    m_pendingPageBreak = false;
    flushText();
    closeTable();
    if (m_paragraphHasContent)
        endParagraph();
    markPageBreakBefore(true);
}

// A paragraph property: it holds for the paragraph, whichever group its text ends in.
void Parser::markPageBreakBefore(bool on)
{
    for (Group& g : m_stack)
        g.para.pageBreakBefore = on;
}

void Parser::text(QChar c)
{
    if (m_depth == 0 || skipping() || state().chr.hidden)
        return;
    if (state().dest == Dest::Note) {
        if (m_notes.last().size() < 1'000'000)
            m_notes.last() += c;
        return;
    }
    if (state().dest != Dest::Text)
        return;
    if (!state().para.inTable)
        beforeContent();
    else if (state().para.pageBreakBefore && m_rows.isEmpty() && m_rowCells.isEmpty())
        m_pendingPageBreak = true;  // "page break before" in a table's first row breaks before the table
    // Every change of the character state flushes the run first, so a run has one format.
    if (m_text.isEmpty()) {
        m_textKey = runKey();
        m_textFormat = runFormat(m_textKey);
    }
    m_text.append(c);
    m_textBreaks = m_textBreaks || BulkText::startsParagraph(c);
}

RunKey Parser::runKey() const
{
    const Group& g = m_stack.back();
    int field = 0;
    if (g.field >= 0 && g.field < m_fields.size()) {
        const Field& f = m_fields.at(g.field);
        if (Fields::typeOfInstruction(f.instruction, nullptr) >= 0)
            field = f.id;
    }
    return RunKey{g.chr, field};
}

RunFormat& Parser::runFormat(const RunKey& key)
{
    for (const RecentRun& recent : m_recentRuns)
        if (recent.run && recent.key == key)
            return *recent.run;
    auto it = m_runFormats.find(key);
    if (it == m_runFormats.end()) {
        it = m_runFormats.insert(key, RunFormat{makeCharFormat(key.chr, key.field)});
        m_recentRuns = {};  // the table may have moved its entries
    }
    m_recentRuns[m_nextRecentRun++ % m_recentRuns.size()] = {key, &*it};
    return *it;
}

// The number the body keeps a format under, found once for all of the format's runs.
int Parser::bodyIndex(RunFormat& run)
{
    if (run.index < 0)
        run.index = BulkText::formatIndex(m_document, run.format);
    return run.index;
}

QTextCharFormat Parser::makeCharFormat(const CharState& c, int field) const
{
    QTextCharFormat f;
    const int fontIndex = c.font >= 0 ? c.font : m_defaultFont;
    const auto font = m_fonts.constFind(fontIndex);
    if (font != m_fonts.constEnd() && !font->name.isEmpty())
        f.setFontFamilies({font->name});
    f.setFontPointSize(c.halfPoints / 2.0);
    if (c.bold)
        f.setFontWeight(QFont::Bold);
    if (c.italic)
        f.setFontItalic(true);
    if (c.strike)
        f.setFontStrikeOut(true);
    if (c.caps)
        f.setFontCapitalization(QFont::AllUppercase);
    static constexpr QTextCharFormat::UnderlineStyle styles[] = {
        QTextCharFormat::NoUnderline,  QTextCharFormat::SingleUnderline, QTextCharFormat::SingleUnderline,
        QTextCharFormat::DotLine,      QTextCharFormat::DashUnderline,   QTextCharFormat::WaveUnderline,
        QTextCharFormat::SingleUnderline};
    if (c.underline > 0) {
        f.setUnderlineStyle(styles[c.underline]);
        if (c.underline == 2)
            f.setProperty(QTextFormat::UserProperty + 20, 2);  // double underline, kept for writing
    }
    if (c.vertical == 1)
        f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    else if (c.vertical == 2)
        f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    if (const QColor fg = colour(c.fg); fg.isValid())
        f.setForeground(fg);
    if (const QColor bg = colour(c.bg); bg.isValid())
        f.setBackground(bg);
    if (field)
        f.setProperty(Fields::IdProperty, field);
    return f;
}

void Parser::flushText()
{
    if (m_text.isEmpty())
        return;
    // Field runs get their data when the field ends; here the run is marked by its id. The
    // run's buffer keeps its room for the next run.
    const bool numbered = m_textFormat.index >= 0;
    insertRun(m_text, m_textFormat, !m_textBreaks);
    m_text.resize(0);
    m_textBreaks = false;
    if (!numbered && m_textFormat.index >= 0)  // numbered now: kept for the format's next runs
        if (auto it = m_runFormats.find(m_textKey); it != m_runFormats.end() && it->format == m_textFormat.format)
            it->index = m_textFormat.index;
}

void Parser::insertRun(const QString& text, RunFormat& format, bool oneParagraph)
{
    if (!state().para.inTable && tableOpen())
        m_held = true;
    if (state().field >= 0 && state().field < m_fields.size())
        m_fields[state().field].resultText = true;
    if (oneParagraph && !intoCell() && m_mainCursor.document() == m_document)
        m_append.insert(text, bodyIndex(format));
    else
        out().insertText(text, format.format);
    (intoCell() ? m_cellHasContent : m_paragraphHasContent) = true;
}

QTextBlockFormat Parser::blockFormat(const ParaState& pa) const
{
    QTextBlockFormat f;
    static constexpr Qt::Alignment aligns[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight,
                                               Qt::AlignJustify};
    f.setAlignment(aligns[std::clamp(pa.align, 0, 3)]);
    f.setLeftMargin(LayoutUnits::fromTwips(std::clamp(pa.leftIndent, -31680, 31680)));
    f.setRightMargin(LayoutUnits::fromTwips(std::clamp(pa.rightIndent, -31680, 31680)));
    f.setTextIndent(LayoutUnits::fromTwips(std::clamp(pa.firstIndent, -31680, 31680)));
    f.setTopMargin(LayoutUnits::fromTwips(std::clamp(pa.spaceBefore, 0, 31680)));
    f.setBottomMargin(LayoutUnits::fromTwips(std::clamp(pa.spaceAfter, 0, 31680)));
    if (pa.lineSpacing != 0 && pa.lineSpacing < 31680 && pa.lineSpacing > -31680) {
        if (pa.lineMultiple && pa.lineSpacing > 0)
            f.setLineHeight(pa.lineSpacing * 100.0 / 240.0, QTextBlockFormat::ProportionalHeight);
        else if (pa.lineSpacing > 0)
            f.setLineHeight(LayoutUnits::fromTwips(pa.lineSpacing), QTextBlockFormat::MinimumHeight);
        else
            f.setLineHeight(LayoutUnits::fromTwips(-pa.lineSpacing), QTextBlockFormat::FixedHeight);
    }
    if (!pa.tabs.isEmpty())
        f.setTabPositions(pa.tabs);
    for (qsizetype i = 0; i < pa.tabs.size(); ++i)
        if (pa.leaders.at(i) != TabLeaders::None)
            TabLeaders::set(f, pa.tabs.at(i).position, pa.leaders.at(i));
    if (pa.keep)
        f.setNonBreakableLines(true);
    KeepWithNext::set(f, pa.keepNext);
    if (pa.pageBreakBefore && !pa.inTable)
        f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    markListItem(f, pa);
    if (pa.frameSides) {
        // Neighbours with the same borders share one box, as other word processors draw them.
        f.setProperty(ParagraphFrames::StyleProperty,
                      pa.frameSides | ParagraphFrames::Connected | (pa.frameDouble ? ParagraphFrames::DoubleLines : 0));
        f.setProperty(ParagraphFrames::LineWidthProperty, std::clamp(pa.frameWidth, 1, 240));
        f.setProperty(ParagraphFrames::DistanceProperty, std::clamp(pa.frameSpace, 0, 1440));
    }
    return f;
}

// The list tables and a paragraph's old numbering are read whole, by their own reader; the main
// reader goes on at the group's closing brace.
void Parser::readListGroup(const QByteArray& word)
{
    const qsizetype end = RtfLists::groupEnd(m_data, m_pos);
    const QByteArrayView group = QByteArrayView(m_data).sliced(m_pos, end - m_pos);
    m_pos = end;
    if (word == "listtable")
        m_listTables.readListTable(group);
    else if (word == "listoverridetable")
        m_listTables.readOverrideTable(group);
    else if (m_stack.size() >= 2 && m_flat.isEmpty()) {
        // The numbering belongs to the paragraph the group stands in.
        const RtfLists::OldNumbering numbering = RtfLists::readOldNumbering(group);
        ParaState& pa = m_stack[m_stack.size() - 2].para;
        pa.oldNumbering = QStringLiteral("d%1:").arg(m_documents) + numbering.key;
        pa.oldLevel = numbering.level;
        QList<ListLevels::LevelDefinition>& levels = m_listDefinitions[pa.oldNumbering];
        levels.resize(ListLevels::Count);
        levels[numbering.level] = numbering.definition;
    }
    state().dest = Dest::Skip;
}

// A list item's paragraph is marked for the lists to be made when the whole text is in.
void Parser::markListItem(QTextBlockFormat& f, const ParaState& pa) const
{
    QString key;
    int level = 0;
    if (pa.list > 0) {
        // Each document of a stream (a merge's letters) numbers its own lists.
        key = QStringLiteral("d%1:ls%2").arg(m_documents).arg(pa.list);
        level = pa.listLevel;
        if (!m_listDefinitions.contains(key)) {
            QList<ListLevels::LevelDefinition> levels = m_listTables.levels(pa.list);
            levels.resize(ListLevels::Count);
            m_listDefinitions.insert(key, levels);
        }
    } else if (!pa.oldNumbering.isEmpty()) {
        key = pa.oldNumbering;
        level = pa.oldLevel;
    } else {
        return;
    }
    f.setProperty(ListLevels::ReadGroupProperty, key);
    f.setProperty(ListLevels::ReadLevelProperty, level);
    if (pa.leftIndent == 0)
        f.clearProperty(QTextFormat::BlockLeftMargin);  // the level's own indent
}

// One word of a cell's or row's border description.
void Parser::tableBorder(const QByteArray& word, int param)
{
    if (word == "brdrw")
        m_tableBorder.width = param;
    else if (word == "brdrnone" || word == "brdrnil")
        m_tableBorder.drawn = false;
    else if (word != "brdrcf" && word != "brsp" && word != "brdrframe")
        m_tableBorder.drawn = true;  // a line style
}

void Parser::foldTableBorder()
{
    if (!m_tableBorderOpen)
        return;
    m_tableBorder.foldInto(m_tableBorderOfRow ? m_rowBorder : m_nextCell.border);
    m_tableBorder = BorderSide{};
}

// One word of a paragraph border description; the side it belongs to was named before.
void Parser::paragraphBorder(ParaState& pa, const QByteArray& word, int param)
{
    if (word == "brdrnone" || word == "brdrnil") {
        pa.frameSides &= ~pa.borderTarget;
        return;
    }
    if (word == "brdrw")
        pa.frameWidth = param;
    else if (word == "brsp")
        pa.frameSpace = param;
    else if (word == "brdrdb")
        pa.frameDouble = true;
    else if (word == "brdrcf" || word == "brdrframe")
        return;
    pa.frameSides |= pa.borderTarget;
    if (pa.frameWidth == 0)
        pa.frameWidth = ParagraphFrames::DefaultLineWidth;
}

// The paragraph format of the paragraph being read, made once for the paragraphs alike.
void Parser::makeParagraphFormat()
{
    if (m_lastBlock.document != m_documents || !(m_lastBlock.para == state().para))
        m_lastBlock = {state().para, m_documents, blockFormat(state().para)};
}

// The number the body keeps the format `makeParagraphFormat` made under, found once for the
// paragraphs alike.
int Parser::bodyParagraphIndex()
{
    if (m_lastBlock.index < 0)
        m_lastBlock.index = BulkText::formatIndex(m_document, m_lastBlock.format);
    return m_lastBlock.index;
}

int Parser::applyBlockFormat(QTextCursor& cursor)
{
    makeParagraphFormat();
    // A paragraph often has the formats already, from the one before it: setting them again
    // costs more than looking. In the body, the formats' numbers tell.
    const QTextBlock block = cursor.block();
    const bool body = cursor.document() == m_document;
    if (body ? block.blockFormatIndex() != bodyParagraphIndex() : block.blockFormat() != m_lastBlock.format)
        cursor.setBlockFormat(m_lastBlock.format);
    // The paragraph mark carries the format new text at its end would get.
    RunFormat& mark = runFormat(runKey());
    if (body ? block.charFormatIndex() != bodyIndex(mark) : block.charFormat() != mark.format)
        cursor.setBlockCharFormat(mark.format);
    return body ? mark.index : -1;
}

// A paragraph's number as text stays where the paragraph names no list.
void Parser::keepListText(QTextCursor& cursor)
{
    if (!m_listText.isEmpty() && state().para.list == 0 && state().para.oldNumbering.isEmpty())
        QTextCursor(cursor.block()).insertText(m_listText);
    m_listText.clear();
}

void Parser::endParagraph()
{
    if (m_depth == 0 || skipping() || state().dest != Dest::Text)
        return;
    flushText();
    if (!state().para.inTable)
        closeTable();  // a paragraph that ends outside \intbl ends the table before it
    if (endParagraphAsBefore())
        return;
    QTextCursor& cursor = out();
    keepListText(cursor);
    const int mark = applyBlockFormat(cursor);
    if (state().para.placed && !state().para.inTable && onlyPictures(cursor.block()))
        placeParagraph(cursor);
    else
        // The next paragraph starts with the formats this one was just given, its mark's
        // letters included: text typed into an empty last paragraph takes them.
        newParagraph(cursor, mark);
    if (state().para.inTable)
        m_cellHasContent = true;
    else
        m_paragraphHasContent = false;
    markPageBreakBefore(false);
}

// Most paragraphs of the body end as the one before them did: the paragraph the appender
// started already has the formats this one is given, and the next one starts without the cursor.
bool Parser::endParagraphAsBefore()
{
    if (intoCell() || !m_append.knowsParagraph() || !m_listText.isEmpty() || state().para.placed)
        return false;
    makeParagraphFormat();
    const int paragraph = bodyParagraphIndex();
    const int mark = bodyIndex(runFormat(runKey()));
    if (m_append.paragraphFormat() != paragraph || m_append.markFormat() != mark)
        return false;
    m_append.insertBlock(paragraph, mark);
    m_paragraphHasContent = false;
    markPageBreakBefore(false);
    return true;
}

// The next paragraph, in the format the last one was given; in the body, through the appender.
void Parser::newParagraph(QTextCursor& cursor, int mark)
{
    if (mark < 0 || &cursor != &m_mainCursor)
        cursor.insertBlock(m_lastBlock.format, cursor.block().charFormat());
    else
        m_append.insertBlock(bodyParagraphIndex(), mark);
}

// A positioned paragraph of pictures alone is a placed picture; positioned text (text boxes of
// other programs) stays in the flow of the text, where nothing of it can be lost.
bool Parser::onlyPictures(const QTextBlock& block) const
{
    bool any = false;
    for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
        if (!it.fragment().charFormat().isImageFormat())
            return false;
        any = true;
    }
    return any;
}

// Moves the paragraph just read into a floating frame; the text after it flows round it.
void Parser::placeParagraph(QTextCursor& cursor)
{
    const ParaState& pa = state().para;
    QTextFrameFormat format;
    format.setPosition(pa.placed == 2 ? QTextFrameFormat::FloatRight : QTextFrameFormat::FloatLeft);
    format.setBorder(0);
    format.setPadding(0);
    const double x = LayoutUnits::fromTwips(std::clamp(pa.distanceX, 0, 1440));
    const double y = LayoutUnits::fromTwips(std::clamp(pa.distanceY, 0, 1440));
    format.setLeftMargin(x);
    format.setRightMargin(x);
    format.setTopMargin(y);
    format.setBottomMargin(y);
    if (pa.placedWidth > 0)
        format.setWidth(LayoutUnits::fromTwips(std::min(pa.placedWidth, 31680)));
    format.setProperty(Objects::TextflowProperty, 3);
    QTextCursor content(cursor);
    content.setPosition(cursor.block().position(), QTextCursor::KeepAnchor);
    QTextFrame* frame = content.insertFrame(format);
    // The frame split off an empty paragraph in front of it; the paragraph before that one
    // can end at the frame instead.
    QTextDocument* document = cursor.document();
    const QTextBlock split = document->findBlock(frame->firstPosition() - 1);
    const QTextBlock previous = split.previous();
    if (split.length() == 1 && previous.isValid()
        && document->frameAt(previous.position()) == document->frameAt(split.position())) {
        QTextCursor merge(document);
        merge.setPosition(split.position());
        merge.deletePreviousChar();
    }
    cursor.setPosition(frame->lastPosition() + 1);
}

void Parser::pageBreak()
{
    if (skipping() || (state().para.inTable && !betweenRows()))
        return;  // a break inside a table's cell breaks nothing, as in LibreOffice
    flushText();
    m_pendingPageBreak = true;
}

void Parser::finishField(const Field& field)
{
    flushText();
    if (state().dest != Dest::Text)
        return;  // a field in a note: its result is in the note's text
    QString data;
    const int type = Fields::typeOfInstruction(field.instruction, &data);
    if (type < 0) {
        // Other fields keep their result as plain text; a symbol without one shows its character.
        if (!field.resultText)
            insertSymbol(field.instruction);
        return;
    }
    QTextCursor& cursor = out();
    // The field's runs, marked by its id, get its data and type; a field without any
    // result text shows its name.
    QTextCursor scan(cursor.document());
    bool found = false;
    for (QTextBlock b = cursor.block(); b.isValid() && !found; b = b.previous()) {
        for (QTextBlock::iterator it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().property(Fields::IdProperty).toInt() != field.id)
                continue;
            found = true;
            QTextCharFormat extra;
            extra.setProperty(Fields::DataProperty, data);
            extra.setProperty(Fields::TypeProperty, type);
            scan.setPosition(fragment.position());
            scan.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            scan.mergeCharFormat(extra);
        }
        if (b == cursor.document()->begin())
            break;
    }
    if (!found) {
        QTextCharFormat format = charFormat();
        format.setProperty(Fields::IdProperty, field.id);
        format.setProperty(Fields::DataProperty, data);
        format.setProperty(Fields::TypeProperty, type);
        insertRun(Fields::placeholder(type, data), format);
    }
}

// SYMBOL code [\f "font"]: the character, in the font named.
void Parser::insertSymbol(const QString& instruction)
{
    static const QRegularExpression symbol(
        QStringLiteral("^\\s*SYMBOL\\s+(0x[0-9a-fA-F]+|\\d+)(?:.*\\\\f\\s*\"?([^\"\\\\]+)\"?)?"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = symbol.match(instruction);
    if (!match.hasMatch())
        return;
    bool ok = false;
    const QString number = match.captured(1);
    const uint code = number.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) ? number.mid(2).toUInt(&ok, 16)
                                                                                    : number.toUInt(&ok);
    if (!ok || code == 0 || code > 0xFFFF || QChar::isSurrogate(code))
        return;
    QTextCharFormat format = charFormat();
    if (const QString font = match.captured(2).trimmed(); !font.isEmpty())
        format.setFontFamilies({font});
    insertRun(QString(QChar(char16_t(code))), format);
}

// \chftn: in the text, the number of the note that follows; in the note, nothing, as the
// note is written with its number at the end of the document.
void Parser::noteReference()
{
    if (state().dest != Dest::Text || skipping())
        return;
    flushText();
    insertRun(EndNotes::footnoteMark(int(m_notes.size()) + 1), EndNotes::markFormat(charFormat()));
    m_referenceWritten = true;
}

// A footnote or endnote: its number stays where it is referred to (written here when the file
// gives no \chftn for it), its text is gathered for the end of the document.
void Parser::beginNote()
{
    if (state().dest != Dest::Text || m_notes.size() >= 100000) {
        state().dest = Dest::Skip;  // a note in a note, or far too many
        return;
    }
    if (!std::exchange(m_referenceWritten, false))
        noteReference();
    m_referenceWritten = false;
    m_notes.append(QString());
    state().dest = Dest::Note;
}

// The first page's and the left pages' own headers and footers, which this document model has
// no place for, as text at the end of the document, where they differ from the header and
// footer every page shows: no letterhead is lost.
void Parser::appendOtherParts()
{
    if (!m_parts)
        return;
    m_parts->present = m_partsRead & 5;
    // The first page's own parts count where the first page is set to show them, empty or not;
    // elsewhere their text is kept with the left pages'.
    for (const int bit : {2, 8}) {
        QTextDocument* first = m_parts->part(bit);
        if (!first)
            continue;
        if (m_titlePage) {
            m_parts->present |= bit;
        } else if (!first->isEmpty()) {
            m_otherParts.push_back(std::unique_ptr<QTextDocument>(first->clone()));
            first->clear();
        }
    }
    QList<const QTextDocument*> parts;
    for (const auto& part : m_otherParts)
        parts << part.get();
    if (!parts.isEmpty())
        EndNotes::keepParts(m_document, parts, {m_parts->header, m_parts->footer}, !m_notes.isEmpty());
}

// The notes at the end of the document under a short rule, each after its number: what this
// document model cannot keep as notes is kept as text.
void Parser::appendNotes()
{
    if (m_notes.isEmpty())
        return;
    QTextCursor end(m_document);
    EndNotes::begin(end);
    bool first = true;
    for (qsizetype i = 0; i < m_notes.size(); ++i) {
        const QString note = m_notes.at(i).trimmed();
        if (note.isEmpty())
            continue;
        if (!std::exchange(first, false))
            end.insertBlock(QTextBlockFormat(), QTextCharFormat());
        end.insertText(EndNotes::footnoteMark(int(i) + 1), EndNotes::markFormat(QTextCharFormat()));
        end.insertText(QLatin1Char(' ') + note, QTextCharFormat());
    }
}

void Parser::insertPicture()
{
    if (m_images.size() >= 10000)
        return;
    const QImage image = m_picture.image();
    if (image.isNull())
        return;
    const QString name = QStringLiteral("rtfimage%1.png").arg(++m_imageCount);
    m_document->addResource(QTextDocument::ImageResource, QUrl(name), image);
    m_images << name;
    QTextImageFormat format;
    format.setName(name);
    const QSizeF size = m_picture.displaySize();
    format.setWidth(LayoutUnits::fromTwips(size.width()));
    format.setHeight(LayoutUnits::fromTwips(size.height()));
    // The picture group is still on the stack: its text goes where its parent's would.
    Group& g = m_stack[m_stack.size() < 2 ? 0 : m_stack.size() - 2];
    if (g.dest != Dest::Text)
        return;  // a picture in a note: the note keeps its text only
    if (!g.para.inTable)
        closeTable();
    QTextCursor& cursor = g.para.inTable ? m_cell : mainCursor();
    if (!g.para.inTable) {
        if (m_pendingPageBreak) {
            m_pendingPageBreak = false;
            if (m_paragraphHasContent) {
                applyBlockFormat(mainCursor());
                mainCursor().insertBlock();
            }
            QTextBlockFormat broken = mainCursor().blockFormat();
            broken.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            mainCursor().setBlockFormat(broken);
            g.para.pageBreakBefore = true;
        }
    }
    cursor.insertImage(format);
    if (g.para.inTable) {
        m_cellHasContent = true;
        if (m_cellDoc.resource(QTextDocument::ImageResource, QUrl(name)).isNull())
            m_cellDoc.addResource(QTextDocument::ImageResource, QUrl(name), image);
    } else {
        m_paragraphHasContent = true;
    }
}

// ---- tables -------------------------------------------------------------------------

// Whatever was read since the last cell is this cell's text, \intbl or not.
void Parser::endCell()
{
    if (skipping())
        return;
    flushText();
    applyBlockFormat(m_cell);
    m_rowCells.append(QTextDocumentFragment(&m_cellDoc));
    m_cellDoc.clear();
    m_cell = QTextCursor(&m_cellDoc);
    m_cellHasContent = false;
    m_held = false;
}

// A table's first cell without \intbl was read as a paragraph of the body: it moves into the cell.
void Parser::moveParagraphIntoCell()
{
    QTextCursor paragraph(mainCursor());
    paragraph.setPosition(mainCursor().block().position(), QTextCursor::KeepAnchor);
    m_cell.insertFragment(paragraph.selection());
    paragraph.removeSelectedText();
    m_paragraphHasContent = false;
    m_cellHasContent = true;
}

// Text still pending when a row ends is its last cell's.
void Parser::endRow()
{
    if (skipping())
        return;
    flushText();
    if (m_cellHasContent || m_held)
        endCell();
    if (m_rowCells.isEmpty())
        return;
    Row row;
    row.cells = m_rowCells;
    row.defs = m_rowDefs;
    row.gap = m_rowGap;
    row.border = m_rowBorder;
    row.left = m_rowLeft;
    row.height = m_rowHeight;
    // \trgaph is the space each side of a cell's text unless the row's padding says otherwise.
    row.padding = CellGeometry::Padding{m_rowGap, -1, m_rowGap, -1}.overlaid(m_rowPadding);
    // A page break read before the table's first row is the table's: a letter that starts with
    // a table starts on its own page, not at the foot of the letter before.
    if (m_rows.isEmpty())
        m_tableBreaksPage = std::exchange(m_pendingPageBreak, false);
    m_rows.append(row);
    m_rowCells.clear();
    if (m_rows.size() > 100000)
        flushTable();
}

// Ends the table being read: text held for it is the paragraph after it.
void Parser::closeTable()
{
    QTextDocumentFragment held;
    if (std::exchange(m_held, false)) {
        held = QTextDocumentFragment(&m_cellDoc);
        m_cellDoc.clear();
        m_cell = QTextCursor(&m_cellDoc);
        m_cellHasContent = false;
    }
    flushTable();
    if (!held.isEmpty()) {
        mainCursor().insertFragment(held);
        m_paragraphHasContent = true;
    }
}

void Parser::flushTable()
{
    if (!m_rowCells.isEmpty() || m_cellHasContent)
        endRow();
    if (m_rows.isEmpty())
        return;
    const QList<Row> rows = std::exchange(m_rows, {});
    // The columns are those every row's cell edges make together.
    QList<QList<int>> edges;
    for (const Row& row : rows) {
        QList<int> rights;
        for (const CellDef& def : row.defs)
            rights << def.right;
        edges << rights;
    }
    const int tableLeft = rows.first().left;
    const CellGeometry::ColumnGrid grid(edges, tableLeft);
    int columns = std::max(1, grid.columns());
    for (const Row& row : rows)
        columns = std::max(columns, int(row.cells.size()));
    columns = std::min(columns, 63);
    // The table's lines are the widest its first row describes; a table without any has none.
    int border = rows.first().border;
    for (const CellDef& def : rows.first().defs)
        border = std::max(border, def.border);
    QTextTableFormat format;
    TableGrid::setBorderTwips(format, border);
    format.setCellSpacing(0);
    // The table's padding is its first cell's, which \trleft counts from.
    const CellGeometry::Padding tablePadding =
        rows.first().padding.overlaid(rows.first().defs.isEmpty() ? CellGeometry::Padding{} : rows.first().defs.first().padding);
    CellGeometry::setTablePadding(format, tablePadding);
    if (tableLeft != 0)
        format.setLeftMargin(LayoutUnits::fromTwips(tableLeft));
    if (grid.columns() == columns) {
        QList<QTextLength> widths;
        for (int width : grid.widths())
            widths << QTextLength(QTextLength::FixedLength, LayoutUnits::fromTwips(std::clamp(width, 1, 31680)));
        format.setColumnWidthConstraints(widths);
    }
    applyBlockFormat(mainCursor());
    if (!m_paragraphHasContent && mainCursor().block().previous().isValid()) {
        // Qt puts a table after the paragraph it is inserted in; an empty paragraph left by
        // the last \par would stand before the table as an extra line, so it goes.
        QTextCursor previous(mainCursor().block().previous());
        if (!previous.currentTable()) {
            mainCursor().deletePreviousChar();
        }
    }
    if (std::exchange(m_tableBreaksPage, false))
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    QTextTable* table = mainCursor().insertTable(int(rows.size()), columns, format);

    // Where each cell of each row lands: its column and how many columns it covers.
    struct Place {
        int column = 0;
        int span = 1;
    };
    QList<QList<Place>> places;
    for (const Row& row : rows) {
        QList<Place> placed;
        int left = row.left, next = 0;
        for (int c = 0; c < row.cells.size() || c < row.defs.size(); ++c) {
            Place place{next, 1};
            if (c < row.defs.size() && grid.columns() == columns) {
                const CellDef& def = row.defs.at(c);
                place = {grid.column(left), grid.span(left, def.right)};
                left = def.right;
            }
            place.column = std::min(place.column, columns - 1);
            place.span = std::clamp(place.span, 1, columns - place.column);
            next = place.column + place.span;
            placed << place;
        }
        places << placed;
    }
    for (int r = 0; r < rows.size(); ++r) {
        const Row& row = rows.at(r);
        for (int c = 0; c < row.cells.size(); ++c) {
            QTextTableCell cell = table->cellAt(r, places.at(r).at(c).column);
            QTextCursor into = cell.firstCursorPosition();
            into.insertFragment(row.cells.at(c));
            const CellDef def = c < row.defs.size() ? row.defs.at(c) : CellDef{};
            CellGeometry::setCellLook(cell, colour(def.shading), row.height, def.align);
            CellGeometry::setCellPadding(cell, row.padding, def.padding, format.border());
        }
    }
    // Merged cells: a cell wider than one column, cells merged with \clmgf and \clmrg, and
    // cells continued below with \clvmgf and \clvmrg; a merge never overlaps an earlier one.
    QList<QList<bool>> taken(rows.size(), QList<bool>(columns, false));
    auto merge = [&](int r, int c, int down, int across) {
        for (int i = r; i < r + down; ++i)
            for (int j = c; j < c + across; ++j)
                if (taken[i][j])
                    return;
        for (int i = r; i < r + down; ++i)
            for (int j = c; j < c + across; ++j)
                taken[i][j] = true;
        if (down > 1 || across > 1)
            table->mergeCells(r, c, down, across);
    };
    auto vMergedAt = [&](int r, int column) {
        const QList<CellDef>& defs = rows.at(r).defs;
        for (int c = 0; c < defs.size() && c < places.at(r).size(); ++c)
            if (places.at(r).at(c).column == column)
                return defs.at(c).vMerged;
        return false;
    };
    for (int r = 0; r < rows.size(); ++r) {
        const QList<CellDef>& defs = rows.at(r).defs;
        for (int c = 0; c < places.at(r).size(); ++c) {
            const Place place = places.at(r).at(c);
            const CellDef def = c < defs.size() ? defs.at(c) : CellDef{};
            if (def.merged || def.vMerged)
                continue;
            int across = place.span;
            if (def.mergeFirst)
                for (int k = c + 1; k < defs.size() && k < places.at(r).size() && defs.at(k).merged; ++k)
                    across = places.at(r).at(k).column + places.at(r).at(k).span - place.column;
            int down = 1;
            if (def.vMergeFirst)
                while (r + down < rows.size() && vMergedAt(r + down, place.column))
                    ++down;
            merge(r, place.column, down, std::clamp(across, 1, columns - place.column));
        }
    }
    mainCursor() = table->lastCursorPosition();
    mainCursor().movePosition(QTextCursor::NextBlock);
    m_paragraphHasContent = false;
}

}  // namespace

bool read(const QByteArray& bytes, QTextDocument* document, PageInfo& page, DocumentParts* parts)
{
    Parser parser(bytes, document, page, parts);
    const bool read = parser.run();
    page.overlay(parser.section());
    return read;
}

}  // namespace RtfReader
