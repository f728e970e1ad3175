// The HTML loader with its page rule.
#include "components/textcontrol/formats/html/htmlformat.h"
#include "fuzzapp.h"

#include <QTextDocument>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ensureApplication();
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QTextDocument document;
    PageInfo page;
    HtmlFormat::read(bytes, &document, page, QString());
    return 0;
}
