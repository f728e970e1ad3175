#include "pagelimit.h"

#include "layoutdevice.h"

#include <QFontMetricsF>
#include <QTextBlock>
#include <QTextDocument>
#include <cmath>

namespace PageLimit {

int estimatePages(const QTextDocument* document, double textWidth, double textHeight)
{
    if (textWidth <= 0 || textHeight <= 0)
        return 1;
    double pages = 0, y = 0;
    for (QTextBlock b = document->begin(); b.isValid(); b = b.next()) {
        const QTextBlock::iterator first = b.begin();
        const QFont font = first.atEnd() ? b.charFormat().font() : first.fragment().charFormat().font();
        const QFontMetricsF metrics(font, LayoutDevice::get());
        const double perLine = std::max(1.0, textWidth / std::max(1.0, metrics.averageCharWidth()));
        const double lines = std::max(1.0, std::ceil(b.length() / perLine));
        if (b.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) {
            pages += 1;
            y = 0;
        }
        y += lines * metrics.lineSpacing() + b.blockFormat().topMargin() + b.blockFormat().bottomMargin();
        if (y > textHeight) {
            pages += std::floor(y / textHeight);
            y = std::fmod(y, textHeight);
        }
        if (pages > MaxPages * 4)
            break;  // far beyond the limit already
    }
    return int(pages) + 1;
}

}  // namespace PageLimit
