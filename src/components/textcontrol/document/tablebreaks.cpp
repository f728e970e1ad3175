#include "tablebreaks.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

namespace TableBreaks {
namespace {

bool breaksBefore(const QTextFormat& format)
{
    return format.intProperty(QTextFormat::PageBreakPolicy) & QTextFormat::PageBreak_AlwaysBefore;
}

}  // namespace

bool opensBrokenTable(const QTextBlock& block)
{
    // The innermost frame at a paragraph's start: the table, where the paragraph opens a cell.
    const auto* table = qobject_cast<const QTextTable*>(block.document()->frameAt(block.position()));
    return table && breaksBefore(table->format()) && table->cellAt(0, 0).firstPosition() == block.position();
}

QTextBlockFormat writtenFormat(const QTextBlock& block)
{
    QTextBlockFormat format = block.blockFormat();
    if (opensBrokenTable(block))
        format.setPageBreakPolicy(format.pageBreakPolicy() | QTextFormat::PageBreak_AlwaysBefore);
    return format;
}

bool takeFromFirstParagraph(QTextDocument* content)
{
    QTextCursor first(content);
    QTextBlockFormat paragraph = first.blockFormat();
    if (!breaksBefore(paragraph))
        return false;
    paragraph.setPageBreakPolicy(QTextFormat::PageBreakFlags(paragraph.pageBreakPolicy() & ~QTextFormat::PageBreak_AlwaysBefore));
    first.setBlockFormat(paragraph);
    return true;
}

}  // namespace TableBreaks
