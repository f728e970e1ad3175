// The page-header file (.txm): header and document part of any bytes.
#include "components/textcontrol/textcontrol.h"
#include "documents/pageheaderfile.h"
#include "fuzzapp.h"

#include <QTemporaryFile>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ensureApplication();
    QTemporaryFile file;
    if (!file.open())
        return 0;
    file.write(reinterpret_cast<const char*>(data), qint64(size));
    file.close();
    TextControl control;
    PageHeaderFile::load(file.fileName(), &control);
    return 0;
}
