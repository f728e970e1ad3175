#pragma once
// The editing steps of lists on the paragraphs a cursor selects: make them items, change their
// style, start and indent, move them a level down or up, and take them out of their list.
// Each step is one undo step of the cursor's document.
#include "listlevels.h"

#include <QTextCursor>

namespace ListEditing {

// The style of the caret's list, or -1 outside a list.
int currentStyle(const QTextCursor& cursor);
// Makes the selected paragraphs items in `style`: items keep their level and list, other
// paragraphs join the list just above them or start a new one.
void apply(QTextCursor cursor, ListLevels::Style style);
// The Bullets and Numbering dialog's values for the caret's list level.
void applyLevel(QTextCursor cursor, ListLevels::Style style, int start, int leftTwips);
// Bullets or numbers on the selected paragraphs, or off when the caret's item has them already.
void toggle(QTextCursor cursor, ListLevels::Kind kind);
// The selected items' bullets and numbers go; the paragraphs and their text stay.
void remove(QTextCursor cursor);
// One level deeper (+1) or up (-1); up from the first level leaves the list. False when the
// caret is in no list.
bool changeLevel(QTextCursor cursor, int delta);

// Pasted items (or moved ones) between `from` and `to` join the run of their list right above
// them, so that they take its numbers instead of starting anew.
void joinRuns(QTextDocument* document, int from, int to);

}  // namespace ListEditing
