// The control's own format: damaged files are refused, never crash.
#include "components/textcontrol/formats/native/nativeformat.h"
#include "fuzzapp.h"

#include <QTextDocument>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ensureApplication();
    QByteArray bytes(NativeFormat::Magic, sizeof NativeFormat::Magic);
    bytes.append(reinterpret_cast<const char*>(data), qsizetype(size));
    QTextDocument document;
    PageInfo page;
    NativeFormat::read(bytes, &document, page);
    return 0;
}
