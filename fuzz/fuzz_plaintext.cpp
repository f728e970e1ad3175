// The plain-text reader and the text control's load must take any bytes.
#include "components/textcontrol/formats/text/plaintext.h"
#include "components/textcontrol/textcontrol.h"

#include "fuzzapp.h"

#include <QTemporaryFile>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ensureApplication();
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString text = PlainText::decode(bytes);
    // What we write must read back the same (a leading U+FEFF would be read as a BOM).
    if (!text.startsWith(QChar(0xFEFF)) && PlainText::decode(PlainText::encode(text)) != text)
        __builtin_trap();
    QTemporaryFile file;
    if (file.open()) {
        file.write(bytes);
        file.close();
        TextControl control;
        control.load(file.fileName(), 0, TextControl::FormatText);
    }
    return 0;
}
