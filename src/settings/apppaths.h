#pragma once
// The program's directory, its temporary directory and the files found there. Both can be
// pointed elsewhere (command line or environment) for tests and installed use.
#include <QDate>
#include <QString>

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

QString helpFile();        // AppPath + "vavavadud.chm"
QString mainDictionary();  // AppPath + "MAIN_AE.DCT"
QString userDictionary();  // AppPath + "Custom.dct"
QString settingsFile();    // AppPath + "clinora.ini"
QString documentsFolder(); // AppPath + "Documents"

// Today's date; a fixed date can be set for tests and demonstrations.
QDate today();
void setToday(const QDate& date);

}  // namespace AppPaths
