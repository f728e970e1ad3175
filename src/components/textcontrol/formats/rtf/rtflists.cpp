#include "rtflists.h"

#include "codepages.h"

#include <cctype>

#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

namespace RtfLists {
namespace {

using ListLevels::LevelDefinition;

// The words, braces and characters of a group, as the list tables need them.
struct Token {
    enum Type { Open, Close, Word, Char, End } type = End;
    QByteArray word;
    int param = 0;
    bool hasParam = false;
    QChar character;
};

Token make(Token::Type type)
{
    Token t;
    t.type = type;
    return t;
}

class Scanner {
public:
    explicit Scanner(QByteArrayView data) : m_data(data) {}

    Token next()
    {
        while (m_pos < m_data.size()) {
            const char c = m_data.at(m_pos++);
            if (c == '{')
                return make(Token::Open);
            if (c == '}')
                return make(Token::Close);
            if (c == '\r' || c == '\n')
                continue;
            if (c != '\\')
                return character(QChar::fromLatin1(c));
            if (m_pos >= m_data.size())
                break;
            const char s = m_data.at(m_pos);
            if (s == '\'') {
                ++m_pos;
                int value = 0;
                for (int digits = 0; digits < 2 && m_pos < m_data.size() && isxdigit(uchar(m_data.at(m_pos))); ++digits)
                    value = value * 16 + QByteArray(1, m_data.at(m_pos++)).toInt(nullptr, 16);
                return character(CodePages::toUnicode(1252, uchar(value)));
            }
            if (!QChar::isLetter(uchar(s)) || uchar(s) >= 0x80) {
                ++m_pos;
                if (s == '{' || s == '}' || s == '\\')
                    return character(QChar::fromLatin1(s));
                continue;
            }
            Token t = make(Token::Word);
            while (m_pos < m_data.size() && uchar(m_data.at(m_pos)) < 0x80 && QChar::isLetter(uchar(m_data.at(m_pos)))
                   && t.word.size() < 32)
                t.word += m_data.at(m_pos++);
            bool negative = false;
            if (m_pos < m_data.size() && m_data.at(m_pos) == '-') {
                negative = true;
                ++m_pos;
            }
            qint64 value = 0;
            while (m_pos < m_data.size() && m_data.at(m_pos) >= '0' && m_data.at(m_pos) <= '9') {
                if (value < 100'000'000)
                    value = value * 10 + (m_data.at(m_pos) - '0');
                ++m_pos;
                t.hasParam = true;
            }
            if (m_pos < m_data.size() && m_data.at(m_pos) == ' ')
                ++m_pos;
            t.param = int(negative ? -value : value);
            if (t.word == "u") {
                m_skip = 1;  // the fallback character after it
                return {Token::Char, {}, 0, false, QChar(char16_t(t.param < 0 ? t.param + 65536 : t.param))};
            }
            return t;
        }
        return make(Token::End);
    }

private:
    Token character(QChar c)
    {
        if (m_skip > 0) {
            --m_skip;
            return next();
        }
        return {Token::Char, {}, 0, false, c};
    }

