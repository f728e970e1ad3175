#pragma once
// Text put into a document in bulk, for readers that build a whole document from a file. A run
// goes straight into the document's pieces with a format the document has already numbered,
// where a cursor's edit would look the format up, copy it and find the paragraph's format for
// every run.
#include <QChar>
#include <QStringView>

class QString;
class QTextFormat;
class QTextCursor;
class QTextDocument;

namespace BulkText {

// The number `document` keeps `format` under; a reader keeps it for the format's runs and
// paragraphs.
int formatIndex(QTextDocument* document, const QTextFormat& format);

// Inserts `text`, in the format numbered `format` in the cursor's document, at `cursor`, and
// moves the cursor past it. The text is one paragraph's: it holds no paragraph or frame marks.
// Only `cursor` moves: a reader inserts where no other cursor of the document stands.
void insert(QTextCursor& cursor, const QString& text, int format);

// Starts a paragraph at `cursor` in the paragraph format numbered `blockFormat`, its mark in
// the character format numbered `charFormat`, and moves the cursor into it. Only `cursor` moves.
void insertBlock(QTextCursor& cursor, int blockFormat, int charFormat);

// True for the characters a document takes as the start of a paragraph or frame.
constexpr bool startsParagraph(QChar c)
{
    return c == u'\n' || c == u'\r' || c == QChar::ParagraphSeparator || c == QChar(0xfdd0) || c == QChar(0xfdd1);
}

// True where `text` can go in with `insert`: it holds nothing that starts a paragraph.
bool isParagraphText(QStringView text);

}  // namespace BulkText
