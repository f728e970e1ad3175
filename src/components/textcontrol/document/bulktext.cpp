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
// cursors, which costs more than the insertion itself; the reader's cursor is the only one that
// has to move, and moves here.
template <typename Insert>
void withoutOtherCursors(QTextCursor& cursor, int length, Insert insert)
{
    QTextDocumentPrivate* document = QTextDocumentPrivate::get(cursor.document());
    const int position = cursor.position();
    const uint blocked = document->blockCursorAdjustment;
    document->blockCursorAdjustment = true;
    insert(document, position);
    document->blockCursorAdjustment = blocked;
    cursor.setPosition(position + length);
}

}  // namespace

void insert(QTextCursor& cursor, const QString& text, int format)
{
    if (text.isEmpty())
        return;
    withoutOtherCursors(cursor, int(text.size()), [&](QTextDocumentPrivate* document, int position) {
        document->insert(position, text, format);
    });
}

void insertBlock(QTextCursor& cursor, int blockFormat, int charFormat)
{
    withoutOtherCursors(cursor, 1, [&](QTextDocumentPrivate* document, int position) {
        document->insertBlock(position, blockFormat, charFormat);
    });
}

bool isParagraphText(QStringView text)
{
    return std::none_of(text.begin(), text.end(), startsParagraph);
}

}  // namespace BulkText
