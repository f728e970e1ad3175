#include "docxnumbering.h"

#include "docxnames.h"

#include <QTextBlock>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace DocxNumbering {
namespace {

using ListLevels::LevelDefinition;

// Attributes by their local name: the files of other programs differ in prefixes.
QStringView attribute(const QXmlStreamReader& xml, QLatin1String name)
{
    for (const QXmlStreamAttribute& a : xml.attributes())
        if (a.name() == name)
            return a.value();
    return {};
}

int number(QStringView text, int fallback)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    return ok ? n : fallback;
}

ListLevels::Style styleOf(QStringView format, const QString& text)
{
    if (format == QLatin1String("bullet") || format == QLatin1String("none"))
        return ListLevels::bulletStyleOf(text);
    if (format == QLatin1String("upperRoman"))
        return ListLevels::UpperRoman;
    if (format == QLatin1String("lowerRoman"))
        return ListLevels::LowerRoman;
    if (format == QLatin1String("upperLetter"))
        return ListLevels::UpperAlpha;
    if (format == QLatin1String("lowerLetter"))
        return ListLevels::LowerAlpha;
    return text.trimmed().endsWith(QLatin1Char(')')) ? ListLevels::DecimalParen : ListLevels::Decimal;
}

QString formatName(ListLevels::Style style)
{
    switch (style) {
    case ListLevels::UpperRoman: return QStringLiteral("upperRoman");
    case ListLevels::LowerRoman: return QStringLiteral("lowerRoman");
    case ListLevels::UpperAlpha: return QStringLiteral("upperLetter");
    case ListLevels::LowerAlpha: return QStringLiteral("lowerLetter");
    case ListLevels::Decimal:
    case ListLevels::DecimalParen: return QStringLiteral("decimal");
    default: return QStringLiteral("bullet");
    }
}

// A w:lvl element's content into `level`; the reader stands on its start.
void readLevel(QXmlStreamReader& xml, LevelDefinition& level)
{
    QString format = QStringLiteral("decimal"), text;
    bool formatGiven = false;
    int depth = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement() && depth-- == 0)
            break;
        if (!xml.isStartElement())
            continue;
        ++depth;
        if (xml.name() == QLatin1String("start"))
            level.start = std::clamp(number(attribute(xml, QLatin1String("val")), 1), 0, 32767);
        else if (xml.name() == QLatin1String("numFmt")) {
            format = attribute(xml, QLatin1String("val")).toString();
            formatGiven = true;
        } else if (xml.name() == QLatin1String("lvlText"))
            text = attribute(xml, QLatin1String("val")).toString();
        else if (xml.name() == QLatin1String("ind")) {
            QStringView left = attribute(xml, QLatin1String("left"));
            if (left.isEmpty())
                left = attribute(xml, QLatin1String("start"));
            if (!left.isEmpty())
                level.leftTwips = std::clamp(number(left, 0), 0, 31680);
        }
    }
    if (formatGiven || !text.isEmpty())
        level.style = styleOf(format, text);
    level.numberTemplate = ListLevels::isBullet(level.style) ? QString() : text;
}

QList<LevelDefinition> defaultLevels()
{
    QList<LevelDefinition> levels;
    for (int l = 0; l < ListLevels::Count; ++l)
        levels << LevelDefinition{ListLevels::defaultStyle(ListLevels::Kind::Number, l), 1, -1, {}};
    return levels;
}

}  // namespace

QString groupKey(QStringView numId)
{
    const int id = number(numId, 0);
    return id > 0 ? QStringLiteral("num%1").arg(id) : QString();
}

