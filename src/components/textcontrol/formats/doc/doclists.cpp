#include "doclists.h"

#include "littleendian.h"
#include "propertychanges.h"

#include <QTextBlock>

namespace DocLists {
namespace {

using ListLevels::LevelDefinition;
using Data = LittleEndian::Reader;

constexpr int LstfSize = 28;
constexpr int LvlfSize = 28;
constexpr int LfoSize = 16;
constexpr int MaxLists = 4096;

// One LVL at `at`: its definition; `at` moves past it.
LevelDefinition readLevel(const Data& d, qint64& at)
{
    LevelDefinition level;
    level.start = std::clamp(int(d.u32(at)), 0, 32767);
    const int nfc = d.u8(at + 4);
    const int papx = d.u8(at + 25);
    const int chpx = d.u8(at + 24);
    at += LvlfSize;
    for (const PropertyChanges::Change& c : PropertyChanges::read(d, at, papx))
        if (c.code == WordBinary::Sprm::PDxaLeft || c.code == WordBinary::Sprm::PDxaLeft80)
            level.leftTwips = std::clamp(int(d.i16(c.operand)), 0, 31680);
    at += papx + chpx;
    const int count = std::min<int>(d.u16(at), 255);
    QString text;
    for (int i = 0; i < count; ++i)
        text += QChar(d.u16(at + 2 + 2 * i));
    at += 2 + 2 * qint64(count);
    const QString pattern = ListLevels::templateOfLevelText(text);
    level.style = ListLevels::styleOfWordFormat(nfc, pattern);
    if (!ListLevels::isBullet(level.style))
        level.numberTemplate = pattern;
    return level;
}

}  // namespace

QString groupKey(int ilfo) { return ilfo > 0 && ilfo < 0x07FF ? QStringLiteral("lfo%1").arg(ilfo) : QString(); }

ListLevels::Definitions read(const QByteArray& table, quint32 fcLst, quint32 lcbLst, quint32 fcLfo, quint32 lcbLfo)
{
    const Data d{table};
    ListLevels::Definitions definitions;
    if (lcbLst < 2 || lcbLfo < 4 || !d.has(fcLst, lcbLst) || !d.has(fcLfo, lcbLfo))
        return definitions;
    // The lists by their identifiers; their levels follow the list table.
    QHash<quint32, QList<LevelDefinition>> lists;
    const int count = std::clamp<int>(d.i16(fcLst), 0, MaxLists);
    qint64 at = qint64(fcLst) + 2 + qint64(count) * LstfSize;
    for (int i = 0; i < count && d.has(at, LvlfSize); ++i) {
        const qint64 lstf = qint64(fcLst) + 2 + qint64(i) * LstfSize;
        const bool simple = d.u8(lstf + 26) & 0x01;
        QList<LevelDefinition> levels;
        for (int l = 0; l < (simple ? 1 : ListLevels::Count) && d.has(at, LvlfSize); ++l)
            levels << readLevel(d, at);
        while (levels.size() < ListLevels::Count)
            levels << LevelDefinition{ListLevels::defaultStyle(ListLevels::Kind::Number, int(levels.size())), 1, -1, {}};
        lists.insert(d.u32(lstf), levels);
    }
    // The overrides, numbered from 1, and after them the levels they start anew.
    const int overrides = int(std::min<quint32>(d.u32(fcLfo), MaxLists));
    qint64 data = qint64(fcLfo) + 4 + qint64(overrides) * LfoSize;
    for (int i = 0; i < overrides; ++i) {
        const qint64 lfo = qint64(fcLfo) + 4 + qint64(i) * LfoSize;
        QList<LevelDefinition> levels = lists.value(d.u32(lfo));
        if (levels.isEmpty())
            levels.resize(ListLevels::Count);
        const int changed = d.u8(lfo + 12);
        data += 4;  // the override data's cp
        for (int c = 0; c < changed && d.has(data, 8); ++c) {
            const qint32 start = qint32(d.u32(data));
            const quint32 flags = d.u32(data + 4);
            data += 8;
            const int l = int(flags & 0x0F);
            if (flags & 0x20) {  // a whole level of its own
                qint64 level = data;
                const LevelDefinition own = readLevel(d, level);
                data = level;
                if (l < ListLevels::Count)
                    levels[l] = own;
            } else if ((flags & 0x10) && l < ListLevels::Count) {
                levels[l].start = std::clamp(int(start), 0, 32767);
            }
        }
        definitions.insert(groupKey(i + 1), levels);
    }
    return definitions;
}

Tables write(const ListLevels::Table& table)
{
    LittleEndian::Writer lists;
    lists.u16(table.count());
    for (int i = 0; i < table.count(); ++i) {
        lists.u32(quint32(i + 1));  // lsid
        lists.u32(0);               // template
        for (int s = 0; s < ListLevels::Count; ++s)
            lists.u16(0x0FFF);      // no style for the level
        lists.u8(0);                // nine levels
        lists.u8(0);
    }
    LittleEndian::Writer levels;
    for (int i = 0; i < table.count(); ++i)
        for (int l = 0; l < ListLevels::Count; ++l) {
            const LevelDefinition& d = table.levels(i).at(l);
            const bool bullet = ListLevels::isBullet(d.style);
            PropertyChanges::List papx;
            papx.word(WordBinary::Sprm::PDxaLeft80, d.leftTwips);
            papx.word(WordBinary::Sprm::PDxaLeft180, -std::min(360, d.leftTwips));
            levels.u32(quint32(d.start));
            levels.u8(ListLevels::wordFormatOf(d.style));
            levels.u8(0);  // left aligned
            QList<int> positions;
            const QString text = ListLevels::levelTextOfTemplate(
                bullet || d.numberTemplate.isEmpty() ? ListLevels::defaultTemplate(d.style, l) : d.numberTemplate, &positions);
            QByteArray numbers(9, '\0');
            for (int p = 0; p < positions.size() && p < 9; ++p)
                numbers[p] = char(positions.at(p));  // where the level numbers stand in the text
            levels.append(numbers);
            levels.u8(0);  // a tab follows the number
            levels.u32(0);
            levels.u32(0);
            levels.u8(0);  // no character changes
            levels.u8(int(papx.bytes().size()));
            levels.u8(0);
            levels.u8(0);
            levels.append(papx.bytes());
            levels.u16(int(text.size()));
            for (QChar c : text)
                levels.u16(c.unicode());
        }
    lists.append(levels.bytes);
    LittleEndian::Writer overrides;
    overrides.u32(quint32(table.count()));
    for (int i = 0; i < table.count(); ++i) {
        overrides.u32(quint32(i + 1));  // lsid
        overrides.zeros(8);
        overrides.u8(0);  // no levels overridden
        overrides.zeros(3);
    }
    for (int i = 0; i < table.count(); ++i)
        overrides.u32(0xFFFFFFFF);  // each override's data: a cp and no levels
    return {lists.bytes, overrides.bytes};
}

QByteArray paragraphChanges(const ListLevels::Table& table, const QTextBlock& block)
{
    const int index = table.indexOf(block);
    if (index < 0)
        return {};
    const ListLevels::Item item = ListLevels::item(block);
    PropertyChanges::List g;
    g.byte(SprmPIlvl, item.level);  // before the list: readers take the level the list finds
    g.word(SprmPIlfo, index + 1);
    g.word(WordBinary::Sprm::PDxaLeft80, item.leftTwips);
    g.word(WordBinary::Sprm::PDxaLeft180, -std::min(360, item.leftTwips));
    return g.bytes();
}

}  // namespace DocLists
