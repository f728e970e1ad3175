#include "recentfiles.h"

#include "apppaths.h"
#include "hosts/documenthost.h"
#include "hosts/editorwindow.h"
#include "settingsfile.h"

#include <QAction>
#include <QFileInfo>

namespace RecentFiles {
namespace {

const QString Section = QStringLiteral("Word Processor");

QString key(int position) { return QStringLiteral("RecentFile%1").arg(position); }

QString entryName(int index) { return QStringLiteral("mnuRecentFile_%1").arg(index); }

QString read(int position)
{
    return SettingsFile::ReadSetting(AppPaths::settingsFilesToRead(), Section, key(position));
}

// Shows the separator and the filled entries; entries without a value keep what they had.
template <typename Lookup> void fill(Lookup action, const QStringList& values)
{
    for (int i = 1; i <= Count; ++i) {
        action(entryName(0))->setVisible(true);
        if (!values.at(i - 1).isEmpty()) {
            QAction* entry = action(entryName(i));
            entry->setText(caption(i, values.at(i - 1)));
            entry->setVisible(true);
        }
    }
}

}  // namespace

QString caption(int position, const QString& path)
{
    return QLatin1Char('&') + QString::number(position) + QLatin1Char(' ') + path;
}

// The private temporary directory's files (the letters of a merge) hold patient data and are
// deleted soon after: nothing to come back to, and their names are not to be kept.
static bool isTemporaryFile(const QString& path)
{
    return AppPaths::isTempPathSet()
        && QFileInfo(path).absolutePath() == QFileInfo(AppPaths::TempPath()).absoluteFilePath();
}

void AddRecentFile(const QString& path)
{
    if (!isTemporaryFile(path) && !IsRecentFile(path))
        StoreRecentFile(path);
    RebuildRecentFileMenus();
}

bool IsRecentFile(const QString& path)
{
    DocumentHost* host = DocumentHost::current();
    for (int i = 1; i <= Count; ++i)
        if (host->mainAction(entryName(i))->text() == caption(i, path))
            return true;
    return false;
}

void StoreRecentFile(const QString& path)
{
    const QString file = AppPaths::settingsFileToWrite();
    for (int i = Count - 1; i >= 1; --i) {
        const QString value = read(i);
        if (!value.isEmpty())
            SettingsFile::WriteSetting(file, Section, key(i + 1), value);
    }
    SettingsFile::WriteSetting(file, Section, key(1), path);
}

void RebuildRecentFileMenus()
{
    if (read(1).isEmpty())
        return;
    QStringList values;
    for (int i = 1; i <= Count; ++i)
        values << read(i);
    DocumentHost* host = DocumentHost::current();
    fill([host](const QString& name) { return host->mainAction(name); }, values);
    for (EditorWindow* window : host->documentWindows())
        fill([window](const QString& name) { return window->action(name); }, values);
}

}  // namespace RecentFiles
