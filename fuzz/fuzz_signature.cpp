// The signature text comes from the signing device: any text must parse, round-trip once
// parsed, and draw without harm.
#include "components/signature/signaturetext.h"
#include "components/signature/sigtablet.h"

#include "fuzzapp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ensureApplication();
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const Signature signature = Signature::fromText(text);
    const QString written = signature.toText();
    if (!signature.isEmpty() && Signature::fromText(written).toText() != written)
        __builtin_trap();
    SigTablet tablet;
    tablet.setProperty(49, text);
    tablet.setProperty(2, 200);
    tablet.setProperty(3, 70);
    tablet.render();
    return 0;
}
