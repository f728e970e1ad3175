#pragma once
// Damage that keeps a Word 97-2003 file from being read whole: what the reader would otherwise
// take in part, with text missing or garbled, is refused instead, and the reason names it.
#include "littleendian.h"

namespace WordDamage {

enum class Kind {
    None,
    // The file's table of contents (the FIB) points past the end of the stream that holds
    // the formats, styles, sections or the order of the text.
    TablesOutside,
    // The container's own bookkeeping leads past the end of the file: it was cut short or
    // overwritten, and what its streams hold cannot be trusted.
    ContainerDamaged,
};

// `file`: the whole file; `wordDocument` and `table`: its two main streams.
Kind find(const QByteArray& file, const LittleEndian::Reader& wordDocument, const LittleEndian::Reader& table);

}  // namespace WordDamage
