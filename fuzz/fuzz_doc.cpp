// Word 97-2003 documents: damaged files are refused or read in part, never crash or hang.
#include "components/textcontrol/formats/doc/docreader.h"
#include "fuzzapp.h"

#include <QTextDocument>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ensureApplication();
    QTextDocument document, header, footer;
    PageInfo page;
    DocumentParts parts{&header, &footer, 0};
    DocReader::read(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), &document, page, &parts);
    return 0;
}
