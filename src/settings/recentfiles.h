#pragma once
// The four most recently opened or saved files, kept in the settings file and shown in the
// File menus of the main window and of every document window.
#include <QString>

namespace RecentFiles {

constexpr int Count = 4;

// "&1 C:\path": the digit is the access key, the path starts at the fourth character.
QString caption(int position, const QString& path);

void AddRecentFile(const QString& path);
bool IsRecentFile(const QString& path);
void StoreRecentFile(const QString& path);
void RebuildRecentFileMenus();

}  // namespace RecentFiles
