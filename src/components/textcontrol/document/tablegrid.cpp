#include "tablegrid.h"

#include "layoutunits.h"

#include <QBrush>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

namespace TableGrid {

QList<int> columnTwips(const QTextTable* table)
{
    const QTextDocument* document = table->document();
    const QTextFrameFormat page = document->rootFrame()->frameFormat();
    const double text = document->pageSize().width() - page.leftMargin() - page.rightMargin();
    const QList<QTextLength> constraints = table->format().columnWidthConstraints();
    QList<int> widths;
    for (int c = 0; c < table->columns(); ++c) {
        const QTextLength l = constraints.value(c);
        const double units = l.type() == QTextLength::FixedLength ? l.rawValue()
            : l.type() == QTextLength::PercentageLength            ? text * l.rawValue() / 100
                                                                   : text / table->columns();
        widths << std::max(LayoutUnits::toTwips(units), 100);
    }
    return widths;
}

int borderTwips(const QTextTableFormat& format)
{
    if (format.border() <= 0 || format.borderStyle() == QTextFrameFormat::BorderStyle_None)
        return 0;
    if (format.hasProperty(BorderTwipsProperty))
        return std::max(1, format.intProperty(BorderTwipsProperty));
    return std::max(1, LayoutUnits::toTwips(format.border()));
}

void setBorderTwips(QTextTableFormat& format, int twips)
{
    twips = std::clamp(twips, 0, 120);
    format.setProperty(BorderTwipsProperty, twips);
    format.setBorder(twips > 0 ? std::max(1.0, LayoutUnits::fromTwips(twips)) : 0.0);
    format.setBorderStyle(twips > 0 ? QTextFrameFormat::BorderStyle_Solid : QTextFrameFormat::BorderStyle_None);
    format.setBorderBrush(Qt::black);
    format.setBorderCollapse(true);
}

}  // namespace TableGrid
