#pragma once
// Ends an atomic save. QSaveFile empties its buffer inside commit() and does not notice there
// a disk that fills up: the old file would be replaced by a cut one. Flushed first, the write
// error is seen and the old file stays.
#include <QSaveFile>

namespace SaveFile {

inline bool commit(QSaveFile& file) { return file.flush() && file.commit(); }

}  // namespace SaveFile
