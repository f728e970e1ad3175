#include "windowplacement.h"

#include "apppaths.h"
#include "settingsfile.h"

#include <QByteArray>
#include <QWidget>

namespace WindowPlacement {
namespace {

const QString Section = QStringLiteral("Word Processor");

}  // namespace

bool restore(QWidget* window, const QString& key)
{
    const QString stored = SettingsFile::ReadSetting(AppPaths::settingsFilesToRead(), Section, key);
    if (stored.isEmpty())
        return false;
    const auto decoded = QByteArray::fromBase64Encoding(stored.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    // Qt moves a geometry from a screen that is gone onto one that is there.
    return decoded && window->restoreGeometry(*decoded);
}

void store(const QWidget* window, const QString& key)
{
    SettingsFile::WriteSetting(AppPaths::settingsFileToWrite(), Section, key,
                               QString::fromLatin1(window->saveGeometry().toBase64()));
}

}  // namespace WindowPlacement
