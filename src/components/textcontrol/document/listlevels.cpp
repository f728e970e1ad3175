#include "listlevels.h"

#include "layoutunits.h"

#include <QHash>
#include <QSet>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

namespace ListLevels {
namespace {

Style clampStyle(int value) { return value >= 0 && value < StyleCount ? Style(value) : Disc; }

QString alphabetic(int n, char a)
{
    QString text;
    for (int v = std::max(1, n); v > 0; v = (v - 1) / 26)
        text.prepend(QChar(a + (v - 1) % 26));
    return text;
}

QString roman(int n)
{
    if (n <= 0 || n >= 4000)
        return QString::number(n);
    static const std::pair<int, const char*> parts[] = {{1000, "m"}, {900, "cm"}, {500, "d"}, {400, "cd"},
                                                       {100, "c"},  {90, "xc"},  {50, "l"},  {40, "xl"},
                                                       {10, "x"},   {9, "ix"},   {5, "v"},   {4, "iv"},
                                                       {1, "i"}};
    QString text;
    for (const auto& [value, letters] : parts)
        for (; n >= value; n -= value)
            text += QLatin1String(letters);
    return text;
}

QTextListFormat::Style qtStyle(Style style)
{
    switch (style) {
    case Disc: return QTextListFormat::ListDisc;
    case Circle: return QTextListFormat::ListCircle;
    case Square: return QTextListFormat::ListSquare;
    default: return QTextListFormat::ListStyleUndefined;  // drawn by ListMarkers
    }
}

Style fromQtStyle(const QTextListFormat& format)
{
    switch (format.style()) {
    case QTextListFormat::ListCircle: return Circle;
    case QTextListFormat::ListSquare: return Square;
    case QTextListFormat::ListDecimal:
        return format.numberSuffix() == QLatin1String(")") ? DecimalParen : Decimal;
    case QTextListFormat::ListLowerAlpha: return LowerAlpha;
    case QTextListFormat::ListUpperAlpha: return UpperAlpha;
    case QTextListFormat::ListLowerRoman: return LowerRoman;
    case QTextListFormat::ListUpperRoman: return UpperRoman;
    default: return Disc;
    }
}

int nextGroup(const QTextDocument* document)
{
    int highest = 0;
    for (QTextBlock b = document->begin(); b.isValid(); b = b.next())
        if (const QTextList* list = b.textList())
            highest = std::max(highest, groupOf(list->format()));
    return highest + 1;
}

}  // namespace

Style defaultStyle(Kind kind, int level)
{
    static const Style bullets[3] = {Disc, Circle, Square};
    static const Style numbers[3] = {Decimal, LowerAlpha, LowerRoman};
    const int i = std::clamp(level, 0, Count - 1) % 3;
    return kind == Kind::Bullet ? bullets[i] : numbers[i];
}

int defaultLeftTwips(int level) { return (std::clamp(level, 0, Count - 1) + 1) * StepTwips; }

QString bulletText(Style style)
{
    switch (style) {
    case Circle: return QStringLiteral("\u25E6");
    case Square: return QStringLiteral("\u25AA");
    case Dash: return QStringLiteral("\u2013");
    default: return QStringLiteral("\u2022");
    }
}

QString numberText(Style style, int n)
{
    switch (style) {
    case Decimal: return QString::number(n) + QLatin1Char('.');
    case DecimalParen: return QString::number(n) + QLatin1Char(')');
    case LowerAlpha: return alphabetic(n, 'a') + QLatin1Char('.');
    case UpperAlpha: return alphabetic(n, 'A') + QLatin1Char('.');
    case LowerRoman: return roman(n) + QLatin1Char('.');
    case UpperRoman: return roman(n).toUpper() + QLatin1Char('.');
    default: return bulletText(style);
    }
}

QString numberSuffix(Style style) { return style == DecimalParen ? QStringLiteral(")") : QStringLiteral("."); }

QString defaultTemplate(Style style, int level)
{
    return isBullet(style) ? bulletText(style) : QStringLiteral("%%1").arg(level + 1) + numberSuffix(style);
}

Style bulletStyleOf(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return Disc;
    switch (t.at(0).unicode()) {
    case 0x25E6: case 0x25CB: case 'o': case 0xF06F: return Circle;
    case 0x25AA: case 0x25A0: case 0xA7: case 0xF0A7: case 0xF0A8: case 0xF06E: return Square;
    case 0x2013: case 0x2014: case '-': case 0x2212: return Dash;
    default: return Disc;
    }
}

QString templateOfLevelText(const QString& levelText)
{
    QString pattern;
    for (QChar c : levelText) {
        if (c.unicode() < Count)
            pattern += QLatin1Char('%') + QChar('1' + c.unicode());
        else if (c.unicode() >= 0x20)
            pattern += c;
    }
    return pattern;
}

QString levelTextOfTemplate(const QString& numberTemplate, QList<int>* positions)
{
    QString text;
    for (qsizetype i = 0; i < numberTemplate.size(); ++i) {
        const QChar c = numberTemplate.at(i);
        if (c == QLatin1Char('%') && i + 1 < numberTemplate.size() && numberTemplate.at(i + 1) >= QLatin1Char('1')
            && numberTemplate.at(i + 1) <= QLatin1Char('9')) {
            text += QChar(numberTemplate.at(++i).unicode() - '1');
            if (positions)
                *positions << int(text.size());
        } else {
            text += c;
        }
    }
    return text;
}

Style styleOfWordFormat(int numberFormat, const QString& levelText)
{
    switch (numberFormat) {
    case 1: return UpperRoman;
    case 2: return LowerRoman;
    case 3: return UpperAlpha;
    case 4: return LowerAlpha;
    case 23: case 255: return bulletStyleOf(levelText);
    default: return levelText.trimmed().endsWith(QLatin1Char(')')) ? DecimalParen : Decimal;
    }
}

int wordFormatOf(Style style)
{
    switch (style) {
    case UpperRoman: return 1;
    case LowerRoman: return 2;
    case UpperAlpha: return 3;
    case LowerAlpha: return 4;
    case Decimal: case DecimalParen: return 0;
    default: return 23;
    }
}

QTextListFormat format(Style style, int level, int start, int group, const QString& numberTemplate)
{
    QTextListFormat f;
    f.setStyle(qtStyle(style));
    f.setIndent(std::clamp(level, 0, Count - 1) + 1);
    f.setProperty(StyleProperty, int(style));
    f.setProperty(StartProperty, std::max(0, start));
    if (group > 0)
        f.setProperty(GroupProperty, group);
    if (!isBullet(style) && !numberTemplate.isEmpty() && numberTemplate != defaultTemplate(style, level))
        f.setProperty(TemplateProperty, numberTemplate.left(64));
    return f;
}

Style styleOf(const QTextListFormat& format)
{
    return format.hasProperty(StyleProperty) ? clampStyle(format.intProperty(StyleProperty)) : fromQtStyle(format);
}

int levelOf(const QTextListFormat& format) { return std::clamp(format.indent() - 1, 0, Count - 1); }

int startOf(const QTextListFormat& format)
{
    return format.hasProperty(StartProperty) ? std::max(0, format.intProperty(StartProperty)) : 1;
}

int groupOf(const QTextListFormat& format) { return format.intProperty(GroupProperty); }

namespace {

QString bareNumber(Style style, int n)
{
    QString text = numberText(style, n);
    return isBullet(style) ? text : text.chopped(1);
}

// A number made from a template: the numbers of the levels above are those of the nearest
// items above this one on those levels.
QString templated(const QTextBlock& block, const Item& it)
{
    QString parts[Count];
    parts[it.level] = bareNumber(it.style, it.number);
    int need = it.level - 1;
    int steps = 0;
    for (QTextBlock b = block.previous(); b.isValid() && need >= 0 && steps < 10000; b = b.previous(), ++steps) {
        const QTextList* list = b.textList();
        if (!list || groupOf(list->format()) != it.group)
            continue;
        const QTextListFormat f = list->format();
        const int level = levelOf(f);
        if (level > need)
            continue;
        parts[level] = bareNumber(styleOf(f), startOf(f) + std::max(0, list->itemNumber(b)));
        need = level - 1;
    }
    QString text;
    const QString& pattern = it.numberTemplate;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        if (pattern.at(i) == QLatin1Char('%') && i + 1 < pattern.size() && pattern.at(i + 1) >= QLatin1Char('1')
            && pattern.at(i + 1) <= QLatin1Char('9')) {
            text += parts[pattern.at(++i).unicode() - '1'];
        } else {
            text += pattern.at(i);
        }
    }
    return text;
}

// The item without its number and marker when `numbered` is false: counting items costs a
// walk through the list, which a writer's table of lists does not need.
Item describe(const QTextBlock& block, bool numbered)
{
    Item it;
    const QTextList* list = block.textList();
    if (!list)
        return it;
    const QTextListFormat f = list->format();
    it.inList = true;
    it.group = groupOf(f);
    it.level = levelOf(f);
    it.style = styleOf(f);
    it.start = startOf(f);
    it.numberTemplate = isBullet(it.style) ? QString() : f.stringProperty(TemplateProperty);
    if (numbered) {
        it.number = it.start + std::max(0, list->itemNumber(block));
        it.marker = isBullet(it.style) ? bulletText(it.style)
            : it.numberTemplate.isEmpty() ? numberText(it.style, it.number)
                                          : templated(block, it);
    }
    // The step of the convention, also in a document made for a moment (a copy, a selection).
    const double indentWidth = LayoutUnits::fromTwips(StepTwips);
    it.leftTwips = LayoutUnits::toTwips(block.blockFormat().leftMargin()
                                        + (block.blockFormat().indent() + f.indent()) * indentWidth);
    return it;
}

}  // namespace

