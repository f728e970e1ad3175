#include "listmarkers.h"

#include "components/textcontrol/document/blocksearch.h"
#include "components/textcontrol/document/listlevels.h"

#include <QPainter>
#include <QTextLayout>
#include <QTextList>

namespace ListMarkers {

void draw(QPainter* painter, const QRectF& exposed, const QTextDocument* document)
{
    QAbstractTextDocumentLayout* layout = document->documentLayout();
    QPaintDevice* device = layout->paintDevice();
    painter->save();
    for (QTextBlock block = BlockSearch::firstBlockReaching(document, exposed.top()); block.isValid();
         block = block.next()) {
        const QRectF box = layout->blockBoundingRect(block);
        if (box.top() > exposed.bottom())
            break;
        const QTextList* list = block.textList();
        if (!list || list->format().style() != QTextListFormat::ListStyleUndefined || !block.layout()
            || block.layout()->lineCount() == 0)
            continue;
        const ListLevels::Item item = ListLevels::item(block);
        // The marker takes the look of the item's first letters, as Qt's own bullets do.
        const QTextCharFormat format = block.begin().atEnd() ? block.charFormat() : block.begin().fragment().charFormat();
        const QFont font(format.font(), device);
        const QFontMetricsF metrics(font, device);
        const QTextLine first = block.layout()->lineAt(0);
        const double right = box.left() + first.x() - metrics.horizontalAdvance(QLatin1Char(' '));
        const double width = metrics.horizontalAdvance(item.marker);
        painter->setFont(font);
        painter->setPen(format.foreground().style() == Qt::NoBrush ? QColor(Qt::black) : format.foreground().color());
        painter->drawText(QPointF(right - width, box.top() + first.y() + first.ascent()), item.marker);
    }
    painter->restore();
}

}  // namespace ListMarkers
