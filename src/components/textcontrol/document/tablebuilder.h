#pragma once
// Builds a table from cells read one after another (Word documents hand them over row by row):
// each cell's content in a document of its own, its column span, whether the cell above
// continues into it, and its shading; then puts the table in at a cursor.
#include "cellgeometry.h"

#include <QColor>
#include <QList>
#include <QTextFormat>
#include <memory>

class QTextCursor;
class QTextDocument;

class TableBuilder {
public:
    struct Cell {
        std::shared_ptr<QTextDocument> content;
        int span = 1;
        bool continues = false;  // merged with the cell above
        QColor shading;
        int border = 0;  // twips of the widest line round the cell
        CellGeometry::Padding padding;  // the cell's own, over the table's
        QTextCharFormat::VerticalAlignment align = QTextCharFormat::AlignTop;
    };

    // A new cell at the end of the current row; its content is filled through the document.
    Cell& addCell();
    void endRow();
    // The height of the row being read, twips: positive at least, negative exactly.
    void setRowHeight(int twips) { m_rowHeight = twips; }
    bool isEmpty() const { return m_rows.isEmpty() && m_row.isEmpty(); }
    int cellCount() const { return m_cells; }
    // A cell of a finished row by its place in the row; nullptr where there is none.
    Cell* cell(int row, int index)
    {
        return row >= 0 && row < m_rows.size() && index >= 0 && index < m_rows.at(row).size() ? &m_rows[row][index] : nullptr;
    }
    int rowCount() const { return int(m_rows.size()); }
    void setGrid(const QList<int>& twips) { m_grid = twips; }
    // The lines round every cell, twips; 0 for none. A cell with wider lines of its own widens
    // them for the whole table.
    void setBorder(int twips) { m_border = twips; }
    int border() const { return m_border; }
    // The space between every cell's lines and its text, where the file gives it.
    void setPadding(const CellGeometry::Padding& padding) { m_padding = padding; }
    // Word's table indent: from the margin to the first cell's text, twips.
    void setIndent(int twips) { m_indent = twips; }

    // Inserts the table at `cursor` and leaves the cursor in the paragraph after it.
    void insert(QTextCursor& cursor);

private:
    QList<QList<Cell>> m_rows;
    QList<Cell> m_row;
    QList<int> m_heights;  // by row
    int m_rowHeight = 0;
    QList<int> m_grid;
    int m_border = 0;
    int m_cells = 0;
    int m_indent = 0;
    CellGeometry::Padding m_padding;
};
