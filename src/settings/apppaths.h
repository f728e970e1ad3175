#pragma once
// The program's directory, its temporary directory and the files found there. Both can be
// pointed elsewhere (command line or environment) for tests and installed use.
//
// Run from its build folder, or with --app-path, everything lives in the one program
// directory. Installed (the program's folder has the data folder beside it, as bin/ has
// ../share/scrivora), the pieces are spread as the file-system hierarchy expects: the
// practice's settings in the system settings folder, what one user writes in the user's own
// configuration, help and dictionaries in the data folder.
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

namespace AppPaths {

QString AppPath();
void setAppPath(const QString& path);
QString TempPath();
void setTempPath(const QString& path);
bool isTempPathSet();

// A directory private to this user under the system's temporary location (mode 0700),
// created when missing; empty when none can be had.
QString GetTempDirectory();

// `folder` + separator + `name`, with the platform's separator.
QString join(const QString& folder, const QString& name);

// True when the program runs from an installed layout and no --app-path was given.
bool isInstalled();
// The installed data folder (help, demo template, optional MAIN_AE.DCT); empty otherwise.
QString dataFolder();
// Where clinora.ini lives: AppPath, or installed the system folder (/etc/clinora unless
// SCRIVORA_SETTINGS_DIR names another).
QString settingsFolder();

QString helpFile();        // AppPath (installed: data folder) + "vavavadud.chm"
QString mainDictionary();  // the settings folder's MAIN_AE.DCT, else the data folder's
QString userDictionary();  // AppPath (installed: the user's data folder) + "Custom.dct"
QString settingsFile();    // the practice's clinora.ini in the settings folder
QString documentsFolder(); // AppPath + "Documents"; installed: DocumentsFolder, else ~/Documents/Clinora

// The user's own clinora.ini, read over the practice's file, when the practice's file cannot
// be written (installed only); empty when every setting goes to settingsFile().
QString userSettingsFile();
// The files a setting is read from, the first one holding the key wins.
QStringList settingsFilesToRead();
// The file a setting the user changes is written to.
QString settingsFileToWrite();

// A directory or file in use and where the choice came from, for `scrivora --paths`.
struct PathInUse {
    QString what;
    QString path;
    QString origin;
};
QList<PathInUse> pathsInUse();

// Today's date; a fixed date can be set for tests and demonstrations.
QDate today();
void setToday(const QDate& date);

}  // namespace AppPaths
