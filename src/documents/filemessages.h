#pragma once
// The failure messages of the file routines: a fixed text followed by the path and, below
// them, why it failed; with an OK button, no icon and the application's title.
#include <QString>

namespace FileMessages {

void reportFailure(const QString& message, const QString& path, const QString& reason = QString());

}  // namespace FileMessages
