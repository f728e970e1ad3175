// Creates the demonstration practice in a program directory: the SQLite practice database,
// the settings that point at it and the sample referral-letter template.
//   scrivora-demodata DIR [PATIENTS]
#include "demodata.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fputs("usage: scrivora-demodata DIR [PATIENTS]\n", stderr);
        return 2;
    }
    const QString dir = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
    const int patients = argc > 2 ? std::atoi(argv[2]) : 300;
    QDir().mkpath(dir + QStringLiteral("/Documents"));
    const QString database = dir + QStringLiteral("/practice.db");
    QString error;
    if (!DemoData::createSqliteDatabase(database, patients, &error)) {
        std::fprintf(stderr, "scrivora-demodata: %s: %s\n", qPrintable(database), qPrintable(error));
        return 1;
    }
    DemoData::writeSettings(dir + QStringLiteral("/clinora.ini"), database);
    const QString letter = dir + QStringLiteral("/Documents/Referral Letter.tx");
    if (!QFileInfo::exists(letter) && !DemoData::writeTemplate(letter)) {
        std::fprintf(stderr, "scrivora-demodata: cannot write %s\n", qPrintable(letter));
        return 1;
    }
    std::printf("Practice database with %d patients in %s\n", patients, qPrintable(database));
    return 0;
}
