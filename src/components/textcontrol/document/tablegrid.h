#pragma once
// The column widths a table is written with: fixed widths as they are, percentages of the text
// width, and the rest sharing the text width; and the lines round its cells, which every
// format reads and writes through the same two functions.
#include <QList>
#include <algorithm>
#include <QTextFormat>

class QTextTable;
class QTextTableFormat;

namespace TableGrid {

// A new table's cell lines: single, 0.5 pt, as other word processors draw them.
constexpr int DefaultBorder = 10;  // twips
// The width the lines were given, twips. The layout draws collapsed lines thinner than one
// unit not at all, so they are drawn one unit wide and keep their own width for the files.
constexpr int BorderTwipsProperty = QTextFormat::UserProperty + 80;

// The width of the lines round every cell, twips; 0 when the table has none.
int borderTwips(const QTextTableFormat& format);
// Single black lines of `twips` round every cell (0 for none), neighbouring lines drawn as one.
void setBorderTwips(QTextTableFormat& format, int twips);

// The width, twips, of a drawn table line that Word's formats give in eighths of a point.
constexpr int lineFromEighths(int eighths) { return std::clamp(eighths * 20 / 8, 1, 120); }

// In twips, one per column, at least 100 each.
QList<int> columnTwips(const QTextTable* table);

}  // namespace TableGrid
