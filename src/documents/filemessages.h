#pragma once
// The failure messages of the file routines: a fixed text followed by the path, with an OK
// button, no icon and the application's title.
#include <QString>

namespace FileMessages {

void reportFailure(const QString& message, const QString& path);

}  // namespace FileMessages
