#include "docxsettings.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QXmlStreamReader>
#include <algorithm>

namespace DocxSettings {

bool spacingCollapses(const QByteArray& settings)
{
    QXmlStreamReader xml(settings);
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("doNotUseHTMLParagraphAutoSpacing")) {
            const QStringView value = xml.attributes().value(QLatin1String("w:val"));
            return value == QLatin1String("false") || value == QLatin1String("0") || value == QLatin1String("off");
        }
    return true;
}

namespace {

// Whether two neighbouring paragraphs stand one under the other: in the same frame and, in a
// table, in the same cell.
bool sameFlow(const QTextBlock& a, const QTextBlock& b)
{
    QTextFrame* frame = QTextCursor(a).currentFrame();
    if (frame != QTextCursor(b).currentFrame())
        return false;
    const auto* table = qobject_cast<QTextTable*>(frame);
    return !table || table->cellAt(a.position()) == table->cellAt(b.position());
}

}  // namespace

void collapseSpacing(QTextDocument* document)
{
    for (QTextBlock block = document->begin().next(); block.isValid(); block = block.next()) {
        QTextBlockFormat format = block.blockFormat();
        const QTextBlock previous = block.previous();
        const double above = format.topMargin(), below = previous.blockFormat().bottomMargin();
        // After a hard break the space below stands on the page before.
        if (above <= 0 || below <= 0 || (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
            || !sameFlow(previous, block))
            continue;
        format.setTopMargin(std::max(0.0, above - below));
        QTextCursor(block).setBlockFormat(format);
    }
}

}  // namespace DocxSettings
