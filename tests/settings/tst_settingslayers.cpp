// A user's settings read over the practice's: the first file that holds a key wins, an
// empty value counts as set, a missing or unreadable file is passed over; writing creates the
// user's configuration folder. With a program directory everything stays in it.
#include "settings/apppaths.h"
#include "settings/settingsfile.h"

#include <QTemporaryDir>
#include <QtTest>

class SettingsLayersTest : public QObject {
    Q_OBJECT
private slots:
    void firstFileHoldingTheKeyWins_data();
    void firstFileHoldingTheKeyWins();
    void writingCreatesTheFolder();
    void programDirectoryKeepsEverything();
};

void SettingsLayersTest::firstFileHoldingTheKeyWins_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("practice");
    QTest::addColumn<QString>("expected");
    const QString practice = QStringLiteral("[Word Processor]\nDocumentsFolder=/srv/letters\n");
    QTest::newRow("only the practice's") << QString() << practice << QStringLiteral("/srv/letters");
    QTest::newRow("the user's over it")
        << QStringLiteral("[word processor]\ndocumentsfolder=/home/ann/letters\n") << practice
        << QStringLiteral("/home/ann/letters");
    QTest::newRow("an empty value is the user's choice")
        << QStringLiteral("[Word Processor]\nDocumentsFolder=\n") << practice << QString();
    QTest::newRow("other keys of the user's leave it")
        << QStringLiteral("[Word Processor]\nRecentFile1=/a.rtf\n") << practice << QStringLiteral("/srv/letters");
    QTest::newRow("neither") << QStringLiteral("[Other]\nx=1\n") << QStringLiteral("[Other]\ny=2\n") << QString();
}

void SettingsLayersTest::firstFileHoldingTheKeyWins()
{
    QFETCH(QString, user);
    QFETCH(QString, practice);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    auto write = [&dir](const QString& name, const QString& text) {
        const QString path = dir.filePath(name);
        if (!text.isNull()) {
            QFile file(path);
            file.open(QIODevice::WriteOnly);
            file.write(text.toUtf8());
        }
        return path;
    };
    const QStringList files{write(QStringLiteral("user.ini"), user), write(QStringLiteral("practice.ini"), practice)};
    QCOMPARE(SettingsFile::ReadSetting(files, QStringLiteral("Word Processor"), QStringLiteral("DocumentsFolder")),
             expected);
}

void SettingsLayersTest::writingCreatesTheFolder()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral(".config/clinora/clinora.ini"));
    SettingsFile::WriteSetting(file, QStringLiteral("Word Processor"), QStringLiteral("RecentFile1"),
                               QStringLiteral("/srv/letters/a.rtf"));
    QCOMPARE(SettingsFile::ReadSetting(file, QStringLiteral("Word Processor"), QStringLiteral("RecentFile1")),
             QStringLiteral("/srv/letters/a.rtf"));
}

void SettingsLayersTest::programDirectoryKeepsEverything()
{
    QTemporaryDir dir;
    AppPaths::setAppPath(dir.path());
    QVERIFY(!AppPaths::isInstalled());
    QVERIFY(AppPaths::userSettingsFile().isEmpty());
    QCOMPARE(AppPaths::settingsFilesToRead(), QStringList{dir.filePath(QStringLiteral("clinora.ini"))});
    QCOMPARE(AppPaths::settingsFileToWrite(), dir.filePath(QStringLiteral("clinora.ini")));
    QCOMPARE(AppPaths::documentsFolder(), dir.filePath(QStringLiteral("Documents")));
    QCOMPARE(AppPaths::userDictionary(), dir.filePath(QStringLiteral("Custom.dct")));
    QCOMPARE(AppPaths::mainDictionary(), dir.filePath(QStringLiteral("MAIN_AE.DCT")));
    QCOMPARE(AppPaths::helpFile(), dir.filePath(QStringLiteral("vavavadud.chm")));
    for (const AppPaths::PathInUse& entry : AppPaths::pathsInUse())
        QVERIFY2(entry.path.isEmpty() || !entry.path.startsWith(QLatin1String("/etc/")), qPrintable(entry.path));
}

QTEST_MAIN(SettingsLayersTest)
#include "tst_settingslayers.moc"
