#include "fields.h"

#include <QHash>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace Fields {
namespace {

int idOf(const QTextCharFormat& format) { return format.property(IdProperty).toInt(); }

int idAt(const QTextDocument* document, int position)
{
    if (position < 0 || position >= document->characterCount() - 1)
        return 0;
    const QTextBlock block = document->findBlock(position);
    for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment f = it.fragment();
        if (position >= f.position() && position < f.position() + f.length())
            return idOf(f.charFormat());
    }
    return 0;
}

bool plainBlankAt(const QTextDocument* document, int position)
{
    return position >= 0 && position < document->characterCount() - 1
        && document->characterAt(position) == QLatin1Char(' ') && idAt(document, position) == 0;
}

}  // namespace

QList<Span> spans(const QTextDocument* document)
{
    QList<Span> result;
    for (QTextBlock b = document->begin(); b.isValid(); b = b.next())
        for (QTextBlock::iterator it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            const int id = idOf(f.charFormat());
            if (id <= 0)
                continue;
            if (!result.isEmpty() && result.last().id == id && result.last().end == f.position())
                result.last().end = f.position() + f.length();
            else
                result.append({id, f.position(), f.position() + f.length()});
        }
    return result;
}

Span find(const QTextDocument* document, int id)
{
    for (const Span& span : spans(document))
        if (span.id == id)
            return span;
    return {};
}

int highestId(const QTextDocument* document)
{
    int highest = 0;
    for (const Span& span : spans(document))
        highest = std::max(highest, span.id);
    return highest;
}

int at(const QTextCursor& cursor)
{
    const QTextDocument* document = cursor.document();
    const int position = cursor.position();
    if (const int before = idAt(document, position - 1))
        return before;
    return idAt(document, position);
}

int inside(const QTextDocument* document, int position)
{
    const int before = idAt(document, position - 1);
    return before != 0 && before == idAt(document, position) ? before : 0;
}

bool isEditable(const QTextCharFormat& format)
{
    return !format.hasProperty(EditableProperty) || format.boolProperty(EditableProperty);
}

bool lockedAt(const QTextDocument* document, int position)
{
    QTextCursor cursor(const_cast<QTextDocument*>(document));
    cursor.setPosition(position + 1);  // a cursor's format is that of the character before it
    const QTextCharFormat format = cursor.charFormat();
    return format.property(IdProperty).toInt() != 0 && !isEditable(format);
}

TakenBlank blankBeside(const QTextDocument* document, const Span& span, int* position)
{
    const QTextBlock block = document->findBlock(span.start);
    if (span.start > block.position()) {
        if (!plainBlankAt(document, span.start - 1))
            return NoBlank;
        *position = span.start - 1;
        return BlankBefore;
    }
    if (span.end >= block.position() + block.length() - 1 || !plainBlankAt(document, span.end))
        return NoBlank;
    *position = span.end;
    return BlankAfter;
}

QTextCharFormat withoutField(QTextCharFormat format)
{
    for (int p : {IdProperty, DataProperty, TypeProperty, EditableProperty, TakenBlankProperty})
        format.clearProperty(p);
    return format;
}

int renumber(QTextDocument* document, int from, int to, int next)
{
    QHash<int, int> fresh;
    for (const Span& span : spans(document)) {
        if (span.end <= from || span.start >= to)
            continue;
        if (!fresh.contains(span.id))
            fresh.insert(span.id, next++);
        QTextCursor c(document);
        c.setPosition(span.start);
        c.setPosition(span.end, QTextCursor::KeepAnchor);
        QTextCharFormat id;
        id.setProperty(IdProperty, fresh.value(span.id));
        c.mergeCharFormat(id);
    }
    return next;
}

int typeOfInstruction(const QString& instruction, QString* data)
{
    const QString simple = instruction.simplified();
    const QString kind = simple.section(QLatin1Char(' '), 0, 0).toUpper();
    if (data) {
        *data = simple.section(QLatin1Char(' '), 1, 1);
        data->remove(QLatin1Char('"'));
    }
    if (kind == QLatin1String("MERGEFIELD"))
        return TextField;
    if (kind == QLatin1String("PAGE"))
        return PageNumber;
    if (kind == QLatin1String("NUMPAGES"))
        return PageCount;
    return -1;
}

QString instruction(const QTextCharFormat& format)
{
    switch (format.intProperty(TypeProperty)) {
    case PageNumber: return QStringLiteral("PAGE");
    case PageCount: return QStringLiteral("NUMPAGES");
    default: return QStringLiteral("MERGEFIELD ") + format.stringProperty(DataProperty);
    }
}

QString placeholder(int type, const QString& data)
{
    return type == TextField ? QLatin1Char('[') + data + QLatin1Char(']') : QStringLiteral("1");
}

bool markInstruction(QTextCursor& cursor, int start, const QString& instruction, int id, const QTextCharFormat& format)
{
    QString data;
    const int type = typeOfInstruction(instruction, &data);
    if (type < 0)
        return false;
    QTextCharFormat field;
    field.setProperty(IdProperty, id);
    field.setProperty(DataProperty, data);
    field.setProperty(TypeProperty, type);
    if (cursor.position() <= start) {
        QTextCharFormat shown = format;
        shown.merge(field);
        cursor.insertText(placeholder(type, data), shown);
        return true;
    }
    QTextCursor range(cursor.document());
    range.setPosition(start);
    range.setPosition(cursor.position(), QTextCursor::KeepAnchor);
    range.mergeCharFormat(field);
    return true;
}

int setText(QTextDocument* document, const Span& span, const QString& text, bool closeGap)
{
    QTextCursor c(document);
    c.setPosition(span.start + 1);
    QTextCharFormat format = c.charFormat();
    int taken = format.intProperty(TakenBlankProperty);
    format.clearProperty(TakenBlankProperty);
    c.beginEditBlock();
    c.setPosition(span.start);
    c.setPosition(span.end, QTextCursor::KeepAnchor);
    c.insertText(text.isEmpty() ? QString(QChar(0x200B)) : text, format);
    Span now{span.id, span.start, c.position()};
    if (taken != NoBlank && !(text.isEmpty() && closeGap)) {
        // The blank the field took while it was empty comes back as ordinary text.
        QTextCursor blank(document);
        blank.setPosition(taken == BlankBefore ? now.start : now.end);
        blank.insertText(QStringLiteral(" "), withoutField(format));
        if (taken == BlankBefore) {
            ++now.start;
            ++now.end;
        }
        taken = NoBlank;
    } else if (taken == NoBlank && text.isEmpty() && closeGap) {
        int position = -1;
        taken = blankBeside(document, now, &position);
        if (taken != NoBlank) {
            QTextCursor blank(document);
            blank.setPosition(position);
            blank.deleteChar();
            if (taken == BlankBefore) {
                --now.start;
                --now.end;
            }
        }
    }
    if (taken != NoBlank) {
        QTextCursor field(document);
        field.setPosition(now.start);
        field.setPosition(now.end, QTextCursor::KeepAnchor);
        QTextCharFormat mark;
        mark.setProperty(TakenBlankProperty, taken);
        field.mergeCharFormat(mark);
    }
    c.endEditBlock();
    return now.end;
}

}  // namespace Fields
