#include "apppaths.h"

#include <QCoreApplication>
#include <QDir>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace AppPaths {
namespace {

QString g_appPath;
QString g_tempPath;
QDate g_today;

QString withoutTrailingSeparator(QString path)
{
    while (path.size() > 1 && (path.endsWith(QLatin1Char('/')) || path.endsWith(QLatin1Char('\\'))))
        path.chop(1);
    return path;
}

// True for a real directory (not a link) that only this user can enter.
bool isPrivateDirectory(const QByteArray& path)
{
    struct stat info {};
    return ::lstat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode)
        && info.st_uid == ::getuid() && (info.st_mode & 077) == 0;
}

}  // namespace

QString AppPath()
{
    if (g_appPath.isEmpty())
        g_appPath = withoutTrailingSeparator(QCoreApplication::applicationDirPath());
    return g_appPath;
}

void setAppPath(const QString& path)
{
    g_appPath = withoutTrailingSeparator(QDir::toNativeSeparators(QDir(path).absolutePath()));
}

QString TempPath() { return g_tempPath.isEmpty() ? AppPath() : g_tempPath; }

void setTempPath(const QString& path) { g_tempPath = withoutTrailingSeparator(path); }

bool isTempPathSet() { return !g_tempPath.isEmpty(); }

QString GetTempDirectory()
{
    const QString base = QDir::tempPath();
    const QByteArray named =
        QFile::encodeName(base + QStringLiteral("/scrivora-") + QString::number(::getuid()));
    if (::mkdir(named.constData(), 0700) == 0 || errno == EEXIST) {
        if (isPrivateDirectory(named))
            return QFile::decodeName(named);
    }
    // Someone else holds the usual name: take a fresh directory of our own.
    QByteArray pattern = QFile::encodeName(base + QStringLiteral("/scrivora-XXXXXX"));
    if (::mkdtemp(pattern.data()))
        return QFile::decodeName(pattern);
    return {};
}

QString join(const QString& folder, const QString& name)
{
    return folder + QDir::separator() + name;
}

QString helpFile() { return join(AppPath(), QStringLiteral("vavavadud.chm")); }
QString mainDictionary() { return join(AppPath(), QStringLiteral("MAIN_AE.DCT")); }
QString userDictionary() { return join(AppPath(), QStringLiteral("Custom.dct")); }
QString settingsFile() { return join(AppPath(), QStringLiteral("clinora.ini")); }
QString documentsFolder() { return join(AppPath(), QStringLiteral("Documents")); }

QDate today() { return g_today.isValid() ? g_today : QDate::currentDate(); }
void setToday(const QDate& date) { g_today = date; }

}  // namespace AppPaths
