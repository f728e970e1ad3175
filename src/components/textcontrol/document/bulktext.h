#pragma once
// Text put into a document in bulk, for readers that build a whole document from a file. A run
// goes straight into the document's pieces with a format the document has already numbered,
// where a cursor's edit would look the format up, copy it and find the paragraph's format for
// every run.
#include <QChar>
#include <QString>
#include <QStringView>

#include <vector>

class QTextFormat;
class QTextCursor;
class QTextDocument;

namespace BulkText {

// The number `document` keeps `format` under; a reader keeps it for the format's runs and
// paragraphs.
int formatIndex(QTextDocument* document, const QTextFormat& format);

// Appends at a cursor's place. The place moves on here, and the cursor, which has no
// selection, is put there when `sync` is called: a reader calls it before it uses the cursor
// or the document again. No other cursor of the document moves: a reader appends where none
// stands.
class Appender {
public:
    explicit Appender(QTextCursor& cursor) : m_cursor(cursor) {}

    // Inserts `text`, which holds no paragraph mark, in the format numbered `format`. A
    // paragraph's runs are kept here until it ends, and go in together.
    void insert(const QString& text, int format);
    // Starts a paragraph in the paragraph format numbered `blockFormat`, its mark in the
    // character format numbered `charFormat`.
    void insertBlock(int blockFormat, int charFormat);
    void sync();

    // The numbers of the paragraph and mark formats of the paragraph last started here, while
    // the cursor has not been used since: only the appender has touched that paragraph.
    bool knowsParagraph() const { return m_paragraphFormat >= 0; }
    int paragraphFormat() const { return m_paragraphFormat; }
    int markFormat() const { return m_markFormat; }

    // A run kept until its paragraph ends.
    struct Run {
        int length;
        int format;
    };

private:
    int place();
    void flush();

    QTextCursor& m_cursor;
    int m_position = -1;  // the place after the kept runs, while the cursor has not been put there
    QString m_text;  // the kept runs' text
    std::vector<Run> m_runs;
    int m_paragraphFormat = -1;
    int m_markFormat = -1;
};

// True for the characters a document takes as the start of a paragraph or frame.
constexpr bool startsParagraph(QChar c)
{
    return c == u'\n' || c == u'\r' || c == QChar::ParagraphSeparator || c == QChar(0xfdd0) || c == QChar(0xfdd1);
}

// True where `text` holds nothing that starts a paragraph.
bool isParagraphText(QStringView text);

}  // namespace BulkText
