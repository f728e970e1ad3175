#pragma once
// Notes of other programs' documents (footnotes, endnotes, text boxes a reader cannot place):
// the engine has no notes of its own, so readers keep them as text after the body, under a
// short rule, each opening with its mark; the marks in the text are superscript numbers.
#include <QString>
#include <QTextCharFormat>

class QTextCursor;

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

}  // namespace EndNotes
