#include "bulktext.h"

#include <QTextCursor>
#include <QTextDocument>
#include <private/qtextdocument_p.h>

#include <algorithm>

namespace BulkText {

int formatIndex(QTextDocument* document, const QTextFormat& format)
{
    return QTextDocumentPrivate::get(document)->formatCollection()->indexForFormat(format);
}

namespace {

// Qt moves the document's cursors after every insertion by walking each bucket of its set of
// cursors, which costs more than the insertion itself; the appender's cursor is the only one
// that has to move, and the appender keeps its place.
template <typename Insert>
void withoutCursors(QTextDocument* document, Insert insert)
{
    QTextDocumentPrivate* pieces = QTextDocumentPrivate::get(document);
    const uint blocked = pieces->blockCursorAdjustment;
    pieces->blockCursorAdjustment = true;
    insert(pieces);
    pieces->blockCursorAdjustment = blocked;
}

// Cuts the piece that holds the text of `runs` from `start`, all in the first run's format,
// where the runs' formats change.
void cut(QTextDocumentPrivate::FragmentMap& map, int start, const std::vector<Appender::Run>& runs)
{
    // The piece may also hold text before the runs, when their formats agreed.
    const uint first = map.findNode(start);
    const int before = start - int(map.position(first));
    int stringPosition = map.fragment(first)->stringPosition + before + runs.front().length;
    map.setSize(first, before + runs.front().length);
    int offset = start + runs.front().length;
    for (auto run = runs.begin() + 1; run != runs.end(); ++run) {
        QTextFragmentData* piece = map.fragment(map.insert_single(offset, run->length));
        piece->format = run->format;
        piece->stringPosition = stringPosition;
        offset += run->length;
        stringPosition += run->length;
    }
}

}  // namespace

int Appender::place()
{
    if (m_position < 0)
        m_position = m_cursor.position();
    return m_position;
}

void Appender::insert(const QString& text, int format)
{
    if (text.isEmpty())
        return;
    place();
    if (!m_runs.empty() && m_runs.back().format == format)
        m_runs.back().length += int(text.size());
    else
        m_runs.push_back({int(text.size()), format});
    m_text += text;
    m_position += int(text.size());
}

// The kept runs go into the document. Without undo, the paragraph's text goes in as one piece
// in the first run's format, and that piece is cut where the runs' formats change: Qt would
// otherwise look up the place, the paragraph and the format's object again for every run. A
// document that records undo takes each run as an edit of its own, so that redo gives each its
// format back.
void Appender::flush()
{
    if (m_runs.empty())
        return;
    const int start = m_position - int(m_text.size());
    withoutCursors(m_cursor.document(), [&](QTextDocumentPrivate* pieces) {
        if (pieces->isUndoRedoEnabled()) {
            int offset = start;
            for (const Run& run : m_runs) {
                pieces->insert(offset, m_text.mid(offset - start, run.length), run.format);
                offset += run.length;
            }
            return;
        }
        // One edit: the layout hears of the text once it has all its formats.
        pieces->beginEditBlock();
        pieces->insert(start, m_text, m_runs.front().format);
        if (m_runs.size() > 1)
            cut(pieces->fragmentMap(), start, m_runs);
        pieces->endEditBlock();
    });
    m_runs.clear();
    m_text.resize(0);  // keeps its room for the next paragraph
}

void Appender::insertBlock(int blockFormat, int charFormat)
{
    flush();
    const int position = place();
    withoutCursors(m_cursor.document(),
                   [&](QTextDocumentPrivate* pieces) { pieces->insertBlock(position, blockFormat, charFormat); });
    ++m_position;
    m_paragraphFormat = blockFormat;
    m_markFormat = charFormat;
}

void Appender::sync()
{
    flush();
    m_paragraphFormat = m_markFormat = -1;  // whoever takes the cursor may change the paragraph
    if (m_position < 0)
        return;
    m_cursor.setPosition(m_position);
    m_position = -1;
}

bool isParagraphText(QStringView text)
{
    return std::none_of(text.begin(), text.end(), startsParagraph);
}

}  // namespace BulkText
