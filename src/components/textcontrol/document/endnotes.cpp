#include "endnotes.h"

#include <QTextDocumentFragment>
#include <utility>

#include "layoutunits.h"
#include "paragraphframes.h"

#include <QTextCursor>

namespace EndNotes {

void begin(QTextCursor& cursor)
{
    cursor.movePosition(QTextCursor::End);
    QTextBlockFormat rule;
    rule.setProperty(ParagraphFrames::StyleProperty, int(ParagraphFrames::Top));
    rule.setProperty(ParagraphFrames::LineWidthProperty, int(ParagraphFrames::DefaultLineWidth / 2));
    rule.setProperty(ParagraphFrames::DistanceProperty, 0);
    rule.setTopMargin(LayoutUnits::fromTwips(240));
    rule.setRightMargin(LayoutUnits::fromTwips(4 * 1440));  // a short rule, as word processors draw it
    QTextCharFormat small;
    small.setFontPointSize(4);
    cursor.insertBlock(rule, small);
    cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
}

QString footnoteMark(int n) { return QString::number(n); }

QString endnoteMark(int n)
{
    static const struct { int value; const char* digits; } Roman[] = {
        {1000, "m"}, {900, "cm"}, {500, "d"}, {400, "cd"}, {100, "c"}, {90, "xc"}, {50, "l"},
        {40, "xl"}, {10, "x"}, {9, "ix"}, {5, "v"}, {4, "iv"}, {1, "i"}};
    if (n <= 0 || n >= 4000)
        return QString::number(n);
    QString mark;
    for (const auto& r : Roman)
        for (; n >= r.value; n -= r.value)
            mark += QLatin1String(r.digits);
    return mark;
}

QTextCharFormat markFormat(QTextCharFormat text)
{
    text.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    return text;
}

void keepParts(QTextDocument* body, const QList<const QTextDocument*>& parts, const QList<const QTextDocument*>& shown,
               bool ruled)
{
    QStringList kept;
    for (const QTextDocument* part : shown)
        if (part)
            kept << part->toPlainText().trimmed();
    for (const QTextDocument* part : parts) {
        const QString plain = part->toPlainText().trimmed();
        if (plain.isEmpty() || kept.contains(plain))
            continue;
        kept << plain;
        QTextCursor end(body);
        end.movePosition(QTextCursor::End);
        if (!std::exchange(ruled, true))
            begin(end);
        else
            end.insertBlock(QTextBlockFormat(), QTextCharFormat());
        end.insertFragment(QTextDocumentFragment(part));
    }
}

}  // namespace EndNotes
