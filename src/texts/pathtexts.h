#pragma once
// What `scrivora --paths` prints: each directory or file in use and why it was chosen.
#include <QString>

namespace PathTexts {

inline const QString ProgramFolder = QStringLiteral("Program folder");
inline const QString DataFolder = QStringLiteral("Data folder");
inline const QString SettingsFile = QStringLiteral("Settings file");
inline const QString UserSettingsFile = QStringLiteral("User settings file");
inline const QString Documents = QStringLiteral("Documents");
inline const QString HelpFile = QStringLiteral("Help file");
inline const QString MainDictionary = QStringLiteral("Main dictionary");
inline const QString UserDictionary = QStringLiteral("User dictionary");
inline const QString TempFolder = QStringLiteral("Temporary files");

inline const QString FromAppPath = QStringLiteral("--app-path");
inline const QString FromBuildFolder = QStringLiteral("the program's own folder");
inline const QString FromInstall = QStringLiteral("installed layout");
inline const QString NotInstalled = QStringLiteral("not installed: everything is in the program folder");
inline const QString FromSettingsEnvironment = QStringLiteral("SCRIVORA_SETTINGS_DIR");
inline const QString FromSystemFolder = QStringLiteral("the practice's system settings folder");
inline const QString UserFileUsed =
    QStringLiteral("the settings file is not writable: this user's changes go here, read over it");
inline const QString UserFileUnused = QStringLiteral("not used: the settings file is writable");
inline const QString FromXdgData = QStringLiteral("this user's data folder");
inline const QString FromHome = QStringLiteral("default for an installed program");
inline QString fromSetting(const QString& key, const QString& section, const QString& file)
{
    return QStringLiteral("%1 in section [%2] of %3").arg(key, section, file);
}
inline const QString FromSettingsFolder = QStringLiteral("found in the settings folder");
inline const QString FromDataFolder = QStringLiteral("found in the data folder");
inline const QString FromSystemHunspell =
    QStringLiteral("the system's Hunspell dictionary: no MAIN_AE.DCT in the settings folder");
inline const QString FromTempOption = QStringLiteral("--temp-path");
inline const QString FromPrivateTemp = QStringLiteral("this user's private temporary folder");
inline const QString Missing = QStringLiteral(" (missing)");

}  // namespace PathTexts