Item item(const QTextBlock& block) { return describe(block, true); }

void prepare(QTextDocument* document) { document->setIndentWidth(LayoutUnits::fromTwips(StepTwips)); }

void normalize(QTextDocument* document)
{
    int group = nextGroup(document);
    int previousGroup = 0;
    QSet<QTextList*> seen;
    for (QTextBlock b = document->begin(); b.isValid(); b = b.next()) {
        QTextList* list = b.textList();
        if (!list) {
            previousGroup = 0;
            continue;
        }
        if (!seen.contains(list)) {
            seen.insert(list);
            QTextListFormat f = list->format();
            const QTextListFormat wanted = format(styleOf(f), levelOf(f), startOf(f),
                                                  groupOf(f) > 0 ? groupOf(f) : previousGroup > 0 ? previousGroup : group++);
            if (f.style() != wanted.style() || !f.hasProperty(StyleProperty) || groupOf(f) == 0
                || f.indent() != wanted.indent()) {
                for (int p : {int(QTextFormat::ListStyle), int(QTextFormat::ListIndent), int(StyleProperty),
                              int(StartProperty), int(GroupProperty)})
                    f.setProperty(p, wanted.property(p));
                list->setFormat(f);
            }
        }
        previousGroup = groupOf(list->format());
    }
}

