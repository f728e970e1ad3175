#include "headerstories.h"

#include "wordbinary.h"

#include <QSet>

namespace HeaderStories {

namespace {
constexpr int Separators = 6;
constexpr int PerSection = 6;
constexpr quint32 MaxStories = 6 * 10'000;
}  // namespace

QList<Range> read(const LittleEndian::Reader& t, quint32 fc, quint32 lcb, quint32 base, quint32 end)
{
    QList<Range> stories;
    // n + 1 positions for n stories, and one more after them that closes the header document.
    const quint32 positions = lcb / 4;
    if (positions < 3 || !t.has(fc, lcb))
        return stories;
    const quint32 count = std::min(positions - 2, MaxStories);
    for (quint32 i = 0; i < count; ++i) {
        const quint32 from = t.u32(fc + i * 4), to = t.u32(fc + (i + 1) * 4);
        // A story beyond the header document, or running backwards, is read as empty.
        if (from > end - base || to > end - base || to < from)
            stories.append(Range{});
        else
            stories.append(Range{base + from, base + to});
    }
    return stories;
}

Choice choose(const QList<Range>& stories, const QList<bool>& titlePages, bool facingPages,
              const std::function<QString(Range)>& text, bool firstPageParts)
{
    using namespace WordBinary;
    Choice choice;
    QSet<QString> kept;
    // What a section shows: the odd-page (every page's) story first, which stands for the part
    // when only one can.
    auto story = [&](qsizetype section, int kind) { return stories.value(Separators + int(section) * PerSection + kind - Separators); };
    choice.titlePage = firstPageParts && titlePages.value(0);
    if (choice.titlePage) {
        choice.firstHeader = story(0, FirstHeader);
        choice.firstFooter = story(0, FirstFooter);
        for (const Range& r : {choice.firstHeader, choice.firstFooter})
            if (!r.isEmpty())
                kept.insert(text(r).simplified());
    }
    auto shown = [&](qsizetype section, bool header) {
        QList<int> kinds{header ? OddHeader : OddFooter};
        // The first section's first page's own parts are shown as such.
        if (titlePages.value(section) && (section > 0 || !choice.titlePage))
            kinds << (header ? FirstHeader : FirstFooter);
        if (facingPages)
            kinds << (header ? EvenHeader : EvenFooter);
        QList<std::pair<Range, QString>> result;
        for (const int kind : kinds) {
            const Range r = story(section, kind);
            if (r.isEmpty())
                continue;  // empty: as the section before has it
            const QString words = text(r).simplified();
            if (!words.isEmpty())
                result.append({r, words});
        }
        return result;
    };
    const qsizetype sections = titlePages.size();
    for (const bool header : {true, false}) {
        Range& part = header ? choice.header : choice.footer;
        for (qsizetype s = 0; s < sections && part.isEmpty(); ++s)
            if (const auto parts = shown(s, header); !parts.isEmpty()) {
                part = parts.first().first;
                kept.insert(parts.first().second);
            }
    }
    for (qsizetype s = 0; s < sections; ++s)
        for (const bool header : {true, false})
            for (const auto& [range, words] : shown(s, header))
                if (!kept.contains(words)) {
                    kept.insert(words);
                    choice.others.append(range);
                }
    return choice;
}

}  // namespace HeaderStories
