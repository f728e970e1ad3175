#include "listediting.h"

#include "layoutunits.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

namespace ListEditing {
namespace {

using namespace ListLevels;

QList<QTextBlock> selectedBlocks(const QTextCursor& cursor)
{
    QList<QTextBlock> blocks;
    const QTextDocument* document = cursor.document();
    const QTextBlock last = document->findBlock(cursor.selectionEnd());
    for (QTextBlock b = document->findBlock(cursor.selectionStart()); b.isValid(); b = b.next()) {
        blocks << b;
        if (b == last)
            break;
    }
    return blocks;
}

int newGroup(const QTextDocument* document)
{
    int highest = 0;
    for (QTextBlock b = document->begin(); b.isValid(); b = b.next())
        if (const QTextList* list = b.textList())
            highest = std::max(highest, groupOf(list->format()));
    return highest + 1;
}

// The run an item at `level` continues: walking up through the items right above it, the first
// one at that level, unless an item above that level comes first (a deeper level restarts
// under each item above it). `group` 0 takes the group of the nearest item.
QTextList* runAbove(const QTextBlock& block, int& group, int level)
{
    for (QTextBlock b = block.previous(); b.isValid() && b.textList(); b = b.previous()) {
        const QTextListFormat f = b.textList()->format();
        if (group == 0)
            group = groupOf(f);
        if (groupOf(f) != group)
            continue;
        if (levelOf(f) == level)
            return b.textList();
        if (levelOf(f) < level)
            return nullptr;
    }
    return nullptr;
}

// Makes the paragraph an item at `level`; a new run gets `style`.
void attach(const QTextBlock& block, int group, int level, Style style)
{
    if (QTextList* list = runAbove(block, group, level)) {
        list->add(block);
        return;
    }
    QTextCursor(block).createList(format(style, level, 1, group > 0 ? group : newGroup(block.document())));
}

// Takes the paragraph out of its list, its indent as it was before it became an item.
void detach(const QTextBlock& block)
{
    QTextList* list = block.textList();
    if (!list)
        return;
    const int indent = block.blockFormat().indent();
    list->remove(block);
    QTextBlockFormat f = block.blockFormat();
    f.setIndent(indent);
    QTextCursor(block).setBlockFormat(f);
}

void setStyle(QTextList* list, Style style, int start)
{
    const QTextListFormat old = list->format();
    QTextListFormat f = format(style, levelOf(old), start, groupOf(old));
    list->setFormat(f);
}

}  // namespace

int currentStyle(const QTextCursor& cursor)
{
    const QTextList* list = cursor.block().textList();
    return list ? int(styleOf(list->format())) : -1;
}

void apply(QTextCursor cursor, Style style)
{
    cursor.beginEditBlock();
    QSet<QTextList*> restyled;
    int changedGroup = 0;
    bool kindChanged = false;
    for (const QTextBlock& block : selectedBlocks(cursor)) {
        if (QTextList* list = block.textList()) {
            if (!restyled.contains(list)) {
                restyled.insert(list);
                kindChanged = kindChanged || kindOf(styleOf(list->format())) != kindOf(style);
                changedGroup = groupOf(list->format());
                setStyle(list, style, startOf(list->format()));
            }
            continue;
        }
        // A paragraph right below a list of the same kind continues it; below bullets, numbers
        // start a list of their own.
        int group = 0;
        QTextList* above = runAbove(block, group, 0);
        if (above && kindOf(styleOf(above->format())) == kindOf(style)) {
            above->add(block);
            if (styleOf(above->format()) != style && !restyled.contains(above)) {
                restyled.insert(above);
                setStyle(above, style, startOf(above->format()));
            }
        } else {
            QTextCursor(block).createList(format(style, 0, 1, newGroup(block.document())));
        }
    }
    // Bullets turned into numbers (or back) change the list's other levels too.
    if (kindChanged) {
        QSet<QTextList*> done = restyled;
        for (QTextBlock b = cursor.document()->begin(); b.isValid(); b = b.next()) {
            QTextList* list = b.textList();
            if (!list || done.contains(list) || groupOf(list->format()) != changedGroup)
                continue;
            done.insert(list);
            setStyle(list, defaultStyle(kindOf(style), levelOf(list->format())), startOf(list->format()));
        }
    }
    cursor.endEditBlock();
}

void applyLevel(QTextCursor cursor, Style style, int start, int leftTwips)
{
    cursor.beginEditBlock();
    apply(cursor, style);
    QSet<QTextList*> done;
    const double step = LayoutUnits::fromTwips(StepTwips);
    for (const QTextBlock& block : selectedBlocks(cursor)) {
        QTextList* list = block.textList();
        if (!list)
            continue;
        if (!done.contains(list)) {
            done.insert(list);
            setStyle(list, style, start);
        }
        QTextBlockFormat f = block.blockFormat();
        f.setLeftMargin(std::max(0.0, LayoutUnits::fromTwips(leftTwips) - (levelOf(list->format()) + 1) * step));
        f.setTextIndent(0);
        QTextCursor(block).setBlockFormat(f);
    }
    cursor.endEditBlock();
}

void toggle(QTextCursor cursor, Kind kind)
{
    const int current = currentStyle(cursor);
    if (current >= 0 && kindOf(Style(current)) == kind) {
        remove(cursor);
        return;
    }
    const int level = current >= 0 ? levelOf(cursor.block().textList()->format()) : 0;
    apply(cursor, defaultStyle(kind, level));
}

void remove(QTextCursor cursor)
{
    cursor.beginEditBlock();
    for (const QTextBlock& block : selectedBlocks(cursor))
        detach(block);
    cursor.endEditBlock();
}

bool changeLevel(QTextCursor cursor, int delta)
{
    if (!cursor.block().textList())
        return false;
    cursor.beginEditBlock();
    for (const QTextBlock& block : selectedBlocks(cursor)) {
        const Item it = item(block);
        if (!it.inList)
            continue;
        const int level = it.level + delta;
        if (level >= Count)
            continue;
        detach(block);
        if (level >= 0)
            attach(block, it.group, level, defaultStyle(kindOf(it.style), level));
    }
    cursor.endEditBlock();
    return true;
}

void joinRuns(QTextDocument* document, int from, int to)
{
    const QTextBlock last = document->findBlock(to);
    for (QTextBlock b = document->findBlock(from); b.isValid(); b = b.next()) {
        if (QTextList* own = b.textList()) {
            int group = groupOf(own->format());
            QTextList* run = runAbove(b, group, levelOf(own->format()));
            if (run && run != own) {
                detach(b);
                run->add(b);
            }
        }
        if (b == last)
            break;
    }
}

}  // namespace ListEditing
