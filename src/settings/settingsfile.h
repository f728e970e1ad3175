#pragma once
// The practice system's settings file: an INI file read and written the way Windows'
// private-profile functions do (section and key names ignore case, everything else in the
// file is kept, the file is created by the first write).
#include <QString>

namespace SettingsFile {

QString ReadSetting(const QString& file, const QString& section, const QString& key);
void WriteSetting(const QString& file, const QString& section, const QString& key,
                  const QString& value);

}  // namespace SettingsFile
