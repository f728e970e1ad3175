#pragma once
// Notes of other programs' documents (footnotes, endnotes, text boxes a reader cannot place):
// the engine has no notes of its own, so readers keep them as text after the body, under a
// short rule, each opening with its mark; the marks in the text are superscript numbers.
#include <QList>
#include <QString>
#include <QTextCharFormat>

class QTextCursor;
class QTextDocument;

namespace EndNotes {

// Moves `cursor` to the end of its document and starts the notes there: a paragraph holding
// only a short rule, then an empty paragraph for the first note.
void begin(QTextCursor& cursor);

// The marks of the n-th footnote (1, 2, 3) and of the n-th endnote (i, ii, iii), as word
// processors number them unless told otherwise.
QString footnoteMark(int n);
QString endnoteMark(int n);

// The format of a note's mark in a run of format `text`.
QTextCharFormat markFormat(QTextCharFormat text);

// Keeps the headers and footers a document has no place for (the first page's, the left
// pages') after its body: each one with text that differs from the parts every page shows
// (`shown`) and from those kept before it, under the rule, which is begun unless `ruled` says
// the notes already began it.
void keepParts(QTextDocument* body, const QList<const QTextDocument*>& parts, const QList<const QTextDocument*>& shown,
               bool ruled);

}  // namespace EndNotes
