#include "cellgeometry.h"

#include "layoutunits.h"

#include <QColor>
#include <QTextTable>
#include <algorithm>

namespace CellGeometry {

namespace {
// Edges closer than this are one: files round the same edge differently from row to row.
constexpr int SameEdge = 20;
}

Padding Padding::overlaid(const Padding& over) const
{
    Padding result = *this;
    for (int Padding::*side : {&Padding::left, &Padding::top, &Padding::right, &Padding::bottom})
        if (over.*side >= 0)
            result.*side = over.*side;
    return result;
}

namespace {

// Word measures the padding from the cell's edge, its line lying on that edge; the engine puts
// half of each line inside the cell before the padding, so that half comes off going in and is
// added again going out.
double toEngine(int twips, double border) { return std::max(0.0, LayoutUnits::fromTwips(std::max(0, twips)) - border / 2); }

}  // namespace

void setTablePadding(QTextTableFormat& format, const Padding& padding)
{
    format.setCellPadding(toEngine(padding.left >= 0 ? padding.left : DefaultSidePadding, format.border()));
}

int tablePaddingTwips(const QTextTableFormat& format)
{
    return LayoutUnits::toTwips(format.cellPadding() + format.border() / 2);
}

void setCellPadding(QTextTableCell& cell, const Padding& table, const Padding& own, double border)
{
    const Padding p = table.overlaid(own);
    const int tableSide = table.left >= 0 ? table.left : DefaultSidePadding;
    QTextTableCellFormat format = cell.format().toTableCellFormat();
    format.setTopPadding(toEngine(p.top, border));
    format.setBottomPadding(toEngine(p.bottom, border));
    const int left = p.left >= 0 ? p.left : DefaultSidePadding;
    const int right = p.right >= 0 ? p.right : DefaultSidePadding;
    if (left != tableSide)
        format.setLeftPadding(toEngine(left, border));
    if (right != tableSide)
        format.setRightPadding(toEngine(right, border));
    cell.setFormat(format);
}

void setRowHeight(QTextTableCellFormat& format, int twips)
{
    if (twips != 0)
        format.setProperty(RowHeightProperty, std::clamp(twips, -31680, 31680));
}

double rowHeight(const QTextTableCellFormat& format)
{
    return LayoutUnits::fromTwips(std::abs(format.intProperty(RowHeightProperty)));
}

int rowHeightTwips(const QTextTable* table, int row)
{
    for (int c = 0; c < table->columns(); ++c) {
        const QTextTableCell cell = table->cellAt(row, c);
        if (cell.row() == row && cell.format().hasProperty(RowHeightProperty))
            return cell.format().intProperty(RowHeightProperty);
    }
    return 0;
}

void setCellLook(QTextTableCell& cell, const QColor& shading, int rowHeightTwips, QTextCharFormat::VerticalAlignment align)
{
    QTextTableCellFormat format = cell.format().toTableCellFormat();
    if (shading.isValid())
        format.setBackground(shading);
    setRowHeight(format, rowHeightTwips);
    if (align != QTextCharFormat::AlignTop)
        format.setVerticalAlignment(align);
    cell.setFormat(format);
}

double topPadding(const QTextTable* table)
{
    const QTextTableCellFormat first = table->cellAt(0, 0).format().toTableCellFormat();
    return first.hasProperty(QTextFormat::TableCellTopPadding) ? first.topPadding() : table->format().cellPadding();
}

ColumnGrid::ColumnGrid(const QList<QList<int>>& rightEdges, int left) : m_left(left)
{
    QList<int> all;
    for (const QList<int>& row : rightEdges)
        for (int edge : row)
            if (edge > left + SameEdge)
                all << edge;
    std::sort(all.begin(), all.end());
    for (int edge : all)
        if (m_edges.isEmpty() || edge - m_edges.last() > SameEdge)
            m_edges << edge;
}

QList<int> ColumnGrid::widths() const
{
    QList<int> result;
    int left = m_left;
    for (int edge : m_edges) {
        result << edge - left;
        left = edge;
    }
    return result;
}

int ColumnGrid::column(int left) const
{
    int c = 0;
    while (c < m_edges.size() && m_edges.at(c) <= left + SameEdge)
        ++c;
    return std::min(c, int(std::max<qsizetype>(0, m_edges.size() - 1)));
}

int ColumnGrid::span(int left, int right) const
{
    const int first = column(left);
    int last = first;
    while (last + 1 < m_edges.size() && m_edges.at(last) < right - SameEdge)
        ++last;
    return last - first + 1;
}

}  // namespace CellGeometry
