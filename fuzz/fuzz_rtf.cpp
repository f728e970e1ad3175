// The RTF reader must take any bytes; what it reads must write and read back the same.
#include "components/textcontrol/formats/rtf/rtfreader.h"
#include "components/textcontrol/formats/rtf/rtfwriter.h"
#include "fuzzapp.h"

#include <QTextDocument>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ensureApplication();
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QTextDocument document;
    PageInfo page;
    if (!RtfReader::read(bytes, &document, page))
        return 0;
    QTextDocument again;
    PageInfo pageAgain;
    if (!RtfReader::read(RtfWriter::write(&document, page), &again, pageAgain))
        __builtin_trap();
    return 0;
}
