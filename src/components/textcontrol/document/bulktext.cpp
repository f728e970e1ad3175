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
    const int position = place();
    withoutCursors(m_cursor.document(), [&](QTextDocumentPrivate* pieces) { pieces->insert(position, text, format); });
    m_position += int(text.size());
}

void Appender::insertBlock(int blockFormat, int charFormat)
{
    const int position = place();
    withoutCursors(m_cursor.document(),
                   [&](QTextDocumentPrivate* pieces) { pieces->insertBlock(position, blockFormat, charFormat); });
    ++m_position;
    m_paragraphFormat = blockFormat;
    m_markFormat = charFormat;
}

void Appender::sync()
{
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
