#pragma once
// The practice system's settings file: an INI file read and written the way Windows'
// private-profile functions do (section and key names ignore case, everything else in the
// file is kept, the file is created by the first write).
#include <QString>
#include <QStringList>

namespace SettingsFile {

QString ReadSetting(const QString& file, const QString& section, const QString& key);
// The value from the first of `files` that holds the key: a user's file read over the
// practice's one.
QString ReadSetting(const QStringList& files, const QString& section, const QString& key);
// Creates the file's folder when it is missing (a user's configuration folder).
void WriteSetting(const QString& file, const QString& section, const QString& key,
                  const QString& value);

}  // namespace SettingsFile
