#include "tablebuilder.h"

#include "layoutunits.h"
#include "tablebreaks.h"
#include "tablegrid.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextTable>

TableBuilder::Cell& TableBuilder::addCell()
{
    ++m_cells;
    m_row.append(Cell{std::make_shared<QTextDocument>(), 1, false, {}, 0, {}, QTextCharFormat::AlignTop});
    return m_row.last();
}

void TableBuilder::endRow()
{
    if (!m_row.isEmpty()) {
        m_rows.append(m_row);
        m_heights.append(m_rowHeight);
    }
    m_row.clear();
    m_rowHeight = 0;
}

void TableBuilder::insert(QTextCursor& cursor)
{
    endRow();
    int columns = 0;
    for (const auto& row : m_rows) {
        int width = 0;
        for (const Cell& cell : row)
            width += cell.span;
        columns = std::max(columns, width);
    }
    if (m_rows.isEmpty() || columns == 0)
        return;
    QTextTableFormat format;
    int border = m_border;
    for (const auto& row : m_rows)
        for (const Cell& cell : row)
            border = std::max(border, cell.border);
    TableGrid::setBorderTwips(format, border);
    CellGeometry::setTablePadding(format, m_padding);
    // The indent counts to the first cell's text; the cell's line stands its padding further left.
    const int left = m_indent - (m_padding.left >= 0 ? m_padding.left : CellGeometry::DefaultSidePadding);
    if (left != 0)
        format.setLeftMargin(LayoutUnits::fromTwips(left));
    format.setCellSpacing(0);
    QList<QTextLength> widths;
    for (int c = 0; c < columns; ++c)
        widths << (m_grid.value(c) > 0 ? QTextLength(QTextLength::FixedLength, LayoutUnits::fromTwips(m_grid.value(c)))
                                       : QTextLength());
    format.setColumnWidthConstraints(widths);
    if (!m_rows.first().isEmpty() && m_rows.first().first().content
        && TableBreaks::takeFromFirstParagraph(m_rows.first().first().content.get()))
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    QTextTable* table = cursor.insertTable(int(m_rows.size()), columns, format);

    // The column where each cell starts, and how many rows continue it below.
    auto startColumn = [&](int r, int index) {
        int c = 0;
        for (int i = 0; i < index; ++i)
            c += m_rows.at(r).at(i).span;
        return c;
    };
    auto continuesAt = [&](int r, int column) {
        int c = 0;
        for (const Cell& cell : m_rows.at(r)) {
            if (c == column)
                return cell.continues;
            c += cell.span;
        }
        return false;
    };
    for (int r = 0; r < m_rows.size(); ++r)
        for (int i = 0; i < m_rows.at(r).size(); ++i) {
            const Cell& cell = m_rows.at(r).at(i);
            const int c = startColumn(r, i);
            if (c >= columns)
                break;
            QTextTableCell target = table->cellAt(r, c);
            CellGeometry::setCellPadding(target, m_padding, cell.padding, format.border());
            CellGeometry::setCellLook(target, cell.shading, m_heights.value(r), cell.align);
            if (!cell.continues && !cell.content->isEmpty())
                target.firstCursorPosition().insertFragment(QTextDocumentFragment(cell.content.get()));
        }
    // Spans and merged rows, once the texts are in place.
    for (int r = 0; r < m_rows.size(); ++r)
        for (int i = 0; i < m_rows.at(r).size(); ++i) {
            const Cell& cell = m_rows.at(r).at(i);
            const int c = startColumn(r, i);
            if (c >= columns || cell.continues)
                continue;
            int down = 1;
            while (r + down < m_rows.size() && continuesAt(r + down, c))
                ++down;
            if (down > 1 || cell.span > 1)
                table->mergeCells(r, c, down, std::min(cell.span, columns - c));
        }
    cursor = table->lastCursorPosition();
    cursor.movePosition(QTextCursor::NextBlock);
    m_rows.clear();
    m_heights.clear();
    m_cells = 0;
    m_indent = 0;
    m_padding = {};
}
