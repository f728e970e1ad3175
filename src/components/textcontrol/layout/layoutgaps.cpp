#include "layoutgaps.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

namespace LayoutGaps {

void keepSpaceAfterTables(QTextDocument* document)
{
    for (QTextFrame* child : document->rootFrame()->childFrames()) {
        auto* table = qobject_cast<QTextTable*>(child);
        if (!table)
            continue;
        QTextTableFormat format = table->format();
        const QTextFormat before = format;
        const QTextBlock previous = document->findBlock(table->firstPosition() - 1);
        if (previous.isValid() && !QTextCursor(previous).currentTable())
            format.setTopMargin(std::max(format.topMargin(), previous.blockFormat().bottomMargin()));
        const QTextBlock after = document->findBlock(table->lastPosition() + 1);
        if (after.isValid() && !QTextCursor(after).currentTable())
            format.setBottomMargin(std::max(format.bottomMargin(), after.blockFormat().topMargin()));
        if (format != before)
            table->setFormat(format);
    }
}

}  // namespace LayoutGaps
