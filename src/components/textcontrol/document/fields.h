#pragma once
// A field is a run of text whose character format carries an identifier, its field data
// (for a merge field "table.column"), its type and whether the user may edit inside it.
#include <QList>
#include <QTextFormat>

class QTextCharFormat;
class QTextCursor;
class QTextDocument;

namespace Fields {

enum Property {
    IdProperty = QTextFormat::UserProperty + 1,
    DataProperty,
    TypeProperty,
    EditableProperty,
    TakenBlankProperty,  // an empty field took the blank before (1) or after (2) it
};

enum TakenBlank { NoBlank = 0, BlankBefore = 1, BlankAfter = 2 };

enum Type {
    TextField = 0,   // merge fields and other fields whose text the program sets
    PageNumber = 3,  // rendered on each page as its number
    PageCount = 4,   // rendered on each page as the number of pages
};

struct Span {
    int id = 0;
    int start = 0;  // document position of the first character
    int end = 0;    // position after the last character
};

// The fields of a document in document order.
QList<Span> spans(const QTextDocument* document);
Span find(const QTextDocument* document, int id);
int highestId(const QTextDocument* document);

// The field whose text holds the character before (or else after) the cursor; 0 for none.
int at(const QTextCursor& cursor);
// The field that both neighbours of the position belong to: the caret is inside it.
int inside(const QTextDocument* document, int position);

bool isEditable(const QTextCharFormat& format);
// Whether the character at `position` is the shown text of a field the user may not edit.
bool lockedAt(const QTextDocument* document, int position);
// The blank an empty field at `span` would take: the one right before it, or, when the field
// starts a paragraph, the one right after it; a blank inside another field is none.
TakenBlank blankBeside(const QTextDocument* document, const Span& span, int* position);
// The format without any field properties, for text typed next to a field.
QTextCharFormat withoutField(QTextCharFormat format);
// Replaces the text of the field at `span`, keeping its format; an empty text leaves the
// field its zero-width mark. With `closeGap`, an empty text also takes the blank beside the
// field (see blankBeside) with it, which the field gives back with its next text. One edit
// block; returns the field's new end.
int setText(QTextDocument* document, const Span& span, const QString& text, bool closeGap);

// What a field instruction of another program ("MERGEFIELD table.column", "PAGE", "NUMPAGES")
// is here: its type, -1 for a field that keeps only its result text, and its data.
int typeOfInstruction(const QString& instruction, QString* data);
// The instruction other programs know the field by: "MERGEFIELD data", "PAGE" or "NUMPAGES".
QString instruction(const QTextCharFormat& format);
// The text a field shows before it has any: "[data]" for a merge field, "1" for page fields.
QString placeholder(int type, const QString& data);
// Makes the text from `start` to the cursor field `id` of the instruction; without text, the
// field goes in with its placeholder in `format`. False for an instruction of no field here.
bool markInstruction(QTextCursor& cursor, int start, const QString& instruction, int id, const QTextCharFormat& format);

// Gives every field in [from, to) a fresh identifier above `next`; returns the next free one.
int renumber(QTextDocument* document, int from, int to, int next);

}  // namespace Fields
