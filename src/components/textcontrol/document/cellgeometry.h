#pragma once
// Where Word's formats put a table's cells: the column grid made of every row's cell edges
// (a cell merged across columns is written as one wider cell in its row, so no single row
// gives all columns), and the space between a cell's lines and its text.
#include <QList>
#include <QTextFormat>

class QColor;
class QTextTable;
class QTextTableCell;
class QTextTableFormat;

namespace CellGeometry {

// Twips; -1 for a side the file leaves to the default.
struct Padding {
    int left = -1;
    int top = -1;
    int right = -1;
    int bottom = -1;
    // These sides, with those `over` gives put over them.
    Padding overlaid(const Padding& over) const;
};

// Word's default: 108 twips left and right, none above and below.
constexpr int DefaultSidePadding = 108;

// The table's padding: the left side's (or the default) round every cell, as the writers keep
// it; the cells then get their own. The table's line must be set first.
void setTablePadding(QTextTableFormat& format, const Padding& padding);
// The padding the table's format holds, as the file gives it (twips): the writers' value.
int tablePaddingTwips(const QTextTableFormat& format);
// A cell's padding, where it differs from the table's; above and below as given (0 by default).
// `border` is the table's line (layout units), half of which the engine puts inside the cell.
void setCellPadding(QTextTableCell& cell, const Padding& table, const Padding& own, double border);

// A row's height as Word's formats give it, twips: at least this much when positive, exactly this
// much when negative, as its text needs when 0. Kept on each cell that starts in the row.
constexpr int RowHeightProperty = QTextFormat::UserProperty + 81;
void setRowHeight(QTextTableCellFormat& format, int twips);
// The room a row's cell asks of its row, layout units: 0 for none.
double rowHeight(const QTextTableCellFormat& format);
// The row height to write for row `row` of `table`, twips, in the files' sign convention.
int rowHeightTwips(const QTextTable* table, int row);
// What Word's formats give a cell besides its padding: its shading (none where invalid), its
// row's height (twips, as above) and where its text stands in the row.
void setCellLook(QTextTableCell& cell, const QColor& shading, int rowHeightTwips, QTextCharFormat::VerticalAlignment align);

// The space above the text of a table's first cell, in layout units: its own, or the table's.
double topPadding(const QTextTable* table);

// The columns that every row's cell edges make.
class ColumnGrid {
public:
    // Each row's cells by their right edges, twips from one origin; the table's left edge.
    ColumnGrid(const QList<QList<int>>& rightEdges, int left);
    int columns() const { return int(m_edges.size()); }
    // Each column's width, twips.
    QList<int> widths() const;
    // The column where the cell from `left` to `right` starts and how many columns it covers.
    int column(int left) const;
    int span(int left, int right) const;

private:
    int m_left;
    QList<int> m_edges;  // the columns' right edges, ascending
};

}  // namespace CellGeometry
