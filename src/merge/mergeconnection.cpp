#include "mergeconnection.h"

#include "mergestate.h"
#include "settings/apppaths.h"
#include "settings/settingsfile.h"

namespace MergeConnection {

std::optional<QString> UnscrambleSetting(int key, const QString& stored)
{
    QString result;
    for (int i = 1; i <= stored.size(); ++i) {
        int t = stored.at(i - 1).unicode() ^ (10 - key);
        t += i % 2 ? -key : key;
        if (t < 0 || t > 255)
            return std::nullopt;
        result += QChar(t);
    }
    return result;
}

std::optional<QString> ScrambleSetting(int key, const QString& password)
{
    QString stored;
    for (int i = 1; i <= password.size(); ++i) {
        const int p = password.at(i - 1).unicode() + (i % 2 ? key : -key);
        const int c = p ^ (10 - key);
        if (p < 0 || c < 32 || c == 127 || c > 255)
            return std::nullopt;
        stored += QChar(c);
    }
    if (stored != stored.trimmed())
        return std::nullopt;
    return stored;
}

QString assemble(const QString& settingsFile)
{
    auto read = [&settingsFile](const char* key) {
        return SettingsFile::ReadSetting(settingsFile, QStringLiteral("SQLServer"), QLatin1String(key));
    };
    const QString start = QStringLiteral("Provider=") + read("Provider") + QStringLiteral(";Data Source=")
        + read("DataSource") + QStringLiteral(";Initial Catalog=") + read("InitialCatalog")
        + QLatin1Char(';');
    if (read("AuthenticationMode") == QLatin1String("Windows"))
        return start + QStringLiteral("Integrated Security=SSPI;");
    const QString stored = read("Password");
    const QString password = stored.isEmpty() ? QString() : UnscrambleSetting(ScrambleKey, stored).value_or(QString());
    return start + QStringLiteral("User Id=") + read("UID") + QStringLiteral(";Password=") + password
        + QStringLiteral("; ");
}

QString buildConnectionString()
{
    MergeState::ConnectionString = assemble(AppPaths::settingsFile());
    return MergeState::ConnectionString;
}

}  // namespace MergeConnection