void attachReadLists(QTextDocument* document, const Definitions& definitions)
{
    int group = nextGroup(document);
    QHash<QString, int> groups;
    QHash<QPair<int, int>, QTextList*> open;  // (group, level) → the run items join
    prepare(document);
    const double step = LayoutUnits::fromTwips(StepTwips);
    for (QTextBlock b = document->begin(); b.isValid(); b = b.next()) {
        QTextBlockFormat bf = b.blockFormat();
        if (!bf.hasProperty(ReadGroupProperty))
            continue;
        const QString key = bf.stringProperty(ReadGroupProperty);
        const int level = std::clamp(bf.intProperty(ReadLevelProperty), 0, Count - 1);
        bf.clearProperty(ReadGroupProperty);
        bf.clearProperty(ReadLevelProperty);
        const auto definition = definitions.constFind(key);
        QTextCursor cursor(b);
        // The empty paragraph a file ends with is no item, though it has the last one's properties.
        const bool trailing = !b.next().isValid() && b.length() <= 1;
        if (definition == definitions.constEnd() || key.isEmpty() || trailing) {
            cursor.setBlockFormat(bf);
            continue;
        }
        int& id = groups[key];
        if (id == 0)
            id = group++;
        const LevelDefinition level0 = level < definition->size() ? definition->at(level) : LevelDefinition();
        // The item's text starts where the file puts it; the levels' steps are part of that.
        const double left = bf.hasProperty(QTextFormat::BlockLeftMargin) ? bf.leftMargin()
                            : LayoutUnits::fromTwips(level0.leftTwips >= 0 ? level0.leftTwips : defaultLeftTwips(level));
        bf.setLeftMargin(std::max(0.0, left - (level + 1) * step));
        bf.setTextIndent(0);
        bf.setIndent(0);
        cursor.setBlockFormat(bf);
        for (int deeper = level + 1; deeper < Count; ++deeper)
            open.remove({id, deeper});
        QTextList*& list = open[{id, level}];
        if (list)
            list->add(cursor.block());
        else
            list = cursor.createList(format(level0.style, level, level0.start, id, level0.numberTemplate));
    }
}

Table::Table(const QTextDocument* document)
{
    for (QTextBlock b = document->begin(); b.isValid(); b = b.next()) {
        const Item it = describe(b, false);
        if (!it.inList)
            continue;
        auto found = m_indexOfGroup.constFind(it.group);
        if (found == m_indexOfGroup.constEnd()) {
            QList<LevelDefinition> levels;
            for (int l = 0; l < Count; ++l)
                levels << LevelDefinition{defaultStyle(kindOf(it.style), l), 1, defaultLeftTwips(l), {}};
            found = m_indexOfGroup.insert(it.group, int(m_groups.size()));
            m_groups << levels;
            m_seen << QSet<int>();
        }
        if (!m_seen[*found].contains(it.level)) {
            m_seen[*found].insert(it.level);
            m_groups[*found][it.level] = {it.style, it.start, it.leftTwips, it.numberTemplate};
        }
    }
}

int Table::indexOf(const QTextBlock& block) const
{
    const QTextList* list = block.textList();
    return list ? m_indexOfGroup.value(groupOf(list->format()), -1) : -1;
}

QString plainText(const QTextDocument* document)
{
    bool any = false;
    for (QTextBlock b = document->begin(); b.isValid() && !any; b = b.next())
        any = b.textList() != nullptr;
    if (!any)
        return document->toPlainText();
    QStringList lines;
    for (QTextBlock b = document->begin(); b.isValid(); b = b.next()) {
        QString text = b.text();
        text.replace(QChar(QChar::Nbsp), QLatin1Char(' '));
        text.replace(QChar(QChar::LineSeparator), QLatin1Char('\n'));
        const Item it = item(b);
        if (it.inList)
            text = QString((it.level + 1) * 4, QLatin1Char(' ')) + it.marker + QLatin1Char(' ') + text;
        lines << text;
    }
    return lines.join(QLatin1Char('\n'));
}

}  // namespace ListLevels
