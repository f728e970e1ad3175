// Word 2007 documents: damaged packages and damaged XML are refused or read in part, never crash.
// An input starting with 'X' is the main part's XML, put into a package; any other input is
// the package itself.
#include "components/textcontrol/formats/docx/docxreader.h"
#include "components/textcontrol/formats/docx/zippackage.h"
#include "fuzzapp.h"

#include <QTextDocument>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ensureApplication();
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    if (bytes.startsWith('X'))
        bytes = ZipPackage::write({{QStringLiteral("word/document.xml"), bytes.mid(1)}});
    QTextDocument document, header, footer;
    PageInfo page;
    DocumentParts parts{&header, &footer, 0};
    DocxReader::read(bytes, &document, page, &parts);
    return 0;
}
