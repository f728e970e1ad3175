#pragma once
// Tab stops as Word lays them out where Qt's differ: a decimal stop aligns the text after it on
// its decimal point; text without one ends at the stop, or, where it holds a number, that
// number ends there ("01329 555 0192"). Where the character after the number stands earlier in
// the text too ("Levothyroxine 50 mcg"), Qt cannot be told that place, and the text ends at the
// stop. Tab leaders are drawn here as well.
#include <QList>
#include <QString>
#include <QTextOption>

class QPainter;
class QTextBlock;

namespace TabStops {

// The paragraph's `stops` with its decimal stops resolved for Qt's layout: the k-th tab
// character of the paragraph is taken to reach the k-th stop, as in a form's rows.
QList<QTextOption::Tab> forLayout(const QTextBlock& block, const QList<QTextOption::Tab>& stops);

// Draws the leaders of the paragraph's tabs (dots, hyphens, a line) in the room each tab leaves
// before its stop, in layout units; the paragraph must be laid out.
void drawLeaders(QPainter* painter, const QTextBlock& block);

}  // namespace TabStops