ListLevels::Definitions read(const QByteArray& bytes)
{
    QHash<QString, QList<LevelDefinition>> abstracts;
    struct Num {
        QString abstract;
        QHash<int, LevelDefinition> levels;  // whole levels an override gives
        QHash<int, int> starts;
    };
    QHash<QString, Num> nums;
    QXmlStreamReader xml(bytes);
    QList<LevelDefinition>* abstract = nullptr;
    Num* num = nullptr;
    int overrideLevel = -1;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement()) {
            if (xml.name() == QLatin1String("abstractNum"))
                abstract = nullptr;
            else if (xml.name() == QLatin1String("num"))
                num = nullptr;
            else if (xml.name() == QLatin1String("lvlOverride"))
                overrideLevel = -1;
            continue;
        }
        if (!xml.isStartElement())
            continue;
        const QStringView name = xml.name();
        if (name == QLatin1String("abstractNum")) {
            abstract = &abstracts[attribute(xml, QLatin1String("abstractNumId")).toString()];
            *abstract = defaultLevels();
        } else if (name == QLatin1String("num")) {
            num = &nums[attribute(xml, QLatin1String("numId")).toString()];
        } else if (name == QLatin1String("abstractNumId") && num) {
            num->abstract = attribute(xml, QLatin1String("val")).toString();
        } else if (name == QLatin1String("lvlOverride") && num) {
            overrideLevel = std::clamp(number(attribute(xml, QLatin1String("ilvl")), 0), 0, ListLevels::Count - 1);
        } else if (name == QLatin1String("startOverride") && num && overrideLevel >= 0) {
            num->starts.insert(overrideLevel, std::clamp(number(attribute(xml, QLatin1String("val")), 1), 0, 32767));
        } else if (name == QLatin1String("lvl")) {
            const int l = number(attribute(xml, QLatin1String("ilvl")), -1);
            LevelDefinition level;
            if (abstract && l >= 0 && l < ListLevels::Count) {
                level = (*abstract)[l];
                readLevel(xml, level);
                (*abstract)[l] = level;
            } else if (num && overrideLevel >= 0) {
                readLevel(xml, level);
                num->levels.insert(overrideLevel, level);
            } else {
                xml.skipCurrentElement();
            }
        }
    }
    ListLevels::Definitions definitions;
    for (auto it = nums.constBegin(); it != nums.constEnd(); ++it) {
        const QString key = groupKey(it.key());
        if (key.isEmpty())
            continue;
        QList<LevelDefinition> levels = abstracts.value(it->abstract, defaultLevels());
        for (auto l = it->levels.constBegin(); l != it->levels.constEnd(); ++l)
            levels[l.key()] = l.value();
        for (auto s = it->starts.constBegin(); s != it->starts.constEnd(); ++s)
            levels[s.key()].start = s.value();
        definitions.insert(key, levels);
    }
    return definitions;
}

QByteArray write(const ListLevels::Table& table)
{
    QByteArray xml;
    QXmlStreamWriter out(&xml);
    out.writeStartDocument(QStringLiteral("1.0"), true);
    out.writeStartElement(QStringLiteral("w:numbering"));
    out.writeNamespace(QLatin1String(DocxNames::W), QStringLiteral("w"));
    for (int i = 0; i < table.count(); ++i) {
        out.writeStartElement(QStringLiteral("w:abstractNum"));
        out.writeAttribute(QStringLiteral("w:abstractNumId"), QString::number(i));
        out.writeEmptyElement(QStringLiteral("w:multiLevelType"));
        out.writeAttribute(QStringLiteral("w:val"), QStringLiteral("hybridMultilevel"));
        const QList<LevelDefinition>& levels = table.levels(i);
        for (int l = 0; l < levels.size(); ++l) {
            const LevelDefinition& d = levels.at(l);
            out.writeStartElement(QStringLiteral("w:lvl"));
            out.writeAttribute(QStringLiteral("w:ilvl"), QString::number(l));
            out.writeEmptyElement(QStringLiteral("w:start"));
            out.writeAttribute(QStringLiteral("w:val"), QString::number(d.start));
            out.writeEmptyElement(QStringLiteral("w:numFmt"));
            out.writeAttribute(QStringLiteral("w:val"), formatName(d.style));
            out.writeEmptyElement(QStringLiteral("w:lvlText"));
            out.writeAttribute(QStringLiteral("w:val"), d.numberTemplate.isEmpty() || ListLevels::isBullet(d.style)
                                                            ? ListLevels::defaultTemplate(d.style, l)
                                                            : d.numberTemplate);
            out.writeEmptyElement(QStringLiteral("w:lvlJc"));
            out.writeAttribute(QStringLiteral("w:val"), QStringLiteral("left"));
            out.writeStartElement(QStringLiteral("w:pPr"));
            out.writeEmptyElement(QStringLiteral("w:ind"));
            out.writeAttribute(QStringLiteral("w:left"), QString::number(d.leftTwips));
            out.writeAttribute(QStringLiteral("w:hanging"), QString::number(std::min(360, d.leftTwips)));
            out.writeEndElement();
            out.writeEndElement();
        }
        out.writeEndElement();
    }
    for (int i = 0; i < table.count(); ++i) {
        out.writeStartElement(QStringLiteral("w:num"));
        out.writeAttribute(QStringLiteral("w:numId"), QString::number(i + 1));
        out.writeEmptyElement(QStringLiteral("w:abstractNumId"));
        out.writeAttribute(QStringLiteral("w:val"), QString::number(i));
        out.writeEndElement();
    }
    out.writeEndElement();
    out.writeEndDocument();
    return xml;
}

void writeNumPr(QXmlStreamWriter& out, const ListLevels::Table& table, const QTextBlock& block)
{
    const int index = table.indexOf(block);
    if (index < 0)
        return;
    out.writeStartElement(QStringLiteral("w:numPr"));
    out.writeEmptyElement(QStringLiteral("w:ilvl"));
    out.writeAttribute(QStringLiteral("w:val"), QString::number(ListLevels::item(block).level));
    out.writeEmptyElement(QStringLiteral("w:numId"));
    out.writeAttribute(QStringLiteral("w:val"), QString::number(index + 1));
    out.writeEndElement();
}

}  // namespace DocxNumbering
