#include "tablegrid.h"

#include "layoutunits.h"

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

}  // namespace TableGrid
