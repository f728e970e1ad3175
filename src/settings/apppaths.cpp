#include "apppaths.h"

#include "components/speller/spellengine.h"
#include "installdirs.h"
#include "settingsfile.h"
#include "texts/pathtexts.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace AppPaths {
namespace {

const QString SettingsName = QStringLiteral("clinora.ini");
const QString DocumentsSection = QStringLiteral("Word Processor");
const QString DocumentsKey = QStringLiteral("DocumentsFolder");
const QString MainDictionaryName = QStringLiteral("MAIN_AE.DCT");

QString g_appPath;
bool g_appPathGiven = false;
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

// True when this process may write `file`, or create it when it does not exist yet.
bool canWrite(const QString& file)
{
    const QFileInfo info(file);
    const QString target = info.exists() ? file : info.absolutePath();
    return ::access(QFile::encodeName(target).constData(), W_OK) == 0;
}

QString installedDataFolder()
{
    if (g_appPathGiven)
        return {};
    const QString candidate = QDir::cleanPath(AppPath() + QStringLiteral("/" SCRIVORA_DATA_FROM_BIN));
    return QFileInfo(candidate).isDir() ? candidate : QString();
}

QString userFolder(QStandardPaths::StandardLocation location, const QString& name)
{
    return QStandardPaths::writableLocation(location) + QLatin1Char('/') + name;
}

// The documents folder and where it came from.
std::pair<QString, QString> documents()
{
    if (!isInstalled())
        return {join(AppPath(), QStringLiteral("Documents")),
                g_appPathGiven ? PathTexts::FromAppPath : PathTexts::FromBuildFolder};
    for (const QString& file : settingsFilesToRead()) {
        const QString named = SettingsFile::ReadSetting(file, DocumentsSection, DocumentsKey);
        if (!named.isEmpty())
            return {QDir(QFileInfo(file).absolutePath()).absoluteFilePath(named),
                    PathTexts::fromSetting(DocumentsKey, DocumentsSection, file)};
    }
    return {userFolder(QStandardPaths::DocumentsLocation, QStringLiteral("Clinora")),
            PathTexts::FromHome};
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
    g_appPathGiven = true;
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

bool isInstalled() { return !installedDataFolder().isEmpty(); }

QString dataFolder() { return installedDataFolder(); }

QString settingsFolder()
{
    if (!isInstalled())
        return AppPath();
    const QString fromEnvironment = qEnvironmentVariable("SCRIVORA_SETTINGS_DIR");
    return withoutTrailingSeparator(fromEnvironment.isEmpty()
        ? QStringLiteral(SCRIVORA_SYSTEM_SETTINGS_DIR) : fromEnvironment);
}

QString helpFile()
{
    return join(isInstalled() ? dataFolder() : AppPath(), QStringLiteral("vavavadud.chm"));
}

QString mainDictionary()
{
    const QString inSettings = join(settingsFolder(), MainDictionaryName);
    if (!isInstalled() || QFileInfo::exists(inSettings))
        return inSettings;
    return join(dataFolder(), MainDictionaryName);
}

QString userDictionary()
{
    if (!isInstalled())
        return join(AppPath(), QStringLiteral("Custom.dct"));
    return userFolder(QStandardPaths::GenericDataLocation, QStringLiteral("scrivora/Custom.dct"));
}

QString settingsFile() { return join(settingsFolder(), SettingsName); }

QString userSettingsFile()
{
    if (!isInstalled() || canWrite(settingsFile()))
        return {};
    return userFolder(QStandardPaths::GenericConfigLocation, QStringLiteral("clinora/") + SettingsName);
}

QStringList settingsFilesToRead()
{
    const QString user = userSettingsFile();
    return user.isEmpty() ? QStringList{settingsFile()} : QStringList{user, settingsFile()};
}

QString settingsFileToWrite()
{
    const QString user = userSettingsFile();
    return user.isEmpty() ? settingsFile() : user;
}

QString documentsFolder() { return documents().first; }

QList<PathInUse> pathsInUse()
{
    const bool installed = isInstalled();
    const QString placed = g_appPathGiven ? PathTexts::FromAppPath
        : installed                       ? PathTexts::FromInstall
                                          : PathTexts::FromBuildFolder;
    auto existing = [](const QString& path) {
        return QFileInfo::exists(path) ? path : path + PathTexts::Missing;
    };
    QList<PathInUse> paths;
    paths << PathInUse{PathTexts::ProgramFolder, AppPath(), placed};
    paths << PathInUse{PathTexts::DataFolder, installed ? dataFolder() : QString(),
                       installed ? PathTexts::FromInstall : PathTexts::NotInstalled};
    const QString settingsOrigin = !installed ? placed
        : qEnvironmentVariableIsEmpty("SCRIVORA_SETTINGS_DIR") ? PathTexts::FromSystemFolder
                                                                : PathTexts::FromSettingsEnvironment;
    paths << PathInUse{PathTexts::SettingsFile, existing(settingsFile()), settingsOrigin};
    if (installed) {
        const QString user = userSettingsFile();
        paths << PathInUse{PathTexts::UserSettingsFile,
                           user.isEmpty() ? QString() : user,
                           user.isEmpty() ? PathTexts::UserFileUnused : PathTexts::UserFileUsed};
    }
    const auto [documentsPath, documentsOrigin] = documents();
    paths << PathInUse{PathTexts::Documents, existing(documentsPath), documentsOrigin};
    paths << PathInUse{PathTexts::HelpFile, existing(helpFile()), placed};
    const QString dictionary = mainDictionary();
    if (QFileInfo::exists(dictionary))
        paths << PathInUse{PathTexts::MainDictionary, dictionary,
                           dictionary.startsWith(settingsFolder() + QLatin1Char('/'))
                               ? PathTexts::FromSettingsFolder : PathTexts::FromDataFolder};
    else
        paths << PathInUse{PathTexts::MainDictionary, existing(SpellEngine::systemDictionary()),
                           PathTexts::FromSystemHunspell};
    paths << PathInUse{PathTexts::UserDictionary, userDictionary(),
                       installed ? PathTexts::FromXdgData : placed};
    paths << PathInUse{PathTexts::TempFolder, isTempPathSet() ? TempPath() : GetTempDirectory(),
                       isTempPathSet() ? PathTexts::FromTempOption : PathTexts::FromPrivateTemp};
    return paths;
}

QDate today() { return g_today.isValid() ? g_today : QDate::currentDate(); }
void setToday(const QDate& date) { g_today = date; }

}  // namespace AppPaths
