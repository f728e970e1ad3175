#include "clipboard.h"

#include "components/textcontrol/document/listlevels.h"
#include "html/htmllists.h"
#include "native/nativeformat.h"
#include "text/plaintext.h"

#include <QMimeData>

namespace Clipboard {

QMimeData* mimeData(const QTextDocument* selection)
{
    auto* mime = new QMimeData;
    mime->setHtml(HtmlLists::toHtml(selection));
    mime->setText(PlainText::normaliseLineEnds(ListLevels::plainText(selection)));
    mime->setData(QLatin1String(NativeMimeType), NativeFormat::write(selection, PageInfo{}));
    return mime;
}

bool readNative(const QMimeData* mime, QTextDocument* document)
{
    PageInfo unused;
    return mime->hasFormat(QLatin1String(NativeMimeType))
        && NativeFormat::read(mime->data(QLatin1String(NativeMimeType)), document, unused);
}

}  // namespace Clipboard
