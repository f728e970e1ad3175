#pragma once
// The column widths a table is written with: fixed widths as they are, percentages of the text
// width, and the rest sharing the text width.
#include <QList>

class QTextTable;

namespace TableGrid {

// In twips, one per column, at least 100 each.
QList<int> columnTwips(const QTextTable* table);

}  // namespace TableGrid
