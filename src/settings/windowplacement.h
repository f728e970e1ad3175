#pragma once
// Where the program's windows stood when they were last closed, kept in the settings file
// next to the recent files: the file lives in the program directory the practice system
// already keeps for Scrivora, follows --app-path, and needs no second per-user store.
#include <QString>

class QWidget;

namespace WindowPlacement {

// Names of the entries in the settings file.
inline const QString MainWindowKey = QStringLiteral("WindowPlacement");
inline const QString PrintPreviewKey = QStringLiteral("PreviewPlacement");

// Puts `window` where it was when stored under `key` (position, size, maximized), kept on
// a screen that exists now. False when nothing usable is stored; the window is untouched.
bool restore(QWidget* window, const QString& key);

// Stores the window's position, size and state under `key`.
void store(const QWidget* window, const QString& key);

}  // namespace WindowPlacement
