#pragma once
// Whether an OLE compound file's own bookkeeping holds together, which libgsf does not tell:
// a container whose directory or mini-stream chains lead past the end of the file, or whose
// directory names a stream larger than the file, was cut short or overwritten, and the
// streams read from it cannot be trusted.
#include <QByteArray>

namespace ContainerCheck {

bool intact(const QByteArray& bytes);

}  // namespace ContainerCheck