    QByteArrayView m_data;
    qsizetype m_pos = 0;
    int m_skip = 0;
};

// A level text: its first character counts the rest; the rest as a template ("%1.").
QString levelTemplate(const QString& raw)
{
    QString text = raw.mid(1);
    if (text.endsWith(QLatin1Char(';')))
        text.chop(1);
    return ListLevels::templateOfLevelText(text);
}

}  // namespace

qsizetype groupEnd(const QByteArray& data, qsizetype from)
{
    int depth = 0;
    for (qsizetype p = from; p < data.size(); ++p) {
        const char c = data.at(p);
        if (c == '\\') {
            ++p;  // an escaped brace or backslash is text
        } else if (c == '{') {
            ++depth;
        } else if (c == '}') {
            if (depth == 0)
                return p;
            --depth;
        }
    }
    return data.size();
}

QString groupText(QByteArrayView group)
{
    QString text;
    Scanner scanner(group);
    for (Token t = scanner.next(); t.type != Token::End && text.size() < 256; t = scanner.next()) {
        if (t.type == Token::Char && t.character.unicode() >= 0x20)
            text += t.character;
        else if (t.type == Token::Word && t.word == "tab")
            text += QLatin1Char('\t');
    }
    return text;
}

void Tables::readListTable(QByteArrayView group)
{
    Scanner scanner(group);
    int depth = 0;
    int listDepth = -1, levelDepth = -1, textDepth = -1;
    QList<LevelDefinition> levels;
    LevelDefinition level;
    int numberFormat = 0;
    QString text;
    for (Token t = scanner.next(); t.type != Token::End; t = scanner.next()) {
        if (t.type == Token::Open) {
            ++depth;
            continue;
        }
        if (t.type == Token::Close) {
            if (depth == textDepth)
                textDepth = -1;
            if (depth == levelDepth) {
                const QString pattern = levelTemplate(text);
                level.style = ListLevels::styleOfWordFormat(numberFormat, pattern);
                if (!ListLevels::isBullet(level.style))
                    level.numberTemplate = pattern;
                if (levels.size() < ListLevels::Count)
                    levels << level;
                levelDepth = -1;
            }
            if (depth == listDepth)
                listDepth = -1;
            --depth;
            continue;
        }
        if (t.type == Token::Char) {
            if (textDepth >= 0 && text.size() < 64)
                text += t.character;
            continue;
        }
        if (t.word == "list") {
            listDepth = depth;
            levels.clear();
        } else if (t.word == "listlevel" && listDepth >= 0) {
            levelDepth = depth;
            level = LevelDefinition{};
            numberFormat = 0;
            text.clear();
        } else if (levelDepth >= 0 && (t.word == "levelnfc" || t.word == "levelnfcn")) {
            numberFormat = t.param;
        } else if (levelDepth >= 0 && t.word == "levelstartat") {
            level.start = std::clamp(t.param, 0, 32767);
        } else if (levelDepth >= 0 && (t.word == "li" || t.word == "lin")) {
            level.leftTwips = std::clamp(t.param, 0, 31680);
        } else if (levelDepth >= 0 && t.word == "leveltext") {
            textDepth = depth;
            text.clear();
        } else if (t.word == "listid" && listDepth >= 0 && levelDepth < 0) {
            m_lists.insert(t.param, levels);
        }
    }
}

void Tables::readOverrideTable(QByteArrayView group)
{
    Scanner scanner(group);
    int depth = 0, overrideDepth = -1, levelIndex = -1;
    int listId = 0;
    QHash<int, int> starts;
    for (Token t = scanner.next(); t.type != Token::End; t = scanner.next()) {
        if (t.type == Token::Open)
            ++depth;
        else if (t.type == Token::Close) {
            if (depth == overrideDepth)
                overrideDepth = -1;
            --depth;
        } else if (t.type != Token::Word) {
            continue;
        } else if (t.word == "listoverride") {
            overrideDepth = depth;
            listId = 0;
            levelIndex = -1;
            starts.clear();
        } else if (t.word == "listid" && overrideDepth >= 0) {
            listId = t.param;
        } else if (t.word == "lfolevel" && overrideDepth >= 0) {
            ++levelIndex;
        } else if (t.word == "levelstartat" && levelIndex >= 0) {
            starts.insert(levelIndex, std::clamp(t.param, 0, 32767));
        } else if (t.word == "ls" && overrideDepth >= 0) {
            m_listOfOverride.insert(t.param, listId);
            if (!starts.isEmpty())
                m_startOverrides.insert(t.param, starts);
        }
    }
}

QList<LevelDefinition> Tables::levels(int ls) const
{
    const auto list = m_lists.constFind(m_listOfOverride.value(ls, -1));
    if (list == m_lists.constEnd())
        return {};
    QList<LevelDefinition> levels = *list;
    const QHash<int, int> starts = m_startOverrides.value(ls);
    for (auto it = starts.constBegin(); it != starts.constEnd(); ++it)
        if (it.key() < levels.size())
            levels[it.key()].start = it.value();
    return levels;
}

OldNumbering readOldNumbering(QByteArrayView group)
{
    OldNumbering n;
    Scanner scanner(group);
    int depth = 0, textDepth = -1;
    bool bullet = false;
    QString before, after, *into = nullptr;
    ListLevels::Style style = ListLevels::Decimal;
    for (Token t = scanner.next(); t.type != Token::End; t = scanner.next()) {
        if (t.type == Token::Open) {
            ++depth;
        } else if (t.type == Token::Close) {
            if (depth == textDepth)
                textDepth = -1;
            --depth;
        } else if (t.type == Token::Char) {
            if (textDepth >= 0 && into && into->size() < 16)
                *into += t.character;
        } else if (t.word == "pnlvlblt") {
            bullet = true;
        } else if (t.word == "pnlvl") {
            n.level = std::clamp(t.param - 1, 0, ListLevels::Count - 1);
        } else if (t.word == "pnucrm") {
            style = ListLevels::UpperRoman;
        } else if (t.word == "pnlcrm") {
            style = ListLevels::LowerRoman;
        } else if (t.word == "pnucltr") {
            style = ListLevels::UpperAlpha;
        } else if (t.word == "pnlcltr") {
            style = ListLevels::LowerAlpha;
        } else if (t.word == "pnstart") {
            n.definition.start = std::clamp(t.param, 0, 32767);
        } else if (t.word == "pnindent") {
            n.definition.leftTwips = std::clamp(t.param, 0, 31680);
        } else if (t.word == "pntxta" || t.word == "pntxtb") {
            textDepth = depth;
            into = t.word == "pntxta" ? &after : &before;
        }
    }
    if (bullet)
        n.definition.style = ListLevels::bulletStyleOf(before);
    else
        n.definition.style = style == ListLevels::Decimal && after.trimmed() == QLatin1String(")") ? ListLevels::DecimalParen : style;
    n.key = QStringLiteral("pn:%1:%2:%3").arg(n.level).arg(int(n.definition.style)).arg(n.definition.start);
    return n;
}

// ---- writing ----

Writer::Writer(const QTextDocument* document) : m_document(document), m_table(document) {}

namespace {

QByteArray hexByte(int value) { return "\\'" + QByteArray::number(value, 16).rightJustified(2, '0'); }

// A level's \leveltext and \levelnumbers.
QByteArray levelText(const LevelDefinition& d, int level)
{
    const QString pattern = ListLevels::isBullet(d.style) || d.numberTemplate.isEmpty()
        ? ListLevels::defaultTemplate(d.style, level) : d.numberTemplate;
    QList<int> positions;
    const QString text = ListLevels::levelTextOfTemplate(pattern, &positions);
    QByteArray out = "{\\leveltext" + hexByte(int(text.size()));
    for (QChar c : text) {
        if (c.unicode() < ListLevels::Count)
            out += hexByte(c.unicode());
        else if (c.unicode() < 0x80 && c != QLatin1Char('\\') && c != QLatin1Char('{') && c != QLatin1Char('}')
                 && c != QLatin1Char(';'))
            out += char(c.unicode());
        else
            out += "\\u" + QByteArray::number(qint16(c.unicode())) + " ?";
    }
    out += ";}{\\levelnumbers";
    for (int p : positions)
        out += hexByte(p);
    return out + ";}";
}

}  // namespace

QByteArray Writer::tables() const
{
    if (m_table.isEmpty())
        return {};
    QByteArray out = "{\\*\\listtable";
    for (int i = 0; i < m_table.count(); ++i) {
        out += "\n{\\list\\listtemplateid" + QByteArray::number(i + 1);
        const QList<LevelDefinition>& levels = m_table.levels(i);
        for (int l = 0; l < levels.size(); ++l) {
            const LevelDefinition& d = levels.at(l);
            const int nfc = ListLevels::wordFormatOf(d.style);
            const QByteArray n = QByteArray::number(nfc);
            out += "{\\listlevel\\levelnfc" + n + "\\levelnfcn" + n + "\\leveljc0\\leveljcn0\\levelfollow0\\levelstartat"
                + QByteArray::number(d.start);
            out += levelText(d, l);
            const QByteArray left = QByteArray::number(d.leftTwips);
            out += "\\fi-360\\li" + left + "\\lin" + left + "}";
        }
        out += "{\\listname ;}\\listid" + QByteArray::number(i + 1) + "}";
    }
    out += "}\n{\\*\\listoverridetable";
    for (int i = 0; i < m_table.count(); ++i)
        out += "{\\listoverride\\listid" + QByteArray::number(i + 1) + "\\listoverridecount0\\ls" + QByteArray::number(i + 1) + "}";
    return out + "}\n";
}

QByteArray Writer::paragraphWords(const QTextBlock& block) const
{
    const int index = block.document() == m_document ? m_table.indexOf(block) : -1;
    if (index < 0)
        return {};
    const ListLevels::Item it = ListLevels::item(block);
    return "\\fi-360\\li" + QByteArray::number(it.leftTwips) + "\\ls" + QByteArray::number(index + 1) + "\\ilvl"
        + QByteArray::number(it.level);
}

QByteArray Writer::listText(const QTextBlock& block, const QByteArray& characterWords) const
{
    if (block.document() != m_document || m_table.indexOf(block) < 0)
        return {};
    QByteArray marker;
    for (QChar c : ListLevels::item(block).marker)
        marker += c.unicode() < 0x80 ? QByteArray(1, char(c.unicode()))
                                     : "\\u" + QByteArray::number(qint16(c.unicode())) + " ?";
    return "{\\listtext\\pard\\plain" + characterWords + ' ' + marker + "\\tab}";
}

}  // namespace RtfLists
